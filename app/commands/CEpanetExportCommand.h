#pragma once
#include <QCoreApplication>

class CDocumentHost;
class CQENDoc;
class UiPrompt;

// "导出 EPANET 文件...": the document's network written as an EPANET input file, with what EPANET
// has no exact word for listed in the report window.
class CEpanetExportCommand {
    Q_DECLARE_TR_FUNCTIONS(CEpanetExportCommand)

public:
    CEpanetExportCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host)
        : m_doc(doc), m_prompt(prompt), m_host(host)
    {
    }
    // Asks for the file (the host's owner window); false when cancelled or the write failed.
    bool Execute();
    // Writes to `path` and shows the report; false (and a message) when it cannot be written.
    bool Write(const char* path);

private:
    CQENDoc& m_doc;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
};
