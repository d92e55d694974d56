#include "NetworkState.h"

#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <cstdio>

namespace {
void Num(std::string& out, const char* name, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, " %s=%.17g", name, v);
    out += buf;
}

std::string Id(const ZNetObject* o)
{
    return o ? "'" + std::string(o->IdView().Bytes()) + "'" : "-";
}
}   // namespace

std::string DescribeNetwork(const ZNetwork& net)
{
    std::string out;
    for (const ZConsumeNode* n : net.Nodes()) {
        out += "node " + std::to_string(n->GetIndex()) + " " + Id(n) + " " + n->ClassName();
        Num(out, "flags", n->GetFlags() & ~qen::FLAG_TRANSIENT);
        Num(out, "X", n->X);
        Num(out, "Y", n->Y);
        Num(out, "NodeGrunElev", n->NodeGrunElev);
        Num(out, "NodeHydrElev", n->NodeHydrElev);
        Num(out, "NodeFlow", n->NodeFlow);
        Num(out, "NodeFireFlow", n->NodeFireFlow);
        out += " links";
        for (const ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n))
            out += " " + Id(l);
        out += "\n";
    }
    for (const ZFlowLink* l : net.Links()) {
        out += "link " + std::to_string(l->GetIndex()) + " " + Id(l) + " " + l->ClassName() + " " + Id(l->StartNode()) +
               "->" + Id(l->EndNode());
        Num(out, "flags", l->GetFlags() & ~qen::FLAG_TRANSIENT);
        Num(out, "Flow", l->Flow);
        Num(out, "Resistance", l->Resistance);
        switch (l->GetKind()) {
        case ZNetObject::Kind::Pipe: {
            const auto* p = static_cast<const ZPipeLink*>(l);
            Num(out, "PipeDiam", p->PipeDiam);
            Num(out, "PipeInDiam", p->PipeInDiam);
            Num(out, "PipeLength", p->PipeLength);
            Num(out, "PipeRougCeof", p->PipeRougCeof);
            Num(out, "PipeParallel", p->PipeParallel);
            Num(out, "PipeDate", p->PipeDate);
            Num(out, "PipeType", p->PipeType);
            Num(out, "PipeSideType", p->PipeSideType);
            out += " vertices";
            for (const PipePoint& v : p->Vertices()) {
                Num(out, "x", v.x);
                Num(out, "y", v.y);
            }
            break;
        }
        case ZNetObject::Kind::Pump: {
            const auto* p = static_cast<const ZPumpLink*>(l);
            Num(out, "PumpRatedRotV", p->PumpRatedRotV);
            Num(out, "PumpOperatedRotV", p->PumpOperatedRotV);
            Num(out, "PumpSCoef", p->PumpSCoef);
            Num(out, "PumpStaticH", p->PumpStaticH);
            Num(out, "PumpVacuum", p->PumpVacuum);
            Num(out, "PumpEfficiency", p->PumpEfficiency);
            Num(out, "PumpOpen", p->PumpOpen);
            Num(out, "PumpType", p->GetPumpType());
            Num(out, "Symbol", p->SymbolIndex());
            break;
        }
        case ZNetObject::Kind::Valve: {
            const auto* v = static_cast<const ZValveLink*>(l);
            Num(out, "ValveSCoef", v->ValveSCoef);
            Num(out, "ValveHLess", v->ValveHLess);
            Num(out, "ValveOpen", v->ValveOpen);
            Num(out, "ValveType", v->GetValveType());
            Num(out, "Symbol", v->SymbolIndex());
            break;
        }
        case ZNetObject::Kind::Tank: {
            const auto* t = static_cast<const ZTankLink*>(l);
            Num(out, "TankArea", t->TankArea);
            Num(out, "TankMinHead", t->TankMinHead);
            Num(out, "TankMaxHead", t->TankMaxHead);
            Num(out, "TankCurH", t->TankCurH);
            Num(out, "TankBottomElev", t->TankBottomElev);
            Num(out, "TankType", t->GetTankType());
            Num(out, "Symbol", t->SymbolIndex());
            break;
        }
        default:
            break;
        }
        out += "\n";
    }
    return out;
}

std::string DescribeDocument(const ZDocument& doc)
{
    return DescribeNetwork(doc.GetNetwork()) + "balanced " + std::to_string(doc.GetDrawSettings().Balanced) + "\n";
}
