#pragma once

// A view that takes a typed model point as if it had been clicked (the coordinate entry bar).
class CoordinateSink {
public:
    virtual ~CoordinateSink() = default;
    virtual void OnCoordinateEntered(double x, double y) = 0;
};
