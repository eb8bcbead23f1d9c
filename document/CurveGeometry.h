#pragma once
// The geometry the creation tools and their previews share: circles through three
// points, rounded corners, the offsets of double lines, dimension placement and the
// sampled curves. Angles are degrees from +x with y pointing up on screen (drawing
// y grows downwards).
#include "document/PelRecord.h"

#include <optional>
#include <vector>

// Coordinates beyond this are refused by the rounded corner (device conversions
// would overflow).
constexpr double kCurveCoordLimit = 1.0e7;

// The centre of the circle through a, b and c; nothing when they are collinear.
std::optional<PelPoint> CircleThrough(PelPoint a, PelPoint b, PelPoint c);
// centre + (r cos θ, −r sin θ), exact at the quarter angles.
PelPoint PointAtAngle(PelPoint centre, double r, double deg);
double AngleOf(PelPoint centre, PelPoint p);
// Whether p lies on the counter-clockwise (on screen) arc from angle a to angle b.
bool OnCcwArc(double a, double b, double p);

// The n − 1 inner points of the arc from a to b on the far side of the chord from q
// (the circle through the three), in order from a to b; nothing when they are
// collinear or a point would leave ±kCurveCoordLimit.
std::optional<std::vector<PelPoint>> FilletPoints(PelPoint a, PelPoint b, PelPoint q, int steps);

// The two sides of a double line through pts, moved left and right of the direction
// of travel; empty sides when the points make no segment.
struct DoubleLineSides {
    std::vector<PelPoint> left, right;
};
DoubleLineSides OffsetSides(const std::vector<PelPoint>& pts, double left, double right);

// A dimension from s to e placed by the height click h.
struct DimensionShape {
    int side = 0;        // 1 above, 2 left, 3 below, 4 right
    double length = 0;   // whole millimetres, rounded half up by the first decimal
    double offset = 0;   // distance of the dimension line from e
    PelPoint label;
};
DimensionShape PlaceDimension(PelPoint s, PelPoint e, PelPoint h);

// The interpolating curve of the passed points (the spline and smooth polygon's
// sampling): 7 samples per span, each coordinate + 0.5.
std::vector<PelPoint> SmoothSamples(const std::vector<PelPoint>& passed);
// The spline's curve from the first to the last of pts (repeats dropped); empty for
// fewer than two distinct points.
std::vector<PelPoint> SplineCurve(const std::vector<PelPoint>& pts);
// The smooth polygon's closed outline (first point not repeated); empty for fewer than
// three distinct points.
std::vector<PelPoint> SmoothPolygonOutline(const std::vector<PelPoint>& pts);
// 21 samples of the Bezier curve of pts (repeats dropped), from the last point (t = 0)
// to the first (t = 1); empty for fewer than two distinct points.
std::vector<PelPoint> BezierCurve(const std::vector<PelPoint>& pts);

// The outline of the rectangle a–b with quarter circles of radius r at its corners,
// each in steps; empty when r is 0 or not less than half the shorter side.
std::vector<PelPoint> RoundRectOutline(PelPoint a, PelPoint b, double r, int steps);
// The corner radius the size point z sets: its distance to the nearest corner.
double RoundRectRadius(PelPoint a, PelPoint b, PelPoint z);

// Consecutive repeats (and non-finite points) dropped.
std::vector<PelPoint> DistinctPoints(const std::vector<PelPoint>& pts);

// The balloon panel's choices.
struct BalloonStyle {
    enum Shape { RoundedBody = 0, RectBody = 1, EllipseBody = 2 };
    enum Side { Up = 0, Left = 1, Down = 2, Right = 3 };
    enum Place { Start = 0, Middle = 1, End = 2 }; // left (top) end, middle, right (bottom) end
    int shape = RoundedBody;
    int side = Down;
    int place = Middle;
};
// The closed outline of the balloon on the rectangle a–b with its spike to tip; the
// spike's base is a tenth of the diagonal but not below minBase. Empty when the body
// gives fewer than three outline points.
std::vector<PelPoint> BalloonOutline(PelPoint a, PelPoint b, PelPoint tip, const BalloonStyle& style, int steps,
                                     double minBase);
