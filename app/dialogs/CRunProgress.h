#pragma once
#include "model/ProgressObserver.h"

#include <QPointer>
#include <QString>
#include <memory>

class CProgressWnd;
class QWidget;
class UiPrompt;

// The progress window of a long calculation (a balance, an extended-period run, a sweep): opened at
// the first report, the share done under the command's title and a status line, "放弃" confirmed
// before the stop request (what runs finishes its step), closed at the end. Never full before the
// end: the last steps may take longest.
class CRunProgress : public ProgressObserver {
public:
    // `question` asks before stopping; empty: "确认终止<title>吗?".
    CRunProgress(QWidget* owner, UiPrompt& prompt, const QString& title, const QString& status,
                 const QString& question = QString());
    ~CRunProgress() override;

    void Progress(double fraction) override;
    bool StopRequested() const override;

    CProgressWnd* Window() const { return m_window.get(); }

private:
    QPointer<QWidget> m_owner;
    UiPrompt& m_prompt;
    QString m_title, m_status, m_question;
    std::unique_ptr<CProgressWnd> m_window;
    bool m_finished = false;
};
