#include "DxfImportCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ZDocument.h"
#include "edit/ZCadImport.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

void DxfImportCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Read the lines and polylines of a DXF drawing as pipes");
    sub->add_option("DRAWING", m_drawing, "ASCII DXF drawing (R12 to R2018)")->required();
    sub->add_option("OUT", m_out, "Network file to write (.wnp or .txt)")->required();
    sub->add_option("--into", m_into, "Add the pipes to this network instead of a new one");
    NumberOptions::Add(sub, "--tolerance", m_tolerance, {0.0, 1e12},
                       "Ends closer than this (CAD units) share a node (default 0)");
    NumberOptions::Add(sub, "--scale-cad", m_scaleCad, {1e-7, 1e9}, "CAD units of the scale pair (default 1)");
    NumberOptions::Add(sub, "--scale-qen", m_scaleQen, {1.0, 1e9},
                       "Millimetres of the scale pair (default 1000: CAD units are metres)");
    sub->add_option("--layers", m_layers, "Only these layers, separated by ';' (letter case ignored)");
    sub->add_flag("--no-lines", m_noLines, "Skip LINE entities");
    sub->add_flag("--no-polylines", m_noPolylines, "Skip lightweight and 2D polylines");
    sub->add_flag("--split-at-tees", m_splitAtTees, "Split a pipe where another line ends on its middle");
    sub->callback([this, sub] { m_layersGiven = sub->count("--layers") > 0; });
}

int DxfImportCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "OUT", m_out))
        return ExitUsage;
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_drawing))
        return ExitUsage;
    ZDocument doc;
    if (!m_into.empty())
        m_io.Load(m_into, doc);

    std::vector<std::string> layers;
    if (m_layersGiven) {
        for (const std::string& l : ZCadImport::SplitLayers(m_layers))
            layers.push_back(ZCadImport::LayerNameToGbk(l));
        if (layers.empty()) {
            std::cerr << "qen-cli import-dxf: " << TextLanguage::Tr("需要输入图层名!")
                      << " (--layers names no layer)\n";
            return ExitUsage;
        }
    }

    CadHandle h = OpenAutoCad();
    if (!OpenDwgDocument(h, m_drawing.c_str())) {
        std::cerr << "qen-cli import-dxf: " << TextLanguage::Tr(CadLastError()) << "\n";
        CloseAutoCad(h);
        return ExitBadFile;
    }
    ZCadImport::Options opt;
    opt.MinDist = m_tolerance;
    opt.ScaleCad = m_scaleCad;
    opt.ScaleQen = m_scaleQen;
    ZCadImport import(doc.GetNetwork(), m_io.Templates(), opt);
    const int flags = (m_noLines ? 0 : 1) | (m_noPolylines ? 0 : 2);
    CadBridgeScan<PipePoint>(h, m_layersGiven ? &layers : nullptr, flags, import);
    const int splits = m_splitAtTees ? import.SplitAtTees() : 0;

    const std::string report = CadScanReport();
    CloseAutoCad(h);

    m_io.Save(m_out, doc);
    std::printf("pipes added: %d\n", import.PipesAdded());
    std::printf("nodes added: %d\n", import.NodesAdded());
    if (m_splitAtTees) {
        std::printf("pipes split: %d\n", splits);
        std::printf("overlapping pipes: %d\n", import.OverlapsFound());
    }
    std::string notes = report;
    for (const std::string& n : import.Notes())
        notes += n + "\n";
    if (import.PipesAdded() == 0 && notes.empty())
        notes = m_layersGiven ? "所选图层上没有直线或多段线\n" : "图纸的模型空间中没有直线或多段线\n";
    if (import.PipesAdded() == 0)
        notes = "没有管道加入，原因:\n" + notes;
    std::fputs(TextLanguage::Tr(notes).c_str(), stdout);
    return ExitOk;
}
