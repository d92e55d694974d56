#pragma once
#include "model/PipePoint.h"

#include <string>
#include <vector>

// Where a CAD export draws: the drawing functions of the CAD bridge, as the export pass calls them.
// Sizes are CAD units, angles radians, texts and layer names GBK. A call that fails draws nothing
// and the pass goes on.
class ZCadCanvas {
public:
    virtual ~ZCadCanvas() = default;
    virtual void CreateLayers(const std::vector<std::string>& names) = 0;
    virtual void Pipe(const std::vector<PipePoint>& points, const std::string& layer) = 0;
    virtual void PipeLabel(const PipePoint& at, double angle, double textHeight, double arrowSize,
                           const std::string& layer, const std::string& above, const std::string& below,
                           bool useBelow) = 0;
    virtual void PipeArrow(const PipePoint& at, double angle, double size, const std::string& layer) = 0;
    virtual void Pump(const PipePoint& from, const PipePoint& to, double size, const std::string& layer) = 0;
    virtual void Valve(const PipePoint& from, const PipePoint& to, double size, const std::string& layer) = 0;
    // A control valve (ZValveLink::Type 3 to 8) with the mark of its kind; canvases without
    // marks draw the plain valve.
    virtual void ControlValve(const PipePoint& from, const PipePoint& to, double size, int /*kind*/,
                              const std::string& layer)
    {
        Valve(from, to, size, layer);
    }
    virtual void Tank(const PipePoint& at, double size, const std::string& layer) = 0;
    virtual void Node(const PipePoint& at, double size, const std::string& layer) = 0;
    virtual void NodeLabel(const PipePoint& at, double nodeSize, double textHeight, const std::string& layer,
                           const std::vector<std::string>& lines, double angle, bool framed) = 0;
    // A 2D polyline of the given polyline type (0: straight segments, 2: quadratic B-spline).
    virtual void Curve(const std::vector<PipePoint>& points, const std::string& layer, int type, bool closed) = 0;
    // The colour (AutoCAD colour index) of a layer CreateLayers made; the drawing's units as CAD
    // units per metre. Canvases without either ignore them.
    virtual void LayerColour(const std::string& /*layer*/, int /*colour*/) {}
    virtual void Units(double /*unitsPerMetre*/) {}
};
