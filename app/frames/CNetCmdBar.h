#pragma once
#include <QToolBar>

class CoordEdit;

// The coordinate entry bar ("输坐标:"): docks only at the top or the bottom of the main window.
class CNetCmdBar : public QToolBar {
    Q_OBJECT
public:
    explicit CNetCmdBar(const QString& title, QWidget* parent = nullptr);
    CoordEdit* Edit() const { return m_edit; }
    // The invalid-text reaction: focus back in the field with all its text selected.
    void SelectForCorrection();

signals:
    void coordinateText(const QString& text);

private:
    CoordEdit* m_edit;
};
