#pragma once
// Drawing of the line objects: straight lines, rectangles, polygons, circles and
// ellipses, arcs with their sectors and chords, dimension lines and open polylines.
#include "render/DrawContext.h"

class CPelLine;
class CPelUnit;
class QPainter;

// Draws one line object (fill, then outline, then end markers). unit is the drawing
// unit the line belongs to (group boxes, room rules). A record with too few points or
// parameters for its kind is passed by.
void DrawPelLine(QPainter& p, const CDrawContext& dc, const CPelLine& line, const CPelUnit& unit);

// Formats a dimension value: 0 whole numbers rounded half up, 1-3 decimal places.
std::string FormatDimensionValue(double value, int kurai);
