#pragma once
#include <QDialog>
#include <QTimer>

#include <array>

class CViewEditor;
class QComboBox;
class QTabBar;
class ZNetCanvas;
class ZNetObject;

// The find dialog: one list of identifiers per object kind; "查看" centres the view on the object
// as one zoom step and makes it blink every 500 ms, moving the dialog aside when it would hide
// it; "属性" opens its property dialog. Closing gives the blinking object back its own look and
// selection.
class CFindDlg : public QDialog {
    Q_OBJECT
public:
    CFindDlg(ZNetCanvas& canvas, CViewEditor& editor, QWidget* parent = nullptr);
    ~CFindDlg() override;

    QTabBar* Tabs() const { return m_tabs; }
    QComboBox* List(int tab) const { return m_lists[static_cast<size_t>(tab)]; }
    ZNetObject* Flashed() const { return m_flashed; }
    bool IsFlashing() const { return m_timer.isActive(); }

public slots:
    void onView();
    void onProperties();
    void done(int result) override;

private slots:
    void onTabChanged(int tab);
    void onTimer();

private:
    void Fill();
    // Moves the dialog off a screen point it covers (the object just centred).
    void KeepClearOf(const QPoint& global);
    ZNetObject* Lookup();
    void StopFlash();

    ZNetCanvas& m_canvas;
    CViewEditor& m_editor;
    QTabBar* m_tabs;
    std::array<QComboBox*, 5> m_lists{};
    QTimer m_timer;
    ZNetObject* m_flashed = nullptr;
    bool m_flashedWasSelected = false;
};
