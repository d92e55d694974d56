#include "ZNetCanvas.h"

#include "GbkText.h"
#include "LabelGlyphs.h"
#include "ZBackgroundImage.h"
#include "QtDrawContext.h"
#include "ZCanvasHost.h"
#include "ZContourPainter.h"
#include "ZFocusHint.h"
#include "ZSelectTracker.h"
#include "ZWorkShopHost.h"
#include "text/CCoreText.h"

#include "model/ObjectFlags.h"
#include "model/ZDocument.h"

#include <QPainter>
#include <QRegion>

#include <cmath>

namespace {
const ZDrawSettings& NoDocumentSettings()
{
    static const ZDrawSettings s;
    return s;
}
}   // namespace

ZNetCanvas::ZNetCanvas(const ZSettingsStore& settings, ZCanvasHost* host)
    : m_settings(settings), m_host(host), m_zoom(std::make_unique<ZZoomTool>(*this)),
      m_background(std::make_unique<ZBackgroundImage>()), m_tracker(std::make_unique<ZSelectTracker>(*this)),
      m_hint(std::make_unique<ZFocusHint>(*this)), m_workshops(std::make_unique<ZWorkShopHost>(*this))
{
    SetDeviceDpi(96, 96);
}

ZNetCanvas::~ZNetCanvas()
{
    // A half-done step is undone while the network is still there.
    m_workshops->Abort();
    m_visible.Clear();
}

void ZNetCanvas::SetDocument(ZDocument* doc)
{
    m_doc = doc;
    m_visible.SetNetwork(doc ? &doc->GetNetwork() : nullptr);
}

const ZDrawSettings& ZNetCanvas::DrawSettings() const
{
    return m_doc ? m_doc->GetDrawSettings() : NoDocumentSettings();
}

bool ZNetCanvas::IsResultStale(const ZNetObject& obj) const
{
    return m_doc && m_doc->IsResultStale(obj);
}

int ZNetCanvas::DeviceSize(int pixels) const
{
    // An integer multiply-divide that rounds, as the platform's MulDiv.
    const long long num = static_cast<long long>(pixels) * m_dpiX;
    return static_cast<int>(num >= 0 ? (num + 49) / 98 : (num - 49) / 98);
}

void ZNetCanvas::SetDeviceDpi(int dpiX, int dpiY)
{
    m_dpiX = dpiX > 0 ? dpiX : 96;
    m_dpiY = dpiY > 0 ? dpiY : 96;
    m_font = QFont();
    m_font.setFamilies(m_labelFamilies);
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPixelSize(std::max(1, 8 * m_dpiY / 72));
    m_font.setWeight(QFont::Normal);
    // Screen labels are small and many: plain glyphs draw in a fraction of the time of blended
    // ones and read as crisply at this size. Printers get smooth type.
    if (m_dpiY <= 144)
        m_font.setStyleStrategy(QFont::NoAntialias);
    m_metrics = std::make_unique<QFontMetricsF>(m_font);
    m_glyphs = std::make_unique<LabelGlyphs>(m_font);
    m_textAscent = static_cast<int>(std::ceil(m_metrics->ascent()));
    m_textDescent = std::max(static_cast<int>(std::ceil(m_metrics->descent())), m_glyphs->InkDescent());
    m_inkAscent = std::min(m_textAscent, m_glyphs->InkAscent());
}

QStringList ZNetCanvas::DefaultLabelFamilies()
{
    // WenQuanYi Micro Hei (scripts/setup.sh installs it) draws Latin and Chinese identifiers
    // alike; DejaVu Sans is the fallback of a system without it.
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")};
}

void ZNetCanvas::SetLabelFamilies(const QStringList& families)
{
    m_labelFamilies = families;
    SetDeviceDpi(m_dpiX, m_dpiY);
}

int ZNetCanvas::SymbolSpacing() const
{
    return 2 * std::max(1, DeviceSize(m_settings.Sizes().NodeWidth));
}

int ZNetCanvas::LabelClearance() const
{
    // An arrow is ArrawLength / 2 wide across its pipe (see the pipe's flow arrow); one pixel more.
    return std::max(0, DeviceSize(m_settings.Sizes().ArrawLength) / 2 / 2) + std::max(1, DeviceSize(1));
}

int ZNetCanvas::LabelAscent() const
{
    // The font's ascent already leaves some room above the tallest glyph.
    return m_textAscent + std::max(0, LabelClearance() - (m_textAscent - m_inkAscent));
}

int ZNetCanvas::LabelHeight() const
{
    return LabelAscent() + m_textDescent + LabelClearance();
}

GbkString ZNetCanvas::Caption(const char* utf8) const
{
    return GbkText::FromQString(CCoreText::Tr(QString::fromUtf8(utf8)));
}

void ZNetCanvas::TextExtent(GbkView text, double& width, double& height) const
{
    double px = 0.0;
    if (!m_glyphs->Width(text, px))
        px = m_metrics->horizontalAdvance(GbkText::ToQString(text));
    width = px * m_scale;
    height = LabelHeight() * m_scale;
}

bool ZNetCanvas::LabelArea(ViewExtent& area) const
{
    area = GetExtent();
    return true;
}

void ZNetCanvas::DeviceToWorld(double px, double py, double& x, double& y) const
{
    const int w = m_viewport.width(), h = m_viewport.height();
    x = (px - w * 0.5) * m_scale + m_cx;
    y = m_cy - (py - h * 0.5) * m_scale;
}

void ZNetCanvas::WorldToDevice(double x, double y, int& px, int& py) const
{
    const int w = m_viewport.width(), h = m_viewport.height();
    px = static_cast<int>((x - m_cx) / m_scale + (w / 2));
    py = static_cast<int>((h / 2) - (y - m_cy) / m_scale);
}

QPointF ZNetCanvas::WorldToDeviceF(double x, double y) const
{
    const int w = m_viewport.width(), h = m_viewport.height();
    return {(x - m_cx) / m_scale + (w / 2), (h / 2) - (y - m_cy) / m_scale};
}

ViewExtent ZNetCanvas::DeviceRectToWorld(const QRect& r) const
{
    ViewExtent e;
    // Platform rectangles are right/bottom exclusive.
    DeviceToWorld(r.left(), r.top(), e.left, e.top);
    DeviceToWorld(r.left() + r.width(), r.top() + r.height(), e.right, e.bottom);
    e.Normalize();
    return e;
}

QRect ZNetCanvas::WorldRectToDevice(const ViewExtent& e) const
{
    int l, t, r, b;
    WorldToDevice(e.left, e.top, l, t);
    WorldToDevice(e.right, e.bottom, r, b);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    return QRect(QPoint(l, t), QPoint(r, b));
}

bool ZNetCanvas::SetScale(double s)
{
    if (!(s > 0.0) || !std::isfinite(s))
        return false;
    m_scale = s;
    return true;
}

void ZNetCanvas::FitExtent(const ViewExtent& e, const QRect& client, double& cx, double& cy, double& scale)
{
    const int cw = std::max(1, client.width()), ch = std::max(1, client.height());
    scale = std::max(std::fabs(e.Width()) / cw, std::fabs(e.Height()) / ch);
    if (!(scale > 0.0) || !std::isfinite(scale))
        scale = 1.0;
    cx = (e.left + e.right) / 2;
    cy = (e.bottom + e.top) / 2;
}

void ZNetCanvas::FitToRect(const ViewExtent& e)
{
    const QRect client = m_host ? m_host->CanvasClientRect() : m_viewport;
    double cx, cy, s;
    FitExtent(e, client, cx, cy, s);
    m_zoom->PushHistory();
    m_zoom->Apply(cx, cy, s);
}

ViewExtent ZNetCanvas::DrawnExtent() const
{
    if (!m_doc)
        return ViewExtent::Empty();
    const ZNetwork& net = m_doc->GetNetwork();
    ViewExtent r = ViewExtent::Empty();
    for (int i = 0; i < net.NodeCount(); ++i)
        if (const ZNetObject* o = net.NodeAt(i); !o->IsHidden() && !o->IsFiltered())
            r.Include(o->GetDisplayRect(*this));
    for (int i = 0; i < net.LinkCount(); ++i)
        if (const ZNetObject* o = net.LinkAt(i); !o->IsHidden() && !o->IsFiltered())
            r.Include(o->GetDisplayRect(*this));
    if (!r.IsEmpty())
        r.Include(m_doc->FullExtent());   // the background map, when shown
    return r;
}

bool ZNetCanvas::FitDrawing(const QRect& area, int gap, double& cx, double& cy, double& scale)
{
    const ViewExtent pts = m_doc ? m_doc->FullExtent() : ViewExtent::Empty();
    if (pts.IsEmpty())
        return false;
    const QRect inner = area.adjusted(gap, gap, -gap, -gap);
    const int w = std::max(1, inner.width()), h = std::max(1, inner.height());
    const double savedScale = m_scale;
    // Symbols and labels keep their pixel size whatever the scale: what they add beyond the
    // points is measured at one scale and the points fitted into what is left, until it holds.
    double s = std::max(pts.Width() / w, pts.Height() / h);
    if (!(s > 0.0) || !std::isfinite(s))
        s = m_scale;   // a single point: the scale stays
    ViewExtent e;
    for (int pass = 0; pass < 4; ++pass) {
        m_scale = s;
        e = DrawnExtent();
        const double ox = (e.Width() - pts.Width()) / s, oy = (e.Height() - pts.Height()) / s;
        const double next = std::max(pts.Width() / std::max(1.0, w - ox), pts.Height() / std::max(1.0, h - oy));
        if (!(next > s * (1.0 + 1e-9)) || !std::isfinite(next))
            break;
        s = next;
    }
    m_scale = s;
    e = DrawnExtent();
    m_scale = savedScale;
    // The middle of the drawing goes to the middle of the area, wherever that is in the viewport.
    const double ax = inner.left() + inner.width() / 2.0;
    const double ay = inner.top() + inner.height() / 2.0;
    scale = s;
    cx = (e.left + e.right) / 2 - (ax - m_viewport.width() / 2) * s;
    cy = (e.bottom + e.top) / 2 + (ay - m_viewport.height() / 2) * s;
    return true;
}

void ZNetCanvas::RebuildVisibleSet()
{
    m_visible.Rebuild(*this, GetExtent());
}

void ZNetCanvas::Paint(QPainter& painter, const QRect& clip, bool eraseBackground)
{
    const QRect area = clip.isEmpty() ? m_viewport : clip.intersected(m_viewport);
    if (eraseBackground)
        painter.fillRect(area, QtDrawContext::ToColor(m_settings.Colors().BkGround));
    if (area.isEmpty())
        return;
    if (m_doc && m_doc->GetBkDib() && m_doc->GetBkDib()->BkVisible)
        m_background->Draw(painter, *this, *m_doc->GetBkDib(), area);
    // A part of the window is drawn with a wider clip than its own, and the painter keeps the
    // pixels inside it: segments then end outside the part, so they rasterise as they do in a
    // whole paint, and arrows whose middles lie just outside still show their share.
    const bool part = area != m_viewport;
    const int margin = part ? DeviceSize(m_settings.Sizes().ArrawLength) + 2 : 0;
    if (part) {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
    }
    PaintContours(painter);
    if (ZLabelPlacer* placer = Placer())
        placer->BeginPaint(m_scale);
    QtDrawContext dc(*this, painter, DeviceRectToWorld(area.adjusted(-margin, -margin, margin, margin)));
    dc.BeginDraw();
    if (ZSymbolThinner* thinner = Thinner())
        thinner->BeginPaint(m_scale, SymbolSpacing());
    if (ZLabelPlacer* devices = DevicePlacer())
        devices->BeginPaint(m_scale);
    // Where symbols are thinned out, sources and selected nodes come first and always show.
    auto drawNodes = [&](const std::vector<ZNetObject*>& nodes) {
        auto first = [](const ZNetObject* o) { return o->HasFlag(qen::FLAG_HEAD_KNOWN) || o->IsSelected(); };
        for (ZNetObject* o : nodes)
            if (first(o))
                o->Draw(*this, dc);
        for (ZNetObject* o : nodes)
            if (!first(o))
                o->Draw(*this, dc);
    };
    if (!part) {
        for (ZNetObject* o : m_visible.Links())
            o->Draw(*this, dc);
        drawNodes(m_visible.Nodes());
    } else {
        std::vector<ZNetObject*> links, nodes;
        m_visible.Collect(*this, dc.ClipRect(), links, nodes);
        for (ZNetObject* o : links)
            o->Draw(*this, dc);
        drawNodes(nodes);
    }
    dc.EndDraw();
    if (m_overlay)
        m_overlay(*this, dc);
    if (part)
        painter.restore();
}

bool ZNetCanvas::ContourFillShown() const
{
    if (!m_doc || !m_settings.ContourFillOn)
        return false;
    const ZDrawSettings& ds = m_doc->GetDrawSettings();
    return ds.Balanced && ds.ContourOption && !m_doc->GetContours().Rect.IsEmpty();
}

void ZNetCanvas::PaintContours(QPainter& painter) const
{
    if (!m_doc)
        return;
    const ZDrawSettings& ds = m_doc->GetDrawSettings();
    const ZContourSet& set = m_doc->GetContours();
    if (!ds.Balanced || !ds.ContourOption || set.Rect.IsEmpty())
        return;
    ZContourPainter::Style style;
    style.fill = m_settings.ContourFillOn;
    style.labels = m_settings.ContourLabelOn;
    style.lowest = m_settings.Colors().ContourFillLow;
    style.highest = m_settings.Colors().ContourFillHigh;
    style.line = m_settings.Colors().EquHydr;
    style.background = m_settings.Colors().BkGround;
    if (!m_doc->HasStaleResults()) {
        ZContourPainter::Paint(set, *this, painter, style);
        return;
    }
    // The contours come from the heads of the last run: around what changed since, they are left out.
    QRegion withheld;
    if (!StaleRegion(withheld))
        return;
    painter.save();
    painter.setClipRegion(QRegion(m_viewport).subtracted(withheld), Qt::IntersectClip);
    ZContourPainter::Paint(set, *this, painter, style);
    painter.restore();
}

bool ZNetCanvas::StaleRegion(QRegion& region) const
{
    // Beyond this many pieces the region costs more than it shows: no contours at all.
    constexpr int MaxPieces = 4000;
    const int margin = DeviceSize(StaleContourMargin);
    int pieces = 0;
    auto add = [&](const ZNetObject& o) {
        if (!m_doc->IsResultStale(o))
            return true;
        region += WorldRectToDevice(o.GetBoundRect(*this)).adjusted(-margin, -margin, margin, margin);
        return ++pieces <= MaxPieces;
    };
    for (const ZNetObject* o : m_visible.Links())
        if (o->GetKind() == ZNetObject::Kind::Pipe && !add(*o))
            return false;
    for (const ZNetObject* o : m_visible.Nodes())
        if (!add(*o))
            return false;
    return true;
}

ViewExtent ZNetCanvas::PickSquare(const QPoint& pt, int side) const
{
    const int half = side / 2;
    return DeviceRectToWorld(QRect(pt.x() - half, pt.y() - half, side, side));
}

ZNetObject* ZNetCanvas::PickAt(const QPoint& pt, int side) const
{
    return m_visible.First(*this, PickSquare(pt, side), [](ZNetObject*) { return true; });
}
