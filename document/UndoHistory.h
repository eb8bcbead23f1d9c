#pragma once
// Undo and redo by whole snapshots of the drawing unit and the imported plans. A
// snapshot shares every record with the drawing until one of them changes it, so a
// step costs little more than the records it changed; pictures keep sharing their
// bitmap and working file with the drawing whatever is undone or dropped.
#include "document/ArZel.h"
#include "document/PelUnit.h"

#include <memory>
#include <vector>

class CUndoHistory {
public:
    // Bounds of the depth (steps + 1): at least one step, and a sane ceiling so that a
    // damaged setting cannot keep the whole session's history.
    static constexpr int kMinDepth = 2;
    static constexpr int kMaxDepth = 1000;

    CUndoHistory();

    // Empties both lists and seeds the undo list with its base entry.
    void Reset();
    // The largest number of undo entries, base included (app_undonum), clamped.
    void SetDepth(int depth);
    int Depth() const { return m_depth; }
    static int ClampDepth(int depth);

    // Before a change: pushes a copy of unit and plans, drops the oldest step beyond
    // the depth, forgets every redo step.
    void Snapshot(const CPelUnit& unit, const CArZel& plans);
    // False (nothing changed) when there is nothing to undo or redo.
    bool Undo(CPelUnit& unit, CArZel& plans);
    bool Redo(CPelUnit& unit, CArZel& plans);
    bool CanUndo() const { return m_undo.size() >= 2; }
    bool CanRedo() const { return !m_redo.empty(); }
    // Entries in each list; the undo list's count includes its base entry.
    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }

private:
    struct Entry {
        std::unique_ptr<CPelUnit> unit;
        std::unique_ptr<CArZel> plans;
    };
    static Entry Copy(const CPelUnit& unit, const CArZel& plans);
    static void Restore(const Entry& e, CPelUnit& unit, CArZel& plans);
    void Trim();

    std::vector<Entry> m_undo;
    std::vector<Entry> m_redo;
    int m_depth = 20;
};
