#pragma once
#include "CadBridge.h"
#include "DxfEntityGeometry.h"
#include "DxfTag.h"

#include <map>
#include <utility>
#include <string>
#include <vector>

class DxfDrawing;

// Scans a drawing's model space in file order for pipe geometry: lines (flags bit 0); lightweight,
// 2D and 3D polylines and arcs (bit 1), also inside block references (nested, arrays included),
// on the given layers (letter case ignored; none given: all layers). Every entity gets at least
// one callback call, a block reference one per path it holds; skipped ones with no points. What
// is left out is counted by kind and layer for the report. A drawing QEN wrote (layers PIPE and
// NODE with node discs) searched on all layers gives its pipe layer only, closed figures left out.
class DxfPipeScanner {
public:
    // `layersGbk` null: all layers.
    DxfPipeScanner(const DxfDrawing& drawing, const std::vector<std::string>* layersGbk, uint8_t flags);
    int Run(ExtractPipeCallback callback, void* userData);
    // How many entities block references may expand to in one scan (250,000 unless set); beyond
    // it a reference is skipped and reported as too large.
    void LimitBlockExpansion(long long entities) { m_maxVisits = entities; }

    // The path passed in the current callback: drawn length and the file line of its entity.
    double CurrentLength() const { return m_current.length; }
    size_t CurrentLine() const { return m_currentLine; }
    // What was left out, and layer names that match nothing: UTF-8 lines.
    std::string Report() const;

private:
    struct Entity {
        const DxfTag* begin;
        const DxfTag* end;
    };
    struct Block {
        double x = 0, y = 0, z = 0;
        std::vector<Entity> entities;
    };
    struct Emit {
        ExtractPipeCallback callback;
        void* user;
        int percent;
        int keepGoing;
        int accepted;
        int calls;   // for this entity
    };
    void Collect(const DxfTag* begin, const DxfTag* end, std::vector<Entity>& into, bool modelOnly) const;
    void ReadBlocks();
    void DetectOwnDrawing();
    std::string LayerOf(const Entity& e, const std::string& inherited) const;
    bool LayerMatches(const std::string& fileLayer);
    void Visit(const Entity& e, const std::string& inherited, const DxfTransform& place, int depth, Emit& emit);
    void Insert(const Entity& e, const std::string& layer, const DxfTransform& place, int depth, Emit& emit);
    void Skip(const std::string& kind, const std::string& layer, const Entity& e);
    std::string Utf8(const std::string& fileText) const;
    size_t Line(const Entity& e) const;

    const DxfDrawing& m_drawing;
    std::vector<std::u32string> m_layers;
    std::vector<std::string> m_layersGbk;
    std::vector<bool> m_layerSeen;
    bool m_allLayers;
    bool m_ownDrawing = false;
    uint8_t m_flags;
    std::vector<Entity> m_entities;
    std::map<std::u32string, Block> m_blocks;
    std::vector<std::pair<std::string, bool>> m_layerCache;
    DxfEntityGeometry::Path m_current;
    size_t m_currentLine = 0;
    long long m_paths = 0;
    long long m_visits = 0;   // entities reached inside blocks
    long long m_maxVisits;
    struct Skipped {
        std::string kind, layer;
        long long count;
        size_t line;
    };
    std::vector<Skipped> m_skipped;
    std::map<std::pair<std::string, std::string>, size_t> m_skippedIndex;   // kind and layer -> entry
    long long m_otherLayers = 0;
};
