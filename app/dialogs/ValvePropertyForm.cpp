#include "ValvePropertyForm.h"

ValvePropertyForm::ValvePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(ZNetObject::Kind::Valve, mode, std::move(objects), units)
{
}
