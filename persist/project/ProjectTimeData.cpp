#include "ProjectTimeData.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "model/NumberFormat.h"
#include "model/ZTimeData.h"

#include <cmath>

namespace {
class TimeReader {
public:
    explicit TimeReader(ArchiveReader& ar) : m_ar(ar) {}

    double Finite(const char* field)
    {
        const double v = m_ar.Double();
        if (!std::isfinite(v))
            m_ar.Fail(ArchiveError::BadIndex,
                      std::string("time data: ") + field + " is " + NumberFormat::G(v) + ", not a finite number");
        return v;
    }
    int64_t Seconds(const char* field)
    {
        const double v = Finite(field);
        if (v != std::floor(v) || std::fabs(v) > static_cast<double>(ZTimeData::MaxSeconds))
            m_ar.Fail(ArchiveError::BadIndex,
                      std::string("time data: ") + field + " is " + NumberFormat::G(v) + ", not whole seconds");
        return static_cast<int64_t>(v);
    }
    GbkString Id() { return GbkString(m_ar.String()); }
    uint32_t Count(size_t itemBytes)
    {
        const uint32_t n = m_ar.Count();
        m_ar.NeedItems(n, itemBytes);
        return n;
    }

private:
    ArchiveReader& m_ar;
};
}   // namespace

void ProjectTimeData::Write(ArchiveWriter& ar, const ZTimeData& d)
{
    ar.Dword(Tag);
    for (int64_t t :
         {d.Duration, d.HydraulicStep, d.PatternStep, d.PatternStart, d.ReportStep, d.ReportStart, d.StartClock})
        ar.Double(static_cast<double>(t));
    ar.String(d.DefaultPattern.Bytes());
    ar.Double(d.EnergyPrice);
    ar.String(d.PricePattern.Bytes());
    ar.Double(d.PumpEfficiency);
    ar.Count(static_cast<uint32_t>(d.Patterns.size()));
    for (const ZTimeData::Pattern& p : d.Patterns) {
        ar.String(p.id.Bytes());
        ar.Count(static_cast<uint32_t>(p.factors.size()));
        for (double f : p.factors)
            ar.Double(f);
    }
    ar.Count(static_cast<uint32_t>(d.Demands.size()));
    for (const ZTimeData::NodeDemand& n : d.Demands) {
        ar.String(n.node.Bytes());
        ar.Double(n.base);
        ar.String(n.pattern.Bytes());
    }
    ar.Count(static_cast<uint32_t>(d.PumpPatterns.size()));
    for (const ZTimeData::PumpPattern& p : d.PumpPatterns) {
        ar.String(p.pump.Bytes());
        ar.String(p.pattern.Bytes());
    }
    ar.Count(static_cast<uint32_t>(d.TankCurves.size()));
    for (const ZTimeData::TankCurve& c : d.TankCurves) {
        ar.String(c.tank.Bytes());
        ar.Count(static_cast<uint32_t>(c.points.size()));
        for (const CurvePoint& p : c.points) {
            ar.Double(p.flow);
            ar.Double(p.head);
        }
    }
    ar.Count(static_cast<uint32_t>(d.Controls.size()));
    for (const ZTimeData::Control& c : d.Controls) {
        ar.String(c.link.Bytes());
        ar.Long(c.action);
        ar.Double(c.setting);
        ar.Long(c.trigger);
        ar.Double(static_cast<double>(c.time));
        ar.String(c.node.Bytes());
        ar.Double(c.value);
    }
}

void ProjectTimeData::Read(ArchiveReader& ar, ZTimeData& d)
{
    TimeReader r(ar);
    d.Duration = r.Seconds("Duration");
    d.HydraulicStep = r.Seconds("HydraulicStep");
    d.PatternStep = r.Seconds("PatternStep");
    d.PatternStart = r.Seconds("PatternStart");
    d.ReportStep = r.Seconds("ReportStep");
    d.ReportStart = r.Seconds("ReportStart");
    d.StartClock = r.Seconds("StartClock");
    d.DefaultPattern = r.Id();
    d.EnergyPrice = r.Finite("EnergyPrice");
    d.PricePattern = r.Id();
    d.PumpEfficiency = r.Finite("PumpEfficiency");
    d.Patterns.resize(r.Count(3));
    for (ZTimeData::Pattern& p : d.Patterns) {
        p.id = r.Id();
        p.factors.resize(r.Count(8));
        for (double& f : p.factors)
            f = r.Finite("Factors");
    }
    d.Demands.resize(r.Count(10));
    for (ZTimeData::NodeDemand& n : d.Demands) {
        n.node = r.Id();
        n.base = r.Finite("Demand");
        n.pattern = r.Id();
    }
    d.PumpPatterns.resize(r.Count(2));
    for (ZTimeData::PumpPattern& p : d.PumpPatterns) {
        p.pump = r.Id();
        p.pattern = r.Id();
    }
    d.TankCurves.resize(r.Count(3));
    for (ZTimeData::TankCurve& c : d.TankCurves) {
        c.tank = r.Id();
        c.points.resize(r.Count(16));
        for (CurvePoint& p : c.points) {
            p.flow = r.Finite("VolumeCurve");
            p.head = r.Finite("VolumeCurve");
        }
    }
    d.Controls.resize(r.Count(34));
    for (ZTimeData::Control& c : d.Controls) {
        c.link = r.Id();
        c.action = ar.Long();
        c.setting = r.Finite("Setting");
        c.trigger = ar.Long();
        c.time = r.Seconds("Time");
        c.node = r.Id();
        c.value = r.Finite("Value");
    }
    if (const ZTimeData::Fault f = d.Check(); !f.Empty())
        ar.Fail(ArchiveError::BadIndex, "time data: " + f.Text());
}
