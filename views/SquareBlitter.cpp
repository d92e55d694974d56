#include "SquareBlitter.h"

#include <QBrush>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>

bool SquareBlitter::Attach(QPainter& painter)
{
    m_image = nullptr;
    QPaintDevice* device = painter.device();
    QPaintEngine* engine = painter.paintEngine();
    if (!device || !engine || engine->type() != QPaintEngine::Raster || device->devType() != QInternal::Image)
        return false;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_ARGB32_Premultiplied && f != QImage::Format_ARGB32 && f != QImage::Format_RGB32)
        return false;
    // A shared image would be copied by the first write, away from the buffer the engine paints.
    if (!image->isDetached() || image->devicePixelRatio() != 1.0)
        return false;
    if (!painter.deviceTransform().isIdentity() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.testRenderHint(QPainter::Antialiasing))
        return false;
    QRect clip = image->rect();
    if (painter.hasClipping()) {
        const QRegion region = painter.clipRegion();
        if (region.rectCount() != 1)
            return false;
        clip &= region.boundingRect();
    }
    m_image = image;
    m_clip = clip;
    return true;
}

bool SquareBlitter::Handles(const QPen& pen, const QBrush& brush)
{
    return pen.style() == Qt::SolidLine && pen.isCosmetic() && pen.widthF() <= 1.0 &&
           pen.brush().style() == Qt::SolidPattern && pen.color().alpha() == 255 && brush.style() == Qt::SolidPattern &&
           brush.color().alpha() == 255;
}

void SquareBlitter::Draw(QPainter& painter, const QRectF* rects, int count, const QPen& pen, const QBrush& brush)
{
    if (!m_image) {
        painter.drawRects(rects, count);
        return;
    }
    const QRect bounds = m_image->rect();
    m_direct.clear();
    m_others.clear();
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i];
        const int l = static_cast<int>(r.x()), t = static_cast<int>(r.y());
        const int w = static_cast<int>(r.width()) + 1, h = static_cast<int>(r.height()) + 1;
        const QRect square(l, t, w, h);
        // The engine strokes lines that leave the image, and squares of one pixel, its own way.
        if (l != r.x() || t != r.y() || w != r.width() + 1 || h != r.height() + 1 || w < 2 || h < 2 ||
            !bounds.contains(square))
            m_others.push_back(r);
        else if (square.intersects(m_clip))
            m_direct.push_back(square);
    }
    // Every square's colour is the same, so only the order of the two passes matters.
    uchar* bits = m_image->bits();
    const qsizetype stride = m_image->bytesPerLine();
    auto span = [&](int y, int x0, int x1, QRgb c) {
        if (y < m_clip.top() || y > m_clip.bottom())
            return;
        x0 = std::max(x0, m_clip.left());
        x1 = std::min(x1, m_clip.right());
        if (x0 <= x1) {
            auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(line + x0, line + x1 + 1, c);
        }
    };
    const QRgb fill = brush.color().rgba(), edge = pen.color().rgba();
    for (const QRect& q : m_direct) {
        if (!m_clip.contains(q)) {
            for (int y = q.top() + 1; y < q.bottom(); ++y)
                span(y, q.left() + 1, q.right() - 1, fill);
            continue;
        }
        for (int y = q.top() + 1; y < q.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(line + q.left() + 1, line + q.right(), fill);
        }
    }
    if (!m_others.empty()) {
        painter.setPen(Qt::NoPen);
        painter.drawRects(m_others.data(), static_cast<int>(m_others.size()));
        painter.setPen(pen);
    }
    for (const QRect& q : m_direct) {
        if (!m_clip.contains(q)) {
            span(q.top(), q.left(), q.right(), edge);
            span(q.bottom(), q.left(), q.right(), edge);
            for (int y = q.top() + 1; y < q.bottom(); ++y) {
                span(y, q.left(), q.left(), edge);
                span(y, q.right(), q.right(), edge);
            }
            continue;
        }
        auto* top = reinterpret_cast<QRgb*>(bits + q.top() * stride);
        auto* bottom = reinterpret_cast<QRgb*>(bits + q.bottom() * stride);
        std::fill(top + q.left(), top + q.right() + 1, edge);
        std::fill(bottom + q.left(), bottom + q.right() + 1, edge);
        for (int y = q.top() + 1; y < q.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
            line[q.left()] = edge;
            line[q.right()] = edge;
        }
    }
    if (!m_others.empty()) {
        painter.setBrush(Qt::NoBrush);
        painter.drawRects(m_others.data(), static_cast<int>(m_others.size()));
        painter.setBrush(brush);
    }
}
