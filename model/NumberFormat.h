#pragma once
#include <string>

// printf-style number texts, independent of the process locale (a decimal point always).
class NumberFormat {
public:
    static std::string G(double v);                  // "%g"
    static std::string Fixed(double v, int decimals); // "%.<d>f"
};
