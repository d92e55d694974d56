#include "ZViewCursors.h"

#include <QPainter>
#include <QPixmap>

#include <map>

namespace {
void Magnifier(QPainter& p, const char* sign)
{
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 13), QPointF(20, 20));
    p.setPen(QPen(Qt::black, 1.5));
    if (sign[0] == '+' || sign[0] == '-')
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
    if (sign[0] == '+')
        p.drawLine(QPointF(8, 5), QPointF(8, 11));
    if (sign[0] == 'r') {
        p.drawLine(QPointF(8, 4), QPointF(8, 12));
        p.drawLine(QPointF(8, 4), QPointF(6, 6.5));
        p.drawLine(QPointF(8, 4), QPointF(10, 6.5));
        p.drawLine(QPointF(8, 12), QPointF(6, 9.5));
        p.drawLine(QPointF(8, 12), QPointF(10, 9.5));
    }
}

QCursor Make(int id)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    int hx = 8, hy = 8;
    switch (id) {
    case 142: // window: a cross with a dashed frame
        p.drawLine(QPointF(0, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(6.5, 0), QPointF(6.5, 13));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(QRectF(6.5, 6.5, 15, 12));
        hx = hy = 6;
        break;
    case 143: Magnifier(p, "-"); break;
    case 144: Magnifier(p, "+"); break;
    case 145: Magnifier(p, "r"); break;
    case 146: { // a four-way arrow
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(12, 2), QPointF(12, 22));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        const QPointF tips[4][3] = {{{12, 1}, {9, 5}, {15, 5}}, {{12, 23}, {9, 19}, {15, 19}},
                                    {{1, 12}, {5, 9}, {5, 15}}, {{23, 12}, {19, 9}, {19, 15}}};
        p.setBrush(Qt::black);
        for (const auto& t : tips)
            p.drawPolygon(t, 3);
        hx = hy = 12;
        break;
    }
    case 141: // placing an image: a cross with a small picture
        p.drawLine(QPointF(0, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(6.5, 0), QPointF(6.5, 13));
        p.setBrush(QColor(120, 180, 255));
        p.drawRect(QRectF(10.5, 10.5, 11, 9));
        hx = hy = 6;
        break;
    default:
        return QCursor(Qt::ArrowCursor);
    }
    p.end();
    return QCursor(pm, hx, hy);
}
} // namespace

QCursor ZViewCursors::Cursor(int id)
{
    static std::map<int, QCursor> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.emplace(id, Make(id)).first;
    return it->second;
}
