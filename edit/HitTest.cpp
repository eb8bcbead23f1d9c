#include "edit/HitTest.h"

#include "document/ArZel.h"
#include "document/PelUnit.h"
#include "render/PictureDraw.h"
#include "render/TextDraw.h"

#include <QPolygonF>

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kArcSteps = 72;

bool OnLayer(int l1, int l2, LayerPair c) { return l1 == c.group && l2 == c.layer; }

// The distance rule of one segment: |dx| + |dy| to the foot of the perpendicular,
// or the perpendicular distance of an axis-parallel segment.
double SegmentDistance(QPointF a, QPointF b, QPointF p, double best)
{
    if (a.y() == b.y()) {
        if (p.x() < std::min(a.x(), b.x()) - best || p.x() > std::max(a.x(), b.x()) + best)
            return -1;
        return std::abs(p.y() - a.y());
    }
    if (a.x() == b.x()) {
        if (p.y() < std::min(a.y(), b.y()) - best || p.y() > std::max(a.y(), b.y()) + best)
            return -1;
        return std::abs(p.x() - a.x());
    }
    const double vx = b.x() - a.x(), vy = b.y() - a.y();
    const double u = ((p.x() - a.x()) * vx + (p.y() - a.y()) * vy) / (vx * vx + vy * vy);
    const QPointF foot(a.x() + u * vx, a.y() + u * vy);
    if (foot.x() < std::min(a.x(), b.x()) - best || foot.x() > std::max(a.x(), b.x()) + best ||
        foot.y() < std::min(a.y(), b.y()) - best || foot.y() > std::max(a.y(), b.y()) + best)
        return -1;
    const double dx = std::abs(foot.x() - p.x()), dy = std::abs(foot.y() - p.y());
    if (dx > kHitPx || dy > kHitPx)
        return -1;
    return dx + dy;
}

double PolylineDistance(const std::vector<QPointF>& pts, bool closed, QPointF p, double best)
{
    double found = -1;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i + 1 < n + (closed && n > 2 ? 1 : 0); ++i) {
        double d = SegmentDistance(pts[i], pts[(i + 1) % n], p, best);
        if (d >= 0 && d < best) {
            best = d;
            found = d;
        }
    }
    return found;
}

QPointF Dev(const CDrawContext& dc, int group, PelPoint pt) { return QPointF(dc.t.ToDevice(group, pt.x, pt.y)); }

double ScreenAngle(QPointF c, QPointF p) { return std::atan2(-(p.y() - c.y()), p.x() - c.x()); }

// The outline of a circle, ellipse or arc as pixel segments.
std::vector<QPointF> CurvePoints(const CDrawContext& dc, const CPelLine& l)
{
    std::vector<QPointF> pts;
    const double r = std::abs(l.m_params[0]);
    const double ry = l.m_params.size() < 2 ? r : r * std::abs(l.m_params[1]);
    const QPointF c = Dev(dc, l.m_layer1, l.m_points[0]);
    const double rx = dc.t.LengthX(l.m_layer1, r), ryPx = dc.t.LengthY(l.m_layer1, ry);
    double from = 0, span = 2 * M_PI;
    if (l.m_type == CPelLine::Arc && l.m_points.size() >= 3 && !(l.m_points[1] == l.m_points[2])) {
        from = ScreenAngle(c, Dev(dc, l.m_layer1, l.m_points[1]));
        span = ScreenAngle(c, Dev(dc, l.m_layer1, l.m_points[2])) - from;
        while (span <= 0)
            span += 2 * M_PI;
    }
    for (int i = 0; i <= kArcSteps; ++i) {
        const double a = from + span * i / kArcSteps;
        pts.emplace_back(c.x() + rx * std::cos(a), c.y() - ryPx * std::sin(a));
    }
    return pts;
}

bool InRect(PelPoint p, double l, double t, double r, double b) { return p.x >= l && p.x <= r && p.y >= t && p.y <= b; }

// Whether a click can lie within the tolerance of the line at all: its box in drawing
// units, grown by the tolerance, holds the click. Most lines of a crowded sheet are
// passed by here without a pixel being computed.
bool MayHit(const CDrawContext& dc, const CPelLine& l, QPoint px)
{
    if (l.m_points.empty())
        return false;
    const double sx = std::abs(dc.t.groupScaleX[static_cast<std::size_t>(l.m_layer1 >= 0 && l.m_layer1 < kLayerGroups ? l.m_layer1 : 0)]);
    const double sy = std::abs(dc.t.groupScaleY[static_cast<std::size_t>(l.m_layer1 >= 0 && l.m_layer1 < kLayerGroups ? l.m_layer1 : 0)]);
    if (sx == 0 || sy == 0)
        return true;
    double x, y;
    dc.t.ToDrawing(l.m_layer1, px, x, y);
    // Truncation to pixels moves a point by less than one pixel each way.
    const double tx = (kHitPx + 2) / sx, ty = (kHitPx + 2) / sy;
    double left, right, top, bottom;
    if ((l.m_type == CPelLine::Circle || l.m_type == CPelLine::Arc) && !l.m_params.empty()) {
        const double r = std::abs(l.m_params[0]);
        const double ry = l.m_params.size() < 2 ? r : r * std::abs(l.m_params[1]);
        left = l.m_points[0].x - r;
        right = l.m_points[0].x + r;
        top = l.m_points[0].y - ry;
        bottom = l.m_points[0].y + ry;
    } else {
        left = right = l.m_points[0].x;
        top = bottom = l.m_points[0].y;
        for (const PelPoint& p : l.m_points) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    return x >= left - tx && x <= right + tx && y >= top - ty && y <= bottom + ty;
}
} // namespace

double LineDistance(const CDrawContext& dc, const CPelLine& l, QPoint px, double best)
{
    if (!l.IsComplete())
        return -1;
    const QPointF p(px);
    switch (l.m_type) {
    case CPelLine::Circle:
    case CPelLine::Arc:
        return PolylineDistance(CurvePoints(dc, l), false, p, best);
    default: {
        std::vector<QPointF> pts;
        pts.reserve(l.m_points.size());
        for (const PelPoint& pt : l.m_points)
            pts.push_back(Dev(dc, l.m_layer1, pt));
        const bool closed = l.m_type == CPelLine::Rect || l.m_type == CPelLine::Polygon;
        return PolylineDistance(pts, closed, p, best);
    }
    }
}

bool PickObject(const CPelUnit& unit, const CDrawContext& dc, LayerPair current, QPoint px, bool ctrl,
                bool doubleClick, CSelection& sel)
{
    int cycle = 0;
    int cycleGroup = 0;
    if (sel.Count() == 1 && doubleClick) {
        for (const auto* l : {&sel.groups, &sel.lines, &sel.walls, &sel.texts, &sel.pictures, &sel.objects})
            if (!l->empty())
                cycle = l->front();
        if (!sel.groups.empty())
            cycleGroup = sel.groups.front();
    }
    if (!ctrl || doubleClick)
        sel.Clear();
    auto later = [&](int id) { return id > cycle; };

    // Groups by the corners of their box.
    for (const auto& g : unit.m_groups) {
        if (!OnLayer(g->m_layer1, g->m_layer2, current) || !later(g->m_id))
            continue;
        for (double x : {g->m_min.x, g->m_max.x})
            for (double y : {g->m_min.y, g->m_max.y}) {
                QPoint c = dc.t.ToDevice(g->m_layer1, x, y);
                if (std::abs(c.x() - px.x()) <= kHitPx && std::abs(c.y() - px.y()) <= kHitPx)
                    return CSelection::Add(sel.groups, g->m_id), true;
            }
    }
    // Lines, kind by kind; the nearest outline wins (in one walk: a tie goes to the
    // earlier kind, then to the earlier line, as a walk kind by kind would give).
    double best = kHitPx;
    const CPelLine* nearest = nullptr;
    for (const auto& l : unit.m_lines) {
        if (l->m_type < CPelLine::Straight || l->m_type > CPelLine::Polyline || !OnLayer(l->m_layer1, l->m_layer2, current))
            continue;
        if (doubleClick && (!later(l->m_id) || (cycleGroup && l->m_groupId == cycleGroup)))
            continue;
        if (!MayHit(dc, *l, px))
            continue;
        const double limit = nearest && l->m_type < nearest->m_type ? best + 1e-9 : best;
        double d = LineDistance(dc, *l, px, limit);
        if (d >= 0 && (d < best || (d == best && nearest && l->m_type < nearest->m_type))) {
            best = d;
            nearest = l.get();
        }
    }
    if (nearest) {
        if (nearest->m_groupId != 0 && unit.IndexOfGroup(nearest->m_groupId) >= 0)
            CSelection::Add(sel.groups, nearest->m_groupId);
        else
            CSelection::Add(sel.lines, nearest->m_id);
        return true;
    }
    // Texts by their box.
    for (const auto& t : unit.m_texts) {
        if (!OnLayer(t->m_layer1, t->m_layer2, current))
            continue;
        if (doubleClick && (!later(t->m_id) || (cycleGroup && t->m_groupId == cycleGroup)))
            continue;
        for (const QPolygonF& box : PlainTextBoxes(dc, *t, dc.fallbackFace))
            if (box.containsPoint(QPointF(px), Qt::OddEvenFill)) {
                if (t->m_groupId != 0 && unit.IndexOfGroup(t->m_groupId) >= 0)
                    CSelection::Add(sel.groups, t->m_groupId);
                else
                    CSelection::Add(sel.texts, t->m_id);
                return true;
            }
    }
    // Map line objects by their segments.
    best = kHitPx;
    int object = 0;
    for (const auto& o : unit.m_objects) {
        if (!OnLayer(o->m_layer1, o->m_layer2, current) || !later(o->m_id))
            continue;
        std::vector<QPointF> pts;
        for (const PelPoint& pt : o->m_points)
            pts.push_back(Dev(dc, o->m_layer1, pt));
        double d = PolylineDistance(pts, false, QPointF(px), best);
        if (d >= 0 && d < best) {
            best = d;
            object = o->m_id;
        }
    }
    if (object)
        return CSelection::Add(sel.objects, object), true;
    // Pictures by their rectangle, grown.
    for (const auto& pic : unit.m_pictures) {
        if (!OnLayer(pic->m_layer1, pic->m_layer2, current) || !later(pic->m_id))
            continue;
        const PxRect r = PictureRect(dc.t, *pic);
        if (px.x() >= r.left - kHitPx && px.x() <= r.right + kHitPx && px.y() >= r.top - kHitPx &&
            px.y() <= r.bottom + kHitPx)
            return CSelection::Add(sel.pictures, pic->m_id), true;
    }
    return false;
}

bool HitHandle(const CPelUnit& unit, const CDrawContext& dc, QPoint px, CSelection& sel)
{
    if (sel.Count() != 1)
        return false;
    auto near = [&](QPoint c) { return std::abs(c.x() - px.x()) <= kHitPx && std::abs(c.y() - px.y()) <= kHitPx; };
    auto set = [&](int kind, int index) {
        sel.handle = kind;
        sel.handleIndex = index;
        return true;
    };
    if (!sel.objects.empty()) {
        int k = unit.IndexOfObject(sel.objects.front());
        if (k >= 0) {
            const CLineObj& o = *unit.m_objects[static_cast<std::size_t>(k)];
            for (std::size_t i = 0; i < o.m_points.size(); ++i)
                if (near(dc.t.ToDevice(o.m_layer1, o.m_points[i].x, o.m_points[i].y)))
                    return set(5, static_cast<int>(i));
        }
    }
    if (!sel.groups.empty()) {
        int k = unit.IndexOfGroup(sel.groups.front());
        if (k >= 0) {
            const CPelGroup& g = *unit.m_groups[static_cast<std::size_t>(k)];
            const double half = (g.m_max.x - g.m_min.x) / 2;
            const double a = g.m_angle * M_PI / 180.0;
            const PelPoint c{(g.m_min.x + g.m_max.x) / 2, (g.m_min.y + g.m_max.y) / 2};
            if (near(dc.t.ToDevice(g.m_layer1, c.x + half * std::cos(a), c.y - half * std::sin(a))))
                return set(9, 0);
            const PelPoint corners[4] = {{g.m_min.x, g.m_min.y}, {g.m_min.x, g.m_max.y}, {g.m_max.x, g.m_max.y},
                                         {g.m_max.x, g.m_min.y}};
            for (int i = 0; i < 4; ++i)
                if (near(dc.t.ToDevice(g.m_layer1, corners[i].x, corners[i].y)))
                    return set(1, i + 1);
        }
    }
    if (!sel.lines.empty()) {
        int k = unit.IndexOfLine(sel.lines.front());
        if (k >= 0) {
            const CPelLine& l = *unit.m_lines[static_cast<std::size_t>(k)];
            for (std::size_t i = 0; i < l.m_points.size(); ++i)
                if (near(dc.t.ToDevice(l.m_layer1, l.m_points[i].x, l.m_points[i].y)))
                    return set(4, static_cast<int>(i));
        }
    }
    if (!sel.texts.empty()) {
        int k = unit.IndexOfText(sel.texts.front());
        if (k >= 0) {
            const CPelText& t = *unit.m_texts[static_cast<std::size_t>(k)];
            if (t.m_huchiFlg == 0 && near(TextRotationHandle(dc, t)))
                return set(7, 0);
        }
    }
    if (!sel.pictures.empty()) {
        int k = unit.IndexOfPicture(sel.pictures.front());
        if (k >= 0) {
            const PxRect r = PictureRect(dc.t, *unit.m_pictures[static_cast<std::size_t>(k)]);
            const QPoint corners[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}};
            for (int i = 0; i < 4; ++i)
                if (near(corners[i]))
                    return set(2, i + 1);
        }
    }
    return false;
}

void SelectInRect(const CPelUnit& unit, const CDrawContext& dc, PelPoint a, PelPoint b, bool currentOnly,
                  LayerPair current, CSelection& sel)
{
    const double l = std::min(a.x, b.x), r = std::max(a.x, b.x), t = std::min(a.y, b.y), bt = std::max(a.y, b.y);
    sel.Clear();
    auto keep = [&](int l1, int l2) { return !currentOnly || OnLayer(l1, l2, current); };
    for (const auto& g : unit.m_groups)
        if (keep(g->m_layer1, g->m_layer2) && InRect(g->m_min, l, t, r, bt) && InRect(g->m_max, l, t, r, bt))
            sel.groups.push_back(g->m_id);
    for (const auto& ln : unit.m_lines) {
        if (ln->m_groupId != 0 || !keep(ln->m_layer1, ln->m_layer2))
            continue;
        bool all = true;
        for (const PelPoint& p : ln->m_points)
            all = all && InRect(p, l, t, r, bt);
        if (all)
            sel.lines.push_back(ln->m_id);
    }
    for (const auto& tx : unit.m_texts)
        if (tx->m_groupId == 0 && keep(tx->m_layer1, tx->m_layer2) && InRect(tx->m_point, l, t, r, bt))
            sel.texts.push_back(tx->m_id);
    for (const auto& pic : unit.m_pictures) {
        if (!keep(pic->m_layer1, pic->m_layer2))
            continue;
        // The picture's corners in drawing units of its layer group.
        const PxRect pr = PictureRect(dc.t, *pic);
        double x1, y1, x2, y2;
        dc.t.ToDrawing(pic->m_layer1, QPoint(pr.left, pr.top), x1, y1);
        dc.t.ToDrawing(pic->m_layer1, QPoint(pr.right, pr.bottom), x2, y2);
        if (InRect({x1, y1}, l, t, r, bt) && InRect({x2, y2}, l, t, r, bt))
            sel.pictures.push_back(pic->m_id);
    }
}

int HitPlan(const CArZel& plans, const CDrawTransform& t, int editGroup, QPoint px)
{
    for (auto it = plans.m_plans.rbegin(); it != plans.m_plans.rend(); ++it) {
        const CZel& z = **it;
        const QPoint tl = t.ToDevice(editGroup, z.m_orgX - z.m_haba, z.m_orgY - z.m_haba);
        const QPoint br = t.ToDevice(editGroup, z.m_orgX + z.m_haba, z.m_orgY + z.m_haba);
        if (px.x() >= std::min(tl.x(), br.x()) && px.x() <= std::max(tl.x(), br.x()) &&
            px.y() >= std::min(tl.y(), br.y()) && px.y() <= std::max(tl.y(), br.y()))
            return z.m_id;
    }
    return 0;
}
