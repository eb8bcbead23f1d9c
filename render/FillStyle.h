#pragma once
// Fills of closed shapes: plain colours, the eight tiles, the six hatches, linear and
// centre-outline gradients, and translucency.
#include "render/LineStyle.h"

#include <QBrush>
#include <QImage>
#include <QPolygon>
#include <QRect>

class QPainter;

// One of the eight 8 x 8 black-and-white tiles (1..8); a null image for other numbers.
const QImage& TileImage(int pattern);
// An opaque tile brush, anchored where the painter's brush origin is.
QBrush TileBrush(int pattern);
// A hatch brush of style 0..5 (horizontal, vertical, forward diagonal, backward
// diagonal, cross, diagonal cross) drawn as 8-pixel cells: lines in lineColor, the
// spaces in background, or transparent when background is invalid.
QBrush HatchBrush(int style, const QColor& lineColor, const QColor& background);

// The geometry of a closed shape on the device.
struct FillShape {
    enum Kind { Polygon, Ellipse, Pie, Chord };
    Kind kind = Polygon;
    QPolygon points; // Polygon: the outline (closed implicitly)
    QRect box;       // Ellipse, Pie, Chord: the full ellipse's bounding box
    double startDeg = 0, endDeg = 0; // Pie, Chord: directions of the arc's bounds from the box centre

    // The bounding box of the points (polygons) or the box (ellipses, arcs).
    QRect Bounds() const;
    // Fills the shape with the painter's current brush and pen.
    void Draw(QPainter& p) const;
};

// Everything about a shape's fill the drawing needs. Colours are the raw fill colours;
// the colour rules are applied inside DrawFill.
struct FillParams {
    bool filled = false;
    ColorRef color = kWhite;  // fill colour
    ColorRef color2 = kWhite; // second colour of a gradient
    int gradient = 1;         // direction angle x 100 + mode
    int alpha = 100;          // opacity in percent
    bool hatch = false;
    int hatchType = 3;
    int pattern = 0;          // 0 none, 1..8 tile
    QRect groupBox;           // gradient mode 2: the group's box on the device; null when none
};

// Draws the fill (tile, plain, gradient or translucent, then the hatch) of one shape
// before its outline. outline is the colour of the outline after its colour rules.
// The painter's pen and brush are left changed.
void DrawFill(QPainter& p, const FillShape& shape, const FillParams& f, const ColorContext& cc, ColorRef outline);

// The gradient or translucent part: colour 1 and 2, gradient value, opacity, and the
// gradation display value that chooses linear (1) or centre-outline (2, 3) blends.
void DrawGradientFill(QPainter& p, const FillShape& shape, ColorRef c1, ColorRef c2, int gradient, int alpha,
                      int gradationDisplay, const QRect& groupBox);

// Start and span, in the painter's sixteenths of a degree, of the arc of the ellipse of
// box counter-clockwise from direction startDeg to direction endDeg (full when equal).
void ArcSpan16(const QRect& box, double startDeg, double endDeg, int& start16, int& span16);

// The mild second colour: a white second colour becomes the fill colour lightened
// half way to white; any other second colour is kept.
ColorRef MildSecondColor(ColorRef fillColor, ColorRef secondColor);
