#pragma once
#include "ZNetObject.h"

// Geometry of the symbol images shared by all devices of one class: image size in pixels and
// the two anchors, inlet (where the start node sits) and outlet (where the end node is shown).
// The images themselves belong to the drawing side; every variant of a class has one size.
struct ZDeviceSymbolSet {
    struct Anchor {
        int x;
        int y;
    };

    int width;
    int height;
    Anchor inlet;
    Anchor outlet;
    int variants;
    // Resource numbers of the normal and selected image of each variant (mask = image + 1).
    int images[3];
    int selectedImages[3];

    // The set of a device class; null for nodes and pipes.
    static const ZDeviceSymbolSet* For(ZNetObject::Kind kind);
    // A variant index clamped into the set, so a stray stored SymbolIndex still shows a symbol.
    int Variant(int symbolIndex) const { return symbolIndex >= 0 && symbolIndex < variants ? symbolIndex : 0; }
};
