#include "InpTimeExport.h"

#include "InpText.h"
#include "model/GbkCodec.h"
#include "model/ZNetwork.h"
#include "model/ZTimeData.h"
#include "model/ZValveLink.h"

#include <cstdio>
#include <sstream>

using InpText::Format;

namespace {
constexpr const char* kFlat = "QEN_FLAT";   // factor 1: EPANET's default when QEN has none
}

InpTimeExport::InpTimeExport(const ZTimeData& data, const ZNetwork& net, NameOf name, InpReport& report)
    : m_data(data), m_net(net), m_name(std::move(name)), m_report(report)
{
    if (!data.DefaultPattern.empty())
        m_defaultPattern = data.DefaultPattern.Bytes();
    else if (data.FindPattern(GbkView("1")))
        m_defaultPattern = kFlat;
}

std::string InpTimeExport::Clock(long long s) const
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

std::string InpTimeExport::Times() const
{
    const ZTimeData& d = m_data;
    return " Duration\t" + Clock(d.Duration) + "\n Hydraulic Timestep\t" + Clock(d.HydraulicStep) +
           "\n Pattern Timestep\t" + Clock(d.PatternStep) + "\n Pattern Start\t" + Clock(d.PatternStart) +
           "\n Report Timestep\t" + Clock(d.ReportStep) + "\n Report Start\t" + Clock(d.ReportStart) +
           "\n Start ClockTime\t" + Clock(d.StartClock) + "\n";
}

std::string InpTimeExport::Options() const
{
    return m_defaultPattern.empty() ? std::string() : " Pattern\t" + m_defaultPattern + "\n";
}

std::string InpTimeExport::Sections() const
{
    const ZTimeData& d = m_data;
    std::ostringstream patterns, demands, controls, energy;
    for (const ZTimeData::Pattern& p : d.Patterns) {
        for (size_t k = 0; k < p.factors.size(); k += 12) {
            patterns << " " << p.id.Bytes();
            for (size_t i = k; i < std::min(k + 12, p.factors.size()); ++i)
                patterns << "\t" << Format(p.factors[i]);
            patterns << "\n";
        }
    }
    if (m_defaultPattern == kFlat)
        patterns << " " << kFlat << "\t1\n";
    for (const ZTimeData::NodeDemand& n : d.Demands) {
        const ZConsumeNode* node = m_net.FindNode(n.node);
        if (!node) {
            m_report.Add("需水量模式所属的节点不存在, 未写出", GbkCodec::ToUtf8(n.node));
            continue;
        }
        // A demand without a pattern of its own follows the default pattern, as in EPANET.
        demands << " " << m_name(*node) << "\t" << Format(n.base * 1000.0) << "\t"
                << (n.pattern.empty() ? m_defaultPattern : n.pattern.Bytes()) << "\n";
    }
    static const char* const kActions[] = {"OPEN", "CLOSED"};
    for (const ZTimeData::Control& c : d.Controls) {
        const ZFlowLink* link = m_net.FindLink(c.link);
        const ZConsumeNode* node = c.node.empty() ? nullptr : m_net.FindNode(c.node);
        if (!link || (!c.node.empty() && !node)) {
            m_report.Add("控制所指的对象不存在, 未写出", GbkCodec::ToUtf8(c.link));
            continue;
        }
        if (link->GetKind() == ZNetObject::Kind::Tank) {   // EPANET controls pipes, pumps and valves only
            m_report.Add("控制作用于水池, 未写出", GbkCodec::ToUtf8(c.link));
            continue;
        }
        controls << " LINK " << m_name(*link) << " ";
        if (c.action == ZTimeData::Control::Setting) {
            double s = c.setting;
            if (link->GetKind() == ZNetObject::Kind::Valve &&
                static_cast<const ZValveLink*>(link)->GetValveType() == ZValveLink::Fcv)
                s *= 1000.0;
            controls << Format(s);
        } else {
            controls << kActions[c.action];
        }
        switch (c.trigger) {
        case ZTimeData::Control::AtTime:
            controls << " AT TIME " << Clock(c.time) << "\n";
            break;
        case ZTimeData::Control::AtClockTime:
            controls << " AT CLOCKTIME " << Clock(c.time) << "\n";
            break;
        default:
            controls << " IF NODE " << m_name(*node) << (c.trigger == ZTimeData::Control::Above ? " ABOVE " : " BELOW ")
                     << Format(c.value) << "\n";
            break;
        }
    }
    energy << " Global Efficiency\t" << Format(d.PumpEfficiency) << "\n Global Price\t" << Format(d.EnergyPrice)
           << "\n";
    if (!d.PricePattern.empty())
        energy << " Global Pattern\t" << d.PricePattern.Bytes() << "\n";
    if (!d.PumpPatterns.empty())
        m_report.Add("水泵转速模式未写出", std::to_string(d.PumpPatterns.size()) + " 个");
    if (!d.TankCurves.empty())
        m_report.Add("水池容积曲线未写出, 按面积写出", std::to_string(d.TankCurves.size()) + " 个");
    return "[PATTERNS]\n;ID\tMultipliers\n" + patterns.str() + "\n[DEMANDS]\n;Junction\tDemand\tPattern\n" +
           demands.str() + "\n[CONTROLS]\n" + controls.str() + "\n[ENERGY]\n" + energy.str() + "\n";
}
