#pragma once
#include <QDialog>
#include <memory>

namespace Ui {
class CProgressWnd;
}

// The shared modeless progress window of long operations. While it exists its owner takes no
// input; setting the position and checking for cancel let pending events run, so the windows
// keep painting and "放弃" can be pressed. "放弃" (and Escape) only raise the cancel flag;
// Enter does nothing.
class CProgressWnd : public QDialog {
    Q_OBJECT
public:
    // Shows itself at once over `owner`.
    CProgressWnd(QWidget* owner, const QString& caption);
    ~CProgressWnd() override;

    void SetStatus(const QString& text);
    void SetRange(int low, int high);
    void GetRange(int& low, int& high) const
    {
        low = m_low;
        high = m_high;
    }
    void SetPos(int pos);
    int Pos() const;
    QString PercentText() const;
    QString StatusText() const;
    // True once for each press of "放弃" since the last check.
    bool CheckCancel();
    // The test hook and what the button does.
    void PressCancel() { m_cancelPressed = true; }

    void reject() override { PressCancel(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    std::unique_ptr<Ui::CProgressWnd> m_ui;
    int m_low = 0;
    int m_high = 100;
    bool m_cancelPressed = false;
};
