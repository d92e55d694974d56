#include "CadTestUtil.h"
#include "cadbridge/CadSession.h"
#include "cadbridge/CadTextMetrics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The groups of the entities added to the active drawing, split per entity.
struct Entity {
    std::string type;
    std::vector<DxfTag> tags;
    std::vector<double> All(int code) const
    {
        std::vector<double> v;
        for (const DxfTag& t : tags)
            if (t.code == code) {
                double d = 0;
                dxf::ParseDouble(t.value, d);
                v.push_back(d);
            }
        return v;
    }
    double Get(int code, double def = 0) const
    {
        auto v = All(code);
        return v.empty() ? def : v.front();
    }
    std::string Text(int code) const
    {
        for (const DxfTag& t : tags)
            if (t.code == code)
                return t.value;
        return {};
    }
};

class DrawFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        CadCloseSession();
        m_h = OpenAutoCad();
        ASSERT_EQ(CadNewDwg(m_h), -1);
        ASSERT_EQ(CadCreateLayer(m_h, "L"), -1);
    }
    void TearDown() override
    {
        CloseAutoCad(m_h);
        CadCloseSession();
    }
    std::vector<Entity> Added() const
    {
        std::vector<Entity> out;
        for (const DxfTag& t : CadSession::Instance().Active()->AddedEntities()) {
            if (t.code == 0)
                out.push_back({t.value, {}});
            else
                out.back().tags.push_back(t);
        }
        return out;
    }
    CadHandle m_h = nullptr;
};

}   // namespace

TEST_F(DrawFunctions, NullHandleUnknownLayerAndCoincidentPointsFail)
{
    const CadPoint p{0, 0}, q{1, 0};
    EXPECT_EQ(CadDrawNode(nullptr, &p, 2, "L"), 0);
    EXPECT_EQ(CadCreateLayer(nullptr, "L"), 0);
    const char* names[] = {"A"};
    EXPECT_EQ(CadCreateLayers(nullptr, names, 1), -1);
    EXPECT_EQ(CadDrawNode(m_h, &p, 2, "NO SUCH LAYER"), 0);
    EXPECT_EQ(CadDrawPump(m_h, &p, &p, 5, "L"), 0);
    EXPECT_EQ(CadDrawValve(m_h, &q, &q, 5, "L"), 0);
    EXPECT_TRUE(Added().empty());
}

TEST_F(DrawFunctions, NodeIsAClosedWideTwoBulgePolyline)
{
    const CadPoint p{0, 0};
    ASSERT_EQ(CadDrawNode(m_h, &p, 2, "L"), -1);
    auto e = Added();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].type, "LWPOLYLINE");
    EXPECT_EQ(e[0].Text(8), "L");
    EXPECT_EQ(e[0].All(10), (std::vector<double>{-0.5, 0.5}));
    EXPECT_EQ(e[0].All(20), (std::vector<double>{0, 0}));
    EXPECT_EQ(e[0].All(42), (std::vector<double>{1, 1}));
    EXPECT_EQ(e[0].Get(43), 1.0);
    EXPECT_EQ(e[0].Get(70), 1.0);
}

TEST_F(DrawFunctions, TankSquareAndWaterMarks)
{
    const CadPoint p{0, 0};
    ASSERT_EQ(CadDrawTank(m_h, &p, 10, "L"), -1);
    auto e = Added();
    ASSERT_EQ(e.size(), 3u);
    const auto xs = e[0].All(10), ys = e[0].All(20);
    ASSERT_EQ(xs.size(), 4u);
    const double want[4][2] = {{-5, 0}, {-5, 10}, {5, 10}, {5, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(xs[i], want[i][0], 1e-12);
        EXPECT_NEAR(ys[i], want[i][1], 1e-12);
    }
    EXPECT_EQ(e[1].type, "LINE");
    EXPECT_NEAR(e[1].Get(10), -2.5, 1e-12);
    EXPECT_NEAR(e[1].Get(11), 2.5, 1e-12);
    EXPECT_NEAR(e[1].Get(20), 8, 1e-12);
    EXPECT_NEAR(e[2].Get(10), -1.25, 1e-12);
    EXPECT_NEAR(e[2].Get(11), 1.25, 1e-12);
    EXPECT_NEAR(e[2].Get(21), 6, 1e-12);
}

TEST_F(DrawFunctions, NodeLabelBoxBesideTheNode)
{
    const CadPoint p{100, 50};
    EXPECT_EQ(CadDrawNodeLabel(m_h, &p, 2, 3.5, "L", nullptr, 0, 0, 1), -1);
    EXPECT_TRUE(Added().empty());

    const std::string id = cadtest::Gbk("节点J1");
    const char* lines[] = {id.c_str()};
    const double h = 3.5, w = CadTextMetrics::Width(id, h);
    EXPECT_DOUBLE_EQ(w, (2 * CadTextMetrics::WideAdvance + 2 * CadTextMetrics::NarrowAdvance) * h);
    ASSERT_EQ(CadDrawNodeLabel(m_h, &p, 2, h, "L", lines, 1, 0.0, 0), -1);
    auto e = Added();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].type, "TEXT");
    EXPECT_EQ(e[0].Text(1), id);
    EXPECT_EQ(e[0].Get(73), 3.0);   // top
    EXPECT_EQ(e[0].Get(72), 0.0);   // left
    // Box W = w + 0.6h, H = 1.6h; its left edge nodeSize/2 + 0.48h right of the node.
    const double left = p.x + 1 + 0.48 * h;
    EXPECT_NEAR(e[0].Get(11), left + 0.3 * h, 1e-9);
    EXPECT_NEAR(e[0].Get(21), p.y + 0.8 * h - 0.3 * h, 1e-9);

    // Framed, two lines, label straight below: 3 rules, 2 sides.
    const char* two[] = {"A1", "B22"};
    ASSERT_EQ(CadDrawNodeLabel(m_h, &p, 2, h, "L", two, 2, 3 * M_PI / 2, 1), -1);
    e = Added();
    ASSERT_EQ(e.size(), 1u + 2 + 5);
    const double W = CadTextMetrics::Width("B22", h) + 0.6 * h, P = 1.6 * h, H = 2 * P;
    const double cy = p.y - (H / 2 + 1 + 0.3 * P);
    EXPECT_NEAR(e[3].Get(10), p.x - W / 2, 1e-9);
    EXPECT_NEAR(e[3].Get(20), cy + H / 2, 1e-9);
    EXPECT_NEAR(e[5].Get(20), cy - H / 2, 1e-9);
}

TEST_F(DrawFunctions, PipeLabelAboveAndBelowClearOfTheArrow)
{
    const CadPoint p{0, 0};
    ASSERT_EQ(CadDrawPipeLabel(m_h, &p, 0.0, 3.5, 4, "L", "up", "down", 0), -1);
    auto e = Added();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Text(1), "up");
    const double d = 4.0 / 6 + 0.3 * 3.5;
    EXPECT_NEAR(e[0].Get(21), d, 1e-12);
    EXPECT_EQ(e[0].Get(72), 1.0);
    EXPECT_EQ(e[0].Get(73), 1.0);
    ASSERT_EQ(CadDrawPipeLabel(m_h, &p, M_PI / 2, 3.5, 4, "L", "up", "down", 1), -1);
    e = Added();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_NEAR(e[1].Get(11), -d, 1e-12);   // above a vertical pipe is to its left
    EXPECT_NEAR(e[1].Get(50), 90, 1e-9);
    EXPECT_NEAR(e[2].Get(11), d, 1e-12);
    EXPECT_EQ(e[2].Get(73), 3.0);
}

TEST_F(DrawFunctions, ArrowPumpValveAndCurve)
{
    const CadPoint p{10, 0}, q{20, 0};
    ASSERT_EQ(CadDrawPipeArrow(m_h, &p, M_PI, 6, "L"), -1);
    auto e = Added();
    EXPECT_NEAR(e[0].All(10)[0], 13, 1e-12);
    EXPECT_NEAR(e[0].All(10)[1], 7, 1e-12);
    EXPECT_EQ(e[0].All(40), (std::vector<double>{2}));
    EXPECT_EQ(e[0].All(41), (std::vector<double>{0}));

    ASSERT_EQ(CadDrawPump(m_h, &p, &q, 4, "L"), -1);
    ASSERT_EQ(CadDrawValve(m_h, &p, &q, 4, "L"), -1);
    e = Added();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[1].All(20), (std::vector<double>{0, -2, -2}));   // apex on the link, base right
    EXPECT_EQ(e[2].type, "CIRCLE");
    EXPECT_NEAR(e[2].Get(20), 1.5, 1e-12);
    EXPECT_NEAR(e[2].Get(40), 1.5, 1e-12);
    EXPECT_EQ(e[3].All(10), (std::vector<double>{10, 20, 20, 10}));

    const CadPoint pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    ASSERT_EQ(CadDrawCurve(m_h, pts, 5, "L", 2, 1), -1);
    e = Added();
    EXPECT_EQ(e[4].type, "POLYLINE");
    EXPECT_EQ(e[4].Get(70), 5.0);   // closed, spline fitted
    EXPECT_EQ(e[4].Get(75), 5.0);   // quadratic B-spline
    int frame = 0;
    for (const Entity& v : e)
        frame += v.type == "VERTEX" && v.Get(70) == 16 ? 1 : 0;
    EXPECT_EQ(frame, 5);
    EXPECT_EQ(e.back().type, "SEQEND");
}

TEST_F(DrawFunctions, ExistingLayerIsNotAddedTwice)
{
    const char* names[] = {"L", "N", "N"};
    EXPECT_EQ(CadCreateLayers(m_h, names, 3), -1);
    EXPECT_EQ(CadSession::Instance().Active()->AddedLayerCount(), 2);
}
