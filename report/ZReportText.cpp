#include "ZReportText.h"

#include <string_view>
#include <vector>

std::string ZReportText::Format(const std::string& chinese, std::initializer_list<std::string> parts) const
{
    const std::string text = (*this)(chinese);
    const std::vector<std::string> args(parts);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < args.size())
                out += args[n];
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string ZReportText::WithUnit(const std::string& chinese, const std::string& unit) const
{
    return unit.empty() ? (*this)(chinese) : (*this)(chinese) + " (" + unit + ")";
}

std::string ZReportText::Choice(const char* items, int index) const
{
    const std::string all = (*this)(items ? items : "");
    std::string_view rest(all);
    for (int i = 0; i < index && !rest.empty(); ++i) {
        const size_t nl = rest.find('\n');
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
    }
    const std::string item(rest.substr(0, rest.find('\n')));
    if (all != (items ? items : ""))
        return item;
    // A list the translation does not hold whole: its item alone.
    return (*this)(item);
}
