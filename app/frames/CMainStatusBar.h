#pragma once
#include <QStatusBar>

class QLabel;

// The status bar: message pane, COORDPANEL (cursor position or record counter), BALANCESTATUS
// and the caps, num and scroll lock indicators.
class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent = nullptr);

    void SetCoordText(const QString& text);
    QString CoordText() const;
    // The message pane's text while no other message shows: "就绪", or the hint of the editing
    // tool that runs (empty gives "就绪").
    void SetIdleText(const QString& text);
    void SetBalanceText(const QString& text);
    QString BalanceText() const;
    // Polls the lock keys where the windowing system tells them.
    void UpdateLockIndicators();

private:
    static constexpr int BalancePaneWidth = 110;
    QLabel* AddPane(const QString& name, int minWidth);

    QLabel* m_coord;
    QLabel* m_balance;
    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;
    QString m_idle;
};
