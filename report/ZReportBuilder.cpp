#include "ZReportBuilder.h"
#include "ZReportTables.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZBalanceSummary.h"
#include "model/GbkCodec.h"
#include "model/ProgressObserver.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "persist/project/ProjectFile.h"

#include <algorithm>
#include <memory>

namespace {
// One case's share of the whole build's progress.
class CaseProgress : public ProgressObserver {
public:
    CaseProgress(ProgressObserver* outer, double from, double share) : m_outer(outer), m_from(from), m_share(share) {}
    void Progress(double fraction) override
    {
        if (m_outer)
            m_outer->Progress(m_from + m_share * std::min(fraction, 1.0));
    }
    bool StopRequested() const override { return m_outer && m_outer->StopRequested(); }

private:
    ProgressObserver* m_outer;
    double m_from, m_share;
};

ZReportCell In(const UnitCategory& u, double v)
{
    return ZReportCell::Num(u.ToDisplay(v), u.Precision());
}

}   // namespace

std::vector<int> ZReportBuilder::CasesOf(const ZDocument& doc)
{
    bool fire = false, accident = false;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes())
        fire = fire || n->IsFireNode();
    for (const ZFlowLink* l : doc.GetNetwork().Links())
        accident = accident || l->HasFlag(qen::FLAG_ACCIDENT_PIPE);
    std::vector<int> cases{ZDrawSettings::PeakHour};
    if (fire)
        cases.push_back(ZDrawSettings::Fire);
    if (accident)
        cases.push_back(ZDrawSettings::Accident);
    return cases;
}

ZTitleBlock ZReportBuilder::TitleOf(const ZDocument& doc)
{
    const ZProjectTitle& t = doc.GetProjectTitle();
    return {GbkCodec::ToUtf8(t.Project), GbkCodec::ToUtf8(t.Designer), GbkCodec::ToUtf8(t.Date)};
}

bool ZReportBuilder::ParseCases(const std::string& text, std::vector<int>& cases)
{
    cases.clear();
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        int c = -1;
        if (name == "peak")
            c = 0;
        else if (name == "fire")
            c = 1;
        else if (name == "accident")
            c = 2;
        if (c < 0)
            return false;
        if (std::find(cases.begin(), cases.end(), c) == cases.end())
            cases.push_back(c);
        start = comma + 1;
    }
    return !cases.empty();
}

int ZReportBuilder::ExitStatus(const ZReport& report)
{
    for (const ZReportCase& c : report.cases) {
        switch (c.status) {
        case ZBalanceInfo::Converged:
            continue;
        case -1:
            return 5;
        case ZBalanceInfo::NoHeadKnownNode:
            return 4;
        case ZBalanceInfo::Diverged:
            return 6;
        case ZBalanceInfo::InvalidData:
            return 2;
        default:
            return 3;
        }
    }
    return 0;
}

ZReport ZReportBuilder::Build(const Options& options, ProgressObserver* progress) const
{
    ZReport report;
    report.text = ZReportText(options.translate);
    const ZReportText& tr = report.text;
    report.heading = tr(report.heading);
    report.title = options.title;
    report.parameters = Parameters(options.minFreeHead, tr);
    const std::vector<int> cases = options.cases.empty() ? CasesOf(m_doc) : options.cases;
    const double share = 1.0 / static_cast<double>(cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        CaseProgress p(progress, share * static_cast<double>(i), share);
        report.cases.push_back(BuildCase(cases[i], options.minFreeHead, tr, &p));
        if (progress && progress->StopRequested()) {
            report.stopped = true;
            return report;
        }
    }
    const ZNetwork& net = m_doc.GetNetwork();
    std::vector<ZReportSection> sections;
    if (options.simulation)
        sections.push_back(ZSimulationSection(net, m_units, options.minFreeHead, tr).Build(*options.simulation));
    if (options.fireFlow)
        sections.push_back(ZDesignCheckSection(net, m_units, tr).FireFlow(*options.fireFlow));
    if (options.criticality)
        sections.push_back(ZDesignCheckSection(net, m_units, tr).Criticality(*options.criticality));
    for (ZReportSection& s : sections)
        if (!s.name.empty())   // results that no longer fit the network are left out
            report.sections.push_back(std::move(s));
    if (progress)
        progress->Progress(1.0);
    return report;
}

std::vector<ZReportItem> ZReportBuilder::Parameters(double minFreeHead, const ZReportText& tr) const
{
    const ZBalanceParams& p = m_doc.GetDrawSettings().Params;
    const UnitCategory& head = m_units.Hydr();
    std::vector<ZReportItem> items;
    items.push_back({tr("计算精度 (m)"), ZReportCell::Num(p.HeadTolerance, -1)});
    items.push_back({tr("最大计算次数"),
                     p.MaxIterations < 0 ? ZReportCell::Str(tr("不限")) : ZReportCell::Num(p.MaxIterations, 0)});
    items.push_back({tr("事故工况水量折减系数"), ZReportCell::Num(p.AccidentFactor, -1)});
    const bool pressure = p.DemandModel == ZBalanceParams::PressureDriven;
    items.push_back({tr("需水模型"), ZReportCell::Str(tr(pressure ? "按压力供水" : "按需供水"))});
    if (pressure) {
        items.push_back({tr.WithUnit("最小压力 P0", head.UnitName()), In(head, p.MinPressure)});
        items.push_back({tr.WithUnit("需要压力 PR", head.UnitName()), In(head, p.RequiredPressure)});
        items.push_back({tr("压力指数"), ZReportCell::Num(p.PressureExponent, -1)});
    }
    items.push_back({tr("止回阀防止倒流"), ZReportCell::Str(tr(p.CheckValvesClose ? "是" : "否"))});
    items.push_back({tr.WithUnit("最小服务水头", head.UnitName()), In(head, minFreeHead)});
    const ZNetwork& net = m_doc.GetNetwork();
    items.push_back({tr("节点数"), ZReportCell::Num(net.Nodes().Count(), 0)});
    items.push_back({tr("管段数"), ZReportCell::Num(net.Links().Count(), 0)});
    return items;
}

ZReportCase ZReportBuilder::BuildCase(int calcCase, double minFreeHead, const ZReportText& tr,
                                      ProgressObserver* progress) const
{
    // The case is balanced on a copy: the document keeps its own results.
    const std::string bytes = ProjectFile::Serialize(m_doc);
    auto copy = std::make_unique<ZDocument>(static_cast<int>(m_doc.GetDrawSettings().NodeFreeHeadGrades.size() + 1),
                                            static_cast<int>(m_doc.GetDrawSettings().PipeVeloGrades.size() + 1));
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "", *copy);
    // Balancing parameters beyond the file's (a command-line option) come along.
    copy->GetDrawSettings().Params = m_doc.GetDrawSettings().Params;

    ZReportCase c;
    c.calcCase = calcCase;
    c.name = tr(ZBalanceRun::CaseName(calcCase));
    const UnitCategory& flow = m_units.FlowUnit();
    const UnitCategory& head = m_units.Hydr();
    c.summary.push_back({tr("工况"), ZReportCell::Str(c.name)});

    ZBalanceRun run(*copy);
    ZBalanceRun::Params params = run.CurrentParams();
    params.CalcCase = calcCase;
    const double tolerance = copy->GetDrawSettings().Params.HeadTolerance;
    run.ApplyParams(params);
    copy->GetDrawSettings().Params.HeadTolerance = tolerance;   // as stored, not rounded to a step
    if (!run.CheckConnectivity()) {
        c.status = -1;
        c.summary.push_back({tr("计算状态"), ZReportCell::Str(tr("管网不连通, 未平差"))});
        c.summary.push_back({tr("说明"), ZReportCell::Str(tr(run.Connectivity().ReportText()))});
        c.tables = ZReportTables(*copy, m_units, false, tr).Build(c.name);
        return c;
    }
    c.status = run.Run(progress);
    c.converged = c.status == ZBalanceInfo::Converged;
    const ZBalanceSummary s(run, copy->GetNetwork(), tolerance, minFreeHead);
    const std::string status = tr(ZBalanceSummary::StatusText(c.status));
    c.summary.push_back(
        {tr("计算状态"), ZReportCell::Str(c.converged ? status : tr.Format("%1, 表中只列原始数据", {status}))});
    c.summary.push_back({tr("计算次数"), ZReportCell::Num(run.Iterations(), 0)});
    c.summary.push_back({tr("最后校正值 (m)"), ZReportCell::Num(run.MaxCorrection(), -1)});
    if (!run.Message().empty())
        c.summary.push_back({tr("说明"), ZReportCell::Str(tr(run.Message()))});
    if (c.converged) {
        const ZDrawSettings& ds = copy->GetDrawSettings();
        const ZBalanceContext ctx(ds.CalcCase, ds.Params.AccidentFactor);
        double demand = 0.0;
        for (const ZConsumeNode* n : copy->GetNetwork().Nodes())
            if (n->IsFlowKnown())
                demand += s.PressureDriven() ? n->NodeDeliveredFlow : n->CaseDemand(ctx);
        c.summary.push_back({tr.WithUnit("总用水量", flow.UnitName()), In(flow, demand)});
        for (const ZBalanceSummary::Supply& sup : s.Supplies())
            c.summary.push_back({tr.Format(sup.tank ? "水池 %1 供水量 (%2)" : "水源 %1 供水量 (%2)",
                                           {GbkCodec::ToUtf8(sup.id), flow.UnitName()}),
                                 In(flow, sup.flow)});
        c.summary.push_back({tr.WithUnit("供水量合计", flow.UnitName()), In(flow, s.TotalSupply())});
        if (s.HasLowest()) {
            c.summary.push_back({tr.WithUnit("最低自由水头", head.UnitName()), In(head, s.Lowest().freeHead)});
            c.summary.push_back({tr("最低自由水头节点"), ZReportCell::Str(GbkCodec::ToUtf8(s.Lowest().id))});
        }
        c.summary.push_back(
            {tr("低于最小服务水头的节点数"), ZReportCell::Num(static_cast<double>(s.BelowMinimum().size()), 0)});
        if (s.PressureDriven()) {
            c.summary.push_back({tr("供水不足节点数"), ZReportCell::Num(s.DeficientCount(), 0)});
            c.summary.push_back({tr.WithUnit("缺水量", flow.UnitName()), In(flow, s.Shortage())});
        }
    }
    c.tables = ZReportTables(*copy, m_units, c.converged, tr).Build(c.name);
    return c;
}
