#include "ModalHelper.h"
#include "views/NetworkImageExporter.h"
#include "views/ZSymbolImages.h"

#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "model/ZValveLink.h"

#include <QPainter>
#include <QtTest>

class TestZSymbolImages : public QObject {
    Q_OBJECT
private slots:
    // Every valve type draws its own symbol at the one valve size, and its mask covers it.
    void everyValveTypeHasItsOwnSymbol()
    {
        std::vector<QImage> images;
        for (int k = 0; k < ZValveLink::TypeCount; ++k) {
            ZValveLink v;
            v.SetValveType(k);
            const ZSymbolImages::Variant* s = ZSymbolImages::For(v);
            QVERIFY(s);
            QCOMPARE(s->image.size(), QSize(20, 17));
            for (const QImage& earlier : images)
                QVERIFY2(earlier != s->image, qPrintable(QStringLiteral("type %1").arg(k)));
            QVERIFY(s->selected != s->image);
            for (int y = 0; y < 17; ++y)
                for (int x = 0; x < 20; ++x)
                    if (qAlpha(s->image.pixel(x, y)) > 0)
                        QCOMPARE(s->mask.pixel(x, y), qRgb(0, 0, 0));
            images.push_back(s->image);
        }
        // The symbols six times their size, one row of normal and selected images, for a look.
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QImage sheet(ZValveLink::TypeCount * 130, 2 * 110, QImage::Format_RGB32);
            sheet.fill(Qt::white);
            QPainter p(&sheet);
            for (int k = 0; k < ZValveLink::TypeCount; ++k) {
                ZValveLink v;
                v.SetValveType(k);
                const ZSymbolImages::Variant* s = ZSymbolImages::For(v);
                p.drawImage(QRect(k * 130, 0, 120, 102), s->image);
                p.drawImage(QRect(k * 130, 110, 120, 102), s->selected);
            }
            p.end();
            sheet.save(dir + QStringLiteral("/valve-symbols.png"));
        }
        // A stray symbol index still shows the gate valve rather than nothing.
        ZValveLink stray;
        stray.SetSymbolIndex(ZValveLink::TypeCount);
        QCOMPARE(ZSymbolImages::For(stray)->image, images.front());
    }

    // A drawing of every valve type, as the program draws it, for a look.
    void drawingWithEveryValveType()
    {
        ZDocument doc;
        ZSettingsStore settings;
        ZNetwork& net = doc.GetNetwork();
        auto node = [&](const std::string& id, double x, double y) {
            auto* n = new ZConsumeNode;
            n->SetId(GbkView(id));
            n->X = x;
            n->Y = y;
            net.AddNode(n);
            return n;
        };
        for (int k = 0; k < ZValveLink::TypeCount; ++k) {
            const std::string n = std::to_string(k);
            const double x = 40.0 * (k % 3), y = -40.0 * (k / 3);
            ZConsumeNode* in = node("I" + n, x + 15, y);
            ZConsumeNode* out = node("O" + n, x + 15, y);
            auto* a = new ZPipeLink;
            a->SetId(GbkView("A" + n));
            net.AddLink(node("S" + n, x, y), in, a);
            auto* b = new ZPipeLink;
            b->SetId(GbkView("B" + n));
            net.AddLink(out, node("E" + n, x + 30, y), b);
            auto* v = new ZValveLink;
            v->SetId(GbkView("V" + n));
            v->SetValveType(k);
            net.AddLink(in, out, v);
        }
        settings.LabelTip().ValveLabel = 1;
        NetworkImageExporter exporter(doc, settings);
        const QImage img = exporter.Render(QSize(600, 450));
        QVERIFY(!img.isNull());
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            img.save(dir + QStringLiteral("/valve-kinds.png"));
    }
};

QTEST_MAIN(TestZSymbolImages)
#include "test_ZSymbolImages.moc"
