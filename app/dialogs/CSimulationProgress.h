#pragma once
#include <QCoreApplication>
#include "model/ProgressObserver.h"

#include <QPointer>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// The extended-period run's progress window: the share of the period done and its clock time,
// "放弃" confirmed before the stop request, closed at the end.
class CSimulationProgress : public ProgressObserver {
    Q_DECLARE_TR_FUNCTIONS(CSimulationProgress)

public:
    CSimulationProgress(QWidget* owner, UiPrompt& prompt);
    ~CSimulationProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    CProgressWnd* Window() const { return m_window.get(); }

private:
    QPointer<QWidget> m_owner;
    UiPrompt& m_prompt;
    std::unique_ptr<CProgressWnd> m_window;
    bool m_finished = false;
};
