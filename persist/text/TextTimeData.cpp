#include "TextTimeData.h"

#include "TextLineReader.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ZTimeData.h"

#include <charconv>
#include <cmath>

namespace {
constexpr size_t FactorsPerLine = 12;

std::string Num(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);   // shortest text that reads back exactly
    return std::string(buf, r.ptr);
}

bool ParseNumber(std::string_view f, double& v)
{
    const auto r = std::from_chars(f.data(), f.data() + f.size(), v);
    return !f.empty() && r.ec == std::errc() && r.ptr == f.data() + f.size() && std::isfinite(v);
}

const char* const kActions[] = {"OPEN", "CLOSED", "SETTING"};
const char* const kTriggers[] = {"AT", "CLOCK", "ABOVE", "BELOW"};
}   // namespace

std::string TextTimeData::Write(const ZTimeData& d)
{
    if (d.IsEmpty())
        return {};
    // The file is GBK like the rest of the text file, comments included.
    std::string out = GbkCodec::FromUtf8("//延时模拟数据 (基本单位: 秒, m3/s, m, m3)\n").Bytes() + "BEGIN TIMEDATA\n";
    const auto line = [&out](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& f : fields) {
            out += first ? "" : "\t";
            out += f;
            first = false;
        }
        out += '\n';
    };
    const std::pair<const char*, int64_t> times[] = {{"DURATION", d.Duration},       {"HYDRAULICSTEP", d.HydraulicStep},
                                                     {"PATTERNSTEP", d.PatternStep}, {"PATTERNSTART", d.PatternStart},
                                                     {"REPORTSTEP", d.ReportStep},   {"REPORTSTART", d.ReportStart},
                                                     {"STARTCLOCK", d.StartClock}};
    for (const auto& [key, value] : times)
        line({key, std::to_string(value)});
    if (!d.DefaultPattern.empty())
        line({"DEFAULTPATTERN", d.DefaultPattern.Bytes()});
    line({"PRICE", Num(d.EnergyPrice)});
    if (!d.PricePattern.empty())
        line({"PRICEPATTERN", d.PricePattern.Bytes()});
    line({"EFFICIENCY", Num(d.PumpEfficiency)});
    for (const ZTimeData::Pattern& p : d.Patterns) {
        for (size_t k = 0; k < p.factors.size(); k += FactorsPerLine) {
            out += "PATTERN\t" + p.id.Bytes();
            for (size_t i = k; i < std::min(k + FactorsPerLine, p.factors.size()); ++i)
                out += "\t" + Num(p.factors[i]);
            out += '\n';
        }
    }
    for (const ZTimeData::NodeDemand& n : d.Demands) {
        if (n.pattern.empty())
            line({"DEMAND", n.node.Bytes(), Num(n.base)});
        else
            line({"DEMAND", n.node.Bytes(), Num(n.base), n.pattern.Bytes()});
    }
    for (const ZTimeData::PumpPattern& p : d.PumpPatterns)
        line({"PUMPPATTERN", p.pump.Bytes(), p.pattern.Bytes()});
    for (const ZTimeData::TankCurve& c : d.TankCurves)
        for (const CurvePoint& p : c.points)
            line({"TANKCURVE", c.tank.Bytes(), Num(p.flow), Num(p.head)});
    for (const ZTimeData::Control& c : d.Controls) {
        const std::string head = "CONTROL\t" + c.link.Bytes() + "\t" + kActions[c.action] + "\t" + Num(c.setting) +
                                 "\t" + kTriggers[c.trigger] + "\t";
        if (c.trigger <= ZTimeData::Control::AtClockTime)
            out += head + std::to_string(c.time) + "\n";
        else
            out += head + c.node.Bytes() + "\t" + Num(c.value) + "\n";
    }
    return out + "END\n";
}

std::string TextTimeData::ReadLine(const TextLineReader& r, ZTimeData& d)
{
    const int n = r.FieldCount();
    const std::string_view key = r.Field(0);
    const auto number = [&r](int i, double& v) { return ParseNumber(r.Field(i), v); };
    const auto bad = [&r](int i) {
        return "第" + std::to_string(i + 1) + "个字段 " + MessageText::Quote(GbkView(r.Field(i))) + " 不合理";
    };
    const auto id = [&r](int i) { return GbkString(std::string(r.Field(i))); };
    const std::pair<const char*, int64_t*> times[] = {
        {"DURATION", &d.Duration},         {"HYDRAULICSTEP", &d.HydraulicStep}, {"PATTERNSTEP", &d.PatternStep},
        {"PATTERNSTART", &d.PatternStart}, {"REPORTSTEP", &d.ReportStep},       {"REPORTSTART", &d.ReportStart},
        {"STARTCLOCK", &d.StartClock}};
    for (const auto& [name, target] : times) {
        if (key != name)
            continue;
        double v = 0;
        if (n != 2 || !number(1, v) || v != std::floor(v) || std::fabs(v) > static_cast<double>(ZTimeData::MaxSeconds))
            return std::string(name) + ": " + bad(1);
        *target = static_cast<int64_t>(v);
        return {};
    }
    if ((key == "DEFAULTPATTERN" || key == "PRICEPATTERN") && n == 2) {
        (key == "DEFAULTPATTERN" ? d.DefaultPattern : d.PricePattern) = id(1);
        return {};
    }
    if ((key == "PRICE" || key == "EFFICIENCY") && n == 2)
        return number(1, key == "PRICE" ? d.EnergyPrice : d.PumpEfficiency) ? std::string() : bad(1);
    if (key == "PATTERN" && n >= 3) {
        ZTimeData::Pattern* p = nullptr;
        for (ZTimeData::Pattern& q : d.Patterns)
            if (q.id == GbkView(r.Field(1)))
                p = &q;
        if (!p) {
            d.Patterns.push_back({id(1), {}});
            p = &d.Patterns.back();
        }
        for (int i = 2; i < n; ++i) {
            double v = 0;
            if (!number(i, v))
                return bad(i);
            p->factors.push_back(v);
        }
        return {};
    }
    if (key == "DEMAND" && (n == 3 || n == 4)) {
        ZTimeData::NodeDemand dem{id(1), 0.0, n == 4 ? id(3) : GbkString()};
        if (!number(2, dem.base))
            return bad(2);
        d.Demands.push_back(std::move(dem));
        return {};
    }
    if (key == "PUMPPATTERN" && n == 3) {
        d.PumpPatterns.push_back({id(1), id(2)});
        return {};
    }
    if (key == "TANKCURVE" && n == 4) {
        CurvePoint p;
        if (!number(2, p.flow))
            return bad(2);
        if (!number(3, p.head))
            return bad(3);
        if (d.TankCurves.empty() || !(d.TankCurves.back().tank == GbkView(r.Field(1))))
            d.TankCurves.push_back({id(1), {}});
        d.TankCurves.back().points.push_back(p);
        return {};
    }
    if (key == "CONTROL" && (n == 6 || n == 7)) {
        ZTimeData::Control c;
        c.link = id(1);
        int action = 0, trigger = 0;
        while (action < 3 && r.Field(2) != kActions[action])
            ++action;
        while (trigger < 4 && r.Field(4) != kTriggers[trigger])
            ++trigger;
        if (action == 3)
            return bad(2);
        if (trigger == 4 || (trigger <= ZTimeData::Control::AtClockTime) != (n == 6))
            return bad(4);
        c.action = action;
        c.trigger = trigger;
        if (!number(3, c.setting))
            return bad(3);
        double v = 0;
        if (n == 6) {
            if (!number(5, v) || v != std::floor(v) || std::fabs(v) > static_cast<double>(ZTimeData::MaxSeconds))
                return bad(5);
            c.time = static_cast<int64_t>(v);
        } else {
            c.node = id(5);
            if (!number(6, c.value))
                return bad(6);
        }
        d.Controls.push_back(std::move(c));
        return {};
    }
    return "TIMEDATA 段中无法识别的行";
}
