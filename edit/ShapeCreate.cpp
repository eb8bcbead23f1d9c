#include "edit/ShapeCreate.h"

#include "document/PelUnit.h"
#include "document/PlotInfo.h"

#include <cmath>

namespace {
enum Family { OpenLine, Closed, ArcFamily, Polyline };

// The style copied from the slot: what each family takes, the rest as a new record has.
CPelLine* Add(CPelUnit& unit, const CPlotInfo& plot, int kind, Family family)
{
    CPelLine* l = unit.AddLine(kind, plot);
    if (!l)
        return nullptr;
    const CPelLine fresh;
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
