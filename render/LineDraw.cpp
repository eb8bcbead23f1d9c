#include "render/LineDraw.h"

#include "document/PelUnit.h"
#include "platform/Codec.h"
#include "platform/EmfWriter.h"
#include "render/BandPainter.h"
#include "render/FillStyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr ColorRef kRoomGreen = Rgb(192, 255, 192);

ColorRef Ref(int c) { return static_cast<ColorRef>(c); }

// Round ends as the platform's wide pens have them; up to three pixels they cannot be
// told from square ones and cost a curve per stroke, so thin pens stay square.
QPen SolidPen(ColorRef color, int width)
{
    width = std::max(1, width);
    if (width <= 3)
        return QPen(ToQColor(color), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    return QPen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Antialiasing only where the device asks for it and it leaves the geometry alone:
// sloped edges and curves.
void Smooth(QPainter& p, const CDrawContext& dc, bool on) { p.setRenderHint(QPainter::Antialiasing, on && dc.smooth); }

class SmoothSink : public PainterSink {
public:
    SmoothSink(QPainter& p, const CDrawContext& dc) : PainterSink(p), m_p(p), m_dc(dc) {}
    void Line(QPoint a, QPoint b) override
    {
        Smooth(m_p, m_dc, a.x() != b.x() && a.y() != b.y());
        PainterSink::Line(a, b);
    }
    void Arc(const QRect& box, double s, double span) override
    {
        Smooth(m_p, m_dc, true);
        PainterSink::Arc(box, s, span);
    }

private:
    QPainter& m_p;
    const CDrawContext& m_dc;
};

const CPelGroup* FindGroup(const CPelUnit& unit, int id)
{
    if (id == 0)
        return nullptr;
    int i = unit.IndexOfGroup(id);
    return i < 0 ? nullptr : unit.m_groups[static_cast<std::size_t>(i)].get();
}

QRect DeviceBox(const CDrawContext& dc, int group, double x0, double y0, double x1, double y1)
{
    QPoint a = dc.t.ToDevice(group, x0, y0), b = dc.t.ToDevice(group, x1, y1);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

FillParams FillOf(const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit)
{
    FillParams f;
    f.filled = l.m_fill == 1;
    f.color = Ref(l.m_fillColor);
    f.color2 = Ref(l.m_fillColor2);
    f.gradient = l.m_gradation;
    f.alpha = l.m_alpha;
    f.hatch = l.m_hatch == 1;
    f.hatchType = l.m_hatchType;
    f.pattern = l.m_pattern;
    if (std::abs(l.m_gradation % 100) == 2) {
        const CPelGroup* g = FindGroup(unit, l.m_groupId);
        if (g && g->m_room == 0)
            f.groupBox = DeviceBox(dc, g->m_layer1, g->m_min.x, g->m_min.y, g->m_max.x, g->m_max.y);
    }
    return f;
}

bool HasFill(const CPelLine& l) { return l.m_fill == 1 || (l.m_pattern >= 1 && l.m_pattern <= 8) || l.m_hatch == 1; }

std::vector<QPoint> DevicePoints(const CDrawContext& dc, const CPelLine& l, std::size_t count)
{
    std::vector<QPoint> pts;
    pts.reserve(count);
    for (std::size_t i = 0; i < count && i < l.m_points.size(); ++i)
        pts.push_back(dc.t.ToDevice(l.m_layer1, l.m_points[i].x, l.m_points[i].y));
    return pts;
}

// The end markers of an open line whose first segment is a-b and last segment c-d.
void Markers(QPainter& p, const CDrawContext& dc, const CPelLine& l, std::size_t n, int style, ColorRef color,
             int width)
{
    const auto& pts = l.m_points;
    n = std::min(n, pts.size());
    if (style < 1 || style > 12 || n < 2)
        return;
    const PelPoint &a = pts[0], &b = pts[1], &c = pts[n - 2], &d = pts[n - 1];
    double startDir = DirectionDeg(a.x, a.y, b.x, b.y);
    double endDir = DirectionDeg(d.x, d.y, c.x, c.y);
    int size = MarkerSizePx(l.m_arrowWidth, dc.keijPich, dc.t.paperScale, dc.t.extra1);
    Smooth(p, dc, true);
    DrawEndMarkers(p, style, dc.t.ToDevice(l.m_layer1, a.x, a.y), dc.t.ToDevice(l.m_layer1, d.x, d.y), startDir, endDir,
                   size, ToQColor(color), width);
}

// Open chains: polylines and straight lines pass phase and carried length along.
void StrokeOpen(QPainter& p, const CDrawContext& dc, const CPelLine& l, const std::vector<QPoint>& pts, ColorRef color,
                int width)
{
    if (l.m_lineType == kAuxiliary) {
        DrawDottedPolyline(p, pts.data(), static_cast<int>(pts.size()), false, ToQColor(color));
        return;
    }
    p.setPen(SolidPen(color, width));
    std::vector<int> pattern = DashPatternPx(l.m_lineType, dc.pitches, dc.t.paperScale);
    if (pattern.empty()) {
        Smooth(p, dc, pts.size() > 2 || (pts[0].x() != pts[1].x() && pts[0].y() != pts[1].y()));
        p.drawPolyline(pts.data(), static_cast<int>(pts.size()));
        return;
    }
    SmoothSink sink(p, dc);
    int phase = 0, carried = 0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        carried = DashSegment(sink, pattern, pts[i], pts[i + 1], phase, carried);
}

// Straight-edged closed outlines: rectangles carry the pattern round the corners,
// polygons restart the cut entry at each corner.
void StrokeClosed(QPainter& p, const CDrawContext& dc, const CPelLine& l, const QPolygon& poly, ColorRef color,
                  int width, bool carryAround)
{
    if (l.m_lineType == kAuxiliary) {
        if (dc.printing)
            return;
        DrawDottedPolyline(p, poly.constData(), static_cast<int>(poly.size()), true, ToQColor(color));
        return;
    }
    p.setPen(SolidPen(color, width));
    p.setBrush(Qt::NoBrush);
    std::vector<int> pattern = DashPatternPx(l.m_lineType, dc.pitches, dc.t.paperScale);
    if (pattern.empty()) {
        bool sloped = false;
        for (int i = 0; i < poly.size(); ++i) {
            QPoint a = poly[i], b = poly[(i + 1) % poly.size()];
            sloped = sloped || (a.x() != b.x() && a.y() != b.y());
        }
        Smooth(p, dc, sloped);
        p.drawPolygon(poly);
        return;
    }
    SmoothSink sink(p, dc);
    int phase = 0, carried = 0;
    for (int i = 0; i < poly.size(); ++i) {
        int c = DashSegment(sink, pattern, poly[i], poly[(i + 1) % poly.size()], phase, carryAround ? carried : 0);
        carried = carryAround ? c : 0;
    }
}

// In monochrome with the room-hatching switch on, a straight line of a room shows only
// when the room's first line is a light-green polygon.
bool RoomLineHidden(const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit)
{
    if (!dc.sirokuro || !dc.sirokuroRoomHachDel)
        return false;
    const CPelGroup* g = FindGroup(unit, l.m_groupId);
    if (!g || g->m_room != 1)
        return false;
    if (!g->m_lineIds.empty()) {
        int i = unit.IndexOfLine(g->m_lineIds.front());
        if (i >= 0) {
            const CPelLine& first = *unit.m_lines[static_cast<std::size_t>(i)];
            if (first.m_type == CPelLine::Polygon && (Ref(first.m_fillColor) & 0xffffff) == kRoomGreen)
                return false;
        }
    }
    return true;
}

// The box of device points widened by margin pixels (and a few more for rounding).
QRectF PointsBound(const std::vector<QPoint>& pts, int margin)
{
    QRect box;
    for (const QPoint& q : pts)
        box |= QRect(q, QSize(1, 1));
    const int m = std::max(0, margin) + 4;
    return QRectF(box.adjusted(-m, -m, m, m));
}

void DrawOpen(QPainter& p, const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit, bool straight)
{
    std::size_t n = straight ? 2 : l.m_points.size();
    if (l.m_points.size() < 2)
        return;
    if (l.m_lineType == kAuxiliary && dc.printing)
        return;
    ColorContext cc = dc.Colors(l.m_layer1, l.m_layer2);
    if (straight && RoomLineHidden(dc, l, unit))
        return;
    ColorRef color = OutlineColor(Ref(l.m_color), cc);
    int width = PenWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths);
    std::vector<QPoint> pts = DevicePoints(dc, l, n);
    if (l.m_lineType == kAuxiliary || l.m_tanten < 1) {
        if (OffRasterDevice(p, PointsBound(pts, width)))
            return;
    } else {
        // End markers reach a few of their sizes from the ends.
        const int size = MarkerSizePx(l.m_arrowWidth, dc.keijPich, dc.t.paperScale, dc.t.extra1);
        if (OffRasterDevice(p, PointsBound(pts, width + 4 * std::abs(size))))
            return;
    }
    StrokeOpen(p, dc, l, pts, color, width);
    if (l.m_lineType != kAuxiliary)
        Markers(p, dc, l, n, l.m_tanten, color, width);
}

// Closed shapes of type 5 print only their fill, and only when that is asked for.
bool SkipAuxiliaryPrint(const CDrawContext& dc, const CPelLine& l)
{
    return l.m_lineType == kAuxiliary && dc.printing && !dc.hojonuriprt;
}

void DrawPolygonal(QPainter& p, const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit, bool rect)
{
    std::size_t need = rect ? 4 : 3;
    if (l.m_points.size() < need || SkipAuxiliaryPrint(dc, l))
        return;
    std::vector<QPoint> pts = DevicePoints(dc, l, rect ? 4 : l.m_points.size());
    const int width = PenWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths);
    // Fills stay inside the outline, the pen within its width of it.
    if (OffRasterDevice(p, PointsBound(pts, width)))
        return;
    QPolygon poly(static_cast<int>(pts.size()));
    for (std::size_t i = 0; i < pts.size(); ++i)
        poly[static_cast<int>(i)] = pts[i];
    ColorContext cc = dc.Colors(l.m_layer1, l.m_layer2);
    ColorRef color = OutlineColor(Ref(l.m_color), cc);
    FillShape shape;
    shape.kind = FillShape::Polygon;
    shape.points = poly;
    Smooth(p, dc, false);
    DrawFill(p, shape, FillOf(dc, l, unit), cc, color);
    StrokeClosed(p, dc, l, poly, color, width, rect);
}

// The outline a curve's pen follows: the whole ellipse, an open arc, or an arc closed
// as its filled pie or chord is.
QPainterPath CurveOutline(const FillShape& shape, const QRect& box, bool openArc, bool filled, double startDeg,
                          double endDeg)
{
    QPainterPath path;
    const QRectF r(box);
    if (!openArc) {
        path.addEllipse(r);
        return path;
    }
    int start16 = 0, span16 = 0;
    ArcSpan16(box, startDeg, endDeg, start16, span16);
    const double start = start16 / 16.0, span = span16 / 16.0;
    if (filled && shape.kind == FillShape::Pie)
        path.moveTo(r.center());
    else
        path.arcMoveTo(r, start);
    path.arcTo(r, start, span);
    if (filled)
        path.closeSubpath();
    return path;
}

void DrawCurve(QPainter& p, const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit, bool arc)
{
    if (l.m_points.size() < (arc ? 3u : 1u) || l.m_params.empty() || SkipAuxiliaryPrint(dc, l))
        return;
    const PelPoint c = l.m_points[0];
    double r = std::abs(l.m_params[0]);
    bool circle = l.m_params.size() < 2;
    double ry = circle ? r : r * std::abs(l.m_params[1]);
    QPoint tl = dc.t.ToDevice(l.m_layer1, c.x - r, c.y - ry), br = dc.t.ToDevice(l.m_layer1, c.x + r, c.y + ry);
    QRect box(tl, QSize(br.x() - tl.x(), br.y() - tl.y()));
    if (box.width() <= 0 || box.height() <= 0)
        return;
    // The curve and its fill stay inside the box, its pen (solid or dashed) within its width.
    const int reach = std::max(PenWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths),
                               CurveDashWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths));
    if (OffRasterDevice(p, PointsBound({box.topLeft(), box.bottomRight() + QPoint(1, 1)}, reach)))
        return;
    ColorContext cc = dc.Colors(l.m_layer1, l.m_layer2);
    ColorRef color = OutlineColor(Ref(l.m_color), cc);

    FillShape shape;
    double startDeg = 0, endDeg = 0;
    bool fullRing = true;
    if (arc) {
        QPointF ctr = QRectF(box).center();
        QPoint s = dc.t.ToDevice(l.m_layer1, l.m_points[1].x, l.m_points[1].y);
        QPoint e = dc.t.ToDevice(l.m_layer1, l.m_points[2].x, l.m_points[2].y);
        startDeg = DirectionDeg(ctr.x(), ctr.y(), s.x(), s.y());
        endDeg = DirectionDeg(ctr.x(), ctr.y(), e.x(), e.y());
        fullRing = l.m_points[1] == l.m_points[2];
        shape.kind = l.m_tanten == 0 ? FillShape::Pie : FillShape::Chord;
        shape.startDeg = startDeg;
        shape.endDeg = endDeg;
    } else {
        shape.kind = FillShape::Ellipse;
    }
    shape.box = box;
    bool filled = HasFill(l);
    if (filled) {
        Smooth(p, dc, true);
        DrawFill(p, shape, FillOf(dc, l, unit), cc, color);
    }

    Smooth(p, dc, true);
    p.setBrush(Qt::NoBrush);
    std::vector<int> pattern = DashPatternPx(l.m_lineType, dc.pitches, dc.t.paperScale);
    int width = 1;
    if (l.m_lineType == kAuxiliary) {
        if (!dc.printing)
            DrawDottedPath(p, CurveOutline(shape, box, arc && !fullRing, filled, startDeg, endDeg), ToQColor(color));
        return;
    }
    if (pattern.empty()) {
        width = PenWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths);
    } else {
        p.setPen(SolidPen(color, CurveDashWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths)));
        SmoothSink sink(p, dc);
        DashCurve(sink, pattern, box, circle, startDeg, endDeg, !arc || fullRing);
        return;
    }
    p.setPen(SolidPen(color, width));
    if (!arc || fullRing) {
        p.drawEllipse(box);
    } else if (filled) {
        shape.Draw(p);
    } else {
        // the outline of an unfilled arc is the curve alone
        int start16 = 0, span16 = 0;
        ArcSpan16(box, startDeg, endDeg, start16, span16);
        emf::DrawArcShape(p, emf::ArcKind::Arc, box, start16, span16);
    }
}

// The dimension font of one size on one kind of device; a page draws hundreds of
// dimension lines with the same font.
struct DimensionFont {
    int pixelSize = 0;
    int dpi = 0;
    QFont font;
    QFontMetrics metrics{QFont()};
};

const DimensionFont& DimensionFontFor(int pixelSize, QPaintDevice* device)
{
    static thread_local DimensionFont cache; // per drawing thread
    int dpi = device ? device->logicalDpiY() : 0;
    if (cache.pixelSize != pixelSize || cache.dpi != dpi) {
        QFont font(cp932::ToQString(cp932::Lit("ＭＳ ゴシック")));
        font.setWeight(QFont::Normal);
        font.setPixelSize(pixelSize);
        cache.pixelSize = pixelSize;
        cache.dpi = dpi;
        cache.font = font;
        cache.metrics = QFontMetrics(font, device);
    }
    return cache;
}

void DrawDimension(QPainter& p, const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit)
{
    if (dc.plotVersion % 20000 == 2000 || l.m_params.size() < 2) {
        DrawOpen(p, dc, l, unit, false);
        return;
    }
    if (l.m_points.size() < 3)
        return;
    ColorContext cc = dc.Colors(l.m_layer1, l.m_layer2);
    DimensionFigure f;
    f.group = l.m_layer1;
    f.p0 = l.m_points[0];
    f.p1 = l.m_points[1];
    f.label = l.m_points[2];
    f.orient = static_cast<int>(l.m_params[0]);
    // A record that stops after the value has its line on the measured points.
    f.distance = l.m_params.size() > 2 ? l.m_params[2] : 0.0;
    f.text = FormatDimensionValue(l.m_params[1], dc.sunpoKurai);
    f.colour = cc.greyed ? kGreyed : 0;
    f.width = PenWidthPx(l.m_width, dc.plotVersion, dc.printing, dc.widths);
    f.markers = dc.sunpoTanten;
    DrawDimensionFigure(p, dc, f);
}
} // namespace

void DrawDimensionFigure(QPainter& p, const CDrawContext& dc, const DimensionFigure& f)
{
    const PelPoint P0 = f.p0, P1 = f.p1, Q = f.label;
    const double d = f.distance;
    const int orient = f.orient;
    const int width = f.width;
    PelPoint L0, L1; // the dimension line's ends on the level
    switch (orient) {
    case 1:
    case 3: {
        double level = orient == 1 ? P1.y - d : P1.y + d;
        L0 = {P0.x, level};
        L1 = {P1.x, level};
        break;
    }
    case 2:
    case 4: {
        double level = orient == 2 ? P1.x - d : P1.x + d;
        L0 = {level, P0.y};
        L1 = {level, P1.y};
        break;
    }
    default:
        return;
    }
    const int g = f.group;
    QPoint p0 = dc.t.ToDevice(g, P0.x, P0.y), p1 = dc.t.ToDevice(g, P1.x, P1.y);
    QPoint l0 = dc.t.ToDevice(g, L0.x, L0.y), l1 = dc.t.ToDevice(g, L1.x, L1.y);
    Smooth(p, dc, false);
    p.setPen(SolidPen(f.colour, width));
    p.drawLine(p0, l0);
    p.drawLine(p1, l1);
    p.drawLine(l0, l1);
    if (f.markers != 0) {
        int size = MarkerSizePx(0, dc.keijPich, dc.t.paperScale, dc.t.extra1);
        Smooth(p, dc, true);
        DrawEndMarkers(p, f.markers, l0, l1, DirectionDeg(L0.x, L0.y, L1.x, L1.y),
                       DirectionDeg(L1.x, L1.y, L0.x, L0.y), size, ToQColor(f.colour), width);
    }

    const DimensionFont& df = DimensionFontFor(std::max(2, TruncPx(dc.sunpoTextHeight * dc.t.paperScale)), p.device());
    p.setFont(df.font);
    const QFontMetrics& fm = df.metrics;
    QString text = QString::fromStdString(f.text);
    int tw = fm.horizontalAdvance(text), th = fm.height();
    QPoint q = dc.t.ToDevice(g, Q.x, Q.y);
    p.setPen(ToQColor(f.colour));
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (orient == 1 || orient == 3) {
        p.drawText(QPoint(q.x() - tw / 2, q.y() - th + fm.ascent()), text);
    } else {
        QTransform before = p.transform();
        p.translate(q.x() - th, q.y() + tw / 2);
        p.rotate(-90);
        p.drawText(QPoint(0, fm.ascent()), text);
        p.setTransform(before);
    }
}

std::string FormatDimensionValue(double value, int kurai)
{
    char buf[64];
    switch (kurai) {
    case 1:
        std::snprintf(buf, sizeof buf, "%.1f", value);
        break;
    case 2:
        std::snprintf(buf, sizeof buf, "%.2f", value);
        break;
    case 3:
        std::snprintf(buf, sizeof buf, "%.3f", value);
        break;
    default: {
        long long tenths = static_cast<long long>(std::clamp(value, -1e15, 1e15) * 10);
        long long last = std::llabs(tenths % 10);
        long long whole = tenths / 10;
        if (last >= 5)
            whole += tenths < 0 ? -1 : 1;
        std::snprintf(buf, sizeof buf, "%lld", whole);
        break;
    }
    }
    return buf;
}

void DrawPelLine(QPainter& p, const CDrawContext& dc, const CPelLine& l, const CPelUnit& unit)
{
    switch (l.m_type) {
    case CPelLine::Straight:
        DrawOpen(p, dc, l, unit, true);
        break;
    case CPelLine::Rect:
        DrawPolygonal(p, dc, l, unit, true);
        break;
    case CPelLine::Polygon:
        DrawPolygonal(p, dc, l, unit, false);
        break;
    case CPelLine::Circle:
        DrawCurve(p, dc, l, unit, false);
        break;
    case CPelLine::Arc:
        DrawCurve(p, dc, l, unit, true);
        break;
    case CPelLine::Dimension:
        DrawDimension(p, dc, l, unit);
        break;
    case CPelLine::Polyline:
        DrawOpen(p, dc, l, unit, false);
        break;
    default:
        break;
    }
}
