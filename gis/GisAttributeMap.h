#pragma once
#include "model/ZNetObject.h"

#include <string>
#include <vector>

class OGRFeatureDefn;
struct ZField;

// Which attribute of a layer fills which field of its pipes or nodes. The user's choices
// (--map KEY=FIELD) come first; then attributes named like QEN's own fields (what an export
// writes, base units); then the names utilities commonly use, in the units they use them:
//   id                 ID, NAME, 编号, FACILITYID, ASSETID                        text
//   diameter_mm        DN, DIAMETER, DIAM, DIA, 管径                              mm
//   inner_diameter_mm  INNER_DIAM, INNERDIAM, 内径                                mm
//   length_m           LENGTH, LEN, LENGTH_M, 长度                                m
//   coefficient        C, ROUGHNESS, HW_C, CHW, 系数                              H-W C or Manning n
//   minor_loss         MINORLOSS, MINOR_LOSS, K                                  -
//   elevation_m        ELEV, ELEVATION, Z, GROUND, 高程, 地面标高                  m
//   demand_ls          DEMAND, 水量, 节点水量                                      l/s
//   head_m             HEAD, FIXED_HEAD, 水头                                      m (makes a known-head node)
//   fire_flow_ls       FIREFLOW, FIRE_FLOW, 消防水量                               l/s
// A KEY may also be a field key of the class ("PipeRougCeof").
class GisAttributeMap {
public:
    struct Choice {
        std::string key;
        std::string field;
    };
    struct Binding {
        int index;             // of the attribute in the layer
        std::string key;       // as the user or the table names it
        const ZField* field;   // null: the identifier
        double factor;         // to base units
        const char* how;       // "--map", "QEN field", "default"
    };

    // "KEY=FIELD"; throws GisError naming the text when it is not that or names no key.
    static Choice Parse(const std::string& text);
    // Keys the user can give (for messages).
    static std::string KeyList();
    // Whether the key applies to the class (pipes or nodes).
    static bool KeyFits(const std::string& key, ZNetObject::Kind kind);

    // The bindings of one layer; a chosen attribute the layer lacks throws GisError naming the
    // layer, the attribute and the attributes it has.
    static std::vector<Binding> For(ZNetObject::Kind kind, const OGRFeatureDefn& defn,
                                    const std::vector<Choice>& chosen, const std::string& where);
};
