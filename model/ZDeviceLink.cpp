#include "ZDeviceLink.h"

#include "ZFlowNode.h"

#include <cmath>

void ZDeviceLink::CopyFrom(const ZNetObject& other)
{
    ZFlowLink::CopyFrom(other);
    m_symbolIndex = static_cast<const ZDeviceLink&>(other).m_symbolIndex;
}

void ZDeviceLink::Connect(ZNetNode* start, ZNetNode* end)
{
    ZFlowLink::Connect(start, end);
    start->SetFlag(qen::FLAG_DEVICE_NODE);
    end->SetFlag(qen::FLAG_DEVICE_NODE | qen::FLAG_DEVICE_OUTLET);
    auto* s = static_cast<ZFlowNode*>(start);
    auto* e = static_cast<ZFlowNode*>(end);
    e->X = s->X;
    e->Y = s->Y;
}

void ZDeviceLink::Disconnect()
{
    if (StartNode())
        StartNode()->ClearFlag(qen::FLAG_DEVICE_NODE);
    if (EndNode())
        EndNode()->ClearFlag(qen::FLAG_DEVICE_NODE | qen::FLAG_DEVICE_OUTLET);
    ZFlowLink::Disconnect();
}

void ZDeviceLink::Reverse()
{
    if (EndNode())
        EndNode()->ClearFlag(qen::FLAG_DEVICE_OUTLET);
    if (StartNode())
        StartNode()->SetFlag(qen::FLAG_DEVICE_OUTLET);
    ZFlowLink::Reverse();
}

double ZDeviceLink::SquareLawFlow(double dh, bool open)
{
    dh = ClampHeadDifference(dh);
    double q = std::sqrt(std::fabs(dh) / Resistance);
    if (dh <= 0.0)
        q = -q;
    if (!open)
        q = 0.0;
    Flow = q;
    return q;
}

double ZDeviceLink::SquareLawConductance(bool open) const
{
    return open ? 1.0 / (2.0 * Resistance * std::fabs(Flow)) : 0.0;
}
