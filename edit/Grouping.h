#pragma once
// Groups made of lines: the tools whose result is several pieces, or one outline that
// moves and scales as a group, make it here.
#include "document/PelUnit.h"

#include <vector>

class CPlotInfo;

// The box a line covers in its own layer group's millimetres (circles and arcs by
// their whole ellipse).
void LineBox(const CPelLine& l, PelPoint& min, PelPoint& max);
// A new group on the edit layers holding the lines of ids, its box around them; the
// group's ID, or 0 (after the unit's message) when no group ID is free.
int GroupLines(CPelUnit& unit, const CPlotInfo& plot, const std::vector<int>& ids);
// Removes the lines of ids (a creation that could not be finished).
void RemoveLines(CPelUnit& unit, const std::vector<int>& ids);
