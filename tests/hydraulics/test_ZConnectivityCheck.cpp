#include "TestNet.h"
#include "hydraulics/ZConnectivityCheck.h"

#include <gtest/gtest.h>

#include <string>

TEST(ZConnectivityCheck, EmptyNetworkPassesWithoutReport)
{
    TestNet t;
    ZConnectivityCheck check;
    EXPECT_TRUE(check.Run(t.net));
    EXPECT_EQ(check.PieceCount(), 0);
    EXPECT_EQ(check.ReportText(), "");
}

TEST(ZConnectivityCheck, IsolatedNodeMakesASecondPieceNumberedByListOrder)
{
    TestNet t;
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C");
    t.Pipe("P", b, c);
    t.Node("A");   // isolated, first in list order
    ZConnectivityCheck check;
    EXPECT_FALSE(check.Run(t.net));
    ASSERT_EQ(check.PieceCount(), 2);
    EXPECT_EQ(check.PieceStartNode(0)->IdView().Bytes(), "A");
    EXPECT_EQ(check.PieceStartNode(1)->IdView().Bytes(), "B");
    EXPECT_EQ(check.Components(), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(ZConnectivityCheck::ReportTitle(), "管网连通性检查报告");
    EXPECT_EQ(check.ReportText(), "搜索到2个连通网络, 不能进行管网平差!\n\n"
                                  "网络0, 起始节点\"A\"\n"
                                  "网络1, 起始节点\"B\"\n");
}

TEST(ZConnectivityCheck, ClosedDevicesAndAccidentPipesStillConnect)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* d = t.Node("D");
    t.Pipe("P1", a, b);
    t.Valve("V", b, c, 1.0)->ValveOpen = false;
    t.Pipe("P2", c, d)->SetFlag(qen::FLAG_ACCIDENT_PIPE);
    ZConsumeNode* e = t.Node("E");
    t.Pump("U", d, e, 10, 1)->PumpOpen = false;
    ZConnectivityCheck check;
    EXPECT_TRUE(check.Run(t.net));
    EXPECT_EQ(check.PieceCount(), 1);
}

TEST(ZConnectivityCheck, HiddenTankNodeIsNotNamed)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
    t.Pipe("P", a, b);
    // Piece of a tank alone: "0#" (internal, hidden) sorts before its outlet "0T".
    t.Tank("0", t.Node("0T"), 10.0, 2.0);
    ZConnectivityCheck check;
    EXPECT_FALSE(check.Run(t.net));
    ASSERT_EQ(check.PieceCount(), 2);
    EXPECT_EQ(t.net.NodeAt(0)->IdView().Bytes(), "0#");
    EXPECT_EQ(check.PieceStartNode(0)->IdView().Bytes(), "0T");
    EXPECT_NE(check.ReportText().find("网络0, 起始节点\"0T\""), std::string::npos);
}

TEST(ZConnectivityCheck, GbkIdentifiersAreReportedInUtf8)
{
    TestNet t;
    t.Node("\xBD\xDA\xB5\xE3");   // 节点 in GBK
    t.Node("Z");
    ZConnectivityCheck check;
    EXPECT_FALSE(check.Run(t.net));
    EXPECT_NE(check.ReportText().find("起始节点\"节点\""), std::string::npos);
}

TEST(ZConnectivityCheck, MillionNodeChainDoesNotExhaustTheStack)
{
    ZNetwork net;
    const int n = 1000000;
    char id[16];
    for (int i = 0; i < n; ++i) {
        auto* node = new ZConsumeNode;
        std::snprintf(id, sizeof id, "N%07d", i);
        node->SetId(GbkView(std::string_view(id)));
        net.AppendNodeSorted(node);
    }
    for (int i = 0; i + 1 < n; ++i) {
        auto* p = new ZPipeLink;
        std::snprintf(id, sizeof id, "P%07d", i);
        p->SetId(GbkView(std::string_view(id)));
        net.AppendLinkSorted(p);
        p->Connect(net.NodeAt(i), net.NodeAt(i + 1));
    }
    ZConnectivityCheck check;
    EXPECT_TRUE(check.Run(net));
    EXPECT_EQ(check.PieceCount(), 1);
}
