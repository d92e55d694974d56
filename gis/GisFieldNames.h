#pragma once
#include "model/ZNetObject.h"

#include <string>
#include <string_view>
#include <vector>

struct ZField;

// The attribute names QEN writes for a class's fields (model/ZFieldTable) and reads back: an input
// field by its key ("PipeDiam", base units), a result with its base unit after the key
// ("Flow_m3s"). Shapefiles hold ten-character names: there each name is cut to ten and made
// unique by a digit, in table order, the same way on export and import.
class GisFieldNames {
public:
    struct Name {
        const ZField* field;
        std::string name;   // full
        std::string shp;    // at most ten characters
        bool result;        // written only with results
    };
    static const std::vector<Name>& Of(ZNetObject::Kind kind);
    // The entry whose full or shapefile name is `name` (ASCII case ignored), or null.
    static const Name* Find(ZNetObject::Kind kind, std::string_view name);
    static bool SameName(std::string_view a, std::string_view b);
};
