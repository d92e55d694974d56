#pragma once
#include "GisAttributeMap.h"
#include "model/PipePoint.h"

#include <memory>
#include <string>
#include <vector>

class OGRCoordinateTransformation;
class OGRLayer;
class ProgressObserver;
struct ZField;

// Reads every feature of the chosen layers into memory before the network is touched, so that a
// fault anywhere (a geometry without points or with a non-finite one, text where a number is
// needed, a value out of its field's range) refuses the whole import naming layer and feature.
class GisFeatureReader {
public:
    struct Feature {
        std::string where;                                      // "layer \"pipes\", feature 17"
        std::string id;                                         // UTF-8, empty: none given
        std::vector<std::vector<PipePoint>> parts;              // pipes: one polyline a part; nodes: one point
        std::vector<std::pair<const ZField*, double>> values;   // base units
        bool knownHead = false;                                 // a head_m given: the node's head is known
    };
    struct Layer {
        std::string name;
        std::vector<GisAttributeMap::Binding> bindings;
        std::vector<Feature> pipes, nodes;
        std::vector<int> nulls;   // per binding: features where it was empty (template value kept)
        int skipped = 0;          // features of another geometry (polygons, or points of a pipe layer)
    };

    // `transform` (may be null) takes coordinates into the network's system. Reads lines when
    // `pipes`, points when `nodes`. Throws GisError; a stop request throws too.
    static Layer Read(OGRLayer& layer, bool pipes, bool nodes, const std::vector<GisAttributeMap::Choice>& chosen,
                      OGRCoordinateTransformation* transform, const std::string& source, ProgressObserver* observer);
};
