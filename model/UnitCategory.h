#pragma once
#include <string>
#include <vector>

// One quantity's display units: a factor from the base unit per unit, the chosen unit and decimals.
class UnitCategory {
public:
    UnitCategory(int minPrecision, int maxPrecision, std::vector<std::string> names, std::vector<double> factors,
                 int defaultUnit, int defaultPrecision);

    int MinPrecision() const { return m_minPrecision; }
    int MaxPrecision() const { return m_maxPrecision; }
    int Precision() const { return m_precision; }
    int UnitIndex() const { return m_unitIndex; }
    const std::vector<std::string>& Names() const { return m_names; }
    const std::vector<double>& Factors() const { return m_factors; }
    int UnitCount() const { return static_cast<int>(m_names.size()); }

    // Out-of-range values are clamped to the nearest bound.
    void SetPrecision(int p);
    void SetUnitIndex(int i);

    double Factor() const { return m_factors[static_cast<size_t>(m_unitIndex)]; }
    const std::string& UnitName() const { return m_names[static_cast<size_t>(m_unitIndex)]; }
    double ToDisplay(double v) const { return v * Factor(); }
    double FromDisplay(double t) const { return t / Factor(); }
    // Leading blanks skipped, stops at the first misfit, nothing readable gives 0; a decimal point
    // whatever the locale.
    double Parse(const std::string& text) const;
    std::string FormatShort(double v) const;
    std::string FormatFixed(double v) const;
    // The precision choices of the options page: "0", "0.0", "0.00", ...
    std::vector<std::string> PrecisionChoices() const;

private:
    int m_minPrecision;
    int m_maxPrecision;
    int m_precision = 0;
    int m_unitIndex = 0;
    std::vector<std::string> m_names;
    std::vector<double> m_factors;
};
