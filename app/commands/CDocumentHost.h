#pragma once
#include <QString>

class CQENDoc;
class CReportWindow;
class QWidget;

// What a document and its commands need from the program around them, given to each document
// when it is made (the application is the host; tests may give their own or none).
class CDocumentHost {
public:
    virtual ~CDocumentHost() = default;
    // The window dialogs and progress windows belong to.
    virtual QWidget* DialogOwner() const = 0;
    // The "另存为" file dialog; empty when cancelled.
    virtual QString PromptSaveName(const QString& initial) = 0;
    virtual void AddToRecentFileList(const QString& path) = 0;
    // The main frame's report window.
    virtual CReportWindow& ReportWindow() = 0;
    // The options sheet on a document: true when it was confirmed (the sheet marks the document
    // modified when its grading changed).
    virtual bool RunOptionsSheet(CQENDoc& doc) = 0;
    // Every open document's views hear that the options changed.
    virtual void BroadcastOptionsChanged() = 0;
    // The template dialog of a command (Cmd::TemplateNode ... Cmd::TemplateTank).
    virtual void RunTemplateDialog(int commandId) = 0;
};
