#include "CAutoSaver.h"
#include "CQENDoc.h"
#include "CSimulationState.h"
#include "views/UiPrompt.h"

#include "model/ZSettingsStore.h"
#include "persist/project/ProjectFile.h"

#include <QFileInfo>

CAutoSaver::CAutoSaver(ZSettingsStore& settings, const QString& root, QObject* parent)
    : QObject(parent), m_settings(settings), m_store(root)
{
    connect(&m_timer, &QTimer::timeout, this, &CAutoSaver::SaveNow);
    m_store.Open();
    Reschedule();
}

CAutoSaver::~CAutoSaver() = default;

void CAutoSaver::Reschedule()
{
    const int minutes = m_settings.AutoSaveMinutes;
    if (minutes <= 0) {
        m_timer.stop();
        return;
    }
    const int ms = minutes * 60 * 1000;
    if (!m_timer.isActive() || m_timer.interval() != ms)
        m_timer.start(ms);
}

void CAutoSaver::Watch(CQENDoc* doc)
{
    if (m_docs.contains(doc))
        return;
    m_docs.append(doc);
    connect(doc, &CQENDoc::changed, this, [this, doc]() { m_dirty.insert(doc); });
    connect(doc, &CQENDoc::modifiedChanged, this, [this, doc](bool modified) {
        if (modified) {
            m_dirty.insert(doc);
        } else {
            // Saved: the user's file holds everything the copy did.
            m_dirty.remove(doc);
            m_store.Remove(doc);
        }
    });
    connect(doc, &QObject::destroyed, this, [this, doc]() {
        m_dirty.remove(doc);
        m_store.Remove(doc);
    });
    if (doc->IsModified())
        m_dirty.insert(doc);
}

void CAutoSaver::SaveDoc(CQENDoc* doc)
{
    // The bytes are the copy: the network may change the moment this returns. The copy is always
    // of the newest version, which keeps named views and the background; the note keeps the
    // document's own version, so saving it later still asks about the upgrade.
    ZDocument& data = doc->Data();
    const uint32_t version = data.GetFileVersion();
    data.SetFileVersion(ZDocument::HighestVersion);
    std::string bytes;
    try {
        const auto serialize = [&] { bytes = ProjectFile::Serialize(data); };
        if (CSimulationState* sim = CSimulationState::Of(*doc))
            sim->WithBalanceResults(serialize);
        else
            serialize();
    } catch (...) {
        data.SetFileVersion(version);
        throw;
    }
    data.SetFileVersion(version);
    m_store.Write(doc, QByteArray(bytes.data(), qsizetype(bytes.size())), doc->PathName(), doc->Title(), version);
}

void CAutoSaver::SaveNow()
{
    for (const QPointer<CQENDoc>& d : m_docs) {
        CQENDoc* doc = d.data();
        if (!doc || !m_dirty.contains(doc) || !doc->IsModified())
            continue;
        try {
            SaveDoc(doc);
            m_dirty.remove(doc);
        } catch (const std::exception&) {
            // A copy that cannot be made now is tried again at the next turn.
        }
    }
    m_docs.removeAll(nullptr);
}

void CAutoSaver::CloseClean()
{
    m_timer.stop();
    m_store.CloseClean();
}

QList<CQENDoc*> CAutoSaver::OfferRecovery(UiPrompt& prompt,
                                          const std::function<CQENDoc*(const CRecoveryStore::Entry&)>& open)
{
    QList<CQENDoc*> opened;
    const QList<CRecoveryStore::Entry> left = m_store.FindLeftOver();
    if (left.isEmpty())
        return opened;
    QString names;
    for (const CRecoveryStore::Entry& e : left)
        names += QStringLiteral("\n    ") + CRecoveryStore::ShownName(e);
    const QString text = tr("QEN 上次没有正常退出, 以下文档有未保存的修改:%1\n\n"
                            "恢复: 打开这些文档的最后自动保存版本\n放弃: 删除这些恢复文件")
                             .arg(names);
    switch (prompt.AskRecovery(text.toStdString())) {
    case UiPrompt::Yes:
        for (const CRecoveryStore::Entry& e : left) {
            if (CQENDoc* doc = open(e)) {
                opened.append(doc);
                Watch(doc);
                m_dirty.insert(doc);
                m_store.Forget(e);
            } else {
                m_store.SetAside(e);
            }
        }
        // The recovered work is this run's to keep safe from now on.
        SaveNow();
        break;
    case UiPrompt::No:
        m_store.Discard(left);
        break;
    default:
        break;
    }
    return opened;
}
