#pragma once
#include "UnitCategory.h"

class KeyValueStore;

// The application's six display-unit categories, persisted under "System Unit".
class UnitSystem {
public:
    enum Category { Diameter = 0, Length, Flow, Velocity, Head, Gradient, CategoryCount };

    UnitSystem();

    UnitCategory& Get(Category c) { return m_categories[c]; }
    const UnitCategory& Get(Category c) const { return m_categories[c]; }
    const UnitCategory& Diam() const { return m_categories[Diameter]; }
    const UnitCategory& Leng() const { return m_categories[Length]; }
    const UnitCategory& FlowUnit() const { return m_categories[Flow]; }
    const UnitCategory& Velo() const { return m_categories[Velocity]; }
    const UnitCategory& Hydr() const { return m_categories[Head]; }
    const UnitCategory& Slope() const { return m_categories[Gradient]; }

    // "%g" without conversion, for coordinates, elevations and levels.
    static std::string FormatPlain(double v);

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System Unit";

private:
    std::vector<UnitCategory> m_categories;
};
