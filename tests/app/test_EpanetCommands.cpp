#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/CMainFrame.h"
#include "app/CQENDoc.h"
#include "app/CReportWindow.h"
#include "views/CommandIds.h"

#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QtTest>

namespace {
// Answers the next file dialog with `path`, then the hour question with `hour` when asked.
void AnswerFileThenHour(const QString& path, double hour = -1)
{
    OnNextModal([=](QWidget* w) {
        auto* files = qobject_cast<QFileDialog*>(w);
        QVERIFY(files);
        files->selectFile(path);
        if (hour >= 0) {
            OnNextModal([=](QWidget* w2) {
                auto* ask = qobject_cast<QInputDialog*>(w2);
                QVERIFY(ask);
                Screenshot(ask, QStringLiteral("dialog-epanet-hour"));
                ask->setDoubleValue(hour);
                ask->accept();
            });
        }
        QMetaObject::invokeMethod(files, "accept");
    });
}
} // namespace

class TestEpanetCommands : public QObject {
    Q_OBJECT
private slots:
    void importFromTheFileMenuOpensAnUntitledModifiedDocument()
    {
        AppFixture f;
        const int before = f.app->Documents().size();
        AnswerFileThenHour(AppFixture::Network("Net3.inp"), 0);
        f.app->MainFrame()->ExecuteCommand(Cmd::FileImportEpanet);
        QCOMPARE(f.app->Documents().size(), before + 1);
        CQENDoc* doc = f.app->Documents().last();
        QCOMPARE(doc->Title(), QStringLiteral("Net3"));
        QVERIFY(doc->PathName().isEmpty());
        QVERIFY(doc->IsModified());
        QVERIFY(!doc->Data().History().CanUndo());
        QVERIFY(doc->Data().GetNetwork().FindNode("LAKE"));
        CReportWindow& report = f.app->ReportWindow();
        QVERIFY(report.isVisible());
        QVERIFY(report.Text().contains(QStringLiteral("水泵曲线拟合")));
        QVERIFY(report.Text().contains(QStringLiteral("[CONTROLS]")));
        Screenshot(&report, QStringLiteral("report-epanet-import"));
        Screenshot(f.app->MainFrame(), QStringLiteral("main-epanet-import"));
    }

    void aBrokenFileAddsNoDocumentAndSaysWhere()
    {
        AppFixture f;
        const int before = f.app->Documents().size();
        QVERIFY(!f.app->ImportEpanetFile(QStringLiteral(QEN_TEST_DATA_DIR "/cli/unknown-node.inp"), 0));
        QCOMPARE(f.app->Documents().size(), before);
        const QString said = QString::fromStdString(f.prompt->Last());
        QVERIFY2(said.contains(QStringLiteral("第6行")) && said.contains(QStringLiteral("J9")), qPrintable(said));
    }

    void exportWritesTheFileAndReportsWhatDiffers()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp"));
        QVERIFY(doc);
        const QString out = f.dir.filePath(QStringLiteral("town.inp"));
        AnswerFileThenHour(out);
        f.app->MainFrame()->ExecuteCommand(Cmd::FileExportEpanet);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("[TITLE]"));
        QVERIFY(text.contains("[PUMPS]"));
        QVERIFY(f.app->ReportWindow().Text().contains(QStringLiteral("PBV")));
        QVERIFY(!doc->IsModified());
    }
};

QTEST_MAIN(TestEpanetCommands)
#include "test_EpanetCommands.moc"
