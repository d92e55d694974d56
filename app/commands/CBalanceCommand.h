#pragma once
#include <QCoreApplication>

class CDocumentHost;
class CQENDoc;
class UiPrompt;

// The balancing command "管网平差" of one document: the connectivity check with its report, the
// parameter dialog, the run under the progress window, the message, and the results announced
// through the document's change path. Document commands follow this shape: a class made for one
// run on the document, the prompt and the host, instead of reaching a global.
class CBalanceCommand {
    Q_DECLARE_TR_FUNCTIONS(CBalanceCommand)

public:
    CBalanceCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host);
    // False when the network falls apart or the dialog was cancelled; true after a run, whatever
    // its outcome.
    bool Execute();

private:
    CQENDoc& m_doc;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
};
