// The example network drawn into images, balanced and not, checked at known pixels; PNG and PDF
// files through the exporter.
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/QtDrawContext.h"
#include "views/ZGradeLegend.h"
#include "views/ZNetCanvas.h"
#include "model/ZDeviceLink.h"

#include <QtTest>

#include <cmath>
#include <set>

class TestNetworkImageExporter : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    const QSize size{1000, 700};
    const QString town = QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt");

    QColor At(const QImage& img, const ZNetCanvas& c, double x, double y, int dx = 0, int dy = 0)
    {
        int px, py;
        c.WorldToDevice(x, y, px, py);
        return img.pixelColor(px + dx, py + dy);
    }
    QColor Col(uint32_t rgb) { return QtDrawContext::ToColor(rgb); }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(town))
            QSKIP("examples/town.txt is not there");
    }

    void unbalancedDrawing()
    {
        ZDocument doc;
        QString err;
        QVERIFY2(NetworkImageExporter::Load(town, doc, settings, err), qPrintable(err));
        NetworkImageExporter ex(doc, settings);
        const QImage img = ex.Render(size);
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        const auto& col = settings.Colors();
        // Node J23: filled square; its outline three pixels up and left.
        const ZConsumeNode* j23 = doc.GetNetwork().FindNode("J23");
        QVERIFY(j23);
        QCOMPARE(At(img, c, j23->X, j23->Y), Col(col.NodeFill));
        QCOMPARE(At(img, c, j23->X, j23->Y, -3, -3), Col(col.Node));
        // Pipe P01 from J11 (0, 0) to J12 (320, 0): a quarter along it, pipe colour; no arrows
        // below the line while the network is not balanced.
        QCOMPARE(At(img, c, 80, 0), Col(col.Pipe));
        QCOMPARE(At(img, c, 160, 0, 0, 1), Col(col.BkGround));
        // Far corner of the image: background.
        QCOMPARE(img.pixelColor(size.width() - 2, size.height() - 2), Col(col.BkGround));
        // The node label sits above the node in the node text colour.
        bool labelSeen = false;
        int px, py;
        c.WorldToDevice(j23->X, j23->Y, px, py);
        for (int y = py - 18; y < py - 4; ++y)
            for (int x = px - 10; x <= px + 10; ++x)
                labelSeen |= img.pixelColor(x, y) == Col(col.NodeText);
        QVERIFY(labelSeen);
    }

    void balancedDrawingHasArrowsDownTheGradient()
    {
        ZDocument doc;
        QString err;
        QVERIFY(NetworkImageExporter::Load(town, doc, settings, err));
        NetworkImageExporter ex(doc, settings);
        QVERIFY2(ex.Balance(err), qPrintable(err));
        QVERIFY(doc.GetDrawSettings().Balanced);
        const QImage img = ex.Render(size);
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        const auto& col = settings.Colors();
        QCOMPARE(At(img, c, 160, 0, 0, 1), Col(col.Pipe));   // the arrow's lower half
        // The arrow's base is wider than its tip: look which side of the midpoint carries it.
        auto* p01 = static_cast<ZPipeLink*>(doc.GetNetwork().FindLink("P01"));
        QVERIFY(p01);
        const bool eastward = p01->From()->NodeHydrElev > p01->To()->NodeHydrElev;
        const QColor tipSide = At(img, c, 160, 0, eastward ? 3 : -3, 2);
        const QColor baseSide = At(img, c, 160, 0, eastward ? -3 : 3, 2);
        QCOMPARE(baseSide, Col(col.Pipe));
        QCOMPARE(tipSide, Col(col.BkGround));
    }

    void gradedNodesTakeTheirClassColour()
    {
        ZDocument doc;
        QString err;
        QVERIFY(NetworkImageExporter::Load(town, doc, settings, err));
        auto& ds = doc.GetDrawSettings();
        ds.NodeGradeOn = 1;
        ds.NodeGradeMode = ZDrawSettings::NodeByElevation;
        ds.NodeElevGrades = {15.0, 20.0, 25.0, 30.0};
        NetworkImageExporter ex(doc, settings);
        const QImage img = ex.Render(size);
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        const auto* j33 = doc.GetNetwork().FindNode("J33");
        QVERIFY(j33);
        int grade = 0;
        while (grade < 4 && !(j33->NodeGrunElev < ds.NodeElevGrades[static_cast<size_t>(grade)]))
            ++grade;
        QCOMPARE(At(img, c, j33->X, j33->Y), Col(settings.Colors().NodeGradeColors[static_cast<size_t>(grade)]));
    }

    // The balanced town at several picture sizes: the frame's outermost pixels are background
    // and every symbol, with the labels under the sources, lies inside it.
    void everyObjectInsideTheFrame_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("grades");
        QTest::newRow("default size") << QSize(1600, 1200) << false;
        QTest::newRow("default size, grades") << QSize(1600, 1200) << true;
        QTest::newRow("wide") << QSize(1000, 400) << true;
        QTest::newRow("tall") << QSize(500, 900) << true;
    }
    void everyObjectInsideTheFrame()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, grades);
        ZDocument doc;
        QString err;
        QVERIFY(NetworkImageExporter::Load(town, doc, settings, err));
        NetworkImageExporter ex(doc, settings);
        QVERIFY2(ex.Balance(err), qPrintable(err));
        if (grades)
            QVERIFY2(ex.ShowGrades(err), qPrintable(err));
        const QImage img = ex.Render(picture);
        ZNetCanvas c(settings);
        ex.Fit(c, picture, 96, 96, false);
        const QColor bk = Col(settings.Colors().BkGround);
        for (int x = 0; x < picture.width(); ++x) {
            QCOMPARE(img.pixelColor(x, 0), bk);
            QCOMPARE(img.pixelColor(x, picture.height() - 1), bk);
        }
        for (int y = 0; y < picture.height(); ++y) {
            QCOMPARE(img.pixelColor(0, y), bk);
            QCOMPARE(img.pixelColor(picture.width() - 1, y), bk);
        }
        const QRect inside = QRect(QPoint(0, 0), picture).adjusted(1, 1, -1, -1);
        const QRect legend = NetworkImageExporter::LegendRect(c, picture);
        QCOMPARE(legend.isEmpty(), !grades);
        auto check = [&](const ZNetObject* o) {
            const QRect r = c.WorldRectToDevice(o->GetDisplayRect(c));
            QVERIFY2(inside.contains(r), o->GetId());
            QVERIFY2(!legend.intersects(r), o->GetId());
        };
        const ZNetwork& net = doc.GetNetwork();
        for (int i = 0; i < net.NodeCount(); ++i)
            if (!net.NodeAt(i)->IsHidden())
                check(net.NodeAt(i));
        int devices = 0;
        for (int i = 0; i < net.LinkCount(); ++i)
            if (dynamic_cast<const ZDeviceLink*>(net.LinkAt(i))) {
                check(net.LinkAt(i));
                ++devices;
            }
        QVERIFY(devices >= 2);
        if (grades && picture == QSize(1600, 1200) && !qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/town-balanced-grades.png"));
    }

    // With grades the picture reads as a balance: nodes take the colour of their free head class,
    // pipes that of their velocity class, and the key names both with the ranges of the options.
    void gradesShowFreeHeadAndVelocity()
    {
        ZDocument doc;
        QString err;
        QVERIFY(NetworkImageExporter::Load(town, doc, settings, err));
        NetworkImageExporter ex(doc, settings);
        QVERIFY(!ex.ShowGrades(err));   // nothing to grade before a balance
        QVERIFY(err.contains(QStringLiteral("--balance")));
        QVERIFY(ex.Balance(err));
        QVERIFY(ex.ShowGrades(err));
        const QImage img = ex.Render(size);
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        const auto& ds = doc.GetDrawSettings();
        const auto& col = settings.Colors();
        auto grade = [](double v, const std::vector<double>& t) {
            size_t g = 0;
            while (g < t.size() && !(v < t[g]))
                ++g;
            return g;
        };
        std::set<size_t> nodeClasses, pipeClasses;
        const ZNetwork& net = doc.GetNetwork();
        for (int i = 0; i < net.NodeCount(); ++i) {
            const ZConsumeNode* n = net.NodeAt(i);
            if (n->IsHidden() || n->IsDeviceNode())
                continue;
            const size_t g = grade(n->NodeHydrElev - n->NodeGrunElev, ds.NodeFreeHeadGrades);
            nodeClasses.insert(g);
            QCOMPARE(At(img, c, n->X, n->Y), Col(col.NodeGradeColors[g]));
        }
        for (int i = 0; i < net.LinkCount(); ++i) {
            const auto* p = dynamic_cast<const ZPipeLink*>(net.LinkAt(i));
            if (!p)
                continue;
            const size_t g = grade(std::fabs(p->Velocity()), ds.PipeVeloGrades);
            pipeClasses.insert(g);
            if (!p->Vertices().empty())
                continue;
            // Along the line between its end squares and its middle arrow, the class colour holds
            // except where a label crosses it.
            const double len = std::hypot(p->To()->X - p->From()->X, p->To()->Y - p->From()->Y) / c.GetScale();
            if (len < 40)
                continue;
            int hits = 0, steps = 0;
            for (double f = 0.15; f < 0.4; f += 2.0 / len, ++steps) {
                const double x = p->From()->X + (p->To()->X - p->From()->X) * f;
                const double y = p->From()->Y + (p->To()->Y - p->From()->Y) * f;
                hits += At(img, c, x, y) == Col(col.PipeGradeColors[g]);
            }
            QVERIFY2(hits * 2 > steps, p->GetId());
        }
        QVERIFY(nodeClasses.size() >= 2);   // the picture shows differences, not one colour
        QVERIFY(pipeClasses.size() >= 2);
        const ZGradeLegend legend(c);
        QCOMPARE(legend.Blocks().size(), size_t(2));
        QVERIFY(legend.Blocks()[0].title.contains(QStringLiteral("自由水头")));
        QVERIFY(legend.Blocks()[1].title.contains(QStringLiteral("流速")));
        QCOMPARE(legend.Blocks()[0].ranges,
                 QStringList({QStringLiteral("< 0.00"), QStringLiteral("0.00 - 10.00"), QStringLiteral("10.00 - 20.00"),
                              QStringLiteral("20.00 - 30.00"), QStringLiteral("≥ 30.00")}));
        QCOMPARE(legend.Blocks()[1].ranges.last(), QStringLiteral("≥ 3.00"));
        // The key is drawn: its swatches show every class colour inside its rectangle.
        const QRect key = NetworkImageExporter::LegendRect(c, size);
        std::set<QRgb> seen;
        for (int y = key.top(); y <= key.bottom(); ++y)
            for (int x = key.left(); x <= key.right(); ++x)
                seen.insert(img.pixel(x, y) & 0xFFFFFF);
        for (uint32_t rgb : col.NodeGradeColors)
            QVERIFY(seen.count(Col(rgb).rgb() & 0xFFFFFF));
    }

    void filesThroughTheCommand()
    {
        QTemporaryDir dir;
        QString msg;
        const QString png = dir.filePath(QStringLiteral("town.png"));
        QCOMPARE(NetworkImageExporter::Run(town, png, QSize(640, 480), false, settings, msg), 0);
        QImage img(png);
        QCOMPARE(img.size(), QSize(640, 480));
        const QString pdf = dir.filePath(QStringLiteral("town.pdf"));
        QCOMPARE(NetworkImageExporter::Run(town, pdf, QSize(640, 480), true, settings, msg), 0);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");
        QCOMPARE(NetworkImageExporter::Run(dir.filePath(QStringLiteral("missing.txt")), png, QSize(64, 64), false,
                                           settings, msg),
                 1);
        QVERIFY(!msg.isEmpty());
        QCOMPARE(NetworkImageExporter::Run(town, png, QSize(0, 10), false, settings, msg), 1);
        QCOMPARE(NetworkImageExporter::Run(town, png, QSize(64, 64), false, settings, msg, -1, 0.0, true), 1);
        QCOMPARE(NetworkImageExporter::Run(town, png, QSize(640, 480), true, settings, msg, -1, 0.0, true), 0);
    }
};

QTEST_MAIN(TestNetworkImageExporter)
#include "test_NetworkImageExporter.moc"
