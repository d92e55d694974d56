#include "CSweepProgress.h"
#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

CSweepProgress::CSweepProgress(QWidget* owner, UiPrompt& prompt, const QString& title)
    : m_owner(owner), m_prompt(prompt), m_title(title)
{
}

CSweepProgress::~CSweepProgress() = default;

void CSweepProgress::Progress(double fraction)
{
    if (m_finished)
        return;
    if (!m_window) {
        m_window = std::make_unique<CProgressWnd>(m_owner.data(), m_title);
        m_window->SetStatus(QCoreApplication::translate("CSweepProgress", "正在逐个计算..."));
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

bool CSweepProgress::StopRequested() const
{
    return m_window && m_window->CheckCancel() &&
           m_prompt.AskYesNo(QCoreApplication::translate("CSweepProgress", "确认终止%1吗?").arg(m_title).toStdString());
}
