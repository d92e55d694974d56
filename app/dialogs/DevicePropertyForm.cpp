#include "DevicePropertyForm.h"

#include "model/ZDeviceLink.h"

DevicePropertyForm::DevicePropertyForm(ZNetObject::Kind kind, Mode mode, std::vector<ZNetObject*> objects,
                                       const UnitSystem& units)
    : PropertyForm(kind, mode, std::move(objects), units)
{
}

void DevicePropertyForm::ToggleReverse()
{
    m_reverse = !m_reverse;
    Shown* in = FindShown("StartNode");
    Shown* out = FindShown("EndNode");
    if (in && out)
        std::swap(in->text, out->text);
}

bool DevicePropertyForm::ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch)
{
    auto& device = static_cast<ZDeviceLink&>(obj);
    if (!m_reverse || !device.StartNode())
        return false;
    touch();
    if (sink.reverse)
        sink.reverse(device);
    else
        device.Reverse();
    return true;
}
