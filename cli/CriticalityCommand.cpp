#include "CriticalityCommand.h"
#include "OutputTarget.h"

#include "CsvText.h"
#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZCriticality.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

void CriticalityCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Failure of every pipe (or the named ones), one at a time");
    sub->add_option("FILE", m_file, "Network file")->required();
    CLI::Option* pipes =
        sub->add_option("--pipes", m_pipes, "Fail these pipes (comma-separated identifiers)")->delimiter(',');
    sub->add_flag("--all", m_all, "Fail every pipe (the default)")->excludes(pipes);
    NumberOptions::Add(sub, "--accident-factor", m_accidentFactor, {0.0, 1.0},
                       "Demand factor of the accident case, 0..1 (default: the file's)");
    NumberOptions::Add(sub, "--min-free-head", m_minFreeHead, {0.0, 1e4},
                       "H (m): count the nodes below this free head (default 10)");
    m_sweep.Register(sub);
}

int CriticalityCommand::Run()
{
    if (!m_sweep.ParsePart(Name()) || OutputTarget::IsInput(Name(), "--csv", m_sweep.Csv(), m_file))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_file, doc);
    const ZNetwork& net = doc.GetNetwork();
    std::vector<int> all;
    if (!m_pipes.empty()) {
        for (const std::string& id : m_pipes) {
            const ZFlowLink* l = net.FindLink(GbkCodec::FromUtf8(id));
            if (!l || l->GetKind() != ZNetObject::Kind::Pipe) {
                std::cerr << "qen-cli criticality: no pipe \"" << id << "\" in the network\n";
                return ExitUsage;
            }
            all.push_back(l->GetIndex());
        }
    } else {
        for (const ZFlowLink* l : net.Links())
            if (l->GetKind() == ZNetObject::Kind::Pipe)
                all.push_back(l->GetIndex());
    }
    const std::vector<int> items = m_sweep.Slice(all);

    ZBalanceRun check(doc);
    if (!check.CheckConnectivity()) {
        std::cout << TextLanguage::Tr(ZConnectivityCheck::ReportTitle()) << "\n"
                  << TextLanguage::Tr(check.Connectivity().ReportText());
        return ExitSplitNetwork;
    }
    ZCriticality::Params params;
    params.AccidentFactor = m_accidentFactor ? *m_accidentFactor : doc.GetDrawSettings().Params.AccidentFactor;
    params.MinFreeHead = m_minFreeHead;
    params.Jobs = m_sweep.Jobs();
    const auto t0 = std::chrono::steady_clock::now();
    ZCriticality sweep(net, doc.GetDrawSettings(), params);
    const int status = sweep.Prepare();
    if (status != ZBalanceInfo::Converged) {
        std::cerr << "qen-cli criticality: " << m_file << ": the accident case does not balance (status " << status
                  << ")\n";
        if (status == ZBalanceInfo::InvalidData)
            return ExitBadFile;
        return status == ZBalanceInfo::NoHeadKnownNode ? ExitNoKnownHead
               : status == ZBalanceInfo::Diverged      ? ExitDiverged
                                                       : ExitNotConverged;
    }
    SweepOptions::Terminal progress;
    if (!sweep.Run(items, &progress)) {
        std::cerr << "qen-cli criticality: stopped; nothing written\n";
        return ExitNotConverged;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    std::string csv = m_sweep.FirstPart() ? "pipe_id,cut_off,nodes_below,worst_id,worst_free_head_m\n" : "";
    int splitting = 0, short_ = 0, failed = 0;
    const ZCriticality::Result* most = nullptr;
    for (const ZCriticality::Result& r : sweep.Results()) {
        csv += CsvText::Field(net.LinkAt(r.pipe)->IdView()) + ',' + std::to_string(r.cutOff) + ',' +
               std::to_string(r.nodesBelow) + ',';
        if (r.worst >= 0)
            csv += CsvText::Field(net.NodeAt(r.worst)->IdView()) + ',' + SweepOptions::Number(r.worstFreeHead);
        else
            csv += ',';
        csv += '\n';
        splitting += r.cutOff > 0;
        short_ += r.nodesBelow > 0;
        failed += r.failed;
        if (!most || r.cutOff + r.nodesBelow > most->cutOff + most->nodesBelow)
            most = &r;
    }
    if (!m_sweep.Csv().empty())
        AtomicFileWriter::Write(m_sweep.Csv(), csv);

    std::printf("accident factor:   %s\n", SweepOptions::Number(params.AccidentFactor).c_str());
    std::printf("part:              %s\n", m_sweep.PartText().c_str());
    std::printf("pipes checked:     %zu\n", sweep.Results().size());
    std::printf("pipes cutting off nodes: %d\n", splitting);
    std::printf("pipes leaving nodes below %s m: %d\n", SweepOptions::Number(m_minFreeHead).c_str(), short_);
    if (failed)
        std::printf("balances that failed: %d\n", failed);
    if (most)
        std::printf("most affecting:    pipe %s, %d cut off, %d below\n",
                    MessageText::Escape(net.LinkAt(most->pipe)->IdView()).c_str(), most->cutOff, most->nodesBelow);
    std::printf("wall time:         %.3f s\n", seconds);
    return ExitOk;
}
