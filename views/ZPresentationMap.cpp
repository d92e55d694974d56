#include "ZPresentationMap.h"

#include "NetworkImageExporter.h"
#include "ZNetCanvas.h"

#include "model/NumberFormat.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
int MapMm(double mm, int dpi)
{
    return static_cast<int>(std::lround(mm * dpi / 25.4));
}

QFont MapFont(double points, int dpi, bool bold = false)
{
    QFont f(ZNetCanvas::DefaultLabelFamilies());
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
    f.setBold(bold);
    return f;
}

}   // namespace

double ZPresentationMap::RoundLength(double metres)
{
    if (!(metres > 0.0) || !std::isfinite(metres))
        return 0.0;
    const double p = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double m : {5.0, 2.0, 1.0})
        if (m * p <= metres * (1 + 1e-12))
            return m * p;
    return p;
}

QString ZPresentationMap::ScaleText(double metresPerPixel, int dpi)
{
    const double n = metresPerPixel * dpi / 0.0254;   // metres of ground per metre of paper
    if (!(n > 0.0) || !std::isfinite(n))
        return {};
    const double p = std::pow(10.0, std::floor(std::log10(n)) - 2);
    const double rounded = p >= 1.0 ? std::round(n / p) * p : std::round(n);
    return QStringLiteral("1:") + QString::fromStdString(NumberFormat::Fixed(std::max(rounded, 1.0), 0));
}

void ZPresentationMap::Paint(QPainter& painter, const QRect& rect, int dpi, bool printing) const
{
    const int gap = MapMm(3, dpi);
    const int band = MapMm(22, dpi);
    const QRect map(rect.left(), rect.top(), rect.width(), std::max(1, rect.height() - band - gap));
    painter.save();
    painter.setClipRect(map);
    painter.translate(map.topLeft());
    m_exporter.Paint(painter, map.size(), dpi, dpi, printing);
    painter.restore();

    ZNetCanvas canvas(m_exporter.Settings());
    m_exporter.Fit(canvas, map.size(), dpi, dpi, printing);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, std::max(1, MapMm(0.3, dpi))));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(map);
    const int arrow = MapMm(14, dpi);
    PaintNorthArrow(painter, QRect(map.left() + gap, map.top() + gap, arrow, arrow * 3 / 2));
    const QRect bottom(rect.left(), map.bottom() + gap, rect.width(), band);
    const int titleWidth = std::min(bottom.width() / 2, MapMm(100, dpi));
    PaintScaleBar(painter, QRect(bottom.left(), bottom.top(), bottom.width() - titleWidth - gap, bottom.height()),
                  canvas.GetScale(), dpi);
    PaintTitleBlock(painter, QRect(bottom.right() - titleWidth + 1, bottom.top(), titleWidth, bottom.height()));
    painter.restore();
}

void ZPresentationMap::PaintNorthArrow(QPainter& painter, const QRect& box) const
{
    const double cx = box.center().x() + 0.5;
    const double w = box.width() * 0.35;
    const double top = box.top() + box.height() * 0.3;
    const double bottom = box.bottom();
    const double mid = top + (bottom - top) * 0.7;
    QPainterPath left, right;   // half filled, half open: the usual arrow
    left.moveTo(cx, top);
    left.lineTo(cx - w, bottom);
    left.lineTo(cx, mid);
    left.closeSubpath();
    right.moveTo(cx, top);
    right.lineTo(cx + w, bottom);
    right.lineTo(cx, mid);
    right.closeSubpath();
    painter.setBrush(Qt::black);
    painter.drawPath(left);
    painter.setBrush(Qt::white);
    painter.drawPath(right);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(MapFont(12, painter.device()->logicalDpiY(), true));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), top - box.top()), Qt::AlignCenter, QStringLiteral("N"));
}

void ZPresentationMap::PaintScaleBar(QPainter& painter, const QRect& box, double metresPerPixel, int dpi) const
{
    if (!(metresPerPixel > 0.0))
        return;
    const QFont font = MapFont(8, painter.device()->logicalDpiY());
    painter.setFont(font);
    const QFontMetrics fm(font);
    // A bar of four parts about a fifth of the page wide, at most the box.
    const double length = RoundLength(std::min(box.width() * 0.8, MapMm(60, dpi) * 1.0) * metresPerPixel);
    const double px = length / metresPerPixel;
    if (!(px >= 4.0))
        return;
    const int x0 = box.left() + fm.horizontalAdvance(QStringLiteral("0")) / 2 + 1;
    const int h = MapMm(2, dpi);
    const int y = box.top() + fm.height() + MapMm(1, dpi);
    const bool km = length >= 1000.0;
    auto label = [&](double metres) { return QString::fromStdString(NumberFormat::G(km ? metres / 1000.0 : metres)); };
    for (int i = 0; i < 4; ++i) {
        const QRectF part(x0 + px * i / 4.0, y, px / 4.0, h);
        painter.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
        painter.drawRect(part);
    }
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i <= 4; i += 2) {
        const QString t =
            label(length * i / 4.0) + (i == 4 ? (km ? QStringLiteral(" km") : QStringLiteral(" m")) : QString());
        const double x = x0 + px * i / 4.0;
        const double tx = i == 4 ? x - fm.horizontalAdvance(label(length)) / 2.0 : x - fm.horizontalAdvance(t) / 2.0;
        painter.drawText(QPointF(tx, y - MapMm(0.8, dpi)), t);
    }
    painter.drawText(QPointF(x0, y + h + fm.ascent() + MapMm(1.5, dpi)),
                     ZPresentationMap::tr("比例尺 %1").arg(ScaleText(metresPerPixel, dpi)));
}

void ZPresentationMap::PaintTitleBlock(QPainter& painter, const QRect& box) const
{
    const QFont font = MapFont(9, painter.device()->logicalDpiY());
    painter.setFont(font);
    const QStringList captions{ZPresentationMap::tr("工程名称"), ZPresentationMap::tr("设计人"),
                               ZPresentationMap::tr("日期")};
    const QStringList values{QString::fromStdString(m_title.project), QString::fromStdString(m_title.designer),
                             QString::fromStdString(m_title.date)};
    const int rows = static_cast<int>(captions.size());
    const int rowH = box.height() / rows;
    const int captionW = box.width() / 4;
    painter.drawRect(QRect(box.left(), box.top(), box.width(), rowH * rows));
    for (int r = 0; r < rows; ++r) {
        const QRect row(box.left(), box.top() + r * rowH, box.width(), rowH);
        if (r > 0)
            painter.drawLine(row.topLeft(), row.topRight());
        const int pad = rowH / 5;
        painter.drawText(QRect(row.left() + pad, row.top(), captionW - pad, rowH), Qt::AlignVCenter | Qt::AlignLeft,
                         captions[r]);
        painter.drawText(QRect(row.left() + captionW + pad, row.top(), row.width() - captionW - 2 * pad, rowH),
                         Qt::AlignVCenter | Qt::AlignLeft, values[r]);
    }
    painter.drawLine(QPoint(box.left() + captionW, box.top()), QPoint(box.left() + captionW, box.top() + rowH * rows));
}
