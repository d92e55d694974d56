// One report time of an extended-period run shown in the network's result fields and the
// balancing results put back; the plot's CSV text.
#include "ViewTestNetworks.h"
#include "views/CTimeSeriesPlot.h"
#include "views/ZResultPlayback.h"

#include "hydraulics/ZSimulationResults.h"
#include "model/ObjectFlags.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace ViewTestNetworks;

class TestZResultPlayback : public QObject {
    Q_OBJECT

    // The square with two recorded times: heads 40 + k and flows 0.01 (k + 1) at time k; node 3
    // cut off at time 1. The network is then left with its balancing results (heads as built,
    // flows 0.5, node 4 cut off).
    static ZSimulationResults TwoTimes(ZDocument& doc)
    {
        Square(doc);
        ZNetwork& net = doc.GetNetwork();
        ZSimulationResults r;
        r.Reset(net.NodeCount(), net.LinkCount());
        for (int k = 0; k < 2; ++k) {
            for (ZConsumeNode* n : net.Nodes()) {
                n->NodeHydrElev = 40.0 + k;
                n->NodeDeliveredFlow = 0.001 * (k + 1);
                n->ClearFlag(qen::FLAG_CUT_OFF);
            }
            if (k == 1)
                net.FindNode("3")->SetFlag(qen::FLAG_CUT_OFF);
            for (ZFlowLink* l : net.Links())
                l->Flow = 0.01 * (k + 1);
            r.Record(k * 3600, net, std::vector<uint8_t>(static_cast<size_t>(net.LinkCount()), 1));
        }
        double head = 30.0;
        for (ZConsumeNode* n : net.Nodes()) {
            n->NodeHydrElev = head--;
            n->NodeDeliveredFlow = 0.0;
            n->ClearFlag(qen::FLAG_CUT_OFF);
        }
        net.FindNode("4")->SetFlag(qen::FLAG_CUT_OFF);
        for (ZFlowLink* l : net.Links())
            l->Flow = 0.5;
        return r;
    }

private slots:
    void showsATimeAndPutsTheBalanceBack()
    {
        ZDocument doc;
        const ZSimulationResults r = TwoTimes(doc);
        ZNetwork& net = doc.GetNetwork();
        ZResultPlayback playback;
        playback.Save(net);
        QVERIFY(playback.HasSaved());

        QVERIFY(ZResultPlayback::Show(net, r, 0));
        for (const ZConsumeNode* n : net.Nodes()) {
            QCOMPARE(n->NodeHydrElev, 40.0);
            QCOMPARE(n->NodeDeliveredFlow, double(0.001f));
            QVERIFY(!n->IsCutOff());
        }
        QCOMPARE(net.FindLink("23")->Flow, double(0.01f));

        // A node without a head at time 1 is marked cut off and keeps the head it had.
        QVERIFY(ZResultPlayback::Show(net, r, 1));
        QVERIFY(net.FindNode("3")->IsCutOff());
        QCOMPARE(net.FindNode("3")->NodeHydrElev, 40.0);
        QCOMPARE(net.FindNode("2")->NodeHydrElev, 41.0);
        QVERIFY(!ZResultPlayback::Show(net, r, 2));   // past the last time: nothing written
        QCOMPARE(net.FindNode("2")->NodeHydrElev, 41.0);

        QVERIFY(playback.Restore(net));
        QVERIFY(!playback.HasSaved());
        double head = 30.0;
        for (const ZConsumeNode* n : net.Nodes())
            QCOMPARE(n->NodeHydrElev, head--);
        QVERIFY(!net.FindNode("3")->IsCutOff());
        QVERIFY(net.FindNode("4")->IsCutOff());
        QCOMPARE(net.FindLink("41")->Flow, 0.5);
        QVERIFY(!playback.Restore(net));   // once only
    }

    void refusesANetworkWithOtherObjects()
    {
        ZDocument doc;
        const ZSimulationResults r = TwoTimes(doc);
        ZNetwork& net = doc.GetNetwork();
        ZResultPlayback playback;
        playback.Save(net);
        AddNode(doc, "5", 200, 0, 99.0);
        QVERIFY(!ZResultPlayback::Show(net, r, 0));
        QCOMPARE(net.FindNode("1")->NodeHydrElev, 30.0);
        QCOMPARE(net.FindNode("5")->NodeHydrElev, 99.0);
        net.FindNode("1")->NodeHydrElev = 77.0;
        QVERIFY(!playback.Restore(net));
        QCOMPARE(net.FindNode("1")->NodeHydrElev, 77.0);
    }

    void plotCsvHasTimeThenAColumnPerObject()
    {
        CTimeSeriesPlot plot;
        plot.SetTimes({0.0, 3600.0, 7200.0}, {QStringLiteral("6:00:00"), QStringLiteral("7:00:00")});
        plot.SetSeries({{QStringLiteral("J1"), {1.5, NAN, 2.25}}, {QStringLiteral("a,\"b\""), {0.0, -1e-5, 1e7}}});
        QCOMPARE(plot.CsvText(), QStringLiteral("时刻,J1,\"a,\"\"b\"\"\"\n"
                                                "6:00:00,1.5,0\n"
                                                "7:00:00,,-1e-05\n"
                                                "7200,2.25,1e+07\n"));
    }

    void plotDrawsItsLinesInsideTheFrame()
    {
        CTimeSeriesPlot plot;
        plot.SetTimes({0.0, 3600.0, 7200.0}, {});
        plot.SetAxis(QStringLiteral("状态"), true, {QStringLiteral("关闭"), QStringLiteral("开启")});
        plot.SetSeries({{QStringLiteral("9"), {1.0, 0.0, 1.0}}});
        QImage img(600, 400, QImage::Format_RGB32);
        QPainter p(&img);
        plot.Render(p, img.rect());
        p.end();
        // The first colour of the palette: a stepped line, low in the middle hour.
        int top = img.height(), bottom = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == QColor(31, 119, 180)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        QVERIFY2(bottom - top > 150, qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
    }

    void plotPrintsOnAPage()
    {
        CTimeSeriesPlot plot;
        plot.SetTitle(QStringLiteral("过程线: 水位"));
        plot.SetAxis(QStringLiteral("水位 (m)"));
        plot.SetTimes({0.0, 3600.0, 7200.0},
                      {QStringLiteral("0:00:00"), QStringLiteral("1:00:00"), QStringLiteral("2:00:00")});
        plot.SetSeries({{QStringLiteral("T1"), {3.0, 3.5, 3.25}}});
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(QPageLayout::Landscape);
        plot.Print(printer);
        QVERIFY(QFile(pdf).size() > 1000);
        // The page's text, where poppler's pdftotext is at hand.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!text.waitForFinished(20000) || text.exitStatus() != QProcess::NormalExit)
            QSKIP("pdftotext not available");
        const QString page = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* word : {"过程线: 水位", "T1", "1:00:00", "3.5"})
            QVERIFY2(page.contains(QString::fromUtf8(word)), qPrintable(page));
    }
};

QTEST_MAIN(TestZResultPlayback)
#include "test_ZResultPlayback.moc"
