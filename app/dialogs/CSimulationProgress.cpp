#include "CSimulationProgress.h"
#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

CSimulationProgress::CSimulationProgress(QWidget* owner, UiPrompt& prompt) : m_owner(owner), m_prompt(prompt) {}

CSimulationProgress::~CSimulationProgress() = default;

void CSimulationProgress::Progress(double fraction)
{
    if (m_finished)
        return;
    if (!m_window) {
        m_window = std::make_unique<CProgressWnd>(m_owner.data(),
                                                  QCoreApplication::translate("CSimulationProgress", "延时模拟"));
        m_window->SetStatus(QCoreApplication::translate("CSimulationProgress", "正在计算各时刻的平差..."));
        m_window->SetRange(0, 1000);
    }
    const bool end = fraction >= 1.0;
    // Never full before the end: the last balances may take longest.
    const int pos = end ? 1000 : std::clamp(static_cast<int>(std::lround(fraction * 1000.0)), 0, 990);
    if (pos != m_window->Pos() || end)
        m_window->SetPos(pos);
    if (end) {
        m_finished = true;
        m_window.reset();
    }
}

bool CSimulationProgress::StopRequested() const
{
    return m_window && m_window->CheckCancel() && m_prompt.AskYesNo(tr("确认终止延时模拟吗?").toStdString());
}
