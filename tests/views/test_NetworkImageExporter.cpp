// The example network drawn into images, balanced and not, checked at known pixels; PNG and PDF
// files through the exporter.
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/QtDrawContext.h"
#include "views/ZNetCanvas.h"

#include <QtTest>

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
                                           settings, msg), 1);
        QVERIFY(!msg.isEmpty());
        QCOMPARE(NetworkImageExporter::Run(town, png, QSize(0, 10), false, settings, msg), 1);
    }
};

QTEST_MAIN(TestNetworkImageExporter)
#include "test_NetworkImageExporter.moc"
