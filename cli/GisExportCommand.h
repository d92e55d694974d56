#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `export-gis FILE OUT.gpkg|OUT.shp|OUT.geojson [--balance]`: the network as GIS layers
// (gis/ZGisExport), with the results of a balance run first when asked.
class GisExportCommand : public CliCommand {
public:
    explicit GisExportCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "export-gis"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::string m_out;
    bool m_balance = false;
};
