#pragma once
#include "CliCommand.h"

#include <string>
#include <vector>

class DocumentIo;

// `import-gis SOURCE OUT [--pipes-layer L] [--nodes-layer L] [--map KEY=FIELD ...] [--tolerance T]
// [--into EXISTING] [--split-at-tees] [--project-to EPSG]`: pipes and nodes from GIS data
// (gis/ZGisImport) into a new network (or EXISTING), saved as OUT, with the report.
class GisImportCommand : public CliCommand {
public:
    explicit GisImportCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "import-gis"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_source; }

private:
    const DocumentIo& m_io;
    std::string m_source;
    std::string m_out;
    std::string m_into;
    std::string m_pipesLayer;
    std::string m_nodesLayer;
    std::vector<std::string> m_map;
    double m_tolerance = 0.0;
    int m_projectTo = 0;
    bool m_splitAtTees = false;
};
