#pragma once
#include <QCoreApplication>
#include <QString>

class CDocumentHost;
class CQENDoc;
class UiPrompt;
class QWidget;

// "导入 EPANET 文件...": an EPANET input file read into a fresh, untitled document with the demands
// of an hour the user picks; the import report goes to the report window, and where identifiers
// had to be renamed, NAME.idmap.csv beside the input file lists them.
class CEpanetImportCommand {
    Q_DECLARE_TR_FUNCTIONS(CEpanetImportCommand)

public:
    CEpanetImportCommand(UiPrompt& prompt, CDocumentHost& host) : m_prompt(prompt), m_host(host) {}
    // The file and hour to read, asked of the user; false when cancelled.
    bool Ask(QString& path, double& hour) const;
    // Reads `path` into `doc`, which must be new; on failure tells why and leaves it empty.
    bool Read(CQENDoc& doc, const QString& path, double hour) const;

private:
    UiPrompt& m_prompt;
    CDocumentHost& m_host;
};
