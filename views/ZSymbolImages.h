#pragma once
#include <QImage>

class ZDeviceLink;

// The device symbol bitmaps, drawn once per process at the sizes and anchors the model's
// ZDeviceSymbolSet states: per variant an image (transparent outside the drawing), its mask
// (white where the background shows through, black under the drawing) and a selected image.
class ZSymbolImages {
public:
    struct Variant {
        QImage image;
        QImage mask;
        QImage selected;
    };
    // The variant a device shows (its SymbolIndex, clamped); null for a kind without symbols.
    static const Variant* For(const ZDeviceLink& device);
    // By resource number of the normal image (152, 130, 179, 183, 301 to 306, 164, 175).
    static const Variant* ByImageId(int id);
};
