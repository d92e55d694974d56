#include "ComponentCheck.h"

#include "model/NumberFormat.h"
#include "model/ZBalanceParams.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"

#include <cmath>

namespace {
std::string Value(double v)
{
    return NumberFormat::G(v);
}

// Flows ascending and every value finite; `falling` asks a pump's heads not to rise with flow.
std::string CurveProblem(const char* field, const Curve& c, size_t needed, bool falling)
{
    if (c.size() < needed)
        return std::string(field) + " 有 " + std::to_string(c.size()) + " 个点, 至少需要 " + std::to_string(needed) +
               " 个";
    for (size_t i = 0; i < c.size(); ++i) {
        if (!std::isfinite(c[i].flow) || !std::isfinite(c[i].head) || c[i].flow < 0)
            return std::string(field) + " 第" + std::to_string(i + 1) + "点 (" + Value(c[i].flow) + ", " +
                   Value(c[i].head) + ") 不可用";
        if (i == 0)
            continue;
        if (!(c[i].flow > c[i - 1].flow))
            return std::string(field) + " 第" + std::to_string(i + 1) + "点的流量没有大于前一点";
        if (falling && c[i].head > c[i - 1].head)
            return std::string(field) + " 第" + std::to_string(i + 1) + "点的扬程随流量上升";
    }
    return {};
}
}   // namespace

std::string ComponentCheck::Problem(const ZFlowLink& link)
{
    switch (link.GetKind()) {
    case ZNetObject::Kind::Pipe: {
        const double k = static_cast<const ZPipeLink&>(link).PipeMinorLoss;
        if (!(k >= 0) || !std::isfinite(k))
            return "PipeMinorLoss " + Value(k) + " 不是非负的有限数";
        return {};
    }
    case ZNetObject::Kind::Pump: {
        const auto& p = static_cast<const ZPumpLink&>(link);
        if (p.PumpCurveKind < 0 || p.PumpCurveKind >= ZPumpLink::CurveKindCount)
            return "PumpCurveKind " + std::to_string(p.PumpCurveKind) + " 不是已知的水泵曲线类型";
        // The head grows with the square of the speed: past a hundred times it leaves any range.
        if (!(p.PumpSpeed >= 0 && p.PumpSpeed <= 100))
            return "PumpSpeed " + Value(p.PumpSpeed) + " 不在 0 到 100 之间";
        if (!(p.PumpPower >= 0) || !std::isfinite(p.PumpPower))
            return "PumpPower " + Value(p.PumpPower) + " 不是非负的有限数";
        if (p.PumpCurveKind == ZPumpLink::ConstantPower && !(p.PumpPower > 0))
            return "PumpPower " + Value(p.PumpPower) + " 不是正数 (恒功率水泵)";
        const size_t needed = static_cast<size_t>(ZPumpLink::PointsNeeded(p.PumpCurveKind));
        if (needed > 1 && p.PumpCurveKind != ZPumpLink::MultiPoint && p.PumpCurve.size() > needed)
            return "PumpCurve 有 " + std::to_string(p.PumpCurve.size()) + " 个点, 这种曲线需要 " +
                   std::to_string(needed) + " 个";
        if (needed == 1 && p.PumpCurve.size() > 1)
            return "PumpCurve 有 " + std::to_string(p.PumpCurve.size()) + " 个点, 一点曲线只要 1 个";
        if (std::string s = CurveProblem("PumpCurve", p.PumpCurve, needed, true); !s.empty())
            return s;
        if (p.PumpCurveKind == ZPumpLink::OnePoint && !(p.PumpCurve[0].flow > 0 && p.PumpCurve[0].head > 0))
            return "PumpCurve 的设计点流量和扬程必须是正数";
        return {};
    }
    case ZNetObject::Kind::Valve: {
        const auto& v = static_cast<const ZValveLink&>(link);
        if (v.GetValveType() < 0 || v.GetValveType() >= ZValveLink::TypeCount)
            return "ValveType " + std::to_string(v.GetValveType()) + " 不是已知的阀门类型";
        if (v.ValveInitStatus < ZValveLink::StatusActive || v.ValveInitStatus > ZValveLink::StatusClosed)
            return "ValveInitStatus " + std::to_string(v.ValveInitStatus) + " 不是已知的状态";
        if (!(v.ValveSetting >= 0) || !std::isfinite(v.ValveSetting))
            return "ValveSetting " + Value(v.ValveSetting) + " 不是非负的有限数";
        if (!(v.ValveDiam >= 0) || !std::isfinite(v.ValveDiam))
            return "ValveDiam " + Value(v.ValveDiam) + " 不是非负的有限数";
        if (v.GetValveType() == ZValveLink::Tcv && !(v.ValveDiam > 0))
            return "ValveDiam 不是正数 (节流阀的损失系数按阀门直径计算)";
        const size_t needed = v.GetValveType() == ZValveLink::Gpv ? 1 : 0;
        return CurveProblem("ValveCurve", v.ValveCurve, needed, false);
    }
    default:
        return {};
    }
}

std::string ComponentCheck::ParamsProblem(const ZBalanceParams& p)
{
    if (p.DemandModel != ZBalanceParams::DemandDriven && p.DemandModel != ZBalanceParams::PressureDriven)
        return "DemandModel " + std::to_string(p.DemandModel) + " 不是已知的需水量模型";
    if (!std::isfinite(p.MinPressure) || !std::isfinite(p.RequiredPressure))
        return "MinPressure 或 RequiredPressure 不是有限数";
    if (!(p.MinPressure < p.RequiredPressure))
        return "MinPressure " + Value(p.MinPressure) + " 不低于 RequiredPressure " + Value(p.RequiredPressure);
    if (!(p.PressureExponent > 0) || !std::isfinite(p.PressureExponent))
        return "PressureExponent " + Value(p.PressureExponent) + " 不是正的有限数";
    return {};
}
