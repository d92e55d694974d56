#pragma once
#include <QImage>
#include <QRect>

#include <vector>

class QPainter;
class ZNetBkDib;
class ZNetCanvas;

// The pixels of a document's background image, decoded once and kept with halved copies, so that
// a paint at any scale draws only the visible part from the copy nearest its size: pans and zooms
// over a large scanned map cost what the window shows, not what the map holds.
class ZBackgroundImage {
public:
    // Draws the part of the image inside `area` (viewport pixels) under the network.
    void Draw(QPainter& painter, const ZNetCanvas& canvas, const ZNetBkDib& dib, const QRect& area);
    // Drops the decoded pixels.
    void Forget();
    // Decodes and halves now (the first paint would otherwise). False when the bytes are no image.
    bool Prepare(const ZNetBkDib& dib);
    int LevelCount() const { return static_cast<int>(m_levels.size()); }
    const QImage& Level(int i) const { return m_levels[static_cast<size_t>(i)]; }

private:
    const ZNetBkDib* m_dib = nullptr;
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    bool m_failed = false;
    std::vector<QImage> m_levels;   // [0] full size, then each half the one before
};
