#include "ZLiveBalance.h"

#include "ZBalanceRun.h"
#include "model/ObjectFlags.h"
#include "model/ProgressObserver.h"
#include "model/ZValveLink.h"

namespace {
// Passes the stop flag to the solver, which asks once a pass.
class LiveStopFlag : public ProgressObserver {
public:
    explicit LiveStopFlag(const std::atomic<bool>* stop) : m_stop(stop) {}
    void Progress(double) override {}
    bool StopRequested() const override { return m_stop && m_stop->load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>* m_stop;
};
}   // namespace

ZLiveBalance::ZLiveBalance(const ZNetwork& source, const ZDrawSettings& settings) : m_copy(source, settings) {}

ZLiveBalance::Outcome ZLiveBalance::Run(bool warm, const std::atomic<bool>* stop)
{
    // The run may set the record's balanced flag: it works on a copy of the copy's record.
    ZDrawSettings settings = m_copy.Settings();
    ZBalanceRun run(settings, m_copy.Network());
    m_status = 0;
    m_passes = 0;
    if (!run.CheckConnectivity()) {
        m_message = run.Connectivity().ReportText();
        return m_outcome = FallsApart;
    }
    LiveStopFlag flag(stop);
    run.StartFromPresentHeads(warm);
    m_status = run.Run(&flag);
    m_passes = run.Iterations();
    // Heads of the last results can be far from those of a network edited a lot since; a cold
    // start decides.
    if (warm && m_status != ZBalanceInfo::Converged && m_status != ZBalanceInfo::Stopped) {
        run.StartFromPresentHeads(false);
        m_status = run.Run(&flag);
        m_passes += run.Iterations();
    }
    m_message = run.Message();
    if (m_status == ZBalanceInfo::Converged)
        return m_outcome = Balanced;
    return m_outcome = m_status == ZBalanceInfo::Stopped ? Stopped : Failed;
}

bool ZLiveBalance::WriteBack(ZNetwork& target) const
{
    const ZNetwork& from = m_copy.Network();
    if (m_outcome != Balanced || target.NodeCount() != from.NodeCount() || target.LinkCount() != from.LinkCount())
        return false;
    for (int i = 0; i < from.NodeCount(); ++i) {
        const ZConsumeNode* f = from.NodeAt(i);
        ZConsumeNode* t = target.NodeAt(i);
        t->NodeHydrElev = f->NodeHydrElev;
        t->NodeFlow = f->NodeFlow;
        t->NodeFireFlow = f->NodeFireFlow;
        t->NodeDeliveredFlow = f->NodeDeliveredFlow;
        // Of the flags only the balance's own: selection and the like are the editor's.
        if (f->IsCutOff())
            t->SetFlag(qen::FLAG_CUT_OFF);
        else
            t->ClearFlag(qen::FLAG_CUT_OFF);
    }
    for (int i = 0; i < from.LinkCount(); ++i) {
        const ZFlowLink* f = from.LinkAt(i);
        ZFlowLink* t = target.LinkAt(i);
        t->Flow = f->Flow;
        t->Resistance = f->Resistance;
        if (f->GetKind() == ZNetObject::Kind::Valve && t->GetKind() == ZNetObject::Kind::Valve)
            static_cast<ZValveLink*>(t)->ValveState = static_cast<const ZValveLink*>(f)->ValveState;
    }
    return true;
}
