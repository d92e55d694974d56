#include "ZNetLink.h"

#include "ZNetNode.h"

#include <utility>

void ZNetLink::Connect(ZNetNode* start, ZNetNode* end)
{
    m_start = start;
    m_end = end;
    start->AttachLink(this);
    end->AttachLink(this);
}

void ZNetLink::Disconnect()
{
    if (m_start)
        m_start->DetachLink(this);
    if (m_end)
        m_end->DetachLink(this);
    m_nextAtStart = nullptr;
    m_nextAtEnd = nullptr;
}

void ZNetLink::Reverse()
{
    std::swap(m_start, m_end);
    std::swap(m_nextAtStart, m_nextAtEnd);
}
