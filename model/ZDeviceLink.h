#pragma once
#include "ZFlowLink.h"

#include <cstdint>

// A pump, valve or tank. Both ends share one model position; the end node is the outlet.
class ZDeviceLink : public ZFlowLink {
public:
    const char* KindLetter() const override { return "U"; }
    void CopyFrom(const ZNetObject& other) override;

    void Connect(ZNetNode* start, ZNetNode* end) override;
    void Disconnect() override;
    void Reverse() override;

    int32_t SymbolIndex() const { return m_symbolIndex; }
    void SetSymbolIndex(int32_t i) { m_symbolIndex = i; }

    // The symbol image, its inlet anchor on the start node; kept at its pixel size at every zoom.
    ViewExtent SymbolRect(const ZNetView& view) const;
    ViewExtent GetBoundRect(const ZNetView& view) const override;
    ViewExtent GetDisplayRect(const ZNetView& view) const override;
    void Draw(const ZNetView& view, ZDrawContext& dc) const override;

protected:
    ZDeviceLink() = default;
    // Square-law flow shared by pumps and valves: q = ±sqrt(|dh| / s), zero when shut.
    double SquareLawFlow(double dh, bool open);
    double SquareLawConductance(bool open) const;
    // The steepest a curve may make the conductance, as EPANET's smallest head gradient.
    static constexpr double MaxConductance = 1e7;

private:
    int32_t m_symbolIndex = 0;
};
