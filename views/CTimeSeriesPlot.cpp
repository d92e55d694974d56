#include "CTimeSeriesPlot.h"

#include "model/NumberFormat.h"

#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {
// A step of 1, 2 or 5 times a power of ten giving about `ticks` intervals over the span.
double PlotNiceStep(double span, int ticks)
{
    if (!(span > 0.0))
        return 1.0;
    const double raw = span / ticks;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * p >= raw)
            return m * p;
    return 10.0 * p;
}

QColor PlotSeriesColour(size_t i)
{
    static const QColor colours[] = {QColor(31, 119, 180),  QColor(214, 39, 40),   QColor(44, 160, 44),
                                     QColor(255, 127, 14),  QColor(148, 103, 189), QColor(140, 86, 75),
                                     QColor(227, 119, 194), QColor(23, 190, 207),  QColor(127, 127, 127)};
    return colours[i % (sizeof colours / sizeof colours[0])];
}
}   // namespace

CTimeSeriesPlot::CTimeSeriesPlot(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("timeSeriesPlot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void CTimeSeriesPlot::SetTimes(std::vector<double> seconds, QStringList clockTexts)
{
    m_times = std::move(seconds);
    m_clock = std::move(clockTexts);
    update();
}

void CTimeSeriesPlot::SetAxis(const QString& title, bool stepped, QStringList levels)
{
    m_axis = title;
    m_stepped = stepped;
    m_levels = std::move(levels);
    update();
}

void CTimeSeriesPlot::SetSeries(std::vector<Series> series)
{
    m_series = std::move(series);
    update();
}

void CTimeSeriesPlot::SetTitle(const QString& title)
{
    m_title = title;
    update();
}

void CTimeSeriesPlot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Render(p, rect());
}

void CTimeSeriesPlot::Print(QPrinter& printer) const
{
    QPainter p(&printer);
    if (!p.isActive())
        return;
    // The painter's origin is the page rectangle's corner.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    Render(p, QRect(QPoint(0, 0), page.size()));
}

void CTimeSeriesPlot::Render(QPainter& p, const QRect& area) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    // Sizes follow the font, so a printer page gets the proportions of the screen.
    QFont font = p.font();
    const double scale = std::max(1.0, area.height() / 420.0);
    font.setPointSizeF(font.pointSizeF() > 0 ? font.pointSizeF() : 9.0);
    p.setFont(font);
    const QFontMetricsF fm(p.fontMetrics());
    const double line = fm.height();
    const double pen = std::max(1.0, scale);

    double lo = INFINITY, hi = -INFINITY;
    for (const Series& s : m_series)
        for (double v : s.values)
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
    if (!m_levels.isEmpty()) {
        lo = 0.0;
        hi = m_levels.size() - 1.0;
    }
    if (!(lo <= hi)) {
        lo = 0.0;
        hi = 1.0;
    }
    if (hi - lo < 1e-9) {
        const double pad = std::max(std::fabs(hi) * 0.05, 0.5);
        lo -= pad;
        hi += pad;
    }
    const double yStep = m_levels.isEmpty() ? PlotNiceStep(hi - lo, 6) : 1.0;
    if (m_levels.isEmpty()) {
        lo = std::floor(lo / yStep) * yStep;
        hi = std::ceil(hi / yStep) * yStep;
    } else {
        lo -= 0.15;
        hi += 0.15;
    }

    std::vector<QString> yLabels;
    double labelWidth = 0.0;
    const double firstTick = m_levels.isEmpty() ? lo : 0.0;
    for (double v = firstTick; v <= hi + yStep * 1e-6; v += yStep) {
        const int level = static_cast<int>(std::lround(v));
        const QString text = m_levels.isEmpty()
                                 ? QString::fromStdString(NumberFormat::G(std::fabs(v) < yStep * 1e-9 ? 0.0 : v))
                             : level >= 0 && level < m_levels.size() ? m_levels[level]
                                                                     : QString();
        yLabels.push_back(text);
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(text));
    }
    const double legendWidth = [&] {
        double w = 0.0;
        for (const Series& s : m_series)
            w = std::max(w, fm.horizontalAdvance(s.name));
        return m_series.empty() ? 0.0 : w + 3.0 * line;
    }();
    const QRectF plot(area.left() + labelWidth + 2.0 * line, area.top() + 2.2 * line,
                      std::max(10.0, area.width() - labelWidth - 3.0 * line - legendWidth),
                      std::max(10.0, area.height() - 5.0 * line));

    p.setPen(Qt::black);
    if (!m_title.isEmpty())
        p.drawText(QRectF(area.left(), area.top() + 0.3 * line, area.width(), line * 1.2), Qt::AlignHCenter, m_title);
    p.drawText(QPointF(area.left() + 0.5 * line, plot.top() - 0.5 * line), m_axis);

    const double t0 = m_times.empty() ? 0.0 : m_times.front();
    const double t1 = m_times.size() > 1 ? m_times.back() : t0 + 3600.0;
    auto X = [&](double t) { return plot.left() + (t - t0) / (t1 - t0) * plot.width(); };
    auto Y = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };

    // Grid and axis labels.
    QPen gridPen(QColor(220, 220, 220), pen * 0.8);
    for (size_t i = 0; i < yLabels.size(); ++i) {
        const double v = firstTick + static_cast<double>(i) * yStep;
        const double y = Y(v);
        p.setPen(gridPen);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left(), y - line / 2, labelWidth + 1.5 * line, line), Qt::AlignRight | Qt::AlignVCenter,
                   yLabels[i]);
    }
    // Time ticks at whole hours, thinned to what fits.
    const double hours = (t1 - t0) / 3600.0;
    const double room = fm.horizontalAdvance(QStringLiteral("00:00:00")) * 1.6;
    const double xStepH = std::max(1.0, PlotNiceStep(hours, std::max(1, static_cast<int>(plot.width() / room))));
    for (double h = std::ceil(t0 / 3600.0 / xStepH) * xStepH; h * 3600.0 <= t1 + 1e-6; h += xStepH) {
        const double x = X(h * 3600.0);
        p.setPen(gridPen);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        // The label of the report time at this instant when there is one, else the hours.
        QString text = QString::fromStdString(NumberFormat::G(h)) + QStringLiteral("h");
        for (size_t k = 0; k < m_times.size(); ++k)
            if (std::fabs(m_times[k] - h * 3600.0) < 0.5 && static_cast<qsizetype>(k) < m_clock.size())
                text = m_clock[static_cast<qsizetype>(k)];
        p.drawText(QRectF(x - room / 2, plot.bottom() + 0.3 * line, room, line), Qt::AlignHCenter, text);
    }
    p.setPen(QPen(Qt::black, pen));
    p.drawRect(plot);
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.4 * line, plot.width(), line), Qt::AlignHCenter, tr("时刻"));

    // The lines, clipped to the plot; a NaN breaks a line.
    p.save();
    p.setClipRect(plot.adjusted(-pen, -pen, pen, pen));
    for (size_t i = 0; i < m_series.size(); ++i) {
        const Series& s = m_series[i];
        QPainterPath path;
        bool open = false;
        const size_t n = std::min(s.values.size(), m_times.size());
        for (size_t k = 0; k < n; ++k) {
            if (!std::isfinite(s.values[k])) {
                open = false;
                continue;
            }
            const QPointF pt(X(m_times[k]), Y(s.values[k]));
            if (!open)
                path.moveTo(pt);
            else {
                if (m_stepped)
                    path.lineTo(pt.x(), path.currentPosition().y());
                path.lineTo(pt);
            }
            open = true;
        }
        p.setPen(QPen(PlotSeriesColour(i), 2.0 * pen));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        if (n <= 60)
            for (size_t k = 0; k < n; ++k)
                if (std::isfinite(s.values[k]))
                    p.drawEllipse(QPointF(X(m_times[k]), Y(s.values[k])), 1.5 * pen, 1.5 * pen);
    }
    p.restore();

    // Legend beside the plot.
    double ly = plot.top();
    for (size_t i = 0; i < m_series.size(); ++i) {
        const double lx = plot.right() + line;
        p.setPen(QPen(PlotSeriesColour(i), 2.0 * pen));
        p.drawLine(QPointF(lx, ly + line / 2), QPointF(lx + 1.5 * line, ly + line / 2));
        p.setPen(Qt::black);
        p.drawText(QPointF(lx + 2.0 * line, ly + fm.ascent()), m_series[i].name);
        ly += line * 1.2;
    }
    p.restore();
}

QString CTimeSeriesPlot::CsvText() const
{
    // Names with a comma or quote are quoted as CSV asks.
    auto field = [](const QString& s) {
        if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')))
            return s;
        QString q = s;
        q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + q + QLatin1Char('"');
    };
    QString out = tr("时刻");
    for (const Series& s : m_series)
        out += QLatin1Char(',') + field(s.name);
    out += QLatin1Char('\n');
    for (size_t k = 0; k < m_times.size(); ++k) {
        out += k < static_cast<size_t>(m_clock.size()) ? m_clock[static_cast<qsizetype>(k)]
                                                       : QString::fromStdString(NumberFormat::G(m_times[k]));
        for (const Series& s : m_series) {
            out += QLatin1Char(',');
            if (k < s.values.size() && std::isfinite(s.values[k]))
                out += QString::fromStdString(NumberFormat::G(s.values[k]));
        }
        out += QLatin1Char('\n');
    }
    return out;
}
