#pragma once
// The undo step of an edit made by the tool machine, shared by its source files.
#include "document/PelmoraDoc.h"
#include "edit/ToolMachine.h"

template <class F>
bool CToolMachine::Commit(F change)
{
    PressState before;
    before.Take(m_doc.m_unit, m_doc.m_arZel);
    if (!change())
        return false;
    m_doc.m_undo.Snapshot(before.unit, before.plans);
    m_doc.Changed();
    return true;
}
