#pragma once
#include "ZReport.h"
#include "ZReportText.h"

class UnitSystem;
class ZDocument;

// The node, pipe, pump, valve and tank tables of one balanced (or not) copy of a network, with
// the column titles, units and decimals of the table window. Results are left out of a case
// that did not converge and of nodes cut off from every head.
class ZReportTables {
public:
    ZReportTables(const ZDocument& doc, const UnitSystem& units, bool withResults, ZReportText text = {})
        : m_doc(doc), m_units(units), m_results(withResults), m_text(std::move(text))
    {
    }

    // Nodes and pipes always; pumps, valves and tanks when the network has any.
    std::vector<ZReportTable> Build(const std::string& caseName) const;

private:
    ZReportTable Nodes() const;
    ZReportTable Pipes() const;
    ZReportTable Pumps() const;
    ZReportTable Valves() const;
    ZReportTable Tanks() const;

    const ZDocument& m_doc;
    const UnitSystem& m_units;
    bool m_results;
    ZReportText m_text;
};
