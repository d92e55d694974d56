#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `elevations FILE DEM --save OUT [--only-missing]`: node ground elevations sampled from a terrain
// raster (gis/ZGisElevations); the nodes left unchanged are listed.
class ElevationsCommand : public CliCommand {
public:
    explicit ElevationsCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "elevations"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::string m_raster;
    std::string m_save;
    bool m_onlyMissing = false;
};
