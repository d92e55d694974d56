#include "InpTimeImport.h"

#include "InpText.h"
#include "model/NumberFormat.h"
#include "persist/ArchiveError.h"

#include <cmath>

namespace {
bool Whole(double seconds)
{
    return seconds >= 0 && seconds <= static_cast<double>(ZTimeData::MaxSeconds) && seconds == std::floor(seconds);
}
}   // namespace

InpTimeImport::InpTimeImport(const InpFile& file, std::string fileName, const InpUnits& units, const InpIdMap& ids,
                             const Names& names, InpReport& report)
    : m_file(file), m_fileName(std::move(fileName)), m_units(units), m_ids(ids), m_names(names), m_report(report)
{
}

void InpTimeImport::Fail(int line, const std::string& what) const
{
    throw ArchiveError(ArchiveError::BadIndex, m_fileName, what, line);
}

double InpTimeImport::Seconds(const std::string& text)
{
    std::string t = InpText::Upper(text);
    if (t.find(':') != std::string::npos) {
        double total = 0, part = 0, scale = 3600;
        size_t pos = 0;
        while (pos <= t.size()) {
            const size_t colon = std::min(t.find(':', pos), t.size());
            if (!InpText::ParseFinite(std::string_view(t).substr(pos, colon - pos), part) || part < 0)
                return -1;
            total += part * scale;
            scale /= 60;
            pos = colon + 1;
        }
        return total;
    }
    const size_t space = t.find(' ');
    double v = 0;
    if (!InpText::ParseFinite(std::string_view(t).substr(0, space), v) || v < 0)
        return -1;
    const std::string unit = space == std::string::npos ? "HOURS" : t.substr(space + 1);
    if (unit.rfind("SEC", 0) == 0)
        return v;
    if (unit.rfind("MIN", 0) == 0)
        return v * 60;
    if (unit.rfind("HOUR", 0) == 0)
        return v * 3600;
    if (unit.rfind("DAY", 0) == 0)
        return v * 86400;
    return -1;
}

double InpTimeImport::ClockSeconds(const std::string& text)
{
    std::string t = InpText::Upper(text);
    double half = -1;   // 0 AM, 1 PM
    for (const char* suffix : {"AM", "PM"}) {
        const size_t at = t.rfind(suffix);
        if (at != std::string::npos && at + 2 == t.size()) {
            half = suffix[0] == 'P' ? 1 : 0;
            t = t.substr(0, at);
            while (!t.empty() && t.back() == ' ')
                t.pop_back();
        }
    }
    const double s = t.find(':') != std::string::npos ? Seconds(t) : Seconds(t + " HOURS");
    if (s < 0)
        return -1;
    if (half < 0)
        return s < 86400 ? s : -1;
    if (s < 3600 || s >= 13 * 3600)
        return -1;
    return std::fmod(s, 12 * 3600.0) + half * 12 * 3600;
}

// An object the file does not define is refused here, with its line: carried on, it would only be
// found by a later simulation, in a file that no longer has the line.
GbkString InpTimeImport::NodeName(const std::string& epanetId, int line) const
{
    if (auto it = m_names.tankOutlet.find(epanetId); it != m_names.tankOutlet.end())
        return GbkString(it->second);
    const std::string* id = m_ids.Find(InpIdMap::Node, epanetId);
    if (!id)
        Fail(line, "节点 " + InpText::Printable(epanetId) + " 在文件中没有定义");
    return GbkString(*id);
}

GbkString InpTimeImport::LinkName(const std::string& epanetId, int line) const
{
    if (auto it = m_names.pipeValve.find(epanetId); it != m_names.pipeValve.end())
        return GbkString(it->second);
    const std::string* id = m_ids.Find(InpIdMap::Link, epanetId);
    // A tank is a link in QEN but a node in EPANET: a control "LINK" naming it names nothing.
    const auto tank = m_names.tankLink.find(epanetId);
    if (!id || (tank != m_names.tankLink.end() && tank->second == *id))
        Fail(line, "管段 " + InpText::Printable(epanetId) + " 在文件中没有定义");
    return GbkString(*id);
}

ZTimeData InpTimeImport::Run(double demandMultiplier, const std::string& defaultPattern)
{
    ZTimeData data;
    ReadTimes(data);
    for (const auto& [id, p] : m_file.patterns) {
        for (double f : p.factors)
            if (!(f >= 0))
                Fail(p.line, "模式 " + InpText::Printable(id) + " 的系数为负数 (" + NumberFormat::G(f) + ")");
        data.Patterns.push_back({GbkString(id), p.factors});
    }
    data.DefaultPattern = GbkString(defaultPattern);

    // Every junction's demands with their patterns: the simulation takes these instead of the
    // demand of the hour the network was made at.
    std::unordered_map<std::string, bool> categorised;
    for (const auto& d : m_file.demands)
        categorised[d.junction] = true;
    const double scale = demandMultiplier * m_units.Flow();
    for (const auto& j : m_file.junctions)
        if (!categorised.count(j.id) && j.demand != 0)
            data.Demands.push_back({NodeName(j.id, j.line), j.demand * scale, GbkString(j.pattern)});
    for (const auto& d : m_file.demands)
        data.Demands.push_back({NodeName(d.junction, d.line), d.base * scale, GbkString(d.pattern)});
    for (const auto& p : m_file.pumps)
        if (!p.speedPattern.empty())
            data.PumpPatterns.push_back({LinkName(p.id, p.line), GbkString(p.speedPattern)});
    for (const auto& t : m_file.tanks) {
        if (t.volumeCurve.empty())
            continue;
        auto c = m_file.curves.find(t.volumeCurve);
        if (c == m_file.curves.end())
            Fail(t.line,
                 "水池 " + InpText::Printable(t.id) + " 的容积曲线 " + InpText::Printable(t.volumeCurve) + " 不存在");
        ZTimeData::TankCurve curve{GbkString(m_names.tankLink.at(t.id)), {}};
        const double L = m_units.Length();
        for (const auto& [level, volume] : c->second.points)
            curve.points.push_back({level * L, volume * L * L * L});
        data.TankCurves.push_back(std::move(curve));
    }
    for (const auto& r : m_file.reservoirs)
        if (!r.pattern.empty())
            m_report.Add("水库水位模式未采用, 延时模拟中水位不变", InpText::Printable(r.id));
    ReadControls(data);
    ReadEnergy(data);
    if (auto it = m_file.skippedSections.find("[RULES]"); it != m_file.skippedSections.end() && it->second > 0)
        m_report.Add("基于规则的控制 ([RULES]) 未导入", std::to_string(it->second) + " 行");
    if (const ZTimeData::Fault f = data.Check(); !f.Empty())
        Fail(0, f.Text());
    m_report.Note("延时模拟: 历时 " + NumberFormat::G(data.Duration / 3600.0) + " 小时, " +
                  std::to_string(data.Patterns.size()) + " 个模式, " + std::to_string(data.Controls.size()) +
                  " 个控制");
    return data;
}

void InpTimeImport::ReadTimes(ZTimeData& data) const
{
    const std::pair<const char*, int64_t*> keys[] = {{"DURATION", &data.Duration},
                                                     {"HYDRAULIC TIMESTEP", &data.HydraulicStep},
                                                     {"PATTERN TIMESTEP", &data.PatternStep},
                                                     {"PATTERN START", &data.PatternStart},
                                                     {"REPORT TIMESTEP", &data.ReportStep},
                                                     {"REPORT START", &data.ReportStart}};
    const auto lineOf = [this](const std::string& key) {
        auto it = m_file.settingLines.find("TIMES " + key);
        return it == m_file.settingLines.end() ? 0 : it->second;
    };
    for (const auto& [key, target] : keys) {
        auto it = m_file.times.find(key);
        if (it == m_file.times.end())
            continue;
        const double s = Seconds(it->second);
        if (!Whole(s))
            Fail(lineOf(key), std::string("时间 ") + key + " 无法识别: " + InpText::Printable(it->second));
        *target = static_cast<int64_t>(s);
    }
    for (int64_t* step : {&data.PatternStep, &data.ReportStep, &data.HydraulicStep})
        if (*step == 0)
            *step = 3600;   // as EPANET takes a zero step (the importer reports the pattern's)
    // EPANET shortens a hydraulic step longer than the pattern or report step.
    data.HydraulicStep = std::min({data.HydraulicStep, data.PatternStep, data.ReportStep});
    if (auto it = m_file.times.find("START CLOCKTIME"); it != m_file.times.end()) {
        const double s = ClockSeconds(it->second);
        if (s < 0 || s != std::floor(s))
            Fail(lineOf("START CLOCKTIME"), "时刻 START CLOCKTIME 无法识别: " + InpText::Printable(it->second));
        data.StartClock = static_cast<int64_t>(s);
    }
}

// LINK id OPEN|CLOSED|setting AT TIME t | AT CLOCKTIME c [AM|PM] | IF NODE id ABOVE|BELOW v
void InpTimeImport::ReadControls(ZTimeData& data) const
{
    for (const InpFile::Line& l : m_file.controls) {
        const auto& f = l.fields;
        const auto up = [&f](size_t i) { return i < f.size() ? InpText::Upper(f[i]) : std::string(); };
        if (f.size() < 6 || up(0) != "LINK")
            Fail(l.line, "无法识别的控制");
        ZTimeData::Control c;
        c.link = LinkName(f[1], l.line);
        const std::string action = up(2);
        if (action == "OPEN")
            c.action = ZTimeData::Control::Open;
        else if (action == "CLOSED")
            c.action = ZTimeData::Control::Close;
        else if (InpText::ParseFinite(f[2], c.setting) && c.setting >= 0)
            c.action = ZTimeData::Control::Setting;
        else
            Fail(l.line, "控制的动作无法识别: " + InpText::Printable(f[2]));
        if (c.action == ZTimeData::Control::Setting) {
            // The setting in the link's own unit: pressure for PRV/PSV/PBV, flow for FCV.
            for (const auto& v : m_file.valves) {
                if (v.id != f[1])
                    continue;
                if (v.type == "PRV" || v.type == "PSV" || v.type == "PBV")
                    c.setting *= m_units.Pressure();
                else if (v.type == "FCV")
                    c.setting *= m_units.Flow();
            }
        }
        const std::string when = up(3);
        if (when == "AT" && up(4) == "TIME") {
            const double s = Seconds(f.size() > 6 ? f[5] + " " + f[6] : f[5]);
            if (!Whole(s))
                Fail(l.line, "控制的时间无法识别: " + InpText::Printable(f[5]));
            c.trigger = ZTimeData::Control::AtTime;
            c.time = static_cast<int64_t>(s);
        } else if (when == "AT" && up(4) == "CLOCKTIME") {
            const double s = ClockSeconds(f.size() > 6 ? f[5] + " " + f[6] : f[5]);
            if (s < 0 || s != std::floor(s))
                Fail(l.line, "控制的时刻无法识别: " + InpText::Printable(f[5]));
            c.trigger = ZTimeData::Control::AtClockTime;
            c.time = static_cast<int64_t>(s);
        } else if (when == "IF" && up(4) == "NODE" && f.size() >= 8 && (up(6) == "ABOVE" || up(6) == "BELOW")) {
            c.trigger = up(6) == "ABOVE" ? ZTimeData::Control::Above : ZTimeData::Control::Below;
            c.node = NodeName(f[5], l.line);
            if (!InpText::ParseFinite(f[7], c.value))
                Fail(l.line, "控制的数值无法识别: " + InpText::Printable(f[7]));
            bool tank = false;
            for (const auto& t : m_file.tanks)
                tank = tank || t.id == f[5];
            bool reservoir = false;
            for (const auto& r : m_file.reservoirs)
                reservoir = reservoir || r.id == f[5];
            if (reservoir)
                Fail(l.line, "控制的条件节点是水位固定的水库: " + InpText::Printable(f[5]));
            // A tank's level above its bottom; a junction's pressure.
            c.value *= tank ? m_units.Length() : m_units.Pressure();
        } else {
            Fail(l.line, "控制的条件无法识别");
        }
        data.Controls.push_back(std::move(c));
    }
}

void InpTimeImport::ReadEnergy(ZTimeData& data) const
{
    for (const InpFile::Line& l : m_file.energy) {
        const auto& f = l.fields;
        const std::string key = f.empty() ? std::string() : InpText::Upper(f[0]);
        const std::string what = f.size() > 1 ? InpText::Upper(f[1]) : std::string();
        if (key == "GLOBAL" && f.size() >= 3) {
            double v = 0;
            if (what.rfind("EFFIC", 0) == 0 && InpText::ParseFinite(f[2], v))
                data.PumpEfficiency = v;
            else if (what == "PRICE" && InpText::ParseFinite(f[2], v))
                data.EnergyPrice = v;
            else if (what == "PATTERN")
                data.PricePattern = GbkString(f[2]);
            else
                Fail(l.line, "无法识别的能耗设置");
            if (!(data.PumpEfficiency > 0 && data.PumpEfficiency <= 100))
                Fail(l.line, "水泵效率应在 0 到 100 之间");
            if (!(data.EnergyPrice >= 0))
                Fail(l.line, "电价为负数");
        } else if (key == "DEMAND" && f.size() >= 3 && InpText::Upper(f[1]) == "CHARGE") {
            double v = 0;
            if (InpText::ParseFinite(f[2], v) && v != 0)
                m_report.Add("需量电费未采用", InpText::Printable(f[2]));
        } else if (key == "PUMP" && f.size() >= 4) {
            m_report.Add("单个水泵的效率、电价或电价模式未采用, 按全局值计算", InpText::Printable(f[1]));
        } else {
            Fail(l.line, "无法识别的能耗设置");
        }
    }
}
