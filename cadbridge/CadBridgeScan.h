#pragma once
#include "CadBridge.h"

#include <string>
#include <vector>

// ExtractPipeFromAutoCad for a C++ receiver: `sink.OnScannedEntity(points, count, percent,
// keepGoing[, drawnLength, line])` is called once per entity (points as `Point`, two doubles x, y laid out as
// CadPoint; none for a skipped entity) and returns true when it took the entity. `layers` null:
// all layers. Header only, so the bridge itself knows no caller's types.
template <class Point, class Sink>
int CadBridgeScan(CadHandle h, const std::vector<std::string>* layers, int flags, Sink& sink)
{
    static_assert(sizeof(Point) == sizeof(CadPoint), "points are two doubles");
    struct Glue {
        static int Call(int count, CadPoint* points, int percent, void* user, int* keepGoing)
        {
            bool go = *keepGoing != 0;
            Sink& sink = *static_cast<Sink*>(user);
            const Point* pts = count > 0 ? reinterpret_cast<const Point*>(points) : nullptr;
            bool taken = false;
            if constexpr (requires(bool& g) { sink.OnScannedEntity(pts, 0, 0, g, 0.0, 0); }) {
                double length = 0.0;
                int32_t line = 0;
                CadScanEntityInfo(&length, &line);
                taken = sink.OnScannedEntity(pts, count > 0 ? count : 0, percent, go, length, line);
            } else {
                taken = sink.OnScannedEntity(pts, count > 0 ? count : 0, percent, go);
            }
            if (!go)
                *keepGoing = 0;
            return taken ? 1 : 0;
        }
    };
    std::vector<const char*> names;
    if (layers)
        for (const std::string& l : *layers)
            names.push_back(l.c_str());
    const int n = ExtractPipeFromAutoCad(h, static_cast<int32_t>(names.size()), layers ? names.data() : nullptr,
                                         static_cast<uint8_t>(flags), &Glue::Call, &sink);
    if constexpr (requires { sink.Finish(); })
        sink.Finish();
    return n > 0 ? n : 0;
}
