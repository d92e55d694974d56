#pragma once
#include "CRecoveryStore.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <functional>

class CQENDoc;
class UiPrompt;
class ZSettingsStore;

// Keeps a recovery copy of every modified document: every few minutes (the settings' interval;
// 0 turns it off) each document changed since its last copy is written to the recovery store.
// The copy is made on this thread (the project bytes) and written to disk on another, so the
// interface waits only for the copy. Saving or closing a document drops its copy; a clean end
// drops them all. At the start, copies left by a run that did not end cleanly are offered back.
class CAutoSaver : public QObject {
    Q_OBJECT
public:
    CAutoSaver(ZSettingsStore& settings, const QString& root = QString(), QObject* parent = nullptr);
    ~CAutoSaver() override;

    CRecoveryStore& Store() { return m_store; }
    // Starts watching a document.
    void Watch(CQENDoc* doc);
    // Copies every changed, modified document now.
    void SaveNow();
    // The interval setting may have changed.
    void Reschedule();
    int IntervalMs() const { return m_timer.isActive() ? m_timer.interval() : 0; }
    // Clean end: waits for writes and removes this run's copies.
    void CloseClean();

    // Offers copies left by an unclean end: "恢复" opens each (through `open`, which returns the
    // document or null when the copy cannot be read), "放弃" deletes them, anything else keeps them
    // for the next start. Returns the documents opened.
    QList<CQENDoc*> OfferRecovery(UiPrompt& prompt, const std::function<CQENDoc*(const CRecoveryStore::Entry&)>& open);

private:
    void SaveDoc(CQENDoc* doc);

    ZSettingsStore& m_settings;
    CRecoveryStore m_store;
    QTimer m_timer;
    QSet<CQENDoc*> m_dirty;
    QList<QPointer<CQENDoc>> m_docs;
};
