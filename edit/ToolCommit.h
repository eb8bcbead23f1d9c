#pragma once
// The undo step of an edit made by the tool machine, shared by its source files.
#include "edit/DocEdit.h"
#include "edit/ToolMachine.h"

template <class F>
bool CToolMachine::Commit(F change)
{
    return RunEdit(m_doc, change);
}
