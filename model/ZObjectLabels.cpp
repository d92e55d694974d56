#include "ZObjectLabels.h"

#include "GbkCodec.h"
#include "ZBalanceContext.h"
#include "ZFieldTable.h"
#include "ZNetView.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

#include <cmath>
#include <vector>

namespace {
// The captions of each kind's tooltip items, in the order of its tip bits.
constexpr const char* NodeCaptions[] = {"节点编号:", "标高:", "流量:", "坐标:", "压力:", "水头:"};
constexpr const char* PipeCaptions[] = {"管道编号:", "管长:", "管径:", "粗糙系数:", "流量:", "流速:", "坡度:", "水损:"};
constexpr const char* PumpCaptions[] = {"水泵编号:", "扬程:", "转速:", "粗糙系数:"};
constexpr const char* ValveCaptions[] = {"阀门编号:", "阻力系数:", "减压量:"};
constexpr const char* TankCaptions[] = {"水池编号:", "面积:", "水位:", "最低水位:", "最高水位:"};

// Joins items with a separator; no separator trails the last item.
class ItemList {
public:
    explicit ItemList(GbkView sep) : m_sep(sep) {}
    void Add(bool on, GbkView prefix, GbkView value)
    {
        if (!on)
            return;
        if (m_any)
            m_text += m_sep;
        m_text += prefix;
        m_text += value;
        m_any = true;
    }
    // Numbers and units are ASCII, the same bytes in GBK.
    void Add(bool on, GbkView prefix, const std::string& number) { Add(on, prefix, GbkView(number)); }
    const GbkString& Text() const { return m_text; }

private:
    GbkString m_sep;
    GbkString m_text;
    bool m_any = false;
};

std::string Plain(double v)
{
    return UnitSystem::FormatPlain(v);
}
std::string Coord(double x, double y)
{
    return "(" + Plain(x) + ", " + Plain(y) + ")";
}
GbkView Id(const ZNetObject& o)
{
    return o.IdView();
}
// Formatted numbers and unit names are ASCII: the same bytes in GBK.
GbkString NumberText(std::string number)
{
    return GbkString(std::move(number));
}

// A pipe without a bore carries no velocity rather than an infinite one.
double Speed(const ZPipeLink& p)
{
    return p.Area() > 0.0 ? std::fabs(p.Velocity()) : 0.0;
}

// A tooltip value followed by its unit; empty stays empty (a withheld result).
std::string Unit(const std::string& value, const std::string& unit)
{
    return value.empty() ? value : value + " " + unit;
}
std::string Fixed(const UnitCategory& c, double v)
{
    return Unit(c.FormatFixed(v), c.UnitName());
}
// Withheld: the value is a result of a network the object no longer belongs to.
std::string Shown(bool withheld, std::string value)
{
    return withheld ? std::string() : std::move(value);
}

// Line `index` of a field's list of choices (the kind names the dialogs show), as the view shows it.
GbkString ChoiceName(const ZNetView& view, ZNetObject::Kind kind, const char* key, int index)
{
    const ZField* f = ZFieldTable::Find(kind, key);
    std::string_view items = f && f->items ? f->items : "";
    for (int i = 0; i < index && !items.empty(); ++i) {
        const size_t nl = items.find('\n');
        items = nl == std::string_view::npos ? std::string_view() : items.substr(nl + 1);
    }
    return view.Caption(std::string(items.substr(0, items.find('\n'))).c_str());
}

// A control valve's setting in its kind's unit: a pressure, a flow or a loss coefficient.
std::string SettingText(const UnitSystem& u, const ZValveLink& v, bool withUnit)
{
    switch (v.GetValveType()) {
    case ZValveLink::Prv:
    case ZValveLink::Psv:
    case ZValveLink::Pbv:
        return withUnit ? Fixed(u.Hydr(), v.ValveSetting) : u.Hydr().FormatFixed(v.ValveSetting);
    case ZValveLink::Fcv:
        return withUnit ? Fixed(u.FlowUnit(), v.ValveSetting) : u.FlowUnit().FormatFixed(v.ValveSetting);
    default:
        return Plain(v.ValveSetting);
    }
}

bool PressureDriven(const ZNetView& view)
{
    const ZDrawSettings& ds = view.DrawSettings();
    return ds.Balanced && ds.Params.DemandModel == ZBalanceParams::PressureDriven;
}

bool TipsOn(const ZNetView& view)
{
    return view.Settings().ToolTipOn;
}

// Demand a label shows: after a pressure-driven run what the node got, else the shown demand.
double ShownDelivered(const ZNetView& view, const ZFlowNode& node)
{
    return PressureDriven(view) && node.IsFlowKnown() ? node.NodeDeliveredFlow : ZObjectLabels::ShownDemand(view, node);
}
bool LabelsOn(const ZNetView& view)
{
    return view.Settings().LabelOn;
}
}   // namespace

double ZObjectLabels::ShownDemand(const ZNetView& view, const ZFlowNode& node)
{
    const ZDrawSettings& ds = view.DrawSettings();
    if (!ds.Balanced)
        return node.NodeFlow;
    return node.CaseDemand(ZBalanceContext(ds.CalcCase, ds.Params.AccidentFactor));
}

bool ZObjectLabels::DemandIsResult(const ZFlowNode& node)
{
    return node.IsHeadKnown();
}

bool ZObjectLabels::HeadIsResult(const ZFlowNode& node)
{
    return !node.IsHeadKnown();
}

double ZObjectLabels::PipeHeadLoss(const ZPipeLink& pipe)
{
    return pipe.StartNode() && pipe.EndNode() ? pipe.HeadLoss() : 0.0;
}

double ZObjectLabels::PipeSlope(const ZPipeLink& pipe)
{
    return pipe.PipeLength > 0.0 ? std::fabs(PipeHeadLoss(pipe)) / pipe.PipeLength : 0.0;
}

GbkString ZObjectLabels::NodeTip(const ZNetView& view, const ZFlowNode& n)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().NodeTip;
    const UnitSystem& u = view.Units();
    const auto c = [&view](size_t i) { return view.Caption(NodeCaptions[i]); };
    ItemList t(", ");
    const bool stale = view.IsResultStale(n);
    t.Add(m & NodeTipId, c(0), Id(n));
    t.Add(m & NodeTipElev, c(1), Unit(Plain(n.NodeGrunElev), "m"));
    t.Add(m & NodeTipFlow, c(2), Shown(stale && DemandIsResult(n), Fixed(u.FlowUnit(), ShownDemand(view, n))));
    // What the node's pressure let it draw, once a pressure-driven run found it.
    if ((m & NodeTipFlow) && PressureDriven(view) && n.IsFlowKnown() && !stale)
        t.Add(true, view.Caption("实供:"), Fixed(u.FlowUnit(), n.NodeDeliveredFlow));
    t.Add(m & NodeTipCoord, c(3), Unit(Coord(n.X, n.Y), "m"));
    t.Add((m & NodeTipHydr) && !n.IsCutOff(), c(4), Shown(stale && HeadIsResult(n), Fixed(u.Hydr(), n.NodeHydrElev)));
    t.Add((m & NodeTipFreeHead) && !n.IsCutOff(), c(5), Shown(stale && HeadIsResult(n), Fixed(u.Hydr(), n.FreeHead())));
    return t.Text();
}

GbkString ZObjectLabels::PipeTip(const ZNetView& view, const ZPipeLink& p)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().PipeTip;
    const UnitSystem& u = view.Units();
    const auto c = [&view](size_t i) { return view.Caption(PipeCaptions[i]); };
    ItemList t(", ");
    const bool stale = view.IsResultStale(p);
    t.Add(m & PipeTipId, c(0), Id(p));
    t.Add(m & PipeTipLeng, c(1), Fixed(u.Leng(), p.PipeLength));
    t.Add(m & PipeTipDiam, c(2), Fixed(u.Diam(), p.PipeDiam));
    t.Add(m & PipeTipCoef, c(3), Plain(p.PipeRougCeof));
    t.Add(m & PipeTipFlow, c(4), Shown(stale, Fixed(u.FlowUnit(), std::fabs(p.Flow))));
    t.Add(m & PipeTipVelo, c(5), Shown(stale, Fixed(u.Velo(), Speed(p))));
    t.Add(m & PipeTipSlope, c(6), Shown(stale, Fixed(u.Slope(), PipeSlope(p))));
    t.Add(m & PipeTipHLoss, c(7), Shown(stale, Fixed(u.Hydr(), std::fabs(PipeHeadLoss(p)))));
    return t.Text();
}

GbkString ZObjectLabels::PumpTip(const ZNetView& view, const ZPumpLink& p)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().PumpTip;
    const auto c = [&view](size_t i) { return view.Caption(PumpCaptions[i]); };
    ItemList t(", ");
    t.Add(m & 0x1, c(0), Id(p));
    t.Add(m & 0x4, c(1), Fixed(view.Units().Hydr(), p.PumpStaticH));
    t.Add(m & 0x8, c(2), Plain(p.PumpRatedRotV));
    t.Add(m & 0x10, c(3), Plain(p.PumpSCoef));
    if (p.HasCurve())
        t.Add(true, view.Caption("曲线:"), ChoiceName(view, ZNetObject::Kind::Pump, "PumpCurveKind", p.PumpCurveKind));
    if (p.PumpCurveKind == ZPumpLink::ConstantPower)
        t.Add(true, view.Caption("功率:"), Unit(Plain(p.PumpPower), "kW"));
    return t.Text();
}

GbkString ZObjectLabels::ValveTip(const ZNetView& view, const ZValveLink& v)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().ValveTip;
    const auto c = [&view](size_t i) { return view.Caption(ValveCaptions[i]); };
    ItemList t(", ");
    t.Add(m & 0x1, c(0), Id(v));
    t.Add((m & 0x2) && v.GetValveType() == ZValveLink::Gate, c(1), Plain(v.ValveSCoef));
    t.Add((m & 0x4) && v.GetValveType() == ZValveLink::PressureReducing, c(2),
          Fixed(view.Units().Hydr(), v.ValveHLess));
    // The control kinds name themselves and their setting; after a run, what the valve did.
    if (v.IsControlValve()) {
        t.Add(true, view.Caption("类型:"), ChoiceName(view, ZNetObject::Kind::Valve, "ValveType", v.GetValveType()));
        if (v.GetValveType() != ZValveLink::Gpv)
            t.Add(true, view.Caption("设定:"), SettingText(view.Units(), v, true));
    }
    const bool run = view.DrawSettings().Balanced && !view.IsResultStale(v) && v.ValveState != ZValveLink::StateNone;
    if (run && (v.IsControlValve() || v.ValveState == ZValveLink::StateReverseClosed))
        t.Add(true, view.Caption("状态:"), ChoiceName(view, ZNetObject::Kind::Valve, "ValveState", v.ValveState));
    return t.Text();
}

GbkString ZObjectLabels::TankTip(const ZNetView& view, const ZTankLink& k)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().TankTip;
    const auto c = [&view](size_t i) { return view.Caption(TankCaptions[i]); };
    ItemList t(", ");
    t.Add(m & 0x1, c(0), Id(k));
    t.Add(m & 0x2, c(1), Unit(Plain(k.TankArea), "m2"));
    t.Add(m & 0x4, c(2), Unit(Plain(k.TankCurH), "m"));
    t.Add(m & 0x8, c(3), Unit(Plain(k.TankMinHead), "m"));
    t.Add(m & 0x10, c(4), Unit(Plain(k.TankMaxHead), "m"));
    return t.Text();
}

GbkString ZObjectLabels::NodeGrade(const ZNetView& view, const ZFlowNode& n)
{
    if (!LabelsOn(view))
        return {};
    const UnitSystem& u = view.Units();
    const bool stale = view.IsResultStale(n);
    switch (view.LabelTip().NodeLabe) {
    case 1:
        return Id(n);
    case 2:
        return NumberText(Shown(stale && (DemandIsResult(n) || PressureDriven(view)),
                                u.FlowUnit().FormatFixed(ShownDelivered(view, n))));
    case 3:
        return NumberText(Plain(n.NodeGrunElev));
    case 4:
        if (n.IsCutOff())
            return {};
        return NumberText(Shown(stale && HeadIsResult(n), u.Hydr().FormatFixed(n.NodeHydrElev)));
    case 5:
        if (n.IsCutOff())
            return {};
        return NumberText(Shown(stale && HeadIsResult(n), u.Hydr().FormatFixed(n.FreeHead())));
    default:
        return {};
    }
}

GbkString ZObjectLabels::PipeGrade(const ZNetView& view, const ZPipeLink& p)
{
    if (!LabelsOn(view))
        return {};
    const UnitSystem& u = view.Units();
    GbkString text;
    const int item = view.LabelTip().PipeLabel;
    switch (item) {
    case 1:
        text = Id(p);
        break;
    case 2:
        text = NumberText(u.Leng().FormatFixed(p.PipeLength));
        break;
    case 3:
        text = NumberText(u.Diam().FormatFixed(p.PipeDiam));
        break;
    case 4:
        text = NumberText(u.FlowUnit().FormatFixed(std::fabs(p.Flow)));
        break;
    case 5:
        text = NumberText(u.Hydr().FormatFixed(std::fabs(PipeHeadLoss(p))));
        break;
    case 6:
        text = NumberText(u.Slope().FormatFixed(PipeSlope(p)));
        break;
    case 7:
        text = NumberText(u.Velo().FormatFixed(Speed(p)));
        break;
    default:
        return {};
    }
    if (item >= 4 && view.IsResultStale(p))
        return {};
    if (p.PipeParallel > 0)
        text += NumberText("(" + std::to_string(static_cast<long long>(p.PipeParallel) + 1) + ")");
    return text;
}

GbkString ZObjectLabels::PumpGrade(const ZNetView& view, const ZPumpLink& p)
{
    if (!LabelsOn(view))
        return {};
    switch (view.LabelTip().PumpLabel) {
    case 1:
        return Id(p);
    case 3:
        return NumberText(view.Units().Hydr().FormatFixed(p.PumpStaticH));
    case 4:
        return NumberText(Plain(p.PumpRatedRotV));
    default:
        return {};
    }
}

GbkString ZObjectLabels::ValveGrade(const ZNetView& view, const ZValveLink& v)
{
    if (!LabelsOn(view))
        return {};
    if (view.LabelTip().ValveLabel != 1)
        return {};
    // A control valve adds its kind's short code (the exchange's) and its setting.
    static const char* const codes[] = {"PRV", "PSV", "FCV", "TCV", "PBV", "GPV"};
    GbkString text(Id(v));
    if (v.IsControlValve()) {
        text += NumberText(std::string(" ") + codes[v.GetValveType() - ZValveLink::Prv]);
        if (v.GetValveType() != ZValveLink::Gpv)
            text += NumberText(" " + SettingText(view.Units(), v, false));
    }
    return text;
}

GbkString ZObjectLabels::TankGrade(const ZNetView& view, const ZTankLink& k)
{
    if (!LabelsOn(view))
        return {};
    switch (view.LabelTip().TankLabel) {
    case 1:
        return Id(k);
    case 2:
        return NumberText(Plain(k.TankCurH));
    case 3:
        return NumberText(Plain(k.TankArea));
    default:
        return {};
    }
}

GbkString ZObjectLabels::NodeMultiLabel(const ZNetView& view, const ZFlowNode& n)
{
    if (!LabelsOn(view))
        return {};
    const ZLabelTipSettings& s = view.LabelTip();
    const UnitSystem& u = view.Units();
    const int f = s.NodeFlags;
    ItemList t("\n");
    t.Add(f & 0x1, s.NodeId, Id(n));
    t.Add(f & 0x2, s.NodeCoord, Coord(n.X, n.Y));
    t.Add(f & 0x8, s.NodeElev, Plain(n.NodeGrunElev));
    const bool stale = view.IsResultStale(n);
    t.Add((f & 0x10) && !n.IsCutOff(), s.NodeHydr,
          Shown(stale && HeadIsResult(n), u.Hydr().FormatFixed(n.NodeHydrElev)));
    t.Add(
        f & 0x4, s.NodeFlow,
        Shown(stale && (DemandIsResult(n) || PressureDriven(view)), u.FlowUnit().FormatFixed(ShownDelivered(view, n))));
    t.Add((f & 0x20) && !n.IsCutOff(), s.NodeFreeHead,
          Shown(stale && HeadIsResult(n), u.Hydr().FormatFixed(n.FreeHead())));
    return t.Text();
}

void ZObjectLabels::PipeMultiLabel(const ZNetView& view, const ZPipeLink& p, GbkString& upper, GbkString& lower)
{
    const ZLabelTipSettings& s = view.LabelTip();
    const UnitSystem& u = view.Units();
    ItemList up(s.PipeSep);
    const int a = s.PipeUpFlags;
    up.Add(a & 0x1, s.PipeId, Id(p));
    up.Add(a & 0x8, s.PipeLeng, u.Leng().FormatFixed(p.PipeLength));
    up.Add(a & 0x4, s.PipeDiam, u.Diam().FormatFixed(p.PipeDiam));
    up.Add(a & 0x2, s.PipeCoef, Plain(p.PipeRougCeof));
    ItemList down(s.PipeSep);
    // No lower text at all rather than prefixes without numbers.
    const int b = view.IsResultStale(p) ? 0 : s.PipeDownFlags;
    down.Add(b & 0x20, s.PipeFlow, u.FlowUnit().FormatFixed(std::fabs(p.Flow)));
    down.Add(b & 0x80, s.PipeVelo, u.Velo().FormatFixed(Speed(p)));
    down.Add(b & 0x100, s.PipeI, u.Slope().FormatFixed(PipeSlope(p)));
    down.Add(b & 0x200, s.PipeHLoss, u.Hydr().FormatFixed(std::fabs(PipeHeadLoss(p))));
    upper = up.Text();
    lower = down.Text();
}
