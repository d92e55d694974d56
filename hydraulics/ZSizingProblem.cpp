#include "ZSizingProblem.h"

#include "model/NumberFormat.h"

#include <cmath>

std::vector<ZSizingProblem::Candidate> ZSizingProblem::FromCostLaw(const std::vector<double>& diameters, double a,
                                                                   double b, double alpha)
{
    std::vector<Candidate> c;
    for (double d : diameters)
        c.push_back({d, a + b * std::pow(d, alpha)});
    return c;
}

std::string ZSizingProblem::Check(std::string* warning) const
{
    if (candidates.empty())
        return "候选管径为空";
    for (size_t i = 0; i < candidates.size(); ++i) {
        const Candidate& c = candidates[i];
        if (!std::isfinite(c.diameter) || !(c.diameter > 0.0))
            return "候选管径 " + std::to_string(i + 1) + " 不是正数";
        if (!std::isfinite(c.unitCost) || c.unitCost < 0.0)
            return "候选管径 " + std::to_string(i + 1) + " 的单价不是非负数";
        if (i > 0 && !(c.diameter > candidates[i - 1].diameter))
            return "候选管径未按从小到大排列 (第 " + std::to_string(i + 1) + " 个)";
    }
    if (warning) {
        warning->clear();
        for (size_t i = 1; i < candidates.size(); ++i)
            if (!(candidates[i].unitCost > candidates[i - 1].unitCost)) {
                *warning =
                    "管径 " + NumberFormat::Fixed(candidates[i].diameter * 1000.0, 0) + " mm 的单价不高于较小的管径";
                break;
            }
    }
    if (!std::isfinite(minFreeHead))
        return "最小服务水头不是有限数";
    if (!std::isfinite(maxVelocity) || !std::isfinite(minVelocity) || maxVelocity < 0.0 || minVelocity < 0.0 ||
        (maxVelocity > 0.0 && minVelocity > maxVelocity))
        return "流速限制无效";
    if (cases.empty())
        return "未选计算工况";
    for (int c : cases)
        if (c < 0 || c > 2)
            return "计算工况无效";
    return {};
}
