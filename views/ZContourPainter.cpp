#include "ZContourPainter.h"

#include "QtDrawContext.h"
#include "ZNetCanvas.h"

#include "model/ZContourSet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QPolygonF Device(const ZNetCanvas& canvas, const std::vector<PipePoint>& points, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int k = 0; k < count; ++k)
        poly.append(canvas.WorldToDeviceF(points[static_cast<size_t>(k)].x, points[static_cast<size_t>(k)].y));
    return poly;
}

}   // namespace

uint32_t ZContourPainter::Tint(uint32_t colour, uint32_t background, double strength)
{
    const double t = std::clamp(strength, 0.0, 1.0);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c = static_cast<int>(colour >> shift & 0xFF), b = static_cast<int>(background >> shift & 0xFF);
        out |= static_cast<uint32_t>(std::lround(b + t * (c - b))) << shift;
    }
    return out;
}

void ZContourPainter::Paint(const ZContourSet& set, const ZNetCanvas& canvas, QPainter& painter, const Style& style)
{
    if (set.Rect.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Only polygons reaching the part being painted are handed to the painter (pan steps paint
    // narrow strips).
    const QRectF area = painter.hasClipping()
                            ? painter.clipBoundingRect()
                            : QRectF(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
    std::vector<QPolygonF> shapes(set.Polygons.size());
    std::vector<char> shown(set.Polygons.size(), 0);
    for (size_t k = 0; k < set.Polygons.size(); ++k) {
        shapes[k] = Device(canvas, set.Polygons[k].Points, static_cast<int>(set.Polygons[k].Points.size()));
        shown[k] = shapes[k].boundingRect().adjusted(-2, -2, 2, 2).intersects(area);
    }
    if (style.fill) {
        painter.setPen(Qt::NoPen);
        const QRectF r = QRectF(canvas.WorldToDeviceF(set.Rect.left, set.Rect.top),
                                canvas.WorldToDeviceF(set.Rect.right, set.Rect.bottom))
                             .normalized();
        auto tinted = [&](double level) {
            return QtDrawContext::ToColor(
                Tint(set.FillColour(level, style.lowest, style.highest), style.background, style.fillStrength));
        };
        painter.fillRect(r, tinted(set.FillBaseLevel));
        for (size_t k = 0; k < set.Polygons.size(); ++k) {
            if (!shown[k])
                continue;
            const ZContourPolygon& p = set.Polygons[k];
            painter.setBrush(tinted(p.FillValue(set.Interval)));
            painter.drawPolygon(shapes[k], Qt::WindingFill);
        }
    }
    QPen pen(QtDrawContext::ToColor(style.line));
    pen.setWidth(canvas.DeviceSize(1));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (size_t k = 0; k < set.Polygons.size(); ++k)
        if (shown[k])
            painter.drawPolyline(shapes[k].constData(), set.Polygons[k].TracedCount);

    if (style.labels) {
        painter.setFont(canvas.LabelFont());
        const QFontMetricsF fm(canvas.LabelFont(), painter.device());
        const double reach = fm.horizontalAdvance(QStringLiteral("0000.0"));
        const QRectF labelArea = area.adjusted(-reach, -reach, reach, reach);
        for (size_t n = 0; n < set.Polygons.size(); ++n) {
            const ZContourPolygon& p = set.Polygons[n];
            const auto k = static_cast<size_t>(p.LabelSegment);
            if (!shown[n] || k + 1 >= p.Points.size())
                continue;
            const QPointF a = shapes[n][static_cast<int>(k)];
            const QPointF b = shapes[n][static_cast<int>(k) + 1];
            if (!labelArea.contains((a + b) / 2.0))
                continue;
            double degrees = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI;
            if (degrees > 90.0)
                degrees -= 180.0;
            else if (degrees < -90.0)
                degrees += 180.0;
            const QString text = QString::fromStdString(ZContourSet::LevelText(p.Level));
            const double w = fm.horizontalAdvance(text);
            painter.save();
            painter.translate((a + b) / 2.0);
            painter.rotate(degrees);
            painter.drawText(QPointF(-w / 2.0, (fm.ascent() - fm.descent()) / 2.0), text);
            painter.restore();
        }
    }
    painter.restore();
}
