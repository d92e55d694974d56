#include "VectorIconEngine.h"
#include "IconPainter.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

QIcon VectorIconEngine::ForCommand(int commandId)
{
    if (!IconPainter::Has(commandId))
        return {};
    return QIcon(new VectorIconEngine(commandId));
}

bool VectorIconEngine::HasIcon(int commandId)
{
    return IconPainter::Has(commandId);
}

void VectorIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pm = scaledPixmap(rect.size(), mode, state, dpr);
    painter->drawPixmap(rect, pm);
}

QPixmap VectorIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap VectorIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale)
{
    const QSize px = size * scale;
    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        const int side = qMin(px.width(), px.height());
        QRectF r((px.width() - side) / 2.0, (px.height() - side) / 2.0, side, side);
        IconPainter::Paint(p, r, m_id);
    }
    if (mode == QIcon::Disabled) {
        img = img.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int g = 110 + qGray(line[x]) * 100 / 255;
                line[x] = qRgba(g, g, g, qAlpha(line[x]) * 60 / 100);
            }
        }
    }
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(scale);
    return pm;
}
