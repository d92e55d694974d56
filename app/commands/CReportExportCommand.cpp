#include "CReportExportCommand.h"

#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "CSimulationState.h"
#include "CSweepState.h"
#include "app/dialogs/CReportProgress.h"
#include "app/dialogs/CReportDlg.h"
#include "app/dialogs/CReportWindow.h"
#include "model/ZProjectTitleEdit.h"
#include "views/UiPrompt.h"
#include "views/ZReportExport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <memory>

bool CReportExportCommand::Execute()
{
    CReportDlg dlg(m_prompt, m_host ? m_host->DialogOwner() : nullptr);
    const QString base = m_doc.PathName().isEmpty() ? m_doc.Title() : QFileInfo(m_doc.PathName()).completeBaseName();
    const QString folder = m_doc.PathName().isEmpty() ? QString() : QFileInfo(m_doc.PathName()).absolutePath() + "/";
    dlg.SetValues(m_doc.Data().GetProjectTitle(), ZReportBuilder::CasesOf(m_doc.Data()),
                  folder + base + CReportExportCommand::tr("-计算书.xlsx"));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (!(dlg.Title() == m_doc.Data().GetProjectTitle()))
        m_doc.Data().Perform(std::make_unique<ZProjectTitleEdit>(dlg.Title()));
    return Write(dlg.Path(), dlg.Cases());
}

bool CReportExportCommand::Write(const QString& path, const std::vector<int>& cases)
{
    ZReportBuilder::Options options;
    options.cases = cases;
    options.title = ZReportBuilder::TitleOf(m_doc.Data());
    // The last simulation's results, while they are the network's (not stale).
    ZSimulationSection::Input simulation;
    if (const CSimulationState* state = CSimulationState::Of(m_doc);
        state && state->HasResults() && !state->IsStale()) {
        simulation.results = &state->Results();
        simulation.duration = m_doc.Data().GetTimeData().Duration;
        simulation.startClock = state->StartClock();
        options.simulation = &simulation;
    }
    // The design checks' results, kept only while the network is the one they were run on.
    ZDesignCheckSection::FireFlowInput fireFlow;
    ZDesignCheckSection::CriticalityInput failures;
    if (const CSweepState* sweeps = CSweepState::Of(m_doc)) {
        if (sweeps->HasFireFlow()) {
            fireFlow.params = sweeps->FireFlowParams();
            fireFlow.results = sweeps->FireFlow();
            options.fireFlow = &fireFlow;
        }
        if (sweeps->HasFailures()) {
            failures.params = sweeps->FailureParams();
            failures.results = sweeps->Failures();
            options.criticality = &failures;
        }
    }
    QString message;
    int rc = 0;
    bool written = false, stopped = false;
    {
        CReportProgress progress(m_host ? m_host->DialogOwner() : nullptr, m_prompt);
        written = ZReportExport::Write(m_doc.Data(), m_doc.Settings(), path, options, message, &rc, &progress);
        stopped = progress.Stopped();
    }
    if (stopped)
        return false;   // nothing written, as asked
    if (!written) {
        m_prompt.Warn((CReportExportCommand::tr("无法导出计算书\n") + message).toStdString());
        return false;
    }
    if (m_host) {
        CReportWindow& window = m_host->ReportWindow();
        window.Clear();
        window.SetTitle(CReportExportCommand::tr("平差计算书"));
        QString text = CReportExportCommand::tr("计算书已写出: %1\n").arg(path);
        if (rc != 0)
            text += CReportExportCommand::tr("有工况未能平差, 计算书中说明了原因并只列出原始数据\n");
        window.Append(text);
        window.ShowReport();
    }
    return true;
}
