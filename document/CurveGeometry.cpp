#include "document/CurveGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kAxisEps = 0.0001;
constexpr int kSplineSteps = 7;
constexpr int kBezierSamples = 21;

double Wrap360(double d)
{
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The line a + t·d and the line b + u·e meet at the returned point; nothing when parallel.
std::optional<PelPoint> Intersect(PelPoint a, PelPoint d, PelPoint b, PelPoint e)
{
    const double den = d.x * e.y - d.y * e.x;
    if (std::abs(den) < 1e-12)
        return std::nullopt;
    const double t = ((b.x - a.x) * e.y - (b.y - a.y) * e.x) / den;
    return PelPoint{a.x + t * d.x, a.y + t * d.y};
}

// One coordinate of the spans [first, last) of the value list v, 7 samples each
// (the first span's start included).
void SampleSpans(const std::vector<double>& v, std::size_t first, std::size_t last, std::vector<double>& out)
{
    auto d = [&](std::size_t i) { return (8 * (v[i + 1] - v[i - 1]) + v[i - 2] - v[i + 2]) / 12; };
    auto s = [&](std::size_t i) { return (16 * v[i - 1] - v[i - 2] - 30 * v[i] + 16 * v[i + 1] - v[i + 2]) / 24; };
    for (std::size_t i = first; i < last; ++i) {
        const double delta = v[i + 1] - v[i], d0 = d(i), d1 = d(i + 1), s0 = s(i), s1 = s(i + 1);
        const double a3 = 10 * delta - 6 * d0 - 4 * d1 + (s1 - 3 * s0) / 2;
        const double a4 = -15 * delta + 8 * d0 + 7 * d1 + 1.5 * s0 - s1;
        const double a5 = 6 * delta - 3 * d0 - 3 * d1 + (s1 - s0) / 2;
        for (int k = i == first ? 0 : 1; k <= kSplineSteps; ++k) {
            const double t = static_cast<double>(k) / kSplineSteps;
            out.push_back(v[i] + d0 * t + (s0 / 2) * t * t + a3 * t * t * t + a4 * t * t * t * t +
                          a5 * t * t * t * t * t + 0.5);
        }
    }
}
} // namespace

std::vector<PelPoint> DistinctPoints(const std::vector<PelPoint>& pts)
{
    std::vector<PelPoint> out;
    for (const PelPoint& p : pts)
        if (std::isfinite(p.x) && std::isfinite(p.y) && (out.empty() || !(out.back() == p)))
            out.push_back(p);
    return out;
}

std::optional<PelPoint> CircleThrough(PelPoint a, PelPoint b, PelPoint c)
{
    // The perpendicular bisectors of a–b and a–c, by Cramer's rule.
    const double a1 = 2 * (b.x - a.x), b1 = 2 * (b.y - a.y);
    const double c1 = b.x * b.x - a.x * a.x + b.y * b.y - a.y * a.y;
    const double a2 = 2 * (c.x - a.x), b2 = 2 * (c.y - a.y);
    const double c2 = c.x * c.x - a.x * a.x + c.y * c.y - a.y * a.y;
    const double det = a1 * b2 - a2 * b1;
    if (det == 0 || !std::isfinite(det))
        return std::nullopt;
    const PelPoint centre{(c1 * b2 - c2 * b1) / det, (a1 * c2 - a2 * c1) / det};
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y))
        return std::nullopt;
    return centre;
}

PelPoint PointAtAngle(PelPoint c, double r, double deg)
{
    const double w = Wrap360(deg);
    if (w == 0)
        return {c.x + r, c.y};
    if (w == 90)
        return {c.x, c.y - r};
    if (w == 180)
        return {c.x - r, c.y};
    if (w == 270)
        return {c.x, c.y + r};
    const double rad = w * std::numbers::pi / 180;
    return {c.x + r * std::cos(rad), c.y - r * std::sin(rad)};
}

double AngleOf(PelPoint c, PelPoint p) { return Wrap360(std::atan2(-(p.y - c.y), p.x - c.x) * 180 / std::numbers::pi); }

bool OnCcwArc(double a, double b, double p) { return Wrap360(p - a) < Wrap360(b - a); }

std::optional<std::vector<PelPoint>> FilletPoints(PelPoint a, PelPoint b, PelPoint q, int steps)
{
    const auto c = CircleThrough(a, b, q);
    if (!c || steps < 1)
        return std::nullopt;
    const double r = std::hypot(a.x - c->x, a.y - c->y);
    const double ta = AngleOf(*c, a), tb = AngleOf(*c, b), tq = AngleOf(*c, q);
    double span = Wrap360(tb - ta);
    if (OnCcwArc(ta, tb, tq))
        span -= 360; // the other way round, away from q
    std::vector<PelPoint> pts;
    for (int k = 1; k < steps; ++k) {
        const PelPoint p = PointAtAngle(*c, r, ta + span * k / steps);
        if (std::abs(p.x) > kCurveCoordLimit || std::abs(p.y) > kCurveCoordLimit)
            return std::nullopt;
        pts.push_back(p);
    }
    return pts;
}

DoubleLineSides OffsetSides(const std::vector<PelPoint>& pts, double left, double right)
{
    struct Seg {
        PelPoint a, b;
    };
    std::vector<Seg> ls, rs;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const PelPoint a = pts[i], b = pts[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y;
        if (dx == 0 && dy == 0)
            continue;
        // The left normal on screen (y down): (dy, −dx), unit length.
        PelPoint n;
        if (std::abs(dx) < kAxisEps)
            n = {dy > 0 ? 1.0 : -1.0, 0};
        else if (std::abs(dy) < kAxisEps)
            n = {0, dx > 0 ? -1.0 : 1.0};
        else {
            const double len = std::hypot(dx, dy);
            n = {dy / len, -dx / len};
        }
        ls.push_back({{a.x + n.x * left, a.y + n.y * left}, {b.x + n.x * left, b.y + n.y * left}});
        rs.push_back({{a.x - n.x * right, a.y - n.y * right}, {b.x - n.x * right, b.y - n.y * right}});
    }
    auto join = [](const std::vector<Seg>& segs) {
        std::vector<PelPoint> out;
        if (segs.empty())
            return out;
        out.push_back(segs[0].a);
        for (std::size_t i = 0; i + 1 < segs.size(); ++i) {
            const Seg &s = segs[i], &t = segs[i + 1];
            const auto x = Intersect(s.a, {s.b.x - s.a.x, s.b.y - s.a.y}, t.a, {t.b.x - t.a.x, t.b.y - t.a.y});
            if (x) {
                out.push_back(*x);
            } else {
                out.push_back(s.b);
                if (!(t.a == s.b))
                    out.push_back(t.a);
            }
        }
        out.push_back(segs.back().b);
        return out;
    };
    return {join(ls), join(rs)};
}

DimensionShape PlaceDimension(PelPoint s, PelPoint e, PelPoint h)
{
    DimensionShape d;
    const long long a = static_cast<long long>(10 * std::hypot(e.x - s.x, e.y - s.y));
    d.length = static_cast<double>(a % 10 < 5 ? a / 10 : (a + 10) / 10);
    const double dx = std::abs(h.x - e.x), dy = std::abs(h.y - e.y);
    bool horizontal;
    if (s.x == e.x)
        horizontal = false;
    else if (s.y == e.y)
        horizontal = true;
    else
        horizontal = h.x > std::min(s.x, e.x) && h.x < std::max(s.x, e.x);
    if (horizontal) {
        d.side = e.y > h.y ? 1 : 3;
        d.offset = dy;
    } else {
        d.side = e.x > h.x ? 2 : 4;
        d.offset = dx;
    }
    const PelPoint m{(s.x + e.x) / 2, (s.y + e.y) / 2};
    switch (d.side) {
    case 1: d.label = {m.x, e.y - d.offset}; break;
    case 2: d.label = {e.x - d.offset, m.y}; break;
    case 3: d.label = {m.x, e.y + d.offset}; break;
    default: d.label = {e.x + d.offset, m.y}; break;
    }
    return d;
}

std::vector<PelPoint> SmoothSamples(const std::vector<PelPoint>& q)
{
    std::vector<PelPoint> out;
    const std::size_t k = q.size();
    if (k < 3)
        return out;
    // Two more copies of Q0 in front and six behind keep every difference inside the list.
    std::vector<double> vx, vy;
    for (int i = 0; i < 2; ++i) {
        vx.push_back(q[0].x);
        vy.push_back(q[0].y);
    }
    for (const PelPoint& p : q) {
        vx.push_back(p.x);
        vy.push_back(p.y);
    }
    for (int i = 0; i < 6; ++i) {
        vx.push_back(q[0].x);
        vy.push_back(q[0].y);
    }
    std::vector<double> xs, ys;
    SampleSpans(vx, 2, k, xs);
    SampleSpans(vy, 2, k, ys);
    for (std::size_t i = 0; i < xs.size(); ++i)
        out.push_back({xs[i], ys[i]});
    return out;
}

std::vector<PelPoint> SplineCurve(const std::vector<PelPoint>& pts)
{
    std::vector<PelPoint> q = DistinctPoints(pts);
    if (q.size() < 2)
        return {};
    // The last point once more: it only shapes the end of the curve.
    q.push_back(q.back());
    return SmoothSamples(q);
}

std::vector<PelPoint> SmoothPolygonOutline(const std::vector<PelPoint>& pts)
{
    std::vector<PelPoint> p = DistinctPoints(pts);
    while (p.size() > 1 && p.back() == p.front())
        p.pop_back();
    const std::size_t n = p.size();
    if (n < 3)
        return {};
    std::vector<PelPoint> q{p[n - 2], p[n - 1]};
    q.insert(q.end(), p.begin(), p.end());
    q.push_back(p[0]);
    q.push_back(p[1]);
    std::vector<PelPoint> s = SmoothSamples(q);
    // The first two spans lead in from the wrap-around; the closing sample repeats the start.
    s.erase(s.begin(), s.begin() + 2 * kSplineSteps);
    if (!s.empty())
        s.pop_back();
    return s;
}

std::vector<PelPoint> BezierCurve(const std::vector<PelPoint>& pts)
{
    const std::vector<PelPoint> p = DistinctPoints(pts);
    if (p.size() < 2)
        return {};
    const std::size_t m = p.size() - 1;
    // Binomial coefficients in doubles, row by row: no overflow at any length.
    std::vector<double> c(m + 1, 0.0);
    c[0] = 1;
    for (std::size_t row = 1; row <= m; ++row)
        for (std::size_t i = row; i > 0; --i)
            c[i] += c[i - 1];
    std::vector<PelPoint> out;
    for (int k = 0; k < kBezierSamples; ++k) {
        const double t = k * 0.05;
        PelPoint b;
        for (std::size_t i = 0; i <= m; ++i) {
            const double w = c[i] * std::pow(1 - t, static_cast<double>(i)) * std::pow(t, static_cast<double>(m - i));
            b.x += w * p[i].x;
            b.y += w * p[i].y;
        }
        out.push_back(b);
    }
    return out;
}

double RoundRectRadius(PelPoint a, PelPoint b, PelPoint z)
{
    double r = INFINITY;
    for (double x : {a.x, b.x})
        for (double y : {a.y, b.y})
            r = std::min(r, std::hypot(z.x - x, z.y - y));
    return r;
}

std::vector<PelPoint> RoundRectOutline(PelPoint a, PelPoint b, double r, int steps)
{
    const double x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x), y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    const double half = std::min(x2 - x1, y2 - y1) / 2;
    if (!(r > 0) || !(r < half) || steps < 1)
        return {};
    // Down the left side first, as the rectangle's corners run.
    const struct {
        PelPoint c;
        double from;
    } corners[4] = {{{x1 + r, y1 + r}, 90}, {{x1 + r, y2 - r}, 180}, {{x2 - r, y2 - r}, 270}, {{x2 - r, y1 + r}, 0}};
    std::vector<PelPoint> out;
    for (const auto& k : corners)
        for (int i = 0; i <= steps; ++i)
            out.push_back(PointAtAngle(k.c, r, k.from + 90.0 * i / steps));
    return out;
}

namespace {
// The balloon's side turned to the bottom, so that one walk serves all four.
PelPoint ToLocal(PelPoint p, int side)
{
    switch (side) {
    case BalloonStyle::Up: return {p.x, -p.y};
    case BalloonStyle::Left: return {p.y, -p.x};
    case BalloonStyle::Right: return {p.y, p.x};
    default: return p;
    }
}

PelPoint FromLocal(PelPoint p, int side)
{
    switch (side) {
    case BalloonStyle::Up: return {p.x, -p.y};
    case BalloonStyle::Left: return {-p.y, p.x};
    case BalloonStyle::Right: return {p.y, p.x};
    default: return p;
    }
}

std::vector<PelPoint> BalloonBody(PelPoint a, PelPoint b, const BalloonStyle& style, int steps, double& inset)
{
    const double x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x), y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    inset = 0;
    if (style.shape == BalloonStyle::EllipseBody) {
        const double rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
        const double around = (rx + ry) / 2 * 2 * std::numbers::pi;
        const int n = around < 12 ? static_cast<int>(around) : 36;
        std::vector<PelPoint> out;
        for (int i = 0; i < n; ++i) {
            const double t = 2 * std::numbers::pi * i / n;
            out.push_back({(x1 + x2) / 2 + rx * std::cos(t), (y1 + y2) / 2 - ry * std::sin(t)});
        }
        return out;
    }
    if (style.shape == BalloonStyle::RectBody)
        return {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}};
    inset = std::min((x2 - x1) / 2, (y2 - y1) / 2) / 4;
    return RoundRectOutline(a, b, inset, steps);
}
} // namespace

std::vector<PelPoint> BalloonOutline(PelPoint a, PelPoint b, PelPoint tip, const BalloonStyle& style, int steps,
                                     double minBase)
{
    if (a.x == b.x || a.y == b.y)
        return {};
    double inset = 0;
    const std::vector<PelPoint> body = BalloonBody(a, b, style, steps, inset);
    if (body.size() < 3)
        return {};
    const int side = style.side;
    std::vector<PelPoint> local;
    PelPoint min{INFINITY, INFINITY}, max{-INFINITY, -INFINITY};
    for (const PelPoint& p : body) {
        local.push_back(ToLocal(p, side));
        min = {std::min(min.x, local.back().x), std::min(min.y, local.back().y)};
        max = {std::max(max.x, local.back().x), std::max(max.y, local.back().y)};
    }
    const double base = std::max(std::hypot(b.x - a.x, b.y - a.y) / 10, minBase);
    const int place = style.shape == BalloonStyle::EllipseBody ? BalloonStyle::Middle : style.place;
    double c = (min.x + max.x) / 2;
    if (place == BalloonStyle::Start)
        c = min.x + inset + base / 2;
    else if (place == BalloonStyle::End)
        c = max.x - inset - base / 2;
    const double xl = c - base / 2, xr = c + base / 2, cy = (min.y + max.y) / 2;
    auto inside = [&](PelPoint p) { return p.y > cy && p.x > xl && p.x < xr; };
    // Walking the outline from a point outside the base: where it enters the base the
    // tip follows; what lies inside goes.
    const auto start = std::find_if(local.begin(), local.end(), [&](PelPoint p) { return !inside(p); });
    if (start == local.end())
        return {};
    std::rotate(local.begin(), start, local.end());
    std::vector<PelPoint> out;
    bool tipped = false;
    const std::size_t n = local.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PelPoint p = local[i], q = local[(i + 1) % n];
        if (!inside(p))
            out.push_back(FromLocal(p, side));
        std::vector<std::pair<double, PelPoint>> cuts;
        for (double x : {xl, xr})
            if ((p.x < x) != (q.x < x)) {
                const double t = (x - p.x) / (q.x - p.x);
                const PelPoint at{x, p.y + t * (q.y - p.y)};
                if (at.y > cy)
                    cuts.push_back({t, at});
            }
        if (cuts.size() == 2 && cuts[0].first > cuts[1].first)
            std::swap(cuts[0], cuts[1]);
        for (const auto& [t, at] : cuts) {
            out.push_back(FromLocal(at, side));
            if (!tipped) {
                out.push_back(tip);
                tipped = true;
            }
        }
    }
    return tipped ? out : std::vector<PelPoint>{};
}
