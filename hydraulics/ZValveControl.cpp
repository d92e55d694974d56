#include "ZValveControl.h"

#include "ZNodalSystem.h"

#include "model/ZBalanceContext.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <cmath>

namespace {
// The total flow of a link (all parallels) leaving `node` through it.
double Outflow(const ZFlowLink& link, const ZNetNode* node)
{
    double q = link.Flow;
    if (link.GetKind() == ZNetObject::Kind::Pipe)
        q *= static_cast<const ZPipeLink&>(link).PipeParallel + 1;
    return link.StartNode() == node ? q : -q;
}

// What leaves `node` through its links other than `except`.
double OutflowBesides(const ZFlowNode* node, const ZFlowLink* except)
{
    double out = 0.0;
    for (const ZNetLink* l = node->FirstLink(); l; l = l->NextLinkAt(node))
        if (l != except)
            out += Outflow(*static_cast<const ZFlowLink*>(l), node);
    return out;
}
}   // namespace

void ZValveControl::Gather(ZNetwork& network, const ZBalanceContext& ctx)
{
    m_valves.clear();
    m_held.clear();
    for (ZFlowLink* l : network.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Valve)
            continue;
        auto* v = static_cast<ZValveLink*>(l);
        v->ValveState = ZValveLink::StateNone;
        if (v->GetValveType() == ZValveLink::Check && ctx.CheckValvesClose() && v->ValveOpen) {
            v->ValveState = ZValveLink::StateOpen;
            m_valves.push_back({v});
            continue;
        }
        if (!v->IsControlValve() || v->IsShutByUser())
            continue;
        const bool fixedOpen = v->StartStatus() == ZValveLink::StatusOpen;
        // PRVs, PSVs and FCVs start open: held heads, lagged flows and imposed flows on the first
        // guess of heads (a slope of 0.1 m per node) throw a large network far out of range.
        // The first converged heads tell whether they must act.
        const int type = v->GetValveType();
        if (fixedOpen || type == ZValveLink::Prv || type == ZValveLink::Psv)
            v->ValveState = ZValveLink::StateOpen;
        else if (type == ZValveLink::Fcv)
            v->ValveState = ZValveLink::StateCannotHold;   // open, below its flow: EPANET's XFCV
        else
            v->ValveState = ZValveLink::StateActive;
        m_valves.push_back({v, 0, fixedOpen});
    }
}

void ZValveControl::AssembleActive(ZNodalSystem& system, double* rhs, const std::vector<int>& perm, double heldDiagonal)
{
    std::fill(m_held.begin(), m_held.end(), 0);
    for (Entry& e : m_valves) {
        ZValveLink* v = e.valve;
        const int type = v->GetValveType();
        if (v->ValveState != ZValveLink::StateActive || (type != ZValveLink::Prv && type != ZValveLink::Psv))
            continue;
        const bool prv = type == ZValveLink::Prv;
        ZFlowNode* held = prv ? v->To() : v->From();
        ZFlowNode* other = prv ? v->From() : v->To();
        double& heldRhs = rhs[perm[static_cast<size_t>(held->GetIndex())]];
        // The held node's residual is what it lacks (PRV) or has to spare (PSV) without the valve.
        // Never backwards: a held node with water to spare would push it into the other side
        // as a supply out of nothing, and the state rules shut the valve on the sign anyway.
        e.heldFlow = prv ? -heldRhs : heldRhs;
        const double q = std::max(e.heldFlow, 0.0);
        v->Flow = q;
        rhs[perm[static_cast<size_t>(other->GetIndex())]] += prv ? -q : q;
        heldRhs = heldDiagonal * (v->SettingHead() - held->NodeHydrElev);
        system.AddDiagonal(held->GetIndex(), heldDiagonal);
        if (m_held.empty())
            m_held.assign(perm.size(), 0);
        m_held[static_cast<size_t>(held->GetIndex())] = 1;
    }
}

int ZValveControl::NextState(const Entry& e) const
{
    const ZValveLink* v = e.valve;
    const int s = v->ValveState;
    if (e.fixedOpen || e.gaveUp)
        return s;
    const double h1 = v->From()->NodeHydrElev;
    const double h2 = v->To()->NodeHydrElev;
    const bool holding =
        s == ZValveLink::StateActive && (v->GetValveType() == ZValveLink::Prv || v->GetValveType() == ZValveLink::Psv);
    const double q = holding ? e.heldFlow : v->Flow;
    const double htol = HeadTolerance, qtol = FlowTolerance;
    const bool reverse = q < -qtol;
    using V = ZValveLink;
    switch (v->GetValveType()) {
    case V::Check: {
        const double dh = h1 - h2;
        if (std::fabs(dh) > htol)
            return dh < -htol || reverse ? V::StateReverseClosed : V::StateOpen;
        return reverse ? V::StateReverseClosed : s;
    }
    case V::Prv:
    case V::Psv: {
        const double hset = v->SettingHead();
        const double hml = v->Resistance * q * q;   // the loss when fully open
        const bool prv = v->GetValveType() == V::Prv;
        if (s == V::StateActive) {
            if (reverse)
                return V::StateReverseClosed;
            if (prv ? h1 - hml < hset - htol : h2 + hml > hset + htol)
                return V::StateOpen;
            return s;
        }
        if (s == V::StateOpen) {
            if (reverse)
                return V::StateReverseClosed;
            if (prv ? h2 >= hset + htol : h1 < hset - htol)
                return V::StateActive;
            return s;
        }
        // closed
        if (prv) {
            if (h1 >= hset + htol && h2 < hset - htol)
                return V::StateActive;
            if (h1 < hset - htol && h1 > h2 + htol)
                return V::StateOpen;
        } else {
            if (h2 > hset + htol && h1 > h2 + htol)
                return V::StateOpen;
            if (h1 >= hset + htol && h1 > h2 + htol)
                return V::StateActive;
        }
        return s;
    }
    case V::Fcv:
        if (h1 - h2 < -htol || reverse)
            return V::StateCannotHold;
        if (s == V::StateCannotHold && q >= v->ValveSetting)
            return V::StateActive;
        return s;
    case V::Pbv: {
        const bool lossAboveSetting = v->Resistance * q * q > v->ValveSetting;
        if (s == V::StateActive && lossAboveSetting)
            return V::StateOpen;
        if (s == V::StateOpen && !lossAboveSetting)
            return V::StateActive;
        return s;
    }
    default:   // TCV and GPV keep one law
        return s;
    }
}

bool ZValveControl::Switch(Entry& e, int next)
{
    if (next == e.valve->ValveState)
        return false;
    ++m_revision;
    if (++e.switches > MaxSwitches) {
        e.gaveUp = true;
        e.valve->ValveState = ZValveLink::StateOpen;
    } else {
        e.valve->ValveState = next;
    }
    return true;
}

bool ZValveControl::UpdateStates()
{
    bool changed = false;
    for (Entry& e : m_valves)
        changed = Switch(e, NextState(e)) || changed;
    return changed;
}

bool ZValveControl::ReleaseActive()
{
    bool changed = false;
    for (Entry& e : m_valves) {
        if (e.valve->ValveState != ZValveLink::StateActive)
            continue;
        const int next = NextState(e);
        if (next == ZValveLink::StateOpen || next == ZValveLink::StateCannotHold)
            changed = Switch(e, next) || changed;
    }
    return changed;
}

bool ZValveControl::AnyHolding() const
{
    for (const Entry& e : m_valves) {
        const int type = e.valve->GetValveType();
        if (e.valve->ValveState == ZValveLink::StateActive &&
            (type == ZValveLink::Prv || type == ZValveLink::Psv || type == ZValveLink::Fcv))
            return true;
    }
    return false;
}

bool ZValveControl::ReleaseIsolating(const std::vector<char>& anchored)
{
    for (Entry& e : m_valves) {
        ZValveLink* v = e.valve;
        const int type = v->GetValveType();
        if (v->ValveState != ZValveLink::StateActive ||
            (type != ZValveLink::Prv && type != ZValveLink::Psv && type != ZValveLink::Fcv))
            continue;
        if (anchored[static_cast<size_t>(v->From()->GetIndex())] && anchored[static_cast<size_t>(v->To()->GetIndex())])
            continue;
        e.gaveUp = true;
        v->ValveState = ZValveLink::StateOpen;
        ++m_revision;
        return true;   // one at a time: opening it may give the pocket its head
    }
    return false;
}

void ZValveControl::Finish(ZNetwork& network)
{
    for (const Entry& e : m_valves) {
        ZValveLink* v = e.valve;
        const int type = v->GetValveType();
        if (v->ValveState == ZValveLink::StateActive && (type == ZValveLink::Prv || type == ZValveLink::Psv)) {
            v->Flow = type == ZValveLink::Prv ? OutflowBesides(v->To(), v) : -OutflowBesides(v->From(), v);
        }
        // Fully open and still below the pressure it should hold: it cannot hold its setting.
        const bool prvShort = type == ZValveLink::Prv && !e.fixedOpen && v->ValveState == ZValveLink::StateOpen &&
                              v->To()->NodeHydrElev < v->SettingHead() - 0.01;
        if (e.gaveUp || prvShort)
            v->ValveState = ZValveLink::StateCannotHold;
    }
    for (ZFlowLink* l : network.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Valve)
            continue;
        auto* v = static_cast<ZValveLink*>(l);
        if (v->ValveState != ZValveLink::StateNone)
            continue;
        v->ValveState = v->IsShutByUser() ? ZValveLink::StateClosed : ZValveLink::StateOpen;
    }
}
