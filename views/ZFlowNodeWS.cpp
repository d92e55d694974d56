#include "ZFlowNodeWS.h"

#include "GbkText.h"
#include "ZFocusHint.h"
#include "ZNetCanvas.h"

#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "model/ZNetEditor.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <algorithm>
#include <cmath>

ZFlowNodeWS::~ZFlowNodeWS() = default;

void ZFlowNodeWS::BeginInsert()
{
    Hint().SetMode(ZFocusHint::SnapPipes);
    m_newNode.reset(Templates().Node.Clone());
}

void ZFlowNodeWS::BeginDelete()
{
    Hint().SetMode(ZFocusHint::SnapNodes);
}

void ZFlowNodeWS::BeginMove()
{
    Hint().SetMode(ZFocusHint::SnapNodes);
    m_moving = nullptr;
    Hint().SetMoveLines({}, {});
}

void ZFlowNodeWS::End()
{
    m_moving = nullptr;
    m_newNode.reset();
    ZWorkShop::End();
}

void ZFlowNodeWS::ObjectsRemoved(const std::vector<ZNetObject*>& objects)
{
    if (m_moving && std::find(objects.begin(), objects.end(), m_moving) != objects.end()) {
        m_moving = nullptr;
        Hint().SetMoveLines({}, {});
    }
}

void ZFlowNodeWS::ClickInsert(const PipePoint& at)
{
    ZFlowLink* link = PickLink(at);
    if (!link || link->GetKind() != ZNetObject::Kind::Pipe || !m_newNode)
        return;
    auto* pipe = static_cast<ZPipeLink*>(link);
    ZNetCanvas& c = Host().Canvas();
    const QPointF px = c.WorldToDeviceF(at.x, at.y);
    const ViewExtent pick =
        c.PickSquare(QPoint(int(std::floor(px.x())), int(std::floor(px.y()))), c.Settings().Sizes().TipFocWidth);
    PipePoint pos;
    int segment = -1, bend = -1;
    if (!ZFocusHint::SnapPipe(c, *pipe, pick, pos, segment, bend))
        return;
    // At an end node the split would leave a pipe of no length.
    for (const ZFlowNode* end : {pipe->From(), pipe->To()}) {
        const PipePoint e = end->GetPosition(c);
        if (pick.Contains(e.x, e.y))
            return;
    }
    ZConsumeNode* node = m_newNode.release();
    node->X = pos.x;
    node->Y = pos.y;
    ZNetEditor(Doc()).InsertNodeOnPipe(pipe, node, segment, bend);
    Host().FinishStep();
}

void ZFlowNodeWS::ClickDelete(const PipePoint& at)
{
    ZConsumeNode* node = PickNode(at);
    if (!node)
        return;
    const std::string text = "确认删除节点" + GbkText::ToQString(node->IdView()).toStdString() + "吗?";
    if (!Confirm(text))
        return;
    ZNetEditor(Doc()).RemoveNode(node);
    Host().FinishStep();
}

void ZFlowNodeWS::ShowMoveLines()
{
    // Every line from a neighbour to the moving node, and for a device node to its partner too.
    std::vector<std::pair<PipePoint, PipePoint>> lines;
    std::vector<ZFlowNode*> movers{m_moving};
    if (m_moving->IsDeviceNode())
        if (ZDeviceLink* dev = m_moving->GetDevice())
            movers.push_back(static_cast<ZFlowNode*>(dev->OtherNode(m_moving)));
    const ZNetCanvas& c = Host().Canvas();
    for (ZFlowNode* n : movers) {
        const PipePoint here = n->GetPosition(c);
        for (ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
            if (l->IsDevice())
                continue;
            const auto* pipe = static_cast<const ZPipeLink*>(l);
            PipePoint from;
            if (pipe->VertexCount() > 0)
                from = l->StartNode() == n ? pipe->VertexAt(0) : pipe->VertexAt(pipe->VertexCount() - 1);
            else
                from = static_cast<ZFlowNode*>(l->OtherNode(n))->GetPosition(c);
            lines.emplace_back(from, here);
        }
    }
    Hint().SetMoveLines(m_moveStart, std::move(lines));
}

void ZFlowNodeWS::ClickMove(const PipePoint& at)
{
    if (!m_moving) {
        m_moving = PickNode(at);
        if (!m_moving)
            return;
        m_moveStart = at;
        ShowMoveLines();
        return;
    }
    ZConsumeNode* target = SnapNode(at);
    if (target == m_moving)
        return;
    if (target && !m_moving->CanMergeWith(*target)) {
        Refuse("合并节点失败, 设备不能连接太多的管道!");
        return;
    }
    // Two nodes joined by a pipe would leave that pipe running from a node to itself.
    if (target && ZNetEditor::Adjacent(m_moving, target)) {
        Refuse("管道不能连接同一节点!");
        return;
    }
    ZConsumeNode* node = m_moving;
    m_moving = nullptr;
    Hint().SetMoveLines({}, {});
    if (target)
        ZNetEditor(Doc()).MergeNodes(node, target);
    else
        ZNetEditor(Doc()).MoveNode(node, at.x - m_moveStart.x, at.y - m_moveStart.y);
    Host().FinishStep();
}
