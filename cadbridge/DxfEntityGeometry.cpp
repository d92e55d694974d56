#include "DxfEntityGeometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

struct Vertex {
    double x = 0, y = 0, z = 0;
    double bulge = 0;
};

// Collects points and length in plan for one entity.
class Tracer {
public:
    Tracer(const DxfTransform& t, DxfEntityGeometry::Path& out) : m_t(t), m_out(out)
    {
        m_similar = t.PlanSimilar(m_factor);
    }
    void Start(const Vertex& v) { Add(v.x, v.y, v.z); }
    void Straight(const Vertex& to) { Add(to.x, to.y, to.z); }
    // An arc from `from` to `to` whose included angle is 4 atan(bulge), counter-clockwise when positive.
    void Bulge(const Vertex& from, const Vertex& to)
    {
        const double dx = to.x - from.x, dy = to.y - from.y, c = std::hypot(dx, dy);
        const double theta = 4 * std::atan(from.bulge);
        if (!(c > 0) || !std::isfinite(c)) {
            Straight(to);
            return;
        }
        const double h = c / 2 / std::tan(theta / 2);
        const double cx = (from.x + to.x) / 2 - dy / c * h, cy = (from.y + to.y) / 2 + dx / c * h;
        const double r = std::hypot(from.x - cx, from.y - cy);
        Arc(cx, cy, from.z, r, std::atan2(from.y - cy, from.x - cx), theta, &to);
    }
    // An arc of `sweep` radians from angle `a0` about (cx, cy) at height z; `end` is its exact end point.
    void Arc(double cx, double cy, double z, double r, double a0, double sweep, const Vertex* end)
    {
        const double step = 2 * std::acos(1 - 1.0 / 200);
        const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / step)));
        for (int k = 1; k <= n; ++k) {
            if (k == n && end) {
                AddPoint(end->x, end->y, end->z);
                break;
            }
            const double a = a0 + sweep * k / n;
            AddPoint(cx + r * std::cos(a), cy + r * std::sin(a), z);
        }
        if (m_similar) {
            m_out.length += m_factor * r * std::fabs(sweep);
            return;
        }
        // Not a circle in plan (a tilted or unevenly scaled insertion): measured finely.
        const int fine = 16 + static_cast<int>(std::fabs(sweep) / (2 * kPi) * 4096);
        double px = cx + r * std::cos(a0), py = cy + r * std::sin(a0), pz = z;
        m_t.Apply(px, py, pz);
        for (int k = 1; k <= fine; ++k) {
            const double a = a0 + sweep * k / fine;
            double x = cx + r * std::cos(a), y = cy + r * std::sin(a), zz = z;
            m_t.Apply(x, y, zz);
            m_out.length += std::hypot(x - px, y - py);
            px = x, py = y;
        }
    }

private:
    void Add(double x, double y, double z)
    {
        const bool first = m_out.points.empty();
        const CadPoint before = first ? CadPoint{0, 0} : m_out.points.back();
        AddPoint(x, y, z);
        if (!first)
            m_out.length += std::hypot(m_out.points.back().x - before.x, m_out.points.back().y - before.y);
    }
    void AddPoint(double x, double y, double z)
    {
        m_t.Apply(x, y, z);
        m_out.points.push_back({x, y});
    }

    const DxfTransform& m_t;
    DxfEntityGeometry::Path& m_out;
    bool m_similar = false;
    double m_factor = 1.0;
};

bool Finite(const DxfEntityGeometry::Path& p)
{
    if (!std::isfinite(p.length))
        return false;
    for (const CadPoint& c : p.points)
        if (!std::isfinite(c.x) || !std::isfinite(c.y))
            return false;
    return true;
}

}   // namespace

std::string DxfEntityGeometry::KindName(const std::string& type)
{
    static const std::pair<const char*, const char*> names[] = {
        {"SPLINE", "条样条曲线"},
        {"CIRCLE", "个圆"},
        {"ELLIPSE", "个椭圆"},
        {"TEXT", "个文字"},
        {"MTEXT", "个多行文字"},
        {"HATCH", "个填充图案"},
        {"DIMENSION", "个尺寸标注"},
        {"POINT", "个点"},
        {"SOLID", "个二维填充"},
        {"TRACE", "条宽线"},
        {"LEADER", "条引线"},
        {"MLEADER", "条多重引线"},
        {"XLINE", "条构造线"},
        {"RAY", "条射线"},
        {"MLINE", "条多线"},
        {"3DFACE", "个三维面"},
        {"REGION", "个面域"},
        {"3DSOLID", "个三维实体"},
        {"BODY", "个实体"},
        {"MESH", "个网格"},
        {"ATTDEF", "个属性定义"},
        {"IMAGE", "个光栅图像"},
        {"WIPEOUT", "个区域覆盖"},
        {"VIEWPORT", "个视口"},
        {"TOLERANCE", "个形位公差"},
        {"SHAPE", "个形"},
        {"OLE2FRAME", "个OLE对象"},
        {"HELIX", "条螺旋线"},
        {"ARC_DIMENSION", "个弧长标注"},
        {"LWPOLYLINE", "条多段线"},
        {"POLYLINE", "条多段线"},
        {"LINE", "条直线"},
        {"ARC", "条圆弧"},
        {"INSERT", "个块参照"},
    };
    for (const auto& [t, n] : names)
        if (type == t)
            return n;
    // The type as the file has it, limited to what a type name can be: input bytes never reach
    // a message unescaped.
    std::string shown;
    for (char c : type.substr(0, 32))
        shown += (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ? c : '?';
    return "个" + shown + (type.size() > 32 ? "…" : "") + "图元";
}

DxfEntityGeometry::Outcome DxfEntityGeometry::Read(const DxfTag* begin, const DxfTag* end, const DxfTransform& place,
                                                   Path& out)
{
    out = Path();
    const std::string& type = begin->value;
    bool ok = true;
    auto num = [&](const DxfTag& t) {
        double v = 0.0;
        ok = dxf::ParseDouble(t.value, v) && ok;
        return v;
    };
    auto integer = [&](const DxfTag& t) {
        long long v = 0;
        ok = dxf::ParseInt(t.value, v) && ok;
        return v;
    };
    double nx = 0, ny = 0, nz = 1, elevation = 0;
    long long flags = 0;
    std::vector<Vertex> vs;
    const DxfTag* t = begin + 1;
    if (type == "LINE") {
        Vertex a, b;
        for (; t < end && t->code != 0; ++t)
            switch (t->code) {
            case 10:
                a.x = num(*t);
                break;
            case 20:
                a.y = num(*t);
                break;
            case 30:
                a.z = num(*t);
                break;
            case 11:
                b.x = num(*t);
                break;
            case 21:
                b.y = num(*t);
                break;
            case 31:
                b.z = num(*t);
                break;
            default:
                break;
            }
        Tracer tr(place, out);
        tr.Start(a);
        tr.Straight(b);
        return ok && Finite(out) ? Outcome::Path : Outcome::Damaged;
    }
    if (type == "ARC") {
        double cx = 0, cy = 0, cz = 0, r = 0, a0 = 0, a1 = 0;
        for (; t < end && t->code != 0; ++t)
            switch (t->code) {
            case 10:
                cx = num(*t);
                break;
            case 20:
                cy = num(*t);
                break;
            case 30:
                cz = num(*t);
                break;
            case 40:
                r = num(*t);
                break;
            case 50:
                a0 = num(*t);
                break;
            case 51:
                a1 = num(*t);
                break;
            case 210:
                nx = num(*t);
                break;
            case 220:
                ny = num(*t);
                break;
            case 230:
                nz = num(*t);
                break;
            default:
                break;
            }
        if (!ok || !(r > 0))
            return Outcome::Damaged;
        double sweep = std::fmod(a1 - a0, 360.0);
        if (sweep <= 0)
            sweep += 360.0;
        const DxfTransform t2 = place * DxfTransform::Ocs(nx, ny, nz);
        Tracer tr(t2, out);
        const double s = a0 * kPi / 180;
        tr.Start({cx + r * std::cos(s), cy + r * std::sin(s), cz, 0});
        tr.Arc(cx, cy, cz, r, s, sweep * kPi / 180, nullptr);
        out.closed = sweep >= 360.0;
        return Finite(out) ? Outcome::Path : Outcome::Damaged;
    }
    const bool lw = type == "LWPOLYLINE";
    if (!lw && type != "POLYLINE") {
        out.kind = KindName(type);
        return Outcome::NotPath;
    }
    double startWidth = 0, endWidth = 0;
    for (; t < end && t->code != 0; ++t) {
        switch (t->code) {
        case 70:
            flags = integer(*t);
            break;
        case 38:
            elevation = num(*t);
            break;
        case 30:
            if (!lw)
                elevation = num(*t);
            break;
        case 210:
            nx = num(*t);
            break;
        case 220:
            ny = num(*t);
            break;
        case 230:
            nz = num(*t);
            break;
        case 10:
            if (lw)
                vs.push_back({num(*t), 0, 0, 0});
            break;
        case 20:
            if (lw && !vs.empty())
                vs.back().y = num(*t);
            break;
        case 42:
            if (lw && !vs.empty())
                vs.back().bulge = num(*t);
            break;
        case 40:
            if (lw && vs.size() == 1)
                startWidth = num(*t);
            break;
        case 41:
            if (lw && vs.size() == 1)
                endWidth = num(*t);
            break;
        default:
            break;
        }
    }
    const bool poly3d = !lw && (flags & 8);
    if (!lw && (flags & (16 | 64))) {
        out.kind = "个多边形网格";
        return Outcome::NotPath;
    }
    // Sub-entities of a POLYLINE: its vertices, less the points a curve or spline fit added.
    while (!lw && t < end) {
        const bool vertex = t->value == "VERTEX";
        Vertex v;
        long long vflags = 0;
        for (++t; t < end && t->code != 0; ++t) {
            if (!vertex)
                continue;
            switch (t->code) {
            case 10:
                v.x = num(*t);
                break;
            case 20:
                v.y = num(*t);
                break;
            case 30:
                v.z = num(*t);
                break;
            case 42:
                v.bulge = num(*t);
                break;
            case 70:
                vflags = integer(*t);
                break;
            default:
                break;
            }
        }
        if (vertex && !(vflags & (1 | 8)))
            vs.push_back(v);
    }
    if (!ok || vs.empty())
        return vs.empty() && ok ? Outcome::NotPath : Outcome::Damaged;
    // QEN's own node discs (two half circles, closed) and flow arrows (a tapering segment).
    if (lw && vs.size() == 2 && (flags & 1) && std::fabs(vs[0].bulge) == 1 && std::fabs(vs[1].bulge) == 1) {
        out.kind = "个圆环";
        return Outcome::NotPath;
    }
    if (lw && vs.size() == 2 && !(flags & 1) && startWidth > 0 && endWidth == 0) {
        out.kind = "个箭头";
        return Outcome::NotPath;
    }
    if (!poly3d)
        for (Vertex& v : vs)
            v.z = elevation;
    const bool closeIt = (flags & 1) && vs.size() > 1;
    if (closeIt) {
        Vertex back = vs.front();
        back.bulge = 0;
        vs.push_back(back);
    }
    const DxfTransform t2 = poly3d ? place : place * DxfTransform::Ocs(nx, ny, nz);
    Tracer tr(t2, out);
    tr.Start(vs.front());
    for (size_t i = 1; i < vs.size(); ++i) {
        if (!poly3d && vs[i - 1].bulge != 0)
            tr.Bulge(vs[i - 1], vs[i]);
        else
            tr.Straight(vs[i]);
    }
    if (closeIt) {
        // A closing segment onto the first point adds nothing: the flag only closed it again.
        const Vertex& a = vs[vs.size() - 2];
        if (a.x == vs.front().x && a.y == vs.front().y && a.bulge == 0)
            out.points.pop_back();
    }
    const CadPoint &f = out.points.front(), &l = out.points.back();
    out.closed = out.points.size() > 2 && f.x == l.x && f.y == l.y;
    return Finite(out) ? Outcome::Path : Outcome::Damaged;
}
