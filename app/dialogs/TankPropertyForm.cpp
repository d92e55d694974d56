#include "TankPropertyForm.h"

TankPropertyForm::TankPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(ZNetObject::Kind::Tank, mode, std::move(objects), units)
{
}
