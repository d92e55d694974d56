#include "CContourProgress.h"

#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

CContourProgress* CContourProgress::s_current = nullptr;

CContourProgress::CContourProgress(QWidget* owner, UiPrompt& prompt)
    : m_prompt(prompt), m_window(std::make_unique<CProgressWnd>(owner, tr("正在创建等压线...")))
{
    m_window->SetStatus(tr("等压线生成中，请稍后..."));
    m_window->SetRange(0, 100);
    s_current = this;
}

CContourProgress::~CContourProgress()
{
    if (s_current == this)
        s_current = nullptr;
}

void CContourProgress::Progress(double fraction)
{
    int low = 0, high = 0;
    m_window->GetRange(low, high);
    const double f = fraction < 0.0 ? 0.0 : (fraction > 1.0 ? 1.0 : fraction);
    m_window->SetPos(low + static_cast<int>((high - low) * f));
}

bool CContourProgress::StopRequested() const
{
    if (!m_stop && m_window->CheckCancel() && m_prompt.AskYesNo(tr("确认要终止本操作吗？").toStdString()))
        m_stop = true;
    return m_stop;
}
