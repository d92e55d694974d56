#pragma once
#include "model/ProgressObserver.h"

#include <QString>

#include <memory>

class CProgressWnd;
class QWidget;

// The shared progress window for a CAD import or export, range 0 to 100: the bar follows the
// core's fraction, and "放弃" becomes a stop request (the core asks whether to stop).
class CCadProgress : public ProgressObserver {
public:
    CCadProgress(QWidget* owner, const QString& title);
    ~CCadProgress() override;
    void SetStatus(const QString& text);
    void Progress(double fraction) override;
    bool StopRequested() const override;
    void Hide();
    CProgressWnd* Window() const { return m_window.get(); }
    // The open one, for tests driving a command.
    static CCadProgress* Current() { return s_current; }

private:
    std::unique_ptr<CProgressWnd> m_window;
    static CCadProgress* s_current;
};
