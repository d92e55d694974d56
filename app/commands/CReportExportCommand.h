#pragma once
#include <QCoreApplication>
#include <QString>

#include <vector>

class CDocumentHost;
class CQENDoc;
class UiPrompt;

// "导出计算书...": the report dialog, the title block kept with the project as one undoable step
// when it changed, then the workbook or PDF written with every case balanced on a copy (the
// document's own results stay).
class CReportExportCommand {
    Q_DECLARE_TR_FUNCTIONS(CReportExportCommand)

public:
    CReportExportCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host)
        : m_doc(doc), m_prompt(prompt), m_host(host)
    {
    }
    // Runs the dialog; false when cancelled or nothing was written.
    bool Execute();
    // Writes the report to `path` (its extension picks the kind) and says so in the report
    // window; false, with a message, when nothing could be written.
    bool Write(const QString& path, const std::vector<int>& cases);

private:
    CQENDoc& m_doc;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
};
