#include "render/ToolPreview.h"

#include "document/PlotInfo.h"
#include "document/CurveGeometry.h"
#include "render/LineDraw.h"
#include "render/LineStyle.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
const QColor kConstruction(255, 0, 0);
// A curve larger than this many pixels is far beyond any window: nothing to show.
constexpr double kMaxPreviewPx = 1.0e7;

enum Family { FamLine = 0, FamRect = 1, FamPolygon = 2, FamCircle = 3, FamArc = 4 };

struct FamilyPen {
    QColor colour;
    int width = 1;
    bool dotted = false;
    int lineType = 0;
};

FamilyPen PenOf(const CDrawContext& dc, const CPlotInfo& plot, int family)
{
    const CStyleSlot& s = plot.m_style[static_cast<std::size_t>(family)];
    ColorRef c = static_cast<ColorRef>(s.m_color) & 0xffffff;
    if (plot.m_sirokuro && !IsWhiteRgb(c))
        c = 0;
    FamilyPen pen;
    pen.colour = ToQColor(c);
    pen.lineType = s.m_lineType;
    pen.dotted = s.m_lineType == kAuxiliary;
    // The screen width of the class whatever the document's format version.
    pen.width = pen.dotted ? 1 : PenWidthPx(s.m_lineWide, 22001, false, dc.widths);
    return pen;
}

QColor FillOf(const CPlotInfo& plot, int family)
{
    ColorRef c = static_cast<ColorRef>(plot.m_style[static_cast<std::size_t>(family)].m_nakaColor) & 0xffffff;
    if (plot.m_sirokuro && c != 0)
        c = kWhite;
    return ToQColor(c);
}

bool Filled(const CPlotInfo& plot, int family) { return plot.m_style[static_cast<std::size_t>(family)].m_nakaNuri != 0; }

// One dash segment of the family's line type, its pattern started afresh.
void Segment(QPainter& p, const CDrawContext& dc, const FamilyPen& pen, QPoint a, QPoint b)
{
    if (pen.dotted) {
        const QPoint pts[2] = {a, b};
        DrawDottedPolyline(p, pts, 2, false, pen.colour);
        return;
    }
    p.setPen(QPen(pen.colour, pen.width));
    PainterSink sink(p);
    int phase = 0;
    DashSegment(sink, DashPatternPx(pen.lineType, dc.pitches, dc.t.paperScale), a, b, phase, 0);
}

void Construction(QPainter& p, const std::vector<QPoint>& pts)
{
    p.setPen(QPen(kConstruction, 1));
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        p.drawLine(pts[i], pts[i + 1]);
}

void RedCross(QPainter& p, QPoint c)
{
    p.setPen(QPen(kConstruction, 1));
    p.drawLine(c + QPoint(-2, -2), c + QPoint(2, 2));
    p.drawLine(c + QPoint(-2, 2), c + QPoint(2, -2));
}

// The ellipse (or its arc from start to the pointer's direction) in device pixels,
// filled solid and hatched by the family's switches only.
void EllipsePreview(QPainter& p, const CDrawContext& dc, const CPlotInfo& plot, int family, const QRect& box,
                    const QPainterPath& outline)
{
    if (box.width() <= 0 || box.height() <= 0)
        return;
    if (Filled(plot, family))
        p.fillPath(outline, FillOf(plot, family));
    p.setBrush(Qt::NoBrush);
    const FamilyPen pen = PenOf(dc, plot, family);
    p.setPen(QPen(pen.colour, pen.width, pen.dotted ? Qt::DotLine : Qt::SolidLine));
    p.drawPath(outline);
}

void Outline(QPainter& p, const FamilyPen& pen, const QPainterPath& path)
{
    if (pen.dotted) {
        DrawDottedPath(p, path, pen.colour);
        return;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pen.colour, pen.width));
    p.drawPath(path);
}
} // namespace

void DrawFocusRectangle(QPainter& p, QPoint a, QPoint b)
{
    if (a.x() == b.x() || a.y() == b.y())
        return;
    const QRect r = QRect(a, b).normalized();
    const QPoint corners[4] = {r.topLeft(), r.bottomLeft(), r.bottomRight(), r.topRight()};
    DrawDottedPolyline(p, corners, 4, true, Qt::black);
}

void DrawToolPreview(QPainter& p, const CDrawContext& dc, const CPlotInfo& plot, const PreviewInput& in)
{
    if (!in.points || in.points->empty())
        return;
    const std::vector<PelPoint>& pts = *in.points;
    auto dev = [&](PelPoint q) { return dc.t.ToDevice(in.group, q.x, q.y); };
    auto closedConstruction = [&](const std::vector<PelPoint>& outline) {
        if (outline.empty())
            return;
        std::vector<QPoint> d;
        for (const PelPoint& pt : outline)
            d.push_back(dev(pt));
        d.push_back(d.front());
        Construction(p, d);
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (in.mode) {
    case 7: { // line
        const FamilyPen pen = PenOf(dc, plot, FamLine);
        Segment(p, dc, pen, in.lastPx, in.pointerPx);
        const int tanten = plot.m_style[FamLine].m_tanten;
        if (tanten != 0 && in.lastPx != in.pointerPx) {
            const double toStart = DirectionDeg(in.lastPx.x(), in.lastPx.y(), in.pointerPx.x(), in.pointerPx.y());
            const double toEnd = DirectionDeg(in.pointerPx.x(), in.pointerPx.y(), in.lastPx.x(), in.lastPx.y());
            const int size = MarkerSizePx(plot.m_lineYaWide, dc.keijPich, dc.t.paperScale, dc.t.extra1);
            DrawEndMarkers(p, tanten, in.lastPx, in.pointerPx, toStart, toEnd, size, pen.colour, pen.width);
        }
        break;
    }
    case 8: { // rectangle
        const QPoint a = in.lastPx, b = in.pointerPx;
        if (a.x() == b.x() || a.y() == b.y())
            break;
        const QRect r = QRect(a, b).normalized();
        if (Filled(plot, FamRect))
            p.fillRect(r, FillOf(plot, FamRect));
        const FamilyPen pen = PenOf(dc, plot, FamRect);
        const QPoint c[4] = {r.topLeft(), r.bottomLeft(), r.bottomRight(), r.topRight()};
        for (int i = 0; i < 4; ++i)
            Segment(p, dc, pen, c[i], c[(i + 1) % 4]);
        break;
    }
    case 9: { // polygon: open, unfilled
        const FamilyPen pen = PenOf(dc, plot, FamPolygon);
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
            Segment(p, dc, pen, dev(pts[i]), dev(pts[i + 1]));
        Segment(p, dc, pen, dev(pts.back()), in.pointerPx);
        break;
    }
    case 10: { // circle: solid outline, no gradient or translucency
        const double rr = std::hypot(double(in.pointerPx.x()) - in.lastPx.x(), double(in.pointerPx.y()) - in.lastPx.y());
        if (rr < 1 || rr > kMaxPreviewPx)
            break;
        const int r = static_cast<int>(rr);
        const QRect box(in.lastPx.x() - r, in.lastPx.y() - r, 2 * r, 2 * r);
        if (Filled(plot, FamCircle)) {
            p.setPen(Qt::NoPen);
            p.setBrush(FillOf(plot, FamCircle));
            p.drawEllipse(box);
        }
        QPainterPath path;
        path.addEllipse(box);
        Outline(p, PenOf(dc, plot, FamCircle), path);
        break;
    }
    case 11: { // arc, sector, chord
        if (pts.size() == 1) {
            RedCross(p, dev(pts[0]));
            break;
        }
        const PelPoint c = pts[0], s = pts[1];
        const double rmm = std::hypot(s.x - c.x, s.y - c.y);
        const QPoint cp = dev(c);
        const double rxd = dc.t.LengthX(in.group, rmm), ryd = dc.t.LengthY(in.group, rmm);
        if (!(rxd >= 1 && ryd >= 1 && rxd <= kMaxPreviewPx && ryd <= kMaxPreviewPx))
            break;
        const int rx = static_cast<int>(rxd), ry = static_cast<int>(ryd);
        const QRect box(cp.x() - rx, cp.y() - ry, 2 * rx, 2 * ry);
        const QPoint sp = dev(s);
        const double start = DirectionDeg(cp.x(), cp.y(), sp.x(), sp.y());
        double span = DirectionDeg(cp.x(), cp.y(), in.pointerPx.x(), in.pointerPx.y()) - start;
        if (span <= 0)
            span += 360;
        const int tanten = plot.m_style[FamArc].m_tanten;
        QPainterPath region;
        if (tanten == 1 || tanten == 2) {
            region.arcMoveTo(box, start);
            region.arcTo(box, start, span);
            region.closeSubpath();
        } else {
            region.moveTo(QRectF(box).center());
            region.arcTo(box, start, span);
            region.closeSubpath();
        }
        if (Filled(plot, FamArc))
            p.fillPath(region, FillOf(plot, FamArc));
        QPainterPath arc;
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, span);
        Outline(p, PenOf(dc, plot, FamArc), Filled(plot, FamArc) ? region : arc);
        break;
    }
    case 13: { // dimension line
        const QColor grey(127, 127, 127);
        if (pts.size() == 1) {
            const QPoint c = dev(pts[0]);
            p.setPen(QPen(grey, 1));
            p.drawLine(c + QPoint(-5, -5), c + QPoint(5, 5));
            p.drawLine(c + QPoint(-5, 5), c + QPoint(5, -5));
            break;
        }
        const PelPoint s = pts[pts.size() - 2], e = pts.back();
        const DimensionShape d = PlaceDimension(s, e, in.pointerMm);
        DimensionFigure f;
        f.group = in.group;
        f.p0 = s;
        f.p1 = e;
        f.label = d.label;
        f.orient = d.side;
        f.distance = d.offset;
        f.text = FormatDimensionValue(d.length, 0);
        f.colour = 127 + 256 * 127 + 65536 * 127;
        DrawDimensionFigure(p, dc, f);
        break;
    }
    case 27: { // three-point arc: the circle through the clicks and the pointer
        if (pts.size() == 1) {
            RedCross(p, dev(pts[0]));
            break;
        }
        const auto c = CircleThrough(pts[0], pts[1], in.pointerMm);
        if (!c)
            break;
        const double r = std::hypot(pts[0].x - c->x, pts[0].y - c->y);
        const QPoint tl = dc.t.ToDevice(in.group, c->x - r, c->y - r), br = dc.t.ToDevice(in.group, c->x + r, c->y + r);
        const QRect box(tl, br);
        QPainterPath path;
        path.addEllipse(box);
        EllipsePreview(p, dc, plot, FamArc, box, path);
        break;
    }
    case 29: // double line and double-line polygon: the two offset sides
    case 49: {
        std::vector<PelPoint> q = pts;
        q.push_back(in.pointerMm);
        const DoubleLineSides sides = OffsetSides(DistinctPoints(q), in.leftOffset, in.rightOffset);
        for (const auto* side : {&sides.left, &sides.right}) {
            std::vector<QPoint> d;
            for (const PelPoint& pt : *side)
                d.push_back(dev(pt));
            Construction(p, d);
        }
        break;
    }
    case 30: // ellipse and elliptic arc, once the width is known
    case 31: {
        if (pts.size() < 2)
            break;
        const PelPoint c = pts[0];
        const double rx = std::abs(pts[1].x - c.x);
        const double ry = std::abs((in.mode == 31 && pts.size() >= 3 ? pts[2] : in.pointerMm).y - c.y);
        const QPoint tl = dc.t.ToDevice(in.group, c.x - rx, c.y - ry), br = dc.t.ToDevice(in.group, c.x + rx, c.y + ry);
        const QRect box(tl, br);
        QPainterPath path;
        if (in.mode == 31 && pts.size() >= 4) {
            const QPoint cp = dev(c), sp = dev(pts[3]);
            const double start = DirectionDeg(cp.x(), cp.y(), sp.x(), sp.y());
            double span = DirectionDeg(cp.x(), cp.y(), in.pointerPx.x(), in.pointerPx.y()) - start;
            if (span <= 0)
                span += 360;
            path.arcMoveTo(box, start);
            path.arcTo(box, start, span);
        } else {
            path.addEllipse(box);
        }
        EllipsePreview(p, dc, plot, in.mode == 30 ? FamCircle : FamArc, box, path);
        if (in.mode == 31 && pts.size() == 3) {
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawLine(dev(c), in.pointerPx);
        }
        break;
    }
    case 51: { // rounded rectangle
        if (pts.size() == 1) {
            const QPoint a = dev(pts[0]);
            Construction(p, {a, {in.pointerPx.x(), a.y()}, in.pointerPx, {a.x(), in.pointerPx.y()}, a});
            break;
        }
        const std::vector<PelPoint> outline =
            RoundRectOutline(pts[0], pts[1], RoundRectRadius(pts[0], pts[1], in.pointerMm), in.filletSteps);
        closedConstruction(outline);
        break;
    }
    case 52: { // balloon: the outline with the pointer as its tip
        if (pts.size() < 2)
            break;
        const std::vector<PelPoint> outline =
            BalloonOutline(pts[0], pts[1], in.pointerMm, BalloonStyle(), in.filletSteps, in.balloonMinBase);
        closedConstruction(outline);
        break;
    }
    case 28: // polyline and the other construction-line tools
    case 32:
    case 33:
    case 34:
    case 48: {
        std::vector<QPoint> q;
        for (const PelPoint& pt : pts)
            q.push_back(dev(pt));
        q.push_back(in.pointerPx);
        Construction(p, q);
        break;
    }
    case 40:
    case 41: { // enclosed move and copy: the range, then its destination
        const QPoint a = dev(pts[0]);
        const QPoint b = pts.size() >= 2 ? dev(pts[1]) : in.pointerPx;
        DrawFocusRectangle(p, a, b);
        if (pts.size() >= 3) {
            const QPoint d = in.pointerPx - dev(pts[2]);
            DrawFocusRectangle(p, a + d, b + d);
        }
        break;
    }
    case 42:
    case 43:
        DrawFocusRectangle(p, dev(pts[0]), in.pointerPx);
        break;
    default:
        break;
    }
    p.restore();
}
