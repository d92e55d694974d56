// Contours drawn under the network: bands checked against the head field at known pixels of the
// example town, lines and labels of a hand-made set, and the switches that hide them.
#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZHeadField.h"
#include "model/ZDocument.h"
#include "edit/ZNetEditor.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/QtDrawContext.h"
#include "views/ZContourPainter.h"
#include "views/ZNetCanvas.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <set>

class TestZContourPainter : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    const QSize size{1000, 700};
    const QString town = QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt");

    QColor Col(uint32_t rgb) { return QtDrawContext::ToColor(rgb); }

    // A 100 m square with one closed polygon (a diamond at level 30, inside above) and an open
    // line closed along the border; levels 20..40 every 10 m.
    static ZContourSet Hand()
    {
        ZContourSet s;
        s.Rect = {0, 0, 100, 100};
        s.FirstLevel = 20;
        s.High = 40;
        s.Interval = 10;
        s.FillBaseLevel = 25;
        ZContourPolygon d;
        d.Level = 30;
        d.Points = {{50, 20}, {80, 50}, {50, 80}, {20, 50}, {50, 20}};
        d.TracedCount = 5;
        d.Side = 1;
        d.LabelSegment = 0;
        s.Polygons.push_back(d);
        return s;
    }

private slots:
    void bandsOfTheTownMatchTheHeadField()
    {
        for (int kind : {0, 1}) {
            ZDocument doc;
            QString err;
            QVERIFY2(NetworkImageExporter::Load(town, doc, settings, err), qPrintable(err));
            NetworkImageExporter ex(doc, settings);
            QVERIFY2(ex.Balance(err), qPrintable(err));
            QVERIFY2(ex.Contours(kind, 2.0, err), qPrintable(err));
            const ZContourSet& set = doc.GetContours();
            QVERIFY(set.Polygons.size() > 10);
            const QImage img = ex.Render(size);
            ZNetCanvas c(settings);
            ex.Fit(c, size, 96, 96, false);

            // Every grid point's band, from the field itself, against the pixel drawn there.
            ZHeadField field;
            QCOMPARE(field.Compute(doc.GetNetwork(), kind, doc.GetNetwork().BoundRect(), 100, 100), ZHeadField::Ok);
            int checked = 0, matched = 0;
            for (int row = 1; row < 100; row += 3)
                for (int col = 1; col < 100; col += 3) {
                    const double v = field.At(col, row);
                    const double band = (v - set.FirstLevel) / set.Interval;
                    if (std::fabs(band - std::round(band)) < 0.15)
                        continue;   // too near a line to tell
                    const double middle = set.FirstLevel + (std::floor(band) + 0.5) * set.Interval;
                    const QColor want = Col(ZContourPainter::Tint(
                        set.FillColour(middle, settings.Colors().ContourFillLow, settings.Colors().ContourFillHigh),
                        settings.Colors().BkGround, ZContourPainter::Style().fillStrength));
                    int px, py;
                    c.WorldToDevice(field.X(col), field.Y(row), px, py);
                    const QColor got = img.pixelColor(px, py);
                    // Pipes, nodes and labels cover some points: only fill colours count.
                    if (got == Col(settings.Colors().Pipe) || got == Col(settings.Colors().EquHydr) ||
                        (got.green() == 0 && got.red() == 0))
                        continue;
                    ++checked;
                    matched += got == want;
                }
            QVERIFY2(checked > 500, qPrintable(QString::number(checked)));
            QVERIFY2(matched > checked * 97 / 100,
                     qPrintable(QStringLiteral("kind %1: %2 of %3").arg(kind).arg(matched).arg(checked)));
            if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
                img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") +
                         QStringLiteral("/town-contours-%1.png").arg(kind));
        }
    }

    void contoursLeaveOutWhatChangedSinceTheRun()
    {
        ZDocument doc;
        QString err;
        QVERIFY2(NetworkImageExporter::Load(town, doc, settings, err), qPrintable(err));
        NetworkImageExporter ex(doc, settings);
        QVERIFY2(ex.Balance(err), qPrintable(err));
        QVERIFY2(ex.Contours(0, 2.0, err), qPrintable(err));
        const QImage before = ex.Render(size);
        // A node put on pipe P11 (J32-J33, y = 500) after the run.
        auto* node = new ZConsumeNode;
        node->SetId("N1");
        node->X = 465;
        node->Y = 500;
        QVERIFY(
            ZNetEditor(doc).InsertNodeOnPipe(static_cast<ZPipeLink*>(doc.GetNetwork().FindLink("P11")), node, 0, -1));
        const QImage after = ex.Render(size);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            after.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/town-contours-stale.png"));
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        int px, py, fx, fy;
        c.WorldToDevice(465, 500, px, py);
        // Beside the new node no contour band of the old heads; far from the edit the same as before.
        const QColor bk = Col(settings.Colors().BkGround);
        QVERIFY(before.pixelColor(px, py - 12) != bk);
        QCOMPARE(after.pixelColor(px, py - 12), bk);
        QCOMPARE(after.pixelColor(px + 8, py + 10), bk);
        c.WorldToDevice(1500, 100, fx, fy);
        QVERIFY(after.pixelColor(fx, fy + 10) != bk);
        QCOMPARE(after.pixelColor(fx, fy + 10), before.pixelColor(fx, fy + 10));
    }

    void linesLabelsAndFillOfAHandMadeSet()
    {
        const ZContourSet set = Hand();
        ZNetCanvas c(settings);
        c.SetViewport(QRect(0, 0, 200, 200));
        c.SetCentre(50, 50);
        c.SetScale(0.5);   // 2 pixels a metre, the square fills the image
        QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QPainter p(&img);
        ZContourPainter::Style style;
        style.lowest = 0x0000FF;    // red
        style.highest = 0xFF0000;   // blue
        style.line = 0x00FF00;
        ZContourPainter::Paint(set, c, p, style);
        p.end();
        // Base band 25 is a quarter of the way from 20 to 40 (191, 0, 63); the diamond's inside 35
        // three quarters (63, 0, 191). Both are shown three tenths of the way from the white
        // background to their colour.
        QCOMPARE(img.pixelColor(10, 10), QColor(236, 179, 197));
        QCOMPARE(img.pixelColor(100, 100), QColor(197, 179, 236));
        // The diamond's edge near (35, 65): the line colour.
        bool line = false;
        for (int d = -1; d <= 1; ++d)
            line |= img.pixelColor(70 + d, 70) == QColor(0, 255, 0);
        QVERIFY(line);
        // The label "30.0" sits on the first segment (50,20)-(80,50): ink of the line colour off
        // the line itself, around its middle (65, 35) -> pixel (130, 130).
        int ink = 0;
        for (int y = 118; y < 142; ++y)
            for (int x = 118; x < 142; ++x)
                ink += img.pixelColor(x, y) == QColor(0, 255, 0) && std::abs((x - 130) + (y - 130)) > 2;
        QVERIFY2(ink > 10, qPrintable(QString::number(ink)));
    }

    // Pipe grade colours over filled contours: every straight pipe of the town runs in a border
    // of the background colour, so its class colour reads against any band, and the bands are
    // pale (nearer the background than their colour).
    void pipeGradesStandOutOfTheFill()
    {
        ZDocument doc;
        QString err;
        QVERIFY(NetworkImageExporter::Load(town, doc, settings, err));
        NetworkImageExporter ex(doc, settings);
        QVERIFY(ex.Balance(err));
        QVERIFY(ex.ShowGrades(err));
        QVERIFY2(ex.Contours(0, 2.0, err), qPrintable(err));
        const QImage img = ex.Render(size);
        ZNetCanvas c(settings);
        ex.Fit(c, size, 96, 96, false);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/town-contours-grades.png"));
        const auto& col = settings.Colors();
        const QColor bk = Col(col.BkGround);
        std::set<QRgb> grades;
        for (uint32_t g : col.PipeGradeColors)
            grades.insert(Col(g).rgb());
        int lines = 0, bordered = 0;
        const ZNetwork& net = doc.GetNetwork();
        for (int i = 0; i < net.LinkCount(); ++i) {
            const auto* p = dynamic_cast<const ZPipeLink*>(net.LinkAt(i));
            if (!p || !p->Vertices().empty())
                continue;
            int ax, ay, bx, by;
            c.WorldToDevice(p->From()->X, p->From()->Y, ax, ay);
            c.WorldToDevice(p->To()->X, p->To()->Y, bx, by);
            const bool across = std::abs(by - ay) <= 1, down = std::abs(bx - ax) <= 1;
            if (!(across || down) || std::hypot(bx - ax, by - ay) < 40)
                continue;   // level and plumb lines: their neighbour pixels are exact
            for (double f = 0.2; f < 0.42; f += 0.02) {
                const int x = ax + static_cast<int>((bx - ax) * f), y = ay + static_cast<int>((by - ay) * f);
                if (!grades.count(img.pixel(x, y)))
                    continue;   // a label or an arrow
                ++lines;
                const QColor n1 = across ? img.pixelColor(x, y - 1) : img.pixelColor(x - 1, y);
                const QColor n2 = across ? img.pixelColor(x, y + 1) : img.pixelColor(x + 1, y);
                bordered += n1 == bk && n2 == bk;
            }
        }
        QVERIFY2(lines > 100, qPrintable(QString::number(lines)));
        QVERIFY2(bordered > lines * 9 / 10, qPrintable(QStringLiteral("%1 of %2").arg(bordered).arg(lines)));
        // Away from the network the fill is pale: every band colour lies nearer the background.
        const QColor far = img.pixelColor(c.WorldRectToDevice(doc.GetContours().Rect).bottomLeft() + QPoint(3, -3));
        QVERIFY(far != bk);
        QVERIFY2(far.red() + far.green() + far.blue() > 3 * 170, qPrintable(far.name()));

        // Without an interval the file's 0.2 m would give hundreds of levels: a readable one is
        // drawn instead, and said.
        doc.GetDrawSettings().ContourInterval = 0.2;
        QString note;
        QVERIFY(ex.Contours(0, std::nan(""), err, &note));
        QVERIFY2(note.contains(QStringLiteral("the file's 0.2 m")), qPrintable(note));
        QVERIFY(doc.GetContours().Interval > 0.2);
        QVERIFY(ZContourGenerator::LevelCount(doc.GetNetwork(), 0, doc.GetContours().Interval) <=
                ZContourGenerator::ProposedLevels);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            ex.Render(size).save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") +
                                 QStringLiteral("/town-contours-file-interval.png"));
    }

    void hiddenUnlessBalancedAndSwitchedOn()
    {
        ZDocument doc;
        doc.GetContours() = Hand();
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 200, 200));
        c.SetCentre(50, 50);
        c.SetScale(0.5);
        auto paint = [&] {
            QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
            QPainter p(&img);
            c.Paint(p);
            return img.pixelColor(100, 100);
        };
        const QColor bk = Col(settings.Colors().BkGround);
        QCOMPARE(paint(), bk);
        doc.GetDrawSettings().ContourOption = 1;
        QCOMPARE(paint(), bk);   // not balanced
        doc.GetDrawSettings().Balanced = 1;
        QVERIFY(paint() != bk);
        settings.ContourFillOn = false;
        QCOMPARE(paint(), bk);   // lines only
        settings.ContourFillOn = true;
    }
};

QTEST_MAIN(TestZContourPainter)
#include "test_ZContourPainter.moc"
