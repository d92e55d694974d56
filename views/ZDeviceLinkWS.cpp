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
    const bool insert = Operation() == ZWorkShopHost::Insert;
    switch (m_kind) {
    case ZNetObject::Kind::Pump:
        return (insert ? tr("插入水泵: 点击入口节点, 点在空白处新建节点 (Esc 退出)")
                       : tr("删除水泵: 点击要删除的水泵 (Esc 退出)"))
            .toStdString();
    case ZNetObject::Kind::Valve:
        return (insert ? tr("插入阀门: 点击入口节点, 点在空白处新建节点 (Esc 退出)")
                       : tr("删除阀门: 点击要删除的阀门 (Esc 退出)"))
            .toStdString();
    default:
        return (insert ? tr("插入水池: 点击出口节点, 点在空白处新建节点 (Esc 退出)")
                       : tr("删除水池: 点击要删除的水池 (Esc 退出)"))
            .toStdString();
    }
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
        Refuse(tr("不能连接节点%1!").arg(QString::fromStdString(GbkCodec::ToUtf8(inlet->IdView()))).toStdString());
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
        SetNote(link ? tr("这不是要删除的设备。").toStdString() : tr("这里没有设备。").toStdString());
        return;
    }
    if (!Confirm(tr("确认删除设备%1吗?").arg(QString::fromStdString(GbkCodec::ToUtf8(link->IdView()))).toStdString()))
        return;
    ZNetEditor(Doc()).RemoveDevice(static_cast<ZDeviceLink*>(link));
    Host().FinishStep();
}
