#pragma once
#include <string>

class ZBalanceContext;
class ZNetObject;
class ZNetwork;
struct ZBalanceParams;

// Data the calculation cannot work with, looked for before iterating: a zero or negative diameter,
// a NaN demand or a head a million metres up would otherwise make the solver diverge with a
// message about closed valves, or "converge" on nonsense. Names the first bad object and field.
class ZPhysicalCheck {
public:
    static constexpr double MaxHead = 1e6;         // m, far beyond any water-supply head
    static constexpr double MaxPipeLength = 1e6;   // m
    static constexpr double MaxDiameter = 100.0;   // m

    // True when every object is fit; else the first unfit one (nodes first, in array order).
    bool Run(const ZNetwork& net, const ZBalanceContext& ctx);
    // The calculation options: the pressure-driven demand's pressures and exponent. No object.
    bool CheckParams(const ZBalanceParams& params);

    const ZNetObject* Object() const { return m_object; }
    const std::string& Field() const { return m_field; }   // the model's field name
    // What is wrong, for the user (UTF-8), e.g. 管段"P1"的计算内径 PipeInDiam = 0, 应大于 0
    const std::string& Message() const { return m_message; }

private:
    bool Fail(const ZNetObject& obj, const char* field, const char* label, double value, const char* rule);
    bool FailCurve(const ZNetObject& obj, const char* field, const char* label, size_t points, int needed);
    bool CheckNode(const ZNetObject& obj, const ZBalanceContext& ctx);
    bool CheckLink(const ZNetObject& obj);

    const ZNetObject* m_object = nullptr;
    std::string m_field;
    std::string m_message;
};
