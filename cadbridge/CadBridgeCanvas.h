#pragma once
#include "CadBridge.h"

#include <string>
#include <vector>

// The drawing functions behind a C++ drawing interface: `Base` declares the virtual calls
// (CreateLayers, Pipe, PipeLabel, PipeArrow, Pump, Valve, ControlValve, Tank, Node, NodeLabel, Curve,
// LayerColour, Units) and
// `Point` is its point type, two doubles x, y laid out as CadPoint. Header only, so the bridge
// itself knows no caller's types.
template <class Base, class Point>
class CadBridgeCanvas : public Base {
public:
    static_assert(sizeof(Point) == sizeof(CadPoint), "points are two doubles");
    explicit CadBridgeCanvas(CadHandle handle) : m_h(handle) {}

    void CreateLayers(const std::vector<std::string>& names) override
    {
        std::vector<const char*> p;
        for (const std::string& n : names)
            p.push_back(n.c_str());
        CadCreateLayers(m_h, p.data(), static_cast<int32_t>(p.size()));
    }
    void Pipe(const std::vector<Point>& pts, const std::string& layer) override
    {
        CadDrawPipe(m_h, Cad(pts.data()), static_cast<int32_t>(pts.size()), layer.c_str());
    }
    void PipeLabel(const Point& at, double angle, double textHeight, double arrowSize, const std::string& layer,
                   const std::string& above, const std::string& below, bool useBelow) override
    {
        CadDrawPipeLabel(m_h, Cad(&at), angle, textHeight, arrowSize, layer.c_str(), above.c_str(), below.c_str(),
                         useBelow ? 1 : 0);
    }
    void PipeArrow(const Point& at, double angle, double size, const std::string& layer) override
    {
        CadDrawPipeArrow(m_h, Cad(&at), angle, size, layer.c_str());
    }
    void Pump(const Point& from, const Point& to, double size, const std::string& layer) override
    {
        CadDrawPump(m_h, Cad(&from), Cad(&to), size, layer.c_str());
    }
    void Valve(const Point& from, const Point& to, double size, const std::string& layer) override
    {
        CadDrawValve(m_h, Cad(&from), Cad(&to), size, layer.c_str());
    }
    void ControlValve(const Point& from, const Point& to, double size, int kind, const std::string& layer) override
    {
        CadDrawControlValve(m_h, Cad(&from), Cad(&to), size, kind, layer.c_str());
    }
    void Tank(const Point& at, double size, const std::string& layer) override
    {
        CadDrawTank(m_h, Cad(&at), size, layer.c_str());
    }
    void Node(const Point& at, double size, const std::string& layer) override
    {
        CadDrawNode(m_h, Cad(&at), size, layer.c_str());
    }
    void NodeLabel(const Point& at, double nodeSize, double textHeight, const std::string& layer,
                   const std::vector<std::string>& lines, double angle, bool framed) override
    {
        std::vector<const char*> p;
        for (const std::string& l : lines)
            p.push_back(l.c_str());
        CadDrawNodeLabel(m_h, Cad(&at), nodeSize, textHeight, layer.c_str(), p.data(), static_cast<int32_t>(p.size()),
                         angle, framed ? 1 : 0);
    }
    void Curve(const std::vector<Point>& pts, const std::string& layer, int type, bool closed) override
    {
        CadDrawCurve(m_h, Cad(pts.data()), static_cast<int32_t>(pts.size()), layer.c_str(), type, closed ? 1 : 0);
    }

    void LayerColour(const std::string& layer, int colour) override { CadSetLayerColor(m_h, layer.c_str(), colour); }
    void Units(double unitsPerMetre) override { CadSetDwgUnits(m_h, unitsPerMetre); }

private:
    static const CadPoint* Cad(const Point* p) { return reinterpret_cast<const CadPoint*>(p); }
    CadHandle m_h;
};
