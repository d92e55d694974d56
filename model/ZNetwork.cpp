#include "ZNetwork.h"

#include "ZPipeLink.h"

#include <algorithm>
#include <string>

ZNetwork::~ZNetwork()
{
    Clear();
}

void ZNetwork::Clear()
{
    std::vector<ZConsumeNode*> nodes = m_nodes.TakeAll();
    std::vector<ZFlowLink*> links = m_links.TakeAll();
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        delete *it;
    for (auto it = links.rbegin(); it != links.rend(); ++it)
        delete *it;
}

bool ZNetwork::AddNode(ZConsumeNode* node)
{
    WillChange(node);
    return m_nodes.Insert(node);
}

bool ZNetwork::AddLink(ZConsumeNode* start, ZConsumeNode* end, ZFlowLink* link)
{
    if (m_links.Find(link->IdView()))
        return false;
    WillChange(link);
    WillChange(start);
    WillChange(end);
    if (!m_links.Insert(link))
        return false;
    link->Connect(start, end);
    return true;
}

void ZNetwork::TakeOutLink(ZFlowLink* link, std::vector<ZNetObject*>& removed)
{
    removed.clear();
    WillChange(link);
    ZNetNode* ends[2] = {link->StartNode(), link->EndNode()};
    link->Disconnect();
    m_links.RemoveAt(link->GetIndex());
    removed.push_back(link);
    std::vector<ZConsumeNode*> isolated;
    for (ZNetNode* n : ends)
        if (n && !n->FirstLink() && n->GetIndex() >= 0)
            isolated.push_back(static_cast<ZConsumeNode*>(n));
    if (isolated.empty())
        return;
    m_nodes.RemoveIf([&](ZConsumeNode* n) { return std::find(isolated.begin(), isolated.end(), n) != isolated.end(); });
    removed.insert(removed.end(), isolated.begin(), isolated.end());
}

void ZNetwork::TakeOutNode(ZConsumeNode* node, std::vector<ZNetObject*>& removed)
{
    removed.clear();
    WillChange(node);
    for (ZNetLink* l = node->FirstLink(); l; l = l->NextLinkAt(node))
        WillChange(l);
    std::vector<ZFlowLink*> links;
    std::vector<ZConsumeNode*> neighbours;
    while (ZNetLink* l = node->FirstLink()) {
        neighbours.push_back(static_cast<ZConsumeNode*>(l->OtherNode(node)));
        links.push_back(static_cast<ZFlowLink*>(l));
        l->Disconnect();
    }
    // One marking sweep per array keeps removal of a node with many links linear.
    for (ZFlowLink* l : links)
        l->SetIndex(-2 - l->GetIndex());
    m_links.RemoveIf([](ZFlowLink* l) { return l->GetIndex() < -1; });
    removed.insert(removed.end(), links.begin(), links.end());

    std::vector<ZConsumeNode*> gone{node};
    for (ZConsumeNode* n : neighbours)
        if (!n->FirstLink() && std::find(gone.begin(), gone.end(), n) == gone.end())
            gone.push_back(n);
    m_nodes.RemoveIf([&](ZConsumeNode* n) { return std::find(gone.begin(), gone.end(), n) != gone.end(); });
    removed.insert(removed.end(), gone.begin(), gone.end());
}

ZConsumeNode* ZNetwork::MergeNodes(ZConsumeNode* a, ZConsumeNode* b)
{
    ZConsumeNode* kept = b->IsDeviceNode() ? b : a;
    ZConsumeNode* dropped = kept == a ? b : a;
    WillChange(a);
    WillChange(b);
    for (ZNetLink* l = dropped->FirstLink(); l; l = l->NextLinkAt(dropped))
        WillChange(l);
    const double x = b->X, y = b->Y;
    while (ZNetLink* l = dropped->FirstLink()) {
        dropped->DetachLink(l);
        if (l->StartNode() == dropped)
            l->SetStartNode(kept);
        else
            l->SetEndNode(kept);
        kept->AttachLink(l);
    }
    kept->SetPosition(x, y);   // a device node takes its other end along
    m_nodes.RemoveAt(dropped->GetIndex());
    return dropped;
}

void ZNetwork::RemoveFromArrays(const std::vector<ZConsumeNode*>& nodes, const std::vector<ZFlowLink*>& links)
{
    m_nodes.RemoveAll(nodes);
    m_links.RemoveAll(links);
}

bool ZNetwork::MergeIntoArrays(std::vector<ZConsumeNode*> nodes, std::vector<ZFlowLink*> links)
{
    return m_nodes.MergeIn(std::move(nodes)) && m_links.MergeIn(std::move(links));
}

void ZNetwork::MakeDefaultId(ZNetObject* obj) const
{
    const bool node = obj->IsNode();
    const int count = node ? NodeCount() : LinkCount();
    // Digits only: the same bytes in GBK.
    auto taken = [&](const std::string& id) {
        return node ? FindNode(GbkView(id)) != nullptr : FindLink(GbkView(id)) != nullptr;
    };
    std::string id = std::to_string(count);
    for (int i = 0; taken(id) && i < count; ++i)
        id = std::to_string(i);
    obj->SetId(GbkView(id));
}

ViewExtent ZNetwork::BoundRect() const
{
    ViewExtent r = ViewExtent::Empty();
    for (const ZConsumeNode* n : m_nodes)
        r.Include(n->X, n->Y);
    for (const ZFlowLink* l : m_links)
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            for (const PipePoint& p : static_cast<const ZPipeLink*>(l)->Vertices())
                r.Include(p.x, p.y);
    return r.IsEmpty() ? ViewExtent{} : r;
}

ZConsumeNode* ZNetwork::HitTestNodes(const ZNetView& view, const ViewExtent& area, int& start, bool byRect) const
{
    if (start < 0)
        return nullptr;
    for (int i = start; i < NodeCount(); ++i) {
        ZConsumeNode* n = NodeAt(i);
        if (n->IsHidden() || n->IsFiltered())
            continue;
        if (byRect ? n->HitTestRect(view, area) : n->HitTestPoint(view, area)) {
            start = i + 1;
            return n;
        }
    }
    start = -1;
    return nullptr;
}

ViewExtent ZNetwork::BoundRect(const ZNetView& view) const
{
    ViewExtent r = ViewExtent::Empty();
    for (const ZConsumeNode* n : m_nodes)
        r.Include(n->GetBoundRect(view));
    for (const ZFlowLink* l : m_links)
        r.Include(l->GetBoundRect(view));
    return r.IsEmpty() ? ViewExtent{} : r;
}
