#pragma once

class ZNetObject;

// Told by ZNetwork before it changes an object's membership, end nodes or incidence list, so an
// open edit transaction can record the object's state first.
class ZNetworkRecorder {
public:
    virtual ~ZNetworkRecorder() = default;
    virtual void WillChange(ZNetObject* obj) = 0;
};
