#pragma once
#include "model/ProgressObserver.h"

#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// The progress window of report making ("正在生成计算书..."): the bar follows the cases balanced
// for the report, and "放弃" asks before the stop request. The window lives as long as this.
class CReportProgress : public ProgressObserver {
public:
    CReportProgress(QWidget* owner, UiPrompt& prompt);
    ~CReportProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    // True once a stop was asked for and confirmed.
    bool Stopped() const { return m_stop; }
    CProgressWnd* Window() const { return m_window.get(); }
    // The report in the making, for tests that press "放弃" while it runs.
    static CReportProgress* Current() { return s_current; }

private:
    UiPrompt& m_prompt;
    std::unique_ptr<CProgressWnd> m_window;
    mutable bool m_stop = false;
    static CReportProgress* s_current;
};
