#include "ZPhysicalCheck.h"

#include "model/GbkCodec.h"
#include "model/ZBalanceParams.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"

#include <cmath>

namespace {
const char* KindName(const ZNetObject& obj)
{
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pipe:
        return "管段";
    case ZNetObject::Kind::Pump:
        return "水泵";
    case ZNetObject::Kind::Valve:
        return "阀门";
    case ZNetObject::Kind::Tank:
        return "水池";
    default:
        return "节点";
    }
}

bool IsHead(double v)
{
    return std::isfinite(v) && std::fabs(v) <= ZPhysicalCheck::MaxHead;
}
}   // namespace

bool ZPhysicalCheck::Fail(const ZNetObject& obj, const char* field, const char* label, double value, const char* rule)
{
    m_object = &obj;
    m_field = field;
    const std::string number = NumberFormat::G(value);
    m_message = std::string("平差计算未开始: ") + KindName(obj) + MessageText::Quote(obj.IdView()) + "的" + label +
                " " + field + " = " + number + ", " + rule + "。请改正后再计算。";
    return false;
}

bool ZPhysicalCheck::FailCurve(const ZNetObject& obj, const char* field, const char* label, size_t points, int needed)
{
    m_object = &obj;
    m_field = field;
    m_message = std::string("平差计算未开始: ") + KindName(obj) + MessageText::Quote(obj.IdView()) + "的" + label +
                " " + field + " 有 " + std::to_string(points) + " 个点, " +
                (static_cast<int>(points) < needed
                     ? "至少需要 " + std::to_string(needed) + " 个"
                     : std::string(obj.GetKind() == ZNetObject::Kind::Pump ? "流量应递增, 扬程应随流量下降"
                                                                           : "流量应递增, 水头损失应随流量上升")) +
                "。请改正后再计算。";
    return false;
}

bool ZPhysicalCheck::CheckParams(const ZBalanceParams& p)
{
    if (p.DemandModel != ZBalanceParams::PressureDriven)
        return true;
    m_object = nullptr;
    if (!IsHead(p.MinPressure) || !IsHead(p.RequiredPressure) || !(p.MinPressure < p.RequiredPressure)) {
        m_field = "MinPressure";
        m_message = "平差计算未开始: 最小压力 MinPressure = " + NumberFormat::G(p.MinPressure) +
                    ", 所需压力 RequiredPressure = " + NumberFormat::G(p.RequiredPressure) +
                    ", 最小压力应小于所需压力。请改正后再计算。";
        return false;
    }
    if (!(p.PressureExponent > 0.0 && p.PressureExponent <= 10.0)) {
        m_field = "PressureExponent";
        m_message = "平差计算未开始: 压力指数 PressureExponent = " + NumberFormat::G(p.PressureExponent) +
                    ", 应大于 0 且不超过 10。请改正后再计算。";
        return false;
    }
    return true;
}

bool ZPhysicalCheck::Run(const ZNetwork& net, const ZBalanceContext& ctx)
{
    m_object = nullptr;
    m_field.clear();
    m_message.clear();
    for (const ZConsumeNode* n : net.Nodes())
        if (!CheckNode(*n, ctx))
            return false;
    for (const ZFlowLink* l : net.Links())
        if (!CheckLink(*l))
            return false;
    return true;
}

bool ZPhysicalCheck::CheckNode(const ZNetObject& obj, const ZBalanceContext& ctx)
{
    const auto& n = static_cast<const ZFlowNode&>(obj);
    if (!IsHead(n.NodeGrunElev))
        return Fail(obj, "NodeGrunElev", "地面标高", n.NodeGrunElev, "应为不超过一百万米的有限数");
    if (!std::isfinite(n.NodeFlow))
        return Fail(obj, "NodeFlow", "流量", n.NodeFlow, "应为有限数");
    if (!std::isfinite(n.NodeFireFlow))
        return Fail(obj, "NodeFireFlow", "消防流量", n.NodeFireFlow, "应为有限数");
    if (!std::isfinite(n.CaseDemand(ctx)))
        return Fail(obj, "NodeFlow", "计算流量", n.CaseDemand(ctx), "应为有限数");
    // Flow-known heads are only the starting guess; device nodes take theirs from the device.
    if (n.IsHeadKnown() && !n.IsDeviceNode() && !IsHead(n.NodeHydrElev))
        return Fail(obj, "NodeHydrElev", "水压", n.NodeHydrElev, "应为不超过一百万米的有限数");
    return true;
}

bool ZPhysicalCheck::CheckLink(const ZNetObject& obj)
{
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pipe: {
        const auto& p = static_cast<const ZPipeLink&>(obj);
        if (!(p.PipeDiam > 0.0 && p.PipeDiam <= MaxDiameter))
            return Fail(obj, "PipeDiam", "管径", p.PipeDiam, "应大于 0 且不超过 100 m");
        if (!(p.PipeInDiam > 0.0 && p.PipeInDiam <= MaxDiameter))
            return Fail(obj, "PipeInDiam", "计算内径", p.PipeInDiam, "应大于 0 且不超过 100 m");
        if (!(p.PipeLength >= 0.0 && p.PipeLength <= MaxPipeLength))
            return Fail(obj, "PipeLength", "管长", p.PipeLength, "应在 0 到 1000 km 之间");
        if (!(p.PipeRougCeof > 0.0 && std::isfinite(p.PipeRougCeof)))
            return Fail(obj, "PipeRougCeof", "粗糙系数", p.PipeRougCeof, "应大于 0");
        if (p.PipeParallel < 0)
            return Fail(obj, "PipeParallel", "并行管数", p.PipeParallel, "不能为负数");
        if (!(p.PipeMinorLoss >= 0.0 && std::isfinite(p.PipeMinorLoss)))
            return Fail(obj, "PipeMinorLoss", "局部损失系数", p.PipeMinorLoss, "应为不小于 0 的有限数");
        return true;
    }
    case ZNetObject::Kind::Pump: {
        const auto& p = static_cast<const ZPumpLink&>(obj);
        if (!(p.PumpSCoef >= 0.0 && std::isfinite(p.PumpSCoef)))
            return Fail(obj, "PumpSCoef", "阻力系数", p.PumpSCoef, "应为不小于 0 的有限数");
        if (!IsHead(p.PumpStaticH))
            return Fail(obj, "PumpStaticH", "静扬程", p.PumpStaticH, "应为不超过一百万米的有限数");
        if (p.PumpCurveKind < 0 || p.PumpCurveKind >= ZPumpLink::CurveKindCount)
            return Fail(obj, "PumpCurveKind", "曲线类型", p.PumpCurveKind, "应为 0 到 4");
        if (!p.HasCurve())
            return true;
        if (!(p.PumpSpeed >= 0.0 && p.PumpSpeed <= 100.0))
            return Fail(obj, "PumpSpeed", "转速比", p.PumpSpeed, "应在 0 到 100 之间");
        if (p.PumpCurveKind == ZPumpLink::ConstantPower) {
            if (!(p.PumpPower > 0.0 && p.PumpPower < 1e9))
                return Fail(obj, "PumpPower", "功率", p.PumpPower, "应为大于 0 的有限数");
        } else if (!p.CurveFits()) {
            return FailCurve(obj, "PumpCurve", "水泵曲线", p.PumpCurve.size(),
                             ZPumpLink::PointsNeeded(p.PumpCurveKind));
        }
        return true;
    }
    case ZNetObject::Kind::Valve: {
        const auto& v = static_cast<const ZValveLink&>(obj);
        if (!(v.ValveSCoef >= 0.0 && std::isfinite(v.ValveSCoef)))
            return Fail(obj, "ValveSCoef", "阻力系数", v.ValveSCoef, "应为不小于 0 的有限数");
        if (!IsHead(v.ValveHLess))
            return Fail(obj, "ValveHLess", "减压量", v.ValveHLess, "应为不超过一百万米的有限数");
        if (v.GetValveType() < 0 || v.GetValveType() >= ZValveLink::TypeCount)
            return Fail(obj, "ValveType", "阀门类型", v.GetValveType(), "应为 0 到 8");
        if (!v.IsControlValve())
            return true;
        if (!(v.ValveSetting >= 0.0 && std::isfinite(v.ValveSetting) && v.ValveSetting <= MaxHead))
            return Fail(obj, "ValveSetting", "设定值", v.ValveSetting, "应为不小于 0 的有限数");
        if (v.GetValveType() == ZValveLink::Tcv && !(v.ValveDiam > 0.0 && v.ValveDiam <= MaxDiameter))
            return Fail(obj, "ValveDiam", "直径", v.ValveDiam, "应大于 0 且不超过 100 m");
        if (v.GetValveType() == ZValveLink::Gpv) {
            const Curve& c = v.ValveCurve;
            bool rising = c.size() >= 2;
            for (size_t i = 0; rising && i < c.size(); ++i)
                rising = std::isfinite(c[i].flow) && std::isfinite(c[i].head) && c[i].flow >= 0.0 && c[i].head >= 0.0 &&
                         (i == 0 || (c[i].flow > c[i - 1].flow && c[i].head > c[i - 1].head));
            if (!rising)
                return FailCurve(obj, "ValveCurve", "损失曲线", c.size(), 2);
        }
        return true;
    }
    case ZNetObject::Kind::Tank: {
        const auto& t = static_cast<const ZTankLink&>(obj);
        if (!IsHead(t.TankBottomElev))
            return Fail(obj, "TankBottomElev", "池底标高", t.TankBottomElev, "应为不超过一百万米的有限数");
        if (!IsHead(t.TankCurH) || !IsHead(t.SurfaceElevation()))
            return Fail(obj, "TankCurH", "当前水位", t.TankCurH, "应为不超过一百万米的有限数");
        return true;
    }
    default:
        return true;
    }
}
