#include "ZSymbolImages.h"

#include "model/ZDeviceLink.h"
#include "model/ZDeviceSymbolSet.h"

#include <QPainter>
#include <QPainterPath>

#include <map>

namespace {
using Drawer = void (*)(QPainter&, const QColor& ink, const QColor& fill);

void Pump(QPainter& p, const QColor& ink, const QColor& fill)
{
    // Centrifugal pump: a wheel on the inlet line with the outlet leaving tangentially at the top.
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 3.5, 14, 14));
    p.drawLine(QPointF(0, 10.5), QPointF(2.5, 10.5));
    p.drawLine(QPointF(16.5, 10.5), QPointF(20, 10.5));
    QPainterPath tri;
    tri.moveTo(6.5, 6.5);
    tri.lineTo(14.5, 10.5);
    tri.lineTo(6.5, 14.5);
    tri.closeSubpath();
    p.setBrush(ink);
    p.drawPath(tri);
}

void Bowtie(QPainter& p, const QColor& ink, const QColor& left, const QColor& right)
{
    p.setPen(QPen(ink, 1));
    QPolygonF a{{0.5, 2.5}, {9.5, 8.5}, {0.5, 14.5}};
    QPolygonF b{{19.5, 2.5}, {10.5, 8.5}, {19.5, 14.5}};
    p.setBrush(left);
    p.drawPolygon(a);
    p.setBrush(right);
    p.drawPolygon(b);
}

void Gate(QPainter& p, const QColor& ink, const QColor& fill)
{
    Bowtie(p, ink, fill, fill);
    p.drawLine(QPointF(10, 8.5), QPointF(10, 1.5));
    p.drawLine(QPointF(7, 1.5), QPointF(13, 1.5));
}

void Check(QPainter& p, const QColor& ink, const QColor& fill)
{
    Bowtie(p, ink, ink, fill);
}

void Reducing(QPainter& p, const QColor& ink, const QColor& fill)
{
    Bowtie(p, ink, fill, fill);
    p.setBrush(ink);
    p.drawRect(QRectF(7.5, 0.5, 5, 4));
    p.drawLine(QPointF(10, 4.5), QPointF(10, 8.5));
}

void Reservoir(QPainter& p, const QColor& ink, const QColor& fill)
{
    // An open basin with water; the outlet is at the middle of its floor.
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRect(QRectF(3.5, 9.5, 12, 6));
    p.drawLine(QPointF(1.5, 3.5), QPointF(1.5, 15.5));
    p.drawLine(QPointF(17.5, 3.5), QPointF(17.5, 15.5));
    p.drawLine(QPointF(1.5, 15.5), QPointF(17.5, 15.5));
    p.drawLine(QPointF(9.5, 15.5), QPointF(9.5, 18));
    p.drawLine(QPointF(4.5, 7.5), QPointF(7.5, 7.5));
    p.drawLine(QPointF(11.5, 7.5), QPointF(14.5, 7.5));
}

void Tower(QPainter& p, const QColor& ink, const QColor& fill)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRect(QRectF(3.5, 0.5, 12, 7));
    p.drawLine(QPointF(5.5, 7.5), QPointF(3.5, 17.5));
    p.drawLine(QPointF(13.5, 7.5), QPointF(15.5, 17.5));
    p.drawLine(QPointF(9.5, 7.5), QPointF(9.5, 18));
    p.drawLine(QPointF(4.5, 12.5), QPointF(14.5, 12.5));
}

QImage Render(int w, int h, Drawer draw, const QColor& ink, const QColor& fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    draw(p, ink, fill);
    return img;
}

ZSymbolImages::Variant Make(const ZDeviceSymbolSet& set, Drawer draw)
{
    ZSymbolImages::Variant v;
    v.image = Render(set.width, set.height, draw, QColor(0, 0, 160), QColor(200, 225, 255));
    v.selected = Render(set.width, set.height, draw, QColor(220, 0, 0), QColor(255, 220, 160));
    v.mask = QImage(set.width, set.height, QImage::Format_RGB32);
    for (int y = 0; y < set.height; ++y)
        for (int x = 0; x < set.width; ++x) {
            const bool under = qAlpha(v.image.pixel(x, y)) > 0 || qAlpha(v.selected.pixel(x, y)) > 0;
            v.mask.setPixel(x, y, under ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return v;
}

const std::map<int, ZSymbolImages::Variant>& Table()
{
    static const std::map<int, ZSymbolImages::Variant> table = [] {
        using K = ZNetObject::Kind;
        const ZDeviceSymbolSet& pump = *ZDeviceSymbolSet::For(K::Pump);
        const ZDeviceSymbolSet& valve = *ZDeviceSymbolSet::For(K::Valve);
        const ZDeviceSymbolSet& tank = *ZDeviceSymbolSet::For(K::Tank);
        std::map<int, ZSymbolImages::Variant> t;
        t[pump.images[0]] = Make(pump, Pump);
        t[valve.images[0]] = Make(valve, Gate);
        t[valve.images[1]] = Make(valve, Check);
        t[valve.images[2]] = Make(valve, Reducing);
        t[tank.images[0]] = Make(tank, Reservoir);
        t[tank.images[1]] = Make(tank, Tower);
        return t;
    }();
    return table;
}
}   // namespace

const ZSymbolImages::Variant* ZSymbolImages::ByImageId(int id)
{
    const auto& t = Table();
    auto it = t.find(id);
    return it == t.end() ? nullptr : &it->second;
}

const ZSymbolImages::Variant* ZSymbolImages::For(const ZDeviceLink& device)
{
    const ZDeviceSymbolSet* set = ZDeviceSymbolSet::For(device.GetKind());
    if (!set)
        return nullptr;
    return ByImageId(set->images[set->Variant(device.SymbolIndex())]);
}
