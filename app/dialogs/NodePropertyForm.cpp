#include "NodePropertyForm.h"
#include "PropertyNumber.h"

#include "model/ZDeviceLink.h"
#include "model/ZFlowNode.h"
#include "model/ZNetLink.h"
#include "model/ZPipeLink.h"

namespace {
ZFlowNode& N(ZNetObject& o)
{
    return static_cast<ZFlowNode&>(o);
}

// Brings the length of every automatic-length pipe at the node up to date.
void UpdatePipesAt(ZFlowNode& node, const PropertyForm::Sink& sink)
{
    for (ZNetLink* l = node.FirstLink(); l; l = l->NextLinkAt(&node)) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto& pipe = static_cast<ZPipeLink&>(*l);
        if (!pipe.IsAutoLength() || PropertyNumber::Same(pipe.PipeLength, pipe.PolylineLength()))
            continue;
        if (sink.touch)
            sink.touch(pipe);
        pipe.UpdateAutoLength();
    }
}
}   // namespace

NodePropertyForm::NodePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : PropertyForm(ZNetObject::Kind::Node, mode, std::move(objects), units)
{
    // A move takes the node's device and pipes along (ApplyExtra); only one placed node has a place.
    const bool positioned = mode != TemplateMode && !IsMulti();
    for (const char* key : {"X", "Y"}) {
        Number& f = *FindNumber(key);
        f.custom = true;
        f.enabled = positioned;
    }
    FindNumber("FreeHead")->enabled = mode != TemplateMode;
}

void NodePropertyForm::LoadExtra()
{
    // A template has no place of its own.
    if (GetMode() == TemplateMode)
        for (const char* key : {"X", "Y"})
            FindNumber(key)->text.clear();
}

bool NodePropertyForm::ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch)
{
    ZFlowNode& node = N(obj);
    double pos[2] = {node.X, node.Y};
    const Number* fields[2] = {FindNumber("X"), FindNumber("Y")};
    for (int i = 0; i < 2; ++i) {
        double shown = 0.0;
        if (fields[i]->enabled && TextChanged(*fields[i]) &&
            PropertyNumber::Parse(fields[i]->text.toStdString(), shown))
            pos[i] = shown;
    }
    if (PropertyNumber::Same(pos[0], node.X) && PropertyNumber::Same(pos[1], node.Y))
        return false;
    touch();
    ZFlowNode* other = nullptr;
    if (node.IsDeviceNode())
        if (ZNetLink* device = node.GetDevice())
            other = static_cast<ZFlowNode*>(device->OtherNode(&node));
    if (other && sink.touch)
        sink.touch(*other);
    node.SetPosition(pos[0], pos[1]);
    UpdatePipesAt(node, sink);
    if (other)
        UpdatePipesAt(*other, sink);
    return true;
}
