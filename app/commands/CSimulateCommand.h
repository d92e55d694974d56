#pragma once
#include <QCoreApplication>
#include <string>

class CDocumentHost;
class CQENDoc;
class UiPrompt;
class ZSimulation;
class UnitSystem;

// "延时模拟" of one document: the connectivity check, the parameters dialog (changed values become
// the document's time data through one undoable edit), the run under the progress window ("放弃"
// asks), the message when a time could not be balanced, the summary in the report window and
// the results kept with the document (CSimulationState) for the time bar and the plots.
class CSimulateCommand {
    Q_DECLARE_TR_FUNCTIONS(CSimulateCommand)

public:
    CSimulateCommand(CQENDoc& doc, UiPrompt& prompt, CDocumentHost* host);
    // False when the network falls apart or the dialog was cancelled; true after a run, whatever
    // its outcome.
    bool Execute();

    // The report's text of a finished run (UTF-8).
    static std::string Summary(const ZSimulation& sim, int64_t startClock, const UnitSystem& units);
    // The message of a run that ended early, empty for a finished one.
    static std::string FailureMessage(const ZSimulation& sim, int64_t startClock);

private:
    CQENDoc& m_doc;
    UiPrompt& m_prompt;
    CDocumentHost* m_host;
};
