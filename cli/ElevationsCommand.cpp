#include "ElevationsCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "gis/GisError.h"
#include "gis/ZGisElevations.h"
#include "model/ZDocument.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

namespace {
void List(const char* what, const std::vector<std::string>& ids)
{
    if (ids.empty())
        return;
    std::printf("%s: %zu\n", what, ids.size());
    std::string line;
    for (const std::string& id : ids) {
        if (line.size() + id.size() > 100) {
            std::printf("  %s\n", line.c_str());
            line.clear();
        }
        line += (line.empty() ? "" : " ") + id;
    }
    std::printf("  %s\n", line.c_str());
}
}   // namespace

void ElevationsCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Sample node ground elevations from a terrain raster (GeoTIFF...)");
    sub->add_option("FILE", m_file, "Network file (.wnp or .txt)")->required();
    sub->add_option("DEM", m_raster, "Elevation raster with a coordinate system")->required();
    sub->add_option("--save", m_save, "Network file to write")->required();
    sub->add_flag("--only-missing", m_onlyMissing, "Only nodes whose elevation is 0");
}

int ElevationsCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "--save", m_save))
        return ExitUsage;
    if (OutputTarget::IsInput(Name(), "--save", m_save, m_raster))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_file, doc);
    ZGisElevations::Options o;
    o.onlyMissing = m_onlyMissing;
    ZGisElevations::Report r;
    try {
        r = ZGisElevations::Run(m_raster, doc, o);
    } catch (const GisError& e) {
        std::cerr << "qen-cli elevations: " << TextLanguage::Tr(e.what()) << "\n";
        return ExitBadFile;
    }
    m_io.Save(m_save, doc);
    std::printf("elevations changed: %d\n", r.changed);
    std::printf("same as before: %d\n", r.unchanged);
    if (m_onlyMissing)
        std::printf("kept (not 0): %d\n", r.skipped);
    if (!r.crsNote.empty())
        std::printf("%s\n", TextLanguage::Tr(r.crsNote).c_str());
    List("outside the raster (unchanged)", r.outside);
    List("on no-data (unchanged)", r.noData);
    return ExitOk;
}
