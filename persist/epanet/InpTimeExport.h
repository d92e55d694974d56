#pragma once
#include "InpReport.h"

#include <functional>
#include <string>

class ZNetwork;
class ZTimeData;

// The time data of a document as EPANET sections for an SI (LPS) file: the [TIMES] entries,
// [PATTERNS], [DEMANDS], [CONTROLS] and [ENERGY], with the EPANET identifiers the exporter gave
// the objects. What EPANET cannot say the same way goes into the report.
class InpTimeExport {
public:
    using NameOf = std::function<std::string(const class ZNetObject&)>;

    InpTimeExport(const ZTimeData& data, const ZNetwork& net, NameOf name, InpReport& report);

    std::string Times() const;      // lines of [TIMES]
    std::string Options() const;    // lines of [OPTIONS]: the default pattern
    std::string Sections() const;   // [PATTERNS] [DEMANDS] [CONTROLS] [ENERGY]

private:
    std::string Clock(long long seconds) const;

    const ZTimeData& m_data;
    const ZNetwork& m_net;
    NameOf m_name;
    InpReport& m_report;
    std::string m_defaultPattern;   // EPANET's: "1" unless named, so a QEN pattern "1" needs a stand-in
};
