#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// printf-style number texts and number reading, independent of the process locale (a decimal
// point always, whatever LC_NUMERIC says).
class NumberFormat {
public:
    static std::string G(double v);                     // "%g"
    static std::string Fixed(double v, int decimals);   // "%.<d>f"
    // Reads the finite decimal number at the start of `text` ([+-]digits[.digits][e[+-]digits]);
    // returns how many characters it took, 0 when there is none (v unchanged).
    static size_t ReadLeading(std::string_view text, double& v);
};
