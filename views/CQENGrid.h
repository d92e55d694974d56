#pragma once
#include <QTableView>

class CQENGridModel;
class ZNetObject;

// The read-only grid of one table: a title row, the record marker column, cells selected by the
// user and copied with Ctrl+C as tab-separated text under their titles, columns sorted by a
// click on their title. Clicking a row makes it the current record.
class CQENGrid : public QTableView {
    Q_OBJECT
public:
    CQENGrid(CQENGridModel* model, QWidget* parent = nullptr);

    CQENGridModel* Model() const { return m_model; }
    // Moves the record marker and brings the row into view: the first record to the top, the
    // others only as far as needed.
    void GoToRecord(int record);
    // The selected cells as tab-separated lines, the titles of their columns first; empty when
    // nothing is selected.
    QString SelectionText() const;
    void CopySelection() const;
    bool HasSelection() const;

signals:
    // A row was double-clicked.
    void objectActivated(ZNetObject* object);
    void recordChanged(int record);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    CQENGridModel* m_model;
    bool m_moving = false;
    int m_sortColumn = -1;   // as the title row last showed it
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
