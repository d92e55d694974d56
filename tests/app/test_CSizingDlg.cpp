// 计算 → 管径优化 through the main frame with its real dialog: refusals, a search run to its end,
// the result applied as one undoable step with its report, stopping early.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSizingChart.h"
#include "app/dialogs/CSizingDlg.h"
#include "app/frames/CMainFrame.h"
#include "views/CommandIds.h"

#include "model/KeyValueStore.h"
#include "model/ZPipeLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>

namespace {
const QString Town = QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt");

std::vector<double> Diameters(const CQENDoc* doc)
{
    std::vector<double> d;
    for (const ZFlowLink* l : doc->Data().GetNetwork().Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            d.push_back(static_cast<const ZPipeLink*>(l)->PipeDiam);
    return d;
}
}   // namespace

class TestCSizingDlg : public QObject {
    Q_OBJECT
private slots:
    void sizesAppliesAsOneStepAndUndoes()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        ZNetwork& net = doc->Data().GetNetwork();
        std::vector<ZPipeLink*> locked;
        for (ZFlowLink* l : net.Links())
            if (l->GetKind() == ZNetObject::Kind::Pipe && locked.size() < 2) {
                l->SetFlag(qen::FLAG_SELECTED);
                locked.push_back(static_cast<ZPipeLink*>(l));
            }
        const double lockedDiameter[2] = {locked[0]->PipeDiam, locked[1]->PipeDiam};
        const std::vector<double> before = Diameters(doc);
        ZPipeSizing::Result result;
        std::vector<double> candidateDiameters;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CSizingDlg*>(w);
            QVERIFY(dlg);
            QVERIFY(dlg->LockBox()->isChecked());
            QVERIFY(dlg->LockBox()->text().contains(QStringLiteral("2")));
            QTableWidget* t = dlg->Table();
            QVERIFY(t->rowCount() >= 2);
            // Rows out of order and a non-number are refused before anything runs.
            const QString first = t->item(0, 0)->text();
            t->item(0, 0)->setText(t->item(1, 0)->text());
            dlg->StartButton()->click();
            QVERIFY(!dlg->Running());
            QVERIFY2(f.prompt->Last().find("未按从小到大排列") != std::string::npos, f.prompt->Last().c_str());
            t->item(0, 0)->setText(QStringLiteral("nan"));
            dlg->StartButton()->click();
            QVERIFY(!dlg->Running());
            QCOMPARE(f.prompt->Last(), std::string("候选管径第 1 行不是数字。"));
            t->item(0, 0)->setText(first);
            dlg->MinFreeHeadEdit()->setText(QStringLiteral("inf"));
            dlg->StartButton()->click();
            QVERIFY(!dlg->Running());
            QVERIFY(f.prompt->Last().find("最小服务水头") != std::string::npos);

            dlg->MinFreeHeadEdit()->setText(QStringLiteral("10"));
            dlg->TimeLimitEdit()->setText(QStringLiteral("3"));
            dlg->StartButton()->click();
            QVERIFY(!dlg->ApplyButton()->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(dlg->HasResult(), 120000);
            QVERIFY(dlg->Chart()->PointCount() >= 1);
            QVERIFY(dlg->ApplyButton()->isEnabled());
            QVERIFY(dlg->StatusLabel()->text().contains(QStringLiteral("满足约束")));
            Screenshot(dlg, QStringLiteral("dialog-pipe-sizing"));
            result = dlg->Result();
            for (const auto& c : dlg->Problem().candidates)
                candidateDiameters.push_back(c.diameter);
            dlg->ApplyButton()->click();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::PipeSizing);

        QVERIFY(result.feasible);
        QCOMPARE(result.freePipes.size(), before.size() - 2);
        for (size_t k = 0; k < result.freePipes.size(); ++k) {
            const auto* p = static_cast<const ZPipeLink*>(net.LinkAt(result.freePipes[k]));
            QCOMPARE(p->PipeDiam, candidateDiameters[static_cast<size_t>(result.design[k])]);
            QCOMPARE(p->PipeInDiam, p->PipeDiam);
        }
        QCOMPARE(locked[0]->PipeDiam, lockedDiameter[0]);
        QCOMPARE(locked[1]->PipeDiam, lockedDiameter[1]);
        QVERIFY(Diameters(doc) != before);
        const QString text = f.app->MainFrame()->ReportWindow().findChild<QTextEdit*>()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("改变管径的管道")) && text.contains(QStringLiteral(" mm, 造价 ")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("锁定 2 根")));
        QVERIFY(!f.app->Profile().GetString(CSizingDlg::Section, "Candidates", "").empty());
        QCOMPARE(f.app->Profile().GetDouble(CSizingDlg::Section, "TimeLimit", 0), 3.0);

        QCOMPARE(doc->Data().History().UndoCount(), 1);
        QVERIFY(doc->Data().Undo());   // one step takes every diameter back
        QVERIFY(Diameters(doc) == before);
        QVERIFY(doc->Data().Redo());
        QVERIFY(Diameters(doc) != before);
    }

    void stopKeepsTheBestAndCloseChangesNothing()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        const std::vector<double> before = Diameters(doc);
        bool stopped = false;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CSizingDlg*>(w);
            QVERIFY(dlg);
            QVERIFY(!dlg->LockBox()->isEnabled());   // nothing selected
            dlg->MinFreeHeadEdit()->setText(QStringLiteral("10"));
            dlg->TimeLimitEdit()->setText(QStringLiteral("1000"));
            dlg->StartButton()->click();
            QTRY_VERIFY_WITH_TIMEOUT(dlg->Chart()->PointCount() >= 1, 60000);
            dlg->StopButton()->click();
            QTRY_VERIFY_WITH_TIMEOUT(dlg->HasResult(), 60000);
            stopped = dlg->Result().stopped && dlg->Result().feasible;
            dlg->reject();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::PipeSizing);
        QVERIFY(stopped);
        QVERIFY(Diameters(doc) == before);
        QVERIFY(!doc->Data().History().CanUndo());
    }
};

QTEST_MAIN(TestCSizingDlg)
#include "test_CSizingDlg.moc"
