#pragma once
#include <QCoreApplication>
#include "model/ProgressObserver.h"

#include <QPointer>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// The progress window of contour generation ("正在创建等压线..."): the bar follows the fraction,
// and "放弃" asks "确认要终止本操作吗？" before the stop request. The window lives as long as this.
class CContourProgress : public ProgressObserver {
    Q_DECLARE_TR_FUNCTIONS(CContourProgress)

public:
    CContourProgress(QWidget* owner, UiPrompt& prompt);
    ~CContourProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    CProgressWnd* Window() const { return m_window.get(); }
    // The generation in progress, for tests that press "放弃" while it runs.
    static CContourProgress* Current() { return s_current; }

private:
    UiPrompt& m_prompt;
    std::unique_ptr<CProgressWnd> m_window;
    mutable bool m_stop = false;
    static CContourProgress* s_current;
};
