#pragma once
#include "DevicePropertyForm.h"

// The fields of the tank dialog: levels, bottom and area are in metres whatever the units.
class TankPropertyForm : public DevicePropertyForm {
public:
    TankPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);
};
