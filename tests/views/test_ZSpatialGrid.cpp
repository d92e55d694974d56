// Networks whose extent overflows a double (nodes at X = 1e308 and -1e308) or that hold positions
// that are not finite crashed opening and exporting: the grid cast a non-finite cell index to int.
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/ZSpatialGrid.h"

#include <QtTest>

#include <limits>

class TestZSpatialGrid : public QObject {
    Q_OBJECT

    static ZConsumeNode* Node(ZNetwork& net, const char* id, double x, double y)
    {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        net.AddNode(n);
        return n;
    }
    static void Pipe(ZNetwork& net, const char* id, ZConsumeNode* a, ZConsumeNode* b)
    {
        auto* p = new ZPipeLink;
        p->SetId(GbkView(id));
        net.AddLink(a, b, p);
    }
    static ViewExtent Rect(double l, double b, double r, double t)
    {
        ViewExtent e;
        e.left = l;
        e.bottom = b;
        e.right = r;
        e.top = t;
        return e;
    }

private slots:
    void extentWiderThanADoubleHolds()
    {
        ZNetwork net;
        ZConsumeNode* a = Node(net, "A", 1e308, 1e308);
        ZConsumeNode* b = Node(net, "B", -1e308, -1e308);
        ZConsumeNode* c = Node(net, "C", 0, 0);
        Pipe(net, "P", a, b);
        Pipe(net, "Q", b, c);
        ZSpatialGrid grid;
        grid.Build(net);
        QVERIFY(grid.IsBuilt());
        std::vector<ZNetObject*> hits;
        grid.Query(Rect(-1, -1, 1, 1), hits);
        QVERIFY(std::find(hits.begin(), hits.end(), c) != hits.end());
        QVERIFY(std::find(hits.begin(), hits.end(), a) == hits.end());
        grid.Query(Rect(-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                        std::numeric_limits<double>::max(), std::numeric_limits<double>::max()),
                   hits);
        QCOMPARE(hits.size(), size_t(5));
        const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
        grid.Query(Rect(nan, nan, nan, nan), hits);
        grid.Query(Rect(-inf, 0, inf, 1e308), hits);
        QVERIFY(std::find(hits.begin(), hits.end(), a) != hits.end());
    }

    void positionsThatAreNotFiniteAreLeftOut()
    {
        ZNetwork net;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        ZConsumeNode* a = Node(net, "A", nan, 0);
        ZConsumeNode* b = Node(net, "B", 10, std::numeric_limits<double>::infinity());
        ZConsumeNode* c = Node(net, "C", 5, 5);
        ZConsumeNode* d = Node(net, "D", 6, 6);
        Pipe(net, "P", a, c);
        Pipe(net, "Q", c, d);
        Q_UNUSED(b);
        ZSpatialGrid grid;
        grid.Build(net);
        std::vector<ZNetObject*> hits;
        grid.Query(Rect(0, 0, 100, 100), hits);
        QCOMPARE(hits.size(), size_t(3));   // Q, C and D
    }

    // The whole path of `qen --export-image` on such networks: loads, fits, paints.
    void extremeNetworksExportToImages()
    {
        ZSettingsStore settings;
        for (double far : {1e308, 1e300, 1e-300}) {
            ZDocument doc;
            ZNetwork& net = doc.GetNetwork();
            ZConsumeNode* a = Node(net, "A", far, far);
            ZConsumeNode* b = Node(net, "B", -far, -far);
            Pipe(net, "P", a, b);
            doc.SetExtents(net.BoundRect());
            NetworkImageExporter ex(doc, settings);
            const QImage img = ex.Render(QSize(200, 150));
            QCOMPARE(img.size(), QSize(200, 150));
        }
    }
};

QTEST_MAIN(TestZSpatialGrid)
#include "test_ZSpatialGrid.moc"
