#pragma once
#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZFireFlow.h"

#include <QCoreApplication>
#include <QString>

#include <unordered_map>
#include <vector>

class UnitSystem;
class ZNetObject;
class ZNetwork;

// The columns of the two result tables of the table window, 消防流量 (node, available flow,
// limiting node, its free head) and 事故分析 (pipe, nodes cut off, nodes below H, worst node, its
// free head): one row per object with a result, in the order of the run. Holds a copy of the
// results; the network must stay as it was at the run while the table shows (results are dropped
// on any change, and their table with them).
class ZSweepColumns {
    Q_DECLARE_TR_FUNCTIONS(ZSweepColumns)

public:
    // Tab numbers after the object kinds' (ZGridColumns::Tab).
    enum Tab { FireFlowTab = 5, FailureTab = 6 };

    ZSweepColumns(const ZNetwork& net, std::vector<ZFireFlow::Result> results);
    ZSweepColumns(const ZNetwork& net, std::vector<ZCriticality::Result> results);

    int Tab() const { return m_tab; }
    // The tab's name in the table window.
    QString Name() const;
    // The objects with a result, in the order of the run.
    const std::vector<ZNetObject*>& Objects() const { return m_objects; }

    int ColumnCount() const;
    QString TitleWithUnit(int column, const UnitSystem& units) const;
    QString Text(int column, const ZNetObject& o, const UnitSystem& units) const;
    bool IsNumeric(int column) const;
    // Base units; ids sort by text.
    double Value(int column, const ZNetObject& o) const;

private:
    int ResultOf(const ZNetObject& o) const;
    QString NodeId(int node) const;

    const ZNetwork& m_net;
    int m_tab;
    std::vector<ZFireFlow::Result> m_fire;
    std::vector<ZCriticality::Result> m_failures;
    std::vector<ZNetObject*> m_objects;
    std::unordered_map<const ZNetObject*, int> m_resultOf;
};
