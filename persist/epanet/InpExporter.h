#pragma once
#include "InpReport.h"

#include <string>

class ZDocument;
class ZNetObject;

// Writes a QEN network as an EPANET input file in SI units (LPS, m, mm) that EPANET solves to the
// heads QEN computes for the peak-hour case: Hazen-Williams coefficients converted to EPANET's
// constants, pump laws as three-point curves EPANET fits to the same parabola, head-known nodes as
// reservoirs, tanks at their current level, gate valves as throttle valves with the same loss, check
// valves as CV pipes (InpCheckValves), pressure-reducing valves as pressure breakers with their fixed head drop.
class InpExporter {
public:
    explicit InpExporter(const ZDocument& doc) : m_doc(doc) {}
    std::string Write();
    // What the file could not say exactly.
    const InpReport& Report() const { return m_report; }

private:
    std::string WriteSections();

    const ZDocument& m_doc;
    InpReport m_report;
    const ZNetObject* m_current = nullptr;   // the object being written, named when a value cannot be
};
