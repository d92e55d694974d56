#include "ZPumpLink.h"

#include "ZObjectLabels.h"
#include "ZFlowNode.h"

ZPumpLink* ZPumpLink::Clone() const
{
    auto* p = new ZPumpLink;
    p->CopyFrom(*this);
    return p;
}

void ZPumpLink::CopyFrom(const ZNetObject& other)
{
    ZDeviceLink::CopyFrom(other);
    const auto& p = static_cast<const ZPumpLink&>(other);
    PumpCurveKind = p.PumpCurveKind;
    PumpCurve = p.PumpCurve;
    PumpPower = p.PumpPower;
    PumpSpeed = p.PumpSpeed;
}

int ZPumpLink::PointsNeeded(int32_t curveKind)
{
    switch (curveKind) {
    case OnePoint:
        return 1;
    case ThreePoint:
        return 3;
    case MultiPoint:
        return 2;
    default:
        return 0;
    }
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

void ZPumpLink::GetTipText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::PumpTip(view, *this);
}

void ZPumpLink::GetGradeText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::PumpGrade(view, *this);
}
