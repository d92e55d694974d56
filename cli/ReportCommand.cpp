#include "ReportCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "model/GbkCodec.h"
#include "model/MessageText.h"
#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "report/ZReportBuilder.h"
#include "report/ZReportRuns.h"
#include "report/ZReportXlsxWriter.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <iostream>
#include <vector>

namespace {
std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &tm);
    return text;
}

// The program beside this tool: installed side by side, or in the build tree's app/.
std::string FindProgram()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    for (const std::filesystem::path& p :
         {self.parent_path() / "qen", self.parent_path().parent_path() / "app" / "qen"})
        if (access(p.c_str(), X_OK) == 0)
            return p.string();
    return {};
}
}   // namespace

void ReportCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(
        Name(), "Write the calculation report (xlsx; pdf through the program qen beside qen-cli, which draws it "
                "offscreen and whose exit status is passed on)");
    sub->add_option("FILE", m_file, "Network file")->required();
    sub->add_option("OUT", m_out, "The report: OUT.xlsx or OUT.pdf")->required();
    sub->add_option("--cases", m_cases,
                    "Cases to balance, comma-separated: peak,fire,accident (default: peak, and fire and accident "
                    "when nodes or pipes are marked for them)");
    sub->add_option("--title", m_title, "The project's name in the title block (GBK characters only)");
    sub->add_flag("--simulate", m_simulate, "Add the extended-period simulation of the file's time data");
    sub->add_flag("--fireflow", m_fireFlow,
                  "Add the available fire flow at every node (peak hour, residual head 10 m, others above 0 m)");
    sub->add_flag("--criticality", m_criticality,
                  "Add the failure of every pipe (the file's accident factor, minimum free head 10 m)");
}

int ReportCommand::RunChecks(ZReportRuns& runs, const ZDocument& doc) const
{
    const auto fault = [this](const char* what, int status) {
        std::cerr << "qen-cli report: " << m_file << ": " << what
                  << (status < 0 ? " cannot run: the network is not connected\n"
                                 : " cannot run (status " + std::to_string(status) + ")\n");
        ZReport failed;
        failed.cases.push_back(ZReportCase{});
        failed.cases.back().status = status;
        return ZReportBuilder::ExitStatus(failed);
    };
    if (m_simulate) {
        const int status = runs.Simulate();
        if (!runs.Simulation())
            return fault("the simulation", status);
        const ZSimulationResults& r = *runs.Simulation()->results;
        if (status != ZBalanceInfo::Converged)
            std::cerr << "qen-cli report: the simulation failed after "
                      << ZSimulation::ClockText(r.Time(r.TimeCount() - 1)) << " (status " << status
                      << "); the report shows it up to there\n";
    }
    if (m_fireFlow) {
        const int status = runs.FireFlow(ZFireFlow::Params());
        if (status != ZBalanceInfo::Converged)
            return fault("the fire flow check", status);
    }
    if (m_criticality) {
        ZCriticality::Params params;
        params.AccidentFactor = doc.GetDrawSettings().Params.AccidentFactor;
        const int status = runs.Criticality(params);
        if (status != ZBalanceInfo::Converged)
            return fault("the pipe failure check", status);
    }
    return 0;
}

int ReportCommand::Run()
{
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_file))
        return ExitUsage;
    const std::string ext = DocumentIo::Extension(m_out);
    if (ext != ".xlsx" && ext != ".pdf") {
        std::cerr << "qen-cli report: " << m_out << ": the extension names no report format (xlsx, pdf)\n";
        return ExitUsage;
    }
    std::vector<int> cases;
    if (!m_cases.empty() && !ZReportBuilder::ParseCases(m_cases, cases)) {
        std::cerr << "qen-cli report: --cases wants peak, fire or accident separated by commas, not "
                  << MessageText::Quote(GbkCodec::FromUtf8(m_cases)) << "\n";
        return ExitUsage;
    }
    // The title block is kept in GBK, as the project file holds it.
    if (GbkCodec::ToUtf8(GbkCodec::FromUtf8(m_title)) != m_title) {
        std::cerr << "qen-cli report: --title " << MessageText::Quote(GbkCodec::FromUtf8(m_title))
                  << " holds characters GBK cannot hold (the project file keeps the title in GBK)\n";
        return ExitUsage;
    }
    if (ext == ".pdf")
        return RunProgram();

    AtomicFileWriter::CheckTarget(m_out);   // refused before the balancing
    ZDocument doc;
    m_io.Load(m_file, doc);
    ZReportBuilder::Options options;
    options.cases = cases;
    if (TextLanguage::English())
        options.translate = TextLanguage::Tr;
    ZReportRuns runs(doc);
    if (const int rc = RunChecks(runs, doc); rc != 0)
        return rc;
    options.simulation = runs.Simulation();
    options.fireFlow = runs.FireFlowResults();
    options.criticality = runs.CriticalityResults();
    options.title = ZReportBuilder::TitleOf(doc);
    if (!m_title.empty())
        options.title.project = m_title;
    if (options.title.date.empty())
        options.title.date = Today();
    const ZReport report = ZReportBuilder(doc, m_io.Units()).Build(options);
    ZReportXlsxWriter::Write(report, m_out);
    for (const ZReportCase& c : report.cases)
        std::cout << c.name << ": " << (c.summary.size() > 1 ? c.summary[1].second.text : std::string()) << "\n";
    std::cout << "report written to " << m_out << "\n";
    return ZReportBuilder::ExitStatus(report);
}

int ReportCommand::RunProgram() const
{
    const std::string program = FindProgram();
    if (program.empty()) {
        std::cerr << "qen-cli report: a PDF report is drawn by the program qen, which is not beside qen-cli\n";
        return ExitUsage;
    }
    std::vector<std::string> args{program, "--report",   m_file,
                                  m_out,   "--language", TextLanguage::English() ? "en" : "zh"};
    if (!m_cases.empty())
        args.insert(args.end(), {"--cases", m_cases});
    if (!m_title.empty())
        args.insert(args.end(), {"--title", m_title});
    for (const auto& [on, flag] : {std::pair{m_simulate, "--simulate"}, std::pair{m_fireFlow, "--fireflow"},
                                   std::pair{m_criticality, "--criticality"}})
        if (on)
            args.push_back(flag);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::cout.flush();
    const pid_t pid = fork();
    if (pid < 0) {
        std::cerr << "qen-cli report: cannot start " << program << "\n";
        return ExitUsage;
    }
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 127)
        return WEXITSTATUS(status);
    std::cerr << "qen-cli report: " << program << " did not finish\n";
    return ExitBadFile;
}
