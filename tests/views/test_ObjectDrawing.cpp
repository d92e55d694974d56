// What network objects draw: grades, arrows, label placement and angles, device symbols, the
// selected node's fill and the skipping of filtered and hidden objects.
#include "RecordingDrawContext.h"
#include "ViewTestNetworks.h"

#include "model/ZDrawGeometry.h"
#include "model/ZLabelLayout.h"
#include "model/ZSettingsStore.h"
#include "model/ZTankLink.h"
#include "views/ZNetCanvas.h"

#include <QtTest>

#include <cmath>

using G = ZDrawGeometry;
using namespace ViewTestNetworks;

class TestObjectDrawing : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    static double ArrowAngle(const std::vector<PipePoint>& tri)
    {
        const double bx = (tri[1].x + tri[2].x) / 2, by = (tri[1].y + tri[2].y) / 2;
        return G::Direction(tri[0].x - bx, tri[0].y - by);
    }

private slots:
    void gradeIndex()
    {
        const std::vector<double> t{10, 20};
        QCOMPARE(G::GradeIndex(5, t), 0);
        QCOMPARE(G::GradeIndex(10, t), 1);
        QCOMPARE(G::GradeIndex(15, t), 1);
        QCOMPARE(G::GradeIndex(25, t), 2);
        QCOMPARE(G::GradeIndex(20 - 1e-12, t), 1);
        QCOMPARE(G::GradeIndex(20 + 1e-17, t), 2);
        QCOMPARE(G::GradeIndex(5, {}), 0);
        QCOMPARE(G::GradeIndex(std::nan(""), t), 2);
    }

    void anglesAndFonts()
    {
        QCOMPARE(G::Direction(1, 0), 0.0);
        QVERIFY(qFuzzyCompare(G::Direction(0, -1), 1.5 * G::Pi));
        QVERIFY(std::fabs(G::UprightAngle(G::Pi)) < 1e-12);   // pointing left reads left to right
        QVERIFY(std::fabs(G::UprightAngle(1.25 * G::Pi) - 0.25 * G::Pi) < 1e-12);
        QVERIFY(std::fabs(G::UprightAngle(1.75 * G::Pi) + 0.25 * G::Pi) < 1e-12);
        QCOMPARE(G::FontIndex(-G::Pi / 2), 0);
        QCOMPARE(G::FontIndex(0.0), 36);
        QCOMPARE(G::FontIndex(G::Pi / 2), 72);
        // Rounded toward zero to 2.5 degrees, both signs.
        QVERIFY(std::fabs(G::QuantizedAngle(4.9 * G::Pi / 180) - 2.5 * G::Pi / 180) < 1e-12);
        QVERIFY(std::fabs(G::QuantizedAngle(-4.9 * G::Pi / 180) + 2.5 * G::Pi / 180) < 1e-12);
    }

    void freeDirectionOfNodeLabels()
    {
        QVERIFY(std::fabs(G::FreeDirection({}) - 1.5 * G::Pi) < 1e-12);        // straight below
        QVERIFY(std::fabs(G::FreeDirection({0.3}) - (0.3 + G::Pi)) < 1e-12);   // opposite its pipe
        // Pipes east, north and west: the box goes south.
        QVERIFY(std::fabs(G::FreeDirection({0.0, G::Pi / 2, G::Pi}) - 1.5 * G::Pi) < 1e-12);
        // Ties: the first widest gap.
        QVERIFY(std::fabs(G::FreeDirection({0.0, G::Pi}) - G::Pi / 2) < 1e-12);
        QCOMPARE(G::BoxEdgeDistance(10, 4, 0.0), 5.0);
        QCOMPARE(G::BoxEdgeDistance(10, 4, G::Pi / 2), 2.0);
    }

    void clipping()
    {
        const ViewExtent r{0, 0, 10, 10};
        double x1 = -5, y1 = 5, x2 = 15, y2 = 5;
        QVERIFY(G::ClipSegment(r, x1, y1, x2, y2));
        QCOMPARE(x1, 0.0);
        QCOMPARE(x2, 10.0);
        x1 = -5, y1 = -5, x2 = -1, y2 = 20;
        QVERIFY(!G::ClipSegment(r, x1, y1, x2, y2));
        QVERIFY(G::SegmentHitsRect(r, 10, 10, 20, 20));   // boundary counts
    }

    void arrowsFollowTheHeadGradient()
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "a", 0, 0, 30);
        ZConsumeNode* b = AddNode(doc, "b", 100, 0, 20);
        ZPipeLink* p = AddPipe(doc, "p", a, b);
        p->SetVertices({{50, 50}});
        doc.GetDrawSettings().Balanced = 1;
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 400, 400));
        c.SetCentre(50, 0);
        settings.LabelOn = false;
        RecordingDrawContext dc(c, c.GetExtent());
        p->Draw(c, dc);
        QCOMPARE(int(dc.lines.size()), 2);
        QCOMPARE(int(dc.polygons.size()), 2);
        QVERIFY(std::fabs(ArrowAngle(dc.polygons[0]) - G::Pi / 4) < 1e-9);
        QVERIFY(std::fabs(ArrowAngle(dc.polygons[1]) - 1.75 * G::Pi) < 1e-9);
        // Arrow size: length 8 px, base 4 px at scale 1.
        const auto& t = dc.polygons[0];
        QVERIFY(std::fabs(std::hypot(t[1].x - t[2].x, t[1].y - t[2].y) - 4.0) < 1e-9);

        // Reversed heads reverse every arrow, the vertex order stays.
        a->NodeHydrElev = 20;
        b->NodeHydrElev = 30;
        RecordingDrawContext dc2(c, c.GetExtent());
        p->Draw(c, dc2);
        QVERIFY(std::fabs(ArrowAngle(dc2.polygons[0]) - 1.25 * G::Pi) < 1e-9);
        QCOMPARE(p->VertexAt(0).x, 50.0);

        // Equal heads, or a document that is not balanced: no arrows.
        b->NodeHydrElev = 20;
        RecordingDrawContext dc3(c, c.GetExtent());
        p->Draw(c, dc3);
        QVERIFY(dc3.polygons.empty());
        settings.LabelOn = true;
    }

    void segmentsAreClippedAndMidpointsOutsideLoseArrows()
    {
        ZDocument doc;
        ZPipeLink* p = AddPipe(doc, "p", AddNode(doc, "a", -1000, 0, 30), AddNode(doc, "b", 1000, 0, 20));
        doc.GetDrawSettings().Balanced = 1;
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 100, 100));
        c.SetCentre(500, 0);   // the midpoint (0, 0) lies outside
        RecordingDrawContext dc(c, c.GetExtent());
        p->Draw(c, dc);
        QCOMPARE(int(dc.lines.size()), 1);
        QCOMPARE(dc.lines[0][0], 450.0);
        QCOMPARE(dc.lines[0][2], 550.0);
        QVERIFY(dc.polygons.empty());
    }

    void selectedNodeIsFilledWithNestedSquares()
    {
        ZDocument doc;
        ZConsumeNode* n = AddNode(doc, "n", 0, 0);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 100, 100));
        c.SetScale(0.5);
        n->SetFlag(qen::FLAG_SELECTED);
        RecordingDrawContext dc(c, c.GetExtent());
        n->Draw(c, dc);
        // 6 px at 96 dpi: 6, 4 and 2 px squares, one pixel apart.
        QCOMPARE(int(dc.rects.size()), 3);
        QCOMPARE(dc.rects[0].Width(), 3.0);
        QCOMPARE(dc.rects[1].Width(), 2.0);
        QCOMPARE(dc.rects[2].Width(), 1.0);
        n->SetFlag(qen::FLAG_ERASE);   // erasing: one square
        RecordingDrawContext dc2(c, c.GetExtent());
        n->Draw(c, dc2);
        QCOMPARE(int(dc2.rects.size()), 1);
    }

    void filteredAndHiddenObjectsAreNotDrawn()
    {
        ZDocument doc;
        ZConsumeNode* n = AddNode(doc, "n", 0, 0);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(-50, -50, 100, 100));
        for (uint32_t f : {qen::FLAG_FILTERED, qen::FLAG_HIDDEN}) {
            n->SetFlags(f);
            RecordingDrawContext dc(c, c.GetExtent());
            n->Draw(c, dc);
            QVERIFY(dc.rects.empty());
            c.RebuildVisibleSet();
            QVERIFY(c.VisibleSet().Nodes().empty());
            int pos = 0;
            QVERIFY(!doc.GetNetwork().HitTestNodes(c, c.GetExtent(), pos, false));
            QCOMPARE(pos, -1);
        }
    }

    void singleValueLabels()
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "a", 0, 0);
        ZConsumeNode* b = AddNode(doc, "b", -100, -100);
        ZPipeLink* p = AddPipe(doc, "pp", a, b);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 400, 400));
        c.SetCentre(-50, -50);
        RecordingDrawContext dc(c, c.GetExtent());
        a->Draw(c, dc);
        QCOMPARE(int(dc.texts.size()), 1);
        double w, h;
        c.TextExtent("a", w, h);
        // Centred above the square: top-left at y = (6 + 1) / 2 + h + lead.
        QCOMPARE(dc.texts[0].x, -w / 2);
        QCOMPARE(dc.texts[0].y, 3.5 + h);
        QCOMPARE(dc.texts[0].angle, 0.0);

        // The pipe runs south-west: its label reads upright at 45 degrees, above the line.
        RecordingDrawContext dc2(c, c.GetExtent());
        p->Draw(c, dc2);
        QCOMPARE(int(dc2.texts.size()), 1);
        QVERIFY(std::fabs(dc2.texts[0].angle - G::Pi / 4) < 1e-12);
        c.TextExtent("pp", w, h);
        const ZTextPlacement& t = ZLabelLayout::AlongSegment(c, {0, 0}, {-100, -100}, GbkView("pp"), true);
        QCOMPARE(t.x, dc2.texts[0].x);
        // The text's lower edge sits on the line's left (upper) side, centred on the midpoint.
        const double c45 = std::cos(G::Pi / 4);
        const double bx = t.x + t.width / 2 * c45 + h * c45, by = t.y + t.width / 2 * c45 - h * c45;
        QVERIFY(std::fabs(bx - -50) < 1e-9 && std::fabs(by - -50) < 1e-9);
    }

    void projectLabelsGiveWayToWorkshops()
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "a", 0, 0, 30);
        AddPipe(doc, "p", a, AddNode(doc, "b", 100, 0, 20));
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(-200, -200, 400, 400));
        settings.LabelTip().LabelMode = ZLabelTipSettings::MultiLine;
        RecordingDrawContext dc(c, c.GetExtent());
        a->Draw(c, dc);
        QVERIFY(!dc.outlines.empty());         // the framed box
        QVERIFY(dc.outlines[0].right < 0.0);   // on the side away from the pipe
        QCOMPARE(int(dc.texts.size()), 2);     // "H=" and "Q=" lines
        c.SetWorkshopActive(true);
        RecordingDrawContext dc2(c, c.GetExtent());
        a->Draw(c, dc2);
        QVERIFY(dc2.outlines.empty() && dc2.texts.empty());
        settings.LabelTip().LabelMode = ZLabelTipSettings::SingleValue;
    }

    void deviceSymbolsKeepTheirPixelSize()
    {
        ZDocument doc;
        ZConsumeNode* in = AddNode(doc, "in", 10, 20);
        ZConsumeNode* out = AddNode(doc, "out", 10, 20);
        auto* pump = new ZPumpLink;
        pump->SetId("pu");
        doc.GetNetwork().AddLink(in, out, pump);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 200, 200));
        c.SetCentre(10, 20);
        for (double s : {1.0, 0.25}) {
            c.SetScale(s);
            const PipePoint o = out->GetPosition(c);
            QCOMPARE(o.x, 10 + 19 * s);   // outlet anchor (19, 10) minus inlet (0, 10)
            QCOMPARE(o.y, 20.0);
            const ViewExtent r = pump->SymbolRect(c);
            QCOMPARE(r.Width(), 20 * s);
            QCOMPARE(r.top, 20 + 10 * s);
        }
        // A pipe on the outlet follows the symbol.
        ZPipeLink* p = AddPipe(doc, "p", out, AddNode(doc, "far", 100, 20));
        RecordingDrawContext dc(c, c.GetExtent());
        p->Draw(c, dc);
        QCOMPARE(dc.lines[0][0], 10 + 19 * 0.25);
        // On a printer the anchors scale with the stretched symbol.
        c.SetScale(1.0);
        c.SetDeviceDpi(600, 600);
        c.SetPrinting(true);
        QCOMPARE(out->GetPosition(c).x, 10.0 + c.DeviceSize(19));
        c.SetPrinting(false);
        c.SetDeviceDpi(96, 96);
        // A tank's start node is its visible outlet; the hidden end node sits at (0, 0) of the image.
        ZConsumeNode* t0 = AddNode(doc, "t0", 500, 500);
        ZConsumeNode* t1 = AddNode(doc, "t1", 500, 500);
        auto* tank = new ZTankLink;
        tank->SetId("t");
        doc.GetNetwork().AddLink(t0, t1, tank);
        QCOMPARE(t1->GetPosition(c).x, 500.0 - 9);
        QCOMPARE(t1->GetPosition(c).y, 500.0 + 17);
        QVERIFY(t1->IsHidden());
    }
};

QTEST_MAIN(TestObjectDrawing)
#include "test_ObjectDrawing.moc"
