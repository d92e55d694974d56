#include "edit/ZCadImport.h"
#include "edit/ZPipeTeeSplitter.h"
#include "model/ZNetwork.h"
#include "model/ZTemplateSet.h"

#include <gtest/gtest.h>

namespace {

bool AddLine(ZCadImport& imp, double x1, double y1, double x2, double y2)
{
    const PipePoint pts[] = {{x1, y1}, {x2, y2}};
    return imp.AddPolyline(pts, 2);
}

}   // namespace

TEST(ZPipeTeeSplitter, AFewVeryLongLinesKeepTheSearchNearEachNode)
{
    // 10,000 short pipes in a field 300 m wide, and ten lines two thousand kilometres long across
    // it between the rows: each node is measured against the pipes about it and the long lines,
    // not against every pipe (a mean segment length would make one cell of the whole field).
    ZNetwork net;
    ZTemplateSet templates;
    ZCadImport::Options o;
    o.MinDist = 0.01;
    o.ScaleQen = 1000.0;
    ZCadImport imp(net, templates, o);
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j)
            ASSERT_TRUE(AddLine(imp, i * 3.0, j * 3.0, i * 3.0 + 1.0, j * 3.0));
    for (int k = 0; k < 10; ++k)
        ASSERT_TRUE(AddLine(imp, -1e6, 1.5 + 30.0 * k, 1e6, 1.5 + 30.0 * k));
    // A branch ending on the third long line, far from both of its ends.
    ASSERT_TRUE(AddLine(imp, 150.5, 61.5, 150.5, 70.0));
    imp.Finish();
    const int links = net.LinkCount();

    std::vector<ZConsumeNode*> nodes(net.Nodes().begin(), net.Nodes().end());
    std::vector<ZNetObject*> added, changed;
    ZPipeTeeSplitter splitter(net, 0.01);
    EXPECT_EQ(splitter.Split(nodes, added, changed), 1);
    EXPECT_EQ(net.LinkCount(), links + 1);
    EXPECT_EQ(splitter.Overlaps(), 0);
    EXPECT_LT(splitter.Measured(), 20LL * static_cast<long long>(nodes.size()));
}
