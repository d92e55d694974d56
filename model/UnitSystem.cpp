#include "UnitSystem.h"

#include "KeyValueStore.h"
#include "NumberFormat.h"

namespace {
// Registry key stems in the order the profile reads and writes them.
struct KeyOrder {
    UnitSystem::Category cat;
    const char* stem;
};
constexpr KeyOrder kOrder[] = {
    {UnitSystem::Diameter, "Diam"}, {UnitSystem::Length, "Leng"}, {UnitSystem::Flow, "Flow"},
    {UnitSystem::Head, "Hydr"},     {UnitSystem::Gradient, "Is"}, {UnitSystem::Velocity, "Velo"},
};
}   // namespace

UnitSystem::UnitSystem()
{
    m_categories.emplace_back(0, 2, std::vector<std::string>{"m", "mm"}, std::vector<double>{1.0, 1000.0}, 1, 0);
    m_categories.emplace_back(0, 2, std::vector<std::string>{"m", "km"}, std::vector<double>{1.0, 0.001}, 0, 1);
    m_categories.emplace_back(0, 4, std::vector<std::string>{"l/s", "m3/s", "m3/h", "l/h"},
                              std::vector<double>{1000.0, 1.0, 3600.0, 3600000.0}, 0, 2);
    m_categories.emplace_back(0, 3, std::vector<std::string>{"m/s", "mm/s"}, std::vector<double>{1.0, 1000.0}, 0, 2);
    // 10 m of water counted as 0.1 MPa, as engineers round it.
    m_categories.emplace_back(0, 4, std::vector<std::string>{"mH2O", "MPa"}, std::vector<double>{1.0, 0.01}, 0, 2);
    m_categories.emplace_back(0, 6, std::vector<std::string>{"mH2O/m"}, std::vector<double>{1.0}, 0, 5);
}

std::string UnitSystem::FormatPlain(double v)
{
    return NumberFormat::G(v);
}

void UnitSystem::Load(const KeyValueStore& store)
{
    for (const KeyOrder& k : kOrder) {
        UnitCategory& c = m_categories[k.cat];
        c.SetPrecision(store.GetInt(Section, std::string(k.stem) + "Precision", c.Precision()));
    }
    for (const KeyOrder& k : kOrder) {
        UnitCategory& c = m_categories[k.cat];
        c.SetUnitIndex(store.GetInt(Section, std::string(k.stem) + "UnitId", c.UnitIndex()));
    }
}

void UnitSystem::Save(KeyValueStore& store) const
{
    for (const KeyOrder& k : kOrder)
        store.WriteInt(Section, std::string(k.stem) + "Precision", m_categories[k.cat].Precision());
    for (const KeyOrder& k : kOrder)
        store.WriteInt(Section, std::string(k.stem) + "UnitId", m_categories[k.cat].UnitIndex());
}
