#include "PumpPropertyForm.h"

PumpPropertyForm::PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(ZNetObject::Kind::Pump, mode, std::move(objects), units)
{
    // New pumps start at efficiency 1.0 whatever the template says: nothing to edit there.
    FindNumber("PumpEfficiency")->enabled = mode != TemplateMode;
}
