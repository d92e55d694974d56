#include "ZTankLink.h"

#include "ZObjectLabels.h"
#include "ZFlowNode.h"

ZTankLink* ZTankLink::Clone() const
{
    auto* t = new ZTankLink;
    t->CopyFrom(*this);
    return t;
}

void ZTankLink::Connect(ZNetNode* start, ZNetNode* end)
{
    ZDeviceLink::Connect(start, end);
    for (ZNetNode* n : {start, end}) {
        auto* fn = static_cast<ZFlowNode*>(n);
        fn->SetHeadKnown(true);
        fn->NodeHydrElev = TankCurH;
    }
    end->SetFlag(qen::FLAG_HIDDEN);
}

void ZTankLink::Disconnect()
{
    if (EndNode())
        EndNode()->ClearFlag(qen::FLAG_HIDDEN);
    ZDeviceLink::Disconnect();
}

double ZTankLink::CalcResistance(const ZBalanceContext&)
{
    Resistance = 0.0;
    return 0.0;
}

// The huge conductance welds the outlet to the internal node; both heads are fixed anyway.
double ZTankLink::CalcConductance(const ZBalanceContext&) const
{
    return 1e100;
}

double ZTankLink::CalcFlow(const ZBalanceContext&)
{
    return 0.0;
}

double ZTankLink::HeadLoss() const
{
    return 0.0;
}

void ZTankLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::TankTip(view, *this);
}

void ZTankLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::TankGrade(view, *this);
}
