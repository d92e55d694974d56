#include "CReportProgress.h"

#include "views/CProgressWnd.h"
#include "views/UiPrompt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

CReportProgress* CReportProgress::s_current = nullptr;

CReportProgress::CReportProgress(QWidget* owner, UiPrompt& prompt)
    : m_prompt(prompt), m_window(std::make_unique<CProgressWnd>(
                            owner, QCoreApplication::translate("CReportProgress", "正在生成计算书...")))
{
    m_window->SetStatus(QCoreApplication::translate("CReportProgress", "正在为计算书平差各工况, 请稍候..."));
    m_window->SetRange(0, 1000);
    s_current = this;
}

CReportProgress::~CReportProgress()
{
    if (s_current == this)
        s_current = nullptr;
}

void CReportProgress::Progress(double fraction)
{
    const int pos = std::clamp(static_cast<int>(std::lround(fraction * 1000.0)), 0, 1000);
    if (pos != m_window->Pos())
        m_window->SetPos(pos);
}

bool CReportProgress::StopRequested() const
{
    if (!m_stop && m_window->CheckCancel() &&
        m_prompt.AskYesNo(QCoreApplication::translate("CReportProgress", "确认终止生成计算书吗?").toStdString()))
        m_stop = true;
    return m_stop;
}
