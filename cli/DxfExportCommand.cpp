#include "DxfExportCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeCanvas.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZContourGenerator.h"
#include "model/NumberFormat.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "edit/ZCadExport.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

void DxfExportCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Draw a network into a DXF drawing");
    sub->add_option("FILE", m_file, "Network file")->required();
    sub->add_option("OUT", m_out, "DXF drawing to write")->required();
    sub->add_flag("--balance", m_balance, "Balance first (flow arrows; needed for contours)");
    sub->add_option("--contours", m_contours, "Draw head or free-head contour lines")
        ->check(CLI::IsMember({"head", "free"}));
    sub->add_option("--into", m_into, "Draw into a copy of this drawing, keeping all it has");
    sub->add_flag("--overwrite-changed", m_overwriteChanged,
                  "Write OUT even when it is the drawing read and another program changed it since");
    // Scales and sizes far enough from the double range that their products stay finite.
    const NumberOption::Range scale{1e-9, 1e9};
    const NumberOption::Range size{0.0, 1e9, true};
    NumberOptions::Add(sub, "--scale-cad", m_scaleCad, scale, "CAD units of the scale pair (default 1)");
    NumberOptions::Add(sub, "--scale-qen", m_scaleQen, scale,
                       "Millimetres of the scale pair (default 1: 1000 CAD units per metre)");
    NumberOptions::Add(sub, "--node-size", m_nodeSize, size, "Node disc diameter, CAD units (default 2)");
    NumberOptions::Add(sub, "--device-size", m_deviceSize, size, "Pump, valve and tank symbol size (default 5)");
    NumberOptions::Add(sub, "--label-size", m_labelSize, size, "Text height (default 3.5)");
    NumberOptions::Add(sub, "--arrow-size", m_arrowSize, size, "Flow arrow length (default 4)");
}

int DxfExportCommand::Run()
{
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_file))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_file, doc);
    ZSettingsStore settings;   // default units, labels and templates, as DocumentIo reads files

    if (m_balance || !m_contours.empty()) {
        ZBalanceRun run(doc);
        if (!run.CheckConnectivity()) {
            std::cerr << "qen-cli export-dxf: the network is split into several pieces; not balanced\n";
            return ExitBadFile;
        }
        if (run.Run() != ZBalanceInfo::Converged) {
            std::cerr << "qen-cli export-dxf: balancing did not converge: " << TextLanguage::Tr(run.Message()) << "\n";
            return ExitBadFile;
        }
    }
    if (!m_contours.empty()) {
        ZDrawSettings& ds = doc.GetDrawSettings();
        ds.ContourOption = 1;
        ds.ContourKind = m_contours == "free" ? 1 : 0;
        const auto status =
            ZContourGenerator::Generate(doc.GetNetwork(), ds.ContourKind, ds.ContourInterval, doc.GetContours());
        if (status != ZContourGenerator::Ok) {
            std::cerr << "qen-cli export-dxf: " << TextLanguage::Tr(ZContourGenerator::Message(status)) << "\n";
            return ExitBadFile;
        }
    }

    CadHandle h = OpenAutoCad();
    const bool opened = m_into.empty() ? CadNewDwg(h) != 0 : OpenDwgDocument(h, m_into.c_str()) != 0;
    if (!opened || !CadSetDwgPath(h, m_out.c_str())) {
        std::cerr << "qen-cli export-dxf: " << TextLanguage::Tr(CadLastError()) << "\n";
        CloseAutoCad(h);
        return ExitBadFile;
    }
    ZCadExport::Options opt;
    opt.ScaleCad = m_scaleCad;
    opt.ScaleQen = m_scaleQen;
    opt.NodeSize = m_nodeSize;
    opt.DevSize = m_deviceSize;
    opt.LabelSize = m_labelSize;
    opt.ArrowSize = m_arrowSize;
    ZCadExport exporter(doc, settings, opt);
    CadBridgeCanvas<ZCadCanvas, PipePoint> canvas(h);
    exporter.Run(canvas, nullptr, nullptr);
    if (m_overwriteChanged)
        CadSetOverwriteChanged(h, 1);
    const bool written = CadSetVisible(h, 1) != 0;
    if (!written)
        std::cerr << "qen-cli export-dxf: " << TextLanguage::Tr(CadLastError()) << "\n";
    CloseAutoCad(h);
    if (!written)
        return ExitBadFile;
    std::printf("drawn: %d links, %d nodes into %s\n", doc.GetNetwork().LinkCount(), doc.GetNetwork().NodeCount(),
                m_out.c_str());
    if (ZCadExport::TooSmall(doc.GetNetwork(), exporter.Ratio(), opt.LabelSize)) {
        // Sizes are CAD units: at 1000 units per metre the defaults are specks on a plotted sheet.
        const ZCadExport::Options r = ZCadExport::ReadableSizes(doc.GetNetwork(), exporter.Ratio());
        std::cout << "note: text of height " << NumberFormat::G(opt.LabelSize)
                  << " is under 1 mm on an A1 sheet holding the network; sizes that read there: --label-size "
                  << NumberFormat::G(r.LabelSize) << " --node-size " << NumberFormat::G(r.NodeSize) << " --device-size "
                  << NumberFormat::G(r.DevSize) << " --arrow-size " << NumberFormat::G(r.ArrowSize) << std::endl;
    }
    return ExitOk;
}
