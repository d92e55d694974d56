#include "ZBalanceSummary.h"
#include "ZBalanceRun.h"

#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZNetwork.h"

#include <algorithm>

ZBalanceSummary::ZBalanceSummary(const ZBalanceRun& run, const ZNetwork& network, double headTolerance,
                                 double minFreeHead)
    : m_status(run.Status()), m_converged(run.Status() == ZBalanceInfo::Converged), m_passes(run.Iterations()),
      m_seconds(run.Timings().total), m_correction(run.MaxCorrection()), m_tolerance(headTolerance),
      m_minFreeHead(minFreeHead)
{
    if (!m_converged)
        return;
    m_pressureDriven = run.PressureDriven();
    m_deficient = run.DeficientNodeCount();
    m_shortage = run.Shortage();
    // Sources carry the supply written back as a negative demand; a tank's flow leaves it.
    for (const ZConsumeNode* n : network.Nodes()) {
        if (n->IsHeadKnown() && !n->IsDeviceNode()) {
            m_supplies.push_back({GbkString(n->IdView()), false, -n->NodeFlow});
            m_total -= n->NodeFlow;
        }
    }
    for (const ZFlowLink* l : network.Links()) {
        if (l->GetKind() == ZNetObject::Kind::Tank) {
            m_supplies.push_back({GbkString(l->IdView()), true, l->Flow});
            m_total += l->Flow;
        }
    }
    for (const ZConsumeNode* n : network.Nodes()) {
        if (!n->IsFlowKnown() || n->IsHidden())
            continue;
        const double h = n->FreeHead();
        if (m_lowest.id.empty() || h < m_lowest.freeHead)
            m_lowest = {GbkString(n->IdView()), h};
        if (h < m_minFreeHead)
            m_below.push_back({GbkString(n->IdView()), h});
        if (h < 0.0)
            ++m_negative;
    }
    std::stable_sort(m_below.begin(), m_below.end(),
                     [](const NodeHead& a, const NodeHead& b) { return a.freeHead < b.freeHead; });
}

std::string ZBalanceSummary::StatusText(int status)
{
    switch (status) {
    case ZBalanceInfo::Converged:
        return "收敛";
    case ZBalanceInfo::Stopped:
        return "用户中止";
    case ZBalanceInfo::IterationLimit:
        return "达到计算次数上限, 未收敛";
    case ZBalanceInfo::NoHeadKnownNode:
        return "没有足够的已知水压节点";
    case ZBalanceInfo::Diverged:
        return "计算发散";
    case ZBalanceInfo::InvalidData:
        return "数据错误, 未计算";
    default:
        return "未知";
    }
}

std::string ZBalanceSummary::Text(const UnitSystem& units) const
{
    const UnitCategory& flow = units.FlowUnit();
    const UnitCategory& head = units.Hydr();
    const std::string h = " " + head.UnitName();
    std::string t = "状态: " + StatusText(m_status) + (m_converged ? " (已平差)" : " (未平差)") + "\n";
    t += "计算次数: " + std::to_string(m_passes) + ", 用时 " + NumberFormat::Fixed(m_seconds, 3) + " s, 最后校正值 " +
         NumberFormat::G(m_correction) + " m (精度 " + NumberFormat::G(m_tolerance) + " m)\n";
    if (!m_converged)
        return t;
    t += "供水量 (" + flow.UnitName() + "):\n";
    for (const Supply& s : m_supplies)
        t += std::string(s.tank ? "    水池 " : "    水源 ") + MessageText::Quote(s.id) + "  " +
             flow.FormatFixed(s.flow) + "\n";
    t += "    合计  " + flow.FormatFixed(m_total) + "\n";
    if (HasLowest())
        t += "最低自由水头: " + head.FormatFixed(m_lowest.freeHead) + h + ", 在节点" + MessageText::Quote(m_lowest.id) +
             "\n";
    if (m_pressureDriven)
        t += "供水不足节点 " + std::to_string(m_deficient) + " 个, 缺水 " + flow.FormatFixed(m_shortage) + " " +
             flow.UnitName() + "\n";
    const std::string minimum = head.FormatFixed(m_minFreeHead) + h;
    if (m_below.empty()) {
        t += "所有节点的自由水头都不低于最小服务水头 " + minimum + "\n";
        return t;
    }
    t += "自由水头低于最小服务水头 " + minimum + " 的节点: " + std::to_string(m_below.size()) + " 个\n";
    for (size_t i = 0; i < m_below.size() && i < MaxListed; ++i)
        t += "    " + MessageText::Quote(m_below[i].id) + "  " + head.FormatFixed(m_below[i].freeHead) + h + "\n";
    if (m_below.size() > MaxListed)
        t += "    …… 另有 " + std::to_string(m_below.size() - MaxListed) + " 个\n";
    if (m_negative > 0)
        t += "其中自由水头为负的节点: " + std::to_string(m_negative) + " 个\n";
    return t;
}

std::string ZBalanceSummary::NegativeWarning(const UnitSystem& units) const
{
    if (m_negative == 0)
        return {};
    const UnitCategory& head = units.Hydr();
    return std::to_string(m_negative) + " 个节点的自由水头为负 (最低 " + head.FormatFixed(m_lowest.freeHead) + " " +
           head.UnitName() + ", 节点" + MessageText::Quote(m_lowest.id) +
           "), 这些地方的水压低于地面, 不能供水。请检查水源水压、管径和流量。详见报告窗口。";
}
