#pragma once
#include "DevicePropertyForm.h"

// The fields of the pump dialog; the efficiency lies between 0.2 and 1.0.
class PumpPropertyForm : public DevicePropertyForm {
public:
    PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

protected:
    QString CheckRange(const Number& field, bool typed, double value) const override;
};
