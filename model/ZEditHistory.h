#pragma once
#include "ZEdit.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The undo and redo stacks of one document. Tracks the position of the saved state so that the
// modified flag follows the history, and drops the oldest edits beyond its memory limit (the
// newest edit is always kept, however large).
class ZEditHistory {
public:
    static constexpr size_t DefaultMemoryLimit = size_t(256) << 20;

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    int UndoCount() const { return static_cast<int>(m_undo.size()); }
    int RedoCount() const { return static_cast<int>(m_redo.size()); }
    // The edit the next undo or redo acts on, or null.
    const ZEdit* NextUndo() const { return m_undo.empty() ? nullptr : m_undo.back().edit.get(); }
    const ZEdit* NextRedo() const { return m_redo.empty() ? nullptr : m_redo.back().edit.get(); }
    // Their texts, empty when there is none.
    std::string UndoText() const;
    std::string RedoText() const;

    // Records an edit that is in effect; the redo stack is dropped.
    void Push(std::unique_ptr<ZEdit> edit);
    // Moves the newest edit to the redo stack and returns it (the caller reverts it); null when empty.
    ZEdit* StepBack();
    // Moves the next redo edit back and returns it (the caller applies it); null when empty.
    ZEdit* StepForward();
    void Clear();

    // Whether the document is in the state last marked clean (saved, opened or new).
    bool IsClean() const { return m_clean == Position(); }
    void MarkClean() { m_clean = Position(); }

    // The state of the last converged balancing run. Only undo leads back to it with its results:
    // an edit's after-state was captured before the run, so stepping below it loses the way back.
    void MarkBalanced() { m_balanced = Position(); }
    void ForgetBalanced() { m_balanced = -1; }
    bool IsAtBalanced() const { return m_balanced >= 0 && m_balanced == Position(); }

    size_t MemoryUsage() const { return m_memory; }
    size_t MemoryLimit() const { return m_limit; }
    void SetMemoryLimit(size_t bytes);

private:
    struct Entry {
        std::unique_ptr<ZEdit> edit;
        size_t bytes = 0;
    };
    int64_t Position() const { return m_dropped + static_cast<int64_t>(m_undo.size()); }
    void Trim();

    std::deque<Entry> m_undo;
    std::vector<Entry> m_redo;
    size_t m_memory = 0;
    size_t m_limit = DefaultMemoryLimit;
    int64_t m_dropped = 0;     // edits trimmed off the bottom of the undo stack
    int64_t m_clean = 0;       // -1 once the clean state can no longer be reached
    int64_t m_balanced = -1;   // -1: no balanced state to go back to
};
