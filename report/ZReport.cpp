#include "ZReport.h"

#include "model/NumberFormat.h"

std::string ZReportCell::Shown() const
{
    switch (kind) {
    case Number:
        return digits < 0 ? NumberFormat::G(value) : NumberFormat::Fixed(value, digits);
    case Text:
        return text;
    default:
        return {};
    }
}
