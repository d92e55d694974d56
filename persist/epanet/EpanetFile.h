#pragma once
#include "InpReport.h"

#include <string>

class ZDocument;
class ZTemplateSet;

// EPANET input files (.inp) in and out of QEN documents.
class EpanetFile {
public:
    struct ImportResult {
        InpReport report;
        std::string idMapCsv;   // kind,epanet_id,qen_id,object (UTF-8)
        int renamed = 0;        // identifiers that could not stay as written
    };

    // Reads into `doc`, which must be fresh, with the demands of hour `hour` of the patterns.
    // Throws ArchiveError naming the file and line; `doc` then stays empty.
    static ImportResult Import(const std::string& text, const std::string& fileName, ZDocument& doc,
                               const ZTemplateSet& templates, double hour);
    static ImportResult LoadFile(const std::string& path, ZDocument& doc, const ZTemplateSet& templates, double hour);
    // Writes atomically; returns what could not be written exactly.
    static InpReport SaveFile(const std::string& path, const ZDocument& doc);
    // NAME.inp -> NAME.idmap.csv beside it.
    static std::string IdMapPath(const std::string& outputPath);
};
