#pragma once
#include <cstdint>

class QPainter;
class ZContourSet;
class ZNetCanvas;

// Draws a document's contours under the network: the filled bands (outer polygons first), the
// traced lines and the level labels along each polygon's label segment, kept upright.
class ZContourPainter {
public:
    struct Style {
        bool fill = true;
        bool labels = true;
        uint32_t lowest = 0x00FF00;   // r + 256 g + 65536 b
        uint32_t highest = 0x0000FF;
        uint32_t line = 0x000000;
    };

    static void Paint(const ZContourSet& set, const ZNetCanvas& canvas, QPainter& painter, const Style& style);
};
