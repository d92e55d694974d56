// The calculation report of a 12,500-node network (15,000 pipes, four sources) in three cases:
// building it (each case balanced on a copy), the workbook, and the PDF with its map.
//   bench_report [NODES [OUT_DIR]]   OUT_DIR: where report.xlsx and report.pdf go (default /tmp)
// Target at 12,500 nodes: the whole report in either form under 10 s.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/ZReportExport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 12500;
    const std::string dir = argc > 2 ? argv[2] : "/tmp";
    ZSettingsStore settings;
    ZDocument doc(static_cast<int>(settings.Colors().NodeGradeColors.size()),
                  static_cast<int>(settings.Colors().PipeGradeColors.size()));
    NetworkGenerator gen;
    gen.nodes = nodes;
    gen.pipes = nodes * 6 / 5;
    gen.Generate(doc.GetNetwork());
    // A fire node and an accident pipe bring the other two cases.
    doc.GetNetwork().NodeAt(nodes / 2)->SetFlag(qen::FLAG_FIRE_NODE);
    doc.GetNetwork().LinkAt(nodes / 3)->SetFlag(qen::FLAG_ACCIDENT_PIPE);
    std::printf("network: %d nodes, %d pipes, cases %zu\n", doc.GetNetwork().Nodes().Count(),
                doc.GetNetwork().Links().Count(), ZReportBuilder::CasesOf(doc).size());

    for (const char* ext : {"xlsx", "pdf"}) {
        const QString out = QString::fromStdString(dir + "/report." + ext);
        QString message;
        const auto t0 = std::chrono::steady_clock::now();
        const double c0 = BenchClock::CpuSeconds();
        int rc = -1;
        ZReportExport::Write(doc, settings, out, {}, message, &rc);
        std::printf("%-4s  wall %.2f s  processor %.2f s  status %d  %s\n", ext, BenchClock::Seconds(t0),
                    BenchClock::CpuSeconds() - c0, rc, message.toStdString().c_str());
    }
    std::printf("peak memory: %ld MB\n", BenchClock::PeakRssKb() / 1024);
    return 0;
}
