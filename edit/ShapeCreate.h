#pragma once
// The records the first drawing tools create from their points: each on the edit
// layers with the style of its family, appended to the lines. Each returns the new
// line's ID, or 0 when the points make no shape (or no ID is free) and nothing was
// created.
#include "document/PelRecord.h"

#include <vector>

class CPelUnit;
class CPlotInfo;

int CreateStraightLine(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b);
int CreateRectangle(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b);
// A closed polygon through at least three distinct points.
int CreatePolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts);
int CreateCircle(CPelUnit& unit, const CPlotInfo& plot, PelPoint centre, PelPoint onCircle);
// Centre, start and end click: the end is projected onto the circle through the start.
int CreateArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint centre, PelPoint start, PelPoint endClick);
// An open polyline through at least two points (consecutive repeats dropped);
// separate == app_renzokusenbara: one two-point line per segment, the last ID returned.
int CreatePolyline(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, bool separate);
