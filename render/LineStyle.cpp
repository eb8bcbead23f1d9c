#include "render/LineStyle.h"

#include "platform/EmfWriter.h"
#include "render/ViewCoords.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

QColor ToQColor(ColorRef c, int alpha) { return QColor(RedOf(c), GreenOf(c), BlueOf(c), alpha); }

ColorRef OutlineColor(ColorRef c, const ColorContext& cc)
{
    if (cc.sirokuro) {
        if (!IsWhiteRgb(c) || cc.plotVersion % 20000 == 2000)
            c = 0;
    }
    if (cc.gradation == 3 && !IsWhiteRgb(c))
        c = 0;
    if (cc.greyed)
        c = kGreyed;
    return c;
}

ColorRef FillColor(ColorRef c, const ColorContext& cc)
{
    if (cc.sirokuro || cc.gradation == 3)
        c = (c & 0xffffff) == 0 ? 0 : kWhite;
    if (cc.greyed)
        c = kWhite;
    return c;
}

std::vector<int> DashPatternPx(int lineType, const float pitches[14], double paperScale)
{
    std::vector<float> mm;
    switch (lineType) {
    case kDash:
        mm = {pitches[0], pitches[1]};
        break;
    case kDot:
        mm = {pitches[2], pitches[3]};
        break;
    case kDashDot:
        mm = {pitches[4], pitches[5], pitches[6], pitches[5]};
        break;
    case kDashDotDot:
        mm = {pitches[8], pitches[9], pitches[10], pitches[11], pitches[12], pitches[13]};
        break;
    default:
        return {};
    }
    std::vector<int> px;
    px.reserve(mm.size());
    for (float v : mm)
        px.push_back(std::max(0, TruncPx(v * paperScale)));
    return px;
}

int PenWidthPx(int widthClass, int plotVersion, bool printing, const WidthTables& t)
{
    int c = std::clamp(widthClass, 1, 10);
    if (plotVersion >= 10000)
        return printing ? t.print[c - 1] : t.screen[c - 1];
    return printing ? t.linehutosa * c : c;
}

int CurveDashWidthPx(int widthClass, int plotVersion, bool printing, const WidthTables& t)
{
    if (!printing)
        return PenWidthPx(widthClass, plotVersion, false, t);
    return plotVersion >= 10000 ? t.screen[std::clamp(widthClass, 1, 10) - 1] : 1;
}

void PainterSink::Line(QPoint a, QPoint b)
{
    if (a != b)
        m_p.drawLine(a, b);
}

void PainterSink::Arc(const QRect& box, double startDeg, double spanDeg)
{
    emf::DrawArcShape(m_p, emf::ArcKind::Arc, box, static_cast<int>(std::lround(startDeg * 16)),
                      static_cast<int>(std::lround(spanDeg * 16)));
}

namespace {
int Sum(const std::vector<int>& v)
{
    long long s = 0;
    for (int e : v)
        s += e;
    return static_cast<int>(std::min<long long>(s, 1 << 30));
}

int Distance(QPoint a, QPoint b) { return TruncPx(std::hypot(double(b.x() - a.x()), double(b.y() - a.y()))); }

// Beyond this many pattern periods on one segment the dashes are finer than anything
// a device shows; the segment is drawn solid instead of walking for ever.
constexpr long long kMaxPeriods = 1'000'000;
} // namespace

int DashSegment(StrokeSink& sink, const std::vector<int>& pattern, QPoint p, QPoint q, int& phase, int carried)
{
    const int n = static_cast<int>(pattern.size());
    const int period = Sum(pattern);
    const int length = Distance(p, q);
    if (n == 0 || period <= 0 || static_cast<long long>(length) / period > kMaxPeriods) {
        sink.Line(p, q);
        return 0;
    }

    QPoint start = p, end = q;
    enum { Vertical, Horizontal, Sloped } orient;
    double slope = 0;
    if (p.x() == q.x()) {
        orient = Vertical;
        if (q.y() < p.y())
            std::swap(start, end);
    } else {
        orient = p.y() == q.y() ? Horizontal : Sloped;
        if (q.x() < p.x())
            std::swap(start, end);
        if (orient == Sloped)
            slope = double(end.y() - start.y()) / double(end.x() - start.x());
    }

    QPoint cur = start;
    int idx = (phase >= 0 && phase < n) ? phase : 0;
    long long walked = 0;
    double acc = 0;
    bool first = true, placed = false, stopped = false;
    const long long reps = length / period + 1;
    for (long long r = 0; r < reps && !stopped; ++r) {
        for (; idx < n; ++idx) {
            int e = pattern[static_cast<std::size_t>(idx)];
            if (first) {
                e = std::max(0, e - carried);
                first = false;
            }
            if (walked + e > length) {
                stopped = true;
                break;
            }
            walked += e;
            QPoint prev = cur;
            switch (orient) {
            case Vertical:
                cur.ry() += e;
                break;
            case Horizontal:
                cur.rx() += e;
                break;
            case Sloped:
                acc += std::sqrt(double(e) * e / (slope * slope + 1));
                cur = QPoint(start.x() + TruncPx(acc), start.y() + TruncPx(acc * slope));
                break;
            }
            placed = true;
            if (idx % 2 == 0)
                sink.Line(prev, cur);
        }
        if (!stopped)
            idx = 0;
    }
    if (idx % 2 == 0)
        sink.Line(cur, end);
    phase = (idx < 0 || idx >= n) ? 0 : idx;
    int rest = Distance(cur, end);
    return std::max(0, placed ? rest : carried + rest);
}

double DirectionDeg(double ax, double ay, double bx, double by)
{
    if (ax == bx && ay == by)
        return 0;
    double d = std::atan2(-(by - ay), bx - ax) * 180.0 / std::numbers::pi;
    if (d < 0)
        d += 360;
    if (d >= 360)
        d -= 360;
    return d;
}

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kMaxCurveEntries = 3600;

// The parametric angle of the ellipse point that lies in direction dirDeg.
double ParamOfDirection(double dirDeg, double rx, double ry)
{
    if (rx <= 0 || ry <= 0)
        return dirDeg;
    double t = std::atan2(rx * std::sin(dirDeg * kDeg), ry * std::cos(dirDeg * kDeg)) / kDeg;
    return t < 0 ? t + 360 : t;
}

QPoint CurvePoint(const QRectF& box, double paramDeg)
{
    double cx = box.center().x(), cy = box.center().y();
    return QPoint(TruncPx(cx + box.width() / 2 * std::cos(paramDeg * kDeg)),
                  TruncPx(cy - box.height() / 2 * std::sin(paramDeg * kDeg)));
}

void Dash(StrokeSink& sink, const QRect& box, double a, double b)
{
    QRectF f(box);
    if (CurvePoint(f, a) == CurvePoint(f, b))
        return;
    sink.Arc(box, a, b - a);
}
} // namespace

void DashCurve(StrokeSink& sink, const std::vector<int>& pattern, const QRect& box, bool circle, double startDeg,
               double endDeg, bool fullRing)
{
    const double w = box.width(), h = box.height();
    const double estimate = circle ? 2 * std::numbers::pi * (w + h) / 4 : 2 * std::numbers::pi * std::max(w, h) / 2;
    if (!(estimate > 0))
        return;
    const int n = static_cast<int>(pattern.size());
    if (n == 0 || Sum(pattern) <= 0) {
        if (fullRing) {
            sink.Arc(box, 0, 360);
        } else {
            double rx = w / 2, ry = h / 2;
            double s = ParamOfDirection(startDeg, rx, ry), e = ParamOfDirection(endDeg, rx, ry);
            double sweep = e - s;
            if (sweep <= 0)
                sweep += 360;
            sink.Arc(box, s, sweep);
        }
        return;
    }
    std::vector<double> ang(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i)
        ang[i] = pattern[i] * 360.0 / estimate;

    if (circle) {
        double sweep = fullRing ? 360.0 : endDeg - startDeg;
        if (!fullRing && sweep < 0)
            sweep += 360;
        double a = startDeg, swept = 0;
        int idx = 0;
        for (int k = 0; k < kMaxCurveEntries; ++k) {
            double e = ang[static_cast<std::size_t>(idx)];
            bool dash = idx % 2 == 0;
            if (swept + e >= sweep) {
                if (dash)
                    Dash(sink, box, a, startDeg + sweep);
                break;
            }
            if (dash)
                Dash(sink, box, a, a + e);
            a += e;
            swept += e;
            idx = (idx + 1) % n;
        }
        return;
    }

    // Ellipses walk the parametric angle from 0 whatever the start.
    double rx = w / 2, ry = h / 2;
    double ps = fullRing ? 0 : ParamOfDirection(startDeg, rx, ry);
    double pe = fullRing ? 0 : ParamOfDirection(endDeg, rx, ry);
    double sweep = pe - ps;
    if (sweep <= 0)
        sweep += 360;
    double a = 0;
    int idx = 0;
    bool drawing = fullRing;
    for (int k = 0; k < kMaxCurveEntries; ++k) {
        double e = ang[static_cast<std::size_t>(idx)];
        double b = a + e;
        bool dash = idx % 2 == 0;
        if (fullRing) {
            if (dash)
                Dash(sink, box, a, b);
            if (b > 360)
                break;
        } else {
            if (!drawing && b > ps)
                drawing = true;
            if (drawing) {
                if (dash)
                    Dash(sink, box, a, b);
                if (b - ps >= sweep)
                    break;
            }
        }
        a = b;
        idx = (idx + 1) % n;
    }
}

int MarkerSizePx(int sizeClass, const double keijPich[5], double paperScale, double extra1)
{
    return TruncPx(keijPich[std::clamp(sizeClass, 0, 4)] * paperScale * extra1);
}

namespace {
// kind: 0 open arrow, 1 filled triangle, 2 dot, 3 square.
void Marker(QPainter& p, int kind, QPoint tip, double dirDeg, int b, const QColor& color, int penWidth)
{
    if (b <= 0)
        return;
    p.setPen(QPen(color, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    int h = b / 2;
    if (kind <= 1) {
        QPoint wing[2];
        for (int i = 0; i < 2; ++i) {
            double a = std::fmod(dirDeg + (i == 0 ? 30.0 : -30.0) + 360.0, 360.0) * kDeg;
            wing[i] = QPoint(tip.x() + TruncPx(std::cos(-a) * b), tip.y() + TruncPx(std::sin(-a) * b));
        }
        if (kind == 0) {
            p.drawLine(wing[0], tip);
            p.drawLine(wing[1], tip);
        } else {
            QPolygon tri;
            tri << tip << wing[0] << wing[1];
            p.drawPolygon(tri);
        }
    } else if (kind == 2) {
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRect(QPoint(tip.x() - h, tip.y() - h), QPoint(tip.x() + h - 1, tip.y() + h - 1)));
    } else {
        p.setPen(Qt::NoPen);
        p.drawRect(QRect(QPoint(tip.x() - h, tip.y() - h), QPoint(tip.x() + h - 1, tip.y() + h - 1)));
    }
}
} // namespace

void DrawEndMarker(QPainter& p, int style, QPoint tip, double dirDeg, int sizePx, const QColor& color, int penWidth)
{
    if (style < 1 || style > 12)
        return;
    Marker(p, (style - 1) / 3, tip, dirDeg, sizePx, color, penWidth);
}

void DrawEndMarkers(QPainter& p, int style, QPoint s, QPoint e, double startDirDeg, double endDirDeg, int sizePx,
                    const QColor& color, int penWidth)
{
    if (style < 1 || style > 12)
        return;
    int kind = (style - 1) / 3, where = (style - 1) % 3;
    if (where == 0 || where == 2)
        Marker(p, kind, s, startDirDeg, sizePx, color, penWidth);
    if (where == 1 || where == 2)
        Marker(p, kind, e, endDirDeg, sizePx, color, penWidth);
}

namespace {
// The part of the segment from a to b inside area, as parameters t0..t1 of a + t (b - a);
// false when none of it is.
bool ClipSegment(QPointF a, QPointF b, const QRectF& area, double& t0, double& t1)
{
    t0 = 0;
    t1 = 1;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()};
    const double lo[2] = {area.left() - a.x(), area.top() - a.y()};
    const double hi[2] = {area.right() - a.x(), area.bottom() - a.y()};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (lo[k] > 0 || hi[k] < 0)
                return false;
            continue;
        }
        double e0 = lo[k] / d[k], e1 = hi[k] / d[k];
        if (e0 > e1)
            std::swap(e0, e1);
        t0 = std::max(t0, e0);
        t1 = std::min(t1, e1);
    }
    return t0 <= t1;
}

// Every third pixel of the straight run from a towards b (b itself left to the next
// segment), counting on from phase (0 to 2); only the pixels inside area are made, so
// that a line running far beyond the device costs nothing.
void DotsAlong(QPoint a, QPoint b, int& phase, QPolygon& dots, const QRectF& area)
{
    const std::int64_t dx = std::int64_t(b.x()) - a.x(), dy = std::int64_t(b.y()) - a.y();
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    double t0 = 0, t1 = 0;
    if (ClipSegment(QPointF(a), QPointF(b), area, t0, t1)) {
        const std::int64_t first = std::max<std::int64_t>(0, std::int64_t(std::floor(t0 * steps)));
        const std::int64_t last = std::min<std::int64_t>(steps - 1, std::int64_t(std::ceil(t1 * steps)));
        for (std::int64_t i = first; i <= last; ++i) {
            if ((phase + i) % 3 != 0)
                continue;
            const double t = double(i) / double(steps);
            dots.append(QPoint(a.x() + int(std::llround(t * double(dx))), a.y() + int(std::llround(t * double(dy)))));
        }
    }
    phase = int((phase + steps) % 3);
}

// The device in the painter's coordinates, a pixel wider all round.
QRectF DotArea(const QPainter& p)
{
    const QPaintDevice* device = p.device();
    if (!device)
        return QRectF();
    return p.worldTransform().inverted().mapRect(QRectF(-1, -1, device->width() + 2, device->height() + 2));
}

void DrawDots(QPainter& p, const QPolygon& dots, const QColor& color)
{
    if (dots.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(color, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawPoints(dots);
    p.restore();
}
} // namespace

void DrawDottedPolyline(QPainter& p, const QPoint* pts, int n, bool closed, const QColor& color)
{
    if (!pts || n < 1)
        return;
    const QRectF area = DotArea(p);
    QPolygon dots;
    int phase = 0;
    for (int i = 0; i + 1 < n; ++i)
        DotsAlong(pts[i], pts[i + 1], phase, dots, area);
    if (closed && n > 1)
        DotsAlong(pts[n - 1], pts[0], phase, dots, area);
    else if (phase == 0)
        dots.append(pts[n - 1]); // an open figure ends on its last point
    DrawDots(p, dots, color);
}

void DrawDottedPath(QPainter& p, const QPainterPath& path, const QColor& color)
{
    const QRectF area = DotArea(p);
    QPolygon dots;
    for (const QPolygonF& figure : path.toSubpathPolygons()) {
        int phase = 0;
        for (int i = 0; i + 1 < figure.size(); ++i)
            DotsAlong(figure[i].toPoint(), figure[i + 1].toPoint(), phase, dots, area);
    }
    DrawDots(p, dots, color);
}
