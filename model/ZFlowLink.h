#pragma once
#include "ZNetLink.h"

class ZBalanceContext;
class ZFlowNode;

// A link that carries flow. The four hydraulic operations are the only physics the solver sees.
class ZFlowLink : public ZNetLink {
public:
    double Flow = 0.0;         // of one pipe, m3/s, positive from start to end
    double Resistance = 0.0;   // s as last computed

    ZFlowNode* From() const;
    ZFlowNode* To() const;

    // Computes s, stores it in Resistance and returns it.
    virtual double CalcResistance(const ZBalanceContext& ctx) = 0;
    // d(total flow)/d(head difference) at the stored flow.
    virtual double CalcConductance(const ZBalanceContext& ctx) const = 0;
    // Flow from the current end heads; stores the per-pipe flow, returns the link's total flow.
    virtual double CalcFlow(const ZBalanceContext& ctx) = 0;
    virtual double HeadLoss() const = 0;

protected:
    ZFlowLink() = default;
    // Difference clamped away from zero so flows never vanish and conductances stay finite.
    static double ClampHeadDifference(double dh);
};
