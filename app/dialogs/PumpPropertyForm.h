#pragma once
#include "DevicePropertyForm.h"

// The fields of the pump dialog; a template's efficiency is not edited.
class PumpPropertyForm : public DevicePropertyForm {
public:
    PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);
};
