#pragma once
#include "ZDeviceLink.h"

// A reservoir or water tower. The start node is the visible outlet; the end node is a hidden
// internal node. Both are head-known at the water surface.
class ZTankLink : public ZDeviceLink {
public:
    enum Type { Reservoir = 0, WaterTower = 1 };

    double TankArea = 0.0;
    double TankMinHead = 0.0;
    double TankMaxHead = 0.0;
    double TankCurH = 0.0;
    double TankBottomElev = 0.0;

    Kind GetKind() const override { return Kind::Tank; }
    const char* ClassName() const override { return "ZTankLink"; }
    ZTankLink* Clone() const override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;

    void Connect(ZNetNode* start, ZNetNode* end) override;
    void Disconnect() override;

    int32_t GetTankType() const { return m_tankType; }
    void SetTankType(int32_t t)
    {
        m_tankType = t;
        SetSymbolIndex(t);
    }
    double SurfaceElevation() const { return TankBottomElev + TankCurH; }

    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

private:
    int32_t m_tankType = Reservoir;
};
