#include "ZContourGenerator.h"

#include "ZContourTracer.h"
#include "ZHeadField.h"

#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZContourSet.h"
#include "model/ZNetwork.h"

#include <algorithm>
#include <cmath>

namespace {

double AbsArea(const std::vector<PipePoint>& p)
{
    double a = 0.0;
    for (size_t k = 0; k + 1 < p.size(); ++k)
        a += p[k].x * p[k + 1].y - p[k + 1].x * p[k].y;
    if (!p.empty())
        a += p.back().x * p.front().y - p.front().x * p.back().y;
    return std::fabs(a) / 2.0;
}

}   // namespace

bool ZContourGenerator::LevelRange(const std::vector<double>& nodeValues, double interval, Range& range)
{
    if (!std::isfinite(interval) || interval <= 0.0)
        return false;
    double low = 1000.0, high = 0.0;
    for (double v : nodeValues) {
        if (!std::isfinite(v))
            continue;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    range.first = std::trunc(low / interval) * interval;
    range.high = high;
    const double count = std::floor((high - range.first) / interval) + 1.0;
    range.levels =
        !std::isfinite(count) || count > 1e15 ? static_cast<long>(1e15) : std::max(0L, static_cast<long>(count));
    return true;
}

long ZContourGenerator::LevelCount(const ZNetwork& network, int kind, double interval)
{
    Range range;
    return LevelRange(ZHeadField::NodeValues(network, kind), interval, range) ? range.levels : 0;
}

double ZContourGenerator::ProposedInterval(const std::vector<double>& values)
{
    double low = 0.0, high = 0.0;
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    }
    const double span = high - low;
    if (!any || !(span > 0.0) || !std::isfinite(span))
        return 0.0;
    // From a step a little finer than span / ProposedLevels upwards: the first that fits.
    double decade = std::pow(10.0, std::floor(std::log10(span / ProposedLevels)) - 1.0);
    for (int k = 0; k < 12; ++k, decade *= 10.0)
        for (double m : {1.0, 2.0, 5.0}) {
            Range range;
            if (LevelRange(values, m * decade, range) && range.levels <= ProposedLevels)
                return m * decade;
        }
    return 0.0;
}

double ZContourGenerator::ProposedInterval(const ZNetwork& network, int kind)
{
    return ProposedInterval(ZHeadField::NodeValues(network, kind));
}

ZContourGenerator::Status ZContourGenerator::Check(const ZNetwork& network, int kind, double interval, Prompt* prompt,
                                                   Range& range)
{
    if (!LevelRange(ZHeadField::NodeValues(network, kind), interval, range))
        return BadInterval;
    const ViewExtent box = network.BoundRect();
    if (!std::isfinite(box.Width()) || !std::isfinite(box.Height()))
        return BadExtent;
    if (range.levels > MaxLevels)
        return TooManyLevels;
    if (range.levels > LevelsWithoutAsking && prompt && !prompt->AskYesNo(AskManyLevelsText(range.levels)))
        return Declined;
    return Ok;
}

ZContourGenerator::Status ZContourGenerator::Generate(const ZNetwork& network, int kind, double interval,
                                                      ZContourSet& out, ProgressObserver* observer, Prompt* prompt)
{
    out.Clear();
    Range range;
    if (const Status s = Check(network, kind, interval, prompt, range); s != Ok)
        return s;
    ZHeadField field;
    switch (field.Compute(network, kind, network.BoundRect(), GridCells, GridCells, observer, 0.85)) {
    case ZHeadField::Ok:
        break;
    case ZHeadField::Stopped:
        return Stopped;
    case ZHeadField::NoPipes:
        return NoPipes;
    case ZHeadField::BadGrid:
        return BadExtent;
    }
    return Trace(field, range, interval, out, observer);
}

ZContourGenerator::Status ZContourGenerator::Trace(ZHeadField& field, const Range& range, double interval,
                                                   ZContourSet& out, ProgressObserver* observer)
{
    out.Clear();
    if (!std::isfinite(interval) || interval <= 0.0)
        return BadInterval;
    if (observer)
        observer->Progress(0.85);
    ZContourSet set;
    set.Rect = field.Extent();
    set.FirstLevel = range.first;
    set.High = range.high;
    set.Interval = interval;
    ZContourTracer tracer(field);
    const double span = range.high - range.first;
    for (long k = 0;; ++k) {
        const double level = range.first + static_cast<double>(k) * interval;
        if (!(level <= range.high))
            break;
        tracer.TraceLevel(level, set.Polygons);
        if (observer) {
            // All values equal: one level, nothing to divide by.
            observer->Progress(0.85 + (span > 0.0 ? 0.13 * (level - range.first) / span : 0.13));
            if (observer->StopRequested())
                return Stopped;
        }
    }
    if (observer)
        observer->Progress(0.98);
    set.FillBaseLevel = (std::trunc((field.Values()[0] - range.first) / interval) + 0.5) * interval + range.first;
    // Enclosing polygons first. Polygons never cross, so one that encloses another is the larger:
    // sorting by area gives a proper order where a pairwise inside test would not be one.
    std::vector<double> areas(set.Polygons.size());
    std::vector<size_t> order(set.Polygons.size());
    for (size_t k = 0; k < order.size(); ++k) {
        order[k] = k;
        areas[k] = AbsArea(set.Polygons[k].Points);
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return areas[a] > areas[b]; });
    std::vector<ZContourPolygon> sorted;
    sorted.reserve(order.size());
    for (size_t k : order)
        sorted.push_back(std::move(set.Polygons[k]));
    set.Polygons = std::move(sorted);
    out = std::move(set);
    if (observer)
        observer->Progress(1.0);
    return Ok;
}

std::string ZContourGenerator::Message(Status status, long levels)
{
    switch (status) {
    case BadInterval:
        return "等压间隔必须是大于零的数，等压线已关闭！";
    case NoPipes:
        return "管网中没有管道，无法生成等压线，等压线已关闭！";
    case BadExtent:
        return "管网坐标范围超出可计算的范围，无法生成等压线，等压线已关闭！";
    case TooManyLevels:
        return "等压线太多(" + std::to_string(levels) + "条, 最多" + std::to_string(MaxLevels) +
               "条)，请加大等压间隔，等压线已关闭！";
    default:
        return {};
    }
}

std::string ZContourGenerator::AskManyLevelsText(long levels)
{
    return "将生成" + std::to_string(levels) + "条等压线，可能需要较长时间，确认继续吗？";
}
