#include "CSimulateCommand.h"
#include "text/CCoreText.h"
#include "CDocumentHost.h"
#include "CQENDoc.h"
#include "CSimulationState.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSimulationParamsDlg.h"
#include "app/dialogs/CRunProgress.h"
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
            const QString title = CCoreText::Tr(ZConnectivityCheck::ReportTitle());
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
        CRunProgress progress(owner, m_prompt, CSimulateCommand::tr("延时模拟"),
                              CSimulateCommand::tr("正在计算各时刻的平差..."));
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

namespace {
// The core's texts (the data's fault) in the interface's language.
QString SimText(const std::string& s)
{
    return CCoreText::Tr(s);
}
}   // namespace

std::string CSimulateCommand::FailureMessage(const ZSimulation& sim, int64_t startClock)
{
    const int status = sim.Status();
    if (status == ZBalanceInfo::Converged)
        return {};
    if (status == ZBalanceInfo::InvalidData)
        return (tr("延时模拟数据有误: %1")
                    .arg(sim.Fault().Empty() ? tr("请检查管网数据。") : SimText(sim.Fault().Text())) +
                "\n")
            .toStdString();
    const QString clock = SimText(SimulationClock(startClock, sim.FailTime()));
    QString why;
    switch (status) {
    case ZBalanceInfo::Stopped:
        return (tr("延时模拟在 %1 被终止。").arg(clock) + "\n").toStdString();
    case ZBalanceInfo::IterationLimit:
        why = tr("达到迭代次数上限仍未收敛");
        break;
    case ZBalanceInfo::NoHeadKnownNode:
        why = tr("没有足够的已知水压节点");
        break;
    case ZBalanceInfo::Diverged:
        // Controls and emptied tanks cut parts off more often than the data diverge.
        why = sim.DivergeReason() == ZBalanceInfo::CutOff
                  ? tr("平差计算发散, 可能有部分管网被关闭的水泵、阀门或管道与所有已知水压节点隔开")
                  : tr("平差计算发散");
        break;
    default:
        why = tr("状态 %1").arg(status);
        break;
    }
    const QString hours = SimText(NumberFormat::G(static_cast<double>(sim.FailTime()) / 3600.0));
    QString text = sim.FailNode().empty() ? tr("延时模拟在 %1 (第 %2 小时) 不能平差: %3。").arg(clock, hours, why)
                                          : tr("延时模拟在 %1 (第 %2 小时) 不能平差: %3, 节点%4。")
                                                .arg(clock, hours, why, SimText(MessageText::Quote(sim.FailNode())));
    return (text + "\n").toStdString();
}

std::string CSimulateCommand::Summary(const ZSimulation& sim, int64_t startClock, const UnitSystem& units)
{
    const UnitCategory& head = units.Hydr();
    QString s;
    s += tr("时间步数: %1").arg(sim.Steps()) + "\n";
    s += tr("平差次数: %1 (迭代 %2 次)").arg(sim.Balances()).arg(sim.Passes()) + "\n";
    s += tr("报告时刻: %1").arg(sim.Results().TimeCount()) + "\n";
    if (!sim.LowestNode().empty())
        s += tr("最低自由水压: %1 %2, 节点%3, %4")
                 .arg(SimText(head.FormatFixed(sim.LowestFreeHead())), SimText(head.UnitName()),
                      SimText(MessageText::Quote(sim.LowestNode())),
                      SimText(SimulationClock(startClock, sim.LowestTime()))) +
             "\n";
    for (const ZSimulation::TankEvent& e : sim.TankEvents())
        s += (e.filled ? tr("水池%1 充满于 %2") : tr("水池%1 放空于 %2"))
                 .arg(SimText(MessageText::Quote(e.tank)), SimText(SimulationClock(startClock, e.time))) +
             "\n";
    if (!sim.UnsettledTimes().empty())
        s += tr("有设备反复开关 (保留最后状态) 的时刻: %1 个, 首次 %2")
                 .arg(sim.UnsettledTimes().size())
                 .arg(SimText(SimulationClock(startClock, sim.UnsettledTimes()[0]))) +
             "\n";
    // Energy only where there is a price to weigh it by.
    double kwh = 0.0, cost = 0.0;
    for (const ZSimulation::PumpEnergy& e : sim.Energy()) {
        kwh += e.kwh;
        cost += e.cost;
    }
    if (cost > 0.0) {
        s += tr("水泵能耗:") + "\n";
        for (const ZSimulation::PumpEnergy& e : sim.Energy())
            s += tr("  水泵%1: %2 kWh, 费用 %3, 运行 %4 小时")
                     .arg(SimText(MessageText::Quote(e.pump)), SimText(NumberFormat::Fixed(e.kwh, 1)),
                          SimText(NumberFormat::Fixed(e.cost, 2)), SimText(NumberFormat::Fixed(e.hours, 2))) +
                 "\n";
        s += tr("  合计: %1 kWh, 费用 %2")
                 .arg(SimText(NumberFormat::Fixed(kwh, 1)), SimText(NumberFormat::Fixed(cost, 2))) +
             "\n";
    }
    return s.toStdString();
}
