#include "BalanceCommand.h"
#include "OutputTarget.h"
#include "CtrlC.h"

#include "DocumentIo.h"
#include "CsvText.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZBalanceRun.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ProgressObserver.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZTankLink.h"
#include "persist/AtomicFileWriter.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>

namespace {
// Progress bar on a terminal's stderr; Ctrl-C asks the solver to stop after its pass.
class TerminalProgress : public ProgressObserver {
public:
    explicit TerminalProgress(bool show) : m_show(show) {}
    void Progress(double fraction) override
    {
        if (!m_show)
            return;
        const int pos = ZBalanceRun::ProgressPosition(fraction, 0, 1000, fraction >= 1.0);
        const int filled = pos * 40 / 1000;
        if (filled == m_lastFilled && pos != 1000)
            return;
        m_lastFilled = filled;
        std::fprintf(stderr, "\r[%s%s] %s", std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(40 - filled), ' ').c_str(),
                     ZBalanceRun::PercentText(pos, 0, 1000).c_str());
        if (pos == 1000)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    bool StopRequested() const override { return CtrlC::Pressed(); }

private:
    bool m_show;
    int m_lastFilled = -1;
};

void WriteText(const std::string& path, const std::string& text)
{
    AtomicFileWriter::Write(path, text);
}

const char* StatusName(int status)
{
    switch (status) {
    case ZBalanceInfo::Converged:
        return "converged";
    case ZBalanceInfo::Stopped:
        return "stopped";
    case ZBalanceInfo::IterationLimit:
        return "iteration limit reached";
    case ZBalanceInfo::NoHeadKnownNode:
        return "not enough known-head nodes";
    case ZBalanceInfo::Diverged:
        return "diverged";
    case ZBalanceInfo::InvalidData:
        return "invalid data";
    default:
        return "unknown";
    }
}
}   // namespace

void BalanceCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Balance a network: solve link flows and node heads");
    sub->add_option("FILE", m_file, "Network file")->required();
    sub->add_option("--case", m_case, "Calculation case (default: the file's)")
        ->check(CLI::IsMember({"peak", "fire", "accident"}));
    NumberOptions::Add(sub, "--accident-factor", m_accidentFactor, {0.0, 1.0},
                       "Demand factor of the accident case, 0..1");
    NumberOptions::AddInt(sub, "--precision", m_precision, 0, 6, "Head tolerance 10^-K m, K = 0..6");
    NumberOptions::AddInt(sub, "--max-iterations", m_maxIterations, -1, std::numeric_limits<int>::max(),
                          "Pass limit, -1 for none (default: the file's)");
    sub->add_option("--demand-model", m_demandModel,
                    "demand: nodes take their demand whatever the pressure; pressure: a node delivers "
                    "D ((p - P0) / (PR - P0))^E between the two pressures (default: the file's)")
        ->check(CLI::IsMember({"demand", "pressure"}));
    NumberOptions::Add(sub, "--min-pressure", m_minPressure, {-1e6, 1e6},
                       "P0 (m): below it a node delivers nothing (default: the file's)");
    NumberOptions::Add(sub, "--required-pressure", m_requiredPressure, {-1e6, 1e6},
                       "PR (m): from it on a node delivers its whole demand (default: the file's)");
    NumberOptions::Add(sub, "--pressure-exponent", m_pressureExponent, {0.0, 10.0, true},
                       "E of the pressure-driven law (default: the file's, 0.5 when new)");
    sub->add_option("--nodes-csv", m_nodesCsv,
                    "Write id,head_m,free_head_m,demand_m3s per node (UTF-8; the demand delivered)");
    sub->add_option("--links-csv", m_linksCsv, "Write id,kind,flow_m3s,headloss_m per link (UTF-8)");
    sub->add_option("--save", m_save, "Save the balanced network to this file");
}

bool BalanceCommand::ApplyDemandModel(ZDocument& doc) const
{
    ZBalanceParams& p = doc.GetDrawSettings().Params;
    if (m_demandModel == "pressure")
        p.DemandModel = ZBalanceParams::PressureDriven;
    else if (m_demandModel == "demand")
        p.DemandModel = ZBalanceParams::DemandDriven;
    if (m_minPressure)
        p.MinPressure = *m_minPressure;
    if (m_requiredPressure)
        p.RequiredPressure = *m_requiredPressure;
    if (m_pressureExponent)
        p.PressureExponent = *m_pressureExponent;
    const bool asked = m_minPressure || m_requiredPressure || p.DemandModel == ZBalanceParams::PressureDriven;
    if (asked && !(p.MinPressure < p.RequiredPressure)) {
        std::cerr << "qen-cli balance: --min-pressure (" << NumberFormat::G(p.MinPressure)
                  << " m) must be below --required-pressure (" << NumberFormat::G(p.RequiredPressure) << " m)\n";
        return false;
    }
    return true;
}

int BalanceCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "--save", m_save))
        return ExitUsage;
    if (OutputTarget::IsInput(Name(), "--nodes-csv", m_nodesCsv, m_file) ||
        OutputTarget::IsInput(Name(), "--links-csv", m_linksCsv, m_file))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_file, doc);
    if (!ApplyDemandModel(doc))
        return ExitUsage;
    ZBalanceRun run(doc);
    if (!run.CheckConnectivity()) {
        std::cout << TextLanguage::Tr(ZConnectivityCheck::ReportTitle()) << "\n"
                  << TextLanguage::Tr(run.Connectivity().ReportText());
        return ExitSplitNetwork;
    }

    ZBalanceRun::Params params = run.CurrentParams();
    if (m_case == "peak")
        params.CalcCase = 0;
    else if (m_case == "fire")
        params.CalcCase = 1;
    else if (m_case == "accident")
        params.CalcCase = 2;
    if (m_accidentFactor >= 0.0)
        params.AccidentFactor = m_accidentFactor;
    if (m_precision >= 0)
        params.Precision = m_precision;
    const bool keepTolerance = m_precision < 0;
    const double storedTolerance = doc.GetDrawSettings().Params.HeadTolerance;
    if (!run.ApplyParams(params)) {   // the readers refuse these, so a file error all the same
        std::cerr << "qen-cli balance: " << m_file << ": the stored balancing parameters are out of range\n";
        return ExitBadFile;
    }
    if (keepTolerance)   // the stored tolerance is used as it is, not rounded to a precision step
        doc.GetDrawSettings().Params.HeadTolerance = storedTolerance;
    if (m_maxIterations >= -1)
        doc.GetDrawSettings().Params.MaxIterations = m_maxIterations;

    TerminalProgress progress(isatty(STDERR_FILENO) == 1);
    const auto t0 = std::chrono::steady_clock::now();
    int status = 0;
    {
        CtrlC ctrlC;
        status = run.Run(&progress);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (status == ZBalanceInfo::InvalidData) {
        std::cerr << "qen-cli balance: " << m_file << ": " << TextLanguage::Tr(run.Message()) << "\n";
        return ExitBadFile;
    }

    std::printf("status:          %d %s\n", status, StatusName(status));
    std::printf("case:            %s\n",
                TextLanguage::Tr(ZBalanceRun::CaseName(doc.GetDrawSettings().CalcCase)).c_str());
    std::printf("passes:          %d\n", run.Iterations());
    std::printf("wall time:       %.4f s\n", seconds);
    std::printf("last correction: %.3g m (tolerance %.3g m)\n", run.MaxCorrection(),
                doc.GetDrawSettings().Params.HeadTolerance);
    if (!run.Message().empty())
        std::cerr << TextLanguage::Tr(run.Message()) << "\n";
    if (status == ZBalanceInfo::Converged)
        PrintSummary(doc, run);

    if (status != ZBalanceInfo::NoHeadKnownNode && status != ZBalanceInfo::Diverged) {
        if (!m_nodesCsv.empty())
            WriteNodesCsv(doc);
        if (!m_linksCsv.empty())
            WriteLinksCsv(doc);
    }
    if (!m_save.empty())
        m_io.Save(m_save, doc);

    switch (status) {
    case ZBalanceInfo::Converged:
        return ExitOk;
    case ZBalanceInfo::NoHeadKnownNode:
        return ExitNoKnownHead;
    case ZBalanceInfo::Diverged:
        return ExitDiverged;
    default:
        return ExitNotConverged;
    }
}

void BalanceCommand::PrintSummary(const ZDocument& doc, const ZBalanceRun& run) const
{
    const ZNetwork& net = doc.GetNetwork();
    double total = 0.0;
    std::printf("supply (m3/s):\n");
    for (const ZConsumeNode* n : net.Nodes()) {
        if (n->IsHeadKnown() && !n->IsDeviceNode()) {
            std::printf("  source %-20s %.6f\n", MessageText::Escape(n->IdView()).c_str(), -n->NodeFlow);
            total -= n->NodeFlow;
        }
    }
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() == ZNetObject::Kind::Tank) {
            std::printf("  tank   %-20s %.6f\n", MessageText::Escape(l->IdView()).c_str(), l->Flow);
            total += l->Flow;
        }
    }
    std::printf("  total  %-20s %.6f\n", "", total);
    const ZConsumeNode* lowest = nullptr;
    for (const ZConsumeNode* n : net.Nodes())
        if (n->IsFlowKnown() && !n->IsHidden() && !n->IsCutOff() && (!lowest || n->FreeHead() < lowest->FreeHead()))
            lowest = n;
    if (lowest)
        std::printf("lowest free head: %.3f m at node %s\n", lowest->FreeHead(),
                    MessageText::Escape(lowest->IdView()).c_str());
    // The calculation lets check valves pass both ways; one that does is worth a look.
    const auto& reverse = run.CheckValvesAgainstFlow();
    if (!reverse.empty()) {
        std::printf("check valves against flow (m3/s):\n");
        for (const ZBalanceRun::ValveFlow& v : reverse)
            std::printf("  valve  %-20s %.6f\n", MessageText::Escape(v.id).c_str(), v.flow);
    }
    if (!run.PumpsAgainstFlow().empty()) {
        std::printf("pumps driven backwards past their shut-off head (m3/s):\n");
        for (const ZBalanceRun::ValveFlow& p : run.PumpsAgainstFlow())
            std::printf("  pump   %-20s %.6f\n", MessageText::Escape(p.id).c_str(), p.flow);
    }
    if (run.PressureDriven())
        std::printf("deficient nodes: %d, shortage %.6f m3/s\n", run.DeficientNodeCount(), run.Shortage());
    if (!run.ValvesThatCannotHold().empty()) {
        std::printf("valves that cannot hold their setting (m3/s):\n");
        for (const ZBalanceRun::ValveFlow& v : run.ValvesThatCannotHold())
            std::printf("  valve  %-20s %.6f\n", MessageText::Escape(v.id).c_str(), v.flow);
    }
    if (!run.PumpsShutByHead().empty()) {
        std::printf("pumps shut: head above their shut-off head:\n");
        for (const ZBalanceRun::ValveFlow& p : run.PumpsShutByHead())
            std::printf("  pump   %s\n", MessageText::Escape(p.id).c_str());
    }
    // Cut off by closed links, without demand: balanced without them, so they have no head.
    if (!run.CutOffNodes().empty()) {
        std::printf("cut-off nodes (no head): %zu\n", run.CutOffNodes().size());
        for (const GbkString& id : run.CutOffNodes())
            std::printf("  node   %s\n", MessageText::Escape(id).c_str());
    }
}

// Demand as delivered in the calculation case (pressure-driven: what the pressure allowed);
// sources show the supply written back (negative).
void BalanceCommand::WriteNodesCsv(const ZDocument& doc) const
{
    const ZBalanceContext ctx(doc.GetDrawSettings().CalcCase, doc.GetDrawSettings().Params.AccidentFactor);
    const bool pressureDriven = doc.GetDrawSettings().Params.DemandModel == ZBalanceParams::PressureDriven;
    std::ostringstream out;
    out.precision(17);
    out << "id,head_m,free_head_m,demand_m3s\n";
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes()) {
        out << CsvText::Field(n->IdView()) << ',';
        if (!n->IsCutOff())   // a cut-off node has no head: its fields stay empty
            out << n->NodeHydrElev << ',' << n->FreeHead();
        else
            out << ',';
        const double demand = pressureDriven ? n->NodeDeliveredFlow : n->CaseDemand(ctx);
        out << ',' << (n->IsFlowKnown() ? demand : n->NodeFlow) << '\n';
    }
    WriteText(m_nodesCsv, out.str());
}

void BalanceCommand::WriteLinksCsv(const ZDocument& doc) const
{
    std::ostringstream out;
    out.precision(17);
    out << "id,kind,flow_m3s,headloss_m\n";
    for (const ZFlowLink* l : doc.GetNetwork().Links())
        out << CsvText::Field(l->IdView()) << ',' << CsvText::LinkKind(l->GetKind()) << ',' << l->Flow << ','
            << l->HeadLoss() << '\n';
    WriteText(m_linksCsv, out.str());
}
