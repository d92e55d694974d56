#pragma once
#include <QRect>
#include <QRectF>

#include <vector>

class QBrush;
class QImage;
class QPainter;
class QPen;

// Writes the outlined, filled squares of network nodes straight into the pixels of the image being
// painted. The raster engine spends microseconds on each small rectangle it strokes; a whole
// network has tens of thousands of nodes. The pixels are those the painter gives for
// drawRects() of (l, t, w - 1, h - 1) rectangles with a one-pixel solid cosmetic pen and a solid
// brush, both opaque, without antialiasing: all the fills, then all the outlines, so overlapping
// squares show every outline. Squares it cannot reproduce exactly go through the painter.
class SquareBlitter {
public:
    // Takes the painter's target as it is now: a plain image of 32-bit pixels, no transform,
    // opaque source-over drawing, no clip or one rectangle. False (and detached) otherwise.
    bool Attach(QPainter& painter);
    void Detach() { m_image = nullptr; }
    bool IsAttached() const { return m_image != nullptr; }
    // Pen and brush of the kind written directly.
    static bool Handles(const QPen& pen, const QBrush& brush);
    // Draws the squares as drawRects() does with the painter's current pen and brush, which are
    // those given; the painter's pen and brush are as they were afterwards.
    void Draw(QPainter& painter, const QRectF* rects, int count, const QPen& pen, const QBrush& brush);

private:
    QImage* m_image = nullptr;
    QRect m_clip;
    std::vector<QRect> m_direct;
    std::vector<QRectF> m_others;
};
