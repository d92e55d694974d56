#pragma once
#include "views/CommandTarget.h"

#include "model/ZDocument.h"
#include "model/ZNetMsg.h"

#include <QObject>
#include <QString>

class CDocumentHost;
class UiPrompt;
class ZSettingsStore;

// The Qt document of one open project over the UI-free ZDocument: its file name and title, the
// new/open/save life cycle and the document commands. It listens to its ZDocument, through which
// every change passes, and passes each announcement on as the one signal `changed`; the modified
// state is the ZDocument's, mirrored by `modifiedChanged`.
class CQENDoc : public QObject, public CommandTarget, private ZDocumentListener {
    Q_OBJECT
public:
    // `host` gives the dialogs' owner, the save dialog, the recent files and the report window;
    // without one (tools, tests) those steps are skipped.
    CQENDoc(ZSettingsStore& settings, UiPrompt& prompt, CDocumentHost* host = nullptr, QObject* parent = nullptr);
    ~CQENDoc() override;

    ZDocument& Data() { return m_data; }
    const ZDocument& Data() const { return m_data; }
    ZSettingsStore& Settings() const { return m_settings; }
    UiPrompt& Prompt() const { return m_prompt; }
    CDocumentHost* Host() const { return m_host; }

    // A fresh network; `title` like "QEN1".
    void OnNewDocument(const QString& title);
    // Reads a project or text file into this (fresh) document. On failure tells why and leaves the
    // document empty; the caller drops it.
    bool OnOpenDocument(const QString& path);
    // Reads a recovery copy: the document becomes `path` (or untitled `title` when empty) with
    // the copy's contents, modified. On failure tells why (the reader's message) and returns false.
    bool OnOpenRecovery(const QString& copy, const QString& path, const QString& title, uint32_t version = 0);
    // After a reader from another program's format filled Data(): an untitled, modified document
    // called `title`, so that saving asks for a name instead of overwriting the source.
    void OnImported(const QString& title);
    // Writes to `path` after the upgrade question; on failure tells why and keeps everything as it
    // was (the old file is untouched: writing goes through a temporary file).
    bool OnSaveDocument(const QString& path);
    // Save under the current name, or ask for one.
    bool DoFileSave();
    // Ask for a name and save there.
    bool DoSaveAs();
    // Before closing: asks whether to save a modified document; false when the user cancels or
    // the save fails.
    bool SaveModified();

    QString PathName() const { return m_path; }
    QString Title() const { return m_title; }
    bool IsModified() const { return m_data.IsModified(); }
    // True: an unrecorded change happened; false: the present state is the saved one.
    void SetModifiedFlag(bool modified = true);

    // Tells every view of this document of a change that is not recorded in the history.
    void UpdateAllViews(const ZNetMsg& msg);
    // The BALANCESTATUS pane text.
    QString BalanceStatusText() const;

    // Document commands.
    void OnBalance();
    void OnOptions();
    void OnTemplate(int commandId);
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

signals:
    void changed(const ZNetMsg& msg);
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

private:
    void OnDocumentChanged(const ZNetMsg& msg) override;
    void OnModifiedChanged(bool modified) override;
    void KeepBackup(const QString& path);
    void ReadFile(const QString& path);
    void WriteFile(const QString& path);
    void SetPathName(const QString& path);
    std::string Utf8Path(const QString& path) const;

    ZSettingsStore& m_settings;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
    ZDocument m_data;
    QString m_path;
    QString m_title;
};
