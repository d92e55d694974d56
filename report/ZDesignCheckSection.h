#pragma once
#include "ZReport.h"

#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZFireFlow.h"

#include <vector>

class UnitSystem;
class ZNetwork;

// The design checks in the report: the available fire flow per node (with the residual head R,
// the system minimum S and the node that limits it) and the single-pipe failures (nodes cut off,
// nodes below the minimum free head, the worst node). The results are the core's, with list
// positions of the network the checks ran on.
class ZDesignCheckSection {
public:
    struct FireFlowInput {
        ZFireFlow::Params params;
        std::vector<ZFireFlow::Result> results;
        std::vector<int> lowBase;   // nodes below S without fire flow, left out of the check
    };
    struct CriticalityInput {
        ZCriticality::Params params;
        std::vector<ZCriticality::Result> results;
    };

    ZDesignCheckSection(const ZNetwork& network, const UnitSystem& units, ZReportText text = {})
        : m_net(network), m_units(units), m_text(std::move(text))
    {
    }

    // Empty sections (no name) when a result names no object of the network.
    ZReportSection FireFlow(const FireFlowInput& in) const;
    ZReportSection Criticality(const CriticalityInput& in) const;

private:
    const ZNetwork& m_net;
    const UnitSystem& m_units;
    ZReportText m_text;
};
