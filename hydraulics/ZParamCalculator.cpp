#include "ZParamCalculator.h"

#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const OpTexts[] = {"+", "-", "*", "/"};

struct Listed {
    ZNetObject::Kind kind;
    const ZField* field;
};

// The fields the calculator lists, nodes' and pipes', in the field tables' calculator order.
std::vector<Listed> Params()
{
    std::vector<Listed> out;
    for (ZNetObject::Kind kind : {ZNetObject::Kind::Node, ZNetObject::Kind::Pipe})
        for (const ZField& f : ZFieldTable::Of(kind))
            if (f.calc != ZField::Nowhere)
                out.push_back({kind, &f});
    std::stable_sort(out.begin(), out.end(),
                     [](const Listed& a, const Listed& b) { return a.field->calc < b.field->calc; });
    return out;
}

const Listed* ParamOf(int param)
{
    // Rebuilt when a table grew or shrank (ZFieldTable::Added).
    static thread_local std::vector<Listed> params;
    static thread_local unsigned generation = ~0u;
    if (generation != ZFieldTable::Generation()) {
        params = Params();
        generation = ZFieldTable::Generation();
    }
    return param >= 0 && param < static_cast<int>(params.size()) ? &params[static_cast<size_t>(param)] : nullptr;
}

const ZField& FieldOf(int param)
{
    return *ParamOf(param)->field;
}
}   // namespace

int ZParamCalculator::ParamCount()
{
    int n = 0;
    while (ParamOf(n))
        ++n;
    return n;
}

bool ZParamCalculator::IsNodeParam(int param)
{
    const Listed* p = ParamOf(param);
    return p && p->kind == ZNetObject::Kind::Node;
}

const char* ZParamCalculator::ParamText(int param)
{
    const Listed* p = ParamOf(param);
    return p && p->field->calcText ? p->field->calcText : "";
}

const char* ZParamCalculator::OpText(int op)
{
    return op >= 0 && op < OpCount ? OpTexts[op] : "";
}

int ZParamCalculator::UnitCategoryOf(int param)
{
    const Listed* p = ParamOf(param);
    return p ? p->field->unit : -1;
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
    if (param < 0 || param >= ParamCount() || op < 0 || op >= OpCount)
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
    const bool node = IsNodeParam(param);
    std::vector<Change> out;
    out.reserve(targets.size());
    for (ZNetObject* o : targets) {
        const double old = field.get(*o);
        const double now = multiply ? old * value : old + value;
        const bool positive = node || now > 0.0;
        if (!std::isfinite(now) || !positive) {
            message = std::string(node ? "节点" : "管道") + GbkCodec::ToUtf8(o->IdView()) + "的" + ParamText(param) +
                      (std::isfinite(now) ? "将不大于零" : "将不是有效数字") + "，计算未执行，没有修改任何数据！";
            return BadResult;
        }
        out.push_back({o, now});
    }
    changes = std::move(out);
    return Ok;
}
