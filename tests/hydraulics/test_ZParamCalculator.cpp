#include "TestNet.h"

#include "hydraulics/ZParamCalculator.h"
#include "model/UnitSystem.h"

#include <gtest/gtest.h>

namespace {

struct Calc {
    TestNet t;
    UnitSystem units;   // defaults: l/s, m, mm, m
    std::string message;

    ZParamCalculator::Status Run(int param, int op, const std::string& amount,
                                 int range = ZParamCalculator::WholeNetwork)
    {
        std::vector<ZParamCalculator::Change> changes;
        const auto targets = ZParamCalculator::Targets(t.net, param, range);
        const auto s = ZParamCalculator::Compute(targets, param, op, amount, units, changes, message);
        for (const auto& c : changes)
            ZParamCalculator::Set(*c.object, param, c.value);
        return s;
    }
};

}   // namespace

TEST(ZParamCalculator, LabelsAndPreview)
{
    UnitSystem units;
    EXPECT_EQ(ZParamCalculator::ExpressionLabel(ZParamCalculator::PipeLength, units), "计算表达式: 单位(m)");
    EXPECT_EQ(ZParamCalculator::ExpressionLabel(ZParamCalculator::PipeRougCeof, units), "计算表达式:");
    EXPECT_EQ(ZParamCalculator::Preview(0, 0, ""), "节点用水量=节点用水量+0");
    EXPECT_EQ(ZParamCalculator::Preview(3, 2, "1.1"), "管道长度=管道长度*1.1");
    EXPECT_EQ(ZParamCalculator::Preview(-1, 2, "1.1"), "");
    EXPECT_EQ(ZParamCalculator::Preview(3, -1, "1.1"), "");
    EXPECT_EQ(ZParamCalculator::ReadAmount("  2.5abc"), 2.5);
    EXPECT_EQ(ZParamCalculator::ReadAmount("+3"), 3.0);
    EXPECT_EQ(ZParamCalculator::ReadAmount("-1e2"), -100.0);
    EXPECT_EQ(ZParamCalculator::ReadAmount("abc"), 0.0);
    EXPECT_EQ(ZParamCalculator::ReadAmount("inf"), 0.0);
    EXPECT_EQ(ZParamCalculator::ReadAmount("1e999"), 0.0);
}

TEST(ZParamCalculator, OperationsInDisplayUnitsOnEveryNodeOrTheSelectedPipes)
{
    Calc c;
    ZConsumeNode* a = c.t.Node("A", 0.010);
    ZConsumeNode* s = c.t.Source("S", 30.0);
    ZConsumeNode* in = c.t.Node("IN");
    ZConsumeNode* out = c.t.Node("OUT");
    ZPumpLink* pump = c.t.Pump("U", in, out, 20.0, 1.0);
    ZPipeLink* p1 = c.t.Pipe("P1", a, s, 100.0);
    ZPipeLink* p2 = c.t.Pipe("P2", s, in, 200.0);
    p1->SetFlag(qen::FLAG_AUTO_LENGTH);
    p2->SetFlag(qen::FLAG_AUTO_LENGTH);

    // "-" 5 l/s on every node's demand, device ends and head-known nodes included.
    ASSERT_EQ(c.Run(ZParamCalculator::NodeFlow, ZParamCalculator::Subtract, "5"), ZParamCalculator::Ok);
    EXPECT_NEAR(a->NodeFlow, 0.005, 1e-15);
    EXPECT_NEAR(in->NodeFlow, -0.005, 1e-15);
    EXPECT_NEAR(s->NodeFlow, -0.005, 1e-15);
    // "+" 2 m on every head.
    ASSERT_EQ(c.Run(ZParamCalculator::NodeHydrElev, ZParamCalculator::Add, "2"), ZParamCalculator::Ok);
    EXPECT_DOUBLE_EQ(s->NodeHydrElev, 32.0);
    EXPECT_DOUBLE_EQ(a->NodeHydrElev, 2.0);
    // "*" 1.1 on the length of the selection: only P2 and the pump (never changed) selected.
    p2->SetFlag(qen::FLAG_SELECTED);
    pump->SetFlag(qen::FLAG_SELECTED);
    ASSERT_EQ(c.Run(ZParamCalculator::PipeLength, ZParamCalculator::Multiply, "1.1", ZParamCalculator::Selection),
              ZParamCalculator::Ok);
    EXPECT_DOUBLE_EQ(p1->PipeLength, 100.0);
    EXPECT_TRUE(p1->IsAutoLength());
    EXPECT_NEAR(p2->PipeLength, 220.0, 1e-12);
    EXPECT_FALSE(p2->IsAutoLength());
    // "+" 100 mm on inner diameters; "/" 2 on coefficients.
    ASSERT_EQ(c.Run(ZParamCalculator::PipeInDiam, ZParamCalculator::Add, "100"), ZParamCalculator::Ok);
    EXPECT_NEAR(p1->PipeInDiam, 0.4, 1e-15);
    ASSERT_EQ(c.Run(ZParamCalculator::PipeRougCeof, ZParamCalculator::Divide, "2"), ZParamCalculator::Ok);
    EXPECT_DOUBLE_EQ(p2->PipeRougCeof, 50.0);
}

TEST(ZParamCalculator, RefusesDivisionByZeroAndResultsThatLeaveBadPipes)
{
    Calc c;
    ZPipeLink* p1 = c.t.Pipe("P1", c.t.Node("A"), c.t.Node("B"), 100.0, 0.3);
    ZPipeLink* p2 = c.t.Pipe("P2", c.t.N("B"), c.t.Node("C"), 300.0, 0.1);
    EXPECT_EQ(c.Run(ZParamCalculator::PipeLength, ZParamCalculator::Divide, "0"), ZParamCalculator::DivideByZero);
    EXPECT_EQ(c.message, "除数不能为零！");
    EXPECT_EQ(c.Run(ZParamCalculator::PipeLength, ZParamCalculator::Divide, "1e-17"), ZParamCalculator::DivideByZero);
    EXPECT_EQ(p1->PipeLength, 100.0);

    // 200 m off every length: P1 would end at -100 m; nothing changes, P1 named.
    EXPECT_EQ(c.Run(ZParamCalculator::PipeLength, ZParamCalculator::Subtract, "200"), ZParamCalculator::BadResult);
    EXPECT_NE(c.message.find("P1"), std::string::npos);
    EXPECT_EQ(p1->PipeLength, 100.0);
    EXPECT_EQ(p2->PipeLength, 300.0);
    // 100 mm off every inner diameter: P2 would end at 0.
    EXPECT_EQ(c.Run(ZParamCalculator::PipeInDiam, ZParamCalculator::Subtract, "100"), ZParamCalculator::BadResult);
    EXPECT_NE(c.message.find("P2"), std::string::npos);
    EXPECT_EQ(p1->PipeInDiam, 0.3);
    // A result too big to hold.
    EXPECT_EQ(c.Run(ZParamCalculator::NodeHydrElev, ZParamCalculator::Add, "1e308"), ZParamCalculator::Ok);
    EXPECT_EQ(c.Run(ZParamCalculator::NodeHydrElev, ZParamCalculator::Multiply, "10"), ZParamCalculator::BadResult);
    EXPECT_EQ(c.t.N("A")->NodeHydrElev, 1e308);
}
