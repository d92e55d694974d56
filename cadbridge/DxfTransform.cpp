#include "DxfTransform.h"

#include <cmath>

DxfTransform::DxfTransform() : m{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}} {}

DxfTransform DxfTransform::Shift(double x, double y, double z)
{
    DxfTransform t;
    t.m[0][3] = x;
    t.m[1][3] = y;
    t.m[2][3] = z;
    return t;
}

DxfTransform DxfTransform::Scale(double x, double y, double z)
{
    DxfTransform t;
    t.m[0][0] = x;
    t.m[1][1] = y;
    t.m[2][2] = z;
    return t;
}

DxfTransform DxfTransform::RotateZ(double radians)
{
    DxfTransform t;
    const double c = std::cos(radians), s = std::sin(radians);
    t.m[0][0] = c;
    t.m[0][1] = -s;
    t.m[1][0] = s;
    t.m[1][1] = c;
    return t;
}

DxfTransform DxfTransform::Ocs(double nx, double ny, double nz)
{
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(len > 0) || !std::isfinite(len) || (nx == 0 && ny == 0 && nz > 0))
        return DxfTransform();
    nx /= len, ny /= len, nz /= len;
    // Arbitrary axis: x = (0,1,0) x N near the poles, else (0,0,1) x N; y = N x x.
    double ax, ay, az;
    if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64)
        ax = nz, ay = 0, az = -nx;
    else
        ax = -ny, ay = nx, az = 0;
    const double al = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= al, ay /= al, az /= al;
    const double bx = ny * az - nz * ay, by = nz * ax - nx * az, bz = nx * ay - ny * ax;
    DxfTransform t;
    t.m[0][0] = ax, t.m[0][1] = bx, t.m[0][2] = nx;
    t.m[1][0] = ay, t.m[1][1] = by, t.m[1][2] = ny;
    t.m[2][0] = az, t.m[2][1] = bz, t.m[2][2] = nz;
    return t;
}

DxfTransform DxfTransform::operator*(const DxfTransform& inner) const
{
    DxfTransform r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) {
            double v = j == 3 ? m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k)
                v += m[i][k] * inner.m[k][j];
            r.m[i][j] = v;
        }
    return r;
}

void DxfTransform::Apply(double& x, double& y, double& z) const
{
    const double px = x, py = y, pz = z;
    x = m[0][0] * px + m[0][1] * py + m[0][2] * pz + m[0][3];
    y = m[1][0] * px + m[1][1] * py + m[1][2] * pz + m[1][3];
    z = m[2][0] * px + m[2][1] * py + m[2][2] * pz + m[2][3];
}

bool DxfTransform::PlanSimilar(double& factor) const
{
    // The plan image of the x and y axes: orthogonal and of equal length.
    const double a = m[0][0], b = m[1][0], c = m[0][1], d = m[1][1];
    const double la = std::hypot(a, b), lc = std::hypot(c, d);
    factor = la;
    const double eps = 1e-12 * (la + lc);
    return std::fabs(la - lc) <= eps && std::fabs(a * c + b * d) <= eps * (la + lc);
}

bool DxfTransform::IsFinite() const
{
    for (const auto& row : m)
        for (double v : row)
            if (!std::isfinite(v))
                return false;
    return true;
}
