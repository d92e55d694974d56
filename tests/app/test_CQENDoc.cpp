#include "AppFixture.h"
#include "app/commands/CQENDoc.h"

#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "edit/ZNetEditor.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

// The document life cycle without windows: open, save, save as, upgrade question, failures.
class TestCQENDoc : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoFollowTheHistory()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        auto state = [doc](int id) {
            CommandState st;
            doc->OnUpdateCommand(id, st);
            return st;
        };
        QVERIFY(!state(Cmd::EditUndo).enabled);
        QCOMPARE(state(Cmd::EditUndo).text, QStringLiteral("撤销(&U)"));
        QCOMPARE(state(Cmd::EditRedo).text, QStringLiteral("重做(&R)"));
        ZConsumeNode* n = doc->Data().GetNetwork().NodeAt(0);
        const double x = n->X;
        ZNetEditor(doc->Data()).MoveNode(n, 10, 0);
        QVERIFY(doc->IsModified());
        QVERIFY(state(Cmd::EditUndo).enabled);
        QCOMPARE(state(Cmd::EditUndo).text, QStringLiteral("撤销 移动节点(&U)"));
        QVERIFY(doc->OnCommand(Cmd::EditUndo));
        QCOMPARE(n->X, x);
        // Back at the state as opened: not modified.
        QVERIFY(!doc->IsModified());
        QVERIFY(!state(Cmd::EditUndo).enabled);
        QCOMPARE(state(Cmd::EditRedo).text, QStringLiteral("重做 移动节点(&R)"));
        QVERIFY(doc->OnCommand(Cmd::EditRedo));
        QCOMPARE(n->X, x + 10);
        QVERIFY(doc->IsModified());
        // Saving makes this the clean state; an undo moves away from it.
        f.files->names.push_back(f.dir.filePath("moved.wnp"));
        QVERIFY(doc->DoSaveAs());
        QVERIFY(!doc->IsModified());
        doc->OnCommand(Cmd::EditUndo);
        QVERIFY(doc->IsModified());
        // A new document starts with no history.
        CQENDoc* fresh = f.app->NewDocument();
        CommandState st;
        fresh->OnUpdateCommand(Cmd::EditUndo, st);
        QVERIFY(!st.enabled);
    }

    void openTextFileSetsKindAndTitle()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        QVERIFY(doc);
        QCOMPARE(doc->Data().GetFileKind(), int(ZDocument::TextFile));
        QCOMPARE(doc->Title(), QStringLiteral("Net1.txt"));
        QCOMPARE(doc->Data().GetNetwork().NodeCount(), 13);
        QVERIFY(!doc->IsModified());
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("未平差"));
        QCOMPARE(f.app->RecentFiles().first(), QFileInfo(AppFixture::Network("Net1.txt")).absoluteFilePath());
    }

    void editsReachTheViewsOnceAndUndoFollowsTheSavedState()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        QVERIFY(doc);
        QSignalSpy changed(doc, &CQENDoc::changed);
        QSignalSpy modified(doc, &CQENDoc::modifiedChanged);
        ZDocument& data = doc->Data();
        {
            ZEditTransaction tx(data, "edit");
            ZConsumeNode* n = data.GetNetwork().NodeAt(0);
            tx.Touch(n);
            n->NodeFlow = 0.5;
            tx.Commit();
        }
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<ZNetMsg>().SubCode, int(ZNetMsg::AttributesEdited));
        QVERIFY(doc->IsModified());
        QCOMPARE(modified.size(), 1);
        QVERIFY(data.Undo());
        QCOMPARE(changed.size(), 2);
        QVERIFY(!doc->IsModified());   // back where the file was opened
        QCOMPARE(modified.size(), 2);
        QCOMPARE(modified.at(1).at(0).toBool(), false);
        // Opening anew clears the history.
        QVERIFY(data.Redo());
        QVERIFY(doc->OnOpenDocument(AppFixture::Network("Net1.txt")));
        QVERIFY(!data.History().CanUndo());
        QVERIFY(!doc->IsModified());
    }

    void openSameFileTwiceGivesOneDocument()
    {
        AppFixture f(false);
        CQENDoc* a = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        CQENDoc* b = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        QCOMPARE(a, b);
        QCOMPARE(f.app->Documents().size(), 1);
    }

    void openFailureShowsMessageAndAddsNothing()
    {
        AppFixture f(false);
        const QString bad = f.dir.filePath("broken.wnp");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a project file");
        file.close();
        QVERIFY(!f.app->OpenDocumentFile(bad));
        QVERIFY(!f.app->OpenDocumentFile(f.dir.filePath("missing.txt")));
        QCOMPARE(f.app->Documents().size(), 0);
        QCOMPARE(int(f.prompt->shown.size()), 2);
        QVERIFY(f.app->RecentFiles().isEmpty());
    }

    void saveAsProjectAndReopen()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        doc->Data().GetDrawSettings().Balanced = 1;
        doc->Data().GetDrawSettings().CalcCase = 1;
        doc->Data().GetNetwork().NodeAt(0)->NodeHydrElev = 123.25;
        doc->SetModifiedFlag();
        const QString path = f.dir.filePath("net.wnp");
        f.files->names.push_back(path);
        QVERIFY(doc->DoSaveAs());
        QCOMPARE(doc->Data().GetFileKind(), int(ZDocument::ProjectFile));
        QCOMPARE(doc->PathName(), path);
        QVERIFY(!doc->IsModified());
        QVERIFY(f.app->CloseDocument(doc));

        CQENDoc* again = f.app->OpenDocumentFile(path);
        QVERIFY(again);
        QCOMPARE(again->Data().GetDrawSettings().Balanced, 1u);
        QCOMPARE(again->BalanceStatusText(), QStringLiteral("已平差:消防时"));
        QCOMPARE(again->Data().GetNetwork().NodeAt(0)->NodeHydrElev, 123.25);
    }

    void fileKindFollowsTheName()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->NewDocument();
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("a.Txt")));
        QCOMPARE(doc->Data().GetFileKind(), int(ZDocument::TextFile));
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("a.tx")));
        QCOMPARE(doc->Data().GetFileKind(), int(ZDocument::ProjectFile));
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("a.wnp")));
        QCOMPARE(doc->Data().GetFileKind(), int(ZDocument::ProjectFile));
        QVERIFY(f.prompt->shown.empty());
    }

    void upgradeQuestionNoKeepsVersion()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->NewDocument();
        doc->Data().SetFileVersion(ZDocument::Version1);
        f.prompt->answers = {UiPrompt::No};
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("old.wnp")));
        QCOMPARE(f.prompt->Last(), std::string("当前的WNP文件版本是1.0, 要升级到2.0吗?"));
        QCOMPARE(doc->Data().GetFileVersion(), ZDocument::Version1);
        CQENDoc* again = f.app->OpenDocumentFile(f.dir.filePath("old.wnp"));
        QCOMPARE(again->Data().GetFileVersion(), ZDocument::Version1);
    }

    void upgradeQuestionAskedForTextToo()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->NewDocument();
        doc->Data().SetFileVersion(ZDocument::Version1);
        f.prompt->answers = {UiPrompt::Yes};
        QVERIFY(doc->OnSaveDocument(f.dir.filePath("old.txt")));
        QCOMPARE(int(f.prompt->shown.size()), 1);
        QCOMPARE(doc->Data().GetFileVersion(), ZDocument::HighestVersion);
    }

    void saveFailureKeepsDocumentAndOldFile()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        const QString path = f.dir.filePath("keep.wnp");
        QVERIFY(doc->OnSaveDocument(path));
        const QByteArray before = [&] {
            QFile r(path);
            r.open(QIODevice::ReadOnly);
            return r.readAll();
        }();
        doc->SetModifiedFlag();
        // A folder where the file should be: the write cannot succeed.
        QVERIFY(QDir(f.dir.path()).mkpath("blocked.wnp"));
        QVERIFY(!doc->OnSaveDocument(f.dir.filePath("blocked.wnp")));
        QVERIFY(doc->IsModified());
        QCOMPARE(doc->PathName(), path);
        QVERIFY(!QDir(f.dir.path()).exists("nosuchdir/x.wnp"));
        QVERIFY(!doc->OnSaveDocument(f.dir.filePath("nosuchdir/x.wnp")));
        QCOMPARE(int(f.prompt->shown.size()), 2);
        QFile r(path);
        QVERIFY(r.open(QIODevice::ReadOnly));
        QCOMPARE(r.readAll(), before);
    }

    void saveModifiedAnswers()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->NewDocument();
        QVERIFY(doc->SaveModified());   // unmodified: nothing asked
        QVERIFY(f.prompt->shown.empty());
        doc->SetModifiedFlag();
        f.prompt->answers = {UiPrompt::Cancel};
        QVERIFY(!doc->SaveModified());
        f.prompt->answers = {UiPrompt::No};
        QVERIFY(doc->SaveModified());
        // Yes with the file dialog cancelled: not closed.
        f.prompt->answers = {UiPrompt::Yes};
        QVERIFY(!doc->SaveModified());
        f.prompt->answers = {UiPrompt::Yes};
        f.files->names.push_back(f.dir.filePath("saved.wnp"));
        QVERIFY(doc->SaveModified());
        QVERIFY(QFile::exists(f.dir.filePath("saved.wnp")));
        QVERIFY(!doc->IsModified());
    }

    void newDocumentsAreNumbered()
    {
        AppFixture f(false);
        CQENDoc* a = f.app->NewDocument();
        CQENDoc* b = f.app->NewDocument();
        QCOMPARE(a->Title(), QStringLiteral("QEN1"));
        QCOMPARE(b->Title(), QStringLiteral("QEN2"));
        const ViewExtent e = a->Data().GetExtents();
        QCOMPARE(e.right, 1000.0);
        QCOMPARE(a->Data().GetFileVersion(), ZDocument::HighestVersion);
    }

    void oneSignalForChanges()
    {
        AppFixture f(false);
        CQENDoc* doc = f.app->NewDocument();
        QSignalSpy spy(doc, &CQENDoc::changed);
        f.app->BroadcastOptionsChanged();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<ZNetMsg>().Code, int(ZNetMsg::OptionsChanged));
    }
};

QTEST_MAIN(TestCQENDoc)
#include "test_CQENDoc.moc"
