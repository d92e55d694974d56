#include "ZReport.h"

#include "model/NumberFormat.h"

std::string ZReportCell::Shown() const
{
    switch (kind) {
    case Number: {
        if (digits < 0)
            return NumberFormat::G(value);
        // A value that rounds to zero shows as 0, whatever its sign, as the workbook shows it.
        const std::string t = NumberFormat::Fixed(value, digits);
        return t[0] == '-' && t.find_first_not_of("-0.") == std::string::npos ? t.substr(1) : t;
    }
    case Text:
        return text;
    default:
        return {};
    }
}
