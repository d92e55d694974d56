#pragma once
#include "model/NumberOption.h"

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}   // namespace CLI

// Adds numeric options to a qen-cli command under the one rule of NumberOption: text that is not a
// finite number in range ends parsing with a message naming the option and its range (exit 1).
class NumberOptions {
public:
    static CLI::Option* Add(CLI::App* sub, const std::string& name, double& target, NumberOption::Range range,
                            const std::string& description);
    static CLI::Option* Add(CLI::App* sub, const std::string& name, std::optional<double>& target,
                            NumberOption::Range range, const std::string& description);
    // A comma-separated list of numbers in range, each under the same rule; an empty list is refused.
    static CLI::Option* AddList(CLI::App* sub, const std::string& name, std::vector<double>& target,
                                NumberOption::Range range, const std::string& description);
    static CLI::Option* AddInt(CLI::App* sub, const std::string& name, int& target, int lo, int hi,
                               const std::string& description);
};
