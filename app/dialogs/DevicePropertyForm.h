#pragma once
#include "PropertyForm.h"

// A pump, valve or tank form: the request to reverse the connection ("反向连接"), which swaps
// the two shown identifiers of the inlet and outlet at each press.
class DevicePropertyForm : public PropertyForm {
public:
    DevicePropertyForm(ZNetObject::Kind kind, Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

    bool ReverseRequested() const { return m_reverse; }
    void ToggleReverse();

protected:
    void LoadExtra() override { m_reverse = false; }
    bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch) override;

private:
    bool m_reverse = false;
};
