// The frames over a host of their own and no application object: every service they use (closing,
// opening, the prompt, the profile, the last command target) comes from the host they were given.
#include "ScriptedPrompt.h"
#include "app/commands/CQENDoc.h"
#include "app/frames/CChildFrame.h"
#include "app/frames/CFrameHost.h"
#include "app/frames/CMainFrame.h"
#include "views/CommandIds.h"
#include "views/CommandState.h"

#include "model/MemoryKeyValueStore.h"
#include "model/ZSettingsStore.h"

#include <QUrl>
#include <QtTest>

namespace {
class RecordingHost : public CFrameHost {
public:
    ScriptedPrompt prompt;
    MemoryKeyValueStore profile;
    bool allowClose = false;
    QList<int> commands;
    QStringList opened;
    int closeAsks = 0, closed = 0, closeAllAsks = 0, stateSaves = 0, persists = 0;

    UiPrompt& Prompt() override { return prompt; }
    KeyValueStore& Profile() override { return profile; }
    ObjectPropertyEditor* PropertyEditor() const override { return nullptr; }
    void PersistProfile() override { ++persists; }
    void SaveFrameState() override { ++stateSaves; }
    CQENDoc* OpenDocumentFile(const QString& path) override
    {
        opened << path;
        return nullptr;
    }
    void OpenRecentFile(int) override {}
    bool CloseDocument(CQENDoc*) override { return allowClose; }
    bool CloseAllDocuments() override
    {
        ++closeAllAsks;
        return allowClose;
    }
    bool CanCloseFrame(CChildFrame*) override
    {
        ++closeAsks;
        return allowClose;
    }
    void OnFrameClosed(CChildFrame*) override { ++closed; }
    bool OnCommand(int id) override
    {
        commands << id;
        return true;
    }
    bool OnUpdateCommand(int id, CommandState& state) override
    {
        state.enabled = true;
        return id == Cmd::AppAbout;
    }
};
}   // namespace

class TestFrameHost : public QObject {
    Q_OBJECT
private slots:
    void childWindowsAskTheHostBeforeTheyClose()
    {
        RecordingHost host;
        ZSettingsStore settings;
        CMainFrame frame(host);
        CQENDoc doc(settings, host.prompt);
        CChildFrame* child = frame.OpenFrame(&doc, CChildFrame::Graphic);
        QVERIFY(child);
        QVERIFY(!child->close());
        QCOMPARE(host.closeAsks, 1);
        QCOMPARE(host.closed, 0);
        host.allowClose = true;
        QVERIFY(child->close());
        QCOMPARE(host.closeAsks, 2);
        QCOMPARE(host.closed, 1);
    }

    void theMainWindowUsesTheHostForEverythingElse()
    {
        RecordingHost host;
        CMainFrame frame(host);
        const int persistsBefore = host.persists;
        frame.ExecuteCommand(Cmd::AppAbout);
        QCOMPARE(host.commands, QList<int>{Cmd::AppAbout});
        QVERIFY(host.persists > persistsBefore);

        frame.OnCoordinateText(QStringLiteral("1;2"));
        QCOMPARE(host.prompt.Last(), std::string("1;2不是合法的坐标格式!"));

        frame.OpenDroppedFiles(
            {QUrl::fromLocalFile(QStringLiteral("/tmp/a.wnp")), QUrl(QStringLiteral("http://x/b.wnp"))});
        QCOMPARE(host.opened, QStringList{QStringLiteral("/tmp/a.wnp")});

        frame.show();
        QVERIFY(!frame.close());
        QCOMPARE(host.closeAllAsks, 1);
        QCOMPARE(host.stateSaves, 0);
        host.allowClose = true;
        QVERIFY(frame.close());
        QCOMPARE(host.stateSaves, 1);
    }
};

QTEST_MAIN(TestFrameHost)
#include "test_FrameHost.moc"
