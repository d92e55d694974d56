// The presentation map: round scale-bar lengths and page scales worked out by hand, and the
// example town drawn with its frame, north arrow, scale bar and title block where they belong.
#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/ZPresentationMap.h"

#include <QtTest>

namespace {
// Dark pixels (text, bars, frame lines) in a rectangle of the picture.
int DarkIn(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}
}   // namespace

class TestZPresentationMap : public QObject {
    Q_OBJECT
private slots:
    void roundLengthsAndScales()
    {
        QCOMPARE(ZPresentationMap::RoundLength(740.0), 500.0);
        QCOMPARE(ZPresentationMap::RoundLength(1999.0), 1000.0);
        QCOMPARE(ZPresentationMap::RoundLength(2000.0), 2000.0);
        QCOMPARE(ZPresentationMap::RoundLength(0.9), 0.5);
        QCOMPARE(ZPresentationMap::RoundLength(0.0), 0.0);
        QCOMPARE(ZPresentationMap::RoundLength(std::numeric_limits<double>::infinity()), 0.0);
        // 1 m a pixel at 96 dpi: 1 / (0.0254 / 96) = 3779.5 ground metres per paper metre.
        QCOMPARE(ZPresentationMap::ScaleText(1.0, 96), QStringLiteral("1:3780"));
        // 0.25 m a pixel at 300 dpi: 2952.8.
        QCOMPARE(ZPresentationMap::ScaleText(0.25, 300), QStringLiteral("1:2950"));
        QCOMPARE(ZPresentationMap::ScaleText(0.0, 300), QString());
    }

    void townWithFrameArrowBarAndTitle()
    {
        ZSettingsStore settings;
        ZDocument doc;
        QString err;
        QVERIFY2(NetworkImageExporter::Load(QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt"), doc, settings, err),
                 qPrintable(err));
        NetworkImageExporter plain(doc, settings);
        NetworkImageExporter framed(doc, settings);
        framed.SetPresentation({"示例城镇", "李工", "2026-12-10"});
        const QSize size(1000, 800);
        const QImage a = plain.Render(size);
        const QImage b = framed.Render(size);
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            b.save(dir + QStringLiteral("/presentation_map.png"));
        // The plain picture has nothing in its bottom band; the framed one has the scale bar at
        // the left and the title block at the right, and the north arrow in the top left corner.
        const QRect bottomLeft(40, size.height() - 110, 250, 70);
        const QRect bottomRight(size.width() - 300, size.height() - 110, 260, 70);
        const QRect topLeft(40, 40, 60, 80);
        QCOMPARE(DarkIn(a, bottomLeft) + DarkIn(a, topLeft), 0);
        QVERIFY(DarkIn(b, bottomLeft) > 150);
        QVERIFY(DarkIn(b, bottomRight) > 150);
        QVERIFY(DarkIn(b, topLeft) > 150);
    }
};

QTEST_MAIN(TestZPresentationMap)
#include "test_ZPresentationMap.moc"
