#pragma once
#include "ZDeviceLink.h"

// A pump with the quadratic characteristic h = PumpStaticH - s q|q|; start node is the inlet.
class ZPumpLink : public ZDeviceLink {
public:
    double PumpRatedRotV = 0.0;
    double PumpOperatedRotV = 0.0;
    double PumpSCoef = 0.0;
    double PumpStaticH = 0.0;
    double PumpVacuum = 0.0;
    double PumpEfficiency = 1.0;   // not copied from templates: a clone starts at 1.0
    bool PumpOpen = true;

    Kind GetKind() const override { return Kind::Pump; }
    const char* ClassName() const override { return "ZPumpLink"; }
    int Schema() const override { return 2; }
    ZPumpLink* Clone() const override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;

    int32_t GetPumpType() const { return m_pumpType; }
    void SetPumpType(int32_t t) { m_pumpType = t; SetSymbolIndex(t); }

    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

private:
    int32_t m_pumpType = 0;
};
