#include "GisExportCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "gis/GisError.h"
#include "gis/ZGisExport.h"
#include "hydraulics/ZBalanceRun.h"
#include "model/ZDocument.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

void GisExportCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Write the network as GIS layers (GeoPackage, Shapefile or GeoJSON)");
    sub->add_option("FILE", m_file, "Network file (.wnp or .txt)")->required();
    sub->add_option("OUT", m_out,
                    "OUT.gpkg (one file), OUT.shp or OUT.geojson (OUT_nodes, OUT_pipes, OUT_pumps, OUT_valves, "
                    "OUT_tanks)")
        ->required();
    sub->add_flag("--balance", m_balance, "Balance first and write the results");
}

int GisExportCommand::Run()
{
    ZDocument doc;
    m_io.Load(m_file, doc);
    if (m_balance) {
        ZBalanceRun run(doc);
        if (!run.CheckConnectivity()) {
            std::cerr << "qen-cli export-gis: the network is split into several pieces; not balanced\n";
            return ExitBadFile;
        }
        if (run.Run() != ZBalanceInfo::Converged) {
            std::cerr << "qen-cli export-gis: balancing did not converge: " << TextLanguage::Tr(run.Message()) << "\n";
            return ExitBadFile;
        }
    }
    ZGisExport::Options o;
    o.results = doc.GetDrawSettings().Balanced != 0;
    ZGisExport::Report r;
    try {
        r = ZGisExport::Write(doc, m_out, o);
    } catch (const GisError& e) {
        std::cerr << "qen-cli export-gis: " << TextLanguage::Tr(e.what()) << "\n";
        return ExitBadFile;
    }
    std::printf("nodes: %d\npipes: %d\npumps: %d\nvalves: %d\ntanks: %d\n", r.nodes, r.pipes, r.pumps, r.valves,
                r.tanks);
    std::printf("results: %s\n", o.results ? "written" : "none (not balanced)");
    std::printf("coordinate system: %s\n", doc.GetCrs().empty() ? "none" : "written");
    for (const std::string& f : r.files)
        std::printf("wrote %s\n", f.c_str());
    return ExitOk;
}
