#include "CSizingChart.h"

#include "model/NumberFormat.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

CSizingChart::CSizingChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 120);
    setObjectName(QStringLiteral("sizingChart"));
}

void CSizingChart::Clear()
{
    m_points.clear();
    m_end = 0.0;
    update();
}

void CSizingChart::Add(double seconds, double cost, bool feasible)
{
    m_points.push_back({seconds, cost, feasible});
    update();
}

void CSizingChart::SetEnd(double seconds)
{
    m_end = seconds;
    update();
}

void CSizingChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const QFontMetrics fm = p.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("0000000000")) + 6, bottom = fm.height() + 6;
    const QRectF plot(left, 6, width() - left - 10, height() - bottom - 12);
    p.setPen(palette().text().color());
    p.drawRect(plot);
    if (m_points.isEmpty())
        return;
    double lo = m_points.front().cost, hi = lo, t1 = std::max({1.0, m_points.back().seconds * 1.05, m_end});
    for (const Point& pt : m_points) {
        lo = std::min(lo, pt.cost);
        hi = std::max(hi, pt.cost);
    }
    if (hi - lo < 1e-9 * std::max(1.0, hi)) {
        lo -= 0.5;
        hi += 0.5;
    }
    const double pad = (hi - lo) * 0.05;
    lo -= pad;
    hi += pad;
    auto at = [&](double t, double c) {
        return QPointF(plot.left() + plot.width() * t / t1, plot.bottom() - plot.height() * (c - lo) / (hi - lo));
    };
    p.drawText(QRectF(0, plot.top() - 2, left - 4, fm.height()), Qt::AlignRight,
               QString::fromStdString(NumberFormat::Fixed(hi, 0)));
    p.drawText(QRectF(0, plot.bottom() - fm.height() + 2, left - 4, fm.height()), Qt::AlignRight,
               QString::fromStdString(NumberFormat::Fixed(lo, 0)));
    p.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), fm.height()), Qt::AlignRight,
               QString::fromStdString(NumberFormat::Fixed(t1, 1)) + QStringLiteral(" s"));
    // Best so far holds until the next better design: a falling staircase.
    QPainterPath path(at(m_points.front().seconds, m_points.front().cost));
    for (int i = 1; i < m_points.size(); ++i) {
        path.lineTo(at(m_points[i].seconds, m_points[i - 1].cost));
        path.lineTo(at(m_points[i].seconds, m_points[i].cost));
    }
    path.lineTo(at(t1, m_points.back().cost));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 200), 2));
    p.drawPath(path);
    for (const Point& pt : m_points) {
        p.setBrush(pt.feasible ? QColor(0, 150, 60) : QColor(210, 40, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(at(pt.seconds, pt.cost), 3, 3);
    }
}
