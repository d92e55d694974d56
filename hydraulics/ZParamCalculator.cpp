#include "ZParamCalculator.h"

#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <cmath>

namespace {
const char* const ParamTexts[] = {"节点用水量", "节点绝对水压", "管道内径", "管道长度", "管道阻力系数"};
const char* const FieldKeys[] = {"NodeFlow", "NodeHydrElev", "PipeInDiam", "PipeLength", "PipeRougCeof"};
const char* const OpTexts[] = {"+", "-", "*", "/"};

const ZField& FieldOf(int param)
{
    return *ZFieldTable::Find(ZParamCalculator::IsNodeParam(param) ? ZNetObject::Kind::Node : ZNetObject::Kind::Pipe,
                              FieldKeys[param]);
}
} // namespace

const char* ZParamCalculator::ParamText(int param)
{
    return param >= 0 && param < ParamCount ? ParamTexts[param] : "";
}

const char* ZParamCalculator::OpText(int op)
{
    return op >= 0 && op < OpCount ? OpTexts[op] : "";
}

int ZParamCalculator::UnitCategoryOf(int param)
{
    switch (param) {
    case NodeFlow: return UnitSystem::Flow;
    case NodeHydrElev: return UnitSystem::Head;
    case PipeInDiam: return UnitSystem::Diameter;
    case PipeLength: return UnitSystem::Length;
    default: return -1;
    }
}

std::string ZParamCalculator::ExpressionLabel(int param, const UnitSystem& units)
{
    std::string text = "计算表达式:";
    const int cat = UnitCategoryOf(param);
    if (cat >= 0)
        text += " 单位(" + units.Get(static_cast<UnitSystem::Category>(cat)).UnitName() + ")";
    return text;
}

std::string ZParamCalculator::Preview(int param, int op, const std::string& amount)
{
    if (param < 0 || param >= ParamCount || op < 0 || op >= OpCount)
        return {};
    return std::string(ParamText(param)) + "=" + ParamText(param) + OpText(op) + (amount.empty() ? "0" : amount);
}

double ZParamCalculator::ReadAmount(const std::string& text)
{
    const size_t at = text.find_first_not_of(" \t\r\n");
    double v = 0.0;
    if (at == std::string::npos || NumberFormat::ReadLeading(std::string_view(text).substr(at), v) == 0)
        return 0.0;
    return v;
}

std::vector<ZNetObject*> ZParamCalculator::Targets(const ZNetwork& network, int param, int range)
{
    std::vector<ZNetObject*> out;
    if (IsNodeParam(param)) {
        out.reserve(static_cast<size_t>(network.NodeCount()));
        for (ZConsumeNode* n : network.Nodes())
            if (range == WholeNetwork || n->IsSelected())
                out.push_back(n);
    } else {
        for (ZFlowLink* l : network.Links())
            if (l->GetKind() == ZNetObject::Kind::Pipe && (range == WholeNetwork || l->IsSelected()))
                out.push_back(l);
    }
    return out;
}

double ZParamCalculator::Get(const ZNetObject& object, int param)
{
    return FieldOf(param).get(object);
}

void ZParamCalculator::Set(ZNetObject& object, int param, double value)
{
    FieldOf(param).set(object, value);
    if (param == PipeLength)
        object.ClearFlag(qen::FLAG_AUTO_LENGTH);
}

ZParamCalculator::Status ZParamCalculator::Compute(const std::vector<ZNetObject*>& targets, int param, int op,
                                                   const std::string& amount, const UnitSystem& units,
                                                   std::vector<Change>& changes, std::string& message)
{
    changes.clear();
    message.clear();
    double value = ReadAmount(amount);
    if (op == Divide && value + 1.0 == 1.0) {
        message = DivideByZeroText;
        return DivideByZero;
    }
    const int cat = UnitCategoryOf(param);
    if ((op == Add || op == Subtract) && cat >= 0)
        value = units.Get(static_cast<UnitSystem::Category>(cat)).FromDisplay(value);
    if (op == Subtract)
        value = -value;
    if (op == Divide)
        value = 1.0 / value;
    const bool multiply = op == Multiply || op == Divide;

    const ZField& field = FieldOf(param);
    std::vector<Change> out;
    out.reserve(targets.size());
    for (ZNetObject* o : targets) {
        const double old = field.get(*o);
        const double now = multiply ? old * value : old + value;
        const bool positive = IsNodeParam(param) || now > 0.0;
        if (!std::isfinite(now) || !positive) {
            message = std::string(IsNodeParam(param) ? "节点" : "管道") + GbkCodec::ToUtf8(o->IdView()) + "的" +
                      ParamText(param) + (std::isfinite(now) ? "将不大于零" : "将不是有效数字") +
                      "，计算未执行，没有修改任何数据！";
            return BadResult;
        }
        out.push_back({o, now});
    }
    changes = std::move(out);
    return Ok;
}
