#include "DevicePropertyForm.h"

#include "model/ZDeviceLink.h"
#include "model/ZNetNode.h"
#include "views/GbkText.h"

namespace {
const ZDeviceLink& D(const ZNetObject& o)
{
    return static_cast<const ZDeviceLink&>(o);
}
QString NodeId(const ZNetNode* n)
{
    return n ? GbkText::ToQString(n->IdView()) : QString();
}
}   // namespace

DevicePropertyForm::DevicePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : PropertyForm(mode, std::move(objects), units)
{
}

void DevicePropertyForm::AddEnds(bool withInlet)
{
    if (withInlet)
        AddShown("StartNode", [](const ZNetObject& o) { return NodeId(D(o).StartNode()); });
    // A tank's outlet is its start node; the end node is its hidden inside.
    AddShown(withInlet ? "EndNode" : "Outlet",
             [withInlet](const ZNetObject& o) { return NodeId(withInlet ? D(o).EndNode() : D(o).StartNode()); });
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
