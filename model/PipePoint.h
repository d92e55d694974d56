#pragma once

// One intermediate vertex of a pipe's polyline, world metres.
struct PipePoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PipePoint&) const = default;
};
