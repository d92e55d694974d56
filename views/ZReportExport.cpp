#include "ZReportExport.h"

#include "GbkText.h"
#include "NetworkImageExporter.h"
#include "ZReportPdfWriter.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "persist/AtomicFileWriter.h"
#include "persist/project/ProjectFile.h"
#include "text/CCoreText.h"
#include "report/ZReportRuns.h"
#include "report/ZReportXlsxWriter.h"

#include <QDate>
#include <QFileInfo>

#include <memory>

namespace {
// A copy of the document balanced in the report's first case, graded by free head and velocity
// for the map; without results when it does not balance (the map then shows the network only).
std::unique_ptr<ZDocument> MapDocument(const ZDocument& doc, const ZSettingsStore& settings, int calcCase)
{
    auto copy = std::make_unique<ZDocument>(static_cast<int>(settings.Colors().NodeGradeColors.size()),
                                            static_cast<int>(settings.Colors().PipeGradeColors.size()));
    const std::string bytes = ProjectFile::Serialize(doc);
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "", *copy);
    copy->GetDrawSettings().Params = doc.GetDrawSettings().Params;
    ZBalanceRun run(*copy);
    ZBalanceRun::Params p = run.CurrentParams();
    p.CalcCase = calcCase;
    const double tolerance = copy->GetDrawSettings().Params.HeadTolerance;
    run.ApplyParams(p);
    copy->GetDrawSettings().Params.HeadTolerance = tolerance;
    if (run.CheckConnectivity() && run.Run() == ZBalanceInfo::Converged) {
        QString unused;
        NetworkImageExporter(*copy, settings).ShowGrades(unused);
    } else {
        copy->GetDrawSettings().Balanced = 0;
    }
    return copy;
}
}   // namespace

QString ZReportExport::FormatOf(const QString& output)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    return suffix == QStringLiteral("xlsx") || suffix == QStringLiteral("pdf") ? suffix : QString();
}

bool ZReportExport::FitsGbk(const QString& text)
{
    return GbkText::ToQString(GbkText::FromQString(text)) == text;
}

bool ZReportExport::Write(const ZDocument& doc, const ZSettingsStore& settings, const QString& output,
                          ZReportBuilder::Options options, QString& message, int* status, ProgressObserver* progress)
{
    const QString format = FormatOf(output);
    if (format.isEmpty()) {
        message = QStringLiteral("%1: the extension names no report format (xlsx, pdf)").arg(output);
        return false;
    }
    if (options.title.date.empty())
        options.title.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    options.minFreeHead = settings.MinFreeHead;
    options.translate = CCoreText::TrStd;   // the report in the interface's language
    try {
        AtomicFileWriter::CheckTarget(output.toStdString());
        const ZReport report = ZReportBuilder(doc, settings.Units()).Build(options, progress);
        if (report.stopped) {
            message = QStringLiteral("stopped");
            return false;
        }
        if (format == QStringLiteral("xlsx")) {
            ZReportXlsxWriter::Write(report, output.toStdString());
        } else {
            const int firstCase = report.cases.empty() ? 0 : report.cases.front().calcCase;
            std::unique_ptr<ZDocument> mapDoc = MapDocument(doc, settings, firstCase);
            NetworkImageExporter map(*mapDoc, settings);
            if (!ZReportPdfWriter(report, &map).Write(output, &message))
                return false;
        }
        if (status)
            *status = ZReportBuilder::ExitStatus(report);
        return true;
    } catch (const std::exception& e) {
        message = QString::fromStdString(e.what());
        return false;
    }
}

int ZReportExport::Run(const QString& input, const QString& output, const QString& cases, const QString& title,
                       const Checks& checks, const ZSettingsStore& settings, QString& message)
{
    ZReportBuilder::Options options;
    if (!cases.isEmpty() && !ZReportBuilder::ParseCases(cases.toStdString(), options.cases)) {
        message = QStringLiteral("--cases wants peak, fire or accident separated by commas, not \"%1\"").arg(cases);
        return ExitUsage;
    }
    if (!FitsGbk(title)) {
        message = QStringLiteral("--title \"%1\" holds characters GBK cannot hold (the project file keeps the title "
                                 "in GBK)")
                      .arg(title);
        return ExitUsage;
    }
    if (FormatOf(output).isEmpty()) {
        message = QStringLiteral("%1: the extension names no report format (xlsx, pdf)").arg(output);
        return ExitUsage;
    }
    ZDocument doc(static_cast<int>(settings.Colors().NodeGradeColors.size()),
                  static_cast<int>(settings.Colors().PipeGradeColors.size()));
    if (!NetworkImageExporter::Load(input, doc, settings, message))
        return ExitBadFile;
    options.title = ZReportBuilder::TitleOf(doc);
    if (!title.isEmpty())
        options.title.project = title.toStdString();
    ZReportRuns runs(doc);
    const auto failed = [&message, &input](const char* what, int status) {
        message = QStringLiteral("%1: %2 cannot run (status %3)").arg(input, QLatin1String(what)).arg(status);
        ZReport report;
        report.cases.emplace_back().status = status;
        return ZReportBuilder::ExitStatus(report);
    };
    if (checks.simulate) {
        if (const int s = runs.Simulate(); !runs.Simulation())
            return failed("the simulation", s);
    }
    if (checks.fireFlow) {
        if (const int s = runs.FireFlow(ZFireFlow::Params()); s != ZBalanceInfo::Converged)
            return failed("the fire flow check", s);
    }
    if (checks.criticality) {
        ZCriticality::Params params;
        params.AccidentFactor = doc.GetDrawSettings().Params.AccidentFactor;
        if (const int s = runs.Criticality(params); s != ZBalanceInfo::Converged)
            return failed("the pipe failure check", s);
    }
    options.simulation = runs.Simulation();
    options.fireFlow = runs.FireFlowResults();
    options.criticality = runs.CriticalityResults();
    int status = 0;
    return Write(doc, settings, output, options, message, &status) ? status : ExitBadFile;
}
