#pragma once
#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZFireFlow.h"

#include <QObject>

#include <vector>

class CQENDoc;
struct ZNetMsg;

// The last fire-flow and pipe-failure results of one document (a child object of it, gone with
// it). Their positions are the network's list positions at the run, so any recorded change after
// it (an edit, undo or redo) drops both for good, as the extended-period results go stale.
class CSweepState : public QObject {
    Q_OBJECT
public:
    static CSweepState* Of(const CQENDoc& doc);
    static CSweepState& Make(CQENDoc& doc);

    void SetFireFlow(std::vector<ZFireFlow::Result> results, const ZFireFlow::Params& params);
    void SetFailures(std::vector<ZCriticality::Result> results, const ZCriticality::Params& params);

    bool HasFireFlow() const { return m_hasFire; }
    bool HasFailures() const { return m_hasFailures; }
    const std::vector<ZFireFlow::Result>& FireFlow() const { return m_fire; }
    const ZFireFlow::Params& FireFlowParams() const { return m_fireParams; }
    const std::vector<ZCriticality::Result>& Failures() const { return m_failures; }
    const ZCriticality::Params& FailureParams() const { return m_failureParams; }

    // The map colourings by the results the user chose; off when their results go.
    bool FireFlowColours() const { return m_fireColours && m_hasFire; }
    bool FailureColours() const { return m_failureColours && m_hasFailures; }
    void SetFireFlowColours(bool on);
    void SetFailureColours(bool on);

signals:
    // Results came or were dropped.
    void stateChanged();
    // A colouring was switched, or its results came or went.
    void coloursChanged();

private:
    explicit CSweepState(CQENDoc& doc);
    void OnDocumentChanged(const ZNetMsg& msg);
    void KeepHistoryMark();

    CQENDoc& m_doc;
    std::vector<ZFireFlow::Result> m_fire;
    ZFireFlow::Params m_fireParams;
    std::vector<ZCriticality::Result> m_failures;
    ZCriticality::Params m_failureParams;
    bool m_hasFire = false, m_hasFailures = false;
    bool m_fireColours = false, m_failureColours = false;
    int m_undoCount = 0, m_redoCount = 0;
    const void* m_lastEdit = nullptr;
};
