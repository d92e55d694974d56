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
        // Bands are drawn this much of the way from the background to their colour, so that
        // pipe grade colours drawn over them keep their contrast.
        uint32_t background = 0xFFFFFF;
        double fillStrength = 0.3;
    };

    // A band colour as the fill shows it over the background.
    static uint32_t Tint(uint32_t colour, uint32_t background, double strength);

    static void Paint(const ZContourSet& set, const ZNetCanvas& canvas, QPainter& painter, const Style& style);
};
