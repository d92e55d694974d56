#include "ZNetEditor.h"

#include "ZDeviceLink.h"
#include "ZDocument.h"
#include "ZPipeLink.h"

#include <algorithm>

namespace {
void UpdateLengths(ZConsumeNode* node)
{
    for (ZNetLink* l = node->FirstLink(); l; l = l->NextLinkAt(node))
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            static_cast<ZPipeLink*>(l)->UpdateAutoLength();
}

void DeleteAll(std::vector<ZNetObject*>& objects)
{
    for (ZNetObject* o : objects)
        o->DeleteSelf();
    objects.clear();
}
} // namespace

ZPipeLink* ZNetEditor::InsertNodeOnPipe(ZPipeLink* pipe, ZConsumeNode* node, int segment, int bend)
{
    ZNetwork& net = m_doc.GetNetwork();
    net.MakeDefaultId(node);
    if (!net.AddNode(node)) {
        node->DeleteSelf();
        return nullptr;
    }
    const std::vector<PipePoint>& v = pipe->Vertices();
    const size_t cut = static_cast<size_t>(std::clamp(bend >= 0 ? bend : segment, 0, pipe->VertexCount()));
    std::vector<PipePoint> before(v.begin(), v.begin() + static_cast<long>(cut));
    std::vector<PipePoint> after(v.begin() + static_cast<long>(cut + (bend >= 0 ? 1 : 0)), v.end());
    ZPipeLink* copy = pipe->Clone();
    auto* end = static_cast<ZConsumeNode*>(pipe->EndNode());
    auto* start = static_cast<ZConsumeNode*>(pipe->StartNode());
    pipe->Disconnect();
    pipe->SetVertices(std::move(before));
    pipe->Connect(start, node);
    net.MakeDefaultId(copy);
    copy->SetVertices(std::move(after));
    net.AddLink(node, end, copy);
    pipe->UpdateAutoLength();
    copy->UpdateAutoLength();
    return copy;
}

void ZNetEditor::RemoveNode(ZConsumeNode* node)
{
    std::vector<ZNetObject*> removed;
    m_doc.GetNetwork().TakeOutNode(node, removed);
    DeleteAll(removed);
}

void ZNetEditor::MoveNode(ZConsumeNode* node, double dx, double dy)
{
    node->SetPosition(node->X + dx, node->Y + dy);
    UpdateLengths(node);
    if (node->IsDeviceNode())
        if (ZDeviceLink* dev = node->GetDevice())
            UpdateLengths(static_cast<ZConsumeNode*>(dev->OtherNode(node)));
}

void ZNetEditor::MergeNodes(ZConsumeNode* moved, ZConsumeNode* target)
{
    ZConsumeNode* dropped = m_doc.GetNetwork().MergeNodes(moved, target);
    ZConsumeNode* kept = dropped == moved ? target : moved;
    UpdateLengths(kept);
    dropped->DeleteSelf();
}

bool ZNetEditor::AddPipe(ZConsumeNode* start, ZConsumeNode* end, ZPipeLink* pipe, std::vector<PipePoint> bends)
{
    ZNetwork& net = m_doc.GetNetwork();
    for (ZConsumeNode* n : {start, end})
        if (n->GetIndex() < 0) {
            if (n->IdView().empty())
                net.MakeDefaultId(n);
            net.AddNode(n);
        }
    net.MakeDefaultId(pipe);
    pipe->SetVertices(std::move(bends));
    net.AddLink(start, end, pipe);
    pipe->UpdateAutoLength();
    return true;
}

void ZNetEditor::RemovePipe(ZPipeLink* pipe)
{
    std::vector<ZNetObject*> removed;
    m_doc.GetNetwork().TakeOutLink(pipe, removed);
    DeleteAll(removed);
}

void ZNetEditor::MovePipe(ZPipeLink* pipe, double dx, double dy)
{
    std::vector<PipePoint> v = pipe->Vertices();
    for (PipePoint& p : v) {
        p.x += dx;
        p.y += dy;
    }
    pipe->SetVertices(std::move(v));
    for (ZNetNode* n : {pipe->StartNode(), pipe->EndNode()}) {
        auto* f = static_cast<ZConsumeNode*>(n);
        MoveNode(f, dx, dy);
    }
}

bool ZNetEditor::AddDevice(ZConsumeNode* inlet, ZDeviceLink* device, ZConsumeNode* outlet)
{
    ZNetwork& net = m_doc.GetNetwork();
    if (inlet->GetIndex() < 0) {
        net.MakeDefaultId(inlet);
        net.AddNode(inlet);
    }
    net.MakeDefaultId(device);
    outlet->X = inlet->X;
    outlet->Y = inlet->Y;
    net.MakeDefaultId(outlet);
    net.AddNode(outlet);
    net.AddLink(inlet, outlet, device);
    return true;
}

void ZNetEditor::RemoveDevice(ZDeviceLink* device)
{
    ZNetwork& net = m_doc.GetNetwork();
    auto* a = static_cast<ZConsumeNode*>(device->StartNode());
    auto* b = static_cast<ZConsumeNode*>(device->EndNode());
    const bool join = a->IncidentLinkCount() > 1 && b->IncidentLinkCount() > 1;
    std::vector<ZNetObject*> removed;
    net.TakeOutLink(device, removed);
    if (join) {
        ZConsumeNode* dropped = net.MergeNodes(a, b);
        UpdateLengths(dropped == a ? b : a);
        removed.push_back(dropped);
    }
    DeleteAll(removed);
}

std::string ZNetEditor::StepName(int operation, int kind)
{
    static const char* const ops[] = {"插入", "删除", "移动"};
    static const char* const kinds[] = {"节点", "管道", "水泵", "阀门", "水池"};
    if (operation < 1 || operation > 3 || kind < 0 || kind > 4)
        return {};
    return std::string(ops[operation - 1]) + kinds[kind];
}
