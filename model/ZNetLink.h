#pragma once
#include "ZNetObject.h"

class ZNetNode;

// A link between two distinct nodes (or none while detached), threaded into both nodes' lists.
class ZNetLink : public ZNetObject {
public:
    ZNetNode* StartNode() const { return m_start; }
    ZNetNode* EndNode() const { return m_end; }
    ZNetLink* NextAtStart() const { return m_nextAtStart; }
    ZNetLink* NextAtEnd() const { return m_nextAtEnd; }
    // Raw setters for readers that restore stored topology as it was written.
    void SetStartNode(ZNetNode* n) { m_start = n; }
    void SetEndNode(ZNetNode* n) { m_end = n; }
    void SetNextAtStart(ZNetLink* l) { m_nextAtStart = l; }
    void SetNextAtEnd(ZNetLink* l) { m_nextAtEnd = l; }

    bool IsDevice() const { return GetKind() != Kind::Pipe && GetKind() != Kind::Node; }

    virtual void Connect(ZNetNode* start, ZNetNode* end);
    virtual void Disconnect();
    virtual void Reverse();

    ZNetNode* OtherNode(const ZNetNode* node) const { return node == m_start ? m_end : m_start; }
    ZNetLink* NextLinkAt(const ZNetNode* node) const { return node == m_start ? m_nextAtStart : m_nextAtEnd; }
    void SetNextLinkAt(const ZNetNode* node, ZNetLink* next) { (node == m_start ? m_nextAtStart : m_nextAtEnd) = next; }

protected:
    ZNetLink() = default;

private:
    ZNetNode* m_start = nullptr;
    ZNetNode* m_end = nullptr;
    ZNetLink* m_nextAtStart = nullptr;
    ZNetLink* m_nextAtEnd = nullptr;
};
