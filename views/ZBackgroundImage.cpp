#include "ZBackgroundImage.h"

#include "ZNetCanvas.h"

#include "model/ZNetBkDib.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

void ZBackgroundImage::Forget()
{
    m_levels.clear();
    m_dib = nullptr;
    m_data = nullptr;
    m_size = 0;
    m_failed = false;
}

bool ZBackgroundImage::Prepare(const ZNetBkDib& dib)
{
    if (m_dib == &dib && m_data == dib.Bytes().data() && m_size == dib.Bytes().size())
        return !m_failed;
    Forget();
    m_dib = &dib;
    m_data = dib.Bytes().data();
    m_size = dib.Bytes().size();
    QImage full;
    if (ZNetBkDib::IsDrawableBmp(m_data, m_size)) {
        const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(m_data), qsizetype(m_size));
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        QImageReader reader(&in, "BMP");
        // The file's checks bound the pixels (4 bytes each) by the image limit.
        reader.setAllocationLimit(static_cast<int>((ZNetBkDib::MaxImageBytes >> 20) + 16));
        full = reader.read();
    }
    if (full.isNull()) {
        m_failed = true;
        return false;
    }
    // One format the painter copies without converting.
    m_levels.push_back(full.convertToFormat(QImage::Format_RGB32));
    while (std::max(m_levels.back().width(), m_levels.back().height()) > 256) {
        const QImage& last = m_levels.back();
        m_levels.push_back(last.scaled(std::max(1, last.width() / 2), std::max(1, last.height() / 2),
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return true;
}

void ZBackgroundImage::Draw(QPainter& painter, const ZNetCanvas& canvas, const ZNetBkDib& dib, const QRect& area)
{
    if (!(dib.BkWidth > 0.0) || !(dib.BkHeight > 0.0) || !Prepare(dib))
        return;
    const QPointF tl = canvas.WorldToDeviceF(dib.BkLeft, dib.BkTop);
    const QPointF br = canvas.WorldToDeviceF(dib.BkLeft + dib.BkWidth, dib.BkTop - dib.BkHeight);
    const QRectF target(tl, br);
    const QRectF shown = target.intersected(QRectF(area));
    if (shown.isEmpty() || target.width() <= 0.0 || target.height() <= 0.0)
        return;
    // The copy with at least one of its pixels per window pixel, and fewer than two.
    const double perPixel = m_levels[0].width() / target.width();
    int level = perPixel > 1.0 ? static_cast<int>(std::floor(std::log2(perPixel))) : 0;
    level = std::clamp(level, 0, LevelCount() - 1);
    const QImage& img = m_levels[static_cast<size_t>(level)];
    const double sx = img.width() / target.width(), sy = img.height() / target.height();
    const QRectF source((shown.left() - target.left()) * sx, (shown.top() - target.top()) * sy, shown.width() * sx,
                        shown.height() * sy);
    // The copy is already filtered down to within twice the window's size: plain sampling reads well
    // and costs a fraction of smooth scaling.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(shown, img, source);
    painter.restore();
}
