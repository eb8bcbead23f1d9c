#pragma once
// Outlines: line types and their dashes, width classes, the colour rules that all
// outlines share, and the end markers. Dashes are made of solid strokes of our own,
// never the platform's dashed pens, so that they measure the same on every device.
#include <QColor>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;
class QPainterPath;

class QPainter;

using ColorRef = std::uint32_t; // red + 256 x green + 65536 x blue
constexpr ColorRef kWhite = 16777215;
constexpr ColorRef kGreyed = 200 + 256 * 200 + 65536 * 200;
inline int RedOf(ColorRef c) { return static_cast<int>(c & 0xff); }
inline int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xff); }
inline int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xff); }
inline constexpr ColorRef Rgb(int r, int g, int b)
{
    return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 | static_cast<ColorRef>(b) << 16;
}
inline bool IsWhiteRgb(ColorRef c) { return (c & 0xffffff) == 0xffffff; }
QColor ToQColor(ColorRef c, int alpha = 255);

// Line types (the line's style index).
enum LineType { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4, kAuxiliary = 5 };

// The state of the drawing that the colour rules depend on.
struct ColorContext {
    int sirokuro = 0;    // monochrome display
    int gradation = 0;   // gradation display value
    int plotVersion = 22001;
    bool greyed = false; // screen, grey display on, object outside the edit layer
};
// The colour of an outline after the monochrome, gradation-3 and grey rules.
ColorRef OutlineColor(ColorRef lineColor, const ColorContext& cc);
// The colour of a fill: white in monochrome (black stays black), white when greyed.
ColorRef FillColor(ColorRef fillColor, const ColorContext& cc);

// The pattern of a dashed type in device pixels: trunc(millimetres x paper scale) of
// the dash pitches (dash, dot, dash-dot, dash-dot-dot: 2, 2, 4 and 6 entries). Empty
// for solid, auxiliary and unknown types.
std::vector<int> DashPatternPx(int lineType, const float pitches[14], double paperScale);

// Pen width in device pixels of a width class 1..10 (held within range).
struct WidthTables {
    int screen[10] = {1, 2, 2, 2, 2, 3, 3, 3, 3, 3};
    int print[10] = {3, 6, 9, 10, 12, 14, 16, 18, 19, 20};
    int linehutosa = 1;
};
int PenWidthPx(int widthClass, int plotVersion, bool printing, const WidthTables& tables);
// The width of a dashed ellipse or arc outline, which prints with the screen width.
int CurveDashWidthPx(int widthClass, int plotVersion, bool printing, const WidthTables& tables);

// Where the strokes of a dashed outline go: the painter, or a recorder in tests.
class StrokeSink {
public:
    virtual ~StrokeSink() = default;
    virtual void Line(QPoint a, QPoint b) = 0;
    // An arc on the ellipse of box, counter-clockwise from startDeg over spanDeg
    // (parametric angles, degrees).
    virtual void Arc(const QRect& box, double startDeg, double spanDeg) = 0;
};
// Strokes onto a painter with its current pen.
class PainterSink : public StrokeSink {
public:
    explicit PainterSink(QPainter& p) : m_p(p) {}
    void Line(QPoint a, QPoint b) override;
    void Arc(const QRect& box, double startDeg, double spanDeg) override;

private:
    QPainter& m_p;
};

// Dotted one-pixel lines (a pixel drawn, two left out) laid out from each figure's first
// point, in the painter's coordinates and without antialiasing: the dots stay put
// however the device is clipped, as on a page drawn in bands (the platform's dotted
// pens start their dots afresh where a clip cuts a line).
void DrawDottedPolyline(QPainter& p, const QPoint* pts, int n, bool closed, const QColor& color);
// The same along every figure of path, its curves flattened.
void DrawDottedPath(QPainter& p, const QPainterPath& path, const QColor& color);

// One straight segment with the pattern, continuing at phase (in and out) with the
// carried length used up of the current entry. Returns the new carried length.
// An empty pattern, or one that adds up to nothing (pitches under a pixel), draws
// the segment in one stroke.
int DashSegment(StrokeSink& sink, const std::vector<int>& pattern, QPoint p, QPoint q, int& phase, int carried);

// A dashed circle, ellipse or arc outline. box is the device bounding box of the full
// ellipse; startDeg and endDeg are the directions (counter-clockwise on the screen) of
// the arc's start and end points; fullRing draws the whole ellipse. circle: the shape
// has one radius (the walk starts at the start angle); otherwise it is an ellipse
// (the walk starts at angle 0).
void DashCurve(StrokeSink& sink, const std::vector<int>& pattern, const QRect& box, bool circle, double startDeg,
               double endDeg, bool fullRing);

// Direction of the vector from a to b in degrees 0..360, counter-clockwise on the
// screen (y downwards); 0 when the points coincide.
double DirectionDeg(double ax, double ay, double bx, double by);

// End marker styles: 0 none, 1-3 open arrow, 4-6 filled triangle, 7-9 dot, 10-12 square
// (start, end, both). Draws the marker at tip pointing along dirDeg (the direction from
// the line's end towards its other point) with size b pixels, in colour.
void DrawEndMarker(QPainter& p, int style, QPoint tip, double dirDeg, int sizePx, const QColor& color, int penWidth);
// Both markers of a line from S to E: start variants at S, end variants at E; both-ends
// styles draw their start variant at S and their end variant at E.
void DrawEndMarkers(QPainter& p, int style, QPoint s, QPoint e, double startDirDeg, double endDirDeg, int sizePx,
                    const QColor& color, int penWidth);
// The marker size class's length: keij_pich[class] x paper scale x extra factor.
int MarkerSizePx(int sizeClass, const double keijPich[5], double paperScale, double extra1);
