#pragma once
#include "app/commands/CDocumentHost.h"
#include "app/frames/CFrameHost.h"
#include "app/frames/CMainFrame.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class CAutoSaver;
class CChildFrame;
class CHelpKeyFilter;
class ObjectPropertyEditor;
class CQENDoc;
class CQENDocManager;
class CReportWindow;
class KeyValueStore;
class MemoryKeyValueStore;
class ObjectPropertyEditor;
class QPrinter;
class QWidget;
class UiPrompt;
class ZSettingsStore;

// The program's run: the settings store loaded from the user's profile at the start and written
// back as soon as anything in it changes (a killed program loses nothing), the open documents,
// the main window, the recent-file list and the application commands (new, open, print setup,
// exit, about).
class CQENApp : public QObject, public CFrameHost, public CDocumentHost {
    Q_OBJECT
public:
    static constexpr int RecentFileCount = 4;

    CQENApp(std::unique_ptr<KeyValueStore> profile, std::unique_ptr<UiPrompt> prompt);
    ~CQENApp() override;

    // Reads the settings, creates and shows the main window. False when it cannot start.
    bool InitInstance();
    // Writes the window placement and every settings group back.
    void ExitInstance();
    // Bar layout and placement, at the main window's close.
    void SaveFrameState() override;
    // Writes whatever changed since the last write (settings, recent files, bars, placement) and
    // puts it on disk. Cheap when nothing changed: the frame calls it with every command update.
    void PersistProfile() override;

    ZSettingsStore& Settings() { return *m_settings; }
    KeyValueStore& Profile() override { return *m_profile; }
    UiPrompt& Prompt() override { return *m_prompt; }
    void SetPrompt(std::unique_ptr<UiPrompt> prompt);
    CQENDocManager& DocManager() { return *m_docManager; }
    void SetDocManager(std::unique_ptr<CQENDocManager> manager);
    CMainFrame* MainFrame() const { return m_frame; }
    QWidget* MainWindow() const;
    CReportWindow& ReportWindow() override;
    QPrinter& Printer();

    QList<CQENDoc*> Documents() const { return m_docs; }
    CQENDoc* NewDocument();
    // Opens (or brings forward, when already open) a document; null on failure (message shown).
    CQENDoc* OpenDocumentFile(const QString& path) override;
    // An EPANET input file as a new, untitled document with the demands of `hour`; null (after a
    // message) when it cannot be read.
    CQENDoc* ImportEpanetFile(const QString& path, double hour);
    void OpenRecentFile(int index) override;
    // Asks to save, then closes every window of the document. False when cancelled.
    bool CloseDocument(CQENDoc* doc) override;
    bool CloseAllDocuments() override;
    // Code 2 to every open document after the options sheet.
    void BroadcastOptionsChanged() override;

    // `--language` of the command line ("zh", "en"; empty: the options' or the system's), read by
    // InitInstance.
    QString Language;
    // Recovery copies of unsaved work: the folder (empty: the user's data folder; set before
    // InitInstance), the saver (null before InitInstance), and the offer made at the start.
    QString RecoveryRoot;
    CAutoSaver* AutoSaver() const { return m_autoSaver.get(); }
    QList<CQENDoc*> OfferRecovery();

    // Child windows ask before they go: the last window of a modified document asks to save.
    bool CanCloseFrame(CChildFrame* frame) override;
    void OnFrameClosed(CChildFrame* frame) override;

    // The options sheet and the template dialogs, the program's own unless a test replaces them.
    // The sheet runs on a document and returns true when it was confirmed (marking the document
    // modified when its grading changed); the template dialog gets the command id
    // (Cmd::TemplateNode ... Cmd::TemplateTank).
    std::function<bool(CQENDoc& doc, QWidget* owner)> OptionsSheet;
    std::function<void(int commandId, ZSettingsStore& settings, QWidget* owner)> TemplateDialog;
    // The object property dialogs the graphic views open; the program's own unless replaced.
    ObjectPropertyEditor* PropertyEditor() const override { return m_propertyEditor.get(); }
    void SetPropertyEditor(std::unique_ptr<ObjectPropertyEditor> editor);

    QStringList RecentFiles() const { return m_recent; }
    void AddToRecentFileList(const QString& path) override;

    // CDocumentHost
    QWidget* DialogOwner() const override { return MainWindow(); }
    QString PromptSaveName(const QString& initial) override;
    bool RunOptionsSheet(CQENDoc& doc) override { return OptionsSheet && OptionsSheet(doc, MainWindow()); }
    void RunTemplateDialog(int commandId) override;

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

private:
    CQENDoc* CreateDocument();
    void HandEditServices();
    void LoadPlacement();
    void LoadRecentFiles();
    void SaveRecentFiles(KeyValueStore& out) const;
    void WriteFrameState(KeyValueStore& out);
    void DestroyDocument(CQENDoc* doc);

    std::unique_ptr<KeyValueStore> m_profile;
    std::unique_ptr<UiPrompt> m_prompt;
    std::unique_ptr<ZSettingsStore> m_settings;
    std::unique_ptr<CQENDocManager> m_docManager;
    std::unique_ptr<ObjectPropertyEditor> m_propertyEditor;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CAutoSaver> m_autoSaver;
    std::unique_ptr<CHelpKeyFilter> m_helpKeys;   // F1 in a dialog opens its section of the guide
    QPointer<CMainFrame> m_frame;
    std::unique_ptr<CReportWindow> m_ownReport;   // when there is no main window (tests)
    QList<CQENDoc*> m_docs;
    QStringList m_recent;
    int m_untitledCount = 0;
    bool m_closingDocument = false;
    bool m_maximized = false;
    // What the profile holds of this run's writes; none before the start is complete.
    std::unique_ptr<MemoryKeyValueStore> m_written;
};
