#pragma once
#include <string>
#include <vector>

class DxfDrawing;

// Adds entities to a drawing's model space in the drawing's own release and encoding: handles and
// owners from R13 on, lightweight polylines from R14 on (plain 2D polylines before).
class DxfEntityBuilder {
public:
    struct Vertex {
        double x = 0.0;
        double y = 0.0;
        double bulge = 0.0;
        double startWidth = -1.0;   // < 0: the polyline's constant width
        double endWidth = -1.0;
    };
    enum HAlign { Left = 0, Center = 1 };
    enum VAlign { Baseline = 0, Bottom = 1, Top = 3 };

    // `layerGbk`: the layer name as the bridge's callers give it (GBK).
    DxfEntityBuilder(DxfDrawing& drawing, const std::string& layerGbk);

    void LwPolyline(const std::vector<Vertex>& vertices, bool closed, double constantWidth);
    // A 2D polyline of AutoCAD's polyline types: 0 simple, 1 curve fit, 2 quadratic and 3 cubic
    // B-spline; spline types carry their frame and the fitted points as CAD programs expect.
    // Simple ones are lightweight polylines where the release has them.
    void Polyline2d(const std::vector<Vertex>& points, int type, bool closed);
    void Line(double x1, double y1, double x2, double y2);
    void Circle(double cx, double cy, double radius);
    // `rotation` in radians; the alignment point is `x, y` (also the insertion point).
    void Text(const std::string& textGbk, double x, double y, double height, double rotation, HAlign h, VAlign v);

private:
    void Head(const char* type, const char* subclass);
    // Widens the drawing's extents by a point and how far the entity reaches around it.
    void Take(double x, double y, double reach);
    void Point(int code, double x, double y);
    void Real(int code, double v);
    void Int(int code, long long v);
    void Vertex2d(const Vertex& v, int flags, const std::string& owner);
    void OldPolyline(const std::vector<Vertex>& vertices, bool closed, double constantWidth);

    DxfDrawing& m_drawing;
    std::string m_layer;
    std::string m_lastHandle;
};
