#pragma once
#include "hydraulics/ZBalanceInfo.h"

#include <QPointer>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// Drives the progress window through the solver's phases: opened at the start, data check with
// the range 0..1000, one position per pass (never past 99% before the end), "放弃" confirmed
// before the stop request, full bar and closed at the end.
class CBalanceProgress {
public:
    CBalanceProgress(QWidget* owner, UiPrompt& prompt);
    ~CBalanceProgress();

    // The solver's observer; `context` is the CBalanceProgress.
    static void Observe(ZBalanceInfo& info, void* context);

    // Reached by tests while a run is in progress.
    CProgressWnd* Window() const { return m_window.get(); }
    static CBalanceProgress* Current() { return s_current; }

private:
    void OnPhase(ZBalanceInfo& info);

    QPointer<QWidget> m_owner;
    UiPrompt& m_prompt;
    std::unique_ptr<CProgressWnd> m_window;
    static CBalanceProgress* s_current;
};
