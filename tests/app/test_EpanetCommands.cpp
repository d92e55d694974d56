#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/frames/CMainFrame.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace {
// Acts on the next modal dialog of class T, waiting while another one (the file dialog that is
// closing) is still the active one.
template <class T>
void OnNextModalOf(std::function<void(T*)> act, int triesLeft = 6000)
{
    QTimer::singleShot(10, [act, triesLeft]() {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(w);
        else if (triesLeft > 0)
            OnNextModalOf<T>(act, triesLeft - 1);
    });
}

// Accepts a file dialog with `path`. selectFile() selects nothing while the dialog's folder is
// still being read (the dialog then refuses to accept), so the name is typed as a user would.
void AcceptFile(QFileDialog* files, const QString& path)
{
    files->selectFile(path);
    if (auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(path);
    QMetaObject::invokeMethod(files, "accept");
}

// Answers the next file dialog with `path`, then the hour question with `hour` when asked.
void AnswerFileThenHour(const QString& path, double hour = -1)
{
    OnNextModalOf<QFileDialog>([=](QFileDialog* files) {
        if (hour >= 0) {
            OnNextModalOf<QInputDialog>([=](QInputDialog* ask) {
                ask->setDoubleValue(hour);
                ask->accept();
            });
        }
        AcceptFile(files, path);
    });
}
}   // namespace

class TestEpanetCommands : public QObject {
    Q_OBJECT
private slots:
    void importFromTheFileMenuOpensAnUntitledModifiedDocument()
    {
        AppFixture f;
        const int before = f.app->Documents().size();
        QAction* action = f.app->MainFrame()->Action(Cmd::FileImportEpanet);
        QVERIFY(action);
        f.app->MainFrame()->UpdateCommandUI();
        QVERIFY(action->isEnabled());
        // What the menu command does once its two questions are answered.
        QVERIFY(f.app->ImportEpanetFile(AppFixture::Network("Net3.inp"), 0));
        QCOMPARE(f.app->Documents().size(), before + 1);
        CQENDoc* doc = f.app->Documents().last();
        QCOMPARE(doc->Title(), QStringLiteral("Net3"));
        QVERIFY(doc->PathName().isEmpty());
        QVERIFY(doc->IsModified());
        QVERIFY(!doc->Data().History().CanUndo());
        QVERIFY(doc->Data().GetNetwork().FindNode("LAKE"));
        CReportWindow& report = f.app->ReportWindow();
        QVERIFY(report.isVisible());
        // Net3's pump curves come in exactly: the report names the closed pipe, not a fit.
        QVERIFY(report.Text().contains(QStringLiteral("关闭的管道")));
        QVERIFY(!report.Text().contains(QStringLiteral("拟合")));
        QVERIFY(report.Text().contains(QStringLiteral("6 个控制")));   // kept for the simulation
        Screenshot(&report, QStringLiteral("report-epanet-import"));
        Screenshot(f.app->MainFrame(), QStringLiteral("main-epanet-import"));
    }

    // The file dialog and the hour question speak Chinese, their buttons included.
    void importDialogsSpeakChinese()
    {
        AppFixture f;
        QString lookIn, fileName, ok, cancel;
        OnNextModalOf<QFileDialog>([&](QFileDialog* files) {
            lookIn = files->labelText(QFileDialog::LookIn);
            fileName = files->labelText(QFileDialog::FileName);
            Screenshot(files, QStringLiteral("dialog-epanet-open"));
            OnNextModalOf<QInputDialog>([&](QInputDialog* ask) {
                ok = ask->okButtonText().remove(QLatin1Char('&'));
                cancel = ask->cancelButtonText().remove(QLatin1Char('&'));
                Screenshot(ask, QStringLiteral("dialog-epanet-hour"));
                ask->accept();
            });
            AcceptFile(files, AppFixture::Network("Net1.inp"));
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::FileImportEpanet);
        QVERIFY2(lookIn.contains(QStringLiteral("查找")), qPrintable(lookIn));
        QVERIFY2(fileName.contains(QStringLiteral("文件名")), qPrintable(fileName));
        QCOMPARE(ok, QStringLiteral("确定"));
        QCOMPARE(cancel, QStringLiteral("取消"));
        QCOMPARE(f.app->Documents().size(), 1);
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
