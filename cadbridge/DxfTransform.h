#pragma once

// An affine map of drawing space (3 x 4, the last column the shift): a block insertion, an
// object coordinate system, or both composed.
class DxfTransform {
public:
    DxfTransform();   // identity
    static DxfTransform Shift(double x, double y, double z);
    static DxfTransform Scale(double x, double y, double z);
    static DxfTransform RotateZ(double radians);
    // From the object coordinate system of extrusion direction (nx, ny, nz) to world
    // coordinates, by the arbitrary axis rule of the format; (0, 0, 1) gives the identity.
    static DxfTransform Ocs(double nx, double ny, double nz);

    // This map applied after `inner`.
    DxfTransform operator*(const DxfTransform& inner) const;
    void Apply(double& x, double& y, double& z) const;
    // Whether plan lengths scale by one factor in every direction (then `factor` holds it).
    bool PlanSimilar(double& factor) const;
    bool IsFinite() const;

private:
    double m[3][4];
};
