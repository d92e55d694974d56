#include "ZNetCost.h"

#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"

#include <cmath>

ZNetCost::Result ZNetCost::Compute(const ZNetwork& network, const Params& params)
{
    Result r;
    for (const ZFlowLink* l : network.Links()) {
        if (l->GetKind() == ZNetObject::Kind::Pipe) {
            const auto* p = static_cast<const ZPipeLink*>(l);
            if (!params.wholeNetwork && static_cast<int64_t>(p->PipeDate) < params.since)
                continue;
            ++r.pipes;
            r.pipeCost +=
                (params.a + params.b * std::pow(p->PipeDiam, params.alpha)) * p->PipeLength * (p->PipeParallel + 1);
        } else if (l->GetKind() == ZNetObject::Kind::Pump) {
            const auto* p = static_cast<const ZPumpLink*>(l);
            if (!p->PumpOpen)
                continue;
            if (!params.balanced) {
                ++r.unbalancedPumps;
                continue;
            }
            if (!(p->PumpEfficiency > 0.0) || !std::isfinite(p->PumpEfficiency)) {
                r.badPumps.push_back(GbkCodec::ToUtf8(p->IdView()));
                continue;
            }
            const double dh = (p->From() ? p->From()->NodeHydrElev : 0.0) - (p->To() ? p->To()->NodeHydrElev : 0.0);
            ++r.pumps;
            r.runningCost += std::fabs(p->Flow * dh / p->PumpEfficiency) * 9.8 * params.price;
        }
    }
    return r;
}

std::string ZNetCost::Report(const Result& result)
{
    // Each line whole, as the interface's translation matches it. Stored pipes of huge diameter
    // or length can still overflow: say so rather than "inf元".
    const std::string pipes = std::to_string(result.pipes), pumps = std::to_string(result.pumps);
    std::string text = std::isfinite(result.pipeCost)
                           ? "总共计算" + pipes + "根管道, 总计造价为" + NumberFormat::G(result.pipeCost) + "元!\n\n"
                           : "总共计算" + pipes + "根管道, 总计造价超出可计算的范围!\n\n";
    text += std::isfinite(result.runningCost)
                ? "计算了" + pumps + "个水泵, 总计开机运行费用为" + NumberFormat::G(result.runningCost) + "元/小时!\n\n"
                : "计算了" + pumps + "个水泵, 总计开机运行费用超出可计算的范围!\n\n";
    if (result.unbalancedPumps > 0)
        text +=
            "管网尚未平差, " + std::to_string(result.unbalancedPumps) + "个运行水泵没有流量和扬程, 未计入运行费用!\n\n";
    if (!result.badPumps.empty()) {
        std::string ids;
        for (size_t k = 0; k < result.badPumps.size(); ++k)
            ids += (k ? ", " : "") + result.badPumps[k];
        text += "以下水泵效率不大于零, 未计入运行费用: " + ids + "\n\n";
    }
    return text;
}
