#include "GisImportCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "gis/GisError.h"
#include "gis/ZGisImport.h"
#include "model/ZDocument.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

void GisImportCommand::Register(CLI::App& app)
{
    CLI::App* sub =
        app.add_subcommand(Name(), "Read pipes and nodes from GIS data (GeoPackage, Shapefile, GeoJSON...)");
    sub->add_option("SOURCE", m_source, "GIS file or folder GDAL reads")->required();
    sub->add_option("OUT", m_out, "Network file to write (.wnp or .txt)")->required();
    sub->add_option("--pipes-layer", m_pipesLayer, "Take pipes from this layer only (default: every line layer)");
    sub->add_option("--nodes-layer", m_nodesLayer, "Take nodes from this layer only (default: every point layer)");
    sub->add_option("--map", m_map,
                    "KEY=FIELD: fill KEY from the attribute FIELD (keys: " + GisAttributeMap::KeyList() +
                        ", or a field of the pipe or node table); may be repeated");
    NumberOptions::Add(sub, "--tolerance", m_tolerance, {0.0, 1e6},
                       "Ends and points closer than this (metres) share a node (default 0)");
    NumberOptions::AddInt(sub, "--project-to", m_projectTo, 1024, 999999,
                          "Project the layers into this projected EPSG system (needed for degrees)");
    sub->add_option("--into", m_into, "Add to this network instead of a new one");
    sub->add_flag("--split-at-tees", m_splitAtTees, "Split a pipe where another one ends on its middle");
}

int GisImportCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "OUT", m_out))
        return ExitUsage;
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_source))
        return ExitUsage;
    ZGisImport::Options o;
    o.pipesLayer = m_pipesLayer;
    o.nodesLayer = m_nodesLayer;
    o.tolerance = m_tolerance;
    o.splitAtTees = m_splitAtTees;
    o.projectTo = m_projectTo;
    try {
        for (const std::string& m : m_map)
            o.map.push_back(GisAttributeMap::Parse(m));
    } catch (const GisError& e) {
        std::cerr << "qen-cli import-gis: " << TextLanguage::Tr(e.what()) << "\n";
        return ExitUsage;
    }
    ZDocument doc;
    if (!m_into.empty())
        m_io.Load(m_into, doc);
    ZGisImport::Report r;
    try {
        r = ZGisImport::Run(m_source, doc, m_io.Templates(), o);
    } catch (const GisError& e) {
        std::cerr << "qen-cli import-gis: " << TextLanguage::Tr(e.what()) << "\n";
        return ExitBadFile;
    }
    m_io.Save(m_out, doc);
    std::printf("pipes added: %d\n", r.pipesAdded);
    std::printf("nodes added: %d\n", r.nodesAdded);
    std::printf("points joined: %d\n", r.pointsJoined);
    if (m_splitAtTees) {
        std::printf("pipes split: %d\n", r.splits);
        std::printf("overlapping pipes: %d\n", r.overlaps);
    }
    for (const std::string& line : r.lines)
        std::printf("%s\n", TextLanguage::Tr(line).c_str());
    if (!doc.GetCrs().empty() && ZDocument::FileKindFromName(m_out) == ZDocument::TextFile)
        std::printf("%s\n", TextLanguage::Tr("文本文件不保存坐标系").c_str());
    return ExitOk;
}
