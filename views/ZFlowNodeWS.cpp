#include "ZFlowNodeWS.h"

#include "GbkText.h"
#include "ZFocusHint.h"
#include "ZNetCanvas.h"

#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "edit/ZNetEditor.h"
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

std::string ZFlowNodeWS::StepPrompt() const
{
    switch (Operation()) {
    case ZWorkShopHost::Insert:
        return tr("插入节点: 点击管道上要插入节点的位置 (Esc 退出)").toStdString();
    case ZWorkShopHost::Delete:
        return tr("删除节点: 点击要删除的节点 (Esc 退出)").toStdString();
    default:
        return (m_moving ? tr("移动节点: 点击新位置, 点在另一节点上则与它合并 (Esc 退出)")
                         : tr("移动节点: 点击要移动的节点 (Esc 退出)"))
            .toStdString();
    }
}

void ZFlowNodeWS::ClickInsert(const PipePoint& at)
{
    ZFlowLink* link = PickLink(at);
    if (!link || link->GetKind() != ZNetObject::Kind::Pipe || !m_newNode) {
        SetNote(link ? tr("节点只能插在管道上, 不能插在设备上。").toStdString()
                     : tr("这里没有管道: 节点只能插在管道上。").toStdString());
        return;
    }
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
        if (pick.Contains(e.x, e.y)) {
            SetNote(tr("这里是管道的端点: 请点在管道中间。").toStdString());
            return;
        }
    }
    ZConsumeNode* node = m_newNode.release();
    node->X = pos.x;
    node->Y = pos.y;
    ZNetEditor(Doc()).InsertNodeOnPipe(pipe, node, segment, bend);
    Host().FinishStep();
}

std::string ZFlowNodeWS::DeleteQuestion(const ZConsumeNode& node) const
{
    std::string text = tr("确认删除%1吗?").arg(QString::fromStdString(Named(node))).toStdString();
    std::string links;
    std::vector<const ZConsumeNode*> lone;
    int count = 0;
    for (const ZNetLink* l = node.FirstLink(); l; l = l->NextLinkAt(&node)) {
        if (++count <= 8)
            links += (links.empty() ? std::string() : tr("、").toStdString()) + Named(*l);
        const auto* other = static_cast<const ZConsumeNode*>(l->OtherNode(&node));
        bool alone = other != &node && !other->IsHidden();
        for (const ZNetLink* m = other->FirstLink(); m && alone; m = m->NextLinkAt(other))
            alone = m->OtherNode(other) == &node;
        if (alone && std::find(lone.begin(), lone.end(), other) == lone.end())
            lone.push_back(other);
    }
    if (count > 8)
        links += tr(" 等 %1 条管段").arg(count).toStdString();
    if (!links.empty())
        text += "\n" + tr("与它相连的%1将一起删除。").arg(QString::fromStdString(links)).toStdString();
    if (!lone.empty())
        text +=
            "\n" + tr("%1只连着这个节点, 也将一起删除。").arg(QString::fromStdString(NodesText(lone))).toStdString();
    return text;
}

void ZFlowNodeWS::ClickDelete(const PipePoint& at)
{
    ZConsumeNode* node = PickNode(at);
    if (!node) {
        SetNote(tr("这里没有节点。").toStdString());
        return;
    }
    if (!Confirm(DeleteQuestion(*node)))
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
        if (!m_moving) {
            SetNote(tr("这里没有节点。").toStdString());
            return;
        }
        m_moveStart = at;
        ShowMoveLines();
        return;
    }
    ZConsumeNode* target = SnapNode(at);
    if (target == m_moving)
        return;
    if (target && !m_moving->CanMergeWith(*target)) {
        Refuse(tr("合并节点失败, 设备不能连接太多的管道!").toStdString());
        return;
    }
    // Two nodes joined by a pipe would leave that pipe running from a node to itself.
    if (target && ZNetEditor::Adjacent(m_moving, target)) {
        Refuse(tr("管道不能连接同一节点!").toStdString());
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
