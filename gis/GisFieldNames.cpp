#include "GisFieldNames.h"

#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"

#include <array>
#include <cctype>
#include <map>

namespace {
const char* BaseUnit(int unit)
{
    switch (unit) {
    case UnitSystem::Diameter:
    case UnitSystem::Length:
    case UnitSystem::Head:
        return "_m";
    case UnitSystem::Flow:
        return "_m3s";
    case UnitSystem::Velocity:
        return "_ms";
    default:
        return "";
    }
}

std::vector<GisFieldNames::Name> Build(ZNetObject::Kind kind)
{
    std::vector<GisFieldNames::Name> names;
    std::vector<std::string> taken;
    for (const ZField& f : ZFieldTable::Of(kind)) {
        GisFieldNames::Name n;
        n.field = &f;
        n.result = !f.IsInput() && f.type != ZField::Text;
        n.name = std::string(f.key) + (n.result ? BaseUnit(f.unit) : "");
        std::string shp = n.name.substr(0, 10);
        for (int k = 1; k < 100; ++k) {
            bool clash = false;
            for (const std::string& t : taken)
                clash = clash || GisFieldNames::SameName(t, shp);
            if (!clash)
                break;
            const std::string digits = std::to_string(k);
            shp = n.name.substr(0, 10 - digits.size()) + digits;
        }
        taken.push_back(shp);
        n.shp = shp;
        names.push_back(std::move(n));
    }
    return names;
}
}   // namespace

bool GisFieldNames::SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const std::vector<GisFieldNames::Name>& GisFieldNames::Of(ZNetObject::Kind kind)
{
    static std::map<ZNetObject::Kind, std::vector<Name>> cache;
    static unsigned generation = ~0u;
    if (generation != ZFieldTable::Generation()) {
        cache.clear();
        generation = ZFieldTable::Generation();
    }
    auto it = cache.find(kind);
    if (it == cache.end())
        it = cache.emplace(kind, Build(kind)).first;
    return it->second;
}

const GisFieldNames::Name* GisFieldNames::Find(ZNetObject::Kind kind, std::string_view name)
{
    for (const Name& n : Of(kind))
        if (SameName(n.name, name) || SameName(n.shp, name))
            return &n;
    return nullptr;
}
