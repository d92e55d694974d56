// The layer and drawing functions of the bridge: entities added to the active drawing's model
// space. Every function fails (0) on a null handle, without an active drawing or on a layer the
// drawing does not have; entities made before a failure stay.
#include "CadBridge.h"
#include "CadSession.h"
#include "CadTextMetrics.h"
#include "DxfEntityBuilder.h"
#include "DxfTextCodec.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Vertex = DxfEntityBuilder::Vertex;
constexpr int32_t True = -1;
constexpr int32_t False = 0;

CadPoint Step(CadPoint p, double d, double a)
{
    return {p.x + d * std::cos(a), p.y + d * std::sin(a)};
}

// Direction p -> q in [0, 2pi); false for coincident points.
bool Direction(CadPoint p, CadPoint q, double& theta)
{
    const double l = std::hypot(q.x - p.x, q.y - p.y);
    if (!(l > 0.0) || !std::isfinite(l))
        return false;
    theta = std::acos(std::clamp((q.x - p.x) / l, -1.0, 1.0));
    if (std::asin(std::clamp((q.y - p.y) / l, -1.0, 1.0)) < 0)
        theta = 2 * M_PI - theta;
    return true;
}

bool Finite(CadPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The active drawing when the call can draw on `layer`.
DxfDrawing* Target(CadHandle h, const char* layer)
{
    CadSession& s = CadSession::Instance();
    DxfDrawing* d = h && s.IsOpen() ? s.Active() : nullptr;
    if (!d || !layer)
        return nullptr;
    if (const std::string why = d->AddRefusal(); !why.empty()) {
        s.SetLastError(why);
        return nullptr;
    }
    if (!d->HasLayer(DxfTextCodec::FromGbk(layer, d->Charset()))) {
        s.SetLastError("图纸中没有图层\u201c" + DxfTextCodec::Encode(DxfTextCodec::Decode(layer, "CP936"), "UTF-8") +
                       "\u201d。");
        return nullptr;
    }
    return d;
}

std::vector<Vertex> Vertices(std::initializer_list<CadPoint> pts)
{
    std::vector<Vertex> v;
    for (CadPoint p : pts)
        v.push_back({p.x, p.y});
    return v;
}

// Segments p1-p2 and q1-q2 meet: neither has both ends of the other strictly on one side, and
// they are not parallel.
bool Meet(CadPoint p1, CadPoint p2, CadPoint q1, CadPoint q2, CadPoint& at)
{
    auto side = [](CadPoint a, CadPoint b, CadPoint c) {
        return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    };
    const double s1 = side(p1, p2, q1), s2 = side(p1, p2, q2), s3 = side(q1, q2, p1), s4 = side(q1, q2, p2);
    if ((s1 > 0 && s2 > 0) || (s1 < 0 && s2 < 0) || (s3 > 0 && s4 > 0) || (s3 < 0 && s4 < 0))
        return false;
    const double det = (p2.x - p1.x) * (q2.y - q1.y) - (p2.y - p1.y) * (q2.x - q1.x);
    if (det + 1.0 == 1.0)
        return false;
    const double t = ((q1.x - p1.x) * (q2.y - q1.y) - (q1.y - p1.y) * (q2.x - q1.x)) / det;
    at = {p1.x + t * (p2.x - p1.x), p1.y + t * (p2.y - p1.y)};
    return true;
}

}   // namespace

CADBRIDGE_API int32_t CadDrawNode(CadHandle h, const CadPoint* at, double size, const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !at || !Finite(*at) || !std::isfinite(size))
        return False;
    std::vector<Vertex> v = Vertices({{at->x - size / 4, at->y}, {at->x + size / 4, at->y}});
    v[0].bulge = v[1].bulge = 1.0;
    DxfEntityBuilder(*d, layer).LwPolyline(v, true, size / 2);
    return True;
}

CADBRIDGE_API int32_t CadDrawPipe(CadHandle h, const CadPoint* points, int32_t count, const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !points || count < 1)
        return False;
    std::vector<Vertex> v;
    for (int32_t i = 0; i < count; ++i) {
        if (!Finite(points[i]))
            return False;
        v.push_back({points[i].x, points[i].y});
    }
    DxfEntityBuilder(*d, layer).LwPolyline(v, false, -1.0);
    return True;
}

CADBRIDGE_API int32_t CadDrawCurve(CadHandle h, const CadPoint* points, int32_t count, const char* layer,
                                   int32_t polylineType, int32_t closed)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !points || count < 1 || polylineType < 0 || polylineType > 3)
        return False;
    std::vector<Vertex> v;
    for (int32_t i = 0; i < count; ++i) {
        if (!Finite(points[i]))
            return False;
        v.push_back({points[i].x, points[i].y});
    }
    DxfEntityBuilder(*d, layer).Polyline2d(v, polylineType, closed != 0);
    return True;
}

CADBRIDGE_API int32_t CadDrawPipeArrow(CadHandle h, const CadPoint* at, double angle, double size, const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !at || !Finite(*at) || !std::isfinite(angle) || !std::isfinite(size))
        return False;
    std::vector<Vertex> v = Vertices({Step(*at, size / 2, angle + M_PI), Step(*at, size / 2, angle)});
    v[0].startWidth = size / 3;
    v[0].endWidth = 0.0;
    DxfEntityBuilder(*d, layer).LwPolyline(v, false, -1.0);
    return True;
}

CADBRIDGE_API int32_t CadDrawPipeLabel(CadHandle h, const CadPoint* at, double angle, double textHeight,
                                       double arrowSize, const char* layer, const char* above, const char* below,
                                       int32_t useBelow)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !at || !Finite(*at) || !std::isfinite(angle) || !std::isfinite(textHeight) || !std::isfinite(arrowSize))
        return False;
    DxfEntityBuilder b(*d, layer);
    const double off = arrowSize / 6 + 0.3 * textHeight;
    if (above && *above) {
        const CadPoint p = Step(*at, off, angle + M_PI / 2);
        b.Text(above, p.x, p.y, textHeight, angle, DxfEntityBuilder::Center, DxfEntityBuilder::Bottom);
    }
    if (useBelow && below && *below) {
        const CadPoint p = Step(*at, off, angle - M_PI / 2);
        b.Text(below, p.x, p.y, textHeight, angle, DxfEntityBuilder::Center, DxfEntityBuilder::Top);
    }
    return True;
}

CADBRIDGE_API int32_t CadDrawNodeLabel(CadHandle h, const CadPoint* at, double nodeSize, double textHeight,
                                       const char* layer, const char* const* lines, int32_t lineCount, double angle,
                                       int32_t framed)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !at || !Finite(*at) || !std::isfinite(angle) || !std::isfinite(textHeight) || !std::isfinite(nodeSize))
        return False;
    if (lineCount <= 0)
        return True;
    if (!lines)
        return False;
    const double m = 0.3 * textHeight;
    double w0 = 0.0;
    for (int32_t i = 0; i < lineCount; ++i) {
        const double w = CadTextMetrics::Width(lines[i] ? lines[i] : "", textHeight);
        if (w > w0)
            w0 = w;
    }
    const double W = w0 + 2 * m, P = textHeight + 2 * m, H = lineCount * P;
    const CadPoint corners[4] = {{-W / 2, H / 2}, {W / 2, H / 2}, {W / 2, -H / 2}, {-W / 2, -H / 2}};
    const CadPoint origin{0, 0};
    const CadPoint far = Step(origin, std::sqrt(W * W / 4 + H * H / 4), angle);
    double b = 0.0;
    for (int e = 0; e < 4; ++e) {
        CadPoint hit{0, 0};
        if (Meet(origin, far, corners[e], corners[(e + 1) % 4], hit)) {
            b = std::hypot(hit.x, hit.y);
            break;
        }
    }
    const CadPoint c = Step(*at, b + nodeSize / 2 + 0.3 * P, angle);
    DxfEntityBuilder builder(*d, layer);
    for (int32_t i = 0; i < lineCount; ++i)
        builder.Text(lines[i] ? lines[i] : "", c.x - W / 2 + m, c.y + H / 2 - m - i * P, textHeight, 0.0,
                     DxfEntityBuilder::Left, DxfEntityBuilder::Top);
    if (framed) {
        for (int32_t i = 0; i <= lineCount; ++i)
            builder.Line(c.x - W / 2, c.y + H / 2 - i * P, c.x + W / 2, c.y + H / 2 - i * P);
        builder.Line(c.x - W / 2, c.y + H / 2, c.x - W / 2, c.y - H / 2);
        builder.Line(c.x + W / 2, c.y + H / 2, c.x + W / 2, c.y - H / 2);
    }
    return True;
}

CADBRIDGE_API int32_t CadDrawPump(CadHandle h, const CadPoint* from, const CadPoint* to, double size, const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    double theta = 0.0;
    if (!d || !from || !to || !Finite(*from) || !Finite(*to) || !std::isfinite(size) || !Direction(*from, *to, theta))
        return False;
    const CadPoint mid{(from->x + to->x) / 2, (from->y + to->y) / 2};
    const double s = size / 2;
    DxfEntityBuilder b(*d, layer);
    b.LwPolyline(Vertices({mid, Step(*from, s, theta - M_PI / 2), Step(*to, s, theta - M_PI / 2)}), true, -1.0);
    const CadPoint c = Step(mid, 3 * size / 8, theta + M_PI / 2);
    b.Circle(c.x, c.y, 3 * size / 8);
    return True;
}

CADBRIDGE_API int32_t CadDrawValve(CadHandle h, const CadPoint* from, const CadPoint* to, double size,
                                   const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    double theta = 0.0;
    if (!d || !from || !to || !Finite(*from) || !Finite(*to) || !std::isfinite(size) || !Direction(*from, *to, theta))
        return False;
    const double s = size / 2;
    DxfEntityBuilder(*d, layer).LwPolyline(Vertices({Step(*from, s, theta + M_PI / 2), Step(*to, s, theta - M_PI / 2),
                                                     Step(*to, s, theta + M_PI / 2), Step(*from, s, theta - M_PI / 2)}),
                                           true, -1.0);
    return True;
}

// The marks above the bow-tie follow the graphic view's symbols: a stem to an actuator box whose
// sensing line runs to the held side (reducing: outlet, sustaining: inlet), a meter circle
// (flow), a slash through the body (throttle), a cross (breaker), a diamond (curve).
CADBRIDGE_API int32_t CadDrawControlValve(CadHandle h, const CadPoint* from, const CadPoint* to, double size,
                                          int32_t kind, const char* layer)
{
    if (kind < 3 || kind > 8 || !to || !from)
        return False;
    if (CadDrawValve(h, from, to, size, layer) == False)
        return False;
    DxfDrawing* d = Target(h, layer);
    double theta = 0.0;
    Direction(*from, *to, theta);
    const double up = theta + M_PI / 2, s = size / 2;
    const CadPoint mid{(from->x + to->x) / 2, (from->y + to->y) / 2};
    DxfEntityBuilder b(*d, layer);
    if (kind == 6) {
        const CadPoint a = Step(Step(*from, s * 0.6, theta + M_PI), s * 1.4, up + M_PI);
        const CadPoint e = Step(Step(*to, s * 0.6, theta), s * 1.4, up);
        b.Line(a.x, a.y, e.x, e.y);
        return True;
    }
    const CadPoint stemTop = Step(mid, s * 1.2, up);
    b.Line(mid.x, mid.y, stemTop.x, stemTop.y);
    const double r = s * 0.4;
    const CadPoint c = Step(stemTop, r, up);
    switch (kind) {
    case 3:
    case 4: {
        const CadPoint right = Step(stemTop, r, theta), left = Step(stemTop, r, theta + M_PI);
        b.LwPolyline(Vertices({right, Step(right, 2 * r, up), Step(left, 2 * r, up), left}), true, -1.0);
        // The sensing line from the box to the pipe beyond the held side.
        const double away = kind == 3 ? theta : theta + M_PI;
        const CadPoint tap = Step(kind == 3 ? *to : *from, s * 0.5, away);
        const CadPoint p = Step(c, r, away), q = Step(tap, s * 1.2 + r, up);
        b.Line(p.x, p.y, q.x, q.y);
        b.Line(q.x, q.y, tap.x, tap.y);
        break;
    }
    case 5:
        b.Circle(c.x, c.y, r);
        break;
    case 7: {
        const CadPoint a1 = Step(Step(c, r, theta), r, up), a2 = Step(Step(c, r, theta + M_PI), r, up + M_PI);
        const CadPoint b1 = Step(Step(c, r, theta + M_PI), r, up), b2 = Step(Step(c, r, theta), r, up + M_PI);
        b.Line(a1.x, a1.y, a2.x, a2.y);
        b.Line(b1.x, b1.y, b2.x, b2.y);
        break;
    }
    default:
        b.LwPolyline(Vertices({stemTop, Step(c, r, theta), Step(c, r, up), Step(c, r, theta + M_PI)}), true, -1.0);
        break;
    }
    return True;
}

CADBRIDGE_API int32_t CadDrawTank(CadHandle h, const CadPoint* at, double size, const char* layer)
{
    DxfDrawing* d = Target(h, layer);
    if (!d || !at || !Finite(*at) || !std::isfinite(size))
        return False;
    const CadPoint p1 = Step(*at, size / 2, M_PI), p2 = Step(p1, size, M_PI / 2), p3 = Step(p2, size, 0),
                   p4 = Step(p3, size, -M_PI / 2);
    DxfEntityBuilder b(*d, layer);
    b.LwPolyline(Vertices({p1, p2, p3, p4}), true, -1.0);
    CadPoint q = Step(Step(p2, size / 2, 0), size / 5, -M_PI / 2);
    CadPoint a = Step(q, size / 4, M_PI), e = Step(a, size / 2, 0);
    b.Line(a.x, a.y, e.x, e.y);
    q = Step(q, size / 5, -M_PI / 2);
    a = Step(q, size / 8, M_PI);
    e = Step(a, size / 4, 0);
    b.Line(a.x, a.y, e.x, e.y);
    return True;
}

CADBRIDGE_API int32_t CadCreateLayer(CadHandle h, const char* name)
{
    CadSession& s = CadSession::Instance();
    DxfDrawing* d = h && s.IsOpen() ? s.Active() : nullptr;
    if (!d || !name || !*name)
        return False;
    if (const std::string why = d->AddRefusal(); !why.empty()) {
        s.SetLastError(why);
        return False;
    }
    d->PrepareFor(name, true);
    const std::string fileName = DxfTextCodec::FromGbk(name, d->Charset());
    if (!d->HasLayer(fileName))
        d->AddLayer(fileName);
    return True;
}

CADBRIDGE_API int32_t CadCreateLayers(CadHandle h, const char* const* names, int32_t count)
{
    // The start of every drawing pass: a drawing changed on disk since it was read is used as it
    // is now, not as it was.
    if (h && CadSession::Instance().IsOpen())
        CadSession::Instance().RefreshActive();
    for (int32_t i = 0; names && i < count; ++i)
        CadCreateLayer(h, names[i]);
    return True;
}

CADBRIDGE_API int32_t CadSetLayerColor(CadHandle h, const char* layer, int32_t colour)
{
    CadSession& s = CadSession::Instance();
    DxfDrawing* d = h && s.IsOpen() ? s.Active() : nullptr;
    if (!d || !layer || colour < 1 || colour > 255)
        return False;
    return d->SetAddedLayerColour(DxfTextCodec::FromGbk(layer, d->Charset()), colour) ? True : False;
}

CADBRIDGE_API int32_t CadSetDwgUnits(CadHandle h, double unitsPerMetre)
{
    CadSession& s = CadSession::Instance();
    DxfDrawing* d = h && s.IsOpen() ? s.Active() : nullptr;
    if (!d || !std::isfinite(unitsPerMetre) || !(unitsPerMetre > 0))
        return False;
    // $INSUNITS codes of the metric units, by units per metre; any other scale is unitless.
    static const struct {
        double perMetre;
        int code;
    } units[] = {{1e9, 12}, {1e6, 13}, {1e3, 4}, {1e2, 5}, {1e1, 14}, {1.0, 6}, {1e-1, 15}, {1e-2, 16}, {1e-3, 7}};
    int code = 0;
    for (const auto& u : units)
        if (std::fabs(unitsPerMetre / u.perMetre - 1.0) < 1e-9)
            code = u.code;
    if (d->CameFromFile()) {
        const DxfTagList& t = d->Tags();
        for (size_t i = 0; i + 1 < t.size() && !(t[i].code == 0 && t[i].value == "ENDSEC"); ++i) {
            long long own = 0;
            if (t[i].code == 9 && t[i].value == "$INSUNITS" && dxf::ParseInt(t[i + 1].value, own) && own != 0)
                return True;
        }
    }
    d->SetUnits(code);
    return True;
}
