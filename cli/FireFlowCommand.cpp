#include "FireFlowCommand.h"
#include "OutputTarget.h"

#include "CsvText.h"
#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZFireFlow.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

void FireFlowCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Available fire flow at every node (or the named ones)");
    sub->add_option("FILE", m_file, "Network file")->required();
    CLI::Option* nodes =
        sub->add_option("--nodes", m_nodes, "Check these nodes (comma-separated identifiers)")->delimiter(',');
    sub->add_flag("--all", m_all, "Check every node a demand can be put on (the default)")->excludes(nodes);
    sub->add_option("--case", m_case, "Demands of the peak-hour or the fire case (default peak)")
        ->check(CLI::IsMember({"peak", "fire"}));
    NumberOptions::Add(sub, "--residual-head", m_residualHead, {0.0, 1e4},
                       "R (m): free head the node must keep (default 10)");
    NumberOptions::Add(sub, "--system-min-head", m_systemMinHead, {0.0, 1e4},
                       "S (m): free head no other node may fall below (default 0)");
    NumberOptions::Add(sub, "--required-flow", m_requiredFlow, {0.0, 1e3, true},
                       "Q (m3/s): count the nodes that cannot deliver it");
    m_sweep.Register(sub);
}

int FireFlowCommand::Run()
{
    if (!m_sweep.ParsePart(Name()) || OutputTarget::IsInput(Name(), "--csv", m_sweep.Csv(), m_file))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_file, doc);
    const ZNetwork& net = doc.GetNetwork();
    std::vector<int> all;
    if (!m_nodes.empty()) {
        for (const std::string& id : m_nodes) {
            const ZConsumeNode* n = net.FindNode(GbkCodec::FromUtf8(id));
            if (!n) {
                std::cerr << "qen-cli fireflow: no node \"" << id << "\" in the network\n";
                return ExitUsage;
            }
            if (!ZFireFlow::IsCandidate(*n)) {
                std::cerr << "qen-cli fireflow: node \"" << id << "\" has a known head or is inside a device\n";
                return ExitUsage;
            }
            all.push_back(n->GetIndex());
        }
    } else {
        for (const ZConsumeNode* n : net.Nodes())
            if (ZFireFlow::IsCandidate(*n))
                all.push_back(n->GetIndex());
    }
    const std::vector<int> items = m_sweep.Slice(all);

    ZBalanceRun check(doc);
    if (!check.CheckConnectivity()) {
        std::cout << TextLanguage::Tr(ZConnectivityCheck::ReportTitle()) << "\n"
                  << TextLanguage::Tr(check.Connectivity().ReportText());
        return ExitSplitNetwork;
    }
    ZFireFlow::Params params;
    params.CalcCase = m_case == "fire" ? ZDrawSettings::Fire : ZDrawSettings::PeakHour;
    params.ResidualHead = m_residualHead;
    params.SystemMinHead = m_systemMinHead;
    params.Jobs = m_sweep.Jobs();
    const auto t0 = std::chrono::steady_clock::now();
    ZFireFlow fire(net, doc.GetDrawSettings(), params);
    const int status = fire.Prepare();
    if (status != ZBalanceInfo::Converged) {
        std::cerr << "qen-cli fireflow: " << m_file << ": the base case does not balance (status " << status << ")\n";
        if (status == ZBalanceInfo::InvalidData)
            return ExitBadFile;
        return status == ZBalanceInfo::NoHeadKnownNode ? ExitNoKnownHead
               : status == ZBalanceInfo::Diverged      ? ExitDiverged
                                                       : ExitNotConverged;
    }
    SweepOptions::Terminal progress;
    if (!fire.Run(items, &progress)) {
        std::cerr << "qen-cli fireflow: stopped; nothing written\n";
        return ExitNotConverged;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    std::string csv = m_sweep.FirstPart() ? "id,available_m3s,limiting_id,limiting_free_head_m\n" : "";
    int zero = 0, belowRequired = 0, noHead = 0;
    long long balances = 0;
    const ZFireFlow::Result* lowest = nullptr;
    for (const ZFireFlow::Result& r : fire.Results()) {
        csv += CsvText::Field(net.NodeAt(r.node)->IdView()) + ',' + SweepOptions::Number(r.available) + ',';
        if (r.limiting >= 0)
            csv += CsvText::Field(net.NodeAt(r.limiting)->IdView());
        csv += ',';
        if (r.limiting >= 0 && !r.noHead)
            csv += SweepOptions::Number(r.limitingFreeHead);
        csv += '\n';
        zero += r.available == 0.0;
        noHead += r.noHead;
        belowRequired += m_requiredFlow && r.available < *m_requiredFlow;
        balances += r.balances;
        if (!lowest || r.available < lowest->available)
            lowest = &r;
    }
    if (!m_sweep.Csv().empty())
        AtomicFileWriter::Write(m_sweep.Csv(), csv);

    std::printf("case:              %s\n", TextLanguage::Tr(ZBalanceRun::CaseName(params.CalcCase)).c_str());
    std::printf("part:              %s\n", m_sweep.PartText().c_str());
    std::printf("nodes checked:     %zu\n", fire.Results().size());
    std::printf("residual head:     %s m, system minimum %s m\n", SweepOptions::Number(m_residualHead).c_str(),
                SweepOptions::Number(m_systemMinHead).c_str());
    std::printf("below the minimum without fire flow (left out): %zu\n", fire.LowBaseNodes().size());
    for (size_t i = 0; i < fire.LowBaseNodes().size() && i < 20; ++i)
        std::printf("  node   %s\n", MessageText::Escape(net.NodeAt(fire.LowBaseNodes()[i])->IdView()).c_str());
    std::printf("no flow available: %d\n", zero);
    if (noHead)
        std::printf("cut off (no head): %d\n", noHead);
    if (m_requiredFlow)
        std::printf("below the required flow %s m3/s: %d\n", SweepOptions::Number(*m_requiredFlow).c_str(),
                    belowRequired);
    if (lowest)
        std::printf("lowest available:  %.6f m3/s at node %s\n", lowest->available,
                    MessageText::Escape(net.NodeAt(lowest->node)->IdView()).c_str());
    std::printf("balances:          %lld\n", balances);
    std::printf("wall time:         %.3f s\n", seconds);
    return ExitOk;
}
