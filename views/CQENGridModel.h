#pragma once
#include <QAbstractTableModel>

#include <memory>
#include <vector>

class UnitSystem;
class ZSweepColumns;
class ZNetObject;
class ZDocument;
class ZNetwork;

// One table of the table window: the objects of one kind, in the network's order or sorted by a
// column, read from the network whenever a cell is shown (nothing is copied ahead). The vertical
// header is the record marker column: the row number, "* n" on the current record. Column titles
// carry the display unit; results the document holds for stale are left empty.
class CQENGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CQENGridModel(int tab, const ZNetwork* net, const UnitSystem& units, QObject* parent = nullptr);
    // A table of analysis results (ZSweepColumns::Tab): its rows are the objects with a result.
    CQENGridModel(std::shared_ptr<const ZSweepColumns> results, const UnitSystem& units, QObject* parent = nullptr);
    ~CQENGridModel() override;

    int Tab() const { return m_tab; }
    // The network read from; null empties the table (its document is gone).
    void SetNetwork(const ZNetwork* net);
    // The document asked which results are stale; null: every result is shown.
    void SetDocument(const ZDocument* doc) { m_doc = doc; }
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    ZNetObject* ObjectAt(int row) const;
    // Row of an object as shown, or -1.
    int RowOf(const ZNetObject* o) const;

    // Lists the objects again (after objects came or went): rows in network order, then sorted as
    // before. The current record stays on its object when it is still listed.
    void Refill();
    // Values changed, not the rows: every shown cell is read again.
    void RefreshValues();
    // Only these objects' rows are read again.
    void RefreshObjects(const std::vector<ZNetObject*>& objects);

    // 1-based row of the current record; 0 when the table is empty.
    int CurrentRecord() const { return m_current; }
    void SetCurrentRecord(int record);
    // "%d/%d": current record and number of records.
    QString RecordText() const;

    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Column -1 goes back to the network's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void CollectRows();
    void SortRows();
    // The columns of either kind of table.
    int Columns() const;
    QString CellText(int column, const ZNetObject& o) const;
    bool NumericColumn(int column) const;
    double CellValue(int column, const ZNetObject& o) const;

    int m_tab;
    const ZNetwork* m_net;
    const ZDocument* m_doc = nullptr;
    const UnitSystem& m_units;
    std::shared_ptr<const ZSweepColumns> m_results;
    std::vector<ZNetObject*> m_rows;   // as shown
    int m_current = 0;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
