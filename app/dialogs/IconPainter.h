#pragma once
#include <QRectF>

class QPainter;

// Draws the picture of one command on a 16 x 16 design grid scaled into `rect`. Objects keep the
// network drawing's colours: red-rimmed green nodes, blue pipes, devices in dark grey.
class IconPainter {
public:
    static bool Paint(QPainter& p, const QRectF& rect, int commandId);
    static bool Has(int commandId);
};
