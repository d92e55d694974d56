#pragma once
#include "PipePoint.h"
#include "ZFlowLink.h"

#include <cmath>
#include <cstdint>
#include <vector>

// A pipe (or PipeParallel + 1 identical pipes laid side by side) with an optional polyline.
class ZPipeLink : public ZFlowLink {
public:
    enum Type { HazenWilliams = 0, Manning = 1 };
    enum SideType { NoSupply = 0, SingleSide = 1, DoubleSide = 2 };

    double PipeDiam = 0.3;
    double PipeInDiam = 0.3;
    double PipeLength = 0.0;
    double PipeRougCeof = 100.0;
    int32_t PipeParallel = 0;
    uint32_t PipeDate = 0;   // seconds since 1970-01-01 UTC
    int32_t PipeType = HazenWilliams;
    int32_t PipeSideType = DoubleSide;
    double PipeMinorLoss = 0.0;   // K of the fittings: adds K v^2 / 2g to the loss

    ZPipeLink() { SetFlag(qen::FLAG_AUTO_LENGTH); }

    Kind GetKind() const override { return Kind::Pipe; }
    const char* ClassName() const override { return "ZPipeLink"; }
    const char* KindLetter() const override { return "P"; }
    ZPipeLink* Clone() const override;
    void GetTipText(const ZNetView& view, GbkString& text) const override;
    void GetGradeText(const ZNetView& view, GbkString& text) const override;
    void CopyFrom(const ZNetObject& other) override;
    void Reverse() override;

    double CalcResistance(const ZBalanceContext& ctx) override;
    double CalcConductance(const ZBalanceContext& ctx) const override;
    double CalcFlow(const ZBalanceContext& ctx) override;
    double HeadLoss() const override;

    // The pipe law on plain numbers, for one pipe of an open link. CalcFlow and CalcConductance
    // go through it, and so does the balancing's fast path over arrays of pipe data.
    static double LawFlow(double dh, double resistance, double exponent)
    {
        dh = ClampHeadDifference(dh);
        const double q = std::pow(std::fabs(dh) / resistance, 1.0 / exponent);
        return dh <= 0.0 ? -q : q;
    }
    // The head difference the law works with: never exactly zero, so an active pipe keeps a flow.
    static double LawHeadDifference(double dh) { return ClampHeadDifference(dh); }
    static double LawConductance(double flow, double resistance, double exponent)
    {
        return 1.0 / (exponent * resistance * std::pow(std::fabs(flow), exponent - 1.0));
    }
    // The law with a minor loss m q|q| added (m from MinorLossResistance).
    static double LawFlowWithMinorLoss(double dh, double resistance, double exponent, double minor);
    static double LawConductanceWithMinorLoss(double flow, double resistance, double exponent, double minor)
    {
        const double q = std::fabs(flow);
        return 1.0 / (exponent * resistance * std::pow(q, exponent - 1.0) + 2.0 * minor * q);
    }
    // K v^2 / 2g as m q^2: EPANET's factor (0.02517 K / d^4 in feet and cfs), so that imported
    // networks lose exactly the head EPANET finds. Zero without a coefficient.
    double MinorLossResistance() const
    {
        if (!(PipeMinorLoss > 0.0))
            return 0.0;
        const double d2 = PipeInDiam * PipeInDiam;
        return MinorLossFactor * PipeMinorLoss / (d2 * d2);
    }
    static constexpr double MinorLossFactor = 0.02517 / 0.3048;

    const std::vector<PipePoint>& Vertices() const { return m_vertices; }
    int VertexCount() const { return static_cast<int>(m_vertices.size()); }
    const PipePoint& VertexAt(int i) const { return m_vertices[static_cast<size_t>(i)]; }
    void SetVertex(int i, const PipePoint& p) { m_vertices[static_cast<size_t>(i)] = p; }
    void SetVertices(std::vector<PipePoint> v) { m_vertices = std::move(v); }

    bool IsAutoLength() const { return HasFlag(qen::FLAG_AUTO_LENGTH); }
    bool IsAccidentPipe() const { return HasFlag(qen::FLAG_ACCIDENT_PIPE); }
    double Area() const { return PipeDiam * PipeDiam * 0.7853981633974483; }
    double Velocity() const { return Flow / Area(); }
    double FlowExponent() const { return PipeType == HazenWilliams ? 1.852 : 2.0; }
    double PolylineLength() const;

    ViewExtent GetBoundRect(const ZNetView& view) const override;
    ViewExtent GetDisplayRect(const ZNetView& view) const override;
    bool HitTestPoint(const ZNetView& view, const ViewExtent& pick) const override;
    // The point of the polyline nearest the pick square's centre.
    bool SnapPoint(const ZNetView& view, const ViewExtent& pick, PipePoint& snapped) const override;
    void Draw(const ZNetView& view, ZDrawContext& dc) const override;
    bool UpdateAutoLength();

private:
    // Calls fn(a, b) on each segment of the display polyline (start node, vertices, end node) until
    // it returns true; whether one did. No segments while detached.
    template <class Fn>
    bool AnySegment(const ZNetView& view, Fn&& fn) const;
    void AddLabels(const ZNetView& view, ViewExtent* bounds, ZDrawContext* dc) const;
    bool IsShutInCase(const ZBalanceContext& ctx) const;

    std::vector<PipePoint> m_vertices;
};
