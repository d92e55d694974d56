#include "CSimulationState.h"
#include "CContourRun.h"
#include "CDocumentHost.h"
#include "CQENDoc.h"

#include "hydraulics/ZSimulation.h"
#include "model/ZNetMsg.h"

CSimulationState::CSimulationState(CQENDoc& doc) : QObject(&doc), m_doc(doc)
{
    setObjectName(QStringLiteral("simulationState"));
    connect(&doc, &CQENDoc::changed, this, &CSimulationState::OnDocumentChanged);
}

CSimulationState* CSimulationState::Of(const CQENDoc& doc)
{
    return doc.findChild<CSimulationState*>(QStringLiteral("simulationState"), Qt::FindDirectChildrenOnly);
}

CSimulationState& CSimulationState::Make(CQENDoc& doc)
{
    if (CSimulationState* state = Of(doc))
        return *state;
    return *new CSimulationState(doc);
}

QString CSimulationState::ClockText(size_t k) const
{
    if (k >= m_results.TimeCount())
        return {};
    return QString::fromStdString(ZSimulation::ClockText(m_startClock + m_results.Time(k)));
}

void CSimulationState::BeginRun()
{
    StopShowing();
    m_balance.Save(m_doc.Data().GetNetwork());
    m_running = true;
}

void CSimulationState::EndRun(ZSimulationResults results)
{
    m_balance.Restore(m_doc.Data().GetNetwork());
    m_running = false;
    m_results = std::move(results);
    m_current = 0;
    m_stale = false;
    KeepHistoryMark();
    if (HasResults()) {
        // Like a balance, new results change what the file holds.
        m_doc.Data().MarkModified();
        if (!ShowTime(0))
            emit stateChanged();
    } else {
        emit stateChanged();
    }
}

bool CSimulationState::ShowTime(size_t k)
{
    if (m_stale || m_running || k >= m_results.TimeCount())
        return false;
    ZDocument& data = m_doc.Data();
    ZNetwork& net = data.GetNetwork();
    if (!m_showing) {
        m_balance.Save(net);
        m_savedBalanced = data.GetDrawSettings().Balanced != 0;
        m_savedStale = data.HasStaleResults();
    }
    if (!ZResultPlayback::Show(net, m_results, k)) {
        m_stale = true;
        StopShowing();
        emit stateChanged();
        return false;
    }
    m_showing = true;
    m_current = k;
    // No edit since the run (else the results would be stale): they belong to this network.
    data.GetDrawSettings().Balanced = 1;
    data.ResultsComputed(true);
    Announce();
    return true;
}

void CSimulationState::StopShowing()
{
    if (!m_showing)
        return;
    m_showing = false;
    ZDocument& data = m_doc.Data();
    const bool restored = m_balance.Restore(data.GetNetwork());
    data.GetDrawSettings().Balanced = m_savedBalanced ? 1 : 0;
    // Balancing results that were stale before, or could not go back, are current for nothing.
    if (!restored || m_savedStale)
        data.ResultsComputed(false);
    Announce();
}

void CSimulationState::WithBalanceResults(const std::function<void()>& write)
{
    if (!m_showing) {
        write();
        return;
    }
    ZDocument& data = m_doc.Data();
    ZNetwork& net = data.GetNetwork();
    ZDrawSettings& settings = data.GetDrawSettings();
    ZResultPlayback balance = m_balance;   // Restore forgets what it put back; m_balance must not
    balance.Restore(net);
    settings.Balanced = m_savedBalanced ? 1 : 0;
    const auto showAgain = [&] {
        ZResultPlayback::Show(net, m_results, m_current);
        settings.Balanced = 1;
    };
    try {
        write();
    } catch (...) {
        showAgain();
        throw;
    }
    showAgain();
}

void CSimulationState::Announce()
{
    m_announcing = true;
    m_doc.Data().Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
    CDocumentHost* host = m_doc.Host();
    CContourRun::GenerateIfShown(m_doc, host ? host->DialogOwner() : nullptr, m_doc.Prompt());
    m_announcing = false;
    emit stateChanged();
}

void CSimulationState::KeepHistoryMark()
{
    const ZEditHistory& history = m_doc.Data().History();
    m_undoCount = history.UndoCount();
    m_redoCount = history.RedoCount();
    m_lastEdit = history.NextUndo();
}

bool CSimulationState::HistoryMoved() const
{
    const ZEditHistory& history = m_doc.Data().History();
    return history.UndoCount() != m_undoCount || history.RedoCount() != m_redoCount || history.NextUndo() != m_lastEdit;
}

void CSimulationState::OnDocumentChanged(const ZNetMsg& msg)
{
    if (m_announcing)
        return;
    // A balance wrote its own results over the time shown: they are the ones to keep.
    if (msg.Code == ZNetMsg::Balanced && m_showing) {
        m_showing = false;
        m_balance = ZResultPlayback();
        emit stateChanged();
    }
    if (m_stale || !HasResults() || !HistoryMoved())
        return;
    m_stale = true;
    emit stateChanged();
}
