// Checks shared by the fuzz harnesses: what a reader accepted must hold only finite numbers.
#pragma once
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <cmath>
#include <initializer_list>

inline bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

inline bool NetworkIsFinite(const ZNetwork& net)
{
    for (const ZConsumeNode* n : net.Nodes())
        if (!AllFinite({n->X, n->Y, n->NodeFlow, n->NodeFireFlow, n->NodeGrunElev, n->NodeHydrElev}))
            return false;
    for (const ZFlowLink* l : net.Links()) {
        if (!AllFinite({l->Flow, l->Resistance}))
            return false;
        switch (l->GetKind()) {
        case ZNetObject::Kind::Pipe: {
            auto* p = static_cast<const ZPipeLink*>(l);
            if (!AllFinite({p->PipeDiam, p->PipeInDiam, p->PipeLength, p->PipeRougCeof}))
                return false;
            for (const PipePoint& v : p->Vertices())
                if (!AllFinite({v.x, v.y}))
                    return false;
            break;
        }
        case ZNetObject::Kind::Pump: {
            auto* p = static_cast<const ZPumpLink*>(l);
            if (!AllFinite({p->PumpStaticH, p->PumpSCoef, p->PumpVacuum, p->PumpEfficiency, p->PumpRatedRotV,
                            p->PumpOperatedRotV}))
                return false;
            break;
        }
        case ZNetObject::Kind::Valve: {
            auto* v = static_cast<const ZValveLink*>(l);
            if (!AllFinite({v->ValveSCoef, v->ValveHLess}))
                return false;
            break;
        }
        case ZNetObject::Kind::Tank: {
            auto* t = static_cast<const ZTankLink*>(l);
            if (!AllFinite({t->TankArea, t->TankCurH, t->TankMinHead, t->TankMaxHead, t->TankBottomElev}))
                return false;
            break;
        }
        default:
            break;
        }
    }
    return true;
}

inline bool DocumentIsFinite(const ZDocument& doc)
{
    const ViewExtent& e = doc.GetExtents();
    if (!AllFinite({e.left, e.right, e.bottom, e.top}))
        return false;
    for (const ZNamedView& v : doc.GetNamedViews())
        if (!AllFinite({v.ViewRect.left, v.ViewRect.right, v.ViewRect.bottom, v.ViewRect.top}))
            return false;
    const ZBalanceParams& p = doc.GetDrawSettings().Params;
    if (!AllFinite({p.ParamA, p.ParamB, p.FlowTolerance, p.HeadTolerance, p.AccidentFactor,
                    doc.GetDrawSettings().ContourInterval}))
        return false;
    return NetworkIsFinite(doc.GetNetwork());
}
