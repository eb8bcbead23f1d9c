#pragma once
// The copy command: the selection duplicated a little down and to the right.
#include "render/ViewCoords.h"

class CPelmoraDoc;

// One undo step: copies of the selection moved by 13 pixels of the view, cut to whole
// millimetres of the edit layer group, become the selection. False when nothing is
// selected or nothing could be copied.
bool CopyCommand(CPelmoraDoc& doc, const CDrawTransform& view);
