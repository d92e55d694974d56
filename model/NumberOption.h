#pragma once
#include <string>
#include <string_view>

// The rule for a number typed as a command-line option, shared by qen and qen-cli: a plain decimal
// number (no NaN, infinity, hex or empty text) inside the option's range. A refusal names the
// option, the range and the text given.
class NumberOption {
public:
    struct Range {
        double lo;
        double hi;
        bool aboveLo = false;   // lo itself excluded
    };

    // Empty when `text` is a number in `range` (stored in v), else the complaint.
    static std::string Parse(std::string_view option, std::string_view text, const Range& range, double& v);
    // The same for whole numbers.
    static std::string ParseInt(std::string_view option, std::string_view text, long long lo, long long hi,
                                long long& v);
    // "a number from 0 to 1e+06", "a number above 0 and at most 1e+300", "a whole number from 0 to 6".
    static std::string Describe(const Range& range);
};
