#include "DxfEntityBuilder.h"
#include "DxfDrawing.h"
#include "DxfTextCodec.h"

#include <algorithm>
#include <cmath>

namespace {

// Points of a uniform B-spline of `degree` over `ctrl` (clamped when open, periodic when
// closed), eight segments per span as CAD programs fit them by default.
std::vector<DxfEntityBuilder::Vertex> SplinePoints(std::vector<DxfEntityBuilder::Vertex> ctrl, int degree, bool closed)
{
    if (closed)
        for (int i = 0; i < degree; ++i)
            ctrl.push_back(ctrl[static_cast<size_t>(i)]);
    const int n = static_cast<int>(ctrl.size());
    std::vector<double> knots(static_cast<size_t>(n + degree + 1));
    for (int i = 0; i < n + degree + 1; ++i) {
        if (closed)
            knots[static_cast<size_t>(i)] = i;
        else
            knots[static_cast<size_t>(i)] = std::clamp(i - degree, 0, n - degree);
    }
    const double t0 = knots[static_cast<size_t>(degree)], t1 = knots[static_cast<size_t>(n)];
    const int steps = 8 * static_cast<int>(t1 - t0);
    std::vector<DxfEntityBuilder::Vertex> out;
    for (int s = 0; s <= steps; ++s) {
        const double t = t0 + (t1 - t0) * s / steps;
        int k = degree;
        while (k < n - 1 && t >= knots[static_cast<size_t>(k + 1)])
            ++k;
        std::vector<DxfEntityBuilder::Vertex> d(ctrl.begin() + (k - degree), ctrl.begin() + k + 1);
        for (int r = 1; r <= degree; ++r)
            for (int j = degree; j >= r; --j) {
                const size_t i = static_cast<size_t>(j + k - degree);
                const double den = knots[i + static_cast<size_t>(degree - r + 1)] - knots[i];
                const double a = den > 0 ? (t - knots[i]) / den : 0.0;
                d[static_cast<size_t>(j)].x =
                    (1 - a) * d[static_cast<size_t>(j - 1)].x + a * d[static_cast<size_t>(j)].x;
                d[static_cast<size_t>(j)].y =
                    (1 - a) * d[static_cast<size_t>(j - 1)].y + a * d[static_cast<size_t>(j)].y;
            }
        out.push_back(d[static_cast<size_t>(degree)]);
    }
    return out;
}

}   // namespace

DxfEntityBuilder::DxfEntityBuilder(DxfDrawing& drawing, const std::string& layerGbk) : m_drawing(drawing)
{
    m_drawing.PrepareFor(layerGbk, true);
    m_layer = DxfTextCodec::FromGbk(layerGbk, drawing.Charset());
}

void DxfEntityBuilder::Head(const char* type, const char* subclass)
{
    DxfTagList& t = m_drawing.EntitySink();
    t.push_back({0, type});
    if (m_drawing.UsesHandles()) {
        m_lastHandle = m_drawing.NextHandle();
        t.push_back({5, m_lastHandle});
    }
    if (m_drawing.HasSubclasses()) {
        if (!m_drawing.ModelSpaceOwner().empty())
            t.push_back({330, m_drawing.ModelSpaceOwner()});
        t.push_back({100, "AcDbEntity"});
    }
    t.push_back({8, m_layer});
    if (m_drawing.HasSubclasses() && subclass)
        t.push_back({100, subclass});
}

void DxfEntityBuilder::Take(double x, double y, double reach)
{
    m_drawing.Extend(x - reach, y - reach);
    m_drawing.Extend(x + reach, y + reach);
}

void DxfEntityBuilder::Real(int code, double v)
{
    m_drawing.EntitySink().push_back({code, dxf::FormatDouble(v)});
}

void DxfEntityBuilder::Int(int code, long long v)
{
    m_drawing.EntitySink().push_back({code, std::to_string(v)});
}

void DxfEntityBuilder::Point(int code, double x, double y)
{
    Real(code, x);
    Real(code + 10, y);
}

void DxfEntityBuilder::LwPolyline(const std::vector<Vertex>& vertices, bool closed, double constantWidth)
{
    if (!m_drawing.HasLwPolylines())
        return OldPolyline(vertices, closed, constantWidth);
    for (const Vertex& v : vertices)
        Take(v.x, v.y, std::max({constantWidth, v.startWidth, v.endWidth, 0.0}) / 2);
    Head("LWPOLYLINE", "AcDbPolyline");
    Int(90, static_cast<long long>(vertices.size()));
    Int(70, closed ? 1 : 0);
    if (constantWidth >= 0)
        Real(43, constantWidth);
    for (const Vertex& v : vertices) {
        Point(10, v.x, v.y);
        if (v.startWidth >= 0 || v.endWidth >= 0) {
            Real(40, v.startWidth >= 0 ? v.startWidth : std::max(constantWidth, 0.0));
            Real(41, v.endWidth >= 0 ? v.endWidth : std::max(constantWidth, 0.0));
        }
        if (v.bulge != 0.0)
            Real(42, v.bulge);
    }
}

void DxfEntityBuilder::OldPolyline(const std::vector<Vertex>& vertices, bool closed, double constantWidth)
{
    Head("POLYLINE", "AcDb2dPolyline");
    const std::string owner = m_lastHandle;
    Int(66, 1);
    Point(10, 0.0, 0.0);
    Real(30, 0.0);
    Int(70, closed ? 1 : 0);
    if (constantWidth >= 0) {
        Real(40, constantWidth);
        Real(41, constantWidth);
    }
    for (const Vertex& v : vertices)
        Vertex2d(v, 0, owner);
    Head("SEQEND", nullptr);
}

void DxfEntityBuilder::Vertex2d(const Vertex& v, int flags, const std::string& owner)
{
    DxfTagList& t = m_drawing.EntitySink();
    t.push_back({0, "VERTEX"});
    if (m_drawing.UsesHandles())
        t.push_back({5, m_drawing.NextHandle()});
    if (m_drawing.HasSubclasses()) {
        if (!owner.empty())
            t.push_back({330, owner});
        t.push_back({100, "AcDbEntity"});
    }
    t.push_back({8, m_layer});
    if (m_drawing.HasSubclasses()) {
        t.push_back({100, "AcDbVertex"});
        t.push_back({100, "AcDb2dVertex"});
    }
    Point(10, v.x, v.y);
    Real(30, 0.0);
    if (v.startWidth >= 0)
        Real(40, v.startWidth);
    if (v.endWidth >= 0)
        Real(41, v.endWidth);
    if (v.bulge != 0.0)
        Real(42, v.bulge);
    Int(70, flags);
}

void DxfEntityBuilder::Polyline2d(const std::vector<Vertex>& points, int type, bool closed)
{
    const bool spline = (type == 2 || type == 3) && points.size() > static_cast<size_t>(type);
    if (type == 0 && m_drawing.HasLwPolylines())
        return LwPolyline(points, closed, -1.0);   // the same lines, a fifth of the bytes
    for (const Vertex& v : points)
        Take(v.x, v.y, 0.0);
    Head("POLYLINE", "AcDb2dPolyline");
    const std::string owner = m_lastHandle;
    Int(66, 1);
    Point(10, 0.0, 0.0);
    Real(30, 0.0);
    Int(70, (closed ? 1 : 0) | (spline ? 4 : 0));
    if (spline)
        Int(75, type == 2 ? 5 : 6);
    if (spline) {
        // Fitted points first, then the frame, as AutoCAD stores a splined polyline.
        for (const Vertex& v : SplinePoints(points, type, closed))
            Vertex2d(v, 8, owner);
        for (const Vertex& v : points)
            Vertex2d(v, 16, owner);
    } else {
        for (const Vertex& v : points)
            Vertex2d(v, 0, owner);
    }
    Head("SEQEND", nullptr);
}

void DxfEntityBuilder::Line(double x1, double y1, double x2, double y2)
{
    Take(x1, y1, 0.0);
    Take(x2, y2, 0.0);
    Head("LINE", "AcDbLine");
    Point(10, x1, y1);
    Real(30, 0.0);
    Point(11, x2, y2);
    Real(31, 0.0);
}

void DxfEntityBuilder::Circle(double cx, double cy, double radius)
{
    Take(cx, cy, radius);
    Head("CIRCLE", "AcDbCircle");
    Point(10, cx, cy);
    Real(30, 0.0);
    Real(40, radius);
}

void DxfEntityBuilder::Text(const std::string& textGbk, double x, double y, double height, double rotation, HAlign h,
                            VAlign v)
{
    m_drawing.PrepareFor(textGbk, false);
    Take(x, y, height * (1.0 + 1.35 * static_cast<double>(textGbk.size()) / 2));   // errs wide
    Head("TEXT", "AcDbText");
    Point(10, x, y);
    Real(30, 0.0);
    Real(40, height);
    m_drawing.EntitySink().push_back({1, DxfTextCodec::FromGbk(textGbk, m_drawing.Charset())});
    double deg = rotation * 180.0 / M_PI;
    deg = std::fmod(deg, 360.0);
    if (deg < 0)
        deg += 360.0;
    if (deg != 0.0)
        Real(50, deg);
    if (h != Left)
        Int(72, h);
    Point(11, x, y);
    Real(31, 0.0);
    if (m_drawing.HasSubclasses())
        m_drawing.EntitySink().push_back({100, "AcDbText"});
    if (v != Baseline)
        Int(73, v);
}
