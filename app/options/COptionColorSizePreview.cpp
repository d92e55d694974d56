#include "COptionColorSizePreview.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QColor C(uint32_t c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}
}   // namespace

COptionColorSizePreview::COptionColorSizePreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("colorPreview"));
    setMinimumSize(200, 100);
}

void COptionColorSizePreview::SetLook(const Look& look)
{
    m_look = look;
    update();
}

void COptionColorSizePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), C(m_look.background));
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const int w = width(), h = height();
    // A contour line sweeping across behind the network.
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath contour;
    contour.moveTo(10, h * 0.8);
    contour.cubicTo(w * 0.35, h * 0.2, w * 0.6, h * 1.0, w - 10, h * 0.3);
    p.setPen(QPen(C(m_look.contour), 1));
    p.drawPath(contour);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPoint nodes[] = {{w / 6, h / 3}, {w / 2, h / 3}, {5 * w / 6, h / 3}, {w / 6, 3 * h / 4}, {w / 2, 3 * h / 4}};
    p.setPen(QPen(C(m_look.pipe), m_look.lineWidth, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(nodes[0], nodes[1]);
    p.drawLine(nodes[1], nodes[2]);
    p.drawLine(nodes[0], nodes[3]);
    p.drawLine(nodes[3], nodes[4]);
    p.drawLine(nodes[1], nodes[4]);
    const int s = m_look.nodeSize;
    p.setPen(QPen(C(m_look.nodePen), 1));
    p.setBrush(C(m_look.nodeFill));
    for (const QPoint& n : nodes)
        p.drawRect(n.x() - s / 2, n.y() - s / 2, s - 1, s - 1);
}
