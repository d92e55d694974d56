#include "CLiveBalance.h"
#include "CQENDoc.h"
#include "CSimulationState.h"

#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZLiveBalance.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"

CLiveBalance* CLiveBalance::Of(const CQENDoc& doc)
{
    return doc.findChild<CLiveBalance*>(QStringLiteral("liveBalance"), Qt::FindDirectChildrenOnly);
}

CLiveBalance::CLiveBalance(CQENDoc& doc) : QObject(&doc), m_doc(doc)
{
    setObjectName(QStringLiteral("liveBalance"));
    connect(&doc, &CQENDoc::changed, this, &CLiveBalance::OnChanged);
    // A new or opened network in this document is not the one copied.
    connect(&doc, &CQENDoc::titleChanged, this, &CLiveBalance::Cancel);
}

CLiveBalance::~CLiveBalance()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
}

bool CLiveBalance::Allowed() const
{
    // A simulated time stands in the result fields while it is shown.
    const CSimulationState* sim = CSimulationState::Of(m_doc);
    return m_doc.Settings().AutoBalance && !(sim && sim->IsShowing());
}

void CLiveBalance::OnChanged(const ZNetMsg& msg)
{
    if (m_applying)
        return;
    switch (msg.Code) {
    case ZNetMsg::ObjectsChanged:
    case ZNetMsg::CadImported:
    case ZNetMsg::OptionsChanged:
        if (m_doc.Settings().AutoBalance)
            Start();
        else
            Cancel();
        break;
    case ZNetMsg::Balanced:   // a 管网平差 or a simulation's results supersede ours
        Cancel();
        m_status.clear();
        break;
    default:   // background, named views, time data, title block: nothing to balance
        break;
    }
}

void CLiveBalance::Start()
{
    ++m_generation;
    m_stop = true;   // the run under way balances a network that is gone
    SetBusy(true);
    if (!m_copyQueued) {
        m_copyQueued = true;
        QMetaObject::invokeMethod(this, &CLiveBalance::TakeCopy, Qt::QueuedConnection);
    }
}

void CLiveBalance::Cancel()
{
    ++m_generation;
    m_stop = true;
    SetBusy(false);   // a copy still queued takes nothing
}

void CLiveBalance::Attach(CQENView& view)
{
    connect(this, &CLiveBalance::busyChanged, &view,
            [v = &view](bool busy) { busy ? v->HoldRedraw(HoldMs) : v->ReleaseRedraw(); });
}

void CLiveBalance::SetBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

void CLiveBalance::TakeCopy()
{
    m_copyQueued = false;
    if (!m_busy || !Allowed()) {
        SetBusy(false);
        return;
    }
    const ZDocument& data = m_doc.Data();
    // From the last results when there are any: an edit moves the heads a little.
    auto run = std::make_unique<ZLiveBalance>(data.GetNetwork(), data.GetDrawSettings());
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = std::move(run);
        m_pendingGeneration = m_generation;
        m_pendingWarm = data.GetDrawSettings().Balanced != 0;
        m_stop = true;
    }
    if (!m_worker.joinable())
        m_worker = std::thread([this]() { WorkerLoop(); });
    m_wake.notify_one();
}

void CLiveBalance::WorkerLoop()
{
    for (;;) {
        std::shared_ptr<ZLiveBalance> run;
        uint64_t generation = 0;
        bool warm = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this]() { return m_quit || m_pending; });
            if (m_quit)
                return;
            run = std::move(m_pending);
            generation = m_pendingGeneration;
            warm = m_pendingWarm;
            m_stop = false;
        }
        run->Run(warm, &m_stop);
        // Back on the document's thread; dropped there when this object is gone first.
        QMetaObject::invokeMethod(
            this, [this, run, generation]() { Deliver(run, generation); }, Qt::QueuedConnection);
    }
}

void CLiveBalance::Deliver(const std::shared_ptr<ZLiveBalance>& run, uint64_t generation)
{
    if (generation != m_generation)
        return;   // the network changed since the copy; a newer run is on its way
    // The windows paint once this event is handled: the edit with its results, or the edit alone.
    SetBusy(false);
    if (!Allowed() || run->Result() == ZLiveBalance::Stopped)
        return;
    if (run->Result() == ZLiveBalance::FallsApart) {
        m_status = tr("自动平差: 管网不连通");
    } else if (run->Result() == ZLiveBalance::Failed) {
        m_status = tr("自动平差: 未能平差");
    } else {
        ZDocument& data = m_doc.Data();
        if (!run->WriteBack(data.GetNetwork()))
            return;
        m_status.clear();
        data.GetDrawSettings().Balanced = 1;
        data.ResultsComputed(true);
        // As after 管网平差: results are no edit, but the file changes.
        data.MarkModified();
        m_applying = true;
        data.Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
        m_applying = false;
        ++m_applied;
    }
    emit settled();
}
