#include "ZPumpLink.h"

#include "ZObjectLabels.h"
#include "ZFlowNode.h"

ZPumpLink* ZPumpLink::Clone() const
{
    auto* p = new ZPumpLink;
    p->CopyFrom(*this);
    return p;
}

double ZPumpLink::CalcResistance(const ZBalanceContext&)
{
    Resistance = PumpSCoef;
    return Resistance;
}

double ZPumpLink::CalcFlow(const ZBalanceContext&)
{
    return SquareLawFlow(HeadLoss(), PumpOpen);
}

double ZPumpLink::CalcConductance(const ZBalanceContext&) const
{
    return SquareLawConductance(PumpOpen);
}

double ZPumpLink::HeadLoss() const
{
    return From()->NodeHydrElev - To()->NodeHydrElev + PumpStaticH;
}

void ZPumpLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PumpTip(view, *this);
}

void ZPumpLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PumpGrade(view, *this);
}
