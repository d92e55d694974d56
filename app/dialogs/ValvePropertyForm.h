#pragma once
#include "DevicePropertyForm.h"

// The fields of the valve dialog.
class ValvePropertyForm : public DevicePropertyForm {
public:
    ValvePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);
};
