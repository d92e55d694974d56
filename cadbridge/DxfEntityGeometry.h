#pragma once
#include "CadBridge.h"
#include "DxfTag.h"
#include "DxfTransform.h"

#include <string>
#include <vector>

// The drawn path of one LINE, LWPOLYLINE, POLYLINE or ARC in plan (x, y of world coordinates
// after `place`, the insertions it sits in): polylines from their object coordinate system,
// bulges and arcs as chords whose sagitta stays within 1/200 of the radius, a closed polyline
// with its closing segment. `length` is the drawn length, arcs measured on the arc.
class DxfEntityGeometry {
public:
    enum class Outcome {
        Path,      // `points` and `length` hold the path
        NotPath,   // not a kind taken as a pipe; `kind` names it
        Damaged,   // a coordinate is no finite number or the path leaves the number range
    };
    struct Path {
        std::vector<CadPoint> points;
        double length = 0.0;
        bool closed = false;   // closed by flag, or last point on the first
        std::string kind;      // Chinese name with its measure word, for skipped entities
    };

    // [begin, end): the entity's groups, sub-entities (VERTEX, SEQEND) included.
    static Outcome Read(const DxfTag* begin, const DxfTag* end, const DxfTransform& place, Path& out);
    // Chinese name, with measure word, of an entity type not taken as a pipe.
    static std::string KindName(const std::string& type);
};
