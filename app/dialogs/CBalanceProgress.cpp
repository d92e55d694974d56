#include "CBalanceProgress.h"
#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"

CBalanceProgress::CBalanceProgress(QWidget* owner, UiPrompt& prompt) : m_owner(owner), m_prompt(prompt) {}

CBalanceProgress::~CBalanceProgress() = default;

void CBalanceProgress::Progress(double fraction)
{
    if (m_finished)
        return;
    if (!m_window) {
        m_window = std::make_unique<CProgressWnd>(m_owner.data(), tr("管网平差"));
        m_window->SetStatus(tr("正在进行数据校验..."));
        m_window->SetRange(0, 1000);
    }
    int low = 0, high = 0;
    m_window->GetRange(low, high);
    const bool end = fraction >= 1.0;
    m_window->SetPos(ZBalanceRun::ProgressPosition(fraction, low, high, end));
    if (end) {
        m_finished = true;
        m_window.reset();
    }
}

bool CBalanceProgress::StopRequested() const
{
    return m_window && m_window->CheckCancel() && m_prompt.AskYesNo(tr("确认终止平差计算吗?").toStdString());
}
