#include "CCalcCommands.h"

#include "CCommandWindow.h"
#include "app/dialogs/CContourDlg.h"
#include "CContourRun.h"
#include "CLiveBalance.h"
#include "app/dialogs/CNetCostDlg.h"
#include "app/dialogs/CNodeFlowDlg.h"
#include "app/dialogs/CParamCalcDlg.h"
#include "app/dialogs/CSizingDlg.h"
#include "CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZFlowAllocation.h"
#include "hydraulics/ZNetCost.h"
#include "hydraulics/ZParamCalculator.h"
#include "hydraulics/ZSizingReport.h"
#include "model/ZEditTransaction.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <QCoreApplication>

CCalcCommands::CCalcCommands(CCommandWindow& window, UiPrompt& prompt, KeyValueStore& profile, ZSettingsStore& settings)
    : m_window(window), m_prompt(prompt), m_profile(profile), m_settings(settings)
{
}

QWidget* CCalcCommands::Owner() const
{
    return m_window.DialogOwner();
}

bool CCalcCommands::OnCommand(int id)
{
    CQENDoc* doc = m_window.ActiveDocument();
    switch (id) {
    case Cmd::NodeFlows:
        if (doc)
            NodeFlows(*doc);
        return true;
    case Cmd::NetCost:
        if (doc)
            NetCost(*doc);
        return true;
    case Cmd::PipeSizing:
        if (doc)
            PipeSizing(*doc);
        return true;
    case Cmd::Contours:
        if (doc)
            ContourSettings(*doc);
        return true;
    case Cmd::Calculator:
        if (doc)
            Calculator(*doc);
        return true;
    case Cmd::AutoBalance:
        // Switched on: the active network is balanced at once; the others at their next edit.
        m_settings.AutoBalance = !m_settings.AutoBalance;
        if (CLiveBalance* live = doc ? CLiveBalance::Of(*doc) : nullptr)
            m_settings.AutoBalance ? live->Start() : live->Cancel();
        return true;
    default:
        return false;
    }
}

bool CCalcCommands::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case Cmd::NodeFlows:
    case Cmd::NetCost:
    case Cmd::PipeSizing:
    case Cmd::Contours:
    case Cmd::Calculator:
        state.enabled = m_window.ActiveDocument() != nullptr;
        return true;
    case Cmd::AutoBalance:
        state.enabled = true;
        state.checked = m_settings.AutoBalance;
        return true;
    default:
        return false;
    }
}

bool CCalcCommands::HasSelection(const CQENDoc& doc)
{
    const ZNetwork& net = doc.Data().GetNetwork();
    for (const ZConsumeNode* n : net.Nodes())
        if (n->IsSelected())
            return true;
    for (const ZFlowLink* l : net.Links())
        if (l->IsSelected())
            return true;
    return false;
}

void CCalcCommands::NodeFlows(CQENDoc& doc)
{
    ZNetwork& net = doc.Data().GetNetwork();
    CNodeFlowDlg dlg(m_settings.Units().FlowUnit(), m_prompt, Owner());
    dlg.SetTotal(ZFlowAllocation::CurrentTotal(net));
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (!m_prompt.AskYesNo(tr("自动分配节点流量将导致原有的节点流量数据丢失,确认吗?").toStdString()))
        return;
    std::vector<double> flows;
    if (!ZFlowAllocation::Compute(net, dlg.Total(), flows)) {
        m_prompt.Warn(tr("节点流量分配失败,可能没有供水管道!").toStdString());
        return;
    }
    ZEditTransaction tx(doc.Data(), tr("节点流量").toStdString());
    for (int i = 0; i < net.NodeCount(); ++i) {
        ZConsumeNode* n = net.NodeAt(i);
        if (n->NodeFlow != flows[static_cast<size_t>(i)]) {
            tx.TouchFields(n);
            n->NodeFlow = flows[static_cast<size_t>(i)];
        }
    }
    tx.Commit();
}

void CCalcCommands::NetCost(CQENDoc& doc)
{
    ZBalanceParams& stored = doc.Data().GetDrawSettings().Params;
    ZNetCost::Params fromDoc;
    fromDoc.a = stored.ParamA;
    fromDoc.b = stored.ParamB;
    fromDoc.price = stored.ElecPrice;
    CNetCostDlg dlg(m_prompt, Owner());
    dlg.Load(fromDoc, m_profile);
    if (dlg.exec() != QDialog::Accepted)
        return;
    dlg.Save(m_profile);
    ZNetCost::Params p = dlg.Params();
    p.balanced = doc.Data().GetDrawSettings().Balanced != 0;
    stored.ParamA = p.a;
    stored.ParamB = p.b;
    stored.ElecPrice = p.price;

    CReportWindow& report = m_window.ReportWindow();
    report.Clear();
    report.SetTitle(tr("管网%1费用结果报表").arg(doc.Title()));
    report.ShowReport();
    report.Append(QString::fromStdString(ZNetCost::Report(ZNetCost::Compute(doc.Data().GetNetwork(), p))));
}

void CCalcCommands::PipeSizing(CQENDoc& doc)
{
    ZNetwork& net = doc.Data().GetNetwork();
    std::vector<int> selected;
    for (const ZFlowLink* l : net.Links())
        if (l->IsSelected() && l->GetKind() == ZNetObject::Kind::Pipe)
            selected.push_back(l->GetIndex());
    const ZBalanceParams& params = doc.Data().GetDrawSettings().Params;
    CSizingDlg dlg(net, doc.Data().GetDrawSettings(), selected, params.ParamA, params.ParamB, m_prompt, Owner());
    dlg.Load(m_profile);
    const bool applied = dlg.exec() == QDialog::Accepted && dlg.HasResult();
    dlg.Save(m_profile);
    if (!applied)
        return;
    const auto changes = ZSizingReport::Changes(net, dlg.Problem(), dlg.Result());
    const std::string text = ZSizingReport::Text(net, dlg.Problem(), dlg.Result(), changes);
    if (!changes.empty()) {
        ZEditTransaction tx(doc.Data(), tr("管径优化").toStdString());
        for (const auto& c : changes) {
            auto* p = static_cast<ZPipeLink*>(net.LinkAt(c.link));
            tx.TouchFields(p);
            p->PipeDiam = p->PipeInDiam = c.newDiameter;
        }
        tx.Commit();
    }
    CReportWindow& report = m_window.ReportWindow();
    report.Clear();
    report.SetTitle(QCoreApplication::translate("CCalcCommands", "管网%1管径优化报表").arg(doc.Title()));
    report.ShowReport();
    report.Append(QString::fromStdString(text));
}

void CCalcCommands::ContourSettings(CQENDoc& doc)
{
    ZDrawSettings& ds = doc.Data().GetDrawSettings();
    ZColorSettings& colours = m_settings.Colors();
    CContourDlg::Values v;
    v.enabled = ds.ContourOption != 0;
    v.kind = ds.ContourKind;
    v.interval = ds.ContourInterval;
    v.labels = m_settings.ContourLabelOn;
    v.fill = m_settings.ContourFillOn;
    v.highest = colours.ContourFillHigh;
    v.lowest = colours.ContourFillLow;
    v.line = colours.EquHydr;
    CContourDlg dlg(m_settings.Units().Hydr(), m_prompt, Owner());
    dlg.SetValues(v);
    if (ds.Balanced) {
        const ZNetwork& net = doc.Data().GetNetwork();
        dlg.SetLevelCounter(
            [&net](int kind, double interval) { return ZContourGenerator::LevelCount(net, kind, interval); },
            [&net](int kind) { return ZContourGenerator::ProposedInterval(net, kind); });
    }
    if (dlg.exec() != QDialog::Accepted)
        return;
    const CContourDlg::Values& now = dlg.GetValues();
    m_settings.ContourLabelOn = now.labels;
    m_settings.ContourFillOn = now.fill;
    colours.ContourFillHigh = now.highest;
    colours.ContourFillLow = now.lowest;
    colours.EquHydr = now.line;
    if (dlg.NeedsRegeneration()) {
        ds.ContourOption = now.enabled ? 1 : 0;
        ds.ContourKind = now.kind;
        ds.ContourInterval = now.interval;
        doc.SetModifiedFlag(true);
        if (now.enabled) {
            CContourRun::Generate(doc, Owner(), m_prompt);
            return;
        }
        doc.Data().GetContours().Clear();
    }
    if (dlg.NeedsRedraw())
        doc.UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr});
}

void CCalcCommands::OnGraphicViewOpened(CQENDoc& doc)
{
    if (doc.Data().GetContours().Rect.IsEmpty())
        CContourRun::GenerateIfShown(doc, Owner(), m_prompt);
}

void CCalcCommands::Calculator(CQENDoc& doc)
{
    auto apply = [this, &doc](const CParamCalcDlg::Request& r) {
        ZNetwork& net = doc.Data().GetNetwork();
        std::vector<ZParamCalculator::Change> changes;
        std::string message;
        const auto targets = ZParamCalculator::Targets(net, r.param, r.range);
        if (ZParamCalculator::Compute(targets, r.param, r.op, r.amount, m_settings.Units(), changes, message) !=
            ZParamCalculator::Ok) {
            m_prompt.Warn(message);
            return false;
        }
        ZEditTransaction tx(doc.Data(), tr("参数计算器").toStdString());
        for (const ZParamCalculator::Change& c : changes) {
            tx.TouchFields(c.object);
            ZParamCalculator::Set(*c.object, r.param, c.value);
        }
        tx.Commit();
        return true;
    };
    CParamCalcDlg dlg(m_settings.Units(), HasSelection(doc), apply, Owner());
    dlg.exec();
}
