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

// The editing cursors: a CAD crosshair with a small pick box, and a badge saying what a click does.
void Crosshair(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(0, 11, 22, 11);
    p.drawLine(11, 0, 11, 22);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 11, 22, 11);
    p.drawLine(11, 0, 11, 22);
    p.setBrush(Qt::NoBrush);
    p.drawRect(8, 8, 6, 6);
    p.setRenderHint(QPainter::Antialiasing, true);
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
    case 142:   // window: a cross with a dashed frame
        p.drawLine(QPointF(0, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(6.5, 0), QPointF(6.5, 13));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(QRectF(6.5, 6.5, 15, 12));
        hx = hy = 6;
        break;
    case 143:
        Magnifier(p, "-");
        break;
    case 144:
        Magnifier(p, "+");
        break;
    case 145:
        Magnifier(p, "r");
        break;
    case 146: {   // a four-way arrow
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(12, 2), QPointF(12, 22));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        const QPointF tips[4][3] = {{{12, 1}, {9, 5}, {15, 5}},
                                    {{12, 23}, {9, 19}, {15, 19}},
                                    {{1, 12}, {5, 9}, {5, 15}},
                                    {{23, 12}, {19, 9}, {19, 15}}};
        p.setBrush(Qt::black);
        for (const auto& t : tips)
            p.drawPolygon(t, 3);
        hx = hy = 12;
        break;
    }
    case 141:   // placing an image: a cross with a small picture
        p.drawLine(QPointF(0, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(6.5, 0), QPointF(6.5, 13));
        p.setBrush(QColor(120, 180, 255));
        p.drawRect(QRectF(10.5, 10.5, 11, 9));
        hx = hy = 6;
        break;
    case 266:     // insert: a green plus
    case 267:     // delete: a red cross
    case 306: {   // move: a blue four-way arrow
        p.end();
        pm = QPixmap(32, 32);
        pm.fill(Qt::transparent);
        p.begin(&pm);
        Crosshair(p);
        const QColor badge = id == 266 ? QColor(0, 140, 0) : id == 267 ? QColor(200, 0, 0) : QColor(0, 70, 200);
        p.setPen(QPen(badge, 2.2, Qt::SolidLine, Qt::RoundCap));
        if (id == 266) {
            p.drawLine(QPointF(25, 18), QPointF(25, 28));
            p.drawLine(QPointF(20, 23), QPointF(30, 23));
        } else if (id == 267) {
            p.drawLine(QPointF(20, 18), QPointF(29, 27));
            p.drawLine(QPointF(29, 18), QPointF(20, 27));
        } else {
            p.drawLine(QPointF(24.5, 17), QPointF(24.5, 30));
            p.drawLine(QPointF(18, 23.5), QPointF(31, 23.5));
        }
        hx = hy = 11;
        break;
    }
    default:
        return QCursor(Qt::ArrowCursor);
    }
    p.end();
    return QCursor(pm, hx, hy);
}
}   // namespace

QCursor ZViewCursors::Cursor(int id)
{
    static std::map<int, QCursor> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.emplace(id, Make(id)).first;
    return it->second;
}
