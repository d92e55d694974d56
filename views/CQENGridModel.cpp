#include "CQENGridModel.h"

#include "ZGridColumns.h"
#include "ZSweepColumns.h"

#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZNetwork.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

CQENGridModel::CQENGridModel(int tab, const ZNetwork* net, const UnitSystem& units, QObject* parent)
    : QAbstractTableModel(parent), m_tab(tab), m_net(net), m_units(units)
{
    CollectRows();
    m_current = m_rows.empty() ? 0 : 1;
}

CQENGridModel::CQENGridModel(std::shared_ptr<const ZSweepColumns> results, const UnitSystem& units, QObject* parent)
    : QAbstractTableModel(parent), m_tab(results->Tab()), m_net(nullptr), m_units(units), m_results(std::move(results))
{
    CollectRows();
    m_current = m_rows.empty() ? 0 : 1;
}

CQENGridModel::~CQENGridModel() = default;

int CQENGridModel::Columns() const
{
    return m_results ? m_results->ColumnCount() : ZGridColumns::ColumnCount(m_tab);
}

QString CQENGridModel::CellText(int column, const ZNetObject& o) const
{
    return m_results ? m_results->Text(column, o, m_units) : ZGridColumns::Text(m_tab, column, o, m_units);
}

bool CQENGridModel::NumericColumn(int column) const
{
    return m_results ? m_results->IsNumeric(column) : ZGridColumns::IsNumeric(m_tab, column);
}

double CQENGridModel::CellValue(int column, const ZNetObject& o) const
{
    return m_results ? m_results->Value(column, o) : ZGridColumns::Value(m_tab, column, o);
}

void CQENGridModel::SetNetwork(const ZNetwork* net)
{
    beginResetModel();
    m_net = net;
    if (!net)
        m_results.reset();   // its objects are gone with the document
    CollectRows();
    SortRows();
    m_current = m_rows.empty() ? 0 : 1;
    endResetModel();
}

ZNetObject* CQENGridModel::ObjectAt(int row) const
{
    return row >= 0 && row < RecordCount() ? m_rows[static_cast<size_t>(row)] : nullptr;
}

int CQENGridModel::RowOf(const ZNetObject* o) const
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), o);
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

void CQENGridModel::CollectRows()
{
    m_rows.clear();
    if (m_results) {
        m_rows = m_results->Objects();
        return;
    }
    if (!m_net)
        return;
    if (m_tab == ZGridColumns::NodeTab) {
        m_rows.reserve(static_cast<size_t>(m_net->NodeCount()));
        for (int i = 0; i < m_net->NodeCount(); ++i)
            if (ZConsumeNode* n = m_net->NodeAt(i); !n->IsHidden())
                m_rows.push_back(n);
        return;
    }
    for (int i = 0; i < m_net->LinkCount(); ++i)
        if (ZFlowLink* l = m_net->LinkAt(i); ZGridColumns::TabOf(*l) == m_tab)
            m_rows.push_back(l);
}

void CQENGridModel::SortRows()
{
    if (m_sortColumn < 0)
        return;
    const size_t n = m_rows.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (NumericColumn(m_sortColumn)) {
        std::vector<double> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = CellValue(m_sortColumn, *m_rows[i]);
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return descending ? keys[b] < keys[a] : keys[a] < keys[b]; });
    } else {
        std::vector<QString> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = CellText(m_sortColumn, *m_rows[i]);
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return descending ? ZGridColumns::NaturalLess(keys[b], keys[a])
                              : ZGridColumns::NaturalLess(keys[a], keys[b]);
        });
    }
    std::vector<ZNetObject*> sorted(n);
    for (size_t i = 0; i < n; ++i)
        sorted[i] = m_rows[order[i]];
    m_rows.swap(sorted);
}

void CQENGridModel::Refill()
{
    ZNetObject* current = ObjectAt(m_current - 1);
    beginResetModel();
    CollectRows();
    SortRows();
    // Only a pointer comparison: the old current object may be gone, and is never touched.
    const auto it = current ? std::find(m_rows.begin(), m_rows.end(), current) : m_rows.end();
    if (it != m_rows.end())
        m_current = static_cast<int>(it - m_rows.begin()) + 1;
    else
        m_current = std::clamp(m_current, m_rows.empty() ? 0 : 1, RecordCount());
    endResetModel();
}

void CQENGridModel::RefreshValues()
{
    if (m_rows.empty())
        return;
    emit dataChanged(index(0, 0), index(RecordCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void CQENGridModel::RefreshObjects(const std::vector<ZNetObject*>& objects)
{
    // A few objects: look each up; many: one pass over the rows is cheaper than a search each.
    if (objects.size() > 16) {
        RefreshValues();
        return;
    }
    for (ZNetObject* o : objects) {
        const int row = RowOf(o);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
    }
}

void CQENGridModel::SetCurrentRecord(int record)
{
    record = std::clamp(record, m_rows.empty() ? 0 : 1, RecordCount());
    if (record == m_current)
        return;
    const int old = m_current;
    m_current = record;
    if (old > 0)
        emit headerDataChanged(Qt::Vertical, old - 1, old - 1);
    if (record > 0)
        emit headerDataChanged(Qt::Vertical, record - 1, record - 1);
}

QString CQENGridModel::RecordText() const
{
    return QStringLiteral("%1/%2").arg(m_current).arg(RecordCount());
}

int CQENGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RecordCount();
}

int CQENGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns();
}

QVariant CQENGridModel::data(const QModelIndex& index, int role) const
{
    const ZNetObject* o = ObjectAt(index.row());
    if (!o)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (!m_results && m_doc && ZGridColumns::IsResult(m_tab, index.column(), *o) && m_doc->IsResultStale(*o))
            return QString();
        return CellText(index.column(), *o);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(NumericColumn(index.column()) ? Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)
                                                                 : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant CQENGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1 == m_current ? QStringLiteral("* %1").arg(section + 1) : QString::number(section + 1);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_results ? m_results->TitleWithUnit(section, m_units)
                         : ZGridColumns::TitleWithUnit(m_tab, section, m_units);
    return {};
}

Qt::ItemFlags CQENGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CQENGridModel::sort(int column, Qt::SortOrder order)
{
    if (column >= columnCount())
        return;
    ZNetObject* current = ObjectAt(m_current - 1);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<ZNetObject*> objs;
    objs.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& i : before)
        objs.push_back(ObjectAt(i.row()));
    m_sortColumn = column;
    m_sortOrder = order;
    // Always from the network's order, so that ties come out the same way however the table got here.
    CollectRows();
    SortRows();
    // Persistent indexes (the view's selection and current cell) follow their objects.
    if (!before.isEmpty()) {
        std::unordered_map<const ZNetObject*, int> rowOf;
        rowOf.reserve(m_rows.size());
        for (size_t i = 0; i < m_rows.size(); ++i)
            rowOf.emplace(m_rows[i], static_cast<int>(i));
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype k = 0; k < before.size(); ++k) {
            const auto it = rowOf.find(objs[static_cast<size_t>(k)]);
            after.append(it == rowOf.end() ? QModelIndex() : index(it->second, before[k].column()));
        }
        changePersistentIndexList(before, after);
    }
    if (current)
        m_current = RowOf(current) + 1;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
