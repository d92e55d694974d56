#include "ZGridColumns.h"

#include "GbkText.h"

#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZObjectLabels.h"
#include "model/ZConsumeNode.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <QStringList>

#include <chrono>
#include <cmath>

namespace {

const char* const kTitles[ZGridColumns::TabCount] = {
    "编号\n类型\n地面标高\n横坐标\n纵坐标\n水量\n绝对水头\n自由水头\n消防流量",
    "编号\n管径\n类型\n供水方式\n起始节点\n终止节点\n敷设日期\n计算内径\n系数\n长度\n并行管数\n流量\n压降\n流速\n水力坡度",
    "编号\n类型\n入口节点\n出口节点\n额定转速\n阻力系数\n静态扬程\n气蚀余量\n操作转速\n效率",
    "编号\n类型\n入口节点\n出口节点\n阻力系数\n减压量",
    "编号\n面积\n类型\n出口节点\n最低水位\n最高水位\n当前水位\n出水量\n池底标高",
};

// How a column turns its value into text.
enum Style {
    Id,        // the object's identifier
    Choice,    // one item of a list by an index
    Date,      // "%Y/%m/%d"
    Metres,    // coordinates, elevations and levels: metres, with the length precision
    Length, Diam, Flow, Head, Velocity, Slope,   // converted to the display unit
    Plain,     // "%g"
    Count,     // integer
};

// Columns by tab, in title order.
const Style kStyles[ZGridColumns::TabCount][15] = {
    {Id, Choice, Metres, Metres, Metres, Flow, Head, Head, Flow},
    {Id, Diam, Choice, Choice, Id, Id, Date, Diam, Plain, Length, Count, Flow, Head, Velocity, Slope},
    {Id, Choice, Id, Id, Plain, Plain, Head, Head, Plain, Plain},
    {Id, Choice, Id, Id, Plain, Head},
    {Id, Plain, Choice, Id, Metres, Metres, Metres, Flow, Metres},
};

const QStringList& Titles(int tab)
{
    static const QStringList lists[ZGridColumns::TabCount] = {
        QString::fromUtf8(kTitles[0]).split(QLatin1Char('\n')), QString::fromUtf8(kTitles[1]).split(QLatin1Char('\n')),
        QString::fromUtf8(kTitles[2]).split(QLatin1Char('\n')), QString::fromUtf8(kTitles[3]).split(QLatin1Char('\n')),
        QString::fromUtf8(kTitles[4]).split(QLatin1Char('\n'))};
    return lists[tab];
}

bool ValidColumn(int tab, int column)
{
    return tab >= 0 && tab < ZGridColumns::TabCount && column >= 0 && column < Titles(tab).size();
}

Style StyleOf(int tab, int column) { return kStyles[tab][column]; }

QString Item(const char* list, int index)
{
    const QStringList items = QString::fromUtf8(list).split(QLatin1Char('\n'));
    return index >= 0 && index < items.size() ? items[index] : QString();
}

QString IdOf(const ZNetObject* o)
{
    return o ? GbkText::ToQString(o->IdView()) : QString();
}

QString DateText(uint32_t seconds)
{
    using namespace std::chrono;
    const year_month_day d{floor<days>(sys_seconds{seconds * 1s})};
    return QString::asprintf("%04d/%02u/%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                             static_cast<unsigned>(d.day()));
}

double PipeVelocity(const ZPipeLink& p)
{
    return p.Area() > 0.0 ? p.Velocity() : 0.0;
}

// The value behind a numeric or choice column, in base units.
double NumberOf(int tab, int column, const ZNetObject& o)
{
    switch (tab) {
    case ZGridColumns::NodeTab: {
        const auto& n = static_cast<const ZFlowNode&>(o);
        const double v[] = {0, n.IsFlowKnown() ? 0.0 : 1.0, n.NodeGrunElev, n.X, n.Y, n.NodeFlow, n.NodeHydrElev,
                            n.FreeHead(), n.NodeFireFlow};
        return v[column];
    }
    case ZGridColumns::PipeTab: {
        const auto& p = static_cast<const ZPipeLink&>(o);
        const double v[] = {0, p.PipeDiam, double(p.PipeType), double(p.PipeSideType), 0, 0, double(p.PipeDate),
                            p.PipeInDiam, p.PipeRougCeof, p.PipeLength, double(p.PipeParallel), p.Flow,
                            ZObjectLabels::PipeHeadLoss(p), PipeVelocity(p), ZObjectLabels::PipeSlope(p)};
        return v[column];
    }
    case ZGridColumns::PumpTab: {
        const auto& p = static_cast<const ZPumpLink&>(o);
        const double v[] = {0, double(p.GetPumpType()), 0, 0, p.PumpRatedRotV, p.PumpSCoef, p.PumpStaticH,
                            p.PumpVacuum, p.PumpOperatedRotV, p.PumpEfficiency};
        return v[column];
    }
    case ZGridColumns::ValveTab: {
        const auto& p = static_cast<const ZValveLink&>(o);
        const double v[] = {0, double(p.GetValveType()), 0, 0, p.ValveSCoef, p.ValveHLess};
        return v[column];
    }
    default: {
        const auto& t = static_cast<const ZTankLink&>(o);
        const double v[] = {0, t.TankArea, double(t.GetTankType()), 0, t.TankMinHead, t.TankMaxHead, t.TankCurH,
                            t.Flow, t.TankBottomElev};
        return v[column];
    }
    }
}

QString ChoiceText(int tab, int column, int index)
{
    switch (tab) {
    case ZGridColumns::NodeTab: return Item("已知流量\n已知水压", index);
    case ZGridColumns::PipeTab: return column == 2 ? Item("H-W\nMN", index) : Item("无\n单侧\n双侧", index);
    case ZGridColumns::PumpTab: return Item("卧式离心泵", index);
    case ZGridColumns::ValveTab: return Item("闸阀\n止回阀\n减压阀", index);
    default: return Item("蓄水池\n水塔", index);
    }
}

// The object an identifier column names: the object itself or one of its end nodes.
const ZNetObject* IdObject(int tab, int column, const ZNetObject& o)
{
    if (column == 0)
        return &o;
    const auto& link = static_cast<const ZNetLink&>(o);
    switch (tab) {
    case ZGridColumns::PipeTab: return column == 4 ? link.StartNode() : link.EndNode();
    case ZGridColumns::TankTab: return link.StartNode();   // the visible outlet
    default: return column == 2 ? link.StartNode() : link.EndNode();
    }
}

QString FromStd(const std::string& s)
{
    // A small negative value rounds to "-0.00": shown without the sign.
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos)
        return QString::fromLatin1(s.data() + 1, static_cast<qsizetype>(s.size()) - 1);
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

int ZGridColumns::ColumnCount(int tab)
{
    return tab >= 0 && tab < TabCount ? static_cast<int>(Titles(tab).size()) : 0;
}

QString ZGridColumns::Title(int tab, int column)
{
    return ValidColumn(tab, column) ? Titles(tab)[column] : QString();
}

QString ZGridColumns::UnitName(int tab, int column, const UnitSystem& u)
{
    if (!ValidColumn(tab, column))
        return {};
    switch (StyleOf(tab, column)) {
    case Metres: return QStringLiteral("m");
    case Length: return QString::fromStdString(u.Leng().UnitName());
    case Diam: return QString::fromStdString(u.Diam().UnitName());
    case Flow: return QString::fromStdString(u.FlowUnit().UnitName());
    case Head: return QString::fromStdString(u.Hydr().UnitName());
    case Velocity: return QString::fromStdString(u.Velo().UnitName());
    case Slope: return QString::fromStdString(u.Slope().UnitName());
    default:
        return tab == TankTab && column == 1 ? QStringLiteral("m²") : QString();
    }
}

QString ZGridColumns::TitleWithUnit(int tab, int column, const UnitSystem& u)
{
    const QString unit = UnitName(tab, column, u);
    const QString title = Title(tab, column);
    return unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit);
}

bool ZGridColumns::IsResult(int tab, int column, const ZNetObject& o)
{
    switch (tab) {
    case NodeTab: {
        const auto& n = static_cast<const ZFlowNode&>(o);
        return column == 5 ? ZObjectLabels::DemandIsResult(n)
                           : (column == 6 || column == 7) && ZObjectLabels::HeadIsResult(n);
    }
    case PipeTab:
        return column >= 11 && column <= 14;
    case TankTab:
        return column == 7;
    default:
        return false;
    }
}

QString ZGridColumns::Text(int tab, int column, const ZNetObject& o, const UnitSystem& u)
{
    if (!ValidColumn(tab, column))
        return {};
    const Style s = StyleOf(tab, column);
    if (s == Id)
        return IdOf(IdObject(tab, column, o));
    // A node cut off from every known head has no head: its cells stay empty.
    if (tab == NodeTab && (column == NodeHeadColumn || column == NodeFreeHeadColumn) &&
        static_cast<const ZFlowNode&>(o).IsCutOff())
        return {};
    const double v = NumberOf(tab, column, o);
    switch (s) {
    case Choice: return ChoiceText(tab, column, static_cast<int>(v));
    case Date: return DateText(static_cast<uint32_t>(v));
    case Metres: return FromStd(NumberFormat::Fixed(v, u.Leng().Precision()));
    case Length: return FromStd(u.Leng().FormatFixed(v));
    case Diam: return FromStd(u.Diam().FormatFixed(v));
    case Flow: return FromStd(u.FlowUnit().FormatFixed(v));
    case Head: return FromStd(u.Hydr().FormatFixed(v));
    case Velocity: return FromStd(u.Velo().FormatFixed(v));
    case Slope: return FromStd(u.Slope().FormatFixed(v));
    case Count: return QString::number(static_cast<long long>(v));
    default: return FromStd(UnitSystem::FormatPlain(v));
    }
}

bool ZGridColumns::IsNumeric(int tab, int column)
{
    return ValidColumn(tab, column) && StyleOf(tab, column) != Id && StyleOf(tab, column) != Choice;
}

double ZGridColumns::Value(int tab, int column, const ZNetObject& o)
{
    return ValidColumn(tab, column) ? NumberOf(tab, column, o) : 0.0;
}

int ZGridColumns::TabOf(const ZNetObject& o)
{
    switch (o.GetKind()) {
    case ZNetObject::Kind::Node: return o.IsHidden() ? -1 : NodeTab;
    case ZNetObject::Kind::Pipe: return PipeTab;
    case ZNetObject::Kind::Pump: return PumpTab;
    case ZNetObject::Kind::Valve: return ValveTab;
    case ZNetObject::Kind::Tank: return TankTab;
    }
    return -1;
}

bool ZGridColumns::NaturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ie = i, je = j;
            while (ie < a.size() && a[ie].isDigit())
                ++ie;
            while (je < b.size() && b[je].isDigit())
                ++je;
            // Compare by value: leading zeros aside, the longer run is larger.
            qsizetype is = i, js = j;
            while (is + 1 < ie && a[is] == QLatin1Char('0'))
                ++is;
            while (js + 1 < je && b[js] == QLatin1Char('0'))
                ++js;
            if (ie - is != je - js)
                return ie - is < je - js;
            for (qsizetype k = 0; k < ie - is; ++k)
                if (a[is + k] != b[js + k])
                    return a[is + k] < b[js + k];
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}
