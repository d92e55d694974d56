#include "ValvePropertyForm.h"

#include "model/ZValveLink.h"

namespace {
ZValveLink& V(ZNetObject& o)
{
    return static_cast<ZValveLink&>(o);
}
const ZValveLink& V(const ZNetObject& o)
{
    return static_cast<const ZValveLink&>(o);
}
}   // namespace

ValvePropertyForm::ValvePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(mode, std::move(objects), units)
{
    AddEnds(true);
    AddChoice(
        "ValveType", [](const ZNetObject& o) { return V(o).GetValveType(); },
        [](ZNetObject& o, int t) { V(o).SetValveType(t); });
    AddNumber(
        "ValveSCoef", NoUnit, [](const ZNetObject& o) { return V(o).ValveSCoef; },
        [](ZNetObject& o, double v) { V(o).ValveSCoef = v; });
    AddNumber(
        "ValveHLess", HeadUnit, [](const ZNetObject& o) { return V(o).ValveHLess; },
        [](ZNetObject& o, double v) { V(o).ValveHLess = v; });
    Flag& open = AddFlag("ValveOpen", 0);
    open.get = [](const ZNetObject& o) { return V(o).ValveOpen; };
    open.set = [](ZNetObject& o, bool on) { V(o).ValveOpen = on; };
}
