#include "ZValveLink.h"

#include "ZObjectLabels.h"
#include "ZFlowNode.h"

ZValveLink* ZValveLink::Clone() const
{
    auto* v = new ZValveLink;
    v->CopyFrom(*this);
    return v;
}

double ZValveLink::CalcResistance(const ZBalanceContext&)
{
    Resistance = ValveSCoef;
    return Resistance;
}

double ZValveLink::CalcFlow(const ZBalanceContext&)
{
    return SquareLawFlow(HeadLoss(), ValveOpen);
}

double ZValveLink::CalcConductance(const ZBalanceContext&) const
{
    return SquareLawConductance(ValveOpen);
}

double ZValveLink::HeadLoss() const
{
    double dh = From()->NodeHydrElev - To()->NodeHydrElev;
    if (m_valveType == PressureReducing)
        dh -= ValveHLess;
    return dh;
}

void ZValveLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::ValveTip(view, *this);
}

void ZValveLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::ValveGrade(view, *this);
}
