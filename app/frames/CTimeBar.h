#pragma once
#include <QPointer>
#include <QToolBar>

class CQENDoc;
class CSimulationState;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// The time bar under the graphic windows: which report time of the active document's
// extended-period results the views show. Shown only while that document has such results.
// "模拟结果" switches between them and the balancing results; the slider, step buttons and
// play/pause choose the time, the clock time stands beside them. Stale results say so and can no
// longer be stepped through.
class CTimeBar : public QToolBar {
    Q_OBJECT
public:
    explicit CTimeBar(QWidget* parent = nullptr);

    // The active document (null: none); the bar hides when it has no results.
    void SetDocument(CQENDoc* doc);
    CQENDoc* Document() const { return m_doc; }

    QSlider* Slider() const { return m_slider; }
    QToolButton* PlayButton() const { return m_play; }
    QToolButton* BackButton() const { return m_back; }
    QToolButton* ForwardButton() const { return m_forward; }
    QToolButton* ShowButton() const { return m_show; }
    QLabel* ClockLabel() const { return m_clock; }
    QLabel* StaleLabel() const { return m_staleMark; }
    // Whether the bar says its results are stale.
    bool ShowsStale() const;
    bool IsPlaying() const;
    // Milliseconds between two times while playing.
    void SetPlayInterval(int ms);

    void StepBack();
    void StepForward();
    void TogglePlay();

private:
    static QString StaleText();
    CSimulationState* State() const;
    void Refresh();
    void OnSlider(int value);
    void OnShowToggled(bool on);
    void OnTick();
    void Stop();

    QPointer<CQENDoc> m_doc;
    QPointer<CSimulationState> m_state;   // whose stateChanged is connected
    QToolButton* m_show;
    QToolButton* m_back;
    QToolButton* m_play;
    QToolButton* m_forward;
    QSlider* m_slider;
    QLabel* m_clock;
    QLabel* m_staleMark;
    QTimer* m_timer;
    bool m_refreshing = false;
};
