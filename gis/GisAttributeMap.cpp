#include "GisAttributeMap.h"

#include "GisError.h"
#include "GisFieldNames.h"
#include "model/ZFieldTable.h"

#include <ogr_feature.h>

#include <sstream>

namespace {
struct Key {
    const char* key;
    ZNetObject::Kind kind;
    const char* field;   // null: the identifier (both classes)
    double factor;
    const char* names;   // defaults, '|' between
};

const Key s_keys[] = {
    {"id", ZNetObject::Kind::Pipe, nullptr, 1.0, "ID|NAME|编号|FACILITYID|ASSETID"},
    {"diameter_mm", ZNetObject::Kind::Pipe, "PipeDiam", 0.001, "DN|DIAMETER|DIAM|DIA|管径"},
    {"inner_diameter_mm", ZNetObject::Kind::Pipe, "PipeInDiam", 0.001, "INNER_DIAM|INNERDIAM|内径"},
    {"length_m", ZNetObject::Kind::Pipe, "PipeLength", 1.0, "LENGTH|LEN|LENGTH_M|长度"},
    {"coefficient", ZNetObject::Kind::Pipe, "PipeRougCeof", 1.0, "C|ROUGHNESS|HW_C|CHW|系数"},
    {"minor_loss", ZNetObject::Kind::Pipe, "PipeMinorLoss", 1.0, "MINORLOSS|MINOR_LOSS|K"},
    {"elevation_m", ZNetObject::Kind::Node, "NodeGrunElev", 1.0, "ELEV|ELEVATION|Z|GROUND|高程|地面标高"},
    {"demand_ls", ZNetObject::Kind::Node, "NodeFlow", 0.001, "DEMAND|水量|节点水量"},
    {"head_m", ZNetObject::Kind::Node, "NodeHydrElev", 1.0, "HEAD|FIXED_HEAD|水头"},
    {"fire_flow_ls", ZNetObject::Kind::Node, "NodeFireFlow", 0.001, "FIREFLOW|FIRE_FLOW|消防水量"},
};

const Key* FindKey(const std::string& key, ZNetObject::Kind kind)
{
    for (const Key& k : s_keys)
        if (key == k.key && (!k.field || k.kind == kind))
            return &k;
    return nullptr;
}

int FindAttribute(const OGRFeatureDefn& defn, std::string_view name)
{
    for (int i = 0; i < defn.GetFieldCount(); ++i)
        if (GisFieldNames::SameName(defn.GetFieldDefn(i)->GetNameRef(), name))
            return i;
    return -1;
}

bool Bound(const std::vector<GisAttributeMap::Binding>& b, const ZField* field)
{
    for (const GisAttributeMap::Binding& x : b)
        if (x.field == field)
            return true;
    return false;
}
}   // namespace

GisAttributeMap::Choice GisAttributeMap::Parse(const std::string& text)
{
    const size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size())
        throw GisError("--map wants KEY=FIELD, not \"" + text + "\"");
    Choice c{text.substr(0, eq), text.substr(eq + 1)};
    if (!KeyFits(c.key, ZNetObject::Kind::Pipe) && !KeyFits(c.key, ZNetObject::Kind::Node))
        throw GisError("--map: no key \"" + c.key + "\" (keys: " + KeyList() +
                       ", or a field of the pipe or node table)");
    return c;
}

std::string GisAttributeMap::KeyList()
{
    std::string list;
    for (const Key& k : s_keys)
        list += (list.empty() ? "" : ", ") + std::string(k.key);
    return list;
}

bool GisAttributeMap::KeyFits(const std::string& key, ZNetObject::Kind kind)
{
    if (FindKey(key, kind))
        return true;
    const ZField* f = ZFieldTable::Find(kind, key);
    return f && f->IsInput() && f->type != ZField::Text;
}

std::vector<GisAttributeMap::Binding> GisAttributeMap::For(ZNetObject::Kind kind, const OGRFeatureDefn& defn,
                                                           const std::vector<Choice>& chosen, const std::string& where)
{
    std::vector<Binding> b;
    bool idBound = false;
    for (const Choice& c : chosen) {
        if (!KeyFits(c.key, kind))
            continue;
        const int i = FindAttribute(defn, c.field);
        if (i < 0) {
            std::string fields;
            for (int k = 0; k < defn.GetFieldCount(); ++k)
                fields += (k ? ", " : "") + std::string(defn.GetFieldDefn(k)->GetNameRef());
            throw GisError(where + ": no attribute \"" + c.field + "\" for --map " + c.key + "=" + c.field +
                           " (attributes: " + (fields.empty() ? "none" : fields) + ")");
        }
        const Key* k = FindKey(c.key, kind);
        const ZField* f = k ? (k->field ? ZFieldTable::Find(kind, k->field) : nullptr) : ZFieldTable::Find(kind, c.key);
        if (!f)
            idBound = true;
        b.push_back({i, c.key, f, k ? k->factor : 1.0, "--map"});
    }
    // QEN's own names, then the common ones, for what the user left open.
    for (int i = 0; i < defn.GetFieldCount(); ++i) {
        const GisFieldNames::Name* n = GisFieldNames::Find(kind, defn.GetFieldDefn(i)->GetNameRef());
        if (!n || n->result)
            continue;
        const ZField* f = n->field;
        const std::string key = f->key;
        if (f->type == ZField::Text) {
            if (key == "Id" && !idBound) {
                b.push_back({i, "id", nullptr, 1.0, "QEN field"});
                idBound = true;
            }
            continue;
        }
        if (key == "X" || key == "Y" || Bound(b, f))
            continue;
        b.push_back({i, key, f, 1.0, "QEN field"});
    }
    for (const Key& k : s_keys) {
        if (k.field && k.kind != kind)
            continue;
        const ZField* f = k.field ? ZFieldTable::Find(kind, k.field) : nullptr;
        if (f ? Bound(b, f) : idBound)
            continue;
        std::stringstream names(k.names);
        std::string name;
        while (std::getline(names, name, '|')) {
            const int i = FindAttribute(defn, name);
            if (i < 0)
                continue;
            b.push_back({i, k.key, f, k.factor, "default"});
            if (!f)
                idBound = true;
            break;
        }
    }
    return b;
}
