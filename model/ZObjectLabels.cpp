#include "ZObjectLabels.h"

#include "GbkCodec.h"
#include "ZBalanceContext.h"
#include "ZNetView.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

#include <cmath>
#include <vector>

namespace {
// The captions of one kind's tooltip items (a string-table entry of several lines), in GBK.
class Captions {
public:
    explicit Captions(const char* utf8Lines)
    {
        const GbkString all = GbkCodec::FromUtf8(utf8Lines);
        size_t start = 0;
        for (size_t nl; (nl = all.Bytes().find('\n', start)) != std::string::npos; start = nl + 1)
            m_lines.emplace_back(all.View().substr(start, nl - start));
        m_lines.emplace_back(all.View().substr(start));
    }
    GbkView operator[](size_t i) const { return m_lines[i]; }

private:
    std::vector<GbkString> m_lines;
};

const Captions& NodeCaptions()
{
    static const Captions c("节点编号:\n标高:\n流量:\n坐标:\n压力:\n水头:");
    return c;
}
const Captions& PipeCaptions()
{
    static const Captions c("管道编号:\n管长:\n管径:\n粗糙系数:\n流量:\n流速:\n坡度:\n水损:");
    return c;
}
const Captions& PumpCaptions()
{
    static const Captions c("水泵编号:\n扬程:\n转速:\n粗糙系数:");
    return c;
}
const Captions& ValveCaptions()
{
    static const Captions c("阀门编号:\n阻力系数:\n减压量:");
    return c;
}
const Captions& TankCaptions()
{
    static const Captions c("水池编号:\n面积:\n水位:\n最低水位:\n最高水位:");
    return c;
}

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

bool TipsOn(const ZNetView& view)
{
    return view.Settings().ToolTipOn;
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
    const Captions& c = NodeCaptions();
    ItemList t(", ");
    const bool stale = view.IsResultStale(n);
    t.Add(m & NodeTipId, c[0], Id(n));
    t.Add(m & NodeTipElev, c[1], Unit(Plain(n.NodeGrunElev), "m"));
    t.Add(m & NodeTipFlow, c[2], Shown(stale && DemandIsResult(n), Fixed(u.FlowUnit(), ShownDemand(view, n))));
    t.Add(m & NodeTipCoord, c[3], Unit(Coord(n.X, n.Y), "m"));
    t.Add((m & NodeTipHydr) && !n.IsCutOff(), c[4], Shown(stale && HeadIsResult(n), Fixed(u.Hydr(), n.NodeHydrElev)));
    t.Add((m & NodeTipFreeHead) && !n.IsCutOff(), c[5], Shown(stale && HeadIsResult(n), Fixed(u.Hydr(), n.FreeHead())));
    return t.Text();
}

GbkString ZObjectLabels::PipeTip(const ZNetView& view, const ZPipeLink& p)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().PipeTip;
    const UnitSystem& u = view.Units();
    const Captions& c = PipeCaptions();
    ItemList t(", ");
    const bool stale = view.IsResultStale(p);
    t.Add(m & PipeTipId, c[0], Id(p));
    t.Add(m & PipeTipLeng, c[1], Fixed(u.Leng(), p.PipeLength));
    t.Add(m & PipeTipDiam, c[2], Fixed(u.Diam(), p.PipeDiam));
    t.Add(m & PipeTipCoef, c[3], Plain(p.PipeRougCeof));
    t.Add(m & PipeTipFlow, c[4], Shown(stale, Fixed(u.FlowUnit(), std::fabs(p.Flow))));
    t.Add(m & PipeTipVelo, c[5], Shown(stale, Fixed(u.Velo(), Speed(p))));
    t.Add(m & PipeTipSlope, c[6], Shown(stale, Fixed(u.Slope(), PipeSlope(p))));
    t.Add(m & PipeTipHLoss, c[7], Shown(stale, Fixed(u.Hydr(), std::fabs(PipeHeadLoss(p)))));
    return t.Text();
}

GbkString ZObjectLabels::PumpTip(const ZNetView& view, const ZPumpLink& p)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().PumpTip;
    const Captions& c = PumpCaptions();
    ItemList t(", ");
    t.Add(m & 0x1, c[0], Id(p));
    t.Add(m & 0x4, c[1], Fixed(view.Units().Hydr(), p.PumpStaticH));
    t.Add(m & 0x8, c[2], Plain(p.PumpRatedRotV));
    t.Add(m & 0x10, c[3], Plain(p.PumpSCoef));
    return t.Text();
}

GbkString ZObjectLabels::ValveTip(const ZNetView& view, const ZValveLink& v)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().ValveTip;
    const Captions& c = ValveCaptions();
    ItemList t(", ");
    t.Add(m & 0x1, c[0], Id(v));
    t.Add((m & 0x2) && v.GetValveType() == ZValveLink::Gate, c[1], Plain(v.ValveSCoef));
    t.Add((m & 0x4) && v.GetValveType() == ZValveLink::PressureReducing, c[2],
          Fixed(view.Units().Hydr(), v.ValveHLess));
    return t.Text();
}

GbkString ZObjectLabels::TankTip(const ZNetView& view, const ZTankLink& k)
{
    if (!TipsOn(view))
        return {};
    const int m = view.LabelTip().TankTip;
    const Captions& c = TankCaptions();
    ItemList t(", ");
    t.Add(m & 0x1, c[0], Id(k));
    t.Add(m & 0x2, c[1], Unit(Plain(k.TankArea), "m2"));
    t.Add(m & 0x4, c[2], Unit(Plain(k.TankCurH), "m"));
    t.Add(m & 0x8, c[3], Unit(Plain(k.TankMinHead), "m"));
    t.Add(m & 0x10, c[4], Unit(Plain(k.TankMaxHead), "m"));
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
        return NumberText(Shown(stale && DemandIsResult(n), u.FlowUnit().FormatFixed(ShownDemand(view, n))));
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
    return view.LabelTip().ValveLabel == 1 ? GbkString(Id(v)) : GbkString();
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
    t.Add(f & 0x4, s.NodeFlow, Shown(stale && DemandIsResult(n), u.FlowUnit().FormatFixed(ShownDemand(view, n))));
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
