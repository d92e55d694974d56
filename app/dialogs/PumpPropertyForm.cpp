#include "PumpPropertyForm.h"

#include "model/ZPumpLink.h"

namespace {
ZPumpLink& U(ZNetObject& o)
{
    return static_cast<ZPumpLink&>(o);
}
const ZPumpLink& U(const ZNetObject& o)
{
    return static_cast<const ZPumpLink&>(o);
}
}   // namespace

PumpPropertyForm::PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(mode, std::move(objects), units)
{
    AddChoice(
        "PumpType", [](const ZNetObject& o) { return U(o).GetPumpType(); },
        [](ZNetObject& o, int t) { U(o).SetPumpType(t); });
    AddEnds(true);
    AddNumber(
        "PumpRatedRotV", NoUnit, [](const ZNetObject& o) { return U(o).PumpRatedRotV; },
        [](ZNetObject& o, double v) { U(o).PumpRatedRotV = v; });
    AddNumber(
        "PumpOperatedRotV", NoUnit, [](const ZNetObject& o) { return U(o).PumpOperatedRotV; },
        [](ZNetObject& o, double v) { U(o).PumpOperatedRotV = v; });
    AddNumber(
        "PumpSCoef", NoUnit, [](const ZNetObject& o) { return U(o).PumpSCoef; },
        [](ZNetObject& o, double v) { U(o).PumpSCoef = v; });
    AddNumber(
        "PumpStaticH", HeadUnit, [](const ZNetObject& o) { return U(o).PumpStaticH; },
        [](ZNetObject& o, double v) { U(o).PumpStaticH = v; });
    AddNumber(
        "PumpVacuum", HeadUnit, [](const ZNetObject& o) { return U(o).PumpVacuum; },
        [](ZNetObject& o, double v) { U(o).PumpVacuum = v; });
    // New pumps start at efficiency 1.0 whatever the template says: nothing to edit there.
    AddNumber(
        "PumpEfficiency", NoUnit, [](const ZNetObject& o) { return U(o).PumpEfficiency; },
        [](ZNetObject& o, double v) { U(o).PumpEfficiency = v; })
        .enabled = mode != TemplateMode;
    Flag& open = AddFlag("PumpOpen", 0);
    open.get = [](const ZNetObject& o) { return U(o).PumpOpen; };
    open.set = [](ZNetObject& o, bool on) { U(o).PumpOpen = on; };
}

QString PumpPropertyForm::CheckRange(const Number& f, bool typed, double value) const
{
    if (f.key == "PumpEfficiency" && typed && (value < 0.2 || value > 1.0))
        return RangeMessage(0.2, 1.0, false);
    return {};
}
