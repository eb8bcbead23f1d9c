#pragma once
// What the selection commands do to the records: move, reshape through a handle,
// delete and copy. A drag restores each affected record from the state at the press
// before changing it by the whole offset, so nothing accumulates between moves.
#include "document/ArZel.h"
#include "document/PelUnit.h"
#include "document/Selection.h"

#include <functional>

// The records a drag starts from: the drawing and the plans as they were at the press,
// kept apart from the undo history (whose depth may be anything).
struct PressState {
    CPelUnit unit;
    CArZel plans;
    void Take(const CPelUnit& u, const CArZel& p)
    {
        unit.Reset(2, u.PrefixFlag(), u.PrefixValue());
        unit.CopyFrom(u);
        plans.CopyFrom(p);
    }
};

struct DragRule {
    double pictureFactor = 1; // drawing millimetres to the pictures' printed millimetres
    bool stretchEven = false; // app_strecheven: group corners keep the proportions
    PelPoint press;           // where the drag began (a text turns about its position from there)
};

// Moves every selected object by (dx, dy) from its state in from (which may be unit
// itself), members of selected groups with them.
void MoveSelection(CPelUnit& unit, const CPelUnit& from, const CSelection& sel, double dx, double dy,
                   const DragRule& rule);
// Moves every plan of ids by (dx, dy) from its state in from.
void MovePlans(CArZel& plans, const CArZel& from, const std::vector<int>& ids, double dx, double dy);
// The drag of handle sel.handle of the one selected object by (dx, dy) from press.
void DragHandle(CPelUnit& unit, const CPelUnit& press, const CSelection& sel, double dx, double dy,
                const DragRule& rule);

// Applies f to every point of the members of group id (lines, walls, texts), each
// made the unit's own first; lineFix and textFix then adjust what a point map cannot
// (an arc's ends, a text's angle).
void MapGroup(CPelUnit& unit, int id, const std::function<PelPoint(PelPoint)>& f,
              const std::function<void(CPelLine&)>& lineFix = {}, const std::function<void(CPelText&)>& textFix = {});

// Deletes every selected line, wall, text, group (with its members), picture and map
// object; the count deleted.
int DeleteSelection(CPelUnit& unit, const CSelection& sel);
// Adds copies (new IDs) of the selected objects moved by (dx, dy); the copies' IDs.
// Stops, after the unit's message, when a kind runs out of IDs.
CSelection CopySelection(CPelUnit& unit, const CSelection& sel, double dx, double dy, double pictureFactor = 1);
// Mirrors the selected objects left to right about the vertical line x = axis.
void MirrorSelection(CPelUnit& unit, const CSelection& sel, double axis, double pictureFactor);
