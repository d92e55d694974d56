#include "CBalanceProgress.h"
#include "CProgressWnd.h"
#include "UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"

CBalanceProgress* CBalanceProgress::s_current = nullptr;

CBalanceProgress::CBalanceProgress(QWidget* owner, UiPrompt& prompt) : m_owner(owner), m_prompt(prompt)
{
    s_current = this;
}

CBalanceProgress::~CBalanceProgress()
{
    if (s_current == this)
        s_current = nullptr;
}

void CBalanceProgress::Observe(ZBalanceInfo& info, void* context)
{
    static_cast<CBalanceProgress*>(context)->OnPhase(info);
}

void CBalanceProgress::OnPhase(ZBalanceInfo& info)
{
    switch (info.GetPhase()) {
    case ZBalanceInfo::PhaseStart:
        m_window = std::make_unique<CProgressWnd>(m_owner.data(), QStringLiteral("管网平差"));
        break;
    case ZBalanceInfo::PhaseCheck:
        if (m_window) {
            m_window->SetStatus(QStringLiteral("正在进行数据校验..."));
            m_window->SetRange(0, 1000);
        }
        break;
    case ZBalanceInfo::PhaseIterate:
        if (m_window) {
            int low = 0, high = 0;
            m_window->GetRange(low, high);
            m_window->SetPos(ZBalanceRun::ProgressPosition(info.GetProgress(), low, high, false));
            if (m_window->CheckCancel() && m_prompt.AskYesNo("确认终止平差计算吗?"))
                info.RequestStop();
        }
        break;
    case ZBalanceInfo::PhaseFinished:
        if (m_window) {
            int low = 0, high = 0;
            m_window->GetRange(low, high);
            m_window->SetPos(high);
            m_window.reset();
        }
        break;
    default:
        break;
    }
}
