#include "ZNetNode.h"

#include "ZNetLink.h"

int ZNetNode::IncidentLinkCount() const
{
    int n = 0;
    for (const ZNetLink* l = m_firstLink; l; l = l->NextLinkAt(this))
        ++n;
    return n;
}

void ZNetNode::AttachLink(ZNetLink* link)
{
    link->SetNextLinkAt(this, m_firstLink);
    m_firstLink = link;
}

bool ZNetNode::DetachLink(ZNetLink* link)
{
    ZNetLink* prev = nullptr;
    for (ZNetLink* l = m_firstLink; l; prev = l, l = l->NextLinkAt(this)) {
        if (l != link)
            continue;
        ZNetLink* next = l->NextLinkAt(this);
        if (prev)
            prev->SetNextLinkAt(this, next);
        else
            m_firstLink = next;
        return true;
    }
    return false;
}
