// Label texts as they come out in pixels: underscores and descenders must stay visible and off
// the line the label sits on.
#include "ViewTestNetworks.h"

#include "model/ZSettingsStore.h"
#include "views/LabelGlyphs.h"
#include "views/QtDrawContext.h"
#include "views/ZNetCanvas.h"

#include <QPainter>
#include <QtTest>

using namespace ViewTestNetworks;

namespace {
// Rows holding label ink (text colour, antialiased over white) above and below the pipe, the
// pipe's row and the rows of its flow arrow (pure pipe colour).
struct Rows {
    int inkTop = -1, inkBottom = -1, line = -1, arrowTop = -1, arrowBottom = -1;
    int lowerInkTop = -1;
};

Rows Scan(const QImage& img, const QColor& pipe)
{
    Rows r;
    std::vector<bool> ink(static_cast<size_t>(img.height()), false);
    for (int y = 0; y < img.height(); ++y) {
        int pipePixels = 0;
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == pipe) {
                ++pipePixels;
                if (r.arrowTop < 0)
                    r.arrowTop = y;
                r.arrowBottom = y;
            } else if (c != QColor(Qt::white) && c.green() > 0) {
                ink[static_cast<size_t>(y)] = true;
            }
        }
        if (pipePixels > img.width() / 2)
            r.line = y;
    }
    for (int y = 0; y < img.height(); ++y) {
        if (!ink[static_cast<size_t>(y)])
            continue;
        if (y < r.line) {
            if (r.inkTop < 0)
                r.inkTop = y;
            r.inkBottom = y;
        } else if (r.lowerInkTop < 0) {
            r.lowerInkTop = y;
        }
    }
    return r;
}
}   // namespace

class TestLabelText : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    // A level pipe across a 200 x 60 window, labelled with its identifier above the line and,
    // balanced, with its flow arrow under the middle of the label.
    QString family;   // the label font of the current run

    QImage Render(const std::string& id)
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "a", -1000, 0, 30);
        ZConsumeNode* b = AddNode(doc, "b", 1000, 0, 20);
        AddPipe(doc, id, a, b);
        doc.GetDrawSettings().Balanced = 1;
        ZNetCanvas canvas(settings);
        canvas.SetLabelFamilies({family});
        canvas.SetDocument(&doc);
        canvas.SetViewport(QRect(0, 0, 200, 60));
        canvas.SetCentre(0.3, 0.4);
        canvas.SetScale(1.0);
        canvas.RebuildVisibleSet();
        QImage img(200, 60, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        canvas.Paint(p);
        p.end();
        return img;
    }

private slots:
    // Every check runs with each label font family the program may end up with: placement must
    // follow the font's own metrics.
    void initTestCase_data()
    {
        QTest::addColumn<QString>("family");
        for (const QString& f : ZNetCanvas::DefaultLabelFamilies())
            QTest::newRow(qPrintable(f)) << f;
        QTest::newRow("DejaVu Serif") << QStringLiteral("DejaVu Serif");
        QTest::newRow("WenQuanYi Micro Hei Mono") << QStringLiteral("WenQuanYi Micro Hei Mono");
    }
    void init()
    {
        QFETCH_GLOBAL(QString, family);
        this->family = family;
        QFont f;
        f.setFamilies({family});
        QVERIFY2(QFontInfo(f).family() == family, qPrintable(family + " is not installed (scripts/setup.sh)"));
    }

    void cellHoldsEveryGlyph()
    {
        ZNetCanvas canvas(settings);
        canvas.SetLabelFamilies({family});
        for (int dpi : {96, 120, 600}) {
            canvas.SetDeviceDpi(dpi, dpi);
            QFontMetricsF fm(canvas.LabelFont());
            QVERIFY(canvas.LabelAscent() >= fm.ascent());
            QVERIFY(canvas.LabelHeight() > canvas.LabelAscent() + canvas.Glyphs().InkDescent());
            QVERIFY(canvas.LabelHeight() > fm.ascent() + fm.descent());
            double w, h;
            canvas.SetScale(2.0);
            canvas.TextExtent("P_1", w, h);
            QCOMPARE(h, 2.0 * canvas.LabelHeight());
        }
    }

    void underscoreAndDescendersShowAboveTheLine()
    {
        const QColor pipe = QtDrawContext::ToColor(settings.Colors().Pipe);
        const Rows plain = Scan(Render("PK2"), pipe);
        const Rows under = Scan(Render("P_K2"), pipe);
        const Rows desc = Scan(Render("gyp"), pipe);
        for (const Rows& r : {plain, under, desc}) {
            QVERIFY(r.line > 0);
            QVERIFY(r.inkTop >= 0);
            QVERIFY(r.arrowTop < r.line);
            // At least one clear row between the lowest ink and the arrow over the pipe.
            QVERIFY2(r.inkBottom < r.arrowTop - 1,
                     qPrintable(QStringLiteral("ink %1, arrow %2").arg(r.inkBottom).arg(r.arrowTop)));
        }
        // The underscore and the descenders reach below the capitals' baseline.
        QVERIFY(under.inkBottom > plain.inkBottom);
        QVERIFY(desc.inkBottom > plain.inkBottom);
    }

    void projectLabelsKeepClearOfTheLineOnBothSides()
    {
        settings.LabelTip().LabelMode = ZLabelTipSettings::MultiLine;
        const Rows r = Scan(Render("P_K2"), QtDrawContext::ToColor(settings.Colors().Pipe));
        settings.LabelTip().LabelMode = ZLabelTipSettings::SingleValue;
        QVERIFY(r.inkTop >= 0 && r.lowerInkTop > r.line);
        QVERIFY2(r.inkBottom < r.arrowTop - 1,
                 qPrintable(QStringLiteral("ink %1, arrow %2").arg(r.inkBottom).arg(r.arrowTop)));
        QVERIFY2(r.lowerInkTop > r.arrowBottom + 1,
                 qPrintable(QStringLiteral("ink %1, arrow %2").arg(r.lowerInkTop).arg(r.arrowBottom)));
    }
};

QTEST_MAIN(TestLabelText)
#include "test_LabelText.moc"
