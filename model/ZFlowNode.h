#pragma once
#include "ZNetNode.h"

class ZBalanceContext;
class ZDeviceLink;

// A node with position, elevation, head and demand (all base units).
class ZFlowNode : public ZNetNode {
public:
    double X = 0.0;
    double Y = 0.0;
    double NodeGrunElev = 0.0;
    double NodeHydrElev = 0.0;
    double NodeFlow = 0.0;
    double NodeFireFlow = 0.0;
    // Result: the demand the last balancing delivered (below the case demand where pressure-driven
    // demand found too little pressure).
    double NodeDeliveredFlow = 0.0;

    void CopyFrom(const ZNetObject& other) override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;
    // Demand in the calculation case: fire flow added at fire nodes in the fire case,
    // every demand scaled by the accident factor in the accident case.
    virtual double CaseDemand(const ZBalanceContext& ctx) const;

    bool IsHeadKnown() const { return HasFlag(qen::FLAG_HEAD_KNOWN); }
    bool IsFlowKnown() const { return HasFlag(qen::FLAG_FLOW_KNOWN); }
    void SetHeadKnown(bool headKnown);
    bool IsFireNode() const { return HasFlag(qen::FLAG_FIRE_NODE); }
    void SetFireNode(bool on) { on ? SetFlag(qen::FLAG_FIRE_NODE) : ClearFlag(qen::FLAG_FIRE_NODE); }
    bool IsDeviceNode() const { return HasFlag(qen::FLAG_DEVICE_NODE); }
    bool IsCutOff() const { return HasFlag(qen::FLAG_CUT_OFF); }

    double FreeHead() const { return NodeHydrElev - NodeGrunElev; }

    // Where the node is shown: its own position, except a device outlet, which sits on the
    // symbol's outlet anchor and so moves with the view's scale.
    PipePoint GetPosition(const ZNetView& view) const;
    ViewExtent GetBoundRect(const ZNetView& view) const override;
    ViewExtent GetDisplayRect(const ZNetView& view) const override;
    bool HitTestPoint(const ZNetView& view, const ViewExtent& pick) const override;
    bool SnapPoint(const ZNetView& view, const ViewExtent& pick, PipePoint& snapped) const override;
    void Draw(const ZNetView& view, ZDrawContext& dc) const override;

    // Moves the node; a device node takes the other end of its device along.
    void SetPosition(double x, double y);
    // The device of a device node: the first link if it is a device, else the second.
    ZDeviceLink* GetDevice() const;
    bool CanMergeWith(const ZFlowNode& other) const;
    bool CanAcceptLink(const ZNetLink& link) const;

protected:
    ZFlowNode() { SetFlag(qen::FLAG_FLOW_KNOWN); }
};
