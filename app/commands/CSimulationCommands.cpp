#include "CSimulationCommands.h"
#include "CCommandWindow.h"
#include "CQENDoc.h"
#include "CSimulateCommand.h"
#include "CSimulationState.h"
#include "app/dialogs/CTimeSeriesDlg.h"
#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "views/UiPrompt.h"

#include "model/ZSettingsStore.h"

CSimulationCommands::CSimulationCommands(CCommandWindow& window) : m_window(window) {}

bool CSimulationCommands::OnCommand(int id)
{
    CQENDoc* doc = m_window.ActiveDocument();
    switch (id) {
    case Cmd::Simulate:
        if (doc)
            CSimulateCommand(*doc, doc->Prompt(), doc->Host()).Execute();
        return true;
    case Cmd::TimeSeries:
        if (doc)
            TimeSeries(*doc);
        return true;
    default:
        return false;
    }
}

bool CSimulationCommands::OnUpdateCommand(int id, CommandState& state)
{
    const CQENDoc* doc = m_window.ActiveDocument();
    switch (id) {
    case Cmd::Simulate:
        state.enabled = doc != nullptr;
        return true;
    case Cmd::TimeSeries: {
        const CSimulationState* sim = doc ? CSimulationState::Of(*doc) : nullptr;
        state.enabled = sim && sim->HasResults();
        return true;
    }
    default:
        return false;
    }
}

CTimeSeriesDlg* CSimulationCommands::TimeSeries(CQENDoc& doc)
{
    const CSimulationState* sim = CSimulationState::Of(doc);
    if (!sim || !sim->HasResults())
        return nullptr;
    // Stale results may no longer match the network's objects one for one.
    if (sim->IsStale()) {
        doc.Prompt().Warn(tr("管网已修改, 延时模拟结果已过期, 请重新进行延时模拟。").toStdString());
        return nullptr;
    }
    std::vector<QString> clocks;
    for (size_t k = 0; k < sim->Results().TimeCount(); ++k)
        clocks.push_back(sim->ClockText(k));
    auto* dlg = new CTimeSeriesDlg(doc.Data().GetNetwork(), sim->Results(), clocks, doc.Settings().Units(),
                                   m_window.DialogOwner());
    if (!dlg->HasObjects()) {
        delete dlg;
        doc.Prompt().Warn(tr("请先选择要看过程线的节点、管道、水泵、阀门或水池。").toStdString());
        return nullptr;
    }
    dlg->setWindowTitle(QStringLiteral("%1 - %2").arg(dlg->windowTitle(), doc.Title()));
    dlg->show();
    return dlg;
}
