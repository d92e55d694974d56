#pragma once
#include "CurvePoint.h"
#include "ZDeviceLink.h"

// A pump; start node is the inlet. Its head gain follows PumpCurveKind: the quadratic law
// h = PumpStaticH - s q|q| (the original pump), a curve through PumpCurve's points, or constant
// power. The curve kinds never run backwards: past the shut-off head they close.
class ZPumpLink : public ZDeviceLink {
public:
    enum CurveKind {
        QuadraticLaw = 0,    // PumpStaticH and PumpSCoef
        OnePoint = 1,        // one design point; shut-off 4/3 of its head, zero head at twice its flow
        ThreePoint = 2,      // h = A - B q^C through three points
        MultiPoint = 3,      // piecewise linear through the points
        ConstantPower = 4,   // h = P / (rho g q) with P = PumpPower
    };
    static constexpr int CurveKindCount = 5;

    double PumpRatedRotV = 0.0;
    double PumpOperatedRotV = 0.0;
    double PumpSCoef = 0.0;
    double PumpStaticH = 0.0;
    double PumpVacuum = 0.0;
    double PumpEfficiency = 1.0;   // not copied from templates: a clone starts at 1.0
    bool PumpOpen = true;
    int32_t PumpCurveKind = QuadraticLaw;
    Curve PumpCurve;          // flow -> head gain, flows ascending
    double PumpPower = 0.0;   // kW, constant power
    double PumpSpeed = 1.0;   // relative speed of the curve kinds (affinity laws)

    Kind GetKind() const override { return Kind::Pump; }
    const char* ClassName() const override { return "ZPumpLink"; }
    int Schema() const override { return 2; }
    ZPumpLink* Clone() const override;
    void CopyFrom(const ZNetObject& other) override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;

    int32_t GetPumpType() const { return m_pumpType; }
    void SetPumpType(int32_t t)
    {
        m_pumpType = t;
        SetSymbolIndex(t);
    }
    // The points a curve kind needs at least (0 for the law and constant power).
    static int PointsNeeded(int32_t curveKind);

    // Fits the curve kind's law to PumpCurve (as EPANET 2.2 does: one point (q1, h1) gives
    // shut-off 1.33334 h1 and zero head at 2 q1; three points from zero flow give A, B, C of
    // h = A - B q^C). False when the points do not make a law: too few, flows not rising, heads
    // not falling, a power function that does not fit.
    bool CurveFits() const
    {
        double a, b, c;
        return FitCurve(a, b, c);
    }
    // Head gain at flow q >= 0 on the fitted curve at PumpSpeed.
    double CurveHead(double q) const;
    // The curve kinds' head gain at zero flow at PumpSpeed, from the points alone (infinite for
    // constant power, 0 without the points the kind needs).
    double ShutOffHead() const;
    bool HasCurve() const { return PumpCurveKind != QuadraticLaw; }
    // After CalcFlow: the curve kinds' head rise was above their shut-off head.
    bool IsShutByHead() const { return m_shutByHead; }

    // Sets Resistance (PumpSCoef) and, for the curve kinds, fits the curve.
    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

private:
    bool FitCurve(double& a, double& b, double& c) const;
    // Flow at relative speed 1 for the head rise r (< shut-off) and d(head)/d(flow) there.
    double CurveFlow(double rise, double& slope) const;

    int32_t m_pumpType = 0;
    // The fitted law: h = m_a - m_b q^m_c for the power kinds; m_a = power factor for constant
    // power; the points themselves for multi-point.
    double m_a = 0.0, m_b = 0.0, m_c = 1.0;
    bool m_shutByHead = false;
    double m_conductance = 0.0;   // of the last CalcFlow, curve kinds
};
