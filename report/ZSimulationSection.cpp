#include "ZSimulationSection.h"

#include "hydraulics/ZBalanceSummary.h"
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZNetwork.h"
#include "model/ZTankLink.h"
#include "model/ZTimeData.h"

#include <cmath>

namespace {
ZReportCell SimIn(const UnitCategory& u, double v)
{
    return ZReportCell::Num(u.ToDisplay(v), u.Precision());
}

// Nodes a free head is reported for, as the run counts its lowest: flow-known and visible.
bool SimCounted(const ZConsumeNode& n)
{
    return n.IsFlowKnown() && !n.IsHidden();
}
}   // namespace

ZSimulationSection::Input ZSimulationSection::Input::Of(const ZSimulation& sim, const ZTimeData& data)
{
    Input in;
    in.results = &sim.Results();
    in.duration = data.Duration;
    in.startClock = data.StartClock;
    in.fromRun = true;
    in.status = sim.Status();
    in.steps = sim.Steps();
    in.lowestFreeHead = sim.LowestFreeHead();
    in.lowestNode = GbkCodec::ToUtf8(sim.LowestNode());
    in.lowestTime = sim.LowestTime();
    in.tankEvents = sim.TankEvents();
    in.energy = sim.Energy();
    in.energyPrice = data.EnergyPrice;
    return in;
}

ZReportSection ZSimulationSection::Build(const Input& in) const
{
    ZReportSection s;
    const ZSimulationResults* r = in.results;
    if (!r || r->TimeCount() == 0 || r->NodeCount() != m_net.NodeCount() || r->LinkCount() != m_net.LinkCount())
        return s;
    s.name = m_text("延时模拟");
    m_startClock = in.startClock;
    Summary(in, s);
    s.tables.push_back(Nodes(*r));
    ZReportTable tanks = Tanks(*r);
    if (!tanks.columns.empty())
        s.tables.push_back(std::move(tanks));
    ZReportTable pumps = Pumps(in);
    if (!pumps.rows.empty())
        s.tables.push_back(std::move(pumps));
    return s;
}

void ZSimulationSection::Summary(const Input& in, ZReportSection& s) const
{
    const ZSimulationResults& r = *in.results;
    const UnitCategory& head = m_units.Hydr();
    auto item = [&s](std::string caption, ZReportCell value) { s.summary.emplace_back(std::move(caption), value); };
    if (in.fromRun)
        item(m_text("计算状态"), ZReportCell::Str(m_text(ZBalanceSummary::StatusText(in.status))));
    item(m_text("模拟时长 (h)"), ZReportCell::Num(static_cast<double>(in.duration) / 3600.0, -1));
    item(m_text("报告时刻数"), ZReportCell::Num(static_cast<double>(r.TimeCount()), 0));
    if (in.fromRun)
        item(m_text("计算步数"), ZReportCell::Num(in.steps, 0));

    // The lowest free head: of every balance when the run is known, else of the report times.
    bool any = in.fromRun && !in.lowestNode.empty();
    double lowest = in.lowestFreeHead;
    std::string node = in.lowestNode;
    int64_t time = in.lowestTime;
    if (!in.fromRun) {
        for (size_t k = 0; k < r.TimeCount(); ++k)
            for (int i = 0; i < m_net.NodeCount(); ++i) {
                const ZConsumeNode& n = *m_net.NodeAt(i);
                const float h = r.Head(k, i);
                if (!SimCounted(n) || !std::isfinite(h))
                    continue;
                const double f = static_cast<double>(h) - n.NodeGrunElev;
                if (!any || f < lowest) {
                    any = true;
                    lowest = f;
                    node = GbkCodec::ToUtf8(n.IdView());
                    time = r.Time(k);
                }
            }
    }
    if (any) {
        const std::string caption = m_text.WithUnit("最低自由水头", head.UnitName());
        item(in.fromRun ? caption : m_text.Format("%1 (报告时刻)", {caption}), SimIn(head, lowest));
        item(m_text("最低自由水头节点"), ZReportCell::Str(node));
        item(m_text("最低自由水头时刻"), Clock(time));
    }
    item(m_text.WithUnit("最小服务水头", head.UnitName()), SimIn(head, m_minFreeHead));
    for (const ZSimulation::TankEvent& e : in.tankEvents)
        item(m_text.Format(e.filled ? "水池 %1 充满" : "水池 %1 放空", {GbkCodec::ToUtf8(e.tank)}), Clock(e.time));
    if (in.fromRun && !in.energy.empty()) {
        double kwh = 0.0, cost = 0.0;
        for (const ZSimulation::PumpEnergy& e : in.energy) {
            kwh += e.kwh;
            cost += e.cost;
        }
        item(m_text("水泵电耗合计 (kWh)"), ZReportCell::Num(kwh, 1));
        if (in.energyPrice > 0.0)
            item(m_text("电费合计"), ZReportCell::Num(cost, 2));
    }
}

ZReportTable ZSimulationSection::Nodes(const ZSimulationResults& r) const
{
    const UnitCategory& head = m_units.Hydr();
    ZReportTable t;
    t.name = m_text("延时模拟-节点");
    t.columns = {m_text("编号"),     m_text.WithUnit("最低自由水头", head.UnitName()),
                 m_text("最低时刻"), m_text.WithUnit("最高自由水头", head.UnitName()),
                 m_text("最高时刻"), m_text("低于最小服务水头的报告时刻数")};
    for (int i = 0; i < m_net.NodeCount(); ++i) {
        const ZConsumeNode& n = *m_net.NodeAt(i);
        if (!SimCounted(n))
            continue;
        bool any = false;
        double low = 0.0, high = 0.0;
        int64_t lowAt = 0, highAt = 0;
        int below = 0;
        for (size_t k = 0; k < r.TimeCount(); ++k) {
            const float h = r.Head(k, i);
            if (!std::isfinite(h))
                continue;
            const double f = static_cast<double>(h) - n.NodeGrunElev;
            if (!any || f < low) {
                low = f;
                lowAt = r.Time(k);
            }
            if (!any || f > high) {
                high = f;
                highAt = r.Time(k);
            }
            any = true;
            below += f < m_minFreeHead;
        }
        std::vector<ZReportCell> row{ZReportCell::Str(GbkCodec::ToUtf8(n.IdView()))};
        if (any)
            row.insert(row.end(),
                       {SimIn(head, low), Clock(lowAt), SimIn(head, high), Clock(highAt), ZReportCell::Num(below, 0)});
        else   // cut off at every report time
            row.insert(row.end(), {ZReportCell(), ZReportCell(), ZReportCell(), ZReportCell(), ZReportCell()});
        t.rows.push_back(std::move(row));
    }
    return t;
}

ZReportTable ZSimulationSection::Tanks(const ZSimulationResults& r) const
{
    const UnitCategory& head = m_units.Hydr();
    std::vector<const ZTankLink*> tanks;
    for (const ZFlowLink* l : m_net.Links())
        if (l->GetKind() == ZNetObject::Kind::Tank)
            tanks.push_back(static_cast<const ZTankLink*>(l));
    ZReportTable t;
    if (tanks.empty())
        return t;
    // One row per report time, one column per tank: its level above the bottom at the outlet.
    t.name = m_text("延时模拟-水池");
    t.columns.push_back(m_text("时刻"));
    for (const ZTankLink* tank : tanks)
        t.columns.push_back(m_text.Format("%1 水位 (%2)", {GbkCodec::ToUtf8(tank->IdView()), head.UnitName()}));
    for (size_t k = 0; k < r.TimeCount(); ++k) {
        std::vector<ZReportCell> row{Clock(r.Time(k))};
        for (const ZTankLink* tank : tanks) {
            const float h = r.Head(k, tank->From()->GetIndex());
            row.push_back(std::isfinite(h) ? SimIn(head, static_cast<double>(h) - tank->TankBottomElev)
                                           : ZReportCell());
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

ZReportTable ZSimulationSection::Pumps(const Input& in) const
{
    const ZSimulationResults& r = *in.results;
    ZReportTable t;
    t.name = m_text("延时模拟-水泵");
    t.columns = {m_text("编号"), m_text("运行时数 (h)"), m_text("开启的报告时刻数")};
    if (in.fromRun) {
        t.columns.push_back(m_text("电耗 (kWh)"));
        if (in.energyPrice > 0.0)
            t.columns.push_back(m_text("电费"));
    }
    for (int l = 0; l < m_net.LinkCount(); ++l) {
        const ZFlowLink& link = *m_net.LinkAt(l);
        if (link.GetKind() != ZNetObject::Kind::Pump)
            continue;
        const std::string id = GbkCodec::ToUtf8(link.IdView());
        int open = 0;
        double hours = 0.0;   // from the statuses: a report interval counts when it began open
        for (size_t k = 0; k < r.TimeCount(); ++k) {
            const bool on = r.Status(k, l) == ZSimulationResults::Open;
            open += on;
            if (on && k + 1 < r.TimeCount())
                hours += static_cast<double>(r.Time(k + 1) - r.Time(k)) / 3600.0;
        }
        const ZSimulation::PumpEnergy* energy = nullptr;
        for (const ZSimulation::PumpEnergy& e : in.energy)
            if (GbkCodec::ToUtf8(e.pump) == id)
                energy = &e;
        std::vector<ZReportCell> row{ZReportCell::Str(id), ZReportCell::Num(energy ? energy->hours : hours, 2),
                                     ZReportCell::Num(open, 0)};
        if (in.fromRun) {
            row.push_back(energy ? ZReportCell::Num(energy->kwh, 1) : ZReportCell());
            if (in.energyPrice > 0.0)
                row.push_back(energy ? ZReportCell::Num(energy->cost, 2) : ZReportCell());
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}
