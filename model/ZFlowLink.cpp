#include "ZFlowLink.h"

#include "ZFlowNode.h"

#include <cmath>

ZFlowNode* ZFlowLink::From() const
{
    return static_cast<ZFlowNode*>(StartNode());
}
ZFlowNode* ZFlowLink::To() const
{
    return static_cast<ZFlowNode*>(EndNode());
}

double ZFlowLink::ClampHeadDifference(double dh)
{
    if (std::fabs(dh) < 1e-12)
        return dh <= 0.0 ? -1e-12 : 1e-12;
    return dh;
}
