#include "QtDrawContext.h"

#include "GbkText.h"
#include "LabelGlyphs.h"
#include "ZLabelPlacer.h"
#include "ZNetCanvas.h"
#include "ZResultColouring.h"
#include "ZSymbolThinner.h"
#include "ZSymbolImages.h"

#include "model/ZDeviceLink.h"
#include "model/ZDeviceSymbolSet.h"
#include "model/ZDrawGeometry.h"
#include "model/ZObjectLabels.h"
#include "model/ZFlowNode.h"
#include "model/ZPipeLink.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {
const std::vector<double>& NodeTable(const ZDrawSettings& ds)
{
    switch (ds.NodeGradeMode) {
    case ZDrawSettings::NodeByElevation:
        return ds.NodeElevGrades;
    case ZDrawSettings::NodeByHead:
        return ds.NodeHeadGrades;
    case ZDrawSettings::NodeByFreeHead:
        return ds.NodeFreeHeadGrades;
    default:
        return ds.NodeFlowGrades;
    }
}

const std::vector<double>& PipeTable(const ZDrawSettings& ds)
{
    switch (ds.PipeGradeMode) {
    case ZDrawSettings::PipeByFlow:
        return ds.PipeFlowGrades;
    case ZDrawSettings::PipeByHeadLoss:
        return ds.PipeHLossGrades;
    case ZDrawSettings::PipeByVelocity:
        return ds.PipeVeloGrades;
    case ZDrawSettings::PipeByDiameter:
        return ds.PipeDiamGrades;
    default:
        return ds.PipeSlopeGrades;
    }
}

QPen MakePen(const QColor& c, int width, bool cosmetic, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(c, width, style, Qt::SquareCap, Qt::MiterJoin);
    p.setCosmetic(cosmetic);
    return p;
}
}   // namespace

QtDrawContext::QtDrawContext(ZNetCanvas& canvas, QPainter& painter, const ViewExtent& clip)
    : m_canvas(canvas), m_painter(painter), m_clip(clip)
{
    const QRect& vp = canvas.GetViewport();
    m_cx = canvas.CentreX();
    m_cy = canvas.CentreY();
    m_inv = 1.0 / canvas.GetScale();
    m_halfW = vp.width() / 2;
    m_halfH = vp.height() / 2;
    m_placer = canvas.Placer();
    m_thinner = canvas.Thinner();
    m_devicePlacer = canvas.DevicePlacer();
    SwapBuffers();
}

QtDrawContext::~QtDrawContext()
{
    if (m_prepared)
        EndDraw();
    m_lines.clear();
    m_labelLines.clear();
    m_rects.clear();
    m_texts.clear();
    m_labelTexts.clear();
    m_labels.clear();
    SwapBuffers();
}

QtDrawContext::Buffers& QtDrawContext::ThreadBuffers()
{
    // A context made while another paints on this thread (a print inside a paint) finds the lists
    // taken and starts with empty ones.
    static thread_local Buffers buffers;
    return buffers;
}

void QtDrawContext::SwapBuffers()
{
    Buffers& b = ThreadBuffers();
    m_lines.swap(b.lines);
    m_labelLines.swap(b.labelLines);
    m_rects.swap(b.rects);
    m_texts.swap(b.texts);
    m_labelTexts.swap(b.labelTexts);
    m_labels.swap(b.labels);
    m_order.swap(b.order);
}

QColor QtDrawContext::ToColor(uint32_t c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

QPointF QtDrawContext::Map(double x, double y) const
{
    return {(x - m_cx) * m_inv + m_halfW, m_halfH - (y - m_cy) * m_inv};
}

void QtDrawContext::BeginDraw()
{
    if (m_prepared)
        return;
    const ZSettingsStore& st = m_canvas.Settings();
    const auto& col = st.Colors();
    const ZDrawSettings& ds = m_canvas.DrawSettings();
    const int nodeW = std::max(1, DeviceSize(st.Sizes().NodePenWidth));
    const int pipeW = std::max(1, DeviceSize(st.Sizes().PipePenWidth));
    const QColor bk = ToColor(col.BkGround);
    // Widths are device pixels. A printer's page may be scaled on its way (print preview draws
    // it small), so there the pens scale with it; on the screen they are exact pixels.
    const bool cosmetic = !m_canvas.IsPrinting();
    m_nodePen = MakePen(ToColor(col.Node), nodeW, cosmetic);
    m_nodeDotPen = MakePen(ToColor(col.Node), nodeW, cosmetic, Qt::DotLine);
    m_nodeErasePen = MakePen(bk, nodeW, cosmetic);
    m_pipePen = MakePen(ToColor(col.Pipe), pipeW, cosmetic);
    m_pipeDotPen = MakePen(ToColor(col.Pipe), pipeW, cosmetic, Qt::DotLine);
    m_pipeErasePen = MakePen(bk, pipeW, cosmetic);
    m_pipeStalePen = MakePen(ToColor(col.Pipe), pipeW, cosmetic, Qt::DashLine);
    m_nodeFill = QBrush(ToColor(col.NodeFill));
    m_bkBrush = QBrush(bk);
    m_pipeBrush = QBrush(ToColor(col.Pipe));
    m_nodeGradeBrushes.clear();
    m_pipeGradePens.clear();
    if (ds.NodeGradeOn)
        for (uint32_t c : col.NodeGradeColors)
            m_nodeGradeBrushes.emplace_back(ToColor(c));
    if (ds.PipeGradeOn)
        for (uint32_t c : col.PipeGradeColors)
            m_pipeGradePens.push_back(MakePen(ToColor(c), pipeW, cosmetic));
    m_nodeResultBrushes.clear();
    m_pipeResultPens.clear();
    if (const ZResultColouring* rc = m_canvas.ResultColouring()) {
        for (uint32_t c : rc->nodes.colours)
            m_nodeResultBrushes.emplace_back(ToColor(c));
        // A little wider than a pipe, so that the classes read at any zoom.
        for (uint32_t c : rc->pipes.colours)
            m_pipeResultPens.push_back(MakePen(ToColor(c), pipeW + std::max(1, DeviceSize(1)), cosmetic));
    }
    m_nodeText = ToColor(col.NodeText);
    m_pipeText = ToColor(col.PipeText);
    m_bkText = bk;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setFont(m_canvas.LabelFont());
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_squares.Attach(m_painter);
    m_ascent = m_canvas.LabelAscent();
    m_casing = m_canvas.ContourFillShown();
    m_prepared = true;
    m_applied = false;
}

void QtDrawContext::EndDraw()
{
    if (!m_prepared)
        return;
    m_skip = false;
    Flush();
    PlaceLabels();
    FlushTexts();
    m_squares.Detach();
    m_painter.restore();
    m_prepared = false;
}

void QtDrawContext::Use(const Style& s)
{
    if (m_applied && s.pen == m_current.pen && s.brush == m_current.brush) {
        m_current.text = s.text;
        return;
    }
    Flush();
    m_current = s;
    m_painter.setPen(s.pen ? *s.pen : QPen(Qt::NoPen));
    m_painter.setBrush(s.brush ? *s.brush : QBrush(Qt::NoBrush));
    m_applied = true;
}

void QtDrawContext::SetOwner(const void* owner, double priority)
{
    m_owner = owner;
    m_priority = priority;
}

void QtDrawContext::SelectNode(const ZFlowNode& node)
{
    SetOwner(&node, node.HasFlag(qen::FLAG_HEAD_KNOWN) ? 0.0 : 2.0);
    m_skip = false;
    if (m_thinner && !node.HasFlag(qen::FLAG_ERASE)) {
        const PipePoint p = node.GetPosition(m_canvas);
        if (node.IsSelected() || node.HasFlag(qen::FLAG_HEAD_KNOWN))
            m_thinner->Force(&node, p.x, p.y);
        else
            m_skip = !m_thinner->Place(&node, p.x, p.y);
    }
    const int result = m_nodeResultBrushes.empty() ? -1 : m_canvas.ResultColouring()->NodeClass(node);
    if (node.HasFlag(qen::FLAG_ERASE)) {
        Use({&m_nodeErasePen, &m_bkBrush, m_bkText});
    } else if (node.IsSelected()) {
        Use({&m_nodeDotPen, &m_bkBrush, m_nodeText});
    } else if (result >= 0) {
        const size_t i = std::min(static_cast<size_t>(result), m_nodeResultBrushes.size() - 1);
        Use({&m_nodePen, &m_nodeResultBrushes[i], m_nodeText});
    } else if (!m_nodeGradeBrushes.empty() && !NodeGradeStale(node)) {
        const ZDrawSettings& ds = m_canvas.DrawSettings();
        const int g = ZDrawGeometry::GradeIndex(ZDrawGeometry::NodeGradeValue(node, ds.NodeGradeMode), NodeTable(ds));
        // More classes than colours (the colour list was shortened): the last colour takes the rest.
        const size_t i = std::min(static_cast<size_t>(g), m_nodeGradeBrushes.size() - 1);
        Use({&m_nodePen, &m_nodeGradeBrushes[i], m_nodeText});
    } else {
        Use({&m_nodePen, &m_nodeFill, m_nodeText});
    }
}

bool QtDrawContext::NodeGradeStale(const ZFlowNode& node) const
{
    switch (m_canvas.DrawSettings().NodeGradeMode) {
    case ZDrawSettings::NodeByElevation:
        return false;
    case ZDrawSettings::NodeByDemand:
        return ZObjectLabels::DemandIsResult(node) && m_canvas.IsResultStale(node);
    default:
        return ZObjectLabels::HeadIsResult(node) && m_canvas.IsResultStale(node);
    }
}

void QtDrawContext::SelectPipe(const ZPipeLink& pipe)
{
    // Larger pipes first: diameters are metres, far below 1.
    SetOwner(&pipe, 1.0 + 1.0 / (2.0 + std::max(0.0, pipe.PipeDiam)));
    m_skip = false;
    const int result = m_pipeResultPens.empty() ? -1 : m_canvas.ResultColouring()->PipeClass(pipe);
    if (pipe.HasFlag(qen::FLAG_ERASE)) {
        Use({&m_pipeErasePen, &m_pipeBrush, m_bkText});
    } else if (pipe.IsSelected()) {
        Use({&m_pipeDotPen, &m_pipeBrush, m_pipeText});
    } else if (result >= 0) {
        const size_t i = std::min(static_cast<size_t>(result), m_pipeResultPens.size() - 1);
        Use({&m_pipeResultPens[i], &m_pipeBrush, m_pipeText});
    } else if (!m_pipeGradePens.empty()) {
        const ZDrawSettings& ds = m_canvas.DrawSettings();
        if (ds.PipeGradeMode != ZDrawSettings::PipeByDiameter && m_canvas.IsResultStale(pipe)) {
            Use({&m_pipeStalePen, &m_pipeBrush, m_pipeText});
            return;
        }
        const int g = ZDrawGeometry::GradeIndex(ZDrawGeometry::PipeGradeValue(pipe, ds.PipeGradeMode), PipeTable(ds));
        const size_t i = std::min(static_cast<size_t>(g), m_pipeGradePens.size() - 1);
        Use({&m_pipeGradePens[i], &m_pipeBrush, m_pipeText});
    } else {
        Use({&m_pipePen, &m_pipeBrush, m_pipeText});
    }
}

void QtDrawContext::SelectDevice(const ZDeviceLink& device)
{
    SetOwner(&device, 0.0);
    m_skip = false;
    Use({&m_pipePen, &m_pipeBrush, m_pipeText});
}

void QtDrawContext::Restore()
{
    // Styles persist between objects so that runs of alike objects batch; nothing to undo.
    m_skip = false;
}

void QtDrawContext::Flush()
{
    if (!m_lines.empty()) {
        if (m_casing && m_current.pen && m_current.pen->color() != m_bkText) {
            // Over filled contours each line runs in a border of the background colour, so a
            // grade colour reads against any band.
            QPen casing = *m_current.pen;
            casing.setColor(m_bkText);
            casing.setWidth(m_current.pen->width() + 2 * std::max(1, DeviceSize(1)));
            m_painter.setPen(casing);
            m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
            m_painter.setPen(*m_current.pen);
        }
        m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
        m_lines.clear();
    }
    if (!m_rects.empty()) {
        const int n = static_cast<int>(m_rects.size());
        if (m_current.pen && m_current.brush && SquareBlitter::Handles(*m_current.pen, *m_current.brush))
            m_squares.Draw(m_painter, m_rects.data(), n, *m_current.pen, *m_current.brush);
        else
            m_painter.drawRects(m_rects.data(), n);
        m_rects.clear();
    }
}

void QtDrawContext::FlushTexts()
{
    // One glyph run per colour and angle: thousands of short labels cost a few painter calls.
    // A turned group is drawn in a frame rotated once, each text's origin taken into it.
    const LabelGlyphs& glyphs = m_canvas.Glyphs();
    std::vector<size_t>& order = m_order;
    order.resize(m_texts.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Within a group the order of the texts is kept.
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        const PendingText& x = m_texts[a];
        const PendingText& y = m_texts[b];
        if (x.degrees != y.degrees)
            return x.degrees < y.degrees;
        if (x.rgb != y.rgb)
            return x.rgb < y.rgb;
        return a < b;
    });
    QList<quint32> ids;
    QList<QPointF> positions;
    std::vector<const PendingText*> others;
    size_t i = 0;
    while (i < order.size()) {
        const PendingText& first = m_texts[order[i]];
        const double degrees = first.degrees;
        const QColor color = first.color;
        const bool turned = degrees != 0.0;
        const QTransform toFrame = QTransform().rotate(-degrees).inverted();
        ids.clear();
        positions.clear();
        others.clear();
        for (; i < order.size(); ++i) {
            const PendingText& t = m_texts[order[i]];
            if (t.degrees != degrees || t.rgb != first.rgb)
                break;
            // Level text on a whole-pixel baseline, so its ink lands inside the measured cell.
            const QPointF origin = turned ? toFrame.map(t.at) : QPointF(t.at.x(), std::round(t.at.y()));
            if (!glyphs.Append(t.text, QPointF(origin.x(), origin.y() + m_ascent), ids, positions))
                others.push_back(&t);
        }
        m_painter.save();
        m_painter.setPen(color);
        if (turned)
            m_painter.rotate(-degrees);
        if (!ids.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(glyphs.RawFont());
            run.setGlyphIndexes(ids);
            run.setPositions(positions);
            m_painter.drawGlyphRun(QPointF(0, 0), run);
        }
        for (const PendingText* t : others) {
            const QPointF origin = turned ? toFrame.map(t->at) : QPointF(t->at.x(), std::round(t->at.y()));
            m_painter.drawText(QPointF(origin.x(), origin.y() + m_ascent), GbkText::ToQString(t->text));
        }
        m_painter.restore();
    }
    m_texts.clear();
    m_applied = false;
}

void QtDrawContext::Prepare()
{
    if (!m_prepared)
        BeginDraw();
}

void QtDrawContext::Rectangle(const ViewExtent& r)
{
    Prepare();
    if (m_skip)
        return;
    // The platform rectangle covers [left, right) x [top, bottom) including its outline.
    const QPointF a = Map(r.left, r.top), b = Map(r.right, r.bottom);
    const double l = std::floor(a.x() + 0.5), t = std::floor(a.y() + 0.5);
    const double w = std::floor(b.x() + 0.5) - l, h = std::floor(b.y() + 0.5) - t;
    if (w < 1.0 || h < 1.0)
        return;
    m_rects.emplace_back(l, t, w - 1.0, h - 1.0);
}

void QtDrawContext::RectangleOutline(const ViewExtent& r)
{
    Line(r.left, r.top, r.right, r.top);
    Line(r.right, r.top, r.right, r.bottom);
    Line(r.right, r.bottom, r.left, r.bottom);
    Line(r.left, r.bottom, r.left, r.top);
}

void QtDrawContext::Line(double x1, double y1, double x2, double y2)
{
    Prepare();
    if (m_inLabel) {
        m_labelLines.emplace_back(Map(x1, y1), Map(x2, y2));
        return;
    }
    m_lines.emplace_back(Map(x1, y1), Map(x2, y2));
}

void QtDrawContext::Polyline(const PipePoint* pts, int count)
{
    for (int i = 1; i < count; ++i)
        Line(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y);
}

void QtDrawContext::Polygon(const PipePoint* pts, int count)
{
    Prepare();
    Flush();
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly << Map(pts[i].x, pts[i].y);
    m_painter.drawPolygon(poly);
}

void QtDrawContext::Text(double x, double y, double angle, GbkView text)
{
    Prepare();
    const double q = ZDrawGeometry::QuantizedAngle(angle);
    (m_inLabel ? m_labelTexts : m_texts)
        .push_back({Map(x, y), q * 180.0 / ZDrawGeometry::Pi, GbkString(text), m_current.text, m_current.text.rgba()});
}

void QtDrawContext::TextExtent(GbkView text, double, double& width, double& height)
{
    m_canvas.TextExtent(text, width, height);
}

void QtDrawContext::Symbol(const ZDeviceLink& device, double left, double top)
{
    Prepare();
    Flush();
    const ZSymbolImages::Variant* v = ZSymbolImages::For(device);
    if (!v)
        return;
    const QImage& img = device.IsSelected() ? v->selected : v->image;
    const int w = m_canvas.IsPrinting() ? DeviceSize(img.width()) : img.width();
    const int h = m_canvas.IsPrinting() ? DeviceSize(img.height()) : img.height();
    const ViewExtent symbol{left, top - h * Scale(), left + w * Scale(), top};
    if (m_devicePlacer && !device.IsSelected() && !device.HasFlag(qen::FLAG_ERASE) &&
        !m_devicePlacer->Place(&device, symbol)) {
        m_skip = true;
        return;
    }
    // Labels keep off the symbol (its own label goes under it).
    if (m_placer && !device.HasFlag(qen::FLAG_ERASE))
        m_placer->Place(&device, symbol);
    const QPointF tl = Map(left, top);
    const QPoint at(static_cast<int>(std::floor(tl.x() + 0.5)), static_cast<int>(std::floor(tl.y() + 0.5)));
    if (m_canvas.IsPrinting()) {
        const QRect target(at, QSize(DeviceSize(img.width()), DeviceSize(img.height())));
        m_painter.drawImage(target, img);
        return;
    }
    QPaintEngine* engine = m_painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster && !device.HasFlag(qen::FLAG_ERASE)) {
        // Transparent blit: mask AND, then the image OR, so the symbol's black shows through.
        QImage opaque = img.convertToFormat(QImage::Format_RGB32);
        m_painter.save();
        m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        m_painter.drawImage(at, v->mask);
        m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        m_painter.drawImage(at, opaque);
        m_painter.restore();
    } else {
        m_painter.drawImage(at, img);
    }
}

int QtDrawContext::DeviceSize(int pixels) const
{
    return m_canvas.DeviceSize(pixels);
}

double QtDrawContext::Scale() const
{
    return m_canvas.GetScale();
}

void QtDrawContext::BeginLabel(const ViewExtent& bounds)
{
    Prepare();
    m_inLabel = true;
    m_labels.push_back(
        {bounds, m_priority, m_owner, m_labelTexts.size(), 0, m_labelLines.size(), 0, m_current.pen, m_skip});
}

void QtDrawContext::EndLabel()
{
    if (!m_inLabel)
        return;
    m_inLabel = false;
    m_labels.back().textEnd = m_labelTexts.size();
    m_labels.back().lineEnd = m_labelLines.size();
}

void QtDrawContext::PlaceLabels()
{
    std::vector<size_t>& order = m_order;
    order.resize(m_labels.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Equal priorities in the order drawn (a stable sort without its scratch buffer).
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        const double pa = m_labels[a].priority, pb = m_labels[b].priority;
        return pa < pb || (pa == pb && a < b);
    });
    const QPen* pen = nullptr;
    std::vector<QLineF> lines;
    auto flushLines = [&]() {
        if (lines.empty())
            return;
        m_painter.setPen(*pen);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        lines.clear();
        m_applied = false;
    };
    for (size_t i : order) {
        const LabelGroup& g = m_labels[i];
        if (g.hidden || (m_placer && !m_placer->Place(g.owner, g.bounds)))
            continue;
        for (size_t t = g.textBegin; t < g.textEnd; ++t)
            m_texts.push_back(std::move(m_labelTexts[t]));
        if (g.lineEnd > g.lineBegin && g.pen) {
            if (pen != g.pen)
                flushLines();
            pen = g.pen;
            lines.insert(lines.end(), m_labelLines.begin() + long(g.lineBegin), m_labelLines.begin() + long(g.lineEnd));
        }
    }
    flushLines();
    m_labels.clear();
    m_labelTexts.clear();
    m_labelLines.clear();
}
