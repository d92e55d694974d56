#include "ZNetEditor.h"

#include "model/GbkCodec.h"
#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZPipeLink.h"

#include <algorithm>

namespace {
// The pipes at a node, whose automatic lengths follow it.
std::vector<ZPipeLink*> PipesAt(ZNetNode* node)
{
    std::vector<ZPipeLink*> pipes;
    for (ZNetLink* l = node->FirstLink(); l; l = l->NextLinkAt(node))
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            pipes.push_back(static_cast<ZPipeLink*>(l));
    return pipes;
}

// The node and, for a device node, the other end of its device: they move together.
std::vector<ZConsumeNode*> MovingTogether(ZConsumeNode* node)
{
    std::vector<ZConsumeNode*> nodes{node};
    if (node->IsDeviceNode())
        if (ZDeviceLink* dev = node->GetDevice())
            nodes.push_back(static_cast<ZConsumeNode*>(dev->OtherNode(node)));
    return nodes;
}

// Touches the nodes and every pipe at them; returns the pipes.
std::vector<ZPipeLink*> TouchWithPipes(ZEditTransaction& tx, const std::vector<ZConsumeNode*>& nodes)
{
    std::vector<ZPipeLink*> pipes;
    for (ZConsumeNode* n : nodes) {
        tx.Touch(n);
        for (ZPipeLink* p : PipesAt(n)) {
            tx.Touch(p);
            pipes.push_back(p);
        }
    }
    return pipes;
}

// Gives a new object an identifier the network does not hold and adds it.
bool AddNewNode(ZNetwork& net, ZEditTransaction& tx, ZConsumeNode* node)
{
    if (node->IdView().empty() || net.FindNode(node->IdView()))
        net.MakeDefaultId(node);
    if (!net.AddNode(node))
        return false;
    tx.Added(node);
    return true;
}
}   // namespace

bool ZNetEditor::Adjacent(const ZConsumeNode* a, const ZConsumeNode* b)
{
    for (ZNetLink* l = a->FirstLink(); l; l = l->NextLinkAt(a))
        if (l->OtherNode(a) == b)
            return true;
    return false;
}

std::string ZNetEditor::StepName(int operation, int kind)
{
    static const char* const ops[] = {"插入", "删除", "移动"};
    static const char* const kinds[] = {"节点", "管道", "水泵", "阀门", "水池"};
    if (operation < 1 || operation > 3 || kind < 0 || kind > 4)
        return {};
    return std::string(ops[operation - 1]) + kinds[kind];
}

ZPipeLink* ZNetEditor::InsertNodeOnPipe(ZPipeLink* pipe, ZConsumeNode* node, int segment, int bend)
{
    ZNetwork& net = m_doc.GetNetwork();
    ZEditTransaction tx(m_doc, StepName(Insert, 0));
    auto* start = static_cast<ZConsumeNode*>(pipe->StartNode());
    auto* end = static_cast<ZConsumeNode*>(pipe->EndNode());
    // Reconnecting the pipe changes its ends' incidence lists: they are recorded first.
    tx.Touch(pipe);
    tx.Touch(start);
    tx.Touch(end);
    if (!AddNewNode(net, tx, node)) {
        node->DeleteSelf();
        return nullptr;
    }
    const std::vector<PipePoint>& v = pipe->Vertices();
    const auto cut = static_cast<long>(std::clamp(bend >= 0 ? bend : segment, 0, pipe->VertexCount()));
    std::vector<PipePoint> before(v.begin(), v.begin() + cut);
    std::vector<PipePoint> after(v.begin() + std::min<long>(cut + (bend >= 0 ? 1 : 0), pipe->VertexCount()), v.end());
    ZPipeLink* copy = pipe->Clone();
    pipe->Disconnect();
    pipe->SetVertices(std::move(before));
    pipe->Connect(start, node);
    net.MakeDefaultId(copy);
    copy->SetVertices(std::move(after));
    if (!net.AddLink(node, end, copy)) {
        copy->DeleteSelf();
        return nullptr;   // the transaction puts the pipe back
    }
    tx.Added(copy);
    pipe->UpdateAutoLength();
    copy->UpdateAutoLength();
    tx.Commit();
    return copy;
}

void ZNetEditor::RemoveNode(ZConsumeNode* node)
{
    ZEditTransaction tx(m_doc, StepName(Delete, 0));
    std::vector<ZNetObject*> removed;
    m_doc.GetNetwork().TakeOutNode(node, removed);
    for (ZNetObject* o : removed)
        tx.Removed(o);
    tx.Commit();
}

void ZNetEditor::MoveNode(ZConsumeNode* node, double dx, double dy)
{
    ZEditTransaction tx(m_doc, StepName(Move, 0));
    const std::vector<ZPipeLink*> pipes = TouchWithPipes(tx, MovingTogether(node));
    node->SetPosition(node->X + dx, node->Y + dy);
    for (ZPipeLink* p : pipes)
        p->UpdateAutoLength();
    tx.Commit();
}

void ZNetEditor::MergeNodes(ZConsumeNode* moved, ZConsumeNode* target)
{
    ZEditTransaction tx(m_doc, StepName(Move, 0));
    std::vector<ZConsumeNode*> nodes = MovingTogether(moved);
    for (ZConsumeNode* n : MovingTogether(target))
        nodes.push_back(n);
    const std::vector<ZPipeLink*> pipes = TouchWithPipes(tx, nodes);
    ZConsumeNode* dropped = m_doc.GetNetwork().MergeNodes(moved, target);
    tx.Removed(dropped);
    for (ZPipeLink* p : pipes)
        p->UpdateAutoLength();
    tx.Commit();
}

bool ZNetEditor::AddPipe(ZConsumeNode* start, ZConsumeNode* end, ZPipeLink* pipe, std::vector<PipePoint> bends)
{
    ZNetwork& net = m_doc.GetNetwork();
    ZEditTransaction tx(m_doc, StepName(Insert, 1));
    for (ZConsumeNode* n : {start, end}) {
        if (n->GetIndex() >= 0)
            continue;
        if (!AddNewNode(net, tx, n)) {
            n->DeleteSelf();
            pipe->DeleteSelf();
            return false;   // the transaction takes out what was added
        }
    }
    net.MakeDefaultId(pipe);
    pipe->SetVertices(std::move(bends));
    if (!net.AddLink(start, end, pipe)) {
        pipe->DeleteSelf();
        return false;
    }
    tx.Added(pipe);
    pipe->UpdateAutoLength();
    return tx.Commit();
}

void ZNetEditor::RemovePipe(ZPipeLink* pipe)
{
    ZEditTransaction tx(m_doc, StepName(Delete, 1));
    std::vector<ZNetObject*> removed;
    m_doc.GetNetwork().TakeOutLink(pipe, removed);
    for (ZNetObject* o : removed)
        tx.Removed(o);
    tx.Commit();
}

void ZNetEditor::MovePipe(ZPipeLink* pipe, double dx, double dy)
{
    ZEditTransaction tx(m_doc, StepName(Move, 1));
    std::vector<ZConsumeNode*> nodes;
    for (ZNetNode* n : {pipe->StartNode(), pipe->EndNode()})
        for (ZConsumeNode* m : MovingTogether(static_cast<ZConsumeNode*>(n)))
            nodes.push_back(m);
    const std::vector<ZPipeLink*> pipes = TouchWithPipes(tx, nodes);
    std::vector<PipePoint> v = pipe->Vertices();
    for (PipePoint& p : v) {
        p.x += dx;
        p.y += dy;
    }
    pipe->SetVertices(std::move(v));
    for (ZNetNode* n : {pipe->StartNode(), pipe->EndNode()}) {
        auto* f = static_cast<ZConsumeNode*>(n);
        f->SetPosition(f->X + dx, f->Y + dy);
    }
    for (ZPipeLink* p : pipes)
        p->UpdateAutoLength();
    tx.Commit();
}

bool ZNetEditor::AddDevice(ZConsumeNode* inlet, ZDeviceLink* device, ZConsumeNode* outlet)
{
    ZNetwork& net = m_doc.GetNetwork();
    const int kind = static_cast<int>(device->GetKind());
    ZEditTransaction tx(m_doc, StepName(Insert, kind));
    if (inlet->GetIndex() < 0 && !AddNewNode(net, tx, inlet)) {
        inlet->DeleteSelf();
        outlet->DeleteSelf();
        device->DeleteSelf();
        return false;
    }
    outlet->X = inlet->X;
    outlet->Y = inlet->Y;
    if (!AddNewNode(net, tx, outlet)) {
        outlet->DeleteSelf();
        device->DeleteSelf();
        return false;
    }
    net.MakeDefaultId(device);
    if (!net.AddLink(inlet, outlet, device)) {
        device->DeleteSelf();
        return false;
    }
    tx.Added(device);
    return tx.Commit();
}

void ZNetEditor::RemoveDevice(ZDeviceLink* device)
{
    ZNetwork& net = m_doc.GetNetwork();
    ZEditTransaction tx(m_doc, StepName(Delete, static_cast<int>(device->GetKind())));
    auto* a = static_cast<ZConsumeNode*>(device->StartNode());
    auto* b = static_cast<ZConsumeNode*>(device->EndNode());
    // With links on both sides the network is joined where the device was, unless another link
    // runs between the two nodes: joining would close it on itself.
    bool join = a->IncidentLinkCount() > 1 && b->IncidentLinkCount() > 1;
    for (ZNetLink* l = a->FirstLink(); l && join; l = l->NextLinkAt(a))
        join = l == device || l->OtherNode(a) != b;
    std::vector<ZPipeLink*> pipes;
    if (join)
        pipes = TouchWithPipes(tx, {a, b});
    std::vector<ZNetObject*> removed;
    net.TakeOutLink(device, removed);
    for (ZNetObject* o : removed)
        tx.Removed(o);
    if (join) {
        tx.Removed(net.MergeNodes(a, b));
        for (ZPipeLink* p : pipes)
            p->UpdateAutoLength();
    }
    tx.Commit();
}
