#pragma once
#include "ZNetObject.h"

class ZNetLink;

// A node with its incidence list, threaded through the links' NextAtStart / NextAtEnd.
class ZNetNode : public ZNetObject {
public:
    const char* KindLetter() const override { return "N"; }
    Kind GetKind() const override { return Kind::Node; }

    ZNetLink* FirstLink() const { return m_firstLink; }
    void SetFirstLink(ZNetLink* link) { m_firstLink = link; }   // for readers that restore raw topology

    int IncidentLinkCount() const;
    // Puts the link at the head of the list; the link must already name this node as an end.
    void AttachLink(ZNetLink* link);
    // Unthreads the link, keeping the order of the others. False if it was not in the list.
    bool DetachLink(ZNetLink* link);

protected:
    ZNetNode() = default;

private:
    ZNetLink* m_firstLink = nullptr;
};
