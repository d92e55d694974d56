#include "ZSizingReport.h"

#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <cmath>

double ZSizingReport::UnitCost(const ZSizingProblem& problem, double diameter)
{
    const auto& c = problem.candidates;
    if (c.empty())
        return 0.0;
    if (c.size() == 1)
        return c[0].unitCost;
    size_t i = 1;
    while (i + 1 < c.size() && c[i].diameter < diameter)
        ++i;
    const auto& a = c[i - 1];
    const auto& b = c[i];
    return a.unitCost + (b.unitCost - a.unitCost) * (diameter - a.diameter) / (b.diameter - a.diameter);
}

std::vector<ZSizingReport::Change> ZSizingReport::Changes(const ZNetwork& network, const ZSizingProblem& problem,
                                                          const ZPipeSizing::Result& result)
{
    std::vector<Change> changes;
    for (size_t k = 0; k < result.freePipes.size() && k < result.design.size(); ++k) {
        const auto* p = static_cast<const ZPipeLink*>(network.LinkAt(result.freePipes[k]));
        const double d = problem.candidates[static_cast<size_t>(result.design[k])].diameter;
        if (std::fabs(d - p->PipeDiam) <= 1e-5 && std::fabs(d - p->PipeInDiam) <= 1e-5)
            continue;
        const double length = p->PipeLength * (p->PipeParallel + 1);
        changes.push_back(
            {result.freePipes[k], p->PipeDiam, d, length * (UnitCost(problem, d) - UnitCost(problem, p->PipeDiam))});
    }
    return changes;
}

std::string ZSizingReport::Text(const ZNetwork& network, const ZSizingProblem& problem,
                                const ZPipeSizing::Result& result, const std::vector<Change>& changes)
{
    std::string t;
    t += "管径优化: " + std::to_string(result.freePipes.size()) + " 根管道参与, 锁定 " +
         std::to_string(problem.locked.size()) + " 根\n";
    t += "优化造价 " + NumberFormat::Fixed(result.cost, 0) + ", 经济流速设计造价 " +
         NumberFormat::Fixed(result.economicCost, 0) + (result.economicFeasible ? "" : " (不满足)") + "\n";
    t += result.feasible ? "所有需水节点满足最小服务水头 " : "没有满足最小服务水头的方案, 最好的方案不满足 ";
    t += NumberFormat::G(problem.minFreeHead) + " m\n";
    for (const auto& s : result.shortfalls)
        t += "  节点 " + GbkCodec::ToUtf8(network.NodeAt(s.node)->IdView()) + ": " +
             NumberFormat::Fixed(s.freeHead, 3) + " m\n";
    t += "计算 " + std::to_string(result.evaluations) + " 次平差, 用时 " + NumberFormat::Fixed(result.seconds, 1) +
         " 秒" + (result.stopped ? " (已停止)" : "") + "\n";
    double total = 0.0;
    t += "改变管径的管道 " + std::to_string(changes.size()) + " 根:\n";
    for (const Change& c : changes) {
        t += "  " + GbkCodec::ToUtf8(network.LinkAt(c.link)->IdView()) + ": " +
             NumberFormat::Fixed(c.oldDiameter * 1000.0, 0) + " → " + NumberFormat::Fixed(c.newDiameter * 1000.0, 0) +
             " mm, 造价 " + (c.costChange > 0 ? "+" : "") + NumberFormat::Fixed(c.costChange, 0) + "\n";
        total += c.costChange;
    }
    t += "造价变化合计 " + std::string(total > 0 ? "+" : "") + NumberFormat::Fixed(total, 0) + "\n";
    return t;
}
