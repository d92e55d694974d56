#pragma once
#include "ZDeviceLink.h"

// A gate, check or pressure-reducing valve. Check valves pass flow both ways in the calculation.
class ZValveLink : public ZDeviceLink {
public:
    enum Type { Gate = 0, Check = 1, PressureReducing = 2 };

    double ValveSCoef = 0.0;
    double ValveHLess = 0.0;
    bool ValveOpen = true;

    Kind GetKind() const override { return Kind::Valve; }
    const char* ClassName() const override { return "ZValveLink"; }
    ZValveLink* Clone() const override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;

    int32_t GetValveType() const { return m_valveType; }
    void SetValveType(int32_t t) { m_valveType = t; SetSymbolIndex(t); }

    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

private:
    int32_t m_valveType = Gate;
};
