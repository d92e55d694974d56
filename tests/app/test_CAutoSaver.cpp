// Recovery copies of unsaved work: a killed program's edit comes back at the next start, a
// damaged copy is refused and kept aside, "放弃" deletes, a clean end leaves nothing, and saving
// over a project keeps the previous file as .bak.
#include "AppFixture.h"

#include "app/commands/CAutoSaver.h"
#include "app/commands/CQENDoc.h"
#include "model/ZConsumeNode.h"
#include "model/ZSettingsStore.h"
#include "persist/project/ProjectFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <QtTest>

#include <cstdio>

#include <sys/stat.h>

namespace {
const QString kTown = QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp");

// The edit every test makes: the first node's demand.
void Edit(CQENDoc* doc, double flow)
{
    doc->Data().GetNetwork().NodeAt(0)->NodeFlow = flow;
    ZNetMsg msg;
    msg.Code = ZNetMsg::ObjectsChanged;
    msg.SubCode = ZNetMsg::AttributesEdited;
    doc->UpdateAllViews(msg);
    doc->SetModifiedFlag(true);
}

// A folder as a program left it when it was killed: its lock names a process that is gone.
QString FakeDeadSession(const QString& root, const QByteArray& copy, const QString& path, const QString& title)
{
    const QString session = root + QStringLiteral("/session-1-1");
    QDir().mkpath(session);
    QFile lock(session + QStringLiteral("/lock"));
    lock.open(QIODevice::WriteOnly);
    lock.write("999999\nqen-gone\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile f(session + QStringLiteral("/1.wnp"));
    f.open(QIODevice::WriteOnly);
    f.write(copy);
    f.close();
    QFile note(session + QStringLiteral("/1.wnp.json"));
    note.open(QIODevice::WriteOnly);
    note.write(QStringLiteral("{\"path\": \"%1\", \"title\": \"%2\"}").arg(path, title).toUtf8());
    return session;
}

QByteArray TownCopy(double firstFlow)
{
    ZDocument doc;
    ProjectFile::LoadFile(kTown.toStdString(), doc);
    doc.GetNetwork().NodeAt(0)->NodeFlow = firstFlow;
    const std::string s = ProjectFile::Serialize(doc);
    return QByteArray(s.data(), qsizetype(s.size()));
}

// The program that gets killed: opens the town, edits it, makes its copy, says so, and waits.
int CrashChild(const QString& root)
{
    AppFixture f(false);
    f.app->RecoveryRoot = root;
    f.app->InitInstance();
    CQENDoc* doc = f.app->OpenDocumentFile(kTown);
    if (!doc)
        return 2;
    Edit(doc, 0.123);
    f.app->AutoSaver()->SaveNow();
    f.app->AutoSaver()->Store().Flush();
    std::printf("SAVED\n");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}
}   // namespace

class TestCAutoSaver : public QObject {
    Q_OBJECT

private slots:
    void killedProgramsEditComesBackAtTheNextStart()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("recovery");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--crash-child", root});
        QVERIFY(child.waitForStarted());
        QByteArray out;
        while (!out.contains("SAVED") && child.waitForReadyRead(20000))
            out += child.readAllStandardOutput();
        QVERIFY2(out.contains("SAVED"), out.constData());
        child.kill();   // SIGKILL: no clean end, no chance to tidy up
        QVERIFY(child.waitForFinished());

        AppFixture f(false);
        f.app->RecoveryRoot = root;
        f.app->InitInstance();
        f.prompt->answers = {UiPrompt::Yes};
        const QList<CQENDoc*> back = f.app->OfferRecovery();
        QCOMPARE(back.size(), 1);
        QVERIFY(QString::fromStdString(f.prompt->shown.front()).contains(QStringLiteral("town.wnp")));
        CQENDoc* doc = back.front();
        QCOMPARE(doc->Data().GetNetwork().NodeAt(0)->NodeFlow, 0.123);
        QVERIFY(doc->IsModified());
        QCOMPARE(QFileInfo(doc->PathName()).canonicalFilePath(), QFileInfo(kTown).canonicalFilePath());
        QCOMPARE(f.app->Documents().size(), 1);
        // The copy now belongs to this run: nothing is offered twice.
        f.app->AutoSaver()->Store().Flush();
        QVERIFY(f.app->AutoSaver()->Store().Has(doc));
        QVERIFY(f.app->AutoSaver()->Store().FindLeftOver().isEmpty());
        f.app->ExitInstance();
    }

    void damagedCopyIsRefusedAndKeptAside()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("recovery");
        QByteArray copy = TownCopy(0.5);
        copy.truncate(copy.size() / 2);
        FakeDeadSession(root, copy, QString(), QStringLiteral("QEN3"));
        AppFixture f(false);
        f.app->RecoveryRoot = root;
        f.app->InitInstance();
        f.prompt->answers = {UiPrompt::Yes};
        QVERIFY(f.app->OfferRecovery().isEmpty());
        QVERIFY(QString::fromStdString(f.prompt->Last()).startsWith(QStringLiteral("无法恢复文件\n")));
        const QStringList kept = QDir(root + "/damaged").entryList({"*.wnp"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(QFileInfo(root + "/damaged/" + kept.front()).size(), copy.size());
        QVERIFY(f.app->Documents().isEmpty());
        f.app->ExitInstance();
    }

    void hugeTitlesAreCutAndCopiesFollowTheSaveRules()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("recovery");
        const QString huge = QString(100000, QChar(0x7BA1));   // 管 x 100,000
        const QString session = FakeDeadSession(root, TownCopy(0.5), QString(), huge);
        AppFixture f(false);
        f.app->RecoveryRoot = root;
        f.app->InitInstance();
        f.prompt->answers = {UiPrompt::Yes};
        QCOMPARE(f.app->OfferRecovery().size(), 1);
        const QString asked = QString::fromStdString(f.prompt->shown.front());
        QVERIFY2(asked.size() < 300, qPrintable(QString::number(asked.size())));
        QVERIFY(asked.contains(QString(80, QChar(0x7BA1)) + QStringLiteral("…")));

        // A copy's place taken by a FIFO: the write refuses it instead of blocking the writer.
        CRecoveryStore store(dir.filePath("other"));
        QVERIFY(store.Open());
        int key = 0;
        store.Write(&key, "x", QString(), QStringLiteral("t"));
        store.Flush();
        const QString file = store.FileOf(&key);
        QVERIFY(QFile::remove(file));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        store.Write(&key, "y", QString(), QStringLiteral("t"));
        QElapsedTimer clock;
        clock.start();
        store.Flush();
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(QFileInfo(file).isFile() == false);
        store.CloseClean();
        f.app->ExitInstance();
    }

    void untitledCopyComesBackUntitledAndDiscardOrLaterDecide()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("recovery");
        const QString session = FakeDeadSession(root, TownCopy(0.25), QString(), QStringLiteral("QEN2"));
        {
            AppFixture f(false);
            f.app->RecoveryRoot = root;
            f.app->InitInstance();
            f.prompt->answers = {UiPrompt::Cancel};   // closed the question: asked again next time
            QVERIFY(f.app->OfferRecovery().isEmpty());
            QVERIFY(QFile::exists(session + "/1.wnp"));
            f.prompt->answers = {UiPrompt::Yes};
            const QList<CQENDoc*> back = f.app->OfferRecovery();
            QCOMPARE(back.size(), 1);
            QVERIFY(back.front()->PathName().isEmpty());
            QVERIFY(back.front()->IsModified());
            QCOMPARE(back.front()->Data().GetNetwork().NodeAt(0)->NodeFlow, 0.25);
            QVERIFY(!QDir(session).exists());
            f.app->ExitInstance();
        }
        const QString again = FakeDeadSession(root, TownCopy(0.25), QString(), QStringLiteral("QEN2"));
        AppFixture f(false);
        f.app->RecoveryRoot = root;
        f.app->InitInstance();
        f.prompt->answers = {UiPrompt::No};
        QVERIFY(f.app->OfferRecovery().isEmpty());
        QVERIFY(!QFile::exists(again + "/1.wnp"));
        f.app->ExitInstance();
    }

    void anOldVersionDocumentKeepsItsViewsAndItsVersion()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("recovery");
        {
            AppFixture f(false);
            f.app->RecoveryRoot = root;
            f.app->InitInstance();
            CQENDoc* doc = f.app->OpenDocumentFile(kTown);
            doc->Data().SetFileVersion(ZDocument::Version1);   // as read from a 1.0 file
            doc->Data().GetNamedViews().push_back({GbkView("v"), {0, 0, 1, 1}});
            Edit(doc, 0.4);
            f.app->AutoSaver()->SaveNow();
            QCOMPARE(doc->Data().GetFileVersion(), ZDocument::Version1);
            f.app->AutoSaver()->Store().Flush();
            // Not a clean end: the copy stays (the lock goes with the process in real life).
            const QString copy = f.app->AutoSaver()->Store().FileOf(doc);
            QDir session = QFileInfo(copy).dir();
            QFile::remove(session.filePath("lock"));
            QFile lock(session.filePath("lock"));
            lock.open(QIODevice::WriteOnly);
            lock.write("999999\nqen-gone\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        AppFixture f(false);
        f.app->RecoveryRoot = root;
        f.app->InitInstance();
        f.prompt->answers = {UiPrompt::Yes};
        const QList<CQENDoc*> back = f.app->OfferRecovery();
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.front()->Data().GetNamedViews().size(), size_t(1));
        QCOMPARE(back.front()->Data().GetFileVersion(), ZDocument::Version1);
        f.app->ExitInstance();
    }

    void cleanEndAndSavingDropTheCopies()
    {
        AppFixture f;
        const QString root = f.dir.filePath("recovery");
        CQENDoc* doc = f.app->OpenDocumentFile(kTown);
        QVERIFY(doc);
        CAutoSaver* saver = f.app->AutoSaver();
        QCOMPARE(saver->IntervalMs(), 5 * 60 * 1000);
        saver->SaveNow();
        QVERIFY(!saver->Store().Has(doc));   // unmodified documents need no copy
        Edit(doc, 0.2);
        saver->SaveNow();
        saver->Store().Flush();
        const QString copy = saver->Store().FileOf(doc);
        QVERIFY(QFile::exists(copy));
        // Another program running now is not a crashed one: its copies are not offered.
        CRecoveryStore other(root);
        QVERIFY(other.FindLeftOver().isEmpty());
        // Saving under another name keeps the user's file; the copy goes.
        const QString saved = f.dir.filePath("mine.wnp");
        QVERIFY(doc->OnSaveDocument(saved));
        saver->Store().Flush();
        QVERIFY(!QFile::exists(copy));
        Edit(doc, 0.3);
        saver->SaveNow();
        saver->Store().Flush();
        QVERIFY(QFile::exists(saver->Store().FileOf(doc)));
        f.app->Settings().AutoSaveMinutes = 0;
        saver->Reschedule();
        QCOMPARE(saver->IntervalMs(), 0);
        f.app->ExitInstance();
        QVERIFY(QDir(root).entryList({"session-*"}, QDir::Dirs).isEmpty());
    }

    void savingOverAProjectKeepsTheOldFileAsBak()
    {
        AppFixture f;
        const QString path = f.dir.filePath("net.wnp");
        QVERIFY(QFile::copy(kTown, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile orig(path);
        QVERIFY(orig.open(QIODevice::ReadOnly));
        const QByteArray before = orig.readAll();
        orig.close();
        CQENDoc* doc = f.app->OpenDocumentFile(path);
        Edit(doc, 0.7);
        QVERIFY(doc->OnSaveDocument(path));
        QFile bak(path + ".bak");
        QVERIFY(bak.open(QIODevice::ReadOnly));
        QCOMPARE(bak.readAll(), before);
        bak.close();
        // Off: the .bak stays as it was, no newer copy is made.
        f.app->Settings().KeepBackup = false;
        Edit(doc, 0.8);
        QVERIFY(doc->OnSaveDocument(path));
        QVERIFY(bak.open(QIODevice::ReadOnly));
        QCOMPARE(bak.readAll(), before);
        // A new file has nothing to keep.
        f.app->Settings().KeepBackup = true;
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("new.wnp")));
        QVERIFY(!QFile::exists(f.dir.filePath("new.wnp.bak")));
        // The .bak follows the rules of every write: through a symbolic link, never replacing it.
        QVERIFY(QFile::remove(path + ".bak"));
        QVERIFY(QFile::link(f.dir.filePath("elsewhere.bak"), path + ".bak"));
        Edit(doc, 0.9);
        QVERIFY(doc->OnSaveDocument(path));
        QVERIFY(QFileInfo(path + ".bak").isSymLink());
        QFile through(f.dir.filePath("elsewhere.bak"));
        QVERIFY(through.open(QIODevice::ReadOnly));
        QVERIFY(through.size() > 0);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--crash-child") == 0)
        return CrashChild(QString::fromLocal8Bit(argv[2]));
    TestCAutoSaver t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_CAutoSaver.moc"
