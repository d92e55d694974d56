#include "ZContourPainter.h"

#include "QtDrawContext.h"
#include "ZNetCanvas.h"

#include "model/ZContourSet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

QPolygonF Device(const ZNetCanvas& canvas, const std::vector<PipePoint>& points, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int k = 0; k < count; ++k)
        poly.append(canvas.WorldToDeviceF(points[static_cast<size_t>(k)].x, points[static_cast<size_t>(k)].y));
    return poly;
}

} // namespace

void ZContourPainter::Paint(const ZContourSet& set, const ZNetCanvas& canvas, QPainter& painter, const Style& style)
{
    if (set.Rect.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (style.fill) {
        painter.setPen(Qt::NoPen);
        const QRectF r = QRectF(canvas.WorldToDeviceF(set.Rect.left, set.Rect.top),
                                canvas.WorldToDeviceF(set.Rect.right, set.Rect.bottom)).normalized();
        painter.fillRect(r, QtDrawContext::ToColor(set.FillColour(set.FillBaseLevel, style.lowest, style.highest)));
        for (const ZContourPolygon& p : set.Polygons) {
            painter.setBrush(QtDrawContext::ToColor(set.FillColour(p.FillValue(set.Interval), style.lowest, style.highest)));
            painter.drawPolygon(Device(canvas, p.Points, static_cast<int>(p.Points.size())), Qt::WindingFill);
        }
    }
    QPen pen(QtDrawContext::ToColor(style.line));
    pen.setWidth(canvas.DeviceSize(1));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const ZContourPolygon& p : set.Polygons)
        painter.drawPolyline(Device(canvas, p.Points, p.TracedCount));

    if (style.labels) {
        painter.setFont(canvas.LabelFont());
        const QFontMetricsF fm(canvas.LabelFont(), painter.device());
        for (const ZContourPolygon& p : set.Polygons) {
            const auto k = static_cast<size_t>(p.LabelSegment);
            if (k + 1 >= p.Points.size())
                continue;
            const QPointF a = canvas.WorldToDeviceF(p.Points[k].x, p.Points[k].y);
            const QPointF b = canvas.WorldToDeviceF(p.Points[k + 1].x, p.Points[k + 1].y);
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
