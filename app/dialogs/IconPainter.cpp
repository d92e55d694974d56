#include "IconPainter.h"
#include "views/CommandIds.h"
#include "VectorIconEngine.h"

#include <QPainter>
#include <QPainterPath>

using namespace Cmd;

namespace {
const QColor kInk(40, 48, 64);
const QColor kPipe(0, 70, 220);
const QColor kNodeRim(220, 0, 0);
const QColor kNodeFill(0, 220, 110);
const QColor kPaper(255, 255, 255);
const QColor kFolder(236, 180, 60);
const QColor kGreen(20, 150, 40);
const QColor kRed(210, 30, 30);
const QColor kWater(80, 160, 240);
const QColor kGlass(200, 230, 255);

QPen Pen(const QColor& c, qreal w = 1.0)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A path through the given points, closed back to the first when asked.
QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed = false)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    if (closed)
        path.closeSubpath();
    return path;
}

void Node(QPainter& p, QPointF c, qreal r = 2.2)
{
    p.setPen(Pen(kNodeRim, 1.0));
    p.setBrush(kNodeFill);
    p.drawEllipse(c, r, r);
}

void PipeLine(QPainter& p, QPointF a, QPointF b, qreal w = 1.6)
{
    p.setPen(Pen(kPipe, w));
    p.drawLine(a, b);
}

void Pump(QPainter& p, QPointF c, qreal r)
{
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawEllipse(c, r, r);
    const QPainterPath t = Polyline(
        {{c.x() - r * 0.45, c.y() - r * 0.6}, {c.x() + r * 0.65, c.y()}, {c.x() - r * 0.45, c.y() + r * 0.6}}, true);
    p.setBrush(kInk);
    p.drawPath(t);
}

void Valve(QPainter& p, QPointF c, qreal r)
{
    const QPainterPath b = Polyline({{c.x() - r, c.y() - r * 0.7},
                                     {c.x() + r, c.y() + r * 0.7},
                                     {c.x() + r, c.y() - r * 0.7},
                                     {c.x() - r, c.y() + r * 0.7}},
                                    true);
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(kInk);
    p.drawPath(b);
}

void Tank(QPainter& p, QRectF r)
{
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(r);
    QRectF w(r.left(), r.top() + r.height() * 0.45, r.width(), r.height() * 0.55);
    p.fillRect(w.adjusted(0.5, 0, -0.5, -0.5), kWater);
    p.drawRect(r);
}

// The object alone, centred in the upper-left 12 x 12 area to leave room for a badge.
void ObjectGlyph(QPainter& p, int kind, bool small)
{
    const qreal s = small ? 0.78 : 1.0;
    p.save();
    if (small)
        p.scale(s, s);
    switch (kind) {
    case 0:
        PipeLine(p, {1.5, 8}, {5, 8});
        PipeLine(p, {11, 8}, {14.5, 8});
        Node(p, {8, 8}, 3.4);
        break;
    case 1:
        PipeLine(p, {3, 13}, {13, 3}, 2.0);
        Node(p, {3, 13}, 2.0);
        Node(p, {13, 3}, 2.0);
        break;
    case 2:
        PipeLine(p, {1, 8}, {3.5, 8});
        PipeLine(p, {12.5, 8}, {15, 8});
        Pump(p, {8, 8}, 4.6);
        break;
    case 3:
        PipeLine(p, {1, 8}, {3, 8});
        PipeLine(p, {13, 8}, {15, 8});
        Valve(p, {8, 8}, 5.0);
        break;
    default:
        PipeLine(p, {8, 12}, {8, 15});
        Tank(p, QRectF(2.5, 2.5, 11, 9.5));
        break;
    }
    p.restore();
}

void BadgePlus(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(12.2, 12.2), 3.6, 3.6);
    p.setPen(Pen(Qt::white, 1.4));
    p.drawLine(QPointF(12.2, 10.2), QPointF(12.2, 14.2));
    p.drawLine(QPointF(10.2, 12.2), QPointF(14.2, 12.2));
}

void BadgeCross(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(12.2, 12.2), 3.6, 3.6);
    p.setPen(Pen(Qt::white, 1.4));
    p.drawLine(QPointF(10.8, 10.8), QPointF(13.6, 13.6));
    p.drawLine(QPointF(13.6, 10.8), QPointF(10.8, 13.6));
}

void FourWayArrows(QPainter& p, QPointF c, qreal r, const QColor& col)
{
    p.setPen(Pen(col, 1.2));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    const qreal h = r * 0.4;
    p.setBrush(col);
    for (int i = 0; i < 4; ++i) {
        const QPainterPath a =
            Polyline({{c.x() + r + 0.3, c.y()}, {c.x() + r - h, c.y() - h}, {c.x() + r - h, c.y() + h}}, true);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(90 * i);
        t.translate(-c.x(), -c.y());
        p.drawPath(t.map(a));
    }
}

void BadgeMove(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(12, 12), 4, 4);
    FourWayArrows(p, {12, 12}, 3.4, kGreen);
}

void Page(QPainter& p, QRectF r, const QColor& fill = kPaper)
{
    QPainterPath path;
    const qreal f = 3.5;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - f, r.top());
    path.lineTo(r.right(), r.top() + f);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - f, r.top()), QPointF(r.right() - f, r.top() + f));
    p.drawLine(QPointF(r.right() - f, r.top() + f), QPointF(r.right(), r.top() + f));
}

void Magnifier(QPainter& p, QPointF c, qreal r)
{
    p.setPen(Pen(kInk, 2.2));
    const QPointF h(c.x() + r * 0.72, c.y() + r * 0.72);
    p.drawLine(h, QPointF(h.x() + r * 0.85, h.y() + r * 0.85));
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kGlass);
    p.drawEllipse(c, r, r);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& col, qreal w = 1.4)
{
    p.setPen(Pen(col, w));
    p.drawLine(from, to);
    QLineF l(to, from);
    QLineF a = l;
    a.setLength(3.0);
    a.setAngle(l.angle() + 35);
    QLineF b = l;
    b.setLength(3.0);
    b.setAngle(l.angle() - 35);
    const QPainterPath head = Polyline({{to}, {a.p2()}, {b.p2()}}, true);
    p.setBrush(col);
    p.setPen(Pen(col, 0.8));
    p.drawPath(head);
}

void MiniNetwork(QPainter& p)
{
    PipeLine(p, {3, 4}, {12, 3}, 1.3);
    PipeLine(p, {3, 4}, {5, 12}, 1.3);
    PipeLine(p, {12, 3}, {13, 12}, 1.3);
    PipeLine(p, {5, 12}, {13, 12}, 1.3);
    Node(p, {3, 4}, 1.6);
    Node(p, {12, 3}, 1.6);
    Node(p, {5, 12}, 1.6);
    Node(p, {13, 12}, 1.6);
}

void Triangle(QPainter& p, qreal x, bool right, const QColor& c)
{
    QPainterPath t;
    if (right) {
        t.moveTo(x, 4);
        t.lineTo(x + 5, 8);
        t.lineTo(x, 12);
    } else {
        t.moveTo(x + 5, 4);
        t.lineTo(x, 8);
        t.lineTo(x + 5, 12);
    }
    t.closeSubpath();
    p.setPen(Pen(c, 1.0));
    p.setBrush(c);
    p.drawPath(t);
}

void Record(QPainter& p, int id)
{
    const QColor c(30, 90, 170);
    p.setPen(Pen(c, 1.6));
    switch (id) {
    case RecordFirst:
        p.drawLine(QPointF(3.5, 4), QPointF(3.5, 12));
        Triangle(p, 5.5, false, c);
        Triangle(p, 9.5, false, c);
        break;
    case RecordPrev:
        Triangle(p, 5.5, false, c);
        break;
    case RecordNext:
        Triangle(p, 5.5, true, c);
        break;
    default:
        Triangle(p, 1.5, true, c);
        Triangle(p, 5.5, true, c);
        p.setPen(Pen(c, 1.6));
        p.drawLine(QPointF(12.5, 4), QPointF(12.5, 12));
        break;
    }
}

void Letter(QPainter& p, QRectF r, const QString& s, const QColor& c, qreal px, bool bold = true)
{
    QFont f = p.font();
    f.setPixelSize(qMax(1, qRound(px * 4)));
    f.setBold(bold);
    p.save();
    p.scale(0.25, 0.25);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(r.x() * 4, r.y() * 4, r.width() * 4, r.height() * 4), Qt::AlignCenter, s);
    p.restore();
}

bool PaintCommand(QPainter& p, int id)
{
    switch (id) {
    case VectorIconEngine::AppIconId: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        p.setPen(Pen(Qt::white, 1.3));
        p.drawLine(QPointF(4, 4.5), QPointF(11.5, 4));
        p.drawLine(QPointF(4, 4.5), QPointF(4.5, 11.5));
        p.drawLine(QPointF(11.5, 4), QPointF(12, 11.5));
        p.drawLine(QPointF(4.5, 11.5), QPointF(12, 11.5));
        for (QPointF c : {QPointF(4, 4.5), QPointF(11.5, 4), QPointF(4.5, 11.5), QPointF(12, 11.5)}) {
            p.setPen(Pen(Qt::white, 1.0));
            p.setBrush(kNodeFill);
            p.drawEllipse(c, 1.9, 1.9);
        }
        return true;
    }
    case FileNew:
        Page(p, QRectF(3, 1.5, 10, 13));
        return true;
    case FileOpen: {
        const QPainterPath back = Polyline({{1.5, 13.5}, {1.5, 3}, {5.5, 3}, {7, 4.5}, {12.5, 4.5}, {12.5, 6.5}});
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kFolder.darker(115));
        p.drawPath(back);
        const QPainterPath front = Polyline({{1.5, 13.5}, {4, 6.5}, {15, 6.5}, {12.5, 13.5}}, true);
        p.setBrush(kFolder);
        p.drawPath(front);
        return true;
    }
    case FileSave:
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(QColor(60, 100, 180));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(210, 210, 210));
        p.drawRect(QRectF(4, 9.5, 8, 5));
        p.fillRect(QRectF(9.5, 2.5, 1.5, 3), kInk);
        return true;
    case EditCut:
        p.setPen(Pen(kInk, 1.2));
        p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
        p.setBrush(Qt::NoBrush);
        p.setPen(Pen(kRed, 1.3));
        p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
        return true;
    case EditCopy:
        Page(p, QRectF(1.5, 1.5, 8.5, 10.5));
        Page(p, QRectF(6, 4.5, 8.5, 10.5));
        return true;
    case EditPaste:
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4, 1.5, 5, 2.5));
        Page(p, QRectF(6.5, 6, 8, 9));
        return true;
    case FilePrint:
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 10.5, 8, 4));
        p.fillRect(QRectF(11.5, 8, 1.5, 1.2), kGreen);
        return true;
    case FilePrintPreview:
        Page(p, QRectF(1.5, 1.5, 10, 13));
        Magnifier(p, {9, 8.5}, 3.2);
        return true;
    case Redraw: {
        p.setPen(Pen(kGreen, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
        const QPainterPath head = Polyline({{6.5, 0.8}, {10.5, 2.8}, {6.8, 5.4}}, true);
        p.setPen(Pen(kGreen, 0.8));
        p.setBrush(kGreen);
        p.drawPath(head);
        return true;
    }
    case Contours:
        p.setBrush(Qt::NoBrush);
        p.setPen(Pen(QColor(0, 150, 60), 1.2));
        p.drawEllipse(QPointF(8, 8), 6.5, 5);
        p.setPen(Pen(QColor(220, 160, 0), 1.2));
        p.drawEllipse(QPointF(8.5, 8), 4, 3);
        p.setPen(Pen(kRed, 1.2));
        p.drawEllipse(QPointF(9, 8), 1.5, 1.2);
        return true;
    case WindowModule: {
        p.setPen(Pen(kInk, 1.0));
        QPolygonF top({QPointF(8, 1.5), QPointF(14.5, 4.5), QPointF(8, 7.5), QPointF(1.5, 4.5)});
        QPolygonF left({QPointF(1.5, 4.5), QPointF(8, 7.5), QPointF(8, 14.5), QPointF(1.5, 11.5)});
        QPolygonF right({QPointF(8, 7.5), QPointF(14.5, 4.5), QPointF(14.5, 11.5), QPointF(8, 14.5)});
        p.setBrush(QColor(250, 120, 90));
        p.drawPolygon(top);
        p.setBrush(QColor(90, 170, 240));
        p.drawPolygon(left);
        p.setBrush(QColor(60, 200, 120));
        p.drawPolygon(right);
        return true;
    }
    case BkShow:
    case BkSelect:
    case BkClear: {
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(QColor(170, 215, 255));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        const QPainterPath m = Polyline({{1.5, 13.5}, {6, 7}, {9, 10.5}, {11, 8.5}, {14.5, 13.5}}, true);
        p.setBrush(QColor(70, 150, 70));
        p.drawPath(m);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 0));
        p.drawEllipse(QPointF(11.5, 5.5), 1.5, 1.5);
        if (id == BkClear)
            BadgeCross(p);
        return true;
    }
    case EditFind:
        Page(p, QRectF(1.5, 1.5, 10, 13));
        Magnifier(p, {9, 8}, 3.5);
        return true;
    case NodeFlows:
        PipeLine(p, {1.5, 6}, {14.5, 6}, 1.4);
        Node(p, {4, 6}, 2.0);
        Node(p, {12, 6}, 2.0);
        Arrow(p, {4, 8.5}, {4, 14.5}, kWater, 1.4);
        Arrow(p, {12, 8.5}, {12, 14.5}, kWater, 1.4);
        Letter(p, QRectF(5.5, 8, 5, 7), QStringLiteral("Q"), kInk, 7);
        return true;
    case NetCost:
        p.setPen(Pen(QColor(160, 110, 0), 1.0));
        p.setBrush(QColor(250, 205, 60));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        Letter(p, QRectF(1.5, 1.5, 13, 13), QStringLiteral("¥"), QColor(120, 70, 0), 10);
        return true;
    case Balance: {
        MiniNetwork(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        const QPainterPath d = Polyline({{8.5, 5}, {12, 11}, {5, 11}}, true);
        p.setBrush(QColor(255, 255, 255, 220));
        p.setPen(Pen(kRed, 1.3));
        p.drawPath(d);
        return true;
    }
    case AutoBalance: {
        // The balancing triangle within a turning arrow: balanced again after each change.
        p.setPen(Pen(kGreen, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(1.5, 1.5, 13, 13), 100 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPath(Polyline({{5.2, 0.2}, {9.2, 2.0}, {5.6, 4.4}}, true));
        p.setBrush(QColor(255, 255, 255, 220));
        p.setPen(Pen(kRed, 1.3));
        p.drawPath(Polyline({{8, 4.8}, {11.3, 10.6}, {4.7, 10.6}}, true));
        return true;
    }
    case ProjectLabels:
        PipeLine(p, {1.5, 13}, {14.5, 13}, 1.4);
        Node(p, {3, 13}, 1.8);
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(QColor(255, 250, 200));
        p.drawRect(QRectF(4.5, 1.5, 10, 8.5));
        p.setPen(Pen(QColor(255, 125, 0), 1.0));
        p.drawLine(QPointF(6, 4), QPointF(13, 4));
        p.drawLine(QPointF(6, 6), QPointF(12, 6));
        p.drawLine(QPointF(6, 8), QPointF(13, 8));
        p.setPen(Pen(kInk, 0.8));
        p.drawLine(QPointF(3, 11.2), QPointF(5.5, 10));
        return true;
    case WindowGraphic:
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        MiniNetwork(p);
        return true;
    case WindowTable:
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 2.5), QColor(180, 200, 235));
        p.drawLine(QPointF(1.5, 5.5), QPointF(14.5, 5.5));
        p.drawLine(QPointF(1.5, 8.5), QPointF(14.5, 8.5));
        p.drawLine(QPointF(1.5, 11), QPointF(14.5, 11));
        p.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
        p.drawLine(QPointF(10.5, 2.5), QPointF(10.5, 13.5));
        return true;
    case AppAbout:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawEllipse(QPointF(8, 8), 7, 7);
        Letter(p, QRectF(1, 1, 14, 14), QStringLiteral("i"), Qt::white, 11);
        return true;
    case ContextHelp: {
        const QPainterPath a =
            Polyline({{1.5, 1.5}, {1.5, 11.5}, {4, 9}, {6, 13}, {7.5, 12.3}, {5.6, 8.5}, {8.8, 8.5}}, true);
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawPath(a);
        Letter(p, QRectF(8, 3, 8, 12), QStringLiteral("?"), QColor(30, 90, 170), 11);
        return true;
    }
    case InsertNode:
    case InsertPipe:
    case InsertPump:
    case InsertValve:
    case InsertTank:
        ObjectGlyph(p, id - InsertNode, true);
        BadgePlus(p);
        return true;
    case MoveNode:
    case MovePipe:
        ObjectGlyph(p, id - MoveNode, true);
        BadgeMove(p);
        return true;
    case DeleteNode:
    case DeletePipe:
    case DeletePump:
    case DeleteValve:
    case DeleteTank:
        ObjectGlyph(p, id - DeleteNode, true);
        BadgeCross(p);
        return true;
    case TemplateNode:
    case TemplatePipe:
    case TemplatePump:
    case TemplateValve:
    case TemplateTank:
        p.setPen(QPen(QColor(150, 150, 160), 0.8, Qt::DashLine));
        p.setBrush(QColor(245, 245, 250));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
        ObjectGlyph(p, id - TemplateNode, false);
        return true;
    case PropNode:
    case PropPipe:
    case PropPump:
    case PropValve:
    case PropTank:
        ObjectGlyph(p, id - PropNode, true);
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 8.5, 6.5, 7));
        p.drawLine(QPointF(10.3, 10.5), QPointF(14.2, 10.5));
        p.drawLine(QPointF(10.3, 12.3), QPointF(14.2, 12.3));
        p.drawLine(QPointF(10.3, 14.1), QPointF(13, 14.1));
        return true;
    case ZoomRealtime:
        Magnifier(p, {6.5, 6.5}, 5);
        Letter(p, QRectF(1.5, 1.5, 10, 10), QStringLiteral("±"), kInk, 8);
        return true;
    case ZoomIn:
    case ZoomOut:
        Magnifier(p, {6.5, 6.5}, 5);
        p.setPen(Pen(kInk, 1.4));
        p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
        if (id == ZoomIn)
            p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
        return true;
    case ZoomWindow:
        p.setPen(QPen(kRed, 1.0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 9, 7));
        Magnifier(p, {8.5, 8.5}, 3.6);
        return true;
    case ZoomExtents:
        p.setPen(Pen(kInk, 1.3));
        for (QPointF c : {QPointF(1.5, 1.5), QPointF(14.5, 1.5), QPointF(1.5, 14.5), QPointF(14.5, 14.5)}) {
            const qreal dx = c.x() < 8 ? 3.5 : -3.5;
            const qreal dy = c.y() < 8 ? 3.5 : -3.5;
            p.drawLine(c, QPointF(c.x() + dx, c.y()));
            p.drawLine(c, QPointF(c.x(), c.y() + dy));
        }
        p.save();
        p.translate(8, 8);
        p.scale(0.55, 0.55);
        p.translate(-8, -8);
        MiniNetwork(p);
        p.restore();
        return true;
    case ZoomBack:
    case ZoomForward:
        Magnifier(p, {6.5, 6.5}, 5);
        if (id == ZoomBack)
            Arrow(p, {9, 6.5}, {3.5, 6.5}, kGreen, 1.5);
        else
            Arrow(p, {4, 6.5}, {9.5, 6.5}, kGreen, 1.5);
        return true;
    case PanRealtime:
        FourWayArrows(p, {8, 8}, 6.2, QColor(30, 90, 170));
        return true;
    case RecordFirst:
    case RecordPrev:
    case RecordNext:
    case RecordLast:
        Record(p, id);
        return true;
    default:
        return false;
    }
}
}   // namespace

bool IconPainter::Paint(QPainter& p, const QRectF& rect, int commandId)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 16.0, rect.height() / 16.0);
    const bool done = PaintCommand(p, commandId);
    p.restore();
    return done;
}

bool IconPainter::Has(int commandId)
{
    switch (commandId) {
    case VectorIconEngine::AppIconId:
    case FileNew:
    case FileOpen:
    case FileSave:
    case EditCut:
    case EditCopy:
    case EditPaste:
    case FilePrint:
    case FilePrintPreview:
    case Redraw:
    case Contours:
    case WindowModule:
    case BkShow:
    case BkSelect:
    case BkClear:
    case EditFind:
    case NodeFlows:
    case NetCost:
    case Balance:
    case AutoBalance:
    case ProjectLabels:
    case WindowGraphic:
    case WindowTable:
    case AppAbout:
    case ContextHelp:
    case ZoomRealtime:
    case ZoomIn:
    case ZoomOut:
    case ZoomWindow:
    case ZoomExtents:
    case ZoomBack:
    case ZoomForward:
    case PanRealtime:
        return true;
    default:
        return (commandId >= InsertNode && commandId <= MovePipe) ||
               (commandId >= DeleteNode && commandId <= DeleteTank) ||
               (commandId >= TemplateNode && commandId <= TemplateTank) ||
               (commandId >= PropNode && commandId <= PropTank) ||
               (commandId >= RecordFirst && commandId <= RecordPrev);
    }
}
