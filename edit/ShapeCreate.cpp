#include "edit/ShapeCreate.h"

#include "document/PelUnit.h"
#include "document/PlotInfo.h"
#include "document/CurveGeometry.h"
#include "edit/Grouping.h"

#include <cmath>

namespace {
enum Family { OpenLine, Closed, ArcFamily, Polyline, SmoothClosed, ColourOnly, NoStyle };

// The style copied from the slot: what each family takes, the rest as a new record has.
// slotKind picks the slot when it is not the kind's own (the rounded outlines).
CPelLine* Add(CPelUnit& unit, const CPlotInfo& plot, int kind, Family family, int slotKind = -1)
{
    CPelLine* l = unit.AddLine(slotKind < 0 ? kind : slotKind, plot);
    if (!l)
        return nullptr;
    l->m_type = kind;
    const CPelLine fresh;
    if (family == NoStyle) {
        const int id = l->m_id, l1 = l->m_layer1, l2 = l->m_layer2;
        *l = fresh;
        l->m_id = id;
        l->m_type = kind;
        l->m_layer1 = l1;
        l->m_layer2 = l2;
        return l;
    }
    if (family == ColourOnly || family == SmoothClosed) {
        l->m_gradation = fresh.m_gradation;
        l->m_fillColor2 = fresh.m_fillColor2;
        l->m_alpha = fresh.m_alpha;
        l->m_tanten = fresh.m_tanten;
        l->m_arrowWidth = fresh.m_arrowWidth;
    }
    if (family == ColourOnly) {
        l->m_fillColor = fresh.m_fillColor;
        l->m_fill = fresh.m_fill;
        l->m_hatch = fresh.m_hatch;
        l->m_hatchType = fresh.m_hatchType;
        l->m_pattern = fresh.m_pattern;
        return l;
    }
    if (family == SmoothClosed)
        return l;
    if (family == Polyline) {
        l->m_fillColor = fresh.m_fillColor;
        l->m_fill = fresh.m_fill;
        l->m_hatch = fresh.m_hatch;
    }
    if (family == OpenLine || family == Polyline) {
        l->m_hatchType = fresh.m_hatchType;
        l->m_pattern = fresh.m_pattern;
    }
    if (family != Closed && family != ArcFamily) {
        l->m_gradation = fresh.m_gradation;
        l->m_fillColor2 = fresh.m_fillColor2;
        l->m_alpha = fresh.m_alpha;
    }
    if (family == Closed) {
        l->m_tanten = fresh.m_tanten;
        l->m_arrowWidth = fresh.m_arrowWidth;
    }
    if (family == ArcFamily)
        l->m_arrowWidth = fresh.m_arrowWidth;
    return l;
}

bool Finite(PelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }
} // namespace

int CreateStraightLine(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b)
{
    if (a == b || !Finite(a) || !Finite(b))
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Straight, OpenLine);
    if (!l)
        return 0;
    l->m_points = {a, b};
    return l->m_id;
}

int CreateRectangle(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b)
{
    if (a == b || !Finite(a) || !Finite(b))
        return 0;
    const double x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x), y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    CPelLine* l = Add(unit, plot, CPelLine::Rect, Closed);
    if (!l)
        return 0;
    l->m_points = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}};
    return l->m_id;
}

int CreatePolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts)
{
    std::vector<PelPoint> distinct;
    for (const PelPoint& p : pts)
        if (Finite(p) && (distinct.empty() || !(distinct.back() == p)))
            distinct.push_back(p);
    while (distinct.size() > 1 && distinct.back() == distinct.front())
        distinct.pop_back();
    if (distinct.size() < 3)
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Polygon, Closed);
    if (!l)
        return 0;
    l->m_points = distinct;
    return l->m_id;
}

int CreateCircle(CPelUnit& unit, const CPlotInfo& plot, PelPoint centre, PelPoint onCircle)
{
    if (centre == onCircle || !Finite(centre) || !Finite(onCircle))
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Circle, Closed);
    if (!l)
        return 0;
    l->m_points = {centre};
    l->m_params = {std::hypot(onCircle.x - centre.x, onCircle.y - centre.y)};
    return l->m_id;
}

int CreateArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint c, PelPoint s, PelPoint e)
{
    if (!Finite(c) || !Finite(s) || !Finite(e) || c == s || c == e)
        return 0;
    double r;
    if (s.x == c.x)
        r = std::abs(s.y - c.y);
    else if (s.y == c.y)
        r = std::abs(s.x - c.x);
    else
        r = std::hypot(s.x - c.x, s.y - c.y);
    PelPoint end;
    if (e.x == c.x)
        end = {c.x, c.y + (e.y > c.y ? r : -r)};
    else if (e.y == c.y)
        end = {c.x + (e.x > c.x ? r : -r), c.y};
    else {
        const double d = std::hypot(e.x - c.x, e.y - c.y);
        end = {c.x + (e.x - c.x) * r / d, c.y + (e.y - c.y) * r / d};
    }
    CPelLine* l = Add(unit, plot, CPelLine::Arc, ArcFamily);
    if (!l)
        return 0;
    l->m_points = {c, s, end};
    l->m_params = {r};
    return l->m_id;
}

int CreatePolyline(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, bool separate)
{
    std::vector<PelPoint> distinct;
    for (const PelPoint& p : pts)
        if (Finite(p) && (distinct.empty() || !(distinct.back() == p)))
            distinct.push_back(p);
    if (distinct.size() < 2)
        return 0;
    if (separate) {
        int last = 0;
        for (std::size_t i = 0; i + 1 < distinct.size(); ++i) {
            CPelLine* l = Add(unit, plot, CPelLine::Straight, OpenLine);
            if (!l)
                return last;
            l->m_points = {distinct[i], distinct[i + 1]};
            last = l->m_id;
        }
        return last;
    }
    CPelLine* l = Add(unit, plot, CPelLine::Polyline, Polyline);
    if (!l)
        return 0;
    l->m_points = distinct;
    return l->m_id;
}

int CreateThreePointArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint s, PelPoint e, PelPoint onArc)
{
    if (!Finite(s) || !Finite(e) || !Finite(onArc))
        return 0;
    const auto c = CircleThrough(s, e, onArc);
    if (!c)
        return 0;
    // Drawn counter-clockwise from the first end to the second: that way must pass the point.
    const bool forward = OnCcwArc(AngleOf(*c, s), AngleOf(*c, e), AngleOf(*c, onArc));
    CPelLine* l = Add(unit, plot, CPelLine::Arc, ArcFamily);
    if (!l)
        return 0;
    l->m_points = forward ? std::vector<PelPoint>{*c, s, e} : std::vector<PelPoint>{*c, e, s};
    l->m_params = {std::hypot(onArc.x - c->x, onArc.y - c->y)};
    return l->m_id;
}

namespace {
bool EllipseRadii(PelPoint c, PelPoint w, PelPoint h, double& rx, double& ratio)
{
    rx = std::abs(w.x - c.x);
    ratio = std::abs(h.y - c.y) / (rx == 0 ? 1 : rx);
    return rx > 0 && ratio > 0 && std::isfinite(ratio);
}
} // namespace

int CreateEllipse(CPelUnit& unit, const CPlotInfo& plot, PelPoint c, PelPoint w, PelPoint h)
{
    double rx, ratio;
    if (!Finite(c) || !Finite(w) || !Finite(h) || !EllipseRadii(c, w, h, rx, ratio))
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Circle, Closed);
    if (!l)
        return 0;
    l->m_points = {c};
    l->m_params = {rx, ratio};
    return l->m_id;
}

int CreateEllipticArc(CPelUnit& unit, const CPlotInfo& plot, PelPoint c, PelPoint w, PelPoint h, PelPoint start,
                      PelPoint end)
{
    double rx, ratio;
    if (!Finite(c) || !Finite(w) || !Finite(h) || !Finite(start) || !Finite(end) || start == c || end == c ||
        !EllipseRadii(c, w, h, rx, ratio))
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Arc, ArcFamily);
    if (!l)
        return 0;
    l->m_points = {c, start, end};
    l->m_params = {rx, ratio};
    return l->m_id;
}

int CreateDimension(CPelUnit& unit, const CPlotInfo& plot, PelPoint s, PelPoint e, PelPoint h)
{
    if (s == e || !Finite(s) || !Finite(e) || !Finite(h))
        return 0;
    const DimensionShape d = PlaceDimension(s, e, h);
    CPelLine* l = Add(unit, plot, CPelLine::Dimension, NoStyle);
    if (!l)
        return 0;
    l->m_points = {s, e, d.label};
    l->m_params = {static_cast<double>(d.side), d.length, d.offset, static_cast<double>(plot.m_sunpoTextHeight)};
    return l->m_id;
}

int CreateDoubleLine(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, double left,
                     double right, bool separate)
{
    const DoubleLineSides sides = OffsetSides(DistinctPoints(pts), left, right);
    if (sides.left.size() < 2)
        return 0;
    int last = 0;
    for (const auto* side : {&sides.left, &sides.right}) {
        const std::size_t n = side->size();
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const bool piece = separate || n == 2;
            CPelLine* l = Add(unit, plot, piece ? CPelLine::Straight : CPelLine::Polyline, ColourOnly, CPelLine::Straight);
            if (!l)
                return last;
            if (piece)
                l->m_points = {(*side)[i], (*side)[i + 1]};
            else
                l->m_points = *side;
            last = l->m_id;
            if (!piece)
                break;
        }
    }
    return last;
}

int CreateDoubleLinePolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts, double left,
                            double right)
{
    const DoubleLineSides sides = OffsetSides(DistinctPoints(pts), left, right);
    if (sides.left.size() < 2)
        return 0;
    std::vector<PelPoint> outline = sides.left;
    outline.insert(outline.end(), sides.right.rbegin(), sides.right.rend());
    outline.push_back(outline.front());
    CPelLine* l = Add(unit, plot, CPelLine::Polygon, Closed);
    if (!l)
        return 0;
    l->m_points = outline;
    return l->m_id;
}

namespace {
// The lines made into one group; when no group ID is free the lines go again.
int Grouped(CPelUnit& unit, const CPlotInfo& plot, const std::vector<int>& ids)
{
    if (ids.empty())
        return 0;
    const int g = GroupLines(unit, plot, ids);
    if (g == 0)
        RemoveLines(unit, ids);
    return g;
}

int Pieces(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& curve)
{
    std::vector<int> ids;
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        if (curve[i] == curve[i + 1])
            continue;
        CPelLine* l = Add(unit, plot, CPelLine::Straight, ColourOnly);
        if (!l) {
            RemoveLines(unit, ids);
            return 0;
        }
        l->m_points = {curve[i], curve[i + 1]};
        ids.push_back(l->m_id);
    }
    return Grouped(unit, plot, ids);
}
} // namespace

int CreateRoundRect(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b, PelPoint size, int steps)
{
    if (a == b || !Finite(a) || !Finite(b) || !Finite(size))
        return 0;
    const std::vector<PelPoint> outline = RoundRectOutline(a, b, RoundRectRadius(a, b, size), steps);
    if (outline.empty())
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Polygon, Closed, CPelLine::Rect);
    if (!l)
        return 0;
    l->m_points = outline;
    return Grouped(unit, plot, {l->m_id});
}

int CreateSpline(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts)
{
    return Pieces(unit, plot, SplineCurve(pts));
}

int CreateBezier(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts)
{
    return Pieces(unit, plot, BezierCurve(pts));
}

int CreateSmoothPolygon(CPelUnit& unit, const CPlotInfo& plot, const std::vector<PelPoint>& pts)
{
    const std::vector<PelPoint> outline = SmoothPolygonOutline(pts);
    if (outline.size() < 3)
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Polygon, SmoothClosed);
    if (!l)
        return 0;
    l->m_points = outline;
    return l->m_id;
}

int CreateBalloon(CPelUnit& unit, const CPlotInfo& plot, PelPoint a, PelPoint b, PelPoint tip,
                  const BalloonStyle& style, int steps, double minBase)
{
    if (!Finite(a) || !Finite(b) || !Finite(tip))
        return 0;
    const std::vector<PelPoint> outline = BalloonOutline(a, b, tip, style, steps, minBase);
    if (outline.size() < 3)
        return 0;
    CPelLine* l = Add(unit, plot, CPelLine::Polygon, Closed, CPelLine::Rect);
    if (!l)
        return 0;
    l->m_points = outline;
    return Grouped(unit, plot, {l->m_id});
}
