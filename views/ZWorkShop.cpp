#include "ZWorkShop.h"

#include "ZCanvasHost.h"
#include "ZFocusHint.h"
#include "ZNetCanvas.h"

#include "model/GbkCodec.h"
#include "model/Prompt.h"
#include "model/ZConsumeNode.h"
#include "model/ZFlowLink.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"

#include <cmath>

void ZWorkShop::Restart()
{
    switch (m_operation) {
    case ZWorkShopHost::Insert:
        BeginInsert();
        break;
    case ZWorkShopHost::Delete:
        BeginDelete();
        break;
    case ZWorkShopHost::Move:
        BeginMove();
        break;
    }
}

void ZWorkShop::End()
{
    Hint().Reset();
}

void ZWorkShop::OnClick(const PipePoint& at)
{
    m_note.clear();
    switch (m_operation) {
    case ZWorkShopHost::Insert:
        ClickInsert(at);
        break;
    case ZWorkShopHost::Delete:
        ClickDelete(at);
        break;
    case ZWorkShopHost::Move:
        ClickMove(at);
        break;
    }
}

ZDocument& ZWorkShop::Doc() const
{
    return *m_host.Document();
}

ZNetwork& ZWorkShop::Net() const
{
    return Doc().GetNetwork();
}

ZFocusHint& ZWorkShop::Hint() const
{
    return m_host.Canvas().FocusHint();
}

const ZTemplateSet& ZWorkShop::Templates() const
{
    return m_host.Canvas().Settings().Templates();
}

int ZWorkShop::PipeSerialMode() const
{
    return m_host.Canvas().Settings().PipeSerialMode;
}

namespace {
QPoint DevicePoint(const ZNetCanvas& canvas, const PipePoint& at)
{
    const QPointF p = canvas.WorldToDeviceF(at.x, at.y);
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}
}   // namespace

ZConsumeNode* ZWorkShop::PickNode(const PipePoint& at) const
{
    const ZNetCanvas& c = m_host.Canvas();
    const ViewExtent pick = c.PickSquare(DevicePoint(c, at), c.Settings().Sizes().TipFocWidth);
    return static_cast<ZConsumeNode*>(c.VisibleSet().First(c, pick, [](ZNetObject* o) { return o->IsNode(); }));
}

ZFlowLink* ZWorkShop::PickLink(const PipePoint& at) const
{
    const ZNetCanvas& c = m_host.Canvas();
    const ViewExtent pick = c.PickSquare(DevicePoint(c, at), c.Settings().Sizes().TipFocWidth);
    return static_cast<ZFlowLink*>(c.VisibleSet().First(c, pick, [](ZNetObject* o) { return o->IsLink(); }));
}

ZConsumeNode* ZWorkShop::SnapNode(const PipePoint& at) const
{
    const ZNetCanvas& c = m_host.Canvas();
    const ViewExtent pick = c.PickSquare(DevicePoint(c, at), c.Settings().Sizes().HintFocWidth);
    PipePoint snapped;
    return static_cast<ZConsumeNode*>(
        c.VisibleSet().First(c, pick, [&](ZNetObject* o) { return o->IsNode() && o->SnapPoint(c, pick, snapped); }));
}

void ZWorkShop::Refuse(const std::string& text) const
{
    if (Prompt* p = m_host.Asker())
        p->Inform(text);
}

bool ZWorkShop::Confirm(const std::string& text) const
{
    Prompt* p = m_host.Asker();
    return p && p->AskYesNo(text);
}

void ZWorkShop::Invalidate(const ViewExtent& area) const
{
    ZNetCanvas& c = m_host.Canvas();
    if (area.IsEmpty() || !c.Host())
        return;
    c.Host()->CanvasInvalidate(c.WorldRectToDevice(area).adjusted(-2, -2, 3, 3), true);
}

std::string ZWorkShop::Named(const ZNetObject& o)
{
    QString kind = tr("管道%1");
    switch (o.GetKind()) {
    case ZNetObject::Kind::Node:
        kind = tr("节点%1");
        break;
    case ZNetObject::Kind::Pump:
        kind = tr("水泵%1");
        break;
    case ZNetObject::Kind::Valve:
        kind = tr("阀门%1");
        break;
    case ZNetObject::Kind::Tank:
        kind = tr("水池%1");
        break;
    default:
        break;
    }
    return kind.arg(QString::fromStdString(GbkCodec::ToUtf8(o.IdView()))).toStdString();
}

std::string ZWorkShop::NodesText(const std::vector<const ZConsumeNode*>& nodes) const
{
    const UnitCategory& flow = m_host.Canvas().Settings().Units().FlowUnit();
    std::string text;
    for (const ZConsumeNode* n : nodes) {
        if (!text.empty())
            text += tr("、").toStdString();
        text += Named(*n);
        if (n->IsFlowKnown() && n->NodeFlow != 0.0)
            text +=
                tr(" (节点水量 %1 %2)")
                    .arg(QString::fromStdString(flow.FormatFixed(n->NodeFlow)), QString::fromStdString(flow.UnitName()))
                    .toStdString();
        else if (n->IsHeadKnown())
            text += tr(" (已知水压)").toStdString();
    }
    return text;
}
