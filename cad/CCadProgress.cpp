#include "CCadProgress.h"

#include "views/CProgressWnd.h"

#include <algorithm>
#include <cmath>

CCadProgress* CCadProgress::s_current = nullptr;

CCadProgress::CCadProgress(QWidget* owner, const QString& title)
    : m_window(std::make_unique<CProgressWnd>(owner, title))
{
    m_window->SetRange(0, 100);
    s_current = this;
}

CCadProgress::~CCadProgress()
{
    if (s_current == this)
        s_current = nullptr;
}

void CCadProgress::SetStatus(const QString& text)
{
    m_window->SetStatus(text);
}

void CCadProgress::Progress(double fraction)
{
    const int pos = static_cast<int>(std::clamp(std::floor(fraction * 100.0 + 1e-9), 0.0, 100.0));
    if (pos != m_window->Pos())
        m_window->SetPos(pos);
}

bool CCadProgress::StopRequested() const
{
    return m_window->CheckCancel();
}

void CCadProgress::Hide()
{
    m_window->hide();
}
