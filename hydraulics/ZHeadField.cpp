#include "ZHeadField.h"

#include "model/ProgressObserver.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZTankLink.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

namespace {

// One straight piece of a pipe: start, direction, 1/|u|^2 (0 for a point) and the value
// va + t * dv at the point a + t u.
struct Segment {
    double ax, ay, ux, uy, inv, va, dv;
};

constexpr double MinDistanceSquared = 1e-20;   // distances count as at least 1e-10

std::vector<Segment> BuildSegments(const ZNetwork& network, const std::vector<double>& nodeValues,
                                   const std::function<bool(const ZFlowLink&)>& leaveOut)
{
    std::vector<Segment> segs;
    segs.reserve(static_cast<size_t>(network.LinkCount()) + static_cast<size_t>(network.LinkCount() / 4));
    std::vector<PipePoint> pts;
    for (const ZFlowLink* link : network.Links()) {
        if (link->GetKind() != ZNetObject::Kind::Pipe || !link->From() || !link->To() || (leaveOut && leaveOut(*link)))
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(link);
        pts.clear();
        pts.push_back({pipe->From()->X, pipe->From()->Y});
        pts.insert(pts.end(), pipe->Vertices().begin(), pipe->Vertices().end());
        pts.push_back({pipe->To()->X, pipe->To()->Y});
        double total = 0.0;
        for (size_t k = 1; k < pts.size(); ++k)
            total += std::hypot(pts[k].x - pts[k - 1].x, pts[k].y - pts[k - 1].y);
        const double v1 = nodeValues[static_cast<size_t>(pipe->From()->GetIndex())];
        const double v2 = nodeValues[static_cast<size_t>(pipe->To()->GetIndex())];
        if (!std::isfinite(v1) || !std::isfinite(v2))
            continue;   // an end without a head (cut off from every known head)
        double before = 0.0;
        for (size_t k = 1; k < pts.size(); ++k) {
            const double ux = pts[k].x - pts[k - 1].x, uy = pts[k].y - pts[k - 1].y;
            const double len2 = ux * ux + uy * uy, len = std::sqrt(len2);
            Segment s{pts[k - 1].x, pts[k - 1].y, ux, uy, len2 > 0.0 ? 1.0 / len2 : 0.0, 0.0, 0.0};
            if (total > 0.0) {
                s.va = v1 + (v2 - v1) * before / total;
                s.dv = (v2 - v1) * len / total;
            } else {
                s.va = 0.5 * (v1 + v2);   // a pipe drawn as a point carries the mean of its ends
            }
            before += len;
            segs.push_back(s);
        }
    }
    return segs;
}

// The hot loop: every segment against one grid row. Built for several instruction sets so that
// one binary runs everywhere and still uses the widest vectors of the machine.
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default"))) void
AccumulateRow(const Segment* segs, size_t count, double py, const double* __restrict px, double* __restrict num,
              double* __restrict den, int cols)
{
    for (size_t i = 0; i < count; ++i) {
        const Segment s = segs[i];
        const double ey = py - s.ay;
        const double eyu = ey * s.uy;
        for (int c = 0; c < cols; ++c) {
            const double ex = px[c] - s.ax;
            double t = (ex * s.ux + eyu) * s.inv;
            t = t < 0.0 ? 0.0 : t;
            t = t > 1.0 ? 1.0 : t;
            const double qx = ex - t * s.ux, qy = ey - t * s.uy;
            double d2 = qx * qx + qy * qy;
            d2 = d2 < MinDistanceSquared ? MinDistanceSquared : d2;
            const double w = 1.0 / (d2 * std::sqrt(d2));
            num[c] += w * (s.va + t * s.dv);
            den[c] += w;
        }
    }
}

}   // namespace

std::vector<double> ZHeadField::NodeValues(const ZNetwork& network, int kind)
{
    std::vector<double> values(static_cast<size_t>(network.NodeCount()));
    for (int i = 0; i < network.NodeCount(); ++i) {
        const ZFlowNode* n = network.NodeAt(i);
        values[static_cast<size_t>(i)] = n->IsCutOff()      ? std::numeric_limits<double>::quiet_NaN()
                                         : kind == FreeHead ? n->FreeHead()
                                                            : n->NodeHydrElev;
    }
    for (const ZFlowLink* link : network.Links()) {
        if (link->GetKind() != ZNetObject::Kind::Tank || !link->From() || !link->To())
            continue;
        if (link->To()->IsHidden())
            values[static_cast<size_t>(link->To()->GetIndex())] = values[static_cast<size_t>(link->From()->GetIndex())];
    }
    return values;
}

ZHeadField::Status ZHeadField::Compute(const ZNetwork& network, int kind, const ViewExtent& rect, int nx, int ny,
                                       ProgressObserver* observer, double fractionEnd, int threads)
{
    m_values.clear();
    if (nx < 1 || ny < 1 || nx > 4096 || ny > 4096 || !std::isfinite(rect.left) || !std::isfinite(rect.right) ||
        !std::isfinite(rect.bottom) || !std::isfinite(rect.top))
        return BadGrid;
    m_nx = nx;
    m_ny = ny;
    m_rect = rect;
    m_rect.Normalize();
    // A network along one line still gets square-ish cells rather than cells of no size.
    const double span = std::max({m_rect.Width(), m_rect.Height(), 1.0});
    if (m_rect.Width() <= 0.0) {
        m_rect.left -= span / 2;
        m_rect.right += span / 2;
    }
    if (m_rect.Height() <= 0.0) {
        m_rect.bottom -= span / 2;
        m_rect.top += span / 2;
    }
    m_dx = m_rect.Width() / nx;
    m_dy = m_rect.Height() / ny;

    const std::vector<Segment> segs = BuildSegments(network, NodeValues(network, kind), m_leaveOut);
    if (segs.empty())
        return NoPipes;

    const int cols = Columns(), rows = Rows();
    std::vector<double> px(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c)
        px[static_cast<size_t>(c)] = X(c);
    std::vector<double> num(static_cast<size_t>(cols * rows), 0.0), den(num.size(), 0.0);

    std::atomic<int> nextRow{0}, doneRows{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
    auto work = [&] {
        for (int r = nextRow++; r < rows && !stop.load(std::memory_order_relaxed); r = nextRow++) {
            const size_t at = static_cast<size_t>(r * cols);
            AccumulateRow(segs.data(), segs.size(), Y(r), px.data(), num.data() + at, den.data() + at, cols);
            ++doneRows;
        }
        std::lock_guard lock(mutex);
        if (--running == 0)
            finished.notify_all();
    };

    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, rows);
    std::vector<std::thread> pool;
    running = threads;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back(work);
    // This thread only reports: the observer may pump a user interface and must not be called
    // from the workers.
    {
        std::unique_lock lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, std::chrono::milliseconds(30));
            if (!observer || running == 0)
                continue;
            lock.unlock();
            observer->Progress(fractionEnd * doneRows.load() / rows);
            if (observer->StopRequested())
                stop = true;
            lock.lock();
        }
    }
    for (std::thread& t : pool)
        t.join();
    if (stop || (observer && observer->StopRequested()))
        return Stopped;

    m_values.resize(num.size());
    for (size_t i = 0; i < num.size(); ++i)
        m_values[i] = num[i] / den[i];
    if (observer)
        observer->Progress(fractionEnd);
    return Ok;
}

bool ZHeadField::Assign(const ViewExtent& rect, int nx, int ny, std::vector<double> values)
{
    if (nx < 1 || ny < 1 || values.size() != static_cast<size_t>(nx + 1) * static_cast<size_t>(ny + 1))
        return false;
    m_nx = nx;
    m_ny = ny;
    m_rect = rect;
    m_rect.Normalize();
    m_dx = m_rect.Width() / nx;
    m_dy = m_rect.Height() / ny;
    m_values = std::move(values);
    return true;
}

double ZHeadField::ReferenceValue(const ZNetwork& network, const std::vector<double>& nodeValues, double x, double y)
{
    double num = 0.0, den = 0.0;
    for (const ZFlowLink* link : network.Links()) {
        if (link->GetKind() != ZNetObject::Kind::Pipe || !link->From() || !link->To())
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(link);
        std::vector<PipePoint> pts{{pipe->From()->X, pipe->From()->Y}};
        pts.insert(pts.end(), pipe->Vertices().begin(), pipe->Vertices().end());
        pts.push_back({pipe->To()->X, pipe->To()->Y});
        double total = 0.0;
        for (size_t k = 1; k < pts.size(); ++k)
            total += std::hypot(pts[k].x - pts[k - 1].x, pts[k].y - pts[k - 1].y);
        const double v1 = nodeValues[static_cast<size_t>(pipe->From()->GetIndex())];
        const double v2 = nodeValues[static_cast<size_t>(pipe->To()->GetIndex())];
        if (!std::isfinite(v1) || !std::isfinite(v2))
            continue;   // an end without a head (cut off from every known head)
        double before = 0.0;
        for (size_t k = 1; k < pts.size(); ++k) {
            const PipePoint a = pts[k - 1], b = pts[k];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            // Nearest point of the segment: the foot of the perpendicular, or the nearer end.
            double along = 0.0;
            if (len > 0.0)
                along = std::clamp(((x - a.x) * (b.x - a.x) + (y - a.y) * (b.y - a.y)) / len, 0.0, len);
            const double qx = len > 0.0 ? a.x + (b.x - a.x) * along / len : a.x;
            const double qy = len > 0.0 ? a.y + (b.y - a.y) * along / len : a.y;
            const double d = std::max(std::hypot(x - qx, y - qy), 1e-10);
            const double v = total > 0.0 ? v1 + (v2 - v1) * (before + along) / total : 0.5 * (v1 + v2);
            const double w = 1.0 / (d * d * d);
            num += w * v;
            den += w;
            before += len;
        }
    }
    return num / den;
}
