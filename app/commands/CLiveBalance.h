#pragma once
#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class CQENDoc;
class CQENView;
class ZLiveBalance;
struct ZNetMsg;

// "自动平差" of one document (a child object of it, gone with it): while the switch is on, every
// edit, undo and redo is followed by a balance of a copy of the network on a worker thread, and
// its results go into the document as a 管网平差's would, without a dialog and without holding up
// the editor. A change made while a balance runs stops it and starts another; a result reaches
// the document only when nothing changed since its copy was taken. A network that falls apart or
// does not balance is told in the status pane.
class CLiveBalance : public QObject {
    Q_OBJECT
public:
    // The document's, made with it.
    static CLiveBalance* Of(const CQENDoc& doc);

    explicit CLiveBalance(CQENDoc& doc);
    // Stops a run under way and waits for the worker.
    ~CLiveBalance() override;

    // A balance of the network as it stands once the present event is handled (edits made in one
    // go are copied once). Does nothing while the switch is off or a simulated time is shown.
    void Start();
    // Any run under way is stopped and its result dropped.
    void Cancel();
    // A balance was asked for and its outcome is not in yet.
    bool IsBusy() const { return m_busy; }
    // Why the last balance gave no results ("自动平差: ..."), empty after one that did.
    QString StatusText() const { return m_status; }
    // Balances whose results reached the document.
    int AppliedCount() const { return m_applied; }
    // The graphic window keeps its picture while a balance runs, for at most HoldMs: an edit and
    // its results are painted once, and a slow balance does not hide the edit for long.
    void Attach(CQENView& view);
    static constexpr int HoldMs = 200;

signals:
    // A balance ended: its results are in the document, or StatusText says why not.
    void settled();
    // A balance was asked for (true) or none is under way any more (false): the graphic windows
    // keep their picture meanwhile (CQENView::HoldRedraw).
    void busyChanged(bool busy);

private:
    void OnChanged(const ZNetMsg& msg);
    void TakeCopy();
    void WorkerLoop();
    void Deliver(const std::shared_ptr<ZLiveBalance>& run, uint64_t generation);
    bool Allowed() const;
    void SetBusy(bool busy);

    CQENDoc& m_doc;
    // The copy is a posted call: it waits until the change is complete, yet comes before the
    // repaint of the edit (a low-priority event), so that the worker runs while the window paints.
    bool m_copyQueued = false;
    uint64_t m_generation = 0;   // counts the changes; a result of an older one is dropped
    bool m_busy = false;
    bool m_applying = false;   // our own announcement is no change
    QString m_status;
    int m_applied = 0;

    // Shared with the worker under m_mutex: the newest copy waiting and the end of the worker.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::unique_ptr<ZLiveBalance> m_pending;
    uint64_t m_pendingGeneration = 0;
    bool m_pendingWarm = false;
    bool m_quit = false;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};
