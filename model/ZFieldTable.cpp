#include "ZFieldTable.h"

#include "UnitSystem.h"
#include "ZConsumeNode.h"
#include "ZObjectLabels.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

#include <algorithm>
#include <cmath>

namespace {
template <class C, class T, T C::*M>
double GetMember(const ZNetObject& o)
{
    return static_cast<double>(static_cast<const C&>(o).*M);
}

template <class C, class T, T C::*M>
void SetMember(ZNetObject& o, double v)
{
    if constexpr (std::is_same_v<T, bool>)
        static_cast<C&>(o).*M = v != 0.0;
    else
        static_cast<C&>(o).*M = static_cast<T>(v);
}

#define QEN_MEMBER(C, M)                                                                                               \
    .key = #M, .get = &GetMember<C, decltype(C::M), &C::M>, .set = &SetMember<C, decltype(C::M), &C::M>

constexpr uint8_t Template = ZField::Copied | ZField::Stored;
constexpr uint8_t Computed = ZField::Derived | ZField::Result;
using U = UnitSystem;
using F = ZField;

const ZFlowNode& N(const ZNetObject& o)
{
    return static_cast<const ZFlowNode&>(o);
}
const ZPipeLink& P(const ZNetObject& o)
{
    return static_cast<const ZPipeLink&>(o);
}
GbkView IdOf(const ZNetNode* n)
{
    return n ? n->IdView() : GbkView();
}
GbkView Id(const ZNetObject& o)
{
    return o.IdView();
}
GbkView Start(const ZNetObject& o)
{
    return IdOf(static_cast<const ZNetLink&>(o).StartNode());
}
GbkView End(const ZNetObject& o)
{
    return IdOf(static_cast<const ZNetLink&>(o).EndNode());
}
bool DemandIsResult(const ZNetObject& o)
{
    return ZObjectLabels::DemandIsResult(N(o));
}
bool HeadIsResult(const ZNetObject& o)
{
    return ZObjectLabels::HeadIsResult(N(o));
}

// A flag shown as a field of its own.
template <uint32_t Bit>
double GetFlag(const ZNetObject& o)
{
    return o.HasFlag(Bit) ? 1.0 : 0.0;
}
template <uint32_t Bit>
void SetFlag(ZNetObject& o, double v)
{
    v != 0.0 ? o.SetFlag(Bit) : o.ClearFlag(Bit);
}

// As the balancing sees it: a node that is not flow-known has a known head.
double NodeTypeGet(const ZNetObject& o)
{
    return N(o).IsFlowKnown() ? 0.0 : 1.0;
}
void NodeTypeSet(ZNetObject& o, double v)
{
    static_cast<ZFlowNode&>(o).SetHeadKnown(v == 1.0);
}
double FreeHeadGet(const ZNetObject& o)
{
    return N(o).FreeHead();
}
double PumpTypeGet(const ZNetObject& o)
{
    return static_cast<const ZPumpLink&>(o).GetPumpType();
}
void PumpTypeSet(ZNetObject& o, double v)
{
    static_cast<ZPumpLink&>(o).SetPumpType(static_cast<int32_t>(v));
}
double ValveTypeGet(const ZNetObject& o)
{
    return static_cast<const ZValveLink&>(o).GetValveType();
}
void ValveTypeSet(ZNetObject& o, double v)
{
    static_cast<ZValveLink&>(o).SetValveType(static_cast<int32_t>(v));
}
double TankTypeGet(const ZNetObject& o)
{
    return static_cast<const ZTankLink&>(o).GetTankType();
}
void TankTypeSet(ZNetObject& o, double v)
{
    static_cast<ZTankLink&>(o).SetTankType(static_cast<int32_t>(v));
}
double HeadLossGet(const ZNetObject& o)
{
    return ZObjectLabels::PipeHeadLoss(P(o));
}
double VelocityGet(const ZNetObject& o)
{
    return P(o).Area() > 0.0 ? P(o).Velocity() : 0.0;
}
double SlopeGet(const ZNetObject& o)
{
    return ZObjectLabels::PipeSlope(P(o));
}

// In each table the entries follow the property dialog's order; `column` orders the table.
// Node flags copy with the object's flags, so the fire flag is only stored here.
const ZField s_node[] = {
    {.key = "Id",
     .text = &Id,
     .type = F::Text,
     .use = F::Derived,
     .caption = "节点编号",
     .title = "编号",
     .group = 0,
     .column = 0},
    {.key = "NodeType",
     .get = &NodeTypeGet,
     .set = &NodeTypeSet,
     .type = F::Int,
     .use = F::Derived,
     .caption = "节点类型",
     .title = "类型",
     .items = "已知流量\n已知水压",
     .group = 0,
     .column = 1},
    {QEN_MEMBER(ZFlowNode, NodeGrunElev), .use = Template, .caption = "地面标高", .unitText = "m", .digits = U::Length,
     .group = 0, .column = 2},
    {QEN_MEMBER(ZFlowNode, X), .use = F::Copied, .caption = "横坐标", .unitText = "m", .digits = U::Length, .group = 0,
     .column = 3},
    {QEN_MEMBER(ZFlowNode, Y), .use = F::Copied, .caption = "纵坐标", .unitText = "m", .digits = U::Length, .group = 0,
     .column = 4},
    {QEN_MEMBER(ZFlowNode, NodeFlow), .use = Template, .unit = U::Flow, .caption = "节点水量", .title = "水量",
     .resultOf = &DemandIsResult, .group = 1, .column = 5, .calc = 0, .calcText = "节点用水量"},
    {QEN_MEMBER(ZFlowNode, NodeHydrElev), .use = Template | F::Result, .unit = U::Head, .caption = "绝对水压",
     .title = "绝对水头", .resultOf = &HeadIsResult, .group = 1, .column = 6, .calc = 1, .calcText = "节点绝对水压"},
    {.key = "FreeHead",
     .get = &FreeHeadGet,
     .use = Computed,
     .unit = U::Head,
     .caption = "自由水头",
     .resultOf = &HeadIsResult,
     .group = 1,
     .column = 7},
    {QEN_MEMBER(ZFlowNode, NodeFireFlow), .use = Template, .unit = U::Flow, .caption = "消防水量", .title = "消防流量",
     .group = 1, .column = 8},
    // With demand-driven balancing the case demand; with pressure-driven demand what the node's
    // pressure let it draw.
    {QEN_MEMBER(ZFlowNode, NodeDeliveredFlow), .use = F::Result, .unit = U::Flow, .caption = "实际供水量",
     .title = "实供水量", .group = 1, .column = 9},
    {.key = "IsFireNode",
     .get = &GetFlag<qen::FLAG_FIRE_NODE>,
     .set = &SetFlag<qen::FLAG_FIRE_NODE>,
     .type = F::Bool,
     .use = F::Stored,
     .caption = "消防校验时设定为消防节点",
     .group = 1},
};

const ZField s_pipe[] = {
    {.key = "Id",
     .text = &Id,
     .type = F::Text,
     .use = F::Derived,
     .caption = "管道编号",
     .title = "编号",
     .group = 0,
     .column = 0},
    {.key = "StartNode",
     .text = &Start,
     .type = F::Text,
     .use = F::Derived,
     .caption = "起端节点",
     .title = "起始节点",
     .group = 0,
     .column = 4},
    {.key = "EndNode",
     .text = &End,
     .type = F::Text,
     .use = F::Derived,
     .caption = "终端节点",
     .title = "终止节点",
     .group = 0,
     .column = 5},
    {QEN_MEMBER(ZPipeLink, PipeDiam), .use = Template, .unit = U::Diameter, .caption = "标准管径", .title = "管径",
     .group = 1, .column = 1},
    {QEN_MEMBER(ZPipeLink, PipeInDiam), .use = Template, .unit = U::Diameter, .caption = "计算内径", .group = 1,
     .column = 7, .calc = 2, .calcText = "管道内径"},
    {QEN_MEMBER(ZPipeLink, PipeRougCeof), .use = Template, .caption = "系数", .group = 1, .column = 8, .calc = 4,
     .calcText = "管道阻力系数"},
    {QEN_MEMBER(ZPipeLink, PipeLength), .use = Template, .unit = U::Length, .caption = "管道长度", .title = "长度",
     .group = 1, .column = 9, .calc = 3, .calcText = "管道长度"},
    {QEN_MEMBER(ZPipeLink, PipeParallel), .type = F::Int, .use = Template, .caption = "并行管数", .low = 0, .high = 999,
     .group = 1, .column = 10},
    {QEN_MEMBER(ZPipeLink, PipeType), .type = F::Int, .use = Template, .caption = "管道类型", .title = "类型",
     .items = "海增-威联管\n满宁管", .shortItems = "H-W\nMN", .group = 1, .column = 2},
    {QEN_MEMBER(ZPipeLink, PipeSideType), .type = F::Int, .use = Template, .caption = "供水方式",
     .items = "无供水\n单侧供水\n双侧供水", .shortItems = "无\n单侧\n双侧", .group = 1, .column = 3},
    {QEN_MEMBER(ZPipeLink, PipeDate), .type = F::Date, .use = Template, .caption = "敷设日期", .group = 1, .column = 6},
    {QEN_MEMBER(ZPipeLink, PipeMinorLoss), .use = Template, .caption = "局部阻力系数", .title = "局阻系数", .low = 0,
     .high = 1e6, .group = 1, .column = 15},
    {QEN_MEMBER(ZFlowLink, Flow), .use = F::Result, .unit = U::Flow, .caption = "管道流量", .title = "流量", .group = 2,
     .column = 11},
    {.key = "HeadLoss",
     .get = &HeadLossGet,
     .use = Computed,
     .unit = U::Head,
     .caption = "管道压降",
     .title = "压降",
     .group = 2,
     .column = 12},
    {.key = "Velocity",
     .get = &VelocityGet,
     .use = Computed,
     .unit = U::Velocity,
     .caption = "管道流速",
     .title = "流速",
     .group = 2,
     .column = 13},
    {.key = "Slope",
     .get = &SlopeGet,
     .use = Computed,
     .unit = U::Gradient,
     .caption = "水力坡度",
     .group = 2,
     .column = 14},
    {.key = "IsAccidentPipe",
     .get = &GetFlag<qen::FLAG_ACCIDENT_PIPE>,
     .set = &SetFlag<qen::FLAG_ACCIDENT_PIPE>,
     .type = F::Bool,
     .use = F::Derived,
     .caption = "进行事故工况校验时设定为事故管",
     .group = 3},
    {QEN_MEMBER(ZFlowLink, Resistance), .use = F::Result, .caption = "阻力"},
};

// PumpEfficiency is the pump's own: a clone from the template starts at 1.0.
const ZField s_pump[] = {
    {.key = "Id",
     .text = &Id,
     .type = F::Text,
     .use = F::Derived,
     .caption = "水泵编号",
     .title = "编号",
     .group = 0,
     .column = 0},
    {.key = "PumpType",
     .get = &PumpTypeGet,
     .set = &PumpTypeSet,
     .type = F::Int,
     .use = Template,
     .caption = "水泵类型",
     .title = "类型",
     .items = "卧式离心泵",
     .group = 0,
     .column = 1},
    {.key = "StartNode",
     .text = &Start,
     .type = F::Text,
     .use = F::Derived,
     .caption = "入口节点",
     .group = 0,
     .column = 2},
    {.key = "EndNode",
     .text = &End,
     .type = F::Text,
     .use = F::Derived,
     .caption = "出口节点",
     .group = 0,
     .column = 3},
    {QEN_MEMBER(ZPumpLink, PumpRatedRotV), .use = Template, .caption = "额定转速", .unitText = "r/min", .group = 1,
     .column = 4},
    {QEN_MEMBER(ZPumpLink, PumpOperatedRotV), .use = Template, .caption = "操作转速", .unitText = "r/min", .group = 1,
     .column = 8},
    {QEN_MEMBER(ZPumpLink, PumpSCoef), .use = Template, .caption = "阻力系数", .group = 1, .column = 5},
    {QEN_MEMBER(ZPumpLink, PumpStaticH), .use = Template, .unit = U::Head, .caption = "静态扬程", .group = 1,
     .column = 6},
    {QEN_MEMBER(ZPumpLink, PumpVacuum), .use = Template, .unit = U::Head, .caption = "气蚀余量", .group = 1,
     .column = 7},
    {QEN_MEMBER(ZPumpLink, PumpEfficiency), .caption = "效    率", .title = "效率", .low = 0.2, .high = 1.0, .group = 1,
     .column = 9},
    {QEN_MEMBER(ZPumpLink, PumpOpen), .type = F::Bool, .use = Template, .caption = "计算时是否开启水泵", .group = 1},
    // The curve's points are the dialog's own table (PumpPropertyForm).
    {QEN_MEMBER(ZPumpLink, PumpCurveKind), .type = F::Int, .use = Template, .caption = "特性曲线", .title = "曲线",
     .items = "二次公式\n一点曲线\n三点曲线\n多点曲线\n恒功率", .low = 0, .high = ZPumpLink::CurveKindCount - 1,
     .group = 2, .column = 10},
    {QEN_MEMBER(ZPumpLink, PumpSpeed), .use = Template, .caption = "相对转速", .low = 0, .high = 100, .group = 2,
     .column = 11},
    {QEN_MEMBER(ZPumpLink, PumpPower), .use = Template, .caption = "功率", .unitText = "kW", .low = 0, .high = 1e6,
     .group = 2, .column = 12},
    {QEN_MEMBER(ZFlowLink, Flow), .use = F::Result, .unit = U::Flow, .caption = "流量"},
    {QEN_MEMBER(ZFlowLink, Resistance), .use = F::Result, .caption = "阻力"},
};

const ZField s_valve[] = {
    {.key = "Id",
     .text = &Id,
     .type = F::Text,
     .use = F::Derived,
     .caption = "阀门编号",
     .title = "编号",
     .group = 0,
     .column = 0},
    {.key = "StartNode",
     .text = &Start,
     .type = F::Text,
     .use = F::Derived,
     .caption = "入口节点",
     .group = 0,
     .column = 2},
    {.key = "EndNode",
     .text = &End,
     .type = F::Text,
     .use = F::Derived,
     .caption = "出口节点",
     .group = 0,
     .column = 3},
    {.key = "ValveType",
     .get = &ValveTypeGet,
     .set = &ValveTypeSet,
     .type = F::Int,
     .use = Template,
     .caption = "阀门类型",
     .title = "类型",
     // "减压阀" is the fixed reduction ValveHLess; the one that holds a downstream pressure is
     // "稳压减压阀".
     .items = "闸阀\n止回阀\n减压阀\n稳压减压阀\n持压阀\n流量控制阀\n节流阀\n压力破坏阀\n通用阀",
     .shortItems = "闸阀\n止回阀\n减压阀\n稳压减压阀(PRV)\n持压阀(PSV)\n流量控制阀(FCV)\n节流阀(TCV)\n"
                   "压力破坏阀(PBV)\n通用阀(GPV)",
     .low = 0,
     .high = ZValveLink::TypeCount - 1,
     .group = 1,
     .column = 1},
    {QEN_MEMBER(ZValveLink, ValveSCoef), .use = Template, .caption = "阻力系数", .group = 1, .column = 4},
    {QEN_MEMBER(ZValveLink, ValveHLess), .use = Template, .unit = U::Head, .caption = "减压量", .group = 1,
     .column = 5},
    {QEN_MEMBER(ZValveLink, ValveOpen), .type = F::Bool, .use = Template, .caption = "计算时是否开启阀门", .group = 1},
    // The control kinds' group. The setting's unit follows the kind (m, flow, a loss coefficient):
    // the table shows it as stored, the dialog in display units (ValvePropertyForm).
    {QEN_MEMBER(ZValveLink, ValveSetting), .use = Template, .caption = "设定值", .low = 0, .high = 1e6, .group = 2,
     .column = 6},
    {QEN_MEMBER(ZValveLink, ValveDiam), .use = Template, .unit = U::Diameter, .caption = "阀门直径", .low = 0,
     .high = 100, .group = 2, .column = 7},
    {QEN_MEMBER(ZValveLink, ValveInitStatus), .type = F::Int, .use = Template, .caption = "初始状态",
     .items = "自动\n开启\n关闭", .low = 0, .high = 2, .group = 2, .column = 8},
    {QEN_MEMBER(ZValveLink, ValveState), .type = F::Int, .use = F::Result, .caption = "计算状态", .title = "状态",
     .items = "未计算\n保持设定值\n全开\n关闭\n倒流关闭\n无法保持设定值",
     .shortItems = "\n保持设定值\n全开\n关闭\n倒流关闭\n无法保持设定值", .group = 2, .column = 9},
    {QEN_MEMBER(ZFlowLink, Flow), .use = F::Result, .unit = U::Flow, .caption = "流量"},
    {QEN_MEMBER(ZFlowLink, Resistance), .use = F::Result, .caption = "阻力"},
};

// A tank's outlet is its start node; the end node is its hidden inside.
const ZField s_tank[] = {
    {.key = "Id",
     .text = &Id,
     .type = F::Text,
     .use = F::Derived,
     .caption = "水池编号",
     .title = "编号",
     .group = 0,
     .column = 0},
    {.key = "Outlet",
     .text = &Start,
     .type = F::Text,
     .use = F::Derived,
     .caption = "出口节点",
     .group = 0,
     .column = 3},
    {.key = "TankType",
     .get = &TankTypeGet,
     .set = &TankTypeSet,
     .type = F::Int,
     .use = Template,
     .caption = "水池类型",
     .title = "类型",
     .items = "蓄水池\n水塔",
     .group = 0,
     .column = 2},
    {QEN_MEMBER(ZTankLink, TankArea), .use = Template, .caption = "水池面积", .title = "面积", .unitText = "m²",
     .group = 1, .column = 1},
    {QEN_MEMBER(ZTankLink, TankMinHead), .use = Template, .caption = "最低水位", .unitText = "m", .digits = U::Length,
     .group = 1, .column = 4},
    {QEN_MEMBER(ZTankLink, TankMaxHead), .use = Template, .caption = "最高水位", .unitText = "m", .digits = U::Length,
     .group = 1, .column = 5},
    {QEN_MEMBER(ZTankLink, TankCurH), .use = Template, .caption = "当前水位", .unitText = "m", .digits = U::Length,
     .group = 1, .column = 6},
    {QEN_MEMBER(ZTankLink, TankBottomElev), .use = Template, .caption = "池底标高", .unitText = "m",
     .digits = U::Length, .group = 1, .column = 8},
    {QEN_MEMBER(ZFlowLink, Flow), .use = F::Result, .unit = U::Flow, .caption = "出水量", .group = 1, .column = 7},
    {QEN_MEMBER(ZFlowLink, Resistance), .use = F::Result, .caption = "阻力"},
};
#undef QEN_MEMBER

constexpr int kKinds = 5;

struct Tables {
    std::vector<ZField> fields[kKinds];
    unsigned generation = 0;
    std::vector<const ZField*> columns[kKinds];

    void Index(int k)
    {
        columns[k].clear();
        for (const ZField& f : fields[k])
            if (f.column != ZField::Nowhere)
                columns[k].push_back(&f);
        std::stable_sort(columns[k].begin(), columns[k].end(),
                         [](const ZField* a, const ZField* b) { return a->column < b->column; });
    }
};

Tables& All()
{
    static Tables t = [] {
        Tables all;
        const std::span<const ZField> described[kKinds] = {s_node, s_pipe, s_pump, s_valve, s_tank};
        for (int k = 0; k < kKinds; ++k) {
            all.fields[k].assign(described[k].begin(), described[k].end());
            all.Index(k);
        }
        return all;
    }();
    return t;
}

int IndexOf(ZNetObject::Kind kind)
{
    return static_cast<int>(kind);
}

// Fields with a member of their own: copied, compared and checked as values.
bool IsMember(const ZField& f)
{
    return !(f.use & ZField::Derived) && f.get && f.set;
}
}   // namespace

std::span<const ZField> ZFieldTable::Of(ZNetObject::Kind kind)
{
    return All().fields[IndexOf(kind)];
}

const std::vector<const ZField*>& ZFieldTable::Columns(ZNetObject::Kind kind)
{
    return All().columns[IndexOf(kind)];
}

const ZField* ZFieldTable::Find(ZNetObject::Kind kind, std::string_view key)
{
    for (const ZField& f : Of(kind))
        if (key == f.key)
            return &f;
    return nullptr;
}

std::optional<double> ZFieldTable::Get(const ZNetObject& obj, std::string_view key)
{
    const ZField* f = Find(obj.GetKind(), key);
    if (!f || !f->get)
        return std::nullopt;
    return f->get(obj);
}

bool ZFieldTable::Set(ZNetObject& obj, std::string_view key, double value)
{
    const ZField* f = Find(obj.GetKind(), key);
    if (!f || !f->set || !f->Accepts(value))
        return false;
    f->set(obj, value);
    return true;
}

void ZFieldTable::Copy(const ZNetObject& from, ZNetObject& to, uint8_t use)
{
    for (const ZField& f : Of(to.GetKind()))
        if ((f.use & use) && IsMember(f))
            f.set(to, f.get(from));
}

void ZFieldTable::CopyAll(const ZNetObject& from, ZNetObject& to)
{
    for (const ZField& f : Of(to.GetKind()))
        if (IsMember(f))
            f.set(to, f.get(from));
}

unsigned ZFieldTable::Generation()
{
    return All().generation;
}

ZFieldTable::Added::Added(ZNetObject::Kind kind, const ZField& field) : m_kind(kind)
{
    Tables& t = All();
    t.fields[IndexOf(kind)].push_back(field);
    t.Index(IndexOf(kind));
    ++t.generation;
}

ZFieldTable::Added::~Added()
{
    Tables& t = All();
    t.fields[IndexOf(m_kind)].pop_back();
    t.Index(IndexOf(m_kind));
    ++t.generation;
}

const char* ZFieldTable::ValveSettingCaption(int valveType)
{
    switch (valveType) {
    case ZValveLink::Prv:
        return "出口压力";
    case ZValveLink::Psv:
        return "进口压力";
    case ZValveLink::Fcv:
        return "限定流量";
    case ZValveLink::Tcv:
        return "局部阻力系数";
    case ZValveLink::Pbv:
        return "压力降";
    default:
        return "设定值";
    }
}

int ZFieldTable::ValveSettingUnit(int valveType)
{
    switch (valveType) {
    case ZValveLink::Prv:
    case ZValveLink::Psv:
    case ZValveLink::Pbv:
        return UnitSystem::Head;
    case ZValveLink::Fcv:
        return UnitSystem::Flow;
    default:
        return -1;
    }
}
