#pragma once
#include <QCoreApplication>
#include "ZWorkShop.h"

#include "model/ZNetObject.h"

#include <memory>

class ZDeviceLink;

// Pumps, valves and tanks: insert one on a node (or on a new node where the click hits none),
// with a new outlet node; delete one, joining the network on both sides when both of its nodes
// carry other links. Devices are not moved by this tool.
class ZDeviceLinkWS : public ZWorkShop {
    Q_DECLARE_TR_FUNCTIONS(ZDeviceLinkWS)

public:
    ZDeviceLinkWS(ZWorkShopHost& host, ZWorkShopHost::Operation op, ZNetObject::Kind kind);
    ~ZDeviceLinkWS() override;

    void BeginInsert() override;
    void BeginDelete() override;
    void End() override;
    std::string StepPrompt() const override;

    // A clone of the class's template device.
    ZDeviceLink* NewDevice() const;
    bool IsOwnClass(const ZNetObject& o) const { return o.GetKind() == m_kind; }

protected:
    void ClickInsert(const PipePoint& at) override;
    void ClickDelete(const PipePoint& at) override;

private:
    ZNetObject::Kind m_kind;
    std::unique_ptr<ZDeviceLink> m_device;
};
