#include "NumberOptions.h"

#include <CLI/CLI.hpp>

#include <functional>

namespace {
// The option's text reaches us unconverted: CLI11 would read "nan", "inf" and "" as numbers.
CLI::Option* AddChecked(CLI::App* sub, const std::string& name, const std::string& description,
                        std::function<std::string(const std::string&)> parse)
{
    CLI::Option* opt = sub->add_option_function<std::string>(
        name,
        [parse](const std::string& text) {
            const std::string error = parse(text);
            if (!error.empty())
                throw CLI::ValidationError(error);
        },
        description);
    return opt->type_name("NUMBER");
}
}   // namespace

CLI::Option* NumberOptions::Add(CLI::App* sub, const std::string& name, double& target, NumberOption::Range range,
                                const std::string& description)
{
    return AddChecked(sub, name, description, [&target, name, range](const std::string& text) {
        return NumberOption::Parse(name, text, range, target);
    });
}

CLI::Option* NumberOptions::Add(CLI::App* sub, const std::string& name, std::optional<double>& target,
                                NumberOption::Range range, const std::string& description)
{
    return AddChecked(sub, name, description, [&target, name, range](const std::string& text) {
        double v = 0.0;
        const std::string error = NumberOption::Parse(name, text, range, v);
        if (error.empty())
            target = v;
        return error;
    });
}

CLI::Option* NumberOptions::AddList(CLI::App* sub, const std::string& name, std::vector<double>& target,
                                    NumberOption::Range range, const std::string& description)
{
    return AddChecked(sub, name, description,
                      [&target, name, range](const std::string& text) {
                          target.clear();
                          size_t at = 0;
                          for (;;) {
                              const size_t comma = text.find(',', at);
                              const std::string item = text.substr(at, comma == std::string::npos ? comma : comma - at);
                              double v = 0.0;
                              const std::string error = NumberOption::Parse(name, item, range, v);
                              if (!error.empty())
                                  return error;
                              target.push_back(v);
                              if (comma == std::string::npos)
                                  return std::string();
                              at = comma + 1;
                          }
                      })
        ->type_name("N1,N2,...");
}

CLI::Option* NumberOptions::AddInt(CLI::App* sub, const std::string& name, int& target, int lo, int hi,
                                   const std::string& description)
{
    return AddChecked(sub, name, description,
                      [&target, name, lo, hi](const std::string& text) {
                          long long v = 0;
                          const std::string error = NumberOption::ParseInt(name, text, lo, hi, v);
                          if (error.empty())
                              target = static_cast<int>(v);
                          return error;
                      })
        ->type_name("INT");
}
