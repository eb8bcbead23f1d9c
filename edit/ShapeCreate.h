#pragma once
// The records the first drawing tools create from their points: each on the edit
// layers with the style of its family, appended to the lines. Each returns the new
// line's ID, or 0 when the points make no shape (or no ID is free) and nothing was
// created.
#include "document/CurveGeometry.h"
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

// Start, end and a point on the arc: nothing when they are collinear.
int CreateThreePointArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint s, PelPoint e, PelPoint onArc);
// Centre, width point, height point: nothing for a zero width or height.
int CreateEllipse(CPelUnit& unit, const CPlotInfo& plot, PelPoint c, PelPoint w, PelPoint h);
int CreateEllipticArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint c, PelPoint w, PelPoint h, PelPoint start,
                      PelPoint end);
// Start, end and the height click; the plot's text height.
int CreateDimension(CPelUnit& unit, const CPlotInfo& plot, PelPoint s, PelPoint e, PelPoint h);
// The two sides of the double line through pts (kind 0 or 6 each; with separate one
// line per segment); the last ID made.
int CreateDoubleLine(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, double left,
                     double right, bool separate);
// One closed polygon: the left side, the right side reversed.
int CreateDoubleLinePolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, double left,
                            double right);
// A closed outline with the rectangle's style, in a new group; the group's ID.
int CreateRoundRect(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b, PelPoint size, int steps);
// Sampled curves as straight pieces in a new group; the group's ID.
int CreateSpline(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts);
int CreateBezier(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts);
int CreateSmoothPolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts);
// The balloon on the rectangle a–b with its spike to tip, in a new group; the group's ID.
int CreateBalloon(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b, PelPoint tip,
                  const BalloonStyle& style, int steps, double minBase);
