#pragma once
// What the sweep tests check against, worked out the slow way: full balances from the solver's
// first guess on a network loaded afresh, with nothing kept between runs.
#include "hydraulics/ZBalanceInfo.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/text/TextExchange.h"

#include <memory>
#include <string>

namespace SweepReference {
inline std::string NetworkFile(const std::string& name)
{
    return std::string(QEN_TEST_DATA_DIR) + "/networks/" + name + ".txt";
}

// The network with the default parameters, heads to 1e-6 m.
inline std::unique_ptr<ZDocument> Load(const std::string& name)
{
    auto doc = std::make_unique<ZDocument>();
    TextExchange::LoadFile(NetworkFile(name), *doc, UnitSystem(), ZTemplateSet());
    doc->GetDrawSettings().Params = ZBalanceParams();
    doc->GetDrawSettings().Params.HeadTolerance = 1e-6;
    doc->GetDrawSettings().CalcCase = 0;
    return doc;
}

// A balance from the first guess; true when it converged.
inline bool Balance(ZDocument& doc)
{
    ZBalanceInfo info(doc.GetDrawSettings(), doc.GetNetwork());
    info.Run();
    return info.GetStatus() == ZBalanceInfo::Converged;
}

inline bool Demanding(const ZFlowNode& n)
{
    return n.IsFlowKnown() && !n.IsDeviceNode();
}
}   // namespace SweepReference
