#pragma once
#include "model/ProgressObserver.h"

#include <QPointer>
#include <QString>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// A sweep's progress window: the share of objects done under the command's title, "放弃"
// confirmed before the stop request (the workers finish the objects they hold), closed at the end.
class CSweepProgress : public ProgressObserver {
public:
    CSweepProgress(QWidget* owner, UiPrompt& prompt, const QString& title);
    ~CSweepProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    CProgressWnd* Window() const { return m_window.get(); }

private:
    QPointer<QWidget> m_owner;
    UiPrompt& m_prompt;
    QString m_title;
    std::unique_ptr<CProgressWnd> m_window;
    bool m_finished = false;
};
