#pragma once
#include "PropertyForm.h"

// The fields of the node dialog: kind, elevation, position, demand, head, free head (shown), fire
// flow and the fire-node check. A moved node takes its device's other end and the drawn length
// of its automatic-length pipes along.
class NodePropertyForm : public PropertyForm {
public:
    NodePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

protected:
    void LoadExtra() override;
    bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch) override;
};
