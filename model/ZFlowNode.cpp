#include "ZFlowNode.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZDeviceLink.h"

void ZFlowNode::CopyFrom(const ZNetObject& other)
{
    ZNetNode::CopyFrom(other);
    const auto& o = static_cast<const ZFlowNode&>(other);
    X = o.X;
    Y = o.Y;
    NodeGrunElev = o.NodeGrunElev;
    NodeHydrElev = o.NodeHydrElev;
    NodeFlow = o.NodeFlow;
    NodeFireFlow = o.NodeFireFlow;
}

double ZFlowNode::CaseDemand(const ZBalanceContext& ctx) const
{
    switch (ctx.CalcCase()) {
    case ZBalanceContext::Fire:
        return IsFireNode() ? NodeFlow + NodeFireFlow : NodeFlow;
    case ZBalanceContext::Accident:
        return NodeFlow * ctx.AccidentFactor();
    default:
        return NodeFlow;
    }
}

void ZFlowNode::SetHeadKnown(bool headKnown)
{
    if (headKnown) {
        SetFlag(qen::FLAG_HEAD_KNOWN);
        ClearFlag(qen::FLAG_FLOW_KNOWN);
    } else {
        SetFlag(qen::FLAG_FLOW_KNOWN);
        ClearFlag(qen::FLAG_HEAD_KNOWN);
    }
}

void ZFlowNode::SetPosition(double x, double y)
{
    X = x;
    Y = y;
    if (!IsDeviceNode())
        return;
    if (ZDeviceLink* dev = GetDevice()) {
        if (auto* other = static_cast<ZFlowNode*>(dev->OtherNode(this))) {
            other->X = x;
            other->Y = y;
        }
    }
}

ZDeviceLink* ZFlowNode::GetDevice() const
{
    ZNetLink* first = FirstLink();
    if (!first)
        return nullptr;
    if (first->IsDevice())
        return static_cast<ZDeviceLink*>(first);
    ZNetLink* second = first->NextLinkAt(this);
    if (second && second->IsDevice())
        return static_cast<ZDeviceLink*>(second);
    return nullptr;
}

bool ZFlowNode::CanMergeWith(const ZFlowNode& other) const
{
    if (IncidentLinkCount() < 2 && other.IncidentLinkCount() < 2)
        return !(IsDeviceNode() && other.IsDeviceNode());
    return !IsDeviceNode() && !other.IsDeviceNode();
}

bool ZFlowNode::CanAcceptLink(const ZNetLink& link) const
{
    const int count = IncidentLinkCount();
    if (IsDeviceNode())
        return count <= 1 && link.GetKind() == Kind::Pipe;
    return count < 2 || !link.IsDevice();
}

void ZFlowNode::GetTipText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::NodeTip(view, *this);
}

void ZFlowNode::GetGradeText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::NodeGrade(view, *this);
}
