#include "CBalanceCommand.h"
#include "text/CCoreText.h"
#include "CCalcOptionsEdit.h"
#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/dialogs/CRunProgress.h"
#include "CContourRun.h"
#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZBalanceSummary.h"
#include "model/ZSettingsStore.h"

CBalanceCommand::CBalanceCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host)
    : m_doc(doc), m_prompt(prompt), m_host(host)
{
}

bool CBalanceCommand::Execute()
{
    ZDocument& data = m_doc.Data();
    QWidget* owner = m_host ? m_host->DialogOwner() : nullptr;
    ZBalanceRun run(data);
    // Reports go below what the window holds: an import report stays readable.
    if (!run.CheckConnectivity()) {
        if (m_host) {
            CReportWindow& report = m_host->ReportWindow();
            const QString title = CCoreText::Tr(ZConnectivityCheck::ReportTitle());
            report.SetTitle(title);
            report.AppendSection(title + QStringLiteral(": ") + m_doc.Title(),
                                 QString::fromStdString(run.Connectivity().ReportText()));
            report.ShowReport();
        } else {
            m_prompt.Warn(run.Connectivity().ReportText());
        }
        return false;
    }

    const ZBalanceRun::Params current = run.CurrentParams();
    CBalanceParamsDlg dlg(m_prompt, owner);
    dlg.SetValues(current.CalcCase, current.AccidentFactor, ZBalanceRun::HeadToleranceFor(current.Precision));
    ZBalanceParams& params = data.GetDrawSettings().Params;
    dlg.SetOptions(params, m_doc.Settings().Units().Hydr());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    // The network's options are undoable like its other changes.
    if (const ZBalanceParams chosenOptions = dlg.Options(params); CCalcOptionsEdit::Differ(params, chosenOptions))
        data.Perform(std::make_unique<CCalcOptionsEdit>(params, chosenOptions));
    ZBalanceRun::Params chosen;
    chosen.CalcCase = dlg.CalcCase();
    chosen.AccidentFactor = dlg.AccidentFactor();
    chosen.Precision = dlg.PrecisionIndex();
    run.ApplyParams(chosen);

    {
        CRunProgress progress(owner, m_prompt, tr("管网平差"), tr("正在进行数据校验..."), tr("确认终止平差计算吗?"));
        run.Run(&progress);
    }
    const std::string message = run.Message();
    if (!message.empty())
        m_prompt.Warn(message);
    const ZSettingsStore& settings = m_doc.Settings();
    const ZBalanceSummary summary(run, data.GetNetwork(), data.GetDrawSettings().Params.HeadTolerance,
                                  settings.MinFreeHead);
    if (m_host) {
        // How it went, and what the engineer should look at (check valves against the flow).
        CReportWindow& report = m_host->ReportWindow();
        report.SetTitle(tr("平差结果"));
        report.AppendSection(
            tr("平差结果: %1, %2").arg(m_doc.Title(), CCoreText::Tr(ZBalanceRun::CaseName(chosen.CalcCase))),
            QString::fromStdString(summary.Text(settings.Units()) + run.Report()));
        report.ShowReport();
    }
    if (const std::string warning = summary.NegativeWarning(settings.Units()); !warning.empty())
        m_prompt.Warn(warning);
    // Results are not recorded in the edit history (see ZDocument); they modify the document.
    data.MarkModified();
    if (run.ResultsChanged()) {
        CContourRun::GenerateIfShown(m_doc, owner, m_prompt);
        data.Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
    }
    return true;
}
