#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeCanvas.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"
#include "persist/TextExchange.h"
#include "persist/ZCadExport.h"
#include "persist/ZCadImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

ZConsumeNode* Node(ZNetwork& net, const std::string& id, double x, double y)
{
    auto* n = new ZConsumeNode;
    n->SetId(id);
    n->X = x;
    n->Y = y;
    net.AddNode(n);
    return n;
}

ZPipeLink* Pipe(ZNetwork& net, const std::string& id, ZConsumeNode* a, ZConsumeNode* b, std::vector<PipePoint> v = {})
{
    auto* p = new ZPipeLink;
    p->SetId(id);
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

} // namespace

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
    EXPECT_DOUBLE_EQ(ZCadExport::NodeLabelAngle(*c), M_PI);            // opposite its pipe
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
        Key k = {std::llround(a.x * 1000), std::llround(a.y * 1000), std::llround(b.x * 1000), std::llround(b.y * 1000)};
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
