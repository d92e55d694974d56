#pragma once
#include <string>

class ZFlowLink;
struct ZBalanceParams;

// The rules every reader applies to the data of control valves, pump curves, minor losses and
// pressure-driven demand, and every writer before it writes: a reader refuses what the balance
// could not use, so no writer may write it. Messages are UTF-8 and name the field.
class ComponentCheck {
public:
    // Empty when the link's component data is usable; otherwise "FIELD ..." for the message.
    static std::string Problem(const ZFlowLink& link);
    // Empty when the pressure-driven parameters are usable (P0 below PR, exponent above 0).
    static std::string ParamsProblem(const ZBalanceParams& params);
};
