#include "ZSweepColumns.h"

#include "GbkText.h"

#include "model/UnitSystem.h"
#include "model/ZNetwork.h"

#include <cmath>

namespace {
enum FireColumn { FireNode, FireAvailable, FireLimiting, FireLimitingHead, FireColumnCount };
enum FailureColumn { FailPipe, FailCutOff, FailBelow, FailWorst, FailWorstHead, FailColumnCount };
}   // namespace

ZSweepColumns::ZSweepColumns(const ZNetwork& net, std::vector<ZFireFlow::Result> results)
    : m_net(net), m_tab(FireFlowTab), m_fire(std::move(results))
{
    for (size_t i = 0; i < m_fire.size(); ++i)
        if (const int k = m_fire[i].node; k >= 0 && k < net.NodeCount()) {
            m_objects.push_back(net.NodeAt(k));
            m_resultOf.emplace(m_objects.back(), static_cast<int>(i));
        }
}

ZSweepColumns::ZSweepColumns(const ZNetwork& net, std::vector<ZCriticality::Result> results)
    : m_net(net), m_tab(FailureTab), m_failures(std::move(results))
{
    for (size_t i = 0; i < m_failures.size(); ++i)
        if (const int k = m_failures[i].pipe; k >= 0 && k < net.LinkCount()) {
            m_objects.push_back(net.LinkAt(k));
            m_resultOf.emplace(m_objects.back(), static_cast<int>(i));
        }
}

QString ZSweepColumns::Name() const
{
    return m_tab == FireFlowTab ? tr("消防流量") : tr("事故分析");
}

int ZSweepColumns::ColumnCount() const
{
    return m_tab == FireFlowTab ? int(FireColumnCount) : int(FailColumnCount);
}

int ZSweepColumns::ResultOf(const ZNetObject& o) const
{
    const auto it = m_resultOf.find(&o);
    return it == m_resultOf.end() ? -1 : it->second;
}

QString ZSweepColumns::NodeId(int node) const
{
    return node >= 0 && node < m_net.NodeCount() ? GbkText::ToQString(m_net.NodeAt(node)->IdView()) : QString();
}

QString ZSweepColumns::TitleWithUnit(int column, const UnitSystem& units) const
{
    const QString head = QString::fromStdString(units.Hydr().UnitName());
    if (m_tab == FireFlowTab) {
        switch (column) {
        case FireNode:
            return tr("节点");
        case FireAvailable:
            return tr("可用消防流量 (%1)").arg(QString::fromStdString(units.FlowUnit().UnitName()));
        case FireLimiting:
            return tr("限制节点");
        case FireLimitingHead:
            return tr("限制节点自由水压 (%1)").arg(head);
        default:
            return {};
        }
    }
    switch (column) {
    case FailPipe:
        return tr("管道");
    case FailCutOff:
        return tr("隔开节点数");
    case FailBelow:
        return tr("低于H节点数");
    case FailWorst:
        return tr("最低节点");
    case FailWorstHead:
        return tr("最低自由水压 (%1)").arg(head);
    default:
        return {};
    }
}

bool ZSweepColumns::IsNumeric(int column) const
{
    if (m_tab == FireFlowTab)
        return column == FireAvailable || column == FireLimitingHead;
    return column == FailCutOff || column == FailBelow || column == FailWorstHead;
}

QString ZSweepColumns::Text(int column, const ZNetObject& o, const UnitSystem& units) const
{
    const int i = ResultOf(o);
    if (i < 0)
        return {};
    auto fixed = [](const UnitCategory& c, double v) { return QString::fromStdString(c.FormatFixed(v)); };
    if (m_tab == FireFlowTab) {
        const ZFireFlow::Result& r = m_fire[static_cast<size_t>(i)];
        // No limiting node: cut off from every head (nothing available) or the search's cap.
        const bool limited = r.limiting >= 0 && !r.noHead;
        switch (column) {
        case FireNode:
            return GbkText::ToQString(o.IdView());
        case FireAvailable:
            return fixed(units.FlowUnit(), r.available);
        case FireLimiting:
            return r.noHead ? tr("无水源") : NodeId(r.limiting);
        case FireLimitingHead:
            return limited ? fixed(units.Hydr(), r.limitingFreeHead) : QString();
        default:
            return {};
        }
    }
    const ZCriticality::Result& r = m_failures[static_cast<size_t>(i)];
    switch (column) {
    case FailPipe:
        return GbkText::ToQString(o.IdView());
    case FailCutOff:
        return QString::number(r.cutOff);
    case FailBelow:
        return QString::number(r.nodesBelow);
    case FailWorst:
        return r.failed ? tr("不能平差") : NodeId(r.worst);
    case FailWorstHead:
        return r.worst >= 0 && !r.failed ? fixed(units.Hydr(), r.worstFreeHead) : QString();
    default:
        return {};
    }
}

double ZSweepColumns::Value(int column, const ZNetObject& o) const
{
    const int i = ResultOf(o);
    if (i < 0)
        return 0.0;
    if (m_tab == FireFlowTab) {
        const ZFireFlow::Result& r = m_fire[static_cast<size_t>(i)];
        if (column == FireAvailable)
            return r.available;
        // Rows without a limiting head sort after every other.
        return r.limiting >= 0 && !r.noHead ? r.limitingFreeHead : HUGE_VAL;
    }
    const ZCriticality::Result& r = m_failures[static_cast<size_t>(i)];
    switch (column) {
    case FailCutOff:
        return r.cutOff;
    case FailBelow:
        return r.nodesBelow;
    default:
        return r.worst >= 0 && !r.failed ? r.worstFreeHead : HUGE_VAL;
    }
}
