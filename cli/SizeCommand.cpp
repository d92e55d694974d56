#include "SizeCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZPipeSizing.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ProgressObserver.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <limits>
#include <thread>

namespace {
std::atomic<bool> g_sizeInterrupted{false};

void OnSizeInterrupt(int)
{
    g_sizeInterrupted = true;
}

// Ctrl-C ends the search keeping the best design; a terminal sees the best cost as it falls.
class SizeProgress : public ProgressObserver {
public:
    void Progress(double) override {}
    bool StopRequested() const override { return g_sizeInterrupted; }
};

const char* CaseWord(int c)
{
    return c == 1 ? "fire" : (c == 2 ? "accident" : "peak");
}
}   // namespace

void SizeCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Least-cost pipe diameters from a candidate list");
    sub->add_option("FILE", m_file, "Network file")->required();
    NumberOptions::Add(sub, "--min-free-head", m_minFreeHead, {-1e4, 1e4},
                       "Lowest free head allowed at every node with demand (m)")
        ->required();
    NumberOptions::AddList(sub, "--diameters", m_diameters, {0.0, 1e5, true}, "Candidate diameters (mm), rising")
        ->required();
    auto* costs =
        NumberOptions::AddList(sub, "--unit-costs", m_unitCosts, {0.0, 1e12}, "Cost per metre of each candidate");
    auto* law = sub->add_flag("--cost-law", m_costLaw, "Costs from the file's law a + b D (D in m)");
    costs->excludes(law);
    law->excludes(costs);
    NumberOptions::Add(sub, "--max-velocity", m_maxVelocity, {0.0, 100.0, true}, "Largest velocity allowed (m/s)");
    sub->add_option("--lock", m_lock, "Pipes kept as they are, identifiers separated by commas");
    sub->add_option("--case", m_case, "Calculation case the design must pass (default peak)")
        ->check(CLI::IsMember({"peak", "fire", "accident"}));
    NumberOptions::Add(sub, "--time-limit", m_timeLimit, {0.0, 1e6, true}, "Search time (s, default 60)");
    NumberOptions::AddInt(sub, "--seed", m_seed, 0, std::numeric_limits<int>::max(), "Random seed (default 1)");
    NumberOptions::AddInt(sub, "--jobs", m_jobs, 1, 1024, "Threads (default: every core)");
    sub->add_option("--save", m_save, "Save the sized, balanced network to this file")->required();
}

int SizeCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "--save", m_save))
        return ExitUsage;
    const char* me = "qen-cli size: ";
    for (size_t i = 1; i < m_diameters.size(); ++i)
        if (!(m_diameters[i] > m_diameters[i - 1])) {
            std::cerr << me << "--diameters must rise: " << NumberFormat::G(m_diameters[i]) << " after "
                      << NumberFormat::G(m_diameters[i - 1]) << "\n";
            return ExitUsage;
        }
    if (!m_costLaw && m_unitCosts.empty()) {
        std::cerr << me << "give --unit-costs or --cost-law\n";
        return ExitUsage;
    }
    if (!m_costLaw && m_unitCosts.size() != m_diameters.size()) {
        std::cerr << me << "--unit-costs has " << m_unitCosts.size() << " values for " << m_diameters.size()
                  << " diameters\n";
        return ExitUsage;
    }

    ZDocument doc;
    m_io.Load(m_file, doc);
    ZNetwork& net = doc.GetNetwork();
    ZSizingProblem problem;
    std::vector<double> metres;
    for (double d : m_diameters)
        metres.push_back(d / 1000.0);
    const ZBalanceParams& stored = doc.GetDrawSettings().Params;
    if (m_costLaw) {
        problem.candidates = ZSizingProblem::FromCostLaw(metres, stored.ParamA, stored.ParamB, 1.0);
    } else {
        for (size_t i = 0; i < metres.size(); ++i)
            problem.candidates.push_back({metres[i], m_unitCosts[i]});
    }
    problem.minFreeHead = m_minFreeHead;
    problem.maxVelocity = m_maxVelocity;
    problem.cases = {m_case == "fire" ? 1 : (m_case == "accident" ? 2 : 0)};
    problem.timeLimit = m_timeLimit;
    problem.seed = static_cast<uint64_t>(m_seed);
    problem.jobs = m_jobs > 0 ? m_jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (size_t at = 0; !m_lock.empty() && at <= m_lock.size();) {
        const size_t comma = std::min(m_lock.find(',', at), m_lock.size());
        const std::string id = m_lock.substr(at, comma - at);
        const ZFlowLink* link = net.FindLink(GbkCodec::FromUtf8(id));
        if (!link || link->GetKind() != ZNetObject::Kind::Pipe) {
            std::cerr << me << "--lock: " << m_file << " has no pipe \"" << id << "\"\n";
            return ExitUsage;
        }
        problem.locked.push_back(link->GetIndex());
        at = comma + 1;
    }
    std::string warning;
    const std::string error = problem.Check(&warning);
    if (!error.empty()) {
        std::cerr << me << TextLanguage::Tr(error) << "\n";
        return ExitUsage;
    }
    if (!warning.empty())
        std::cerr << me << "warning: " << TextLanguage::Tr(warning) << "\n";

    ZBalanceRun check(doc);
    if (!check.CheckConnectivity()) {
        std::cout << TextLanguage::Tr(ZConnectivityCheck::ReportTitle()) << "\n"
                  << TextLanguage::Tr(check.Connectivity().ReportText());
        return 5;
    }

    ZPipeSizing sizing(net, doc.GetDrawSettings(), problem);
    const bool terminal = isatty(STDERR_FILENO) == 1;
    if (terminal)
        sizing.SetListener([](const ZPipeSizing::Point& p) {
            std::fprintf(stderr, "\r%8.2f s  best %.8g%s   ", p.seconds, p.cost, p.feasible ? "" : " (infeasible)");
            std::fflush(stderr);
        });
    SizeProgress progress;
    g_sizeInterrupted = false;
    auto previous = std::signal(SIGINT, OnSizeInterrupt);
    const ZPipeSizing::Result r = sizing.Run(&progress);
    std::signal(SIGINT, previous);
    if (terminal)
        std::fputc('\n', stderr);

    for (size_t k = 0; k < r.freePipes.size(); ++k) {
        auto* p = static_cast<ZPipeLink*>(net.LinkAt(r.freePipes[k]));
        p->PipeDiam = p->PipeInDiam = problem.candidates[static_cast<size_t>(r.design[k])].diameter;
    }
    ZBalanceRun run(doc);
    ZBalanceRun::Params params = run.CurrentParams();
    params.CalcCase = problem.cases.front();
    run.ApplyParams(params);
    const int status = run.Run();

    std::printf("case:             %s\n", CaseWord(problem.cases.front()));
    std::printf("pipes sized:      %zu (locked %zu)\n", r.freePipes.size(), problem.locked.size());
    std::printf("economic design:  %.2f%s\n", r.economicCost, r.economicFeasible ? "" : " (infeasible)");
    std::printf("total cost:       %.2f\n", r.cost);
    std::printf("feasible:         %s\n", r.feasible ? "yes" : "no");
    const ZConsumeNode* lowest = nullptr;
    if (status == ZBalanceInfo::Converged)
        for (const ZConsumeNode* n : net.Nodes())
            if (n->IsFlowKnown() && !n->IsCutOff() && (!lowest || n->FreeHead() < lowest->FreeHead()))
                lowest = n;
    if (lowest)
        std::printf("lowest free head: %.3f m at node %s\n", lowest->FreeHead(),
                    MessageText::Escape(lowest->IdView()).c_str());
    else
        std::printf("balance:          status %d\n", status);
    std::printf("evaluations:      %lld in %d rounds, %.1f s%s\n", r.evaluations, r.rounds, r.seconds,
                r.stopped ? " (stopped)" : "");
    if (!r.feasible) {
        std::printf("nodes below %.3f m:\n", problem.minFreeHead);
        for (const auto& s : r.shortfalls)
            std::printf("  node %-20s %.3f m (%s)\n", MessageText::Escape(net.NodeAt(s.node)->IdView()).c_str(),
                        s.freeHead, CaseWord(s.calcCase));
        if (r.shortfalls.empty())
            std::printf("  (velocity limits or a balance that failed)\n");
    }
    if (!r.feasible) {
        std::printf("not saved: no design keeps the minimum\n");
        return ExitInfeasible;
    }
    m_io.Save(m_save, doc);
    return ExitOk;
}
