#include "ZDeviceLinkWS.h"

#include "ZFocusHint.h"

#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "edit/ZNetEditor.h"
#include "model/ZSettingsStore.h"

ZDeviceLinkWS::ZDeviceLinkWS(ZWorkShopHost& host, ZWorkShopHost::Operation op, ZNetObject::Kind kind)
    : ZWorkShop(host, op), m_kind(kind)
{
}

ZDeviceLinkWS::~ZDeviceLinkWS() = default;

ZDeviceLink* ZDeviceLinkWS::NewDevice() const
{
    const ZTemplateSet& t = Templates();
    switch (m_kind) {
    case ZNetObject::Kind::Pump:
        return t.Pump.Clone();
    case ZNetObject::Kind::Valve:
        return t.Valve.Clone();
    default:
        return t.Tank.Clone();
    }
}

void ZDeviceLinkWS::BeginInsert()
{
    Hint().SetMode(ZFocusHint::SnapNodes);
    m_device.reset(NewDevice());
}

void ZDeviceLinkWS::BeginDelete()
{
    // Devices are picked by their symbols; a marker on pipes would point at the wrong thing.
    Hint().SetMode(0);
}

std::string ZDeviceLinkWS::StepPrompt() const
{
    const std::string kind = m_kind == ZNetObject::Kind::Pump    ? "水泵"
                             : m_kind == ZNetObject::Kind::Valve ? "阀门"
                                                                 : "水池";
    if (Operation() == ZWorkShopHost::Insert)
        return "插入" + kind + ": 点击" + (m_kind == ZNetObject::Kind::Tank ? "出口" : "入口") +
               "节点, 点在空白处新建节点 (Esc 退出)";
    return "删除" + kind + ": 点击要删除的" + kind + " (Esc 退出)";
}

void ZDeviceLinkWS::End()
{
    m_device.reset();
    ZWorkShop::End();
}

void ZDeviceLinkWS::ClickInsert(const PipePoint& at)
{
    if (!m_device)
        return;
    std::unique_ptr<ZConsumeNode> made;
    ZConsumeNode* inlet = SnapNode(at);
    if (inlet && !inlet->CanAcceptLink(*m_device)) {
        Refuse("不能连接节点" + GbkCodec::ToUtf8(inlet->IdView()) + "!");
        return;
    }
    if (!inlet) {
        made.reset(Templates().Node.Clone());
        made->X = at.x;
        made->Y = at.y;
        inlet = made.get();
    }
    auto* outlet = Templates().Node.Clone();
    made.release();
    ZNetEditor(Doc()).AddDevice(inlet, m_device.release(), outlet);
    Host().FinishStep();
}

void ZDeviceLinkWS::ClickDelete(const PipePoint& at)
{
    ZFlowLink* link = PickLink(at);
    if (!link || !IsOwnClass(*link)) {
        SetNote(link ? "这不是要删除的设备。" : "这里没有设备。");
        return;
    }
    if (!Confirm("确认删除设备" + GbkCodec::ToUtf8(link->IdView()) + "吗?"))
        return;
    ZNetEditor(Doc()).RemoveDevice(static_cast<ZDeviceLink*>(link));
    Host().FinishStep();
}
