#include "TestNet.h"

#include <gtest/gtest.h>

TEST(ZFlowNodeCaseDemand, EachCaseAppliesItsRule)
{
    TestNet t;
    ZConsumeNode* plain = t.Node("A", 0.02);
    ZConsumeNode* fireNode = t.Node("B", 0.02);
    plain->NodeFireFlow = 0.5;   // ignored: not a fire node
    fireNode->NodeFireFlow = 0.015;
    fireNode->SetFireNode(true);
    const ZBalanceContext peak(0, 0.6), fire(1, 0.6), accident(2, 0.6), other(7, 0.6);
    EXPECT_DOUBLE_EQ(plain->CaseDemand(peak), 0.02);
    EXPECT_DOUBLE_EQ(fireNode->CaseDemand(peak), 0.02);
    EXPECT_DOUBLE_EQ(plain->CaseDemand(fire), 0.02);
    EXPECT_DOUBLE_EQ(fireNode->CaseDemand(fire), 0.035);
    EXPECT_DOUBLE_EQ(plain->CaseDemand(accident), 0.02 * 0.6);
    EXPECT_DOUBLE_EQ(fireNode->CaseDemand(accident), 0.02 * 0.6);
    EXPECT_DOUBLE_EQ(fireNode->CaseDemand(other), 0.02);
    EXPECT_DOUBLE_EQ(plain->FreeHead(), plain->NodeHydrElev - plain->NodeGrunElev);
}
