#include "document/UndoHistory.h"

#include <algorithm>

CUndoHistory::CUndoHistory() { Reset(); }

int CUndoHistory::ClampDepth(int depth) { return std::clamp(depth, kMinDepth, kMaxDepth); }

void CUndoHistory::SetDepth(int depth)
{
    m_depth = ClampDepth(depth);
    Trim();
}

void CUndoHistory::Reset()
{
    m_undo.clear();
    m_redo.clear();
    m_undo.push_back(Entry{std::make_unique<CPelUnit>(), std::make_unique<CArZel>()});
}

CUndoHistory::Entry CUndoHistory::Copy(const CPelUnit& unit, const CArZel& plans)
{
    Entry e{std::make_unique<CPelUnit>(), std::make_unique<CArZel>()};
    e.unit->Reset(2, unit.PrefixFlag(), unit.PrefixValue());
    e.unit->CopyFrom(unit);
    e.plans->CopyFrom(plans);
    return e;
}

void CUndoHistory::Restore(const Entry& e, CPelUnit& unit, CArZel& plans)
{
    unit.CopyFrom(*e.unit);
    plans.CopyFrom(*e.plans);
}

void CUndoHistory::Trim()
{
    // The base entry (element 0) stays; the oldest real step goes first.
    const std::size_t depth = static_cast<std::size_t>(m_depth);
    if (m_undo.size() > depth)
        m_undo.erase(m_undo.begin() + 1, m_undo.begin() + static_cast<std::ptrdiff_t>(m_undo.size() - depth + 1));
}

void CUndoHistory::Snapshot(const CPelUnit& unit, const CArZel& plans)
{
    m_undo.push_back(Copy(unit, plans));
    Trim();
    m_redo.clear();
}

bool CUndoHistory::Undo(CPelUnit& unit, CArZel& plans)
{
    if (!CanUndo())
        return false;
    m_redo.push_back(Copy(unit, plans));
    Restore(m_undo.back(), unit, plans);
    m_undo.pop_back();
    return true;
}

bool CUndoHistory::Redo(CPelUnit& unit, CArZel& plans)
{
    if (!CanRedo())
        return false;
    m_undo.push_back(Copy(unit, plans));
    Trim();
    Restore(m_redo.back(), unit, plans);
    m_redo.pop_back();
    return true;
}
