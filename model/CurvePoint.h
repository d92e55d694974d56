#pragma once
#include <vector>

// One point of a pump or valve curve: flow (m3/s) and head (m), a pump's head gain or a valve's
// head loss at that flow.
struct CurvePoint {
    double flow = 0.0;
    double head = 0.0;
    bool operator==(const CurvePoint&) const = default;
};

using Curve = std::vector<CurvePoint>;
