#pragma once
// Map line objects of access maps: roads, railways and rivers along a centre line, in
// passes so that every road casing lies under every road body and raised objects lie
// above flat ones.
#include "render/DrawContext.h"

#include <QPointF>

#include <vector>

class CLineObj;
class QPainter;

// An object's path on the device: the centre line, cut into the pieces that the
// patterns count along (each straight segment, or a whole arc).
struct MapShape {
    bool valid = false;
    bool area = false;               // draw type 4: a filled polygon
    bool arc = false;                // draw type 1
    std::vector<QPointF> line;       // the whole centre line (the outline of an area)
    std::vector<std::vector<QPointF>> segments;
};

// The device path of o's draw type; not valid when the object has too few points or
// parameters for it, a zero radius, or nothing longer than a pixel to draw.
MapShape MapShapeOf(const CDrawContext& dc, const CLineObj& o);

// Half width A of the object's width class in device pixels (0 draws no casing).
int MapHalfWidth(const CDrawContext& dc, const CLineObj& o);
// The extra edge width E of casings: 3 pixels on the screen, 6 x linehutosa printed.
int MapEdgeWidth(const CDrawContext& dc);

// The seven passes for one object; each does nothing for objects of another kind.
void DrawRoadCasing(QPainter& p, const CDrawContext& dc, const CLineObj& o);
void DrawRoadBody(QPainter& p, const CDrawContext& dc, const CLineObj& o);
void DrawRoadCentreLine(QPainter& p, const CDrawContext& dc, const CLineObj& o);
void DrawRailwayBase(QPainter& p, const CDrawContext& dc, const CLineObj& o);
void DrawRailwayPattern(QPainter& p, const CDrawContext& dc, const CLineObj& o);
void DrawRiverCasing(QPainter& p, const CDrawContext& dc, const CLineObj& o);
// The river's body, followed by its water pattern.
void DrawRiverBody(QPainter& p, const CDrawContext& dc, const CLineObj& o);

// The map objects of one layer in pass order: the flat ones (river casings, river
// bodies, road casings, road bodies, road centre lines, railway bases, railway
// patterns), then the raised ones in the same order.
void DrawMapObjects(QPainter& p, const CDrawContext& dc, const std::vector<const CLineObj*>& objects);

// How many pieces of length piece a segment of length len is cut into, or -1 when
// the piece is shorter than a pixel.
int MapPieceCount(double len, int piece);
