#include "ZResultColouring.h"

#include "ZGradeLegend.h"

#include "model/UnitSystem.h"
#include "model/ZColorSettings.h"
#include "model/ZDrawGeometry.h"
#include "model/ZNetwork.h"

namespace {
// Five classes from bad to good; a failure layer reads them backwards.
const std::vector<uint32_t>& BadToGood()
{
    static const std::vector<uint32_t> c{ZColorSettings::Rgb(220, 0, 0), ZColorSettings::Rgb(255, 140, 0),
                                         ZColorSettings::Rgb(230, 210, 0), ZColorSettings::Rgb(120, 200, 40),
                                         ZColorSettings::Rgb(0, 150, 60)};
    return c;
}
}   // namespace

const std::vector<double>& ZResultColouring::FireFlowLimits()
{
    // 10, 15, 25 and 50 l/s: the fire flows design codes ask of one hydrant up to a large fire.
    static const std::vector<double> t{0.010, 0.015, 0.025, 0.050};
    return t;
}

const std::vector<double>& ZResultColouring::FailureLimits()
{
    static const std::vector<double> t{1, 3, 10, 50};
    return t;
}

int ZResultColouring::ClassIn(const Layer& layer, const ZNetObject& o)
{
    const auto it = layer.classes.find(&o);
    return it == layer.classes.end() ? -1 : it->second;
}

ZResultColouring::Layer ZResultColouring::FireFlow(const std::vector<ZFireFlow::Result>& results, const ZNetwork& net,
                                                   const UnitSystem& units)
{
    Layer l;
    const UnitCategory& flow = units.FlowUnit();
    l.title = tr("可用消防流量") + QStringLiteral(" (") + QString::fromStdString(flow.UnitName()) + QLatin1Char(')');
    l.colours = BadToGood();
    l.ranges = ZGradeLegend::RangeTexts(FireFlowLimits(), flow, l.colours.size());
    for (const ZFireFlow::Result& r : results)
        if (r.node >= 0 && r.node < net.NodeCount())
            l.classes.emplace(net.NodeAt(r.node), ZDrawGeometry::GradeIndex(r.available, FireFlowLimits()));
    return l;
}

ZResultColouring::Layer ZResultColouring::Failures(const std::vector<ZCriticality::Result>& results,
                                                   const ZNetwork& net)
{
    Layer l;
    l.title = tr("事故影响节点数");
    l.colours.assign(BadToGood().rbegin(), BadToGood().rend());
    const std::vector<double>& t = FailureLimits();
    l.ranges << QStringLiteral("0");
    for (size_t i = 1; i < t.size(); ++i)
        l.ranges << QStringLiteral("%1 - %2").arg(t[i - 1]).arg(t[i] - 1);
    l.ranges << QStringLiteral("≥ %1").arg(t.back());
    for (const ZCriticality::Result& r : results)
        if (r.pipe >= 0 && r.pipe < net.LinkCount())
            // A failure that does not balance is as bad as the worst class.
            l.classes.emplace(net.LinkAt(r.pipe), r.failed ? static_cast<int>(t.size())
                                                           : ZDrawGeometry::GradeIndex(r.cutOff + r.nodesBelow, t));
    return l;
}
