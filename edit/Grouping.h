#pragma once
// Groups: the tools whose result is several pieces make one here, and the grouping
// commands make and dissolve them from the selection.
#include "document/PelUnit.h"
#include "document/Selection.h"

#include <vector>

class CPlotInfo;

// The box a line covers in its own layer group's millimetres (circles and arcs by
// their whole ellipse).
void LineBox(const CPelLine& l, PelPoint& min, PelPoint& max);
// The box of every member of group id (texts by their position).
void MemberBox(const CPelUnit& unit, const CPelGroup& g, PelPoint& min, PelPoint& max);
// A new group on the edit layers holding the lines of ids, its box around them; the
// group's ID, or 0 (after the unit's message) when no group ID is free.
int GroupLines(CPelUnit& unit, const CPlotInfo& plot, const std::vector<int>& ids);
// Removes the lines of ids (a creation that could not be finished).
void RemoveLines(CPelUnit& unit, const std::vector<int>& ids);

// The grouping command: the selected lines, walls and texts become one new group,
// which becomes the selection. Refused with its message when a group or a picture is
// selected; nothing when only dimension lines are. The group's ID or 0.
int GroupSelection(CPelUnit& unit, const CPlotInfo& plot, CSelection& sel);
// Dissolves every selected group (its members stay); the count dissolved.
int UngroupSelection(CPelUnit& unit, CSelection& sel);
