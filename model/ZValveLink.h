#pragma once
#include "CurvePoint.h"
#include "ZDeviceLink.h"

// A valve. Gate, check and the fixed-reduction valve follow the square law with ValveSCoef (a
// check valve closes against reverse flow only when the network's option says so); the control
// kinds hold ValveSetting while they can and otherwise act as open or closed valves.
class ZValveLink : public ZDeviceLink {
public:
    enum Type {
        Gate = 0,
        Check = 1,
        PressureReducing = 2,   // fixed reduction ValveHLess
        Prv = 3,                // holds the downstream pressure ValveSetting (m)
        Psv = 4,                // holds the upstream pressure ValveSetting (m)
        Fcv = 5,                // passes at most the flow ValveSetting (m3/s)
        Tcv = 6,                // loss coefficient ValveSetting on ValveDiam
        Pbv = 7,                // loses the head ValveSetting (m)
        Gpv = 8,                // head loss by ValveCurve
    };
    static constexpr int TypeCount = 9;
    // How a control kind starts; gate, check and fixed-reduction valves ignore it. A valve whose
    // ValveOpen is off is closed whatever this says.
    enum InitStatus { StatusActive = 0, StatusOpen = 1, StatusClosed = 2 };
    // What the last balancing found the valve doing.
    enum State {
        StateNone = 0,            // not balanced since the valve was made
        StateActive = 1,          // holding its setting
        StateOpen = 2,            // fully open
        StateClosed = 3,          // shut by its status or to hold its setting
        StateReverseClosed = 4,   // shut against reverse flow
        StateCannotHold = 5,      // fully open and still short of its setting
    };

    double ValveSCoef = 0.0;
    double ValveHLess = 0.0;
    bool ValveOpen = true;
    double ValveSetting = 0.0;
    double ValveDiam = 0.0;   // m; a TCV's loss coefficient acts on it
    int32_t ValveInitStatus = StatusActive;
    Curve ValveCurve;                 // GPV: flow -> head loss, flows ascending
    int32_t ValveState = StateNone;   // result

    Kind GetKind() const override { return Kind::Valve; }
    const char* ClassName() const override { return "ZValveLink"; }
    ZValveLink* Clone() const override;
    void CopyFrom(const ZNetObject& other) override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;

    int32_t GetValveType() const { return m_valveType; }
    void SetValveType(int32_t t)
    {
        m_valveType = t;
        SetSymbolIndex(t);
    }
    // PRV, PSV, FCV, TCV, PBV or GPV.
    bool IsControlValve() const { return m_valveType >= Prv && m_valveType < TypeCount; }
    // The status the calculation starts from, ValveOpen included.
    int32_t StartStatus() const { return ValveOpen ? ValveInitStatus : StatusClosed; }
    // Shut whatever the heads: ValveOpen off, or a control valve whose status says closed.
    bool IsShutByUser() const { return !ValveOpen || (IsControlValve() && ValveInitStatus == StatusClosed); }

    // The state the calculation works with: ValveState while a balancing sets it, else the start.
    int32_t WorkingState() const;
    // The head a PRV (downstream) or PSV (upstream) holds: that node's ground plus the setting.
    double SettingHead() const;
    // A GPV's head loss at flow >= 0: piecewise linear through ValveCurve, the end segments
    // extended, never below 0.
    double CurveLossAt(double flow) const;

    // Sets Resistance (ValveSCoef); a TCV's own resistance comes from its setting and diameter.
    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    // An active PRV or PSV returns 0 and keeps Flow: the balancing gives it the flow its held
    // node needs.
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

    // A shut control or check valve keeps this conductance, so its nodes stay in the system.
    static constexpr double ShutConductance = 1e-8;

private:
    double ShutFlow(double dh);
    double SquareFlow(double dh, double resistance);
    double OpenFlow(double dh);
    double CurveFlow(double dh);

    int32_t m_valveType = Gate;
    double m_tcvResistance = 0.0;
    double m_conductance = 0.0;   // of the last CalcFlow, where not the plain square law
};
