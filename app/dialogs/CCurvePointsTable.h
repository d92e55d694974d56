#pragma once
#include "CurvePoints.h"

#include <QWidget>

class QTableWidget;

// A small table of a curve's points (flow, head) with "添加点" and "删除点": the rows of a
// CurvePoints, typed in place.
class CCurvePointsTable : public QWidget {
    Q_OBJECT
public:
    CCurvePointsTable(const QString& flowTitle, const QString& headTitle, QWidget* parent = nullptr);

    void SetRows(const std::vector<CurvePoints::Row>& rows);
    std::vector<CurvePoints::Row> Rows() const;
    QTableWidget* Table() const { return m_table; }

    void AddPoint();
    void RemovePoint();

private:
    QTableWidget* m_table;
};
