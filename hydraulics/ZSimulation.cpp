#include "ZSimulation.h"

#include "model/MessageText.h"
#include "model/ProgressObserver.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// EPANET's tolerances: a head within HeadTolerance of a tank's limit is at the limit; a tank
// inflow below NoFlow does not move its level; a flow above FlowTolerance counts for a link's state.
constexpr double HeadTolerance = 0.0005 * 0.3048;
constexpr double FlowTolerance = 0.0001 * 0.3048 * 0.3048 * 0.3048;
constexpr double NoFlow = 1e-6 * 0.3048 * 0.3048 * 0.3048;
constexpr int SettlePasses = 10;   // balances at one instant while tanks and pressure controls settle
constexpr int64_t Day = 86400;
constexpr double WaterWeight = 9.80665;   // kN per m3

int64_t Round(double x)
{
    return x >= 0.0 ? static_cast<int64_t>(x + 0.5) : static_cast<int64_t>(x - 0.5);
}
}   // namespace

struct ZSimulation::Tank {
    ZTankLink* link = nullptr;
    ZConsumeNode* outlet = nullptr;
    const std::vector<CurvePoint>* curve = nullptr;   // level -> volume, else the area holds
    double volume = 0.0, vmin = 0.0, vmax = 0.0;
    bool full = false, empty = false;
};

struct ZSimulation::Control {
    const ZTimeData::Control* data = nullptr;
    ZFlowLink* link = nullptr;
    ZConsumeNode* node = nullptr;
    int tank = -1;   // node is this tank's outlet: the value is a level
};

// What the run changes of the user's network, put back when it ends.
struct ZSimulation::Saved {
    std::vector<std::pair<ZConsumeNode*, double>> demands;
    std::vector<std::pair<ZTankLink*, double>> levels;
    struct Pump {
        ZPumpLink* pump;
        bool open;
        double speed;
    };
    std::vector<Pump> pumps;
    struct Valve {
        ZValveLink* valve;
        bool open;
        double setting;
        int32_t status;
    };
    std::vector<Valve> valves;

    ~Saved()
    {
        for (auto& [n, d] : demands)
            n->NodeFlow = d;
        for (auto& [t, h] : levels)
            t->TankCurH = h;
        for (const Pump& p : pumps) {
            p.pump->PumpOpen = p.open;
            p.pump->PumpSpeed = p.speed;
        }
        for (const Valve& v : valves) {
            v.valve->ValveOpen = v.open;
            v.valve->ValveSetting = v.setting;
            v.valve->ValveInitStatus = v.status;
        }
    }
};

ZSimulation::ZSimulation(const ZDrawSettings& calcData, ZNetwork& network, const ZTimeData& timeData)
    : m_calcData(calcData), m_network(network), m_data(timeData)
{
}

ZSimulation::~ZSimulation() = default;

std::string ZSimulation::ClockText(int64_t seconds)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return buf;
}

int64_t ZSimulation::ReportTimes(const ZTimeData& data)
{
    if (data.ReportStep <= 0 || data.Duration < data.ReportStart)
        return 0;
    return (data.Duration - data.ReportStart) / data.ReportStep + 1;
}

bool ZSimulation::Resolve()
{
    m_fault = m_data.Check();
    if (!m_fault.Empty())
        return false;
    const auto fail = [this](std::string object, const char* field, std::string what) {
        m_fault = {std::move(object), field, std::move(what)};
        return false;
    };
    // Refused before the run, rather than growing until the machine gives up (a hundred days of
    // one-second reports).
    const int64_t reports = ReportTimes(m_data);
    const double bytes =
        static_cast<double>(reports) * (8.0 + 8.0 * m_network.NodeCount() + 9.0 * m_network.LinkCount());
    if (reports > MaxReportTimes || bytes > static_cast<double>(MaxResultBytes))
        return fail("", "ReportStep",
                    "报告时刻过多 (" + std::to_string(reports) + " 个, 结果约 " +
                        std::to_string(static_cast<int64_t>(bytes / 1048576.0)) + " MB), 上限为 " +
                        std::to_string(MaxReportTimes) + " 个和 " + std::to_string(MaxResultBytes >> 20) +
                        " MB: 请加大报告时间步长或缩短历时");
    m_defaultPattern = m_data.DefaultPattern.empty() ? nullptr : m_data.FindPattern(m_data.DefaultPattern);
    m_pricePattern = m_data.PricePattern.empty() ? nullptr : m_data.FindPattern(m_data.PricePattern);

    const int nodes = m_network.NodeCount(), links = m_network.LinkCount();
    m_nodeDemands.assign(static_cast<size_t>(nodes), {});
    std::vector<char> ownDemands(static_cast<size_t>(nodes), 0);
    for (const ZTimeData::NodeDemand& d : m_data.Demands) {
        const ZConsumeNode* node = m_network.FindNode(d.node);
        if (!node)
            return fail("节点 " + MessageText::Quote(d.node), "DemandNode", "网络中没有这个节点");
        const auto i = static_cast<size_t>(node->GetIndex());
        ownDemands[i] = 1;
        m_nodeDemands[i].emplace_back(d.base, d.pattern.empty() ? m_defaultPattern : m_data.FindPattern(d.pattern));
    }
    for (ZConsumeNode* node : m_network.Nodes()) {
        if (!node->IsFlowKnown() || node->IsDeviceNode())
            continue;
        const auto i = static_cast<size_t>(node->GetIndex());
        if (!ownDemands[i] && node->NodeFlow != 0.0)
            m_nodeDemands[i].emplace_back(node->NodeFlow, m_defaultPattern);
        m_saved->demands.emplace_back(node, node->NodeFlow);
    }

    for (const ZTimeData::PumpPattern& p : m_data.PumpPatterns) {
        ZFlowLink* link = m_network.FindLink(p.pump);
        if (!link || link->GetKind() != ZNetObject::Kind::Pump)
            return fail("水泵 " + MessageText::Quote(p.pump), "SpeedPattern", "网络中没有这个水泵");
        m_pumpPatterns.emplace_back(static_cast<ZPumpLink*>(link), m_data.FindPattern(p.pattern));
    }
    for (const ZTimeData::TankCurve& c : m_data.TankCurves) {
        ZFlowLink* link = m_network.FindLink(c.tank);
        if (!link || link->GetKind() != ZNetObject::Kind::Tank)
            return fail("水池 " + MessageText::Quote(c.tank), "VolumeCurve", "网络中没有这个水池");
    }
    for (ZFlowLink* link : m_network.Links()) {
        switch (link->GetKind()) {
        case ZNetObject::Kind::Pump: {
            auto* p = static_cast<ZPumpLink*>(link);
            m_saved->pumps.push_back({p, p->PumpOpen, p->PumpSpeed});
            break;
        }
        case ZNetObject::Kind::Valve: {
            auto* v = static_cast<ZValveLink*>(link);
            m_saved->valves.push_back({v, v->ValveOpen, v->ValveSetting, v->ValveInitStatus});
            break;
        }
        case ZNetObject::Kind::Tank: {
            auto* t = static_cast<ZTankLink*>(link);
            const std::string name = "水池 " + MessageText::Quote(t->IdView());
            if (!(t->TankMinHead <= t->TankMaxHead))
                return fail(name, "TankMinHead", "最低水位高于最高水位");
            Tank tank;
            tank.link = t;
            tank.outlet = static_cast<ZConsumeNode*>(t->StartNode());
            for (const ZTimeData::TankCurve& c : m_data.TankCurves)
                if (c.tank == t->IdView())
                    tank.curve = &c.points;
            if (!tank.curve && !(t->TankArea > 0.0))
                break;   // no area: a fixed level
            // A level outside its limits would start the day full or empty without a word.
            if (!(t->TankMinHead <= t->TankCurH && t->TankCurH <= t->TankMaxHead))
                return fail(name, "TankCurH", "当前水位不在最低水位和最高水位之间");
            m_saved->levels.emplace_back(t, t->TankCurH);
            t->Flow = 0.0;   // no inflow known before the first balance
            tank.volume = TankVolume(tank, t->TankCurH);
            tank.vmin = TankVolume(tank, t->TankMinHead);
            tank.vmax = TankVolume(tank, t->TankMaxHead);
            m_tanks.push_back(tank);
            break;
        }
        default:
            break;
        }
    }
    for (const ZTimeData::Control& c : m_data.Controls) {
        Control control;
        control.data = &c;
        control.link = m_network.FindLink(c.link);
        const std::string name = "控制 " + MessageText::Quote(c.link);
        if (!control.link || control.link->GetKind() == ZNetObject::Kind::Tank)
            return fail(name, "Link", "网络中没有这个管道、水泵或阀门");
        if (c.trigger == ZTimeData::Control::Above || c.trigger == ZTimeData::Control::Below) {
            control.node = m_network.FindNode(c.node);
            if (!control.node)
                return fail(name, "Node", "网络中没有节点 " + MessageText::Quote(c.node));
            for (size_t k = 0; k < m_tanks.size(); ++k)
                if (m_tanks[k].outlet == control.node)
                    control.tank = static_cast<int>(k);
        }
        m_controls.push_back(control);
    }
    m_closed.assign(static_cast<size_t>(links), 0);
    m_tankShut.assign(static_cast<size_t>(links), 0);
    m_shut.assign(static_cast<size_t>(links), 0);
    m_energy.clear();
    for (ZFlowLink* link : m_network.Links())
        if (link->GetKind() == ZNetObject::Kind::Pump)
            m_energy.push_back({GbkString(link->IdView())});
    return true;
}

double ZSimulation::TankVolume(const Tank& tank, double level) const
{
    if (!tank.curve)
        return tank.link->TankArea * level;
    const std::vector<CurvePoint>& c = *tank.curve;
    size_t k = 1;
    while (k + 1 < c.size() && level > c[k].flow)
        ++k;
    const CurvePoint& a = c[k - 1];
    const CurvePoint& b = c[k];
    return a.head + (level - a.flow) * (b.head - a.head) / (b.flow - a.flow);
}

double ZSimulation::TankLevel(const Tank& tank, double volume) const
{
    if (!tank.curve)
        return volume / tank.link->TankArea;
    const std::vector<CurvePoint>& c = *tank.curve;
    size_t k = 1;
    while (k + 1 < c.size() && volume > c[k].head)
        ++k;
    const CurvePoint& a = c[k - 1];
    const CurvePoint& b = c[k];
    return a.flow + (volume - a.head) * (b.flow - a.flow) / (b.head - a.head);
}

// The tank's flow is its outflow.
double ZSimulation::NetInflow(const Tank& tank) const
{
    return -tank.link->Flow;
}

int ZSimulation::Run()
{
    m_status = ZBalanceInfo::Converged;
    m_time = 0;
    m_steps = m_balances = 0;
    m_passes = 0;
    m_anyLowest = false;
    m_tankEvents.clear();
    m_unsettled.clear();
    m_tanks.clear();
    m_controls.clear();
    m_pumpPatterns.clear();
    m_failNode.clear();
    m_saved = std::make_unique<Saved>();
    m_results.Reset(m_network.NodeCount(), m_network.LinkCount());
    if (!Resolve()) {
        m_saved.reset();
        return m_status = ZBalanceInfo::InvalidData;
    }
    m_balance = std::make_unique<ZBalanceInfo>(m_calcData, m_network);
    m_balance->KeepSystem(true);
    m_balance->SetShutLinks(&m_shut);
    for (Tank& tank : m_tanks) {
        tank.full = tank.volume >= tank.vmax;
        tank.empty = tank.volume <= tank.vmin;
    }

    int64_t t = 0;
    for (;;) {
        m_time = t;
        SetDemands(t);
        ApplyTimeControls(t);
        if (!Solve(t))
            break;
        Observe(t);
        if (m_progress) {
            m_progress->Progress(m_data.Duration > 0 ? std::min(0.99, static_cast<double>(t) / m_data.Duration) : 0.99);
            if (m_progress->StopRequested()) {
                m_status = ZBalanceInfo::Stopped;
                break;
            }
        }
        if (t >= m_data.Duration)
            break;
        const int64_t step = NextStep(t);
        AddEnergy(t, step);
        AdvanceTanks(step);
        t += step;
        ++m_steps;
        for (Tank& tank : m_tanks) {
            const bool full = tank.volume >= tank.vmax, empty = tank.volume <= tank.vmin;
            if ((full && !tank.full) || (empty && !tank.empty))
                m_tankEvents.push_back({GbkString(tank.link->IdView()), t, full});
            tank.full = full;
            tank.empty = empty;
        }
    }
    if (m_progress && m_status == ZBalanceInfo::Converged)
        m_progress->Progress(1.0);
    m_balance.reset();
    m_saved.reset();   // the user's demands, levels and statuses again
    return m_status;
}

void ZSimulation::SetDemands(int64_t t)
{
    for (ZConsumeNode* node : m_network.Nodes()) {
        const auto& demands = m_nodeDemands[static_cast<size_t>(node->GetIndex())];
        if (!node->IsFlowKnown() || node->IsDeviceNode())
            continue;
        double q = 0.0;
        for (const auto& [base, pattern] : demands)
            q += pattern ? base * m_data.Factor(*pattern, t) : base;
        node->NodeFlow = q;
    }
    for (auto& [pump, pattern] : m_pumpPatterns) {
        const double f = m_data.Factor(*pattern, t);
        pump->PumpOpen = f > 0.0;
        if (f > 0.0)
            pump->PumpSpeed = f;
    }
}

bool ZSimulation::LinkOpen(int link) const
{
    if (m_shut[static_cast<size_t>(link)])
        return false;
    const ZFlowLink* l = m_network.LinkAt(link);
    switch (l->GetKind()) {
    case ZNetObject::Kind::Pump: {
        const auto* p = static_cast<const ZPumpLink*>(l);
        return p->PumpOpen && !p->IsShutByHead();
    }
    case ZNetObject::Kind::Valve:
        return !static_cast<const ZValveLink*>(l)->IsShutByUser();
    default:
        return true;
    }
}

bool ZSimulation::WouldChange(const Control& c) const
{
    const ZTimeData::Control& d = *c.data;
    const bool open =
        d.action == ZTimeData::Control::Open || (d.action == ZTimeData::Control::Setting && d.setting > 0.0);
    switch (c.link->GetKind()) {
    case ZNetObject::Kind::Pipe:
        return d.action != ZTimeData::Control::Setting &&
               static_cast<bool>(m_closed[static_cast<size_t>(c.link->GetIndex())]) == open;
    case ZNetObject::Kind::Pump: {
        const auto* p = static_cast<const ZPumpLink*>(c.link);
        const double speed = d.action == ZTimeData::Control::Setting ? d.setting : 1.0;
        return p->PumpOpen != open || (open && p->PumpSpeed != speed);
    }
    case ZNetObject::Kind::Valve: {
        const auto* v = static_cast<const ZValveLink*>(c.link);
        if (v->ValveOpen != open)
            return true;
        if (!open || !v->IsControlValve())
            return false;
        if (d.action == ZTimeData::Control::Setting)
            return v->ValveInitStatus != ZValveLink::StatusActive || v->ValveSetting != d.setting;
        return v->ValveInitStatus != ZValveLink::StatusOpen;
    }
    default:
        return false;
    }
}

// Puts the control's action into effect; true when that changed the link.
bool ZSimulation::ApplyControl(const Control& c)
{
    if (!WouldChange(c))
        return false;
    const ZTimeData::Control& d = *c.data;
    const bool open =
        d.action == ZTimeData::Control::Open || (d.action == ZTimeData::Control::Setting && d.setting > 0.0);
    const auto index = static_cast<size_t>(c.link->GetIndex());
    switch (c.link->GetKind()) {
    case ZNetObject::Kind::Pipe:
        m_closed[index] = static_cast<char>(!open);
        m_shut[index] = m_closed[index] || m_tankShut[index];
        break;
    case ZNetObject::Kind::Pump: {
        auto* p = static_cast<ZPumpLink*>(c.link);
        p->PumpOpen = open;
        if (open)
            p->PumpSpeed = d.action == ZTimeData::Control::Setting ? d.setting : 1.0;
        break;
    }
    case ZNetObject::Kind::Valve: {
        auto* v = static_cast<ZValveLink*>(c.link);
        v->ValveOpen = open;
        if (v->IsControlValve() && open) {
            v->ValveInitStatus =
                d.action == ZTimeData::Control::Setting ? ZValveLink::StatusActive : ZValveLink::StatusOpen;
            if (d.action == ZTimeData::Control::Setting)
                v->ValveSetting = d.setting;
        }
        break;
    }
    default:
        break;
    }
    return true;
}

bool ZSimulation::ApplyTimeControls(int64_t t)
{
    bool changed = false;
    for (const Control& c : m_controls) {
        const ZTimeData::Control& d = *c.data;
        bool fire = false;
        switch (d.trigger) {
        case ZTimeData::Control::AtTime:
            fire = d.time == t;
            break;
        case ZTimeData::Control::AtClockTime:
            fire = (t + m_data.StartClock) % Day == d.time;
            break;
        default:
            if (c.tank >= 0) {
                // Within one second's flow of the control level, as EPANET.
                const Tank& tank = m_tanks[static_cast<size_t>(c.tank)];
                const double v2 = TankVolume(tank, d.value);
                const double plus = std::fabs(NetInflow(tank));
                fire = d.trigger == ZTimeData::Control::Above ? tank.volume >= v2 - plus : tank.volume <= v2 + plus;
            }
            break;
        }
        if (fire)
            changed = ApplyControl(c) || changed;
    }
    return changed;
}

bool ZSimulation::Solve(int64_t t)
{
    for (int pass = 0;; ++pass) {
        m_balance->Run();
        ++m_balances;
        m_passes += m_balance->GetIterationCount();
        const int status = m_balance->GetStatus();
        if (status != ZBalanceInfo::Converged) {
            m_status = status;
            m_time = t;
            m_divergeReason = m_balance->GetDivergeReason();
            const ZFlowNode* node =
                m_balance->GetCutOffNode() ? m_balance->GetCutOffNode() : m_balance->GetDivergedNode();
            if (status == ZBalanceInfo::InvalidData) {
                const ZPhysicalCheck& check = m_balance->GetPhysicalCheck();
                m_fault = {"", "", check.Message()};
            }
            if (node)
                m_failNode = node->IdView();
            return false;
        }
        if (pass >= SettlePasses) {
            m_unsettled.push_back(t);   // a switch that undoes itself: the last state stays
            return true;
        }
        const bool tanks = SettleTanks();
        const bool controls = PressureControls();
        if (!tanks && !controls)
            return true;
    }
}

// Shuts the links that would fill a full tank or drain an empty one, and lets go those that
// no longer would. True when any changed.
bool ZSimulation::SettleTanks()
{
    bool changed = false;
    for (const Tank& tank : m_tanks) {
        const double level = tank.link->TankCurH;
        const bool full = level >= tank.link->TankMaxHead - HeadTolerance;
        const bool empty = level <= tank.link->TankMinHead + HeadTolerance;
        const ZConsumeNode* outlet = tank.outlet;
        const double tankHead = outlet->NodeHydrElev;
        for (ZNetLink* l = outlet->FirstLink(); l; l = l->NextLinkAt(outlet)) {
            if (l == tank.link)
                continue;
            const int index = l->GetIndex();
            char& held = m_tankShut[static_cast<size_t>(index)];
            const auto* link = static_cast<const ZFlowLink*>(l);
            const double farHead = static_cast<const ZFlowNode*>(l->OtherNode(outlet))->NodeHydrElev;
            double out = link->Flow;   // out of the tank through this link
            if (link->GetKind() == ZNetObject::Kind::Pipe)
                out *= static_cast<const ZPipeLink*>(link)->PipeParallel + 1;
            if (link->EndNode() == outlet)
                out = -out;
            const bool pump = link->GetKind() == ZNetObject::Kind::Pump;
            bool shut = false;
            if (full)
                shut = pump ? link->EndNode() == outlet
                            : farHead > tankHead + HeadTolerance || (!held && out < -FlowTolerance);
            if (empty && !shut)
                shut = pump ? link->StartNode() == outlet
                            : tankHead - farHead > HeadTolerance && (held || out >= -FlowTolerance);
            if (shut != static_cast<bool>(held)) {
                held = static_cast<char>(shut);
                m_shut[static_cast<size_t>(index)] = held || m_closed[static_cast<size_t>(index)];
                changed = true;
            }
        }
    }
    return changed;
}

bool ZSimulation::PressureControls()
{
    bool changed = false;
    for (const Control& c : m_controls) {
        const ZTimeData::Control& d = *c.data;
        if (c.tank >= 0 || !c.node || c.node->IsCutOff())
            continue;
        const double p = c.node->FreeHead();
        const bool fire = d.trigger == ZTimeData::Control::Above ? p > d.value : p < d.value;
        if (fire)
            changed = ApplyControl(c) || changed;
    }
    return changed;
}

int64_t ZSimulation::NextStep(int64_t t) const
{
    int64_t step = std::min(m_data.HydraulicStep, m_data.Duration - t);
    const auto limit = [&step](int64_t dt) {
        if (dt > 0 && dt < step)
            step = dt;
    };
    const int64_t next =
        ((t + m_data.PatternStart) / m_data.PatternStep + 1) * m_data.PatternStep - m_data.PatternStart;
    limit(next - t);
    if (t < m_data.ReportStart)
        limit(m_data.ReportStart - t);
    else
        limit(m_data.ReportStart + ((t - m_data.ReportStart) / m_data.ReportStep + 1) * m_data.ReportStep - t);
    for (const Tank& tank : m_tanks) {
        const double q = NetInflow(tank);
        if (std::fabs(q) <= NoFlow)
            continue;
        const double level = tank.link->TankCurH;
        double v;
        if (q > 0.0 && level < tank.link->TankMaxHead)
            v = tank.vmax - tank.volume;
        else if (q < 0.0 && level > tank.link->TankMinHead)
            v = tank.vmin - tank.volume;
        else
            continue;
        limit(Round(v / q));
    }
    for (const Control& c : m_controls) {
        const ZTimeData::Control& d = *c.data;
        int64_t dt = 0;
        switch (d.trigger) {
        case ZTimeData::Control::AtTime:
            if (d.time > t)
                dt = d.time - t;
            break;
        case ZTimeData::Control::AtClockTime: {
            const int64_t now = (t + m_data.StartClock) % Day;
            dt = d.time >= now ? d.time - now : Day - now + d.time;
            break;
        }
        default: {
            if (c.tank < 0)
                break;
            const Tank& tank = m_tanks[static_cast<size_t>(c.tank)];
            const double q = NetInflow(tank);
            if (std::fabs(q) <= NoFlow)
                break;
            const double level = tank.link->TankCurH;
            if ((level < d.value && d.trigger == ZTimeData::Control::Above && q > 0.0) ||
                (level > d.value && d.trigger == ZTimeData::Control::Below && q < 0.0))
                dt = Round((TankVolume(tank, d.value) - tank.volume) / q);
            break;
        }
        }
        if (dt > 0 && dt < step && c.link && WouldChange(c))
            step = dt;
    }
    return step;
}

void ZSimulation::AdvanceTanks(int64_t step)
{
    for (Tank& tank : m_tanks) {
        const double q = NetInflow(tank);
        tank.volume += q * static_cast<double>(step);
        // Within one second's flow of full or empty is full or empty.
        if (tank.volume + q >= tank.vmax)
            tank.volume = tank.vmax;
        else if (tank.volume - q <= tank.vmin)
            tank.volume = tank.vmin;
        tank.link->TankCurH = TankLevel(tank, tank.volume);
    }
}

void ZSimulation::AddEnergy(int64_t t, int64_t step)
{
    const double hours = static_cast<double>(step) / 3600.0;
    const double price = m_data.EnergyPrice * (m_pricePattern ? m_data.Factor(*m_pricePattern, t) : 1.0);
    size_t k = 0;
    for (const ZFlowLink* link : m_network.Links()) {
        if (link->GetKind() != ZNetObject::Kind::Pump)
            continue;
        PumpEnergy& e = m_energy[k++];
        if (!LinkOpen(link->GetIndex()) || !(link->Flow > 0.0))
            continue;
        const double rise = static_cast<const ZFlowNode*>(link->EndNode())->NodeHydrElev -
                            static_cast<const ZFlowNode*>(link->StartNode())->NodeHydrElev;
        const double kw = WaterWeight * link->Flow * std::max(rise, 0.0) / (m_data.PumpEfficiency / 100.0);
        e.kwh += kw * hours;
        e.cost += kw * hours * price;
        e.hours += hours;
    }
}

std::vector<uint8_t> ZSimulation::LinkStatuses() const
{
    const int links = m_network.LinkCount();
    std::vector<uint8_t> status(static_cast<size_t>(links));
    for (int l = 0; l < links; ++l)
        status[static_cast<size_t>(l)] = LinkOpen(l) ? ZSimulationResults::Open : ZSimulationResults::Closed;
    return status;
}

void ZSimulation::Observe(int64_t t)
{
    for (const ZConsumeNode* n : m_network.Nodes()) {
        if (!n->IsFlowKnown() || n->IsHidden() || n->IsCutOff())
            continue;
        if (!m_anyLowest || n->FreeHead() < m_lowestFreeHead) {
            m_anyLowest = true;
            m_lowestFreeHead = n->FreeHead();
            m_lowestNode = n->IdView();
            m_lowestTime = t;
        }
    }
    if (t >= m_data.ReportStart && (t - m_data.ReportStart) % m_data.ReportStep == 0) {
        // A tank's outlet shows the tank's net inflow as its demand, as EPANET reports tanks.
        for (const Tank& tank : m_tanks)
            tank.outlet->NodeDeliveredFlow = NetInflow(tank);
        m_results.Record(t, m_network, LinkStatuses());
    }
}
