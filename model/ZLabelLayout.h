#pragma once
#include "GbkString.h"
#include "PipePoint.h"
#include "ViewExtent.h"

#include <string>
#include <string_view>
#include <vector>

class ZDrawContext;
class ZFlowNode;
class ZNetView;
class ZPipeLink;

// One text run: top-left corner (before rotation) at (x, y), turned by angle radians.
struct ZTextPlacement {
    GbkString text;
    double x = 0.0, y = 0.0, angle = 0.0, width = 0.0, height = 0.0;

    bool IsEmpty() const { return text.empty(); }
    ViewExtent Bounds() const;
    void Draw(ZDrawContext& dc) const;
};

// The framed multi-line label of a node in project-label mode.
struct ZNodeLabelBox {
    std::vector<GbkString> lines;
    ViewExtent box = ViewExtent::Empty();
    double lineHeight = 0.0;
    double margin = 0.0;

    bool IsEmpty() const { return lines.empty(); }
    void Draw(ZDrawContext& dc) const;
};

// Where labels go, in world units at the view's scale.
class ZLabelLayout {
public:
    static constexpr int MaxLines = 10;

    // Single value centred above the node square.
    static ZTextPlacement NodeSingle(const ZNetView& view, const PipePoint& pos, GbkString text);
    // Framed box away from the node's pipes; `text` is the multi-line label, lines split at '\n'.
    static ZNodeLabelBox NodeMulti(const ZNetView& view, const ZFlowNode& node, const PipePoint& pos, GbkView text);
    // The longest polyline segment in display positions (the first of equals); false when the pipe
    // has no ends.
    static bool PipeLabelSegment(const ZNetView& view, const ZPipeLink& pipe, PipePoint& a, PipePoint& b);
    // Text along a -> b read upright, centred on the midpoint, above the line or below it.
    static ZTextPlacement AlongSegment(const ZNetView& view, const PipePoint& a, const PipePoint& b, GbkString text,
                                       bool above);
    // Horizontal text centred under a device symbol.
    static ZTextPlacement UnderSymbol(const ZNetView& view, const ViewExtent& symbol, GbkString text);
};
