#include "SimulateCommand.h"
#include "OutputTarget.h"
#include "CtrlC.h"

#include "BalanceCommand.h"
#include "DocumentIo.h"
#include "CsvText.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZConnectivityCheck.h"
#include "hydraulics/ZSimulation.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ProgressObserver.h"
#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "persist/epanet/EpanetFile.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <utility>

namespace {
// About a gigabyte of text per file.
constexpr double kMaxCsvRows = 20000000;

class InterruptStop : public ProgressObserver {
public:
    void Progress(double) override {}
    bool StopRequested() const override { return CtrlC::Pressed(); }
};

bool IsInp(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".inp";
}

int64_t WholeSeconds(double v)
{
    return static_cast<int64_t>(std::llround(v));
}
}   // namespace

void SimulateCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Extended-period simulation over the file's patterns and controls");
    sub->add_option("FILE", m_file, "Network file (project, text or EPANET .inp)")->required();
    NumberOptions::Add(sub, "--duration", m_duration, {0.0, 1e6, true}, "Period in hours (default: the file's)");
    NumberOptions::Add(sub, "--hydraulic-step", m_hydraulicStep, {0.0, 1e6, true},
                       "Hydraulic step in minutes (default: the file's)");
    NumberOptions::Add(sub, "--report-step", m_reportStep, {0.0, 1e6, true},
                       "Report step in minutes (default: the file's)");
    sub->add_option("--nodes-csv", m_nodesCsv,
                    "Write time_s,id,head_m,free_head_m,demand_m3s per report time and node (UTF-8)");
    sub->add_option("--links-csv", m_linksCsv, "Write time_s,id,kind,flow_m3s,status per report time and link (UTF-8)");
    sub->add_flag("--energy", m_energy, "Print each pump's energy (kWh) and cost");
}

void SimulateCommand::Load(ZDocument& doc) const
{
    if (!IsInp(m_file)) {
        m_io.Load(m_file, doc);
        return;
    }
    doc.Reset();
    EpanetFile::ImportResult result = EpanetFile::LoadFile(m_file, doc, m_io.Templates(), 0.0);
    std::cerr << TextLanguage::Tr(result.report.Text());
}

int SimulateCommand::Run()
{
    if (OutputTarget::IsInput(Name(), "--nodes-csv", m_nodesCsv, m_file) ||
        OutputTarget::IsInput(Name(), "--links-csv", m_linksCsv, m_file))
        return ExitUsage;
    ZDocument doc;
    Load(doc);
    ZTimeData data = doc.GetTimeData();
    // Whole seconds, as the options are read; a step that rounds to nothing is refused.
    const auto seconds = [](const char* option, double value, double scale, int64_t& target) {
        const int64_t s = WholeSeconds(value * scale);
        if (s < 1 || s > ZTimeData::MaxSeconds) {
            std::cerr << "qen-cli simulate: " << option << " gives " << s << " seconds\n";
            return false;
        }
        target = s;
        return true;
    };
    if (m_duration && !seconds("--duration", *m_duration, 3600.0, data.Duration))
        return ExitUsage;
    if (m_hydraulicStep && !seconds("--hydraulic-step", *m_hydraulicStep, 60.0, data.HydraulicStep))
        return ExitUsage;
    if (m_reportStep && !seconds("--report-step", *m_reportStep, 60.0, data.ReportStep))
        return ExitUsage;

    // Each row is held as text until the file is written: a bound keeps that within memory.
    const auto tooManyRows = [&](const char* option, const std::string& path, int perTime) {
        const double rows = static_cast<double>(ZSimulation::ReportTimes(data)) * perTime;
        if (path.empty() || rows <= kMaxCsvRows)
            return false;
        std::cerr << "qen-cli simulate: " << option << " would hold " << static_cast<int64_t>(rows) << " rows (limit "
                  << static_cast<int64_t>(kMaxCsvRows) << "): give a longer --report-step or a shorter --duration\n";
        return true;
    };
    if (tooManyRows("--nodes-csv", m_nodesCsv, doc.GetNetwork().NodeCount()) ||
        tooManyRows("--links-csv", m_linksCsv, doc.GetNetwork().LinkCount()))
        return ExitUsage;

    ZConnectivityCheck connectivity;
    if (!connectivity.Run(doc.GetNetwork())) {
        std::cout << TextLanguage::Tr(ZConnectivityCheck::ReportTitle()) << "\n"
                  << TextLanguage::Tr(connectivity.ReportText());
        return BalanceCommand::ExitSplitNetwork;
    }

    ZSimulation sim(doc.GetDrawSettings(), doc.GetNetwork(), data);
    InterruptStop stop;
    sim.SetProgressObserver(&stop);
    int status = 0;
    {
        CtrlC ctrlC;
        status = sim.Run();
    }
    if (status == ZBalanceInfo::InvalidData) {
        std::cerr << "qen-cli simulate: " << m_file << ": " << TextLanguage::Tr(sim.Fault().Text()) << "\n";
        return ExitBadFile;
    }
    PrintSummary(doc, sim);
    if (!m_nodesCsv.empty())
        WriteNodesCsv(doc, sim);
    if (!m_linksCsv.empty())
        WriteLinksCsv(doc, sim);
    switch (status) {
    case ZBalanceInfo::Converged:
        return ExitOk;
    case ZBalanceInfo::NoHeadKnownNode:
        return BalanceCommand::ExitNoKnownHead;
    case ZBalanceInfo::Diverged:
        return BalanceCommand::ExitDiverged;
    default:
        return BalanceCommand::ExitNotConverged;
    }
}

void SimulateCommand::PrintSummary(const ZDocument& doc, const ZSimulation& sim) const
{
    const int status = sim.Status();
    static const char* const names[] = {
        "",         "converged",   "stopped", "iteration limit reached", "", "not enough known-head nodes",
        "diverged", "invalid data"};
    std::printf("status:          %d %s\n", status, status >= 1 && status <= 7 ? names[status] : "unknown");
    if (status != ZBalanceInfo::Converged) {
        std::printf("failed at:       %lld s (%s)\n", static_cast<long long>(sim.FailTime()),
                    ZSimulation::ClockText(sim.FailTime()).c_str());
        if (!sim.FailNode().empty())
            std::printf("node:            %s\n", MessageText::Escape(sim.FailNode()).c_str());
    }
    std::printf("steps:           %d\n", sim.Steps());
    std::printf("balances:        %d\n", sim.Balances());
    std::printf("passes:          %lld\n", sim.Passes());
    std::printf("report times:    %zu\n", sim.Results().TimeCount());
    if (!sim.LowestNode().empty())
        std::printf("lowest free head: %.3f m at node %s, %lld s (%s)\n", sim.LowestFreeHead(),
                    MessageText::Escape(sim.LowestNode()).c_str(), static_cast<long long>(sim.LowestTime()),
                    ZSimulation::ClockText(sim.LowestTime()).c_str());
    for (const ZSimulation::TankEvent& e : sim.TankEvents())
        std::printf("tank %s %s at %lld s (%s)\n", MessageText::Escape(e.tank).c_str(), e.filled ? "filled" : "emptied",
                    static_cast<long long>(e.time), ZSimulation::ClockText(e.time).c_str());
    if (!sim.UnsettledTimes().empty())
        std::printf("links switching back and forth (last state kept) at %zu times, first %lld s (%s)\n",
                    sim.UnsettledTimes().size(), static_cast<long long>(sim.UnsettledTimes()[0]),
                    ZSimulation::ClockText(sim.UnsettledTimes()[0]).c_str());
    if (m_energy) {
        double kwh = 0.0, cost = 0.0;
        std::printf("pump energy (kWh, cost, hours running):\n");
        for (const ZSimulation::PumpEnergy& e : sim.Energy()) {
            std::printf("  pump   %-20s %.3f %.2f %.2f\n", MessageText::Escape(e.pump).c_str(), e.kwh, e.cost, e.hours);
            kwh += e.kwh;
            cost += e.cost;
        }
        std::printf("  total  %-20s %.3f %.2f\n", "", kwh, cost);
        std::printf("price %g per kWh, efficiency %g%%\n", doc.GetTimeData().EnergyPrice,
                    doc.GetTimeData().PumpEfficiency);
    }
}

void SimulateCommand::WriteNodesCsv(const ZDocument& doc, const ZSimulation& sim) const
{
    const ZNetwork& net = doc.GetNetwork();
    const ZSimulationResults& r = sim.Results();
    std::vector<std::string> ids;
    for (const ZConsumeNode* n : net.Nodes())
        ids.push_back(CsvText::Field(n->IdView()));
    std::ostringstream out;
    out.precision(9);
    out << "time_s,id,head_m,free_head_m,demand_m3s\n";
    for (size_t k = 0; k < r.TimeCount(); ++k) {
        for (int i = 0; i < net.NodeCount(); ++i) {
            out << r.Time(k) << ',' << ids[static_cast<size_t>(i)] << ',';
            const float h = r.Head(k, i);
            if (std::isfinite(h))   // a node cut off by closed links has no head
                out << h << ',' << h - net.NodeAt(i)->NodeGrunElev;
            else
                out << ',';
            out << ',' << r.Demand(k, i) << '\n';
        }
    }
    AtomicFileWriter::Write(m_nodesCsv, std::move(out).str());
}

void SimulateCommand::WriteLinksCsv(const ZDocument& doc, const ZSimulation& sim) const
{
    const ZNetwork& net = doc.GetNetwork();
    const ZSimulationResults& r = sim.Results();
    std::ostringstream out;
    out.precision(9);
    out << "time_s,id,kind,flow_m3s,status\n";
    for (size_t k = 0; k < r.TimeCount(); ++k)
        for (int l = 0; l < net.LinkCount(); ++l)
            out << r.Time(k) << ',' << CsvText::Field(net.LinkAt(l)->IdView()) << ','
                << CsvText::LinkKind(net.LinkAt(l)->GetKind()) << ',' << r.Flow(k, l) << ','
                << (r.Status(k, l) ? "open" : "closed") << '\n';
    AtomicFileWriter::Write(m_linksCsv, std::move(out).str());
}
