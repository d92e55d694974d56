// 文件 → 导出计算书: the report dialog's checks, the title block kept with the project as one
// undoable step, and the workbook and PDF written without touching the document's results.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/commands/CQENDoc.h"
#include "app/commands/CReportExportCommand.h"
#include "app/dialogs/CReportDlg.h"
#include "app/dialogs/CReportProgress.h"
#include "app/dialogs/CReportWindow.h"
#include "app/frames/CMainFrame.h"
#include "model/GbkCodec.h"
#include "views/CProgressWnd.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

class TestCReportExport : public QObject {
    Q_OBJECT
private slots:
    void dialogRefusesWhatCannotBeWritten()
    {
        ScriptedPrompt prompt;
        CReportDlg dlg(prompt);
        ZProjectTitle title;
        title.Project = GbkCodec::FromUtf8("城北给水");
        dlg.SetValues(title, {0, 2}, QStringLiteral("/tmp/x.xlsx"));
        QCOMPARE(dlg.ProjectEdit()->text(), QStringLiteral("城北给水"));
        QVERIFY(dlg.CaseBox(0)->isChecked() && !dlg.CaseBox(1)->isChecked() && dlg.CaseBox(2)->isChecked());
        dlg.show();
        Screenshot(&dlg, QStringLiteral("report_dialog"));

        dlg.DesignerEdit()->setText(QStringLiteral("李 \U0001F600"));   // no GBK code for the emoji
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(QString::fromStdString(prompt.Last()).contains(QStringLiteral("设计人")));
        dlg.DesignerEdit()->setText(QStringLiteral("李工"));

        for (int c = 0; c < 3; ++c)
            dlg.CaseBox(c)->setChecked(false);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(QString::fromStdString(prompt.Last()).contains(QStringLiteral("工况")));
        dlg.CaseBox(1)->setChecked(true);

        dlg.PathEdit()->setText(QStringLiteral("/tmp/report.csv"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(QString::fromStdString(prompt.Last()).contains(QStringLiteral("xlsx")));

        dlg.PathEdit()->setText(QStringLiteral("/tmp/report"));   // no extension: a workbook
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Path(), QStringLiteral("/tmp/report.xlsx"));
        QCOMPARE(dlg.Cases(), std::vector<int>{1});
        QCOMPARE(GbkCodec::ToUtf8(dlg.Title().Designer), std::string("李工"));
    }

    void menuCommandKeepsTitleAndWritesReport()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp"));
        QVERIFY(doc);
        QAction* action = f.app->MainFrame()->Action(Cmd::FileExportReport);
        QVERIFY(action);
        f.app->MainFrame()->UpdateCommandUI();
        QVERIFY(action->isEnabled());
        QCOMPARE(action->text(), QStringLiteral("导出计算书(&R)..."));

        // The document's own results before: the report balances copies.
        const uint32_t balanced = doc->Data().GetDrawSettings().Balanced;
        const int calcCase = doc->Data().GetDrawSettings().CalcCase;
        const double head = doc->Data().GetNetwork().NodeAt(3)->NodeHydrElev;

        const QString path = f.dir.filePath(QStringLiteral("town.pdf"));
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CReportDlg*>(w);
            QVERIFY(dlg);
            QVERIFY(dlg->CaseBox(0)->isChecked() && dlg->CaseBox(1)->isChecked() && dlg->CaseBox(2)->isChecked());
            QVERIFY(dlg->PathEdit()->text().endsWith(QStringLiteral("town-计算书.xlsx")));
            dlg->ProjectEdit()->setText(QStringLiteral("示例城镇"));
            dlg->DateEdit()->setText(QStringLiteral("2026-12-10"));
            dlg->PathEdit()->setText(path);
            dlg->accept();
        });
        QVERIFY(CReportExportCommand(*doc, *f.prompt, doc->Host()).Execute());
        QVERIFY(QFile(path).size() > 10000);
        QVERIFY(f.app->ReportWindow().Text().contains(path));
        QCOMPARE(GbkCodec::ToUtf8(doc->Data().GetProjectTitle().Project), std::string("示例城镇"));
        QCOMPARE(doc->Data().History().UndoText(), std::string("修改图签"));
        QCOMPARE(doc->Data().GetDrawSettings().Balanced, balanced);
        QCOMPARE(doc->Data().GetDrawSettings().CalcCase, calcCase);
        QCOMPARE(doc->Data().GetNetwork().NodeAt(3)->NodeHydrElev, head);
        QVERIFY(doc->Data().Undo());
        QVERIFY(doc->Data().GetProjectTitle().IsEmpty());

        // A target in a folder that is not there: a message, nothing written.
        const QString bad = f.dir.filePath(QStringLiteral("no-such-dir/x.xlsx"));
        QVERIFY(!CReportExportCommand(*doc, *f.prompt, doc->Host()).Write(bad, {0}));
        QVERIFY(QString::fromStdString(f.prompt->Last()).contains(QStringLiteral("无法导出计算书")));
        QVERIFY(!QFile::exists(bad));
    }

    // The progress window while the cases are balanced; "放弃", confirmed, writes nothing.
    void stopInProgressWritesNothing()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp"));
        QVERIFY(doc);
        f.prompt->answers = {UiPrompt::Yes};
        bool pressed = false;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            if (CReportProgress* p = CReportProgress::Current(); p && !pressed) {
                QCOMPARE(p->Window()->windowTitle(), QStringLiteral("正在生成计算书..."));
                p->Window()->PressCancel();
                pressed = true;
            }
        });
        press.start(0);
        const QString path = f.dir.filePath(QStringLiteral("stopped.xlsx"));
        QVERIFY(!CReportExportCommand(*doc, *f.prompt, doc->Host()).Write(path, {0, 1, 2}));
        QVERIFY(pressed);
        QVERIFY(QString::fromStdString(f.prompt->Last()).contains(QStringLiteral("确认终止生成计算书")));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!CReportProgress::Current());
    }
};

QTEST_MAIN(TestCReportExport)
#include "test_CReportExport.moc"
