#include "ZEconomicSizing.h"

#include "ZSizingEvaluator.h"
#include "model/ZPipeLink.h"

#include <cmath>

std::vector<ZEconomicSizing::Range> ZEconomicSizing::DefaultTable()
{
    return {{0.25, 0.75}, {0.4, 0.95}, {0.6, 1.15}, {10.0, 1.3}};
}

std::string ZEconomicSizing::Check(const std::vector<Range>& table)
{
    if (table.empty())
        return "经济流速表为空";
    for (size_t i = 0; i < table.size(); ++i) {
        if (!std::isfinite(table[i].upTo) || !(table[i].upTo > 0.0) || !std::isfinite(table[i].velocity) ||
            !(table[i].velocity > 0.0))
            return "经济流速表第 " + std::to_string(i + 1) + " 行不是正数";
        if (i > 0 && !(table[i].upTo > table[i - 1].upTo))
            return "经济流速表的管径未按从小到大排列 (第 " + std::to_string(i + 1) + " 行)";
    }
    return {};
}

double ZEconomicSizing::VelocityFor(const std::vector<Range>& table, double diameter)
{
    for (const Range& r : table)
        if (diameter <= r.upTo)
            return r.velocity;
    return table.back().velocity;
}

std::vector<int> ZEconomicSizing::Design(ZSizingEvaluator& evaluator, const ZSizingProblem& problem,
                                         const std::vector<Range>& table, int passes)
{
    const int top = static_cast<int>(problem.candidates.size()) - 1;
    const ZNetwork& net = evaluator.Network();
    std::vector<int> design(evaluator.FreePipes().size(), top);
    for (int pass = 0; pass < passes; ++pass) {
        if (!evaluator.Evaluate(design).balanced)
            break;
        std::vector<int> next(design.size(), top);
        for (size_t k = 0; k < design.size(); ++k) {
            const auto* p = static_cast<const ZPipeLink*>(net.LinkAt(evaluator.FreePipes()[k]));
            const double q = std::fabs(p->Flow);
            for (int c = 0; c <= top; ++c) {
                const double d = problem.candidates[static_cast<size_t>(c)].diameter;
                if (q / (0.7853981633974483 * d * d) <= VelocityFor(table, d)) {
                    next[k] = c;
                    break;
                }
            }
        }
        if (next == design)
            break;
        design = std::move(next);
    }
    return design;
}
