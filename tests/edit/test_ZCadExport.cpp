#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeCanvas.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZContourPolygon.h"
#include "model/ZContourSet.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"
#include "persist/text/TextExchange.h"
#include "edit/ZCadExport.h"
#include "edit/ZCadImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

ZConsumeNode* Node(ZNetwork& net, const std::string& id, double x, double y)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    net.AddNode(n);
    return n;
}

ZPipeLink* Pipe(ZNetwork& net, const std::string& id, ZConsumeNode* a, ZConsumeNode* b, std::vector<PipePoint> v = {})
{
    auto* p = new ZPipeLink;
    p->SetId(GbkView(id));
    p->SetVertices(std::move(v));
    net.AddLink(a, b, p);
    return p;
}

struct Recorder : ProgressObserver, Prompt {
    std::vector<int> percents;
    int stopAt = -1;
    int questions = 0;
    void Progress(double f) override { percents.push_back(static_cast<int>(std::lround(f * 100))); }
    bool StopRequested() const override { return stopAt >= 0 && static_cast<int>(percents.size()) > stopAt; }
    bool AskYesNo(const std::string&) override { return ++questions > 0; }
    void Inform(const std::string&) override {}
};

int CountEntities(CadHandle h)
{
    struct C {
        static int Count(int, CadPoint*, int, void* u, int*)
        {
            ++*static_cast<int*>(u);
            return 0;
        }
    };
    int n = 0;
    ExtractPipeFromAutoCad(h, 0, nullptr, 3, &C::Count, &n);
    return n;
}

}   // namespace

TEST(ZCadExport, LabelAnglesReadUpright)
{
    EXPECT_DOUBLE_EQ(ZCadExport::Direction({10, 0}, {0, 0}), M_PI);
    EXPECT_DOUBLE_EQ(ZCadExport::Readable(M_PI), 0.0);
    EXPECT_DOUBLE_EQ(ZCadExport::Readable(M_PI / 2), M_PI / 2);
    EXPECT_NEAR(ZCadExport::Readable(3 * M_PI / 2), M_PI / 2, 1e-15);
    EXPECT_NEAR(ZCadExport::Readable(7 * M_PI / 4), -M_PI / 4, 1e-15);
    EXPECT_NEAR(ZCadExport::Direction({0, 0}, {0, -1}), 3 * M_PI / 2, 1e-15);
}

TEST(ZCadExport, NodeLabelsGoIntoTheWidestGap)
{
    ZNetwork net;
    ZConsumeNode* c = Node(net, "C", 0, 0);
    EXPECT_DOUBLE_EQ(ZCadExport::NodeLabelAngle(*c), 3 * M_PI / 2);   // no pipes: straight below
    Pipe(net, "P1", c, Node(net, "E", 10, 0));
    EXPECT_DOUBLE_EQ(ZCadExport::NodeLabelAngle(*c), M_PI);   // opposite its pipe
    // Towards the bend point next to the node, not the far node.
    Pipe(net, "P2", Node(net, "N", 50, 50), c, {{20, 20}, {0, 10}});
    EXPECT_DOUBLE_EQ(ZCadExport::NodeLabelAngle(*c), 5 * M_PI / 4);
}

TEST(ZCadExport, DefaultScaleAndPositions)
{
    ZDocument doc;
    ZSettingsStore settings;
    ZCadExport::Options o;
    ZCadExport ex(doc, settings, o);
    EXPECT_DOUBLE_EQ(ex.Ratio(), 1000.0);
    ZNetwork& net = doc.GetNetwork();
    ZConsumeNode* a = Node(net, "A", 10, 0);
    const PipePoint p = ex.Position(*a);
    EXPECT_DOUBLE_EQ(p.x, 10000.0);
    // A pump outlet is moved by the device size away from the pipe at its inlet.
    ZConsumeNode* in = Node(net, "IN", 0, 0);
    ZConsumeNode* out = Node(net, "OUT", 0, 0);
    Pipe(net, "P1", Node(net, "W", -10, 0), in);
    auto* pump = new ZPumpLink;
    pump->SetId("PU");
    net.AddLink(in, out, pump);
    in->SetFlag(qen::FLAG_DEVICE_NODE);
    out->SetFlag(qen::FLAG_DEVICE_NODE | qen::FLAG_DEVICE_OUTLET);
    const PipePoint q = ex.Position(*out);
    EXPECT_NEAR(q.x, 5.0, 1e-12);
    EXPECT_NEAR(q.y, 0.0, 1e-12);
}

TEST(ZCadExport, DrawingPassEntitiesProgressAndStop)
{
    ZDocument doc;
    ZSettingsStore settings;
    ZNetwork& net = doc.GetNetwork();
    ZConsumeNode* a = Node(net, "A", 0, 0);
    ZConsumeNode* b = Node(net, "B", 10, 0);
    ZConsumeNode* c = Node(net, "C", 10, 10);
    Pipe(net, "P1", a, b);
    Pipe(net, "P2", b, c, {{15, 5}});
    Node(net, "H", 5, 5)->SetFlag(qen::FLAG_HIDDEN);
    a->NodeHydrElev = 30;
    b->NodeHydrElev = 20;
    c->NodeHydrElev = 20;   // equal heads: no arrow
    doc.GetDrawSettings().Balanced = 1;

    CadCloseSession();
    CadHandle h = OpenAutoCad();
    ASSERT_EQ(CadNewDwg(h), -1);
    ZCadExport ex(doc, settings, ZCadExport::Options());
    Recorder r;
    CadBridgeCanvas<ZCadCanvas, PipePoint> canvas(h);
    ex.Run(canvas, &r, &r);
    // 2 pipes + 2 pipe labels + 1 arrow; 3 nodes + 3 node labels (identifiers on by default).
    EXPECT_EQ(CountEntities(h), 2 + 2 + 1 + 3 + 3);
    EXPECT_EQ(r.percents, (std::vector<int>{0, 16, 33, 50, 66, 83}));
    EXPECT_EQ(r.questions, 0);

    // Stopped after the first pipe: no nodes drawn.
    ASSERT_EQ(CadNewDwg(h), -1);
    Recorder stop;
    stop.stopAt = 0;
    ex.Run(canvas, &stop, &stop);
    EXPECT_EQ(stop.questions, 1);
    EXPECT_EQ(stop.percents.size(), 1u);
    EXPECT_EQ(CountEntities(h), 1 + 1 + 1);
    CloseAutoCad(h);
    CadCloseSession();
}

TEST(ZCadExport, ExportThenImportGivesTheSameTopology)
{
    ZDocument doc;
    ZSettingsStore settings;
    TextExchange::LoadFile(QEN_SOURCE_DIR "/examples/town.txt", doc, settings.Units(), settings.Templates());
    ZCadExport::Options o;
    o.ScaleQen = 1000.0;   // one CAD unit per metre
    ZCadExport ex(doc, settings, o);
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    ASSERT_EQ(CadNewDwg(h), -1);
    CadBridgeCanvas<ZCadCanvas, PipePoint> canvas(h);
    ex.Run(canvas, nullptr, nullptr);

    ZDocument back;
    ZCadImport::Options io;
    io.ScaleQen = 1000.0;
    ZCadImport imp(back.GetNetwork(), settings.Templates(), io);
    const std::vector<std::string> layers = {"PIPE"};
    EXPECT_EQ(CadBridgeScan<PipePoint>(h, &layers, 3, imp), 58);
    CloseAutoCad(h);
    CadCloseSession();

    // Pipes by their end positions and bend points; nodes by position with their pipe counts.
    using Key = std::vector<long long>;
    auto key = [](const PipePoint& a, const PipePoint& b, const std::vector<PipePoint>& v) {
        Key k = {std::llround(a.x * 1000), std::llround(a.y * 1000), std::llround(b.x * 1000),
                 std::llround(b.y * 1000)};
        for (const PipePoint& p : v) {
            k.push_back(std::llround(p.x * 1000));
            k.push_back(std::llround(p.y * 1000));
        }
        return k;
    };
    std::multiset<Key> want, got;
    std::map<std::pair<long long, long long>, int> wantDegree, gotDegree;
    auto place = [](const PipePoint& p) { return std::make_pair(std::llround(p.x * 1000), std::llround(p.y * 1000)); };
    for (const ZFlowLink* l : doc.GetNetwork().Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto* p = static_cast<const ZPipeLink*>(l);
        const PipePoint a = ex.Position(*p->From()), b = ex.Position(*p->To());
        want.insert(key(a, b, p->Vertices()));
        ++wantDegree[place(a)];
        ++wantDegree[place(b)];
    }
    for (const ZFlowLink* l : back.GetNetwork().Links()) {
        auto* p = static_cast<const ZPipeLink*>(l);
        const PipePoint a{p->From()->X, p->From()->Y}, b{p->To()->X, p->To()->Y};
        got.insert(key(a, b, p->Vertices()));
        ++gotDegree[place(a)];
        ++gotDegree[place(b)];
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(gotDegree, wantDegree);
    EXPECT_EQ(back.GetNetwork().NodeCount(), static_cast<int>(wantDegree.size()));
}

namespace {

// Records what the export pass asks of a drawing.
struct RecordingCanvas : ZCadCanvas {
    std::vector<std::string> layers;
    std::map<std::string, int> colours;
    double units = 0.0;
    std::vector<std::pair<std::string, std::vector<PipePoint>>> curves;
    std::vector<std::string> arrowLayers, labelLayers;
    std::vector<bool> closed;
    void CreateLayers(const std::vector<std::string>& names) override { layers = names; }
    void Pipe(const std::vector<PipePoint>&, const std::string&) override {}
    void PipeLabel(const PipePoint&, double, double, double, const std::string& layer, const std::string&,
                   const std::string&, bool) override
    {
        labelLayers.push_back(layer);
    }
    void PipeArrow(const PipePoint&, double, double, const std::string& layer) override
    {
        arrowLayers.push_back(layer);
    }
    void Pump(const PipePoint&, const PipePoint&, double, const std::string&) override {}
    void Valve(const PipePoint&, const PipePoint&, double, const std::string&) override {}
    void Tank(const PipePoint&, double, const std::string&) override {}
    void Node(const PipePoint&, double, const std::string&) override {}
    void NodeLabel(const PipePoint&, double, double, const std::string&, const std::vector<std::string>&, double,
                   bool) override
    {
    }
    void Curve(const std::vector<PipePoint>& pts, const std::string& layer, int, bool c) override
    {
        curves.emplace_back(layer, pts);
        closed.push_back(c);
    }
    void LayerColour(const std::string& layer, int colour) override { colours[layer] = colour; }
    void Units(double perMetre) override { units = perMetre; }
};

}   // namespace

TEST(ZCadExport, ArrowsAndContoursOnLayersOfTheirOwnWithTracedLinesOnly)
{
    ZDocument doc;
    ZSettingsStore settings;
    ZNetwork& net = doc.GetNetwork();
    ZConsumeNode* a = Node(net, "A", 0, 0);
    ZConsumeNode* b = Node(net, "B", 10, 0);
    Pipe(net, "P1", a, b);
    a->NodeHydrElev = 30;
    b->NodeHydrElev = 20;
    ZDrawSettings& ds = doc.GetDrawSettings();
    ds.Balanced = 1;
    ds.ContourOption = 1;
    // An open line closed along the grid border for the fill, and a ring traced closed.
    ZContourPolygon open;
    open.Level = 25;
    open.Points = {{0, 1}, {5, 2}, {10, 1}, {10, 10}, {0, 10}, {0, 1}};
    open.TracedCount = 3;
    open.AddedCount = 3;
    ZContourPolygon ring;
    ring.Level = 26;
    ring.Points = {{4, 4}, {6, 4}, {6, 6}, {4, 6}, {4, 4}};
    ring.TracedCount = 5;
    doc.GetContours().Polygons = {open, ring};

    ZCadExport ex(doc, settings, ZCadExport::Options());
    RecordingCanvas c;
    ex.Run(c, nullptr, nullptr);
    EXPECT_EQ(c.layers, (std::vector<std::string>{"TEXT", "NODE", "PIPE", "OTHER", "ARROW", "CONTOUR"}));
    std::set<int> distinct;
    for (const std::string& l : c.layers)
        distinct.insert(c.colours.at(l));
    EXPECT_EQ(distinct.size(), 6u);
    EXPECT_DOUBLE_EQ(c.units, 1000.0);
    EXPECT_EQ(c.arrowLayers, (std::vector<std::string>{"ARROW"}));
    ASSERT_EQ(c.curves.size(), 2u);
    EXPECT_EQ(c.curves[0].first, "CONTOUR");
    ASSERT_EQ(c.curves[0].second.size(), 3u);   // no border, no closing point
    EXPECT_DOUBLE_EQ(c.curves[0].second[2].x, 10000.0);
    EXPECT_FALSE(c.closed[0]);
    EXPECT_EQ(c.curves[1].second.size(), 4u);   // closed by its flag, the repeated point left out
    EXPECT_TRUE(c.closed[1]);
    // Contour values go with their lines.
    EXPECT_EQ(std::count(c.labelLayers.begin(), c.labelLayers.end(), "CONTOUR"), settings.ContourLabelOn ? 2 : 0);
}

TEST(ZCadExport, ReadableSizesFollowTheNetworkAndTheScale)
{
    ZNetwork net;
    EXPECT_DOUBLE_EQ(ZCadExport::ReadableSizes(net, 1000.0).LabelSize, 3.5);   // nothing to measure
    Node(net, "A", 0, 0);
    Node(net, "B", 841, 100);   // 841 m: one metre per millimetre of an A1 sheet
    const ZCadExport::Options mm = ZCadExport::ReadableSizes(net, 1000.0);
    EXPECT_DOUBLE_EQ(mm.LabelSize, 3500.0);
    EXPECT_DOUBLE_EQ(mm.NodeSize, 2000.0);
    EXPECT_DOUBLE_EQ(mm.DevSize, 5000.0);
    EXPECT_DOUBLE_EQ(mm.ArrowSize, 4000.0);
    EXPECT_DOUBLE_EQ(ZCadExport::ReadableSizes(net, 1.0).LabelSize, 3.5);
    EXPECT_TRUE(ZCadExport::TooSmall(net, 1000.0, 3.5));
    EXPECT_FALSE(ZCadExport::TooSmall(net, 1000.0, 3500.0));
    Node(net, "C", 0, 1682 * 3);   // taller than wide: the larger side counts
    EXPECT_DOUBLE_EQ(ZCadExport::ReadableSizes(net, 1000.0).LabelSize, 21000.0);
}
