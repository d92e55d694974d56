#include "TankPropertyForm.h"

#include "model/ZTankLink.h"

namespace {
ZTankLink& T(ZNetObject& o)
{
    return static_cast<ZTankLink&>(o);
}
const ZTankLink& T(const ZNetObject& o)
{
    return static_cast<const ZTankLink&>(o);
}
}   // namespace

TankPropertyForm::TankPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(mode, std::move(objects), units)
{
    AddEnds(false);
    AddChoice(
        "TankType", [](const ZNetObject& o) { return T(o).GetTankType(); },
        [](ZNetObject& o, int t) { T(o).SetTankType(t); });
    AddNumber(
        "TankArea", NoUnit, [](const ZNetObject& o) { return T(o).TankArea; },
        [](ZNetObject& o, double v) { T(o).TankArea = v; });
    AddNumber(
        "TankMinHead", NoUnit, [](const ZNetObject& o) { return T(o).TankMinHead; },
        [](ZNetObject& o, double v) { T(o).TankMinHead = v; });
    AddNumber(
        "TankMaxHead", NoUnit, [](const ZNetObject& o) { return T(o).TankMaxHead; },
        [](ZNetObject& o, double v) { T(o).TankMaxHead = v; });
    AddNumber(
        "TankCurH", NoUnit, [](const ZNetObject& o) { return T(o).TankCurH; },
        [](ZNetObject& o, double v) { T(o).TankCurH = v; });
    AddNumber(
        "TankBottomElev", NoUnit, [](const ZNetObject& o) { return T(o).TankBottomElev; },
        [](ZNetObject& o, double v) { T(o).TankBottomElev = v; });
    AddNumber(
        "Flow", FlowUnit, [](const ZNetObject& o) { return T(o).Flow; }, nullptr);
}
