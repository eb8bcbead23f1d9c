#include "render/MapObjectDraw.h"

#include "document/LineObj.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxPieces = 1023;
constexpr ColorRef kShadowGrey = Rgb(128, 128, 128);
constexpr double kPi = 3.14159265358979323846;
// Longer dotted centre lines than this many dots are drawn whole.
constexpr double kMaxDots = 100000;
// Sharper corners than this are bevelled: wide casings would otherwise throw spikes
// far beyond the road at a hairpin.
constexpr double kMiterLimit = 4;
constexpr int kMaxHalfWidth = 1 << 16;

ColorRef Ref(int c) { return static_cast<ColorRef>(c) & 0xffffff; }

double Dist(QPointF a, QPointF b) { return std::hypot(b.x() - a.x(), b.y() - a.y()); }

double PathLength(const std::vector<QPointF>& pts)
{
    double len = 0;
    for (std::size_t i = 1; i < pts.size(); ++i)
        len += Dist(pts[i - 1], pts[i]);
    return len;
}

// The unit normal to the left of a to b on the device (y downwards); (0, 0) for a point.
QPointF Normal(QPointF a, QPointF b)
{
    double len = Dist(a, b);
    if (len <= 0)
        return QPointF(0, 0);
    return QPointF((b.y() - a.y()) / len, -(b.x() - a.x()) / len);
}

// The polyline moved sideways by d, neighbouring segments joined where their offset
// lines meet (a very sharp corner is held to four times the offset).
std::vector<QPointF> Offset(const std::vector<QPointF>& pts, double d)
{
    std::vector<QPointF> out;
    const std::size_t n = pts.size();
    if (n < 2)
        return out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0) {
            out.push_back(pts[0] + Normal(pts[0], pts[1]) * d);
            continue;
        }
        if (i == n - 1) {
            out.push_back(pts[i] + Normal(pts[i - 1], pts[i]) * d);
            continue;
        }
        QPointF n1 = Normal(pts[i - 1], pts[i]), n2 = Normal(pts[i], pts[i + 1]);
        double cosine = n1.x() * n2.x() + n1.y() * n2.y();
        QPointF m = n1 + n2;
        double mlen = std::hypot(m.x(), m.y());
        if (mlen < 1e-9) {
            out.push_back(pts[i] + n1 * d);
            continue;
        }
        double k = 1 + cosine > 1.0 / 8 ? d / (1 + cosine) : 4 * d / mlen;
        out.push_back(pts[i] + m * k);
    }
    return out;
}

// The point at distance d along pts.
QPointF PointAt(const std::vector<QPointF>& pts, double d)
{
    if (pts.empty())
        return QPointF();
    for (std::size_t i = 1; i < pts.size(); ++i) {
        double len = Dist(pts[i - 1], pts[i]);
        if (d <= len && len > 0)
            return pts[i - 1] + (pts[i] - pts[i - 1]) * (d / len);
        d -= len;
    }
    return pts.back();
}

// The part of pts from distance d0 to d1.
std::vector<QPointF> SubPath(const std::vector<QPointF>& pts, double d0, double d1)
{
    std::vector<QPointF> out;
    out.push_back(PointAt(pts, d0));
    double at = 0;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        at += Dist(pts[i - 1], pts[i]);
        if (at > d0 && at < d1)
            out.push_back(pts[i]);
        if (at >= d1)
            break;
    }
    out.push_back(PointAt(pts, d1));
    return out;
}

// A band of half width h round the part of pts from d0 to d1.
QPolygonF Band(const std::vector<QPointF>& pts, double d0, double d1, double h)
{
    std::vector<QPointF> sub = SubPath(pts, d0, d1);
    std::vector<QPointF> left = Offset(sub, h), right = Offset(sub, -h);
    QPolygonF poly;
    for (const QPointF& q : left)
        poly << q;
    for (auto it = right.rbegin(); it != right.rend(); ++it)
        poly << *it;
    return poly;
}

struct Prepared {
    const CLineObj* o = nullptr;
    MapShape shape;
    int a = 0; // half width
};

Prepared Prepare(const CDrawContext& dc, const CLineObj& o)
{
    Prepared pr;
    pr.o = &o;
    pr.shape = MapShapeOf(dc, o);
    pr.a = MapHalfWidth(dc, o);
    return pr;
}

bool Greyed(const CDrawContext& dc, const CLineObj& o) { return dc.Colors(o.m_layer1, o.m_layer2).greyed; }

// Edges, casings and the shadow's contrast.
ColorRef EdgeColor(const CDrawContext& dc, const CLineObj& o)
{
    if (dc.sirokuro)
        return 0;
    if (Greyed(dc, o))
        return kGreyed;
    if (dc.vx3D)
        return Ref(o.m_color);
    return o.m_edge == 1 ? Ref(o.m_edgeColor) : Ref(o.m_color);
}

ColorRef BodyColor(const CDrawContext& dc, const CLineObj& o) { return dc.sirokuro ? kWhite : Ref(o.m_color); }

// Railway lines and patterns, and the water arches: black in monochrome, grey when greyed.
ColorRef PatternColor(const CDrawContext& dc, const CLineObj& o, ColorRef colour)
{
    if (dc.sirokuro)
        return 0;
    if (Greyed(dc, o))
        return kGreyed;
    return colour;
}

void Stroke(QPainter& p, const MapShape& s, const std::vector<QPointF>& pts, double width, ColorRef colour)
{
    if (pts.size() < 2 || width <= 0)
        return;
    QPen pen(ToQColor(colour), width, Qt::SolidLine, Qt::FlatCap, s.arc ? Qt::RoundJoin : Qt::MiterJoin);
    pen.setMiterLimit(kMiterLimit);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts.data(), static_cast<int>(pts.size()));
}

// The round ends after a stroke of the given width: outlined after casings and
// railway bases, one pixel smaller without outline after shadows and bodies.
void RoundEnds(QPainter& p, const CLineObj& o, const std::vector<QPointF>& pts, int width, ColorRef colour,
               bool outlined)
{
    const int flag = o.m_flag2;
    if (flag < 1 || flag > 3 || pts.empty())
        return;
    int r = width / 2 - (outlined ? 0 : 1);
    if (r < 1)
        return;
    p.setBrush(ToQColor(colour));
    if (outlined)
        p.setPen(QPen(ToQColor(colour), 1));
    else
        p.setPen(Qt::NoPen);
    if (flag == 1 || flag == 2)
        p.drawEllipse(pts.front(), r, r);
    if (flag == 1 || flag == 3)
        p.drawEllipse(pts.back(), r, r);
}

void FillArea(QPainter& p, const MapShape& s, ColorRef colour)
{
    p.setPen(QPen(ToQColor(colour), 1));
    p.setBrush(ToQColor(colour));
    p.drawPolygon(s.line.data(), static_cast<int>(s.line.size()));
}

// Roads and rivers share their casings and bodies.
void Casing(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    if (!s.valid || s.area || pr.a <= 0)
        return;
    const CLineObj& o = *pr.o;
    const int e = MapEdgeWidth(dc);
    if (dc.vx3D) {
        const double shift = (e + 2 * pr.a) / 2;
        std::vector<QPointF> shadow = s.line;
        for (QPointF& q : shadow)
            q += QPointF(shift, shift);
        ColorRef c = dc.sirokuro ? 0 : Greyed(dc, o) ? kGreyed : kShadowGrey;
        const int w = std::max(1, 2 * pr.a - 1);
        Stroke(p, s, shadow, w, c);
        RoundEnds(p, o, shadow, w, c, false);
    }
    const int w = 2 * pr.a + e;
    const ColorRef c = EdgeColor(dc, o);
    Stroke(p, s, s.line, w, c);
    RoundEnds(p, o, s.line, w, c, true);
}

void Body(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    if (!s.valid)
        return;
    const ColorRef c = BodyColor(dc, *pr.o);
    if (s.area) {
        FillArea(p, s, c);
        return;
    }
    const int w = std::max(1, 2 * std::max(1, pr.a) - 1);
    Stroke(p, s, s.line, w, c);
    RoundEnds(p, *pr.o, s.line, w, c, false);
}

// Dots of a printed centre line: each segment on its own, a dot every pitch.
void DottedSegments(QPainter& p, const MapShape& s, double pitch)
{
    for (const auto& seg : s.segments) {
        double len = PathLength(seg);
        if (pitch < 2 || len < pitch || len / pitch > kMaxDots) {
            p.drawPolyline(seg.data(), static_cast<int>(seg.size()));
            continue;
        }
        for (double d = 0; d < len; d += pitch) {
            std::vector<QPointF> dot = SubPath(seg, d, std::min(d + pitch / 2, len));
            p.drawPolyline(dot.data(), static_cast<int>(dot.size()));
        }
    }
}

void CentreLine(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    const CLineObj& o = *pr.o;
    if (!s.valid || s.area || o.m_flag1 < 1 || o.m_flag1 > 3)
        return;
    const bool printing = dc.MapPrinting();
    const int lh = std::max(1, dc.widths.linehutosa);
    p.setBrush(Qt::NoBrush);
    if (o.m_flag1 == 1) {
        const QColor c = ToQColor(dc.sirokuro ? 0 : kWhite);
        if (!printing) {
            QPolygon line;
            for (const QPointF& q : s.line)
                line.append(q.toPoint());
            DrawDottedPolyline(p, line.constData(), static_cast<int>(line.size()), false, c);
            return;
        }
        p.setPen(QPen(c, 3 * lh, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        DottedSegments(p, s, dc.pitches[2] * dc.t.paperScale * 2);
        return;
    }
    const ColorRef c = PatternColor(dc, o, Ref(o.m_edgeColor));
    const int w = printing ? 2 * lh : 2;
    Stroke(p, s, s.line, w, c);
    if (o.m_flag1 == 3) {
        const double wide = dc.objWide[std::clamp(o.m_wide, 0, 4)];
        const bool habascale = dc.objhabascale && dc.plotVersion < 32000;
        const double off = dc.t.LengthX(o.m_layer1, habascale ? dc.plotScale * wide * 0.5 : wide * 5);
        Stroke(p, s, Offset(s.line, off), w, c);
        Stroke(p, s, Offset(s.line, -off), w, c);
    }
}

// Two rows of small arches inside a river, along both sides of its centre line.
void WaterPattern(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    const CLineObj& o = *pr.o;
    if (!s.valid || s.area || dc.sirokuro)
        return;
    const double wide = dc.objWide[std::clamp(o.m_wide, 0, 4)];
    const bool habascale = dc.objhabascale && dc.plotVersion < 32000;
    const int scale = std::max(1, dc.plotScale);
    const double off = dc.t.LengthX(o.m_layer1, habascale ? scale * wide / 3 : 3 * wide);
    const int piece = TruncPx(habascale ? dc.pitches[0] * dc.t.paperScale
                                        : dc.pitches[0] * dc.t.paperScale * 10 / scale);
    if (piece < 2)
        return;
    const std::vector<QPointF> rows[2] = {Offset(s.line, off), Offset(s.line, -off)};
    for (const auto& row : rows)
        if (MapPieceCount(PathLength(row), piece) > kMaxPieces)
            return;
    const int lw = dc.MapPrinting() ? std::max(1, dc.widths.linehutosa) : 1;
    p.setPen(QPen(ToQColor(Greyed(dc, o) ? kGreyed : 0), lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const auto& row : rows) {
        const double len = PathLength(row);
        for (int k = 0; k * piece < len; k += 2) {
            QPointF a = PointAt(row, k * piece), b = PointAt(row, std::min<double>((k + 1) * piece, len));
            const double chord = Dist(a, b);
            if (chord < 1)
                continue;
            const QPointF n = Normal(a, b) * (chord / 4);
            QPointF arch[8];
            for (int t = 0; t <= 7; ++t)
                arch[t] = a + (b - a) * (t / 7.0) + n * std::sin(kPi * t / 7.0);
            p.drawPolyline(arch, 8);
        }
    }
}

void RailwayBase(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    const CLineObj& o = *pr.o;
    if (!s.valid)
        return;
    const ColorRef c = PatternColor(dc, o, Ref(o.m_color));
    if (s.area) {
        FillArea(p, s, c);
        return;
    }
    if (o.m_flag1 != 0)
        return;
    const int w = 2 * pr.a + MapEdgeWidth(dc);
    Stroke(p, s, s.line, w, c);
    RoundEnds(p, o, s.line, w, c, true);
}

// A pattern segment, turned so that its pieces count from the end with the smaller y
// (the smaller x when level).
std::vector<QPointF> FromTop(const std::vector<QPointF>& seg)
{
    const QPointF a = seg.front(), b = seg.back();
    if (a.y() > b.y() || (a.y() == b.y() && a.x() > b.x()))
        return std::vector<QPointF>(seg.rbegin(), seg.rend());
    return seg;
}

void FillBand(QPainter& p, const std::vector<QPointF>& seg, double d0, double d1, double h)
{
    p.drawPolygon(Band(seg, d0, d1, h));
}

void RailwayPattern(QPainter& p, const CDrawContext& dc, const Prepared& pr)
{
    const MapShape& s = pr.shape;
    const CLineObj& o = *pr.o;
    if (!s.valid || s.area || o.m_flag1 < 0 || o.m_flag1 > 2)
        return;
    const double spacing = dc.jrPitch == 0 ? 1.0 : std::abs(dc.jrPitch);
    const int step = TruncPx(o.m_flag1 == 2 ? spacing * dc.t.paperScale / 2 : spacing * dc.t.paperScale);
    for (const auto& seg : s.segments)
        if (MapPieceCount(PathLength(seg), step) < 0 || MapPieceCount(PathLength(seg), step) > kMaxPieces)
            return;
    const bool greyed = Greyed(dc, o);

    if (o.m_flag1 == 1) {
        const ColorRef c = PatternColor(dc, o, Ref(o.m_color));
        const int lw = dc.MapPrinting() ? std::max(1, dc.widths.linehutosa) : 1;
        Stroke(p, s, s.line, lw, c);
        p.setPen(QPen(ToQColor(c), lw, Qt::SolidLine, Qt::FlatCap));
        const double half = std::max(2, pr.a);
        const double len = PathLength(s.line);
        for (double d = step; d < len; d += step) {
            QPointF at = PointAt(s.line, d);
            QPointF n = Normal(PointAt(s.line, std::max(0.0, d - 1)), PointAt(s.line, std::min(len, d + 1)));
            p.drawLine(at + n * half, at - n * half);
        }
        return;
    }

    double h = 0;
    QColor fill;
    if (o.m_flag1 == 0) {
        h = pr.a - 1;
        fill = ToQColor(greyed ? kGreyed : kWhite);
    } else {
        h = std::max(1, pr.a);
        fill = ToQColor(PatternColor(dc, o, Ref(o.m_color)));
    }
    if (h <= 0)
        return;
    QPen pen(fill, 1);
    p.setPen(pen);
    p.setBrush(fill);
    // Pieces of style 0 are white when odd; pieces of style 2 are filled unless their
    // number is a multiple of 3. Segments too short for their own count take theirs
    // from the distance along the track.
    auto filled = [&](long long k) { return o.m_flag1 == 0 ? k % 2 == 1 : k % 3 != 0; };
    const int fewest = o.m_flag1 == 0 ? 2 : 3;
    double along = 0;
    for (const auto& raw : s.segments) {
        const double len = PathLength(raw);
        if (len < 1) {
            along += len;
            continue;
        }
        const std::vector<QPointF> seg = FromTop(raw);
        const int n = MapPieceCount(len, step);
        if (n >= fewest) {
            const double piece = len / n;
            for (int k = 0; k < n; ++k)
                if (filled(k))
                    FillBand(p, seg, k * piece, (k + 1) * piece, h);
        } else if (filled(static_cast<long long>((along + len / 2) / step))) {
            FillBand(p, seg, 0, len, h);
        }
        along += len;
    }
}

void DrawPasses(QPainter& p, const CDrawContext& dc, const std::vector<Prepared>& all, bool raised)
{
    auto each = [&](int kind, void (*pass)(QPainter&, const CDrawContext&, const Prepared&)) {
        for (const Prepared& pr : all)
            if (pr.o->m_type == kind && (pr.o->m_raised != 0) == raised)
                pass(p, dc, pr);
    };
    auto riverBody = [](QPainter& q, const CDrawContext& c, const Prepared& pr) {
        Body(q, c, pr);
        WaterPattern(q, c, pr);
    };
    each(CLineObj::River, Casing);
    each(CLineObj::River, riverBody);
    each(CLineObj::Road, Casing);
    each(CLineObj::Road, Body);
    each(CLineObj::Road, CentreLine);
    each(CLineObj::Railway, RailwayBase);
    each(CLineObj::Railway, RailwayPattern);
}

template <class Pass>
void One(QPainter& p, const CDrawContext& dc, const CLineObj& o, int kind, Pass pass)
{
    if (o.m_type != kind)
        return;
    Prepared pr = Prepare(dc, o);
    if (!pr.shape.valid)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, dc.smooth);
    pass(p, dc, pr);
    p.restore();
}

// The arc of an arc-shaped object: centre point 0, radius parameter 0, from point 1
// through point 2 to point 3.
bool ArcShape(const CDrawContext& dc, const CLineObj& o, MapShape& s)
{
    const int g = o.m_layer1;
    const double r = std::abs(o.m_params[0]);
    const double rx = dc.t.LengthX(g, r), ry = dc.t.LengthY(g, r);
    if (!(rx >= 0.5) || !(ry >= 0.5) || !std::isfinite(rx) || !std::isfinite(ry))
        return false;
    const QPointF c = dc.t.ToDevice(g, o.m_points[0].x, o.m_points[0].y);
    double ang[3];
    for (int i = 0; i < 3; ++i) {
        QPointF q = dc.t.ToDevice(g, o.m_points[static_cast<std::size_t>(i + 1)].x,
                                  o.m_points[static_cast<std::size_t>(i + 1)].y);
        ang[i] = std::atan2((q.y() - c.y()) / ry, (q.x() - c.x()) / rx);
    }
    auto norm = [](double a) {
        a = std::fmod(a, 2 * kPi);
        return a < 0 ? a + 2 * kPi : a;
    };
    double sweep = norm(ang[2] - ang[0]);
    if (sweep == 0)
        sweep = 2 * kPi;
    else if (norm(ang[1] - ang[0]) > sweep)
        sweep -= 2 * kPi; // the other way round passes the middle point
    const int steps = std::clamp(static_cast<int>(std::abs(sweep) * std::max(rx, ry) / 3), 2, 720);
    s.line.reserve(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        double a = ang[0] + sweep * k / steps;
        s.line.emplace_back(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
    }
    s.segments.push_back(s.line);
    s.arc = true;
    return true;
}
} // namespace

int MapPieceCount(double len, int piece)
{
    if (piece < 1)
        return -1;
    if (!(len > 0))
        return 0;
    return TruncPx(len / piece);
}

MapShape MapShapeOf(const CDrawContext& dc, const CLineObj& o)
{
    MapShape s;
    if (!o.IsComplete())
        return s;
    const int g = o.m_layer1;
    switch (o.m_drawType) {
    case CLineObj::Curve:
        if (!ArcShape(dc, o, s))
            return s;
        break;
    case CLineObj::Straight:
    case CLineObj::Lines:
    case CLineObj::SmoothCurve:
    case CLineObj::Area: {
        for (const PelPoint& pt : o.m_points) {
            QPointF q = dc.t.ToDevice(g, pt.x, pt.y);
            if (s.line.empty() || s.line.back() != q)
                s.line.push_back(q);
        }
        if (o.m_drawType == CLineObj::Area) {
            if (s.line.size() < 3)
                return s;
            s.area = true;
            break;
        }
        if (s.line.size() < 2)
            return s;
        for (std::size_t i = 1; i < s.line.size(); ++i)
            s.segments.push_back({s.line[i - 1], s.line[i]});
        break;
    }
    default:
        return s;
    }
    s.valid = true;
    return s;
}

int MapHalfWidth(const CDrawContext& dc, const CLineObj& o)
{
    const double wide = dc.objWide[std::clamp(o.m_wide, 0, 4)];
    const double a = dc.objhabascale && dc.plotVersion < 32000 ? wide * dc.t.paperScale
                                                               : wide * dc.t.paperScale * 10 / std::max(1, dc.plotScale);
    // Wider than any device: the pen stays a size the painter can stroke.
    return std::clamp(TruncPx(a), 0, kMaxHalfWidth);
}

int MapEdgeWidth(const CDrawContext& dc) { return dc.MapPrinting() ? 6 * std::max(1, dc.widths.linehutosa) : 3; }

void DrawRoadCasing(QPainter& p, const CDrawContext& dc, const CLineObj& o) { One(p, dc, o, CLineObj::Road, Casing); }
void DrawRoadBody(QPainter& p, const CDrawContext& dc, const CLineObj& o) { One(p, dc, o, CLineObj::Road, Body); }
void DrawRoadCentreLine(QPainter& p, const CDrawContext& dc, const CLineObj& o)
{
    One(p, dc, o, CLineObj::Road, CentreLine);
}
void DrawRailwayBase(QPainter& p, const CDrawContext& dc, const CLineObj& o)
{
    One(p, dc, o, CLineObj::Railway, RailwayBase);
}
void DrawRailwayPattern(QPainter& p, const CDrawContext& dc, const CLineObj& o)
{
    One(p, dc, o, CLineObj::Railway, RailwayPattern);
}
void DrawRiverCasing(QPainter& p, const CDrawContext& dc, const CLineObj& o) { One(p, dc, o, CLineObj::River, Casing); }
void DrawRiverBody(QPainter& p, const CDrawContext& dc, const CLineObj& o)
{
    One(p, dc, o, CLineObj::River, [](QPainter& q, const CDrawContext& c, const Prepared& pr) {
        Body(q, c, pr);
        WaterPattern(q, c, pr);
    });
}

void DrawMapObjects(QPainter& p, const CDrawContext& dc, const std::vector<const CLineObj*>& objects)
{
    std::vector<Prepared> all;
    all.reserve(objects.size());
    for (const CLineObj* o : objects) {
        Prepared pr = Prepare(dc, *o);
        if (pr.shape.valid)
            all.push_back(std::move(pr));
    }
    if (all.empty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, dc.smooth);
    DrawPasses(p, dc, all, false);
    DrawPasses(p, dc, all, true);
    p.restore();
}
