#include "CRunProgress.h"
#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"

#include <QCoreApplication>

CRunProgress::CRunProgress(QWidget* owner, UiPrompt& prompt, const QString& title, const QString& status,
                           const QString& question)
    : m_owner(owner), m_prompt(prompt), m_title(title), m_status(status),
      m_question(question.isEmpty() ? QCoreApplication::translate("CRunProgress", "确认终止%1吗?").arg(title)
                                    : question)
{
}

CRunProgress::~CRunProgress() = default;

void CRunProgress::Progress(double fraction)
{
    if (m_finished)
        return;
    if (!m_window) {
        m_window = std::make_unique<CProgressWnd>(m_owner.data(), m_title);
        m_window->SetStatus(m_status);
        m_window->SetRange(0, 1000);
    }
    const bool end = fraction >= 1.0;
    const int pos = ZBalanceRun::ProgressPosition(fraction, 0, 1000, end);
    if (pos != m_window->Pos() || end)
        m_window->SetPos(pos);
    if (end) {
        m_finished = true;
        m_window.reset();
    }
}

bool CRunProgress::StopRequested() const
{
    return m_window && m_window->CheckCancel() && m_prompt.AskYesNo(m_question.toStdString());
}
