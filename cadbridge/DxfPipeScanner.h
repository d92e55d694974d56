#pragma once
#include "CadBridge.h"
#include "DxfTag.h"

#include <string>
#include <vector>

class DxfDrawing;

// Scans a drawing's model space in file order for pipe geometry: lines (flags bit 0), lightweight
// and 2D polylines (bit 1), on the given layers (letter case ignored; none given: all layers).
// Every entity gets one callback call; skipped ones, and ones with coordinates that are not
// finite numbers, with no points. Bulges are ignored and no closing point is added.
class DxfPipeScanner {
public:
    // `layersGbk` null: all layers.
    DxfPipeScanner(const DxfDrawing& drawing, const std::vector<std::string>* layersGbk, uint8_t flags);
    int Run(ExtractPipeCallback callback, void* userData);

private:
    struct Entity {
        const DxfTag* begin;
        const DxfTag* end;
    };
    void Collect(const DxfTag* begin, const DxfTag* end);
    bool LayerMatches(const std::string& fileLayer);
    // False when the entity is not taken or a coordinate is bad.
    bool Points(const Entity& e, std::vector<CadPoint>& pts) const;

    const DxfDrawing& m_drawing;
    std::vector<std::u32string> m_layers;
    bool m_allLayers;
    uint8_t m_flags;
    std::vector<Entity> m_entities;
    std::vector<std::pair<std::string, bool>> m_layerCache;
};
