#include "CQENGrid.h"

#include "CQENGridModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

CQENGrid::CQENGrid(CQENGridModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    setFrameShape(QFrame::NoFrame);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    // Fixed row heights: a table of any length lays out without measuring its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("* 000000")));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setMinimumSectionSize(40);
    // Sorting starts in the network's order; a click on a title sorts by that column.
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int) { clearSelection(); });
    setSortingEnabled(true);
    // A third click on the same title goes back to the network's order.
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
        const bool third =
            column >= 0 && column == m_sortColumn && m_sortOrder == Qt::DescendingOrder && order == Qt::AscendingOrder;
        m_sortColumn = third ? -1 : column;
        m_sortOrder = order;
        if (third)
            horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    });
    resizeColumnsToContents();
    // After the rows were listed again the grid's cursor sits on the current record, so that
    // focusing the grid does not put the record back to the first row.
    connect(model, &QAbstractItemModel::modelReset, this, [this]() {
        if (m_model->CurrentRecord() <= 0)
            return;
        m_moving = true;
        selectionModel()->setCurrentIndex(m_model->index(m_model->CurrentRecord() - 1, 0),
                                          QItemSelectionModel::NoUpdate);
        m_moving = false;
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (ZNetObject* o = m_model->ObjectAt(index.row()))
            emit objectActivated(o);
    });
}

void CQENGrid::GoToRecord(int record)
{
    m_model->SetCurrentRecord(record);
    const int current = m_model->CurrentRecord();
    if (current <= 0)
        return;
    const int column = std::max(0, currentIndex().column());
    const QModelIndex target = m_model->index(current - 1, column);
    m_moving = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    m_moving = false;
    scrollTo(target, current == 1 ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
    emit recordChanged(current);
}

void CQENGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_moving || !current.isValid() || current.row() + 1 == m_model->CurrentRecord())
        return;
    m_model->SetCurrentRecord(current.row() + 1);
    emit recordChanged(m_model->CurrentRecord());
}

bool CQENGrid::HasSelection() const
{
    return selectionModel() && selectionModel()->hasSelection();
}

QString CQENGrid::SelectionText() const
{
    if (!HasSelection())
        return {};
    // Work on the selection's ranges, not on its cells: a whole table may be selected.
    const QItemSelection ranges = selectionModel()->selection();
    std::vector<char> rowUsed(static_cast<size_t>(m_model->rowCount()), 0);
    std::vector<int> order;
    for (const QItemSelectionRange& r : ranges) {
        std::fill(rowUsed.begin() + r.top(), rowUsed.begin() + r.bottom() + 1, 1);
        for (int c = r.left(); c <= r.right(); ++c)
            if (std::find(order.begin(), order.end(), c) == order.end())
                order.push_back(c);
    }
    // Columns in the order shown, which may differ from the model's after a header move.
    std::sort(order.begin(), order.end(),
              [this](int a, int b) { return horizontalHeader()->visualIndex(a) < horizontalHeader()->visualIndex(b); });
    QStringList titles;
    for (int c : order)
        titles.append(m_model->headerData(c, Qt::Horizontal).toString());
    QString text = titles.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = 0; r < static_cast<int>(rowUsed.size()); ++r) {
        if (!rowUsed[static_cast<size_t>(r)])
            continue;
        for (size_t k = 0; k < order.size(); ++k) {
            if (k)
                text += QLatin1Char('\t');
            const QModelIndex cell = m_model->index(r, order[k]);
            if (ranges.size() == 1 || ranges.contains(cell))
                text += m_model->data(cell).toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void CQENGrid::CopySelection() const
{
    const QString text = SelectionText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void CQENGrid::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        CopySelection();
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}
