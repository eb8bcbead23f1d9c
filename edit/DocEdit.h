#pragma once
// One undo step for an edit of the drawing: the state before it is kept only when the
// edit changed something, so a refused command leaves no empty step behind.
#include "document/PelmoraDoc.h"
#include "edit/SelectionEdit.h"

template <class F>
bool RunEdit(CPelmoraDoc& doc, F change)
{
    PressState before;
    before.Take(doc.m_unit, doc.m_arZel);
    if (!change())
        return false;
    doc.m_undo.Snapshot(before.unit, before.plans);
    doc.Changed();
    return true;
}
