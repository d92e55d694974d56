#pragma once
#include <string>
#include <vector>

class UnitSystem;
class ZNetObject;
class ZNetwork;

// Adds to, subtracts from, multiplies or divides one input field of every node or pipe of the
// network or of the selection. Results are checked before anything changes: a pipe left with a
// diameter, length or coefficient of zero or less, or any value that is not finite, refuses the
// whole operation.
class ZParamCalculator {
public:
    // The parameters are the node and pipe fields whose field table gives them a place in the
    // calculator's list; these are the first five.
    enum Param { NodeFlow = 0, NodeHydrElev, PipeInDiam, PipeLength, PipeRougCeof };
    enum Op { Add = 0, Subtract, Multiply, Divide, OpCount };
    enum Range { WholeNetwork = 0, Selection = 1 };
    enum Status { Ok = 0, DivideByZero, BadResult };

    struct Change {
        ZNetObject* object;
        double value;
    };

    static int ParamCount();
    static const char* ParamText(int param);   // "节点用水量", ... (UTF-8)
    static const char* OpText(int op);         // "+", "-", "*", "/"
    static bool IsNodeParam(int param);
    // The display-unit category of the amount for + and -, or -1 for a plain number.
    static int UnitCategoryOf(int param);

    // "计算表达式:" and, when the parameter has a unit, " 单位(" name ")".
    static std::string ExpressionLabel(int param, const UnitSystem& units);
    // "管道长度=管道长度*1.1"; empty unless both a parameter and an operator are chosen (>= 0).
    static std::string Preview(int param, int op, const std::string& amount);
    // The leading number of the text; a text that starts with no finite number reads as 0.
    static double ReadAmount(const std::string& text);

    // The objects the parameter applies to: every node, or every pipe, of the network, or only
    // those carrying the selection flag.
    static std::vector<ZNetObject*> Targets(const ZNetwork& network, int param, int range);
    static double Get(const ZNetObject& object, int param);
    // Setting the length stops it following the drawing.
    static void Set(ZNetObject& object, int param, double value);

    // The new values for the targets; on DivideByZero or BadResult nothing is filled and
    // `message` says why (UTF-8), naming the first object that would be wrong.
    static Status Compute(const std::vector<ZNetObject*>& targets, int param, int op, const std::string& amount,
                          const UnitSystem& units, std::vector<Change>& changes, std::string& message);

    static constexpr const char* DivideByZeroText = "除数不能为零！";
};
