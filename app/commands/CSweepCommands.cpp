#include "CSweepCommands.h"
#include "CCommandWindow.h"
#include "CQENDoc.h"
#include "CSweepState.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSweepParamsDlg.h"
#include "app/dialogs/CRunProgress.h"
#include "views/CQENGridView.h"
#include "views/CQENView.h"
#include "views/CommandIds.h"
#include "text/CCoreText.h"
#include "views/CommandState.h"
#include "views/UiPrompt.h"
#include "views/ZResultColouring.h"
#include "views/ZSweepColumns.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ZSettingsStore.h"

#include <algorithm>

namespace {
QString Quoted(GbkView id)
{
    return QString::fromStdString(MessageText::Quote(id));
}
}   // namespace

CSweepCommands::CSweepCommands(CCommandWindow& window) : m_window(window) {}

bool CSweepCommands::OnCommand(int id)
{
    CQENDoc* doc = m_window.ActiveDocument();
    switch (id) {
    case Cmd::FireFlow:
        if (doc)
            FireFlow(*doc);
        return true;
    case Cmd::PipeFailure:
        if (doc)
            Failures(*doc);
        return true;
    case Cmd::FireFlowColours:
        if (CSweepState* state = doc ? CSweepState::Of(*doc) : nullptr)
            state->SetFireFlowColours(!state->FireFlowColours());
        return true;
    case Cmd::FailureColours:
        if (CSweepState* state = doc ? CSweepState::Of(*doc) : nullptr)
            state->SetFailureColours(!state->FailureColours());
        return true;
    default:
        return false;
    }
}

bool CSweepCommands::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case Cmd::FireFlow:
    case Cmd::PipeFailure:
        state.enabled = m_window.ActiveDocument() != nullptr;
        return true;
    case Cmd::FireFlowColours:
    case Cmd::FailureColours: {
        const CQENDoc* doc = m_window.ActiveDocument();
        const CSweepState* sweep = doc ? CSweepState::Of(*doc) : nullptr;
        const bool fire = id == Cmd::FireFlowColours;
        state.enabled = sweep && (fire ? sweep->HasFireFlow() : sweep->HasFailures());
        state.checked = sweep && (fire ? sweep->FireFlowColours() : sweep->FailureColours());
        return true;
    }
    default:
        return false;
    }
}

void CSweepCommands::AttachView(CQENDoc& doc, QWidget* view)
{
    CSweepState& state = CSweepState::Make(doc);
    if (auto* grid = qobject_cast<CQENGridView*>(view)) {
        auto tables = [&doc, &state, grid]() {
            const ZNetwork& net = doc.Data().GetNetwork();
            grid->SetResultTable(ZSweepColumns::FireFlowTab,
                                 state.HasFireFlow() ? std::make_shared<const ZSweepColumns>(net, state.FireFlow())
                                                     : nullptr);
            grid->SetResultTable(ZSweepColumns::FailureTab,
                                 state.HasFailures() ? std::make_shared<const ZSweepColumns>(net, state.Failures())
                                                     : nullptr);
        };
        QObject::connect(&state, &CSweepState::stateChanged, grid, tables);
        tables();
    } else if (auto* graphic = qobject_cast<CQENView*>(view)) {
        auto colours = [&doc, &state, graphic]() {
            if (!state.FireFlowColours() && !state.FailureColours()) {
                graphic->SetResultColouring(nullptr);
                return;
            }
            const ZNetwork& net = doc.Data().GetNetwork();
            auto c = std::make_shared<ZResultColouring>();
            if (state.FireFlowColours())
                c->nodes = ZResultColouring::FireFlow(state.FireFlow(), net, doc.Settings().Units());
            if (state.FailureColours())
                c->pipes = ZResultColouring::Failures(state.Failures(), net);
            graphic->SetResultColouring(std::move(c));
        };
        QObject::connect(&state, &CSweepState::coloursChanged, graphic, colours);
        colours();
    }
}

bool CSweepCommands::Connected(CQENDoc& doc)
{
    ZBalanceRun check(doc.Data());
    if (check.CheckConnectivity())
        return true;
    const QString title = QString::fromStdString(ZConnectivityCheck::ReportTitle());
    CReportWindow& report = m_window.ReportWindow();
    report.SetTitle(title);
    report.AppendSection(title + QStringLiteral(": ") + doc.Title(),
                         QString::fromStdString(check.Connectivity().ReportText()));
    report.ShowReport();
    return false;
}

void CSweepCommands::Report(CQENDoc& doc, const QString& title, const QString& text)
{
    CReportWindow& report = m_window.ReportWindow();
    report.SetTitle(title);
    report.AppendSection(QStringLiteral("%1: %2").arg(title, doc.Title()), text);
    report.ShowReport();
}

bool CSweepCommands::FireFlow(CQENDoc& doc)
{
    if (!Connected(doc))
        return false;
    ZDocument& data = doc.Data();
    const ZNetwork& net = data.GetNetwork();
    std::vector<int> all, selected;
    for (const ZConsumeNode* n : net.Nodes()) {
        if (!ZFireFlow::IsCandidate(*n))
            continue;
        all.push_back(n->GetIndex());
        if (n->IsSelected())
            selected.push_back(n->GetIndex());
    }
    CSweepState& state = CSweepState::Make(doc);
    ZFireFlow::Params params = state.FireFlowParams();
    CSweepParamsDlg dlg(CSweepParamsDlg::FireFlow, doc.Prompt(), m_window.DialogOwner());
    dlg.SetValues(params.ResidualHead, params.SystemMinHead, static_cast<int>(selected.size()));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    params.ResidualHead = dlg.First();
    params.SystemMinHead = dlg.Second();
    ZFireFlow fire(net, data.GetDrawSettings(), params);
    if (const int status = fire.Prepare(); status != ZBalanceInfo::Converged) {
        doc.Prompt().Warn(tr("%1不能平差 (状态 %2), 不能进行消防流量分析。")
                              .arg(CCoreText::Tr(ZBalanceRun::CaseName(params.CalcCase)))
                              .arg(status)
                              .toStdString());
        return false;
    }
    const QString title = tr("消防流量分析");
    bool done = false;
    {
        CRunProgress progress(m_window.DialogOwner(), doc.Prompt(), title, tr("正在逐个计算..."));
        done = fire.Run(dlg.SelectedOnly() ? selected : all, &progress);
    }
    if (!done)
        return false;
    state.SetFireFlow(fire.Results(), params);
    QString text = FireFlowReport(state, net, doc.Settings().Units());
    if (!fire.LowBaseNodes().empty()) {
        text += tr("未加消防流量时已低于 S 的节点 (不计入): %1\n").arg(fire.LowBaseNodes().size());
        for (size_t i = 0; i < fire.LowBaseNodes().size() && i < 10; ++i)
            text += QStringLiteral("  ") + Quoted(net.NodeAt(fire.LowBaseNodes()[i])->IdView()) + QLatin1Char('\n');
    }
    Report(doc, title, text);
    return true;
}

bool CSweepCommands::Failures(CQENDoc& doc)
{
    if (!Connected(doc))
        return false;
    ZDocument& data = doc.Data();
    const ZNetwork& net = data.GetNetwork();
    std::vector<int> all, selected;
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        all.push_back(l->GetIndex());
        if (l->IsSelected())
            selected.push_back(l->GetIndex());
    }
    CSweepState& state = CSweepState::Make(doc);
    ZCriticality::Params params = state.FailureParams();
    if (!state.HasFailures())
        params.AccidentFactor = data.GetDrawSettings().Params.AccidentFactor;
    CSweepParamsDlg dlg(CSweepParamsDlg::Failure, doc.Prompt(), m_window.DialogOwner());
    dlg.SetValues(params.AccidentFactor, params.MinFreeHead, static_cast<int>(selected.size()));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    params.AccidentFactor = dlg.First();
    params.MinFreeHead = dlg.Second();
    ZCriticality sweep(net, data.GetDrawSettings(), params);
    if (const int status = sweep.Prepare(); status != ZBalanceInfo::Converged) {
        doc.Prompt().Warn(tr("事故工况不能平差 (状态 %1), 不能进行事故分析。").arg(status).toStdString());
        return false;
    }
    const QString title = tr("事故分析");
    bool done = false;
    {
        CRunProgress progress(m_window.DialogOwner(), doc.Prompt(), title, tr("正在逐个计算..."));
        done = sweep.Run(dlg.SelectedOnly() ? selected : all, &progress);
    }
    if (!done)
        return false;
    state.SetFailures(sweep.Results(), params);
    Report(doc, title, FailureReport(state, net));
    return true;
}

QString CSweepCommands::FireFlowReport(const CSweepState& state, const ZNetwork& net, const UnitSystem& units,
                                       int worst)
{
    const UnitCategory& flow = units.FlowUnit();
    const ZFireFlow::Params& p = state.FireFlowParams();
    const std::vector<ZFireFlow::Result>& results = state.FireFlow();
    int zero = 0, noHead = 0;
    for (const ZFireFlow::Result& r : results) {
        zero += r.available == 0.0;
        noHead += r.noHead;
    }
    QString s;
    s += tr("计算节点: %1\n").arg(results.size());
    s += tr("剩余水压 R: %1 m, 其他节点最低水压 S: %2 m\n")
             .arg(QString::fromStdString(NumberFormat::G(p.ResidualHead)),
                  QString::fromStdString(NumberFormat::G(p.SystemMinHead)));
    s += tr("无可用消防流量的节点: %1\n").arg(zero);
    if (noHead)
        s += tr("与水源隔开的节点: %1\n").arg(noHead);
    std::vector<const ZFireFlow::Result*> order;
    for (const ZFireFlow::Result& r : results)
        order.push_back(&r);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->available < b->available; });
    if (order.size() > static_cast<size_t>(worst))
        order.resize(static_cast<size_t>(worst));
    if (!order.empty())
        s += tr("可用消防流量最小的节点 (%1):\n").arg(QString::fromStdString(flow.UnitName()));
    for (const ZFireFlow::Result* r : order) {
        s += QStringLiteral("  %1  %2")
                 .arg(Quoted(net.NodeAt(r->node)->IdView()), QString::fromStdString(flow.FormatFixed(r->available)));
        if (r->limiting >= 0 && !r->noHead)
            s += tr("  受限于节点 %1 (%2 m)")
                     .arg(Quoted(net.NodeAt(r->limiting)->IdView()),
                          QString::fromStdString(NumberFormat::Fixed(r->limitingFreeHead, 2)));
        s += QLatin1Char('\n');
    }
    return s;
}

QString CSweepCommands::FailureReport(const CSweepState& state, const ZNetwork& net, int worst)
{
    const ZCriticality::Params& p = state.FailureParams();
    const std::vector<ZCriticality::Result>& results = state.Failures();
    int splitting = 0, shortOf = 0, failed = 0;
    for (const ZCriticality::Result& r : results) {
        splitting += r.cutOff > 0;
        shortOf += r.nodesBelow > 0;
        failed += r.failed;
    }
    QString s;
    s += tr("事故管道: %1\n").arg(results.size());
    s += tr("事故流量系数: %1, 最低自由水压 H: %2 m\n")
             .arg(QString::fromStdString(NumberFormat::G(p.AccidentFactor)),
                  QString::fromStdString(NumberFormat::G(p.MinFreeHead)));
    s += tr("使节点与水源隔开的管道: %1\n").arg(splitting);
    s += tr("使节点低于 H 的管道: %1\n").arg(shortOf);
    if (failed)
        s += tr("不能平差的事故: %1\n").arg(failed);
    std::vector<const ZCriticality::Result*> order;
    for (const ZCriticality::Result& r : results)
        if (r.cutOff + r.nodesBelow > 0)
            order.push_back(&r);
    std::stable_sort(order.begin(), order.end(),
                     [](auto* a, auto* b) { return a->cutOff + a->nodesBelow > b->cutOff + b->nodesBelow; });
    if (order.size() > static_cast<size_t>(worst))
        order.resize(static_cast<size_t>(worst));
    if (!order.empty())
        s += tr("影响节点最多的管道:\n");
    for (const ZCriticality::Result* r : order) {
        s += tr("  %1  隔开 %2 个, 低于 H %3 个")
                 .arg(Quoted(net.LinkAt(r->pipe)->IdView()))
                 .arg(r->cutOff)
                 .arg(r->nodesBelow);
        if (r->worst >= 0)
            s += tr(", 最低 %1 (%2 m)")
                     .arg(Quoted(net.NodeAt(r->worst)->IdView()),
                          QString::fromStdString(NumberFormat::Fixed(r->worstFreeHead, 2)));
        s += QLatin1Char('\n');
    }
    return s;
}
