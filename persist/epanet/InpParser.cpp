#include "InpParser.h"

#include "persist/ArchiveError.h"
#include "InpText.h"

#include <algorithm>
#include <cctype>

namespace {
using InpText::Upper;

bool StartsNumeric(const std::string& s)
{
    return !s.empty() && (std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.' || s[0] == '-' || s[0] == '+');
}

constexpr size_t kMaxIdLength = 31;
}   // namespace

InpParser::InpParser(std::string_view text, std::string fileName) : m_text(text), m_fileName(std::move(fileName)) {}

void InpParser::Fail(const std::string& what) const
{
    throw ArchiveError(ArchiveError::BadIndex, m_fileName, what + ": \"" + InpText::Printable(m_line, 160) + "\"",
                       m_lineNumber);
}

bool InpParser::NextLine()
{
    if (m_pos >= m_text.size())
        return false;
    // LF, CRLF and a lone CR all end a line.
    size_t end = m_text.find_first_of("\r\n", m_pos);
    if (end == std::string_view::npos)
        end = m_text.size();
    m_line = m_text.substr(m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < m_text.size())
        m_pos += m_text.compare(m_pos, 2, "\r\n") == 0 ? 2 : 1;
    ++m_lineNumber;
    return true;
}

void InpParser::Split(std::string_view line)
{
    m_fields.clear();
    m_comment.clear();
    const size_t semi = line.find(';');
    if (semi != std::string_view::npos) {
        m_comment = std::string(line.substr(semi + 1));
        line = line.substr(0, semi);
    }
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= line.size())
            break;
        size_t j = i;
        if (line[i] == '"') {   // EPANET 2.2 allows quoted identifiers with spaces
            j = line.find('"', i + 1);
            if (j == std::string_view::npos)
                Fail("引号没有结束");
            m_fields.emplace_back(line.substr(i + 1, j - i - 1));
            i = j + 1;
            continue;
        }
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])))
            ++j;
        m_fields.emplace_back(line.substr(i, j - i));
        i = j;
    }
}

void InpParser::Need(size_t count, const char* what) const
{
    if (m_fields.size() < count)
        Fail(std::string("字段不足: ") + what + " 需要 " + std::to_string(count) + " 个字段");
}

double InpParser::Number(size_t i, const char* what) const
{
    double v = 0.0;
    if (!InpText::ParseFinite(m_fields[i], v))
        Fail("第" + std::to_string(i + 1) + "个字段(" + what + ") 不是有限的数字");
    return v;
}

const std::string& InpParser::Id(size_t i, const char* what) const
{
    const std::string& id = m_fields[i];
    if (id.size() > kMaxIdLength)
        Fail(std::string(what) + " 超过31个字符");
    return id;
}

InpFile InpParser::Parse()
{
    static const std::pair<const char*, Section> kSections[] = {
        {"[TITLE]", Section::Title},           {"[JUNCTIONS]", Section::Junctions},
        {"[RESERVOIRS]", Section::Reservoirs}, {"[TANKS]", Section::Tanks},
        {"[PIPES]", Section::Pipes},           {"[PUMPS]", Section::Pumps},
        {"[VALVES]", Section::Valves},         {"[DEMANDS]", Section::Demands},
        {"[PATTERNS]", Section::Patterns},     {"[CURVES]", Section::Curves},
        {"[STATUS]", Section::Status},         {"[OPTIONS]", Section::Options},
        {"[TIMES]", Section::Times},           {"[COORDINATES]", Section::Coordinates},
        {"[VERTICES]", Section::Vertices},     {"[CONTROLS]", Section::Controls},
        {"[ENERGY]", Section::Energy},         {"[END]", Section::End}};
    Section section = Section::None;
    // A UTF-8 byte order mark before the first section is not part of it.
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
        m_pos = 3;
    while (NextLine()) {
        std::string_view trimmed = m_line;
        while (!trimmed.empty() && std::isspace(static_cast<unsigned char>(trimmed.front())))
            trimmed.remove_prefix(1);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            if (close == std::string_view::npos)
                Fail("段名缺少 ]");
            const std::string name = Upper(trimmed.substr(0, close + 1));
            section = Section::Skipped;
            for (const auto& [text, s] : kSections) {
                if (name == text)
                    section = s;
            }
            if (section == Section::End)
                break;
            if (section == Section::Skipped) {
                m_skippedName = name;
                m_file.skippedSections.emplace(name, 0);
            }
            continue;
        }
        if (section == Section::Title) {
            if (!trimmed.empty())
                m_file.title.emplace_back(trimmed);
            continue;
        }
        Split(m_line);
        if (m_fields.empty())
            continue;
        if (section == Section::None)
            Fail("数据行不在任何段内");
        ReadRecord(section);
    }
    return std::move(m_file);
}

void InpParser::ReadKeyValue(const char* section, std::map<std::string, std::string>& into)
{
    size_t split = m_fields.size() - 1;
    for (size_t i = 1; i < m_fields.size(); ++i) {
        if (StartsNumeric(m_fields[i])) {
            split = i;
            break;
        }
    }
    if (split == 0)
        split = 1;
    std::string key, value;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        std::string& to = i < split ? key : value;
        if (!to.empty())
            to += ' ';
        to += i < split ? Upper(m_fields[i]) : m_fields[i];
    }
    // A file whose two UNITS lines disagree cannot say what its numbers mean.
    if (key == "UNITS" && into.count(key) && Upper(into[key]) != Upper(value))
        Fail("流量单位与第" + std::to_string(m_file.settingLines[std::string(section) + " UNITS"]) + "行的 " +
             InpText::Printable(into[key]) + " 矛盾");
    into[key] = value;
    m_file.settingLines[std::string(section) + " " + key] = m_lineNumber;
}

void InpParser::ReadRecord(Section s)
{
    switch (s) {
    case Section::Junctions: {
        Need(2, "节点");
        InpFile::Junction j{Id(0, "节点编号"), Number(1, "标高"), 0.0, {}, m_lineNumber};
        if (m_fields.size() > 2)
            j.demand = Number(2, "需水量");
        if (m_fields.size() > 3)
            j.pattern = m_fields[3];
        m_file.junctions.push_back(std::move(j));
        break;
    }
    case Section::Reservoirs: {
        Need(2, "水库");
        InpFile::Reservoir r{Id(0, "水库编号"), Number(1, "水头"), {}, m_lineNumber};
        if (m_fields.size() > 2)
            r.pattern = m_fields[2];
        m_file.reservoirs.push_back(std::move(r));
        break;
    }
    case Section::Tanks: {
        // EPANET reads a line of identifier and elevation (and a head pattern) as a reservoir.
        if (m_fields.size() == 2 || m_fields.size() == 3) {
            InpFile::Reservoir r{Id(0, "水池编号"), Number(1, "池底标高"), {}, m_lineNumber, true};
            if (m_fields.size() > 2)
                r.pattern = m_fields[2];
            m_file.reservoirs.push_back(std::move(r));
            break;
        }
        Need(6, "水池");
        InpFile::Tank t;
        t.id = Id(0, "水池编号");
        t.elevation = Number(1, "池底标高");
        t.initLevel = Number(2, "初始水位");
        t.minLevel = Number(3, "最低水位");
        t.maxLevel = Number(4, "最高水位");
        t.diameter = Number(5, "直径");
        if (m_fields.size() > 6)
            t.minVolume = Number(6, "最小容积");
        if (m_fields.size() > 7 && m_fields[7] != "*")
            t.volumeCurve = m_fields[7];
        t.line = m_lineNumber;
        m_file.tanks.push_back(std::move(t));
        break;
    }
    case Section::Pipes: {
        Need(6, "管道");
        InpFile::Pipe p;
        p.id = Id(0, "管道编号");
        p.node1 = Id(1, "起点");
        p.node2 = Id(2, "终点");
        p.length = Number(3, "长度");
        p.diameter = Number(4, "直径");
        p.roughness = Number(5, "粗糙系数");
        if (m_fields.size() > 6) {
            if (StartsNumeric(m_fields[6])) {
                p.minorLoss = Number(6, "局部损失系数");
                if (m_fields.size() > 7)
                    p.status = Upper(m_fields[7]);
            } else {
                p.status = Upper(m_fields[6]);   // EPANET accepts the status in place of the minor loss
            }
        }
        if (!p.status.empty() && p.status != "OPEN" && p.status != "CLOSED" && p.status != "CV")
            Fail("未知的管道状态 " + InpText::Printable(p.status));
        p.line = m_lineNumber;
        m_file.pipes.push_back(std::move(p));
        break;
    }
    case Section::Pumps: {
        Need(4, "水泵");
        InpFile::Pump p;
        p.id = Id(0, "水泵编号");
        p.node1 = Id(1, "起点");
        p.node2 = Id(2, "终点");
        p.line = m_lineNumber;
        for (size_t i = 3; i < m_fields.size(); i += 2) {
            const std::string key = Upper(m_fields[i]);
            if (i + 1 >= m_fields.size())
                Fail("水泵参数 " + InpText::Printable(key) + " 缺少取值");
            if (key == "HEAD")
                p.headCurve = m_fields[i + 1];
            else if (key == "POWER") {
                p.power = Number(i + 1, "功率");
                p.hasPower = true;
            } else if (key == "SPEED")
                p.speed = Number(i + 1, "转速比");
            else if (key == "PATTERN")
                p.speedPattern = m_fields[i + 1];
            else
                Fail("未知的水泵参数 " + InpText::Printable(key));
        }
        if (p.headCurve.empty() && !p.hasPower)
            Fail("水泵既没有特性曲线(HEAD)也没有功率(POWER)");
        m_file.pumps.push_back(std::move(p));
        break;
    }
    case Section::Valves: {
        Need(6, "阀门");
        InpFile::Valve v;
        v.id = Id(0, "阀门编号");
        v.node1 = Id(1, "起点");
        v.node2 = Id(2, "终点");
        v.diameter = Number(3, "直径");
        v.type = Upper(m_fields[4]);
        static const char* const kTypes[] = {"PRV", "PSV", "PBV", "FCV", "TCV", "GPV"};
        if (std::find_if(std::begin(kTypes), std::end(kTypes), [&](const char* t) { return v.type == t; }) ==
            std::end(kTypes))
            Fail("未知的阀门类型 " + InpText::Printable(v.type));
        v.settingText = m_fields[5];
        if (v.type != "GPV")
            v.setting = Number(5, "设定值");
        if (m_fields.size() > 6)
            v.minorLoss = Number(6, "局部损失系数");
        v.comment = m_comment;
        v.line = m_lineNumber;
        m_file.valves.push_back(std::move(v));
        break;
    }
    case Section::Demands: {
        Need(2, "需水量");
        InpFile::Demand d{Id(0, "节点编号"), Number(1, "需水量"), {}, m_lineNumber};
        if (m_fields.size() > 2)
            d.pattern = m_fields[2];
        m_file.demands.push_back(std::move(d));
        break;
    }
    case Section::Patterns: {
        Need(2, "模式");
        InpFile::Pattern& p = m_file.patterns[Id(0, "模式编号")];
        if (p.line == 0)
            p.line = m_lineNumber;
        for (size_t i = 1; i < m_fields.size(); ++i)
            p.factors.push_back(Number(i, "模式系数"));
        break;
    }
    case Section::Curves: {
        Need(3, "曲线");
        InpFile::Curve& c = m_file.curves[Id(0, "曲线编号")];
        if (c.line == 0)
            c.line = m_lineNumber;
        c.points.emplace_back(Number(1, "X"), Number(2, "Y"));
        break;
    }
    case Section::Status: {
        Need(2, "状态");
        m_file.statuses.push_back({Id(0, "管段编号"), Upper(m_fields[1]), m_lineNumber});
        if (StartsNumeric(m_fields[1]))
            Number(1, "设定值");
        break;
    }
    case Section::Options:
        ReadKeyValue("OPTIONS", m_file.options);
        break;
    case Section::Times:
        ReadKeyValue("TIMES", m_file.times);
        break;
    case Section::Coordinates: {
        Need(3, "坐标");
        m_file.coordinates[Id(0, "节点编号")] = {Number(1, "X"), Number(2, "Y")};
        break;
    }
    case Section::Vertices: {
        Need(3, "折点");
        m_file.vertices[Id(0, "管段编号")].push_back({Number(1, "X"), Number(2, "Y")});
        break;
    }
    case Section::Controls:
        m_file.controls.push_back({m_fields, m_lineNumber});
        break;
    case Section::Energy:
        m_file.energy.push_back({m_fields, m_lineNumber});
        break;
    case Section::Skipped:
        ++m_file.skippedSections[m_skippedName];
        break;
    case Section::None:
    case Section::Title:
    case Section::End:
        break;
    }
}
