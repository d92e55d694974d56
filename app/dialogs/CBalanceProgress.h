#pragma once
#include <QCoreApplication>
#include "model/ProgressObserver.h"

#include <QPointer>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// The balancing run's progress window: opened at the run's first report with the data check
// status and the range 0..1000, one position per pass (never past 99% before the end), "放弃"
// confirmed before the stop request, full bar and closed at the end.
class CBalanceProgress : public ProgressObserver {
    Q_DECLARE_TR_FUNCTIONS(CBalanceProgress)

public:
    CBalanceProgress(QWidget* owner, UiPrompt& prompt);
    ~CBalanceProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    CProgressWnd* Window() const { return m_window.get(); }

private:
    QPointer<QWidget> m_owner;
    UiPrompt& m_prompt;
    std::unique_ptr<CProgressWnd> m_window;
    bool m_finished = false;
};
