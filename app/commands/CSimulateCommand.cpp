#include "CSimulateCommand.h"
#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "CSimulationState.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSimulationParamsDlg.h"
#include "app/dialogs/CSimulationProgress.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZSimulation.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "model/ZSettingsStore.h"
#include "model/ZTimeDataEdit.h"

#include <QCoreApplication>

namespace {
std::string SimulationClock(int64_t startClock, int64_t t)
{
    return ZSimulation::ClockText(startClock + t);
}
}   // namespace

CSimulateCommand::CSimulateCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host)
    : m_doc(doc), m_prompt(prompt), m_host(host)
{
}

bool CSimulateCommand::Execute()
{
    ZDocument& data = m_doc.Data();
    QWidget* owner = m_host ? m_host->DialogOwner() : nullptr;
    ZBalanceRun check(data);
    if (!check.CheckConnectivity()) {
        if (m_host) {
            CReportWindow& report = m_host->ReportWindow();
            const QString title = QString::fromStdString(ZConnectivityCheck::ReportTitle());
            report.SetTitle(title);
            report.AppendSection(title + QStringLiteral(": ") + m_doc.Title(),
                                 QString::fromStdString(check.Connectivity().ReportText()));
            report.ShowReport();
        } else {
            m_prompt.Warn(check.Connectivity().ReportText());
        }
        return false;
    }

    CSimulationParamsDlg dlg(m_prompt, owner);
    dlg.SetValues(data.GetTimeData());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    // The period and steps chosen are the document's from now on, undoably.
    if (ZTimeData chosen = dlg.Values(); !(chosen == data.GetTimeData()))
        data.Perform(std::make_unique<ZTimeDataEdit>(std::move(chosen)));

    CSimulationState& state = CSimulationState::Make(m_doc);
    state.BeginRun();
    const ZTimeData& timeData = data.GetTimeData();
    ZSimulation sim(data.GetDrawSettings(), data.GetNetwork(), timeData);
    {
        CSimulationProgress progress(owner, m_prompt);
        sim.SetProgressObserver(&progress);
        sim.Run();
    }
    const int64_t startClock = timeData.StartClock;
    const UnitSystem& units = m_doc.Settings().Units();
    if (m_host) {
        CReportWindow& report = m_host->ReportWindow();
        report.SetTitle(CSimulateCommand::tr("延时模拟结果"));
        report.AppendSection(CSimulateCommand::tr("延时模拟结果: %1").arg(m_doc.Title()),
                             QString::fromStdString(FailureMessage(sim, startClock) + Summary(sim, startClock, units)));
        report.ShowReport();
    }
    state.SetStartClock(startClock);
    // Results up to a failure are kept: they show how the network got there.
    state.EndRun(sim.Results());
    if (const std::string message = FailureMessage(sim, startClock); !message.empty())
        m_prompt.Warn(message);
    return true;
}

std::string CSimulateCommand::FailureMessage(const ZSimulation& sim, int64_t startClock)
{
    const int status = sim.Status();
    if (status == ZBalanceInfo::Converged)
        return {};
    if (status == ZBalanceInfo::InvalidData)
        return "延时模拟数据有误: " + (sim.Fault().Empty() ? std::string("请检查管网数据。") : sim.Fault().Text()) +
               "\n";
    std::string why;
    switch (status) {
    case ZBalanceInfo::Stopped:
        return "延时模拟在 " + SimulationClock(startClock, sim.FailTime()) + " 被终止。\n";
    case ZBalanceInfo::IterationLimit:
        why = "达到迭代次数上限仍未收敛";
        break;
    case ZBalanceInfo::NoHeadKnownNode:
        why = "没有足够的已知水压节点";
        break;
    case ZBalanceInfo::Diverged:
        // Controls and emptied tanks cut parts off more often than the data diverge.
        why = sim.DivergeReason() == ZBalanceInfo::CutOff
                  ? "平差计算发散, 可能有部分管网被关闭的水泵、阀门或管道与所有已知水压节点隔开"
                  : "平差计算发散";
        break;
    default:
        why = "状态 " + std::to_string(status);
        break;
    }
    std::string text = "延时模拟在 " + SimulationClock(startClock, sim.FailTime()) + " (第 " +
                       NumberFormat::G(static_cast<double>(sim.FailTime()) / 3600.0) + " 小时) 不能平差: " + why;
    if (!sim.FailNode().empty())
        text += ", 节点" + MessageText::Quote(sim.FailNode());
    return text + "。\n";
}

std::string CSimulateCommand::Summary(const ZSimulation& sim, int64_t startClock, const UnitSystem& units)
{
    const UnitCategory& head = units.Hydr();
    std::string s;
    s += "时间步数: " + std::to_string(sim.Steps()) + "\n";
    s += "平差次数: " + std::to_string(sim.Balances()) + " (迭代 " + std::to_string(sim.Passes()) + " 次)\n";
    s += "报告时刻: " + std::to_string(sim.Results().TimeCount()) + "\n";
    if (!sim.LowestNode().empty())
        s += "最低自由水压: " + head.FormatFixed(sim.LowestFreeHead()) + " " + head.UnitName() + ", 节点" +
             MessageText::Quote(sim.LowestNode()) + ", " + SimulationClock(startClock, sim.LowestTime()) + "\n";
    for (const ZSimulation::TankEvent& e : sim.TankEvents())
        s += "水池" + MessageText::Quote(e.tank) + (e.filled ? " 充满于 " : " 放空于 ") +
             SimulationClock(startClock, e.time) + "\n";
    if (!sim.UnsettledTimes().empty())
        s += "有设备反复开关 (保留最后状态) 的时刻: " + std::to_string(sim.UnsettledTimes().size()) + " 个, 首次 " +
             SimulationClock(startClock, sim.UnsettledTimes()[0]) + "\n";
    // Energy only where there is a price to weigh it by.
    double kwh = 0.0, cost = 0.0;
    for (const ZSimulation::PumpEnergy& e : sim.Energy()) {
        kwh += e.kwh;
        cost += e.cost;
    }
    if (cost > 0.0) {
        s += "水泵能耗:\n";
        for (const ZSimulation::PumpEnergy& e : sim.Energy())
            s += "  水泵" + MessageText::Quote(e.pump) + ": " + NumberFormat::Fixed(e.kwh, 1) + " kWh, 费用 " +
                 NumberFormat::Fixed(e.cost, 2) + ", 运行 " + NumberFormat::Fixed(e.hours, 2) + " 小时\n";
        s += "  合计: " + NumberFormat::Fixed(kwh, 1) + " kWh, 费用 " + NumberFormat::Fixed(cost, 2) + "\n";
    }
    return s;
}
