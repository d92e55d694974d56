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
    void GetTipText(const ZNetView& view, std::string& text) const override;
    void GetGradeText(const ZNetView& view, std::string& text) const override;

    int32_t GetPumpType() const { return m_pumpType; }
    void SetPumpType(int32_t t)
    {
        m_pumpType = t;
        SetSymbolIndex(t);
    }
    // The points a curve kind needs at least (0 for the law and constant power).
    static int PointsNeeded(int32_t curveKind);

    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

private:
    int32_t m_pumpType = 0;
};
