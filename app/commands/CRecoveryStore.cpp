#include "CRecoveryStore.h"

#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "persist/project/ProjectFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

namespace {
const char* const kNoteSuffix = ".json";
constexpr qint64 kMaxNoteBytes = 1 << 20;

// Through the one atomic writer, with the rules of every save (no special or read-only target).
bool WriteAtomically(const QString& name, const QByteArray& bytes)
{
    try {
        AtomicFileWriter::Write(QFile::encodeName(name).toStdString(), bytes.toStdString());
    } catch (const std::exception&) {
        return false;   // the previous copy stays; the next interval tries again
    }
    return true;
}

void RemoveSessionIfEmpty(const QString& session)
{
    QDir dir(session);
    const QStringList left = dir.entryList({QStringLiteral("*.wnp")}, QDir::Files);
    if (left.isEmpty())
        dir.removeRecursively();
}
}   // namespace

CRecoveryStore::CRecoveryStore(const QString& root)
    : m_root(root.isEmpty()
                 ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery")
                 : root)
{
    m_writer.setMaxThreadCount(1);
}

CRecoveryStore::~CRecoveryStore()
{
    m_writer.waitForDone();
}

bool CRecoveryStore::Open()
{
    if (m_lock)
        return true;
    const QString name = QStringLiteral("session-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    m_session = m_root + QLatin1Char('/') + name;
    if (!QDir().mkpath(m_session))
        return false;
    auto lock = std::make_unique<QLockFile>(m_session + QStringLiteral("/lock"));
    lock->setStaleLockTime(0);   // only a dead owner makes it stale
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

QString CRecoveryStore::FileOf(const void* key) const
{
    auto it = m_slots.find(key);
    return it == m_slots.end() ? QString() : m_session + QStringLiteral("/%1.wnp").arg(*it);
}

void CRecoveryStore::Write(const void* key, const QByteArray& bytes, const QString& path, const QString& title,
                           uint32_t version)
{
    if (!m_lock)
        return;
    if (!m_slots.contains(key))
        m_slots.insert(key, m_next++);
    const QString file = FileOf(key);
    QJsonObject note;
    note.insert(QStringLiteral("path"), path);
    note.insert(QStringLiteral("title"), title);
    note.insert(QStringLiteral("version"), qint64(version));
    note.insert(QStringLiteral("saved"), QDateTime::currentDateTime().toString(Qt::ISODate));
    const QByteArray noteBytes = QJsonDocument(note).toJson();
    // The note first: a copy without its note would come back untitled.
    m_writer.start([file, bytes, noteBytes]() {
        WriteAtomically(file + QString::fromLatin1(kNoteSuffix), noteBytes);
        WriteAtomically(file, bytes);
    });
}

void CRecoveryStore::Remove(const void* key)
{
    const QString file = FileOf(key);
    if (file.isEmpty())
        return;
    m_slots.remove(key);
    m_writer.start([file]() {
        QFile::remove(file);
        QFile::remove(file + QString::fromLatin1(kNoteSuffix));
    });
}

void CRecoveryStore::Flush()
{
    m_writer.waitForDone();
}

void CRecoveryStore::CloseClean()
{
    m_writer.waitForDone();
    m_slots.clear();
    if (!m_lock)
        return;
    m_lock->unlock();
    m_lock.reset();
    QDir(m_session).removeRecursively();
}

void CRecoveryStore::ReadNote(const QByteArray& json, Entry& e)
{
    const QJsonObject note = QJsonDocument::fromJson(json).object();
    e.path = note.value(QStringLiteral("path")).toString();
    e.title = note.value(QStringLiteral("title")).toString();
    const qint64 version = note.value(QStringLiteral("version")).toInteger();
    e.version = version == ZDocument::Version1 ? ZDocument::Version1 : 0;
}

void CRecoveryStore::Restore(const std::string& bytes, const std::string& copyName, const Entry& e, ZDocument& doc)
{
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), copyName, doc);
    // The copy is always a project file; a text document goes back to its own kind.
    const QString name = e.path.isEmpty() ? e.title : e.path;
    doc.SetFileKind(ZDocument::FileKindFromName(QFile::encodeName(name).toStdString()));
    if (e.version == ZDocument::Version1)
        doc.SetFileVersion(e.version);
}

QString CRecoveryStore::ShownName(const Entry& e)
{
    QString name = e.path.isEmpty() ? e.title : QFileInfo(e.path).fileName();
    if (name.isEmpty())
        name = QFileInfo(e.file).fileName();
    constexpr int kMax = 80;
    if (name.size() <= kMax)
        return name;
    const int cut = name.at(kMax - 1).isHighSurrogate() ? kMax - 1 : kMax;   // not inside a character
    return name.left(cut) + QStringLiteral("…");
}

QList<CRecoveryStore::Entry> CRecoveryStore::FindLeftOver() const
{
    QList<Entry> out;
    const QDir root(m_root);
    for (const QFileInfo& s : root.entryInfoList({QStringLiteral("session-*")}, QDir::Dirs, QDir::Name)) {
        const QString session = s.absoluteFilePath();
        if (m_lock && QFileInfo(m_session).absoluteFilePath() == session)
            continue;
        // A live program holds its lock; a dead one's lock is stale and can be taken.
        QLockFile probe(session + QStringLiteral("/lock"));
        probe.setStaleLockTime(0);
        if (!probe.tryLock(0))
            continue;
        probe.unlock();
        const QDir dir(session);
        for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.wnp")}, QDir::Files, QDir::Name)) {
            Entry e;
            e.file = f.absoluteFilePath();
            e.session = session;
            QFile noteFile(e.file + QString::fromLatin1(kNoteSuffix));
            // A note is a few hundred bytes: a huge one is damaged, not read.
            if (noteFile.open(QIODevice::ReadOnly) && noteFile.size() <= kMaxNoteBytes)
                ReadNote(noteFile.readAll(), e);
            out.append(e);
        }
        if (out.isEmpty() || out.back().session != session)
            QDir(session).removeRecursively();   // nothing left to offer
    }
    return out;
}

void CRecoveryStore::Forget(const Entry& e) const
{
    QFile::remove(e.file);
    QFile::remove(e.file + QString::fromLatin1(kNoteSuffix));
    RemoveSessionIfEmpty(e.session);
}

void CRecoveryStore::Discard(const QList<Entry>& entries) const
{
    for (const Entry& e : entries)
        Forget(e);
}

QString CRecoveryStore::SetAside(const Entry& e) const
{
    const QString damaged = m_root + QStringLiteral("/damaged");
    QDir().mkpath(damaged);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = QFileInfo(e.title.isEmpty() ? e.file : e.title).completeBaseName();
    QString target = QStringLiteral("%1/%2-%3.wnp").arg(damaged, base, stamp);
    for (int i = 2; QFile::exists(target); ++i)
        target = QStringLiteral("%1/%2-%3-%4.wnp").arg(damaged, base, stamp).arg(i);
    if (!QFile::rename(e.file, target) && !(QFile::copy(e.file, target) && QFile::remove(e.file)))
        return QString();
    QFile::rename(e.file + QString::fromLatin1(kNoteSuffix), target + QString::fromLatin1(kNoteSuffix));
    RemoveSessionIfEmpty(e.session);
    return target;
}
