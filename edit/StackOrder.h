#pragma once
// The stacking order within a layer: lines are drawn in the order of the line list.
#include "document/PelUnit.h"
#include "document/Selection.h"

// The first selected line, or else the first selected group with its member lines, to
// the top (end of the lists) or the bottom; false when neither is selected.
bool RestackSelection(CPelUnit& unit, const CSelection& sel, bool toTop);
