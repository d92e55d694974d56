#include "ZPipeLinkWS.h"

#include "ObjectPropertyEditor.h"
#include "QtDrawContext.h"
#include "ZFocusHint.h"

#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "edit/ZNetEditor.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <algorithm>

namespace {
std::string IdText(const ZNetObject& o)
{
    return GbkCodec::ToUtf8(o.IdView());
}
}   // namespace

ZPipeLinkWS::~ZPipeLinkWS()
{
    RestoreOverlay();
}

void ZPipeLinkWS::BeginInsert()
{
    Hint().SetMode(ZFocusHint::SnapNodes);
    m_pipe.reset(Templates().Pipe.Clone());
    InstallOverlay();
}

void ZPipeLinkWS::BeginDelete()
{
    Hint().SetMode(ZFocusHint::SnapPipes);
}

void ZPipeLinkWS::BeginMove()
{
    Hint().SetMode(ZFocusHint::SnapPipes);
    m_moving = nullptr;
}

void ZPipeLinkWS::Restart()
{
    if (Operation() != ZWorkShopHost::Insert) {
        ZWorkShop::Restart();
        return;
    }
    Invalidate(DrawnArea());
    m_startNew.reset();
    m_start = nullptr;
    m_bends.clear();
    Hint().ClearAnchor();
    // Chained drawing goes on from the last end unless that is a device's node.
    if (PipeSerialMode() == 0 && m_lastEnd && !m_lastEnd->IsDeviceNode() && m_lastEnd->GetIndex() >= 0) {
        m_start = m_lastEnd;
        Hint().SetAnchor(m_start->GetPosition(Host().Canvas()));
    }
    m_pipe.reset(Templates().Pipe.Clone());
}

void ZPipeLinkWS::Forget()
{
    m_startNew.reset();
    m_start = nullptr;
    m_bends.clear();
    m_pipe.reset();
    m_moving = nullptr;
}

void ZPipeLinkWS::End()
{
    Invalidate(DrawnArea());
    Forget();
    RestoreOverlay();
    ZWorkShop::End();
}

void ZPipeLinkWS::Cancel()
{
    // Nothing of a half-drawn pipe is in the network: forgetting it undoes it.
    End();
}

void ZPipeLinkWS::ObjectsRemoved(const std::vector<ZNetObject*>& objects)
{
    auto gone = [&](const ZNetObject* o) { return o && std::find(objects.begin(), objects.end(), o) != objects.end(); };
    if (gone(m_lastEnd))
        m_lastEnd = nullptr;
    if (gone(m_moving)) {
        m_moving = nullptr;
        Hint().SetMoveLines({}, {});
    }
    if (!m_startNew && gone(m_start)) {
        // The pipe being drawn lost its start: begin again from nothing.
        Invalidate(DrawnArea());
        m_start = nullptr;
        m_bends.clear();
        Hint().ClearAnchor();
    }
}

std::string ZPipeLinkWS::StepPrompt() const
{
    switch (Operation()) {
    case ZWorkShopHost::Insert:
        return (m_start ? tr("插入管道: 点击终端节点; 点在空白处新建节点或加折点 (Esc 放弃这根管道)")
                        : tr("插入管道: 点击起端节点, 点在空白处新建节点 (Esc 退出)"))
            .toStdString();
    case ZWorkShopHost::Delete:
        return tr("删除管道: 点击要删除的管道 (Esc 退出)").toStdString();
    default:
        return (m_moving ? tr("移动管道: 点击新位置 (Esc 退出)") : tr("移动管道: 点击要移动的管道 (Esc 退出)"))
            .toStdString();
    }
}

void ZPipeLinkWS::InstallOverlay()
{
    if (m_overlayInstalled)
        return;
    ZNetCanvas& c = Host().Canvas();
    m_previousOverlay = c.Overlay();
    c.SetOverlay([this](ZNetCanvas& canvas, QtDrawContext& dc) { DrawOverlay(canvas, dc); });
    m_overlayInstalled = true;
}

void ZPipeLinkWS::RestoreOverlay()
{
    if (!m_overlayInstalled)
        return;
    Host().Canvas().SetOverlay(std::move(m_previousOverlay));
    m_previousOverlay = nullptr;
    m_overlayInstalled = false;
}

void ZPipeLinkWS::DrawOverlay(ZNetCanvas& canvas, QtDrawContext& dc)
{
    if (m_start && m_pipe) {
        dc.BeginDraw();
        if (!m_bends.empty()) {
            std::vector<PipePoint> line{m_start->GetPosition(canvas)};
            line.insert(line.end(), m_bends.begin(), m_bends.end());
            dc.SelectPipe(*m_pipe);
            dc.Polyline(line.data(), static_cast<int>(line.size()));
            dc.Restore();
        }
        if (m_startNew)
            m_startNew->Draw(canvas, dc);
        dc.EndDraw();
    }
    if (m_previousOverlay)
        m_previousOverlay(canvas, dc);
}

ViewExtent ZPipeLinkWS::DrawnArea() const
{
    ViewExtent r = ViewExtent::Empty();
    if (!m_start)
        return r;
    const PipePoint s = m_start->GetPosition(Host().Canvas());
    r.Include(s.x, s.y);
    for (const PipePoint& p : m_bends)
        r.Include(p.x, p.y);
    if (m_startNew)
        r.Include(m_startNew->GetDisplayRect(Host().Canvas()));
    return r;
}

ZConsumeNode* ZPipeLinkWS::Candidate(const PipePoint& at) const
{
    if (ZConsumeNode* n = SnapNode(at))
        return n;
    // The new start node is not in the network yet, but a click on it means it.
    if (m_startNew) {
        const ZNetCanvas& c = Host().Canvas();
        const QPointF px = c.WorldToDeviceF(at.x, at.y);
        const ViewExtent pick =
            c.PickSquare(QPoint(int(std::floor(px.x())), int(std::floor(px.y()))), c.Settings().Sizes().HintFocWidth);
        if (pick.Contains(m_startNew->X, m_startNew->Y))
            return m_startNew.get();
    }
    return nullptr;
}

std::unique_ptr<ZConsumeNode> ZPipeLinkWS::NewNode(const PipePoint& at) const
{
    std::unique_ptr<ZConsumeNode> n(Templates().Node.Clone());
    Net().MakeDefaultId(n.get());
    // The pending start node holds a default identifier the network does not know of yet.
    if (m_startNew && n->IdView() == m_startNew->IdView())
        n->SetId(GbkView(std::to_string(Net().NodeCount() + 1)));
    n->X = at.x;
    n->Y = at.y;
    return n;
}

void ZPipeLinkWS::ClickInsert(const PipePoint& at)
{
    if (!m_pipe)
        return;
    ZConsumeNode* node = Candidate(at);
    std::unique_ptr<ZConsumeNode> made;
    if (node) {
        if (!node->CanAcceptLink(*m_pipe)) {
            Refuse(tr("不能连接节点%1!").arg(QString::fromStdString(IdText(*node))).toStdString());
            return;
        }
        if (node == m_start) {
            Refuse(tr("管道不能连接同一节点!").toStdString());
            return;
        }
    } else {
        made = NewNode(at);
        if (m_start) {
            ObjectPropertyEditor* editor = Host().Editor();
            const bool ok = editor && editor->ConfirmNewNode(Host().DialogParent(), Doc(), *made);
            if (ok && ((m_startNew && made->IdView() == m_startNew->IdView()) || Net().FindNode(made->IdView()))) {
                Refuse(tr("节点编号%1已经存在!").arg(QString::fromStdString(IdText(*made))).toStdString());
                return;
            }
            if (!ok) {
                // The click becomes a bend point.
                const PipePoint from = m_bends.empty() ? m_start->GetPosition(Host().Canvas()) : m_bends.back();
                m_bends.push_back(at);
                ViewExtent seg = ViewExtent::Empty();
                seg.Include(from.x, from.y);
                seg.Include(at.x, at.y);
                Invalidate(seg);
                Hint().SetAnchor(at);
                return;
            }
        }
        node = made.get();
    }
    if (!m_start) {
        m_start = node;
        m_startNew = std::move(made);
        Hint().SetAnchor(node->GetPosition(Host().Canvas()));
        Invalidate(DrawnArea());
        return;
    }
    // The end: the pipe goes into the network with any new nodes, as one step.
    Invalidate(DrawnArea());
    // New nodes go to the document with the pipe.
    ZConsumeNode* start = m_start;
    m_startNew.release();
    ZConsumeNode* end = node;
    made.release();
    m_start = nullptr;
    std::vector<PipePoint> bends = std::move(m_bends);
    m_bends.clear();
    Hint().ClearAnchor();
    if (ZNetEditor(Doc()).AddPipe(start, end, m_pipe.release(), std::move(bends)))
        m_lastEnd = end;
    else
        m_lastEnd = nullptr;
    Host().FinishStep();
}

void ZPipeLinkWS::ClickDelete(const PipePoint& at)
{
    ZFlowLink* link = PickLink(at);
    if (!link || link->GetKind() != ZNetObject::Kind::Pipe) {
        SetNote(link ? tr("这不是管道。").toStdString() : tr("这里没有管道。").toStdString());
        return;
    }
    // End nodes left without any link go with the pipe, and their demand with them.
    std::vector<const ZConsumeNode*> lone;
    for (const ZNetNode* n : {link->StartNode(), link->EndNode()}) {
        bool alone = true;
        for (const ZNetLink* l = n->FirstLink(); l && alone; l = l->NextLinkAt(n))
            alone = l == link;
        if (alone && std::find(lone.begin(), lone.end(), n) == lone.end())
            lone.push_back(static_cast<const ZConsumeNode*>(n));
    }
    std::string question = tr("确认删除管道%1吗?").arg(QString::fromStdString(IdText(*link))).toStdString();
    if (!lone.empty())
        question +=
            "\n" + tr("%1只连着这根管道, 将一起删除。").arg(QString::fromStdString(NodesText(lone))).toStdString();
    if (!Confirm(question))
        return;
    ZNetEditor(Doc()).RemovePipe(static_cast<ZPipeLink*>(link));
    Host().FinishStep();
}

void ZPipeLinkWS::ClickMove(const PipePoint& at)
{
    if (!m_moving) {
        ZFlowLink* link = PickLink(at);
        if (!link || link->GetKind() != ZNetObject::Kind::Pipe) {
            SetNote(link ? tr("这不是管道。").toStdString() : tr("这里没有管道。").toStdString());
            return;
        }
        m_moving = static_cast<ZPipeLink*>(link);
        m_moveStart = at;
        // The pipe itself moves whole; its end nodes' other links stretch.
        const ZNetCanvas& c = Host().Canvas();
        std::vector<PipePoint> path{m_moving->From()->GetPosition(c)};
        path.insert(path.end(), m_moving->Vertices().begin(), m_moving->Vertices().end());
        path.push_back(m_moving->To()->GetPosition(c));
        std::vector<std::pair<PipePoint, PipePoint>> lines;
        for (ZNetNode* n : {m_moving->StartNode(), m_moving->EndNode()}) {
            const PipePoint here = static_cast<ZFlowNode*>(n)->GetPosition(c);
            for (ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
                if (l == m_moving || l->IsDevice())
                    continue;
                const auto* p = static_cast<const ZPipeLink*>(l);
                PipePoint from = static_cast<ZFlowNode*>(l->OtherNode(n))->GetPosition(c);
                if (p->VertexCount() > 0)
                    from = l->StartNode() == n ? p->VertexAt(0) : p->VertexAt(p->VertexCount() - 1);
                lines.emplace_back(from, here);
            }
        }
        Hint().SetMoveLines(at, std::move(lines), std::move(path));
        return;
    }
    ZPipeLink* pipe = m_moving;
    m_moving = nullptr;
    Hint().SetMoveLines({}, {});
    ZNetEditor(Doc()).MovePipe(pipe, at.x - m_moveStart.x, at.y - m_moveStart.y);
    Host().FinishStep();
}
