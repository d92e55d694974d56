#pragma once
#include "InpFile.h"
#include "InpIdMap.h"
#include "InpReport.h"
#include "InpUnits.h"
#include "model/ZTimeData.h"

#include <string>
#include <unordered_map>

// The time data of an EPANET file ([TIMES], [PATTERNS], demand and pump patterns, tank volume
// curves, [CONTROLS], [ENERGY]) for the network the importer made, in base units and QEN's
// identifiers. Rule-based controls are reported as dropped. Faults throw ArchiveError naming the
// file's line.
class InpTimeImport {
public:
    // What the importer made of EPANET objects that do not map one to one.
    struct Names {
        std::unordered_map<std::string, std::string> tankOutlet;   // EPANET tank -> QEN outlet node
        std::unordered_map<std::string, std::string> tankLink;     // EPANET tank -> QEN tank
        std::unordered_map<std::string, std::string> pipeValve;    // EPANET pipe -> QEN valve in front of it
    };

    InpTimeImport(const InpFile& file, std::string fileName, const InpUnits& units, const InpIdMap& ids,
                  const Names& names, InpReport& report);
    ZTimeData Run(double demandMultiplier, const std::string& defaultPattern);

    // "h:mm[:ss]", or a number with an optional unit (hours by default), in seconds; -1 when unreadable.
    static double Seconds(const std::string& text);
    // A clock time "h[:mm[:ss]] [AM|PM]" in seconds after midnight; -1 when unreadable.
    static double ClockSeconds(const std::string& text);

private:
    [[noreturn]] void Fail(int line, const std::string& what) const;
    void ReadTimes(ZTimeData& data) const;
    void ReadControls(ZTimeData& data) const;
    void ReadEnergy(ZTimeData& data) const;
    GbkString NodeName(const std::string& epanetId, int line) const;
    GbkString LinkName(const std::string& epanetId, int line) const;

    const InpFile& m_file;
    std::string m_fileName;
    const InpUnits& m_units;
    const InpIdMap& m_ids;
    const Names& m_names;
    InpReport& m_report;
};
