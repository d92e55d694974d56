#include "ZTimeData.h"

#include "MessageText.h"
#include "NumberFormat.h"

#include <cmath>

const ZTimeData::Pattern* ZTimeData::FindPattern(GbkView id) const
{
    for (const Pattern& p : Patterns)
        if (p.id == id)
            return &p;
    return nullptr;
}

double ZTimeData::Factor(const Pattern& pattern, int64_t time) const
{
    if (pattern.factors.empty())
        return 1.0;
    const int64_t period = (time + PatternStart) / PatternStep;
    return pattern.factors[static_cast<size_t>(period % static_cast<int64_t>(pattern.factors.size()))];
}

std::string ZTimeData::Fault::Text() const
{
    return (object.empty() ? std::string() : object + " ") + field + ": " + what;
}

ZTimeData::Fault ZTimeData::Check() const
{
    const auto badTime = [](int64_t t, bool zeroOk) { return t < (zeroOk ? 0 : 1) || t > MaxSeconds; };
    const std::pair<const char*, int64_t> steps[] = {
        {"HydraulicStep", HydraulicStep}, {"PatternStep", PatternStep}, {"ReportStep", ReportStep}};
    for (const auto& [name, value] : steps)
        if (badTime(value, false))
            return {"", name, "时间步长应为正数 (" + std::to_string(value) + " 秒)"};
    const std::pair<const char*, int64_t> times[] = {
        {"Duration", Duration}, {"PatternStart", PatternStart}, {"ReportStart", ReportStart}};
    for (const auto& [name, value] : times)
        if (badTime(value, true))
            return {"", name, "时间不能为负数 (" + std::to_string(value) + " 秒)"};
    if (StartClock < 0 || StartClock >= 86400)
        return {"", "StartClock", "时刻应在 0 到 86399 秒之间 (" + std::to_string(StartClock) + ")"};
    for (const Pattern& p : Patterns) {
        const std::string name = "模式 " + MessageText::Quote(p.id);
        if (p.id.empty())
            return {name, "Id", "模式没有编号"};
        if (p.factors.empty())
            return {name, "Factors", "模式没有系数"};
        for (double f : p.factors)
            if (!std::isfinite(f) || f < 0.0)
                return {name, "Factors", "系数应为非负数 (" + NumberFormat::G(f) + ")"};
    }
    for (size_t i = 0; i < Patterns.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (Patterns[i].id == Patterns[j].id)
                return {"模式 " + MessageText::Quote(Patterns[i].id), "Id", "模式编号重复"};
    const auto patternFault = [this](const GbkString& id, const std::string& object, const char* field) -> Fault {
        if (!id.empty() && !FindPattern(id))
            return {object, field, "模式 " + MessageText::Quote(id) + " 不存在"};
        return {};
    };
    if (Fault f = patternFault(DefaultPattern, "", "DefaultPattern"); !f.Empty())
        return f;
    if (Fault f = patternFault(PricePattern, "", "PricePattern"); !f.Empty())
        return f;
    for (const NodeDemand& d : Demands) {
        const std::string name = "节点 " + MessageText::Quote(d.node);
        if (!std::isfinite(d.base))
            return {name, "Demand", "需水量不是有限数"};
        if (Fault f = patternFault(d.pattern, name, "DemandPattern"); !f.Empty())
            return f;
    }
    for (const PumpPattern& p : PumpPatterns)
        if (Fault f = patternFault(p.pattern, "水泵 " + MessageText::Quote(p.pump), "SpeedPattern"); !f.Empty())
            return f;
    for (const TankCurve& c : TankCurves) {
        const std::string name = "水池 " + MessageText::Quote(c.tank);
        if (c.points.size() < 2)
            return {name, "VolumeCurve", "容积曲线至少要两点"};
        for (size_t i = 0; i < c.points.size(); ++i) {
            const CurvePoint& p = c.points[i];
            if (!std::isfinite(p.flow) || !std::isfinite(p.head) || p.head < 0.0)
                return {name, "VolumeCurve", "容积曲线的点不合理"};
            if (i > 0 && !(p.flow > c.points[i - 1].flow && p.head > c.points[i - 1].head))
                return {name, "VolumeCurve", "容积曲线的水位和容积应递增"};
        }
    }
    for (const Control& c : Controls) {
        const std::string name = "控制 " + MessageText::Quote(c.link);
        if (c.action < Control::Open || c.action > Control::Setting)
            return {name, "Action", "未知的动作"};
        if (!std::isfinite(c.setting) || c.setting < 0.0)
            return {name, "Setting", "设定值应为非负数 (" + NumberFormat::G(c.setting) + ")"};
        if (c.trigger < Control::AtTime || c.trigger > Control::Below)
            return {name, "Trigger", "未知的条件"};
        if ((c.trigger == Control::AtTime && badTime(c.time, true)) ||
            (c.trigger == Control::AtClockTime && (c.time < 0 || c.time >= 86400)))
            return {name, "Time", "时间不合理 (" + std::to_string(c.time) + " 秒)"};
        if (c.trigger >= Control::Above && (c.node.empty() || !std::isfinite(c.value)))
            return {name, "Node", "条件缺少节点或数值"};
    }
    if (!std::isfinite(EnergyPrice) || EnergyPrice < 0.0)
        return {"", "EnergyPrice", "电价应为非负数"};
    if (!std::isfinite(PumpEfficiency) || !(PumpEfficiency > 0.0) || PumpEfficiency > 100.0)
        return {"", "PumpEfficiency", "效率应在 0 到 100 之间"};
    return {};
}
