#include "CRunProgress.h"
#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

CRunProgress::CRunProgress(QWidget* owner, UiPrompt& prompt, const QString& title, const QString& status)
    : m_owner(owner), m_prompt(prompt), m_title(title), m_status(status)
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
    const int pos = end ? 1000 : std::clamp(static_cast<int>(std::lround(fraction * 1000.0)), 0, 990);
    if (pos != m_window->Pos() || end)
        m_window->SetPos(pos);
    if (end) {
        m_finished = true;
        m_window.reset();
    }
}

bool CRunProgress::StopRequested() const
{
    return m_window && m_window->CheckCancel() &&
           m_prompt.AskYesNo(QCoreApplication::translate("CRunProgress", "确认终止%1吗?").arg(m_title).toStdString());
}
