#include "ZEditHistory.h"

std::string ZEditHistory::UndoText() const
{
    return m_undo.empty() ? std::string() : m_undo.back().edit->Text();
}

std::string ZEditHistory::RedoText() const
{
    return m_redo.empty() ? std::string() : m_redo.back().edit->Text();
}

void ZEditHistory::Push(std::unique_ptr<ZEdit> edit)
{
    if (!edit)
        return;
    if (m_clean > Position())
        m_clean = -1;   // the saved state was on the redo stack
    for (Entry& e : m_redo)
        m_memory -= e.bytes;
    m_redo.clear();
    Entry e;
    e.bytes = edit->MemoryUsage();
    e.edit = std::move(edit);
    m_memory += e.bytes;
    m_undo.push_back(std::move(e));
    Trim();
}

ZEdit* ZEditHistory::StepBack()
{
    if (m_undo.empty())
        return nullptr;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    if (Position() < m_balanced)
        m_balanced = -1;
    return m_redo.back().edit.get();
}

ZEdit* ZEditHistory::StepForward()
{
    if (m_redo.empty())
        return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return m_undo.back().edit.get();
}

void ZEditHistory::Clear()
{
    // Newest first: an edit may own objects that an older one refers to.
    while (!m_redo.empty())
        m_redo.pop_back();
    while (!m_undo.empty())
        m_undo.pop_back();
    m_memory = 0;
    m_dropped = 0;
    m_clean = 0;
    m_balanced = -1;
}

void ZEditHistory::SetMemoryLimit(size_t bytes)
{
    m_limit = bytes;
    Trim();
}

void ZEditHistory::Trim()
{
    while (m_memory > m_limit && !m_redo.empty()) {
        if (m_clean == Position() + static_cast<int64_t>(m_redo.size()))
            m_clean = -1;   // the farthest redo state goes first
        m_memory -= m_redo.front().bytes;
        m_redo.erase(m_redo.begin());
    }
    while (m_memory > m_limit && m_undo.size() > 1) {
        if (m_clean == m_dropped)
            m_clean = -1;
        m_memory -= m_undo.front().bytes;
        m_undo.pop_front();
        ++m_dropped;
    }
}
