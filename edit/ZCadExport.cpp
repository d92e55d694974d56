#include "ZCadExport.h"
#include "model/ZValveLink.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZBasicNetView.h"
#include "model/ZContourPolygon.h"
#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "model/ZObjectLabels.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>

namespace {

// The point a link leaves `node` towards: its bend point next to the node, else its far node.
PipePoint Toward(const ZNetLink& link, const ZNetNode& node)
{
    if (link.GetKind() == ZNetObject::Kind::Pipe) {
        const auto& v = static_cast<const ZPipeLink&>(link).Vertices();
        if (!v.empty())
            return link.StartNode() == &node ? v.front() : v.back();
    }
    const auto* far = static_cast<const ZFlowNode*>(link.OtherNode(&node));
    return {far->X, far->Y};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}   // namespace

ZCadExport::ZCadExport(const ZDocument& doc, const ZSettingsStore& settings, const Options& options)
    : m_doc(doc), m_settings(settings), m_options(options), m_ratio(options.ScaleCad * 1000.0 / options.ScaleQen)
{
}

double ZCadExport::Direction(const PipePoint& p, const PipePoint& q)
{
    double a = std::atan2(q.y - p.y, q.x - p.x);
    if (a < 0)
        a += 2 * M_PI;
    return a >= 2 * M_PI ? 0.0 : a;
}

double ZCadExport::Readable(double a)
{
    if (a > 3 * M_PI / 2)
        return a - 2 * M_PI;
    if (a > M_PI / 2)
        return a - M_PI;
    return a;
}

PipePoint ZCadExport::Position(const ZFlowNode& node) const
{
    PipePoint p{node.X * m_ratio, node.Y * m_ratio};
    if (!node.HasFlag(qen::FLAG_DEVICE_OUTLET))
        return p;
    const ZDeviceLink* dev = node.GetDevice();
    const auto* f = dev ? static_cast<const ZFlowNode*>(dev->OtherNode(&node)) : nullptr;
    double alpha = 0.0;
    if (f && f->IncidentLinkCount() == 2) {
        for (const ZNetLink* l = f->FirstLink(); l; l = l->NextLinkAt(f))
            if (l != dev)
                alpha = Direction({f->X, f->Y}, Toward(*l, *f)) + M_PI;
    }
    p.x += m_options.DevSize * std::cos(alpha);
    p.y += m_options.DevSize * std::sin(alpha);
    return p;
}

double ZCadExport::NodeLabelAngle(const ZFlowNode& node)
{
    std::vector<double> dirs;
    for (const ZNetLink* l = node.FirstLink(); l; l = l->NextLinkAt(&node))
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            dirs.push_back(Direction({node.X, node.Y}, Toward(*l, node)));
    if (dirs.empty())
        dirs.push_back(M_PI / 2);
    std::sort(dirs.begin(), dirs.end());
    dirs.push_back(dirs.front() + 2 * M_PI);
    size_t widest = 0;
    for (size_t i = 1; i + 1 < dirs.size(); ++i)
        if (dirs[i + 1] - dirs[i] > dirs[widest + 1] - dirs[widest])
            widest = i;
    const double a = (dirs[widest] + dirs[widest + 1]) / 2;
    return a >= 2 * M_PI ? a - 2 * M_PI : a;
}

bool ZCadExport::Stop(ProgressObserver* observer, Prompt* prompt) const
{
    return observer && observer->StopRequested() && (!prompt || prompt->AskYesNo("确认终止此操作吗?"));
}

void ZCadExport::Run(ZCadCanvas& h, ProgressObserver* observer, Prompt* prompt)
{
    const std::vector<std::string> layers = {m_options.LabelLayer, m_options.NodeLayer,  m_options.PipeLayer,
                                             m_options.OtherLayer, m_options.ArrowLayer, m_options.ContourLayer};
    h.CreateLayers(layers);
    for (size_t i = 0; i < layers.size(); ++i)
        h.LayerColour(layers[i], LayerColours[i]);
    h.Units(m_ratio);
    const std::string& other = m_options.OtherLayer;
    const ZNetwork& net = m_doc.GetNetwork();
    const ZDrawSettings& ds = m_doc.GetDrawSettings();
    const ZBasicNetView view(m_settings, ds);
    const bool contours = ds.ContourOption != 0;
    long total = static_cast<long>(net.NodeCount()) + net.LinkCount();
    if (contours)
        total += total / 10;
    total = std::max(total, 1L);
    auto progress = [&](long done) {
        if (observer)
            observer->Progress(static_cast<double>(100 * done / total) / 100.0);
    };

    bool stopped = false;
    for (int i = 0; i < net.LinkCount() && !stopped; ++i) {
        const ZFlowLink* l = net.LinkAt(i);
        const auto* a = static_cast<const ZFlowNode*>(l->StartNode());
        const auto* b = static_cast<const ZFlowNode*>(l->EndNode());
        if (a && b) {
            const PipePoint pa = Position(*a), pb = Position(*b);
            switch (l->GetKind()) {
            case ZNetObject::Kind::Pipe:
                DrawPipe(h, static_cast<const ZPipeLink&>(*l), view);
                break;
            case ZNetObject::Kind::Pump:
                h.Pump(pa, pb, m_options.DevSize, other);
                break;
            case ZNetObject::Kind::Valve: {
                // The described kinds keep their plain symbol, so their drawings stay as they were.
                const auto& v = static_cast<const ZValveLink&>(*l);
                if (v.IsControlValve())
                    h.ControlValve(pa, pb, m_options.DevSize, v.GetValveType(), other);
                else
                    h.Valve(pa, pb, m_options.DevSize, other);
                break;
            }
            case ZNetObject::Kind::Tank:
                h.Tank(pa, m_options.DevSize, other);
                break;
            default:
                break;
            }
        }
        progress(i);
        stopped = Stop(observer, prompt);
    }
    for (int j = 0; j < net.NodeCount() && !stopped; ++j) {
        const ZConsumeNode* n = net.NodeAt(j);
        if (!n->IsHidden())
            DrawNode(h, *n, view);
        progress(net.LinkCount() + j);
        stopped = Stop(observer, prompt);
    }
    if (contours) {
        const auto& polygons = m_doc.GetContours().Polygons;
        const size_t k = polygons.size();
        for (size_t i = 0; i < k; ++i) {
            DrawContour(h, polygons[i]);
            if (observer)
                observer->Progress((90 + static_cast<int>(static_cast<double>(i) / static_cast<double>(k) * 10)) /
                                   100.0);
            if (Stop(observer, prompt))
                break;
        }
    }
}

void ZCadExport::DrawPipe(ZCadCanvas& h, const ZPipeLink& pipe, const ZNetView& view)
{
    std::vector<PipePoint> pts;
    pts.push_back(Position(*pipe.From()));
    for (const PipePoint& v : pipe.Vertices())
        pts.push_back({v.x * m_ratio, v.y * m_ratio});
    pts.push_back(Position(*pipe.To()));
    h.Pipe(pts, m_options.PipeLayer);

    size_t seg = 0;
    double longest = -1.0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double len = std::hypot(pts[i + 1].x - pts[i].x, pts[i + 1].y - pts[i].y);
        if (len > longest) {
            longest = len;
            seg = i;
        }
    }
    const PipePoint m{(pts[seg].x + pts[seg + 1].x) / 2, (pts[seg].y + pts[seg + 1].y) / 2};
    const double dir = Direction(pts[seg], pts[seg + 1]);

    GbkString upper, lower;
    int useBelow = 0;
    if (m_settings.LabelTip().IsMultiLine()) {
        ZObjectLabels::PipeMultiLabel(view, pipe, upper, lower);
        useBelow = 1;
    } else {
        pipe.GetGradeText(view, upper);
    }
    h.PipeLabel(m, Readable(dir), m_options.LabelSize, m_options.ArrowSize, m_options.LabelLayer, upper.Bytes(),
                lower.Bytes(), useBelow != 0);

    if (m_doc.GetDrawSettings().Balanced) {
        const double d = pipe.From()->NodeHydrElev - pipe.To()->NodeHydrElev;
        if (d + 1.0 != 1.0) {
            const double a = d < 0 ? dir + M_PI : dir;
            h.PipeArrow(m, a, m_options.ArrowSize, m_options.ArrowLayer);
        }
    }
}

void ZCadExport::DrawNode(ZCadCanvas& h, const ZFlowNode& node, const ZNetView& view)
{
    const PipePoint p = Position(node);
    h.Node(p, m_options.NodeSize, m_options.NodeLayer);
    if (node.IsDeviceNode())
        return;
    std::vector<std::string> lines;
    int framed = 0;
    if (m_settings.LabelTip().IsMultiLine()) {
        const GbkString text = ZObjectLabels::NodeMultiLabel(view, node);
        if (!text.empty())
            lines = Lines(text.Bytes());
        framed = 1;
    } else {
        GbkString text;
        node.GetGradeText(view, text);
        if (!text.empty())
            lines.push_back(text.Bytes());
    }
    h.NodeLabel(p, m_options.NodeSize, m_options.LabelSize, m_options.LabelLayer, lines, NodeLabelAngle(node),
                framed != 0);
}

void ZCadExport::DrawContour(ZCadCanvas& h, const ZContourPolygon& c)
{
    // The traced line only: the border points after it close the polygon for the fill.
    const size_t traced = std::min(c.Points.size(), static_cast<size_t>(std::max(c.TracedCount, 0)));
    if (traced < 2)
        return;
    const PipePoint& f = c.Points.front();
    const PipePoint& l = c.Points[traced - 1];
    const bool closed = std::isfinite(f.x) && std::isfinite(f.y) && std::isfinite(l.x) && std::isfinite(l.y) &&
                        (f.x - l.x) + 1.0 == 1.0 && (f.y - l.y) + 1.0 == 1.0;
    std::vector<PipePoint> pts;
    for (size_t i = 0; i < traced - (closed ? 1 : 0); ++i)
        pts.push_back({c.Points[i].x * m_ratio, c.Points[i].y * m_ratio});
    if (pts.size() < 2)
        return;
    h.Curve(pts, m_options.ContourLayer, 0, closed);
    if (!m_settings.ContourLabelOn)
        return;
    const std::string text = m_settings.Units().Hydr().FormatFixed(c.Level);
    const size_t s = std::min<size_t>(static_cast<size_t>(std::max(c.LabelSegment, 0)), pts.size() - 2);
    const PipePoint m{(pts[s].x + pts[s + 1].x) / 2, (pts[s].y + pts[s + 1].y) / 2};
    h.PipeLabel(m, Readable(Direction(pts[s], pts[s + 1])), m_options.LabelSize, 0, m_options.ContourLayer, text, "",
                false);
}

namespace {

// The network's larger side in metres, 0 when it has none.
double Span(const ZNetwork& net)
{
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto take = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    };
    for (const ZConsumeNode* n : net.Nodes())
        take(n->X, n->Y);
    for (const ZFlowLink* l : net.Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            for (const PipePoint& p : static_cast<const ZPipeLink*>(l)->Vertices())
                take(p.x, p.y);
    const double span = std::max(x1 - x0, y1 - y0);
    return std::isfinite(span) && span > 0 ? span : 0.0;
}

double TwoDigits(double v)
{
    if (!(v > 0) || !std::isfinite(v))
        return v;
    const double unit = std::pow(10.0, std::floor(std::log10(v)) - 1);
    return std::round(v / unit) * unit;
}

constexpr double SheetWidth = 841.0;   // A1, millimetres

}   // namespace

ZCadExport::Options ZCadExport::ReadableSizes(const ZNetwork& net, double ratio)
{
    Options o;
    const double perMm = Span(net) * ratio / SheetWidth;   // CAD units per millimetre of paper
    if (!(perMm > 0) || !std::isfinite(perMm))
        return o;
    o.ArrowSize = TwoDigits(o.ArrowSize * perMm);
    o.LabelSize = TwoDigits(o.LabelSize * perMm);
    o.NodeSize = TwoDigits(o.NodeSize * perMm);
    o.DevSize = TwoDigits(o.DevSize * perMm);
    return o;
}

bool ZCadExport::TooSmall(const ZNetwork& net, double ratio, double height)
{
    const double perMm = Span(net) * ratio / SheetWidth;
    return perMm > 0 && std::isfinite(perMm) && height < perMm;
}
