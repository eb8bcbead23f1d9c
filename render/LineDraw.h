#pragma once
// Drawing of the line objects: straight lines, rectangles, polygons, circles and
// ellipses, arcs with their sectors and chords, dimension lines and open polylines.
#include "document/PelRecord.h"
#include "render/DrawContext.h"
#include "render/LineStyle.h"

#include <string>

class CPelLine;
class CPelUnit;
class QPainter;

// Draws one line object (fill, then outline, then end markers). unit is the drawing
// unit the line belongs to (group boxes, room rules). A record with too few points or
// parameters for its kind is passed by.
void DrawPelLine(QPainter& p, const CDrawContext& dc, const CPelLine& line, const CPelUnit& unit);

// Formats a dimension value: 0 whole numbers rounded half up, 1-3 decimal places.
std::string FormatDimensionValue(double value, int kurai);

// The extension lines, the dimension line and its text between two measured points:
// the dimension object's drawing, also the dimension tool's preview.
struct DimensionFigure {
    int group = 0;
    PelPoint p0, p1, label;
    int orient = 0;        // 1 above, 2 left, 3 below, 4 right; others draw nothing
    double distance = 0;   // of the dimension line from p1 (drawing units)
    std::string text;      // UTF-8
    ColorRef colour = 0;
    int width = 1;
    int markers = 0;       // end marker style, 0 none
};
void DrawDimensionFigure(QPainter& p, const CDrawContext& dc, const DimensionFigure& f);
