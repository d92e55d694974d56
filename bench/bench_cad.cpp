// CAD exchange speed: importing a drawing of N lines (a grid whose lines share end points) and
// exporting a network of N pipes with labels and flow arrows to a DXF drawing.
//   bench_cad [LINES_OR_PIPES]   (default 100,000; target: each under 5 s, and the import of
//                                200,000 lines under 5 s: it is linear in the number of lines;
//                                so is splitting at tees, lines drawn over each other included)
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeCanvas.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "model/ZTemplateSet.h"
#include "edit/ZCadExport.h"
#include "edit/ZCadImport.h"

#include <charconv>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// An R12 drawing of `lines` LINE entities on a square grid 10 units apart.
void WriteGridDrawing(const std::string& path, int lines)
{
    std::ofstream out(path, std::ios::binary);
    out << "  0\nSECTION\n  2\nENTITIES\n";
    int w = 1;
    while (2 * w * (w + 1) < lines)
        ++w;
    int n = 0;
    for (int r = 0; r <= w && n < lines; ++r)
        for (int c = 0; c < w && n < lines; ++c) {
            for (int dir = 0; dir < 2 && n < lines; ++dir, ++n) {
                const int x0 = dir ? r * 10 : c * 10, y0 = dir ? c * 10 : r * 10;
                const int x1 = dir ? x0 : x0 + 10, y1 = dir ? y0 + 10 : y0;
                out << "  0\nLINE\n  8\nPIPE\n 10\n"
                    << x0 << ".0\n 20\n"
                    << y0 << ".0\n 30\n0.0\n 11\n"
                    << x1 << ".0\n 21\n"
                    << y1 << ".0\n 31\n0.0\n";
            }
        }
    out << "  0\nENDSEC\n  0\nEOF\n";
}

// An R12 drawing of `lines` LINE entities drawn over each other a hundred at a time (as a block
// inserted again and again at one place), each stack with a branch ending on its middle.
void WriteStackedDrawing(const std::string& path, int lines)
{
    std::ofstream out(path, std::ios::binary);
    out << "  0\nSECTION\n  2\nENTITIES\n";
    auto line = [&](int x0, int y0, int x1, int y1) {
        out << "  0\nLINE\n  8\nPIPE\n 10\n"
            << x0 << ".0\n 20\n"
            << y0 << ".0\n 30\n0.0\n 11\n"
            << x1 << ".0\n 21\n"
            << y1 << ".0\n 31\n0.0\n";
    };
    for (int s = 0; s < lines / 100; ++s) {
        for (int copy = 0; copy < 100; ++copy)
            line(s * 10, 0, s * 10 + 10, 0);
        line(s * 10 + 5, 0, s * 10 + 5, 5);
    }
    out << "  0\nENDSEC\n  0\nEOF\n";
}

}   // namespace

int main(int argc, char** argv)
{
    int n = 100000;
    if (argc > 1)
        std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), n);
    const auto dir = std::filesystem::temp_directory_path() / "qen-bench-cad";
    std::filesystem::create_directories(dir);
    const std::string drawing = (dir / "grid.dxf").string();
    WriteGridDrawing(drawing, n);

    // Import: read the drawing into the session and scan it into a network, recorded as one
    // undoable change as the program does (and once more without the record).
    for (bool record : {true, false}) {
        const double cpu0 = BenchClock::CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        CadHandle h = OpenAutoCad();
        if (!OpenDwgDocument(h, drawing.c_str())) {
            std::fprintf(stderr, "%s\n", CadLastError());
            return 2;
        }
        const double read = BenchClock::Seconds(t0);
        ZDocument doc;
        ZTemplateSet templates;
        ZCadImport::Options o;
        o.MinDist = 0.01;
        o.ScaleQen = 1000.0;
        auto tx = record ? std::make_unique<ZEditTransaction>(doc, "import") : nullptr;
        ZCadImport imp(doc.GetNetwork(), templates, o, tx.get());
        CadBridgeScan<PipePoint>(h, nullptr, 3, imp);
        if (tx)
            tx->Commit();
        CloseAutoCad(h);
        CadCloseSession();
        std::printf("import %d lines%s: %.3f s (reading %.3f s), cpu %.3f s -> %d pipes, %d nodes\n", n,
                    record ? " as one undoable change" : "", BenchClock::Seconds(t0), read,
                    BenchClock::CpuSeconds() - cpu0, imp.PipesAdded(), imp.NodesAdded());
    }

    // Splitting at tees: the grid (its lines meet end to end: nothing to split) and lines drawn
    // over each other with a branch on each stack (every line splits).
    const std::string stacked = (dir / "stacked.dxf").string();
    WriteStackedDrawing(stacked, n);
    for (const std::string& path : {drawing, stacked}) {
        CadHandle h = OpenAutoCad();
        if (!OpenDwgDocument(h, path.c_str())) {
            std::fprintf(stderr, "%s\n", CadLastError());
            return 2;
        }
        ZDocument doc;
        ZTemplateSet templates;
        ZCadImport::Options o;
        o.MinDist = 0.01;
        o.ScaleQen = 1000.0;
        ZCadImport imp(doc.GetNetwork(), templates, o);
        CadBridgeScan<PipePoint>(h, nullptr, 3, imp);
        CloseAutoCad(h);
        CadCloseSession();
        const double cpu0 = BenchClock::CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        const int split = imp.SplitAtTees();
        std::printf("split at tees, %s of %d pipes: %.3f s, cpu %.3f s -> %d split, %d overlaps\n",
                    path == drawing ? "grid" : "stacked lines", imp.PipesAdded(), BenchClock::Seconds(t0),
                    BenchClock::CpuSeconds() - cpu0, split, imp.OverlapsFound());
    }

    // Export with labels and arrows into a new drawing, written to a file.
    {
        ZDocument doc;
        NetworkGenerator gen;
        gen.pipes = n;
        gen.nodes = n * 2 / 3;
        gen.Generate(doc.GetNetwork());
        int k = 0;
        for (ZConsumeNode* node : doc.GetNetwork().Nodes())
            node->NodeHydrElev = 100.0 - 0.001 * k++;
        doc.GetDrawSettings().Balanced = 1;
        ZSettingsStore settings;
        const std::string out = (dir / "export.dxf").string();
        const double cpu0 = BenchClock::CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        CadHandle h = OpenAutoCad();
        CadNewDwg(h);
        CadSetDwgPath(h, out.c_str());
        ZCadExport ex(doc, settings, ZCadExport::Options());
        CadBridgeCanvas<ZCadCanvas, PipePoint> canvas(h);
        ex.Run(canvas, nullptr, nullptr);
        const double drawn = BenchClock::Seconds(t0);
        if (!CadSetVisible(h, 1)) {
            std::fprintf(stderr, "%s\n", CadLastError());
            return 2;
        }
        CloseAutoCad(h);
        CadCloseSession();
        std::printf("export %d pipes, %d nodes with labels: %.3f s (drawing %.3f s), cpu %.3f s, %.1f MB\n",
                    doc.GetNetwork().LinkCount(), doc.GetNetwork().NodeCount(), BenchClock::Seconds(t0), drawn,
                    BenchClock::CpuSeconds() - cpu0, static_cast<double>(std::filesystem::file_size(out)) / 1e6);
    }
    std::printf("peak memory: %.0f MB\n", static_cast<double>(BenchClock::PeakRssKb()) / 1024.0);
    return 0;
}
