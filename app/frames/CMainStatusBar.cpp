#include "CMainStatusBar.h"
#include "LockKeyState.h"

#include <QLabel>

#include <algorithm>

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    m_coord = AddPane(QStringLiteral("COORDPANEL"), 200);
    m_balance = AddPane(QStringLiteral("BALANCESTATUS"), BalancePaneWidth);
    m_caps = AddPane(QStringLiteral("CAPS"), 0);
    m_num = AddPane(QStringLiteral("NUM"), 0);
    m_scroll = AddPane(QStringLiteral("SCRL"), 0);
    m_caps->setText(tr("大写"));
    m_num->setText(tr("数字"));
    m_scroll->setText(tr("滚动"));
    // The idle text comes back whenever a prompt or message is cleared.
    m_idle = tr("就绪");
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            showMessage(m_idle);
    });
    showMessage(m_idle);
    UpdateLockIndicators();
}

QLabel* CMainStatusBar::AddPane(const QString& name, int minWidth)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setContentsMargins(4, 0, 4, 0);
    if (minWidth > 0)
        label->setMinimumWidth(minWidth);
    addPermanentWidget(label);
    return label;
}

void CMainStatusBar::SetCoordText(const QString& text)
{
    if (m_coord->text() != text)
        m_coord->setText(text);
}

QString CMainStatusBar::CoordText() const
{
    return m_coord->text();
}

void CMainStatusBar::SetIdleText(const QString& text)
{
    const QString idle = text.isEmpty() ? tr("就绪") : text;
    if (idle == m_idle)
        return;
    // A menu's tip on show stays until it is cleared; only the idle text is replaced.
    const bool showing = currentMessage() == m_idle;
    m_idle = idle;
    if (showing)
        showMessage(m_idle);
}

void CMainStatusBar::SetBalanceText(const QString& text)
{
    if (m_balance->text() == text)
        return;
    m_balance->setText(text);
    // "已平差:最高时 (已修改)" is wider than the pane's usual size: it grows rather than cut the text.
    const QMargins m = m_balance->contentsMargins();
    const int wanted =
        m_balance->fontMetrics().horizontalAdvance(text) + m.left() + m.right() + 2 * m_balance->frameWidth() + 4;
    m_balance->setMinimumWidth(std::max(BalancePaneWidth, wanted));
}

QString CMainStatusBar::BalanceText() const
{
    return m_balance->text();
}

void CMainStatusBar::UpdateLockIndicators()
{
    const LockKeyState s = LockKeyState::Query();
    m_caps->setEnabled(s.known && s.caps);
    m_num->setEnabled(s.known && s.num);
    m_scroll->setEnabled(s.known && s.scroll);
}
