#include "CTimeBar.h"
#include "app/commands/CQENDoc.h"
#include "app/commands/CSimulationState.h"

#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

CTimeBar::CTimeBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("timeBar"));
    setWindowTitle(tr("时间条"));
    setMovable(false);
    m_show = new QToolButton(this);
    m_show->setText(tr("模拟结果"));
    m_show->setToolTip(tr("显示延时模拟的结果 (关闭: 显示平差结果)"));
    m_show->setCheckable(true);
    m_back = new QToolButton(this);
    m_back->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    m_back->setToolTip(tr("上一时刻"));
    m_play = new QToolButton(this);
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_play->setToolTip(tr("播放/暂停"));
    m_forward = new QToolButton(this);
    m_forward->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    m_forward->setToolTip(tr("下一时刻"));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("timeSlider"));
    m_slider->setMinimumWidth(240);
    m_slider->setPageStep(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("timeClock"));
    m_clock->setMinimumWidth(m_clock->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00  (00/00)")));
    m_staleMark = new QLabel(this);
    m_staleMark->setMinimumWidth(m_staleMark->fontMetrics().horizontalAdvance(StaleText()) + 8);
    m_staleMark->setStyleSheet(QStringLiteral("color: #c00000;"));
    addWidget(m_show);
    addSeparator();
    addWidget(m_back);
    addWidget(m_play);
    addWidget(m_forward);
    addWidget(m_slider);
    addWidget(m_clock);
    addWidget(m_staleMark);
    m_timer = new QTimer(this);
    m_timer->setInterval(700);
    connect(m_timer, &QTimer::timeout, this, &CTimeBar::OnTick);
    connect(m_back, &QToolButton::clicked, this, &CTimeBar::StepBack);
    connect(m_forward, &QToolButton::clicked, this, &CTimeBar::StepForward);
    connect(m_play, &QToolButton::clicked, this, &CTimeBar::TogglePlay);
    connect(m_show, &QToolButton::toggled, this, &CTimeBar::OnShowToggled);
    connect(m_slider, &QSlider::valueChanged, this, &CTimeBar::OnSlider);
    setVisible(false);
}

QString CTimeBar::StaleText()
{
    return tr("结果已过期, 请重新模拟");
}

CSimulationState* CTimeBar::State() const
{
    return m_doc ? CSimulationState::Of(*m_doc) : nullptr;
}

void CTimeBar::SetDocument(CQENDoc* doc)
{
    if (doc != m_doc) {
        Stop();
        if (m_doc)
            disconnect(m_doc, nullptr, this, nullptr);
        m_doc = doc;
        // A run makes the document's state and shows its first time: that announcement finds it.
        if (m_doc)
            connect(m_doc, &CQENDoc::changed, this, &CTimeBar::Refresh);
    }
    Refresh();
}

void CTimeBar::Refresh()
{
    CSimulationState* state = State();
    if (state != m_state) {
        if (m_state)
            disconnect(m_state, nullptr, this, nullptr);
        m_state = state;
        if (m_state)
            connect(m_state, &CSimulationState::stateChanged, this, &CTimeBar::Refresh);
    }
    const bool has = state && state->HasResults();
    if (isVisible() != has)
        setVisible(has);
    if (!has) {
        Stop();
        return;
    }
    m_refreshing = true;
    const int last = static_cast<int>(state->Results().TimeCount()) - 1;
    const bool live = !state->IsStale();
    const bool showing = state->IsShowing();
    m_slider->setRange(0, last);
    m_slider->setValue(static_cast<int>(state->CurrentIndex()));
    m_show->setChecked(showing);
    m_show->setEnabled(showing || live);
    m_slider->setEnabled(live);
    m_back->setEnabled(live && state->CurrentIndex() > 0);
    m_forward->setEnabled(live && static_cast<int>(state->CurrentIndex()) < last);
    m_play->setEnabled(live && last > 0);
    m_clock->setText(QStringLiteral("%1  (%2/%3)")
                         .arg(state->ClockText(state->CurrentIndex()))
                         .arg(state->CurrentIndex() + 1)
                         .arg(last + 1));
    // A toolbar hides a widget of its own on its layout's terms: the text comes and goes instead.
    m_staleMark->setText(live ? QString() : StaleText());
    m_refreshing = false;
    if (!live)
        Stop();
}

void CTimeBar::OnSlider(int value)
{
    if (m_refreshing)
        return;
    if (CSimulationState* state = State())
        state->ShowTime(static_cast<size_t>(value));
}

void CTimeBar::OnShowToggled(bool on)
{
    if (m_refreshing)
        return;
    CSimulationState* state = State();
    if (!state)
        return;
    if (on)
        state->ShowTime(state->CurrentIndex());
    else {
        Stop();
        state->StopShowing();
    }
    Refresh();
}

void CTimeBar::StepBack()
{
    CSimulationState* state = State();
    if (state && state->CurrentIndex() > 0)
        state->ShowTime(state->CurrentIndex() - 1);
}

void CTimeBar::StepForward()
{
    CSimulationState* state = State();
    if (state && state->CurrentIndex() + 1 < state->Results().TimeCount())
        state->ShowTime(state->CurrentIndex() + 1);
}

bool CTimeBar::ShowsStale() const
{
    return !m_staleMark->text().isEmpty();
}

bool CTimeBar::IsPlaying() const
{
    return m_timer->isActive();
}

void CTimeBar::SetPlayInterval(int ms)
{
    m_timer->setInterval(ms);
}

void CTimeBar::TogglePlay()
{
    if (IsPlaying()) {
        Stop();
        return;
    }
    CSimulationState* state = State();
    if (!state || state->IsStale() || state->Results().TimeCount() < 2)
        return;
    // From the start again once the end was reached.
    if (state->CurrentIndex() + 1 >= state->Results().TimeCount())
        state->ShowTime(0);
    m_timer->start();
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
}

void CTimeBar::OnTick()
{
    CSimulationState* state = State();
    if (!state || state->IsStale() || state->CurrentIndex() + 1 >= state->Results().TimeCount()) {
        Stop();
        return;
    }
    state->ShowTime(state->CurrentIndex() + 1);
    if (state->CurrentIndex() + 1 >= state->Results().TimeCount())
        Stop();
}

void CTimeBar::Stop()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
}
