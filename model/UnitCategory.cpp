#include "UnitCategory.h"

#include "NumberFormat.h"

#include <algorithm>
#include <cstdlib>

UnitCategory::UnitCategory(int minPrecision, int maxPrecision, std::vector<std::string> names,
                           std::vector<double> factors, int defaultUnit, int defaultPrecision)
    : m_minPrecision(minPrecision), m_maxPrecision(maxPrecision), m_names(std::move(names)),
      m_factors(std::move(factors))
{
    SetUnitIndex(defaultUnit);
    SetPrecision(defaultPrecision);
}

void UnitCategory::SetPrecision(int p)
{
    m_precision = std::clamp(p, m_minPrecision, m_maxPrecision);
}

void UnitCategory::SetUnitIndex(int i)
{
    m_unitIndex = std::clamp(i, 0, UnitCount() - 1);
}

double UnitCategory::Parse(const std::string& text) const
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    double v = 0.0;
    NumberFormat::ReadLeading(std::string_view(text).substr(i), v);
    return FromDisplay(v);
}

std::string UnitCategory::FormatShort(double v) const
{
    return NumberFormat::G(ToDisplay(v));
}

std::string UnitCategory::FormatFixed(double v) const
{
    return NumberFormat::Fixed(ToDisplay(v), m_precision);
}

std::vector<std::string> UnitCategory::PrecisionChoices() const
{
    std::vector<std::string> out;
    for (int p = m_minPrecision; p <= m_maxPrecision; ++p)
        out.push_back(p == 0 ? "0" : "0." + std::string(static_cast<size_t>(p), '0'));
    return out;
}
