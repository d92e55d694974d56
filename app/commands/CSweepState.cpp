#include "CSweepState.h"
#include "CQENDoc.h"

#include "model/ZNetMsg.h"

CSweepState::CSweepState(CQENDoc& doc) : QObject(&doc), m_doc(doc)
{
    setObjectName(QStringLiteral("sweepState"));
    connect(&doc, &CQENDoc::changed, this, &CSweepState::OnDocumentChanged);
}

CSweepState* CSweepState::Of(const CQENDoc& doc)
{
    return doc.findChild<CSweepState*>(QStringLiteral("sweepState"), Qt::FindDirectChildrenOnly);
}

CSweepState& CSweepState::Make(CQENDoc& doc)
{
    if (CSweepState* state = Of(doc))
        return *state;
    return *new CSweepState(doc);
}

void CSweepState::SetFireFlow(std::vector<ZFireFlow::Result> results, const ZFireFlow::Params& params)
{
    m_fire = std::move(results);
    m_fireParams = params;
    m_hasFire = true;
    KeepHistoryMark();
    emit stateChanged();
    if (m_fireColours)
        emit coloursChanged();
}

void CSweepState::SetFailures(std::vector<ZCriticality::Result> results, const ZCriticality::Params& params)
{
    m_failures = std::move(results);
    m_failureParams = params;
    m_hasFailures = true;
    KeepHistoryMark();
    emit stateChanged();
    if (m_failureColours)
        emit coloursChanged();
}

void CSweepState::KeepHistoryMark()
{
    const ZEditHistory& history = m_doc.Data().History();
    m_undoCount = history.UndoCount();
    m_redoCount = history.RedoCount();
    m_lastEdit = history.NextUndo();
}

void CSweepState::OnDocumentChanged(const ZNetMsg&)
{
    if (!m_hasFire && !m_hasFailures)
        return;
    const ZEditHistory& history = m_doc.Data().History();
    if (history.UndoCount() == m_undoCount && history.RedoCount() == m_redoCount && history.NextUndo() == m_lastEdit)
        return;
    m_fire.clear();
    m_failures.clear();
    m_hasFire = m_hasFailures = false;
    const bool coloured = m_fireColours || m_failureColours;
    m_fireColours = m_failureColours = false;
    emit stateChanged();
    if (coloured)
        emit coloursChanged();
}

void CSweepState::SetFireFlowColours(bool on)
{
    if (on == m_fireColours)
        return;
    m_fireColours = on;
    emit coloursChanged();
}

void CSweepState::SetFailureColours(bool on)
{
    if (on == m_failureColours)
        return;
    m_failureColours = on;
    emit coloursChanged();
}
