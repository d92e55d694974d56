#include "ZTemplateSet.h"

#include "KeyValueStore.h"

void ZTemplateSet::Load(const KeyValueStore& s)
{
    const std::string sec = Section;
    Node.NodeFlow = s.GetDouble(sec, "NodeFlow", Node.NodeFlow);
    Node.SetFireNode(s.GetInt(sec, "IsFireNode", Node.IsFireNode() ? 1 : 0) != 0);
    Node.NodeFireFlow = s.GetDouble(sec, "NodeFireFlow", Node.NodeFireFlow);
    Node.NodeGrunElev = s.GetDouble(sec, "NodeGrunElev", Node.NodeGrunElev);
    Node.NodeHydrElev = s.GetDouble(sec, "NodeHydrElev", Node.NodeHydrElev);

    Pipe.PipeDiam = s.GetDouble(sec, "PipeDiam", Pipe.PipeDiam);
    Pipe.PipeInDiam = s.GetDouble(sec, "PipeInDiam", Pipe.PipeInDiam);
    Pipe.PipeRougCeof = s.GetDouble(sec, "PipeRougCeof", Pipe.PipeRougCeof);
    Pipe.PipeType = s.GetInt(sec, "PipeType", Pipe.PipeType);
    Pipe.PipeSideType = s.GetInt(sec, "PipeSideType", Pipe.PipeSideType);
    Pipe.PipeParallel = s.GetInt(sec, "PipeParallel", Pipe.PipeParallel);
    Pipe.PipeLength = s.GetDouble(sec, "PipeLength", Pipe.PipeLength);
    Pipe.PipeDate = s.GetDate(sec, "PipeDate", Pipe.PipeDate);

    Pump.SetPumpType(s.GetInt(sec, "PumpType", Pump.GetPumpType()));
    Pump.PumpOpen = s.GetInt(sec, "PumpOpen", Pump.PumpOpen ? 1 : 0) != 0;
    Pump.PumpOperatedRotV = s.GetDouble(sec, "PumpOperatedRotV", Pump.PumpOperatedRotV);
    Pump.PumpRatedRotV = s.GetDouble(sec, "PumpRatedRotV", Pump.PumpRatedRotV);
    Pump.PumpSCoef = s.GetDouble(sec, "PumpSCoef", Pump.PumpSCoef);
    Pump.PumpVacuum = s.GetDouble(sec, "PumpVacuum", Pump.PumpVacuum);
    Pump.PumpStaticH = s.GetDouble(sec, "PumpStaticH", Pump.PumpStaticH);

    Valve.SetValveType(s.GetInt(sec, "ValveType", Valve.GetValveType()));
    Valve.ValveOpen = s.GetInt(sec, "ValveOpen", Valve.ValveOpen ? 1 : 0) != 0;
    Valve.ValveHLess = s.GetDouble(sec, "ValveHLess", Valve.ValveHLess);
    Valve.ValveSCoef = s.GetDouble(sec, "ValveSCoef", Valve.ValveSCoef);

    Tank.SetTankType(s.GetInt(sec, "TankType", Tank.GetTankType()));
    Tank.TankArea = s.GetDouble(sec, "TankArea", Tank.TankArea);
    Tank.TankCurH = s.GetDouble(sec, "TankCurH", Tank.TankCurH);
    Tank.TankMaxHead = s.GetDouble(sec, "TankMaxHead", Tank.TankMaxHead);
    Tank.TankMinHead = s.GetDouble(sec, "TankMinHead", Tank.TankMinHead);
    Tank.TankBottomElev = s.GetDouble(sec, "TankBottomElev", Tank.TankBottomElev);
}

void ZTemplateSet::Save(KeyValueStore& s) const
{
    const std::string sec = Section;
    s.SetDouble(sec, "NodeFlow", Node.NodeFlow);
    s.WriteInt(sec, "IsFireNode", Node.IsFireNode() ? 1 : 0);
    s.SetDouble(sec, "NodeFireFlow", Node.NodeFireFlow);
    s.SetDouble(sec, "NodeGrunElev", Node.NodeGrunElev);
    s.SetDouble(sec, "NodeHydrElev", Node.NodeHydrElev);

    s.SetDouble(sec, "PipeDiam", Pipe.PipeDiam);
    s.SetDouble(sec, "PipeInDiam", Pipe.PipeInDiam);
    s.SetDouble(sec, "PipeRougCeof", Pipe.PipeRougCeof);
    s.WriteInt(sec, "PipeType", Pipe.PipeType);
    s.WriteInt(sec, "PipeSideType", Pipe.PipeSideType);
    s.WriteInt(sec, "PipeParallel", Pipe.PipeParallel);
    s.SetDouble(sec, "PipeLength", Pipe.PipeLength);
    s.SetDate(sec, "PipeDate", Pipe.PipeDate);

    s.WriteInt(sec, "PumpType", Pump.GetPumpType());
    s.WriteInt(sec, "PumpOpen", Pump.PumpOpen ? 1 : 0);
    s.SetDouble(sec, "PumpOperatedRotV", Pump.PumpOperatedRotV);
    s.SetDouble(sec, "PumpRatedRotV", Pump.PumpRatedRotV);
    s.SetDouble(sec, "PumpSCoef", Pump.PumpSCoef);
    s.SetDouble(sec, "PumpVacuum", Pump.PumpVacuum);
    s.SetDouble(sec, "PumpStaticH", Pump.PumpStaticH);

    s.WriteInt(sec, "ValveType", Valve.GetValveType());
    s.WriteInt(sec, "ValveOpen", Valve.ValveOpen ? 1 : 0);
    s.SetDouble(sec, "ValveHLess", Valve.ValveHLess);
    s.SetDouble(sec, "ValveSCoef", Valve.ValveSCoef);

    s.WriteInt(sec, "TankType", Tank.GetTankType());
    s.SetDouble(sec, "TankArea", Tank.TankArea);
    s.SetDouble(sec, "TankCurH", Tank.TankCurH);
    s.SetDouble(sec, "TankMaxHead", Tank.TankMaxHead);
    s.SetDouble(sec, "TankMinHead", Tank.TankMinHead);
    s.SetDouble(sec, "TankBottomElev", Tank.TankBottomElev);
}
