#pragma once
#include "hydraulics/ZSimulationResults.h"
#include "views/ZResultPlayback.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class CQENDoc;
struct ZNetMsg;

// The extended-period results kept with one document (a child object of it, gone with it) and
// which report time the views show. While a time is shown its heads, demands and flows stand in
// the network's result fields and count as the document's current results; the balancing results
// they replaced come back when the showing ends.
//
// Any recorded change after the run (an edit, undo or redo of the network, its options or its
// time data) makes the results stale for good: an undo back to the simulated state does not make
// them current again, the network may have been rebuilt in another order. Stale results are no
// longer written into the network; the views withhold what the edit touched, as they do for a
// stale balance. A new run replaces them.
class CSimulationState : public QObject {
    Q_OBJECT
public:
    // The document's state, or null when it has none.
    static CSimulationState* Of(const CQENDoc& doc);
    // The document's state, made when it has none.
    static CSimulationState& Make(CQENDoc& doc);

    // Before a run: the results shown go back to the balancing ones, and the network's results
    // are kept to come back after the run (which overwrites them).
    void BeginRun();
    // After the run: puts the kept results back, then takes the new results (when any) and shows
    // their first time. `summary` is the report's text, kept for the time bar's tooltip.
    void EndRun(ZSimulationResults results);

    bool HasResults() const { return m_results.TimeCount() > 0; }
    const ZSimulationResults& Results() const { return m_results; }
    bool IsStale() const { return m_stale; }
    bool IsShowing() const { return m_showing; }
    size_t CurrentIndex() const { return m_current; }
    // The clock time text of report time k ("H:MM:SS" from the run's start clock).
    QString ClockText(size_t k) const;
    void SetStartClock(int64_t seconds) { m_startClock = seconds; }
    int64_t StartClock() const { return m_startClock; }

    // Shows report time k in every view; false when the results are stale, k is out of range or a
    // run is under way.
    bool ShowTime(size_t k);
    // Back to the balancing results (the time bar's "模拟结果" switched off); the results stay.
    void StopShowing();
    // Runs `write` with the balancing results in the network, then puts the shown time back: a
    // saved file or a recovery copy keeps the balance, never one simulated time marked balanced.
    // Nothing is announced, so the views never see the swap.
    void WithBalanceResults(const std::function<void()>& write);

signals:
    // Results came, went stale, or another time is shown.
    void stateChanged();

private:
    explicit CSimulationState(CQENDoc& doc);
    void OnDocumentChanged(const ZNetMsg& msg);
    void KeepHistoryMark();
    bool HistoryMoved() const;
    void Announce();

    CQENDoc& m_doc;
    ZSimulationResults m_results;
    ZResultPlayback m_balance;   // the balancing results while a time is shown
    bool m_savedBalanced = false, m_savedStale = false;
    bool m_showing = false, m_stale = false, m_announcing = false;
    bool m_running = false;   // between BeginRun and EndRun: the network is the run's
    size_t m_current = 0;
    int64_t m_startClock = 0;
    // Where the edit history stood at the run: any move from there is a recorded change.
    int m_undoCount = 0, m_redoCount = 0;
    const void* m_lastEdit = nullptr;
};
