#include "ZFieldTable.h"

#include "UnitSystem.h"
#include "ZConsumeNode.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

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

constexpr uint8_t Template = ZField::Copied | ZField::Stored;

#define QEN_FIELD(C, M, type, use, unit, caption)                                                         \
    ZField{#M, ZField::type, use, unit, caption, &GetMember<C, decltype(C::M), &C::M>,                       \
           &SetMember<C, decltype(C::M), &C::M>}

using U = UnitSystem;

double FireGet(const ZNetObject& o) { return static_cast<const ZFlowNode&>(o).IsFireNode() ? 1.0 : 0.0; }
void FireSet(ZNetObject& o, double v) { static_cast<ZFlowNode&>(o).SetFireNode(v != 0.0); }
double PumpTypeGet(const ZNetObject& o) { return static_cast<const ZPumpLink&>(o).GetPumpType(); }
void PumpTypeSet(ZNetObject& o, double v) { static_cast<ZPumpLink&>(o).SetPumpType(static_cast<int32_t>(v)); }
double ValveTypeGet(const ZNetObject& o) { return static_cast<const ZValveLink&>(o).GetValveType(); }
void ValveTypeSet(ZNetObject& o, double v) { static_cast<ZValveLink&>(o).SetValveType(static_cast<int32_t>(v)); }
double TankTypeGet(const ZNetObject& o) { return static_cast<const ZTankLink&>(o).GetTankType(); }
void TankTypeSet(ZNetObject& o, double v) { static_cast<ZTankLink&>(o).SetTankType(static_cast<int32_t>(v)); }

// Node flags copy with the object's flags, so the fire flag is only stored here.
const ZField s_node[] = {
    QEN_FIELD(ZFlowNode, X, Double, ZField::Copied, ZField::NoUnit, "X坐标"),
    QEN_FIELD(ZFlowNode, Y, Double, ZField::Copied, ZField::NoUnit, "Y坐标"),
    QEN_FIELD(ZFlowNode, NodeGrunElev, Double, Template, ZField::NoUnit, "地面标高"),
    QEN_FIELD(ZFlowNode, NodeHydrElev, Double, Template | ZField::Result, U::Head, "节点水压"),
    QEN_FIELD(ZFlowNode, NodeFlow, Double, Template, U::Flow, "节点流量"),
    QEN_FIELD(ZFlowNode, NodeFireFlow, Double, Template, U::Flow, "消防流量"),
    ZField{"IsFireNode", ZField::Bool, ZField::Stored, ZField::NoUnit, "消防节点", &FireGet, &FireSet},
};

const ZField s_pipe[] = {
    QEN_FIELD(ZPipeLink, PipeDiam, Double, Template, U::Diameter, "管径"),
    QEN_FIELD(ZPipeLink, PipeInDiam, Double, Template, U::Diameter, "内径"),
    QEN_FIELD(ZPipeLink, PipeLength, Double, Template, U::Length, "管长"),
    QEN_FIELD(ZPipeLink, PipeRougCeof, Double, Template, ZField::NoUnit, "粗糙系数"),
    QEN_FIELD(ZPipeLink, PipeParallel, Int, Template, ZField::NoUnit, "并联管数"),
    QEN_FIELD(ZPipeLink, PipeDate, Date, Template, ZField::NoUnit, "铺设日期"),
    QEN_FIELD(ZPipeLink, PipeType, Int, Template, ZField::NoUnit, "计算公式"),
    QEN_FIELD(ZPipeLink, PipeSideType, Int, Template, ZField::NoUnit, "配水方式"),
    QEN_FIELD(ZFlowLink, Flow, Double, ZField::Result, U::Flow, "流量"),
    QEN_FIELD(ZFlowLink, Resistance, Double, ZField::Result, ZField::NoUnit, "阻力"),
};

// PumpEfficiency is the pump's own: a clone from the template starts at 1.0.
const ZField s_pump[] = {
    ZField{"PumpType", ZField::Int, Template, ZField::NoUnit, "水泵类型", &PumpTypeGet, &PumpTypeSet},
    QEN_FIELD(ZPumpLink, PumpRatedRotV, Double, Template, ZField::NoUnit, "额定转速"),
    QEN_FIELD(ZPumpLink, PumpOperatedRotV, Double, Template, ZField::NoUnit, "运行转速"),
    QEN_FIELD(ZPumpLink, PumpSCoef, Double, Template, ZField::NoUnit, "阻力系数"),
    QEN_FIELD(ZPumpLink, PumpStaticH, Double, Template, U::Head, "扬程"),
    QEN_FIELD(ZPumpLink, PumpVacuum, Double, Template, U::Head, "吸程"),
    QEN_FIELD(ZPumpLink, PumpOpen, Bool, Template, ZField::NoUnit, "开启"),
    QEN_FIELD(ZPumpLink, PumpEfficiency, Double, 0, ZField::NoUnit, "效率"),
    QEN_FIELD(ZFlowLink, Flow, Double, ZField::Result, U::Flow, "流量"),
    QEN_FIELD(ZFlowLink, Resistance, Double, ZField::Result, ZField::NoUnit, "阻力"),
};

const ZField s_valve[] = {
    ZField{"ValveType", ZField::Int, Template, ZField::NoUnit, "阀门类型", &ValveTypeGet, &ValveTypeSet},
    QEN_FIELD(ZValveLink, ValveSCoef, Double, Template, ZField::NoUnit, "阻力系数"),
    QEN_FIELD(ZValveLink, ValveHLess, Double, Template, U::Head, "减压量"),
    QEN_FIELD(ZValveLink, ValveOpen, Bool, Template, ZField::NoUnit, "开启"),
    QEN_FIELD(ZFlowLink, Flow, Double, ZField::Result, U::Flow, "流量"),
    QEN_FIELD(ZFlowLink, Resistance, Double, ZField::Result, ZField::NoUnit, "阻力"),
};

const ZField s_tank[] = {
    ZField{"TankType", ZField::Int, Template, ZField::NoUnit, "水池类型", &TankTypeGet, &TankTypeSet},
    QEN_FIELD(ZTankLink, TankArea, Double, Template, ZField::NoUnit, "面积"),
    QEN_FIELD(ZTankLink, TankMinHead, Double, Template, ZField::NoUnit, "最低水位"),
    QEN_FIELD(ZTankLink, TankMaxHead, Double, Template, ZField::NoUnit, "最高水位"),
    QEN_FIELD(ZTankLink, TankCurH, Double, Template, ZField::NoUnit, "水位"),
    QEN_FIELD(ZTankLink, TankBottomElev, Double, Template, ZField::NoUnit, "池底标高"),
    QEN_FIELD(ZFlowLink, Flow, Double, ZField::Result, U::Flow, "流量"),
    QEN_FIELD(ZFlowLink, Resistance, Double, ZField::Result, ZField::NoUnit, "阻力"),
};
#undef QEN_FIELD
} // namespace

std::span<const ZField> ZFieldTable::Of(ZNetObject::Kind kind)
{
    switch (kind) {
    case ZNetObject::Kind::Node: return s_node;
    case ZNetObject::Kind::Pipe: return s_pipe;
    case ZNetObject::Kind::Pump: return s_pump;
    case ZNetObject::Kind::Valve: return s_valve;
    case ZNetObject::Kind::Tank: return s_tank;
    }
    return {};
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
    if (!f)
        return std::nullopt;
    return f->get(obj);
}

bool ZFieldTable::Set(ZNetObject& obj, std::string_view key, double value)
{
    const ZField* f = Find(obj.GetKind(), key);
    if (!f || !f->Accepts(value))
        return false;
    f->set(obj, value);
    return true;
}

void ZFieldTable::Copy(const ZNetObject& from, ZNetObject& to, uint8_t use)
{
    for (const ZField& f : Of(to.GetKind()))
        if (f.use & use)
            f.set(to, f.get(from));
}

void ZFieldTable::CopyAll(const ZNetObject& from, ZNetObject& to)
{
    for (const ZField& f : Of(to.GetKind()))
        f.set(to, f.get(from));
}
