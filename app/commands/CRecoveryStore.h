#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QThreadPool>

#include <memory>

class QLockFile;
class ZDocument;

// Recovery files of unsaved work, in the user's data folder: one folder per running program,
// locked while it runs, with one project file and one note (the document's own path and title)
// per modified document. Files are written on a worker thread, each through a temporary file
// renamed into place, so a crash mid-write leaves the previous copy. A clean end removes the
// folder; a folder whose lock is stale was left by a program that did not end cleanly.
class CRecoveryStore {
public:
    struct Entry {
        QString file;   // the recovery copy
        QString path;   // the document's own file, empty when it was never saved
        QString title;
        QString session;        // the folder it lies in
        uint32_t version = 0;   // the document's file version (the copy is always the newest)
    };

    // `root` empty: the "recovery" folder of the user's data location.
    explicit CRecoveryStore(const QString& root = QString());
    ~CRecoveryStore();

    QString Root() const { return m_root; }
    // Creates and locks this run's folder. False when it cannot be made (nothing is then kept).
    bool Open();
    bool IsOpen() const { return m_lock != nullptr; }

    // Saves the bytes of a document (key: any stable identity) in the background.
    void Write(const void* key, const QByteArray& bytes, const QString& path, const QString& title,
               uint32_t version = 0);
    // The document was saved or closed: its copy goes.
    void Remove(const void* key);
    bool Has(const void* key) const { return m_slots.contains(key); }
    QString FileOf(const void* key) const;
    // Waits for every write in flight.
    void Flush();
    // Normal end of the run: everything of this run goes.
    void CloseClean();

    // Copies left behind by runs that did not end cleanly (never this run's).
    QList<Entry> FindLeftOver() const;
    // "放弃": the copies and their folders go.
    void Discard(const QList<Entry>& entries) const;
    // A copy that could not be read is moved into the "damaged" folder, never deleted; returns
    // where it went.
    QString SetAside(const Entry& entry) const;
    // A copy that was taken back into a document goes (its folder too once empty).
    void Forget(const Entry& entry) const;

    // The reader path of a copy, without the folders: the note's path, title and version into
    // `entry` (a damaged note leaves them empty), and the copy's bytes into `doc` as the document
    // it was (its kind from its own name, version 1.0 kept). Throws ArchiveError naming `copyName`.
    static void ReadNote(const QByteArray& json, Entry& entry);
    static void Restore(const std::string& bytes, const std::string& copyName, const Entry& entry, ZDocument& doc);
    // The name a question shows for a copy, cut to a sensible length.
    static QString ShownName(const Entry& entry);

private:
    QString m_root;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    QHash<const void*, int> m_slots;
    int m_next = 1;
    QThreadPool m_writer;   // one thread: writes of one slot keep their order
};
