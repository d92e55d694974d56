#include "CCurvePointsTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kVisibleRows = 5;

QString CellText(const QTableWidget* t, int row, int col)
{
    const QTableWidgetItem* item = t->item(row, col);
    return item ? item->text().trimmed() : QString();
}
}   // namespace

CCurvePointsTable::CCurvePointsTable(const QString& flowTitle, const QString& headTitle, QWidget* parent)
    : QWidget(parent), m_table(new QTableWidget(0, 2))
{
    m_table->setObjectName(QStringLiteral("points"));
    m_table->setHorizontalHeaderLabels({flowTitle, headTitle});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            kVisibleRows * m_table->verticalHeader()->defaultSectionSize() + 4);
    m_table->setMinimumWidth(260);

    auto* add = new QPushButton(tr("添加点"));
    add->setObjectName(QStringLiteral("addPoint"));
    auto* remove = new QPushButton(tr("删除点"));
    remove->setObjectName(QStringLiteral("removePoint"));
    connect(add, &QPushButton::clicked, this, &CCurvePointsTable::AddPoint);
    connect(remove, &QPushButton::clicked, this, &CCurvePointsTable::RemovePoint);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(m_table);
    h->addLayout(buttons);
    setFocusProxy(m_table);
}

void CCurvePointsTable::SetRows(const std::vector<CurvePoints::Row>& rows)
{
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(rows[size_t(r)].flow));
        m_table->setItem(r, 1, new QTableWidgetItem(rows[size_t(r)].head));
    }
}

std::vector<CurvePoints::Row> CCurvePointsTable::Rows() const
{
    std::vector<CurvePoints::Row> rows;
    for (int r = 0; r < m_table->rowCount(); ++r)
        rows.push_back({CellText(m_table, r, 0), CellText(m_table, r, 1)});
    return rows;
}

// A new point goes below the current one, so points can be typed in flow order.
void CCurvePointsTable::AddPoint()
{
    const int row = m_table->currentRow() >= 0 ? m_table->currentRow() + 1 : m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem);
    m_table->setItem(row, 1, new QTableWidgetItem);
    m_table->setCurrentCell(row, 0);
    m_table->editItem(m_table->item(row, 0));
}

void CCurvePointsTable::RemovePoint()
{
    const int row = m_table->currentRow() >= 0 ? m_table->currentRow() : m_table->rowCount() - 1;
    if (row >= 0)
        m_table->removeRow(row);
}
