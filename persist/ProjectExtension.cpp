#include "ProjectExtension.h"

#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"

namespace {
bool HasCheckValve(const ZNetwork& net)
{
    for (const ZFlowLink* l : net.Links())
        if (l->GetKind() == ZNetObject::Kind::Valve &&
            static_cast<const ZValveLink*>(l)->GetValveType() == ZValveLink::Check)
            return true;
    return false;
}
}   // namespace

bool ProjectExtension::CheckValvesCloseWithoutSettings(const ZNetwork& net)
{
    return !HasCheckValve(net);
}

bool ProjectExtension::CheckValvesCloseWithoutSettings(const std::vector<const ZFlowLink*>& links)
{
    for (const ZFlowLink* l : links)
        if (l->GetKind() == ZNetObject::Kind::Valve &&
            static_cast<const ZValveLink*>(l)->GetValveType() == ZValveLink::Check)
            return false;
    return true;
}

bool ProjectExtension::SettingsNeeded(const ZBalanceParams& p, const ZNetwork& net)
{
    const ZBalanceParams d;
    // Without check valves the option changes no result: it is not worth a newer file.
    return (p.CheckValvesClose && HasCheckValve(net)) || p.DemandModel != d.DemandModel ||
           p.MinPressure != d.MinPressure || p.RequiredPressure != d.RequiredPressure ||
           p.PressureExponent != d.PressureExponent;
}

bool ProjectExtension::PumpExtended(const ZPumpLink& p)
{
    return p.PumpCurveKind != ZPumpLink::QuadraticLaw || !p.PumpCurve.empty() || p.PumpPower != 0.0 ||
           p.PumpSpeed != 1.0;
}

bool ProjectExtension::ValveExtended(const ZValveLink& v)
{
    return v.IsControlValve() || v.ValveSetting != 0.0 || v.ValveDiam != 0.0 ||
           v.ValveInitStatus != ZValveLink::StatusActive || !v.ValveCurve.empty();
}

ProjectExtension::Schemas ProjectExtension::For(const ZDocument& doc)
{
    const ZNetwork& net = doc.GetNetwork();
    const ZBalanceParams& params = doc.GetDrawSettings().Params;
    Schemas s;
    s.settings = SettingsNeeded(params, net);
    s.timeData = !doc.GetTimeData().IsEmpty();
    s.titleBlock = !doc.GetProjectTitle().IsEmpty();
    s.crs = !doc.GetCrs().empty();
    if (params.DemandModel == ZBalanceParams::PressureDriven)
        s.node = NodeSchema;
    for (const ZFlowLink* l : net.Links()) {
        switch (l->GetKind()) {
        case ZNetObject::Kind::Pipe:
            if (static_cast<const ZPipeLink*>(l)->PipeMinorLoss != 0.0)
                s.pipe = PipeSchema;
            break;
        case ZNetObject::Kind::Pump:
            if (PumpExtended(*static_cast<const ZPumpLink*>(l)))
                s.pump = PumpSchema;
            break;
        case ZNetObject::Kind::Valve:
            if (ValveExtended(*static_cast<const ZValveLink*>(l)))
                s.valve = ValveSchema;
            break;
        default:
            break;
        }
    }
    return s;
}
