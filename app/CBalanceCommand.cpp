#include "CBalanceCommand.h"
#include "CBalanceParamsDlg.h"
#include "CBalanceProgress.h"
#include "CContourRun.h"
#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "CReportWindow.h"
#include "UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"

CBalanceCommand::CBalanceCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host)
    : m_doc(doc), m_prompt(prompt), m_host(host)
{
}

bool CBalanceCommand::Execute()
{
    ZDocument& data = m_doc.Data();
    QWidget* owner = m_host ? m_host->DialogOwner() : nullptr;
    ZBalanceRun run(data);
    if (!run.CheckConnectivity()) {
        if (m_host) {
            CReportWindow& report = m_host->ReportWindow();
            report.Clear();
            report.SetTitle(QString::fromStdString(ZConnectivityCheck::ReportTitle()));
            report.Append(QString::fromStdString(run.Connectivity().ReportText()));
            report.ShowReport();
        } else {
            m_prompt.Warn(run.Connectivity().ReportText());
        }
        return false;
    }
    if (m_host)
        m_host->ReportWindow().Clear();

    const ZBalanceRun::Params current = run.CurrentParams();
    CBalanceParamsDlg dlg(m_prompt, owner);
    dlg.SetValues(current.CalcCase, current.AccidentFactor, ZBalanceRun::HeadToleranceFor(current.Precision));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    ZBalanceRun::Params chosen;
    chosen.CalcCase = dlg.CalcCase();
    chosen.AccidentFactor = dlg.AccidentFactor();
    chosen.Precision = dlg.PrecisionIndex();
    run.ApplyParams(chosen);

    {
        CBalanceProgress progress(owner, m_prompt);
        run.Run(&progress);
    }
    const std::string message = run.Message();
    if (!message.empty())
        m_prompt.Warn(message);
    // What the engineer should look at in a converged result (check valves against the flow).
    if (const std::string notes = run.Report(); !notes.empty() && m_host) {
        CReportWindow& report = m_host->ReportWindow();
        report.SetTitle(QStringLiteral("平差结果提示"));
        report.Append(QString::fromStdString(notes));
        report.ShowReport();
    }
    // Results are not recorded in the edit history (see ZDocument); they modify the document.
    data.MarkModified();
    if (run.ResultsChanged()) {
        CContourRun::GenerateIfShown(m_doc, owner, m_prompt);
        data.Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
    }
    return true;
}
