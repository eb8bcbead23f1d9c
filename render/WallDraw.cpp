#include "render/WallDraw.h"

#include "document/PelWall.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
bool Sloped(const QPolygon& poly)
{
    for (int i = 0; i < poly.size(); ++i) {
        QPoint a = poly[i], b = poly[(i + 1) % poly.size()];
        if (a.x() != b.x() && a.y() != b.y())
            return true;
    }
    return false;
}

QPen WallPen(ColorRef color, int width)
{
    return QPen(ToQColor(color), std::max(1, width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Segment(QPainter& p, const CDrawContext& dc, QPoint a, QPoint b)
{
    p.setRenderHint(QPainter::Antialiasing, dc.smooth && a.x() != b.x() && a.y() != b.y());
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
}

// Mode 3's own colour and mode 4's body: the plot settings' wall colour, black in
// monochrome and with gradation value 3.
ColorRef WallColorOf(const CDrawContext& dc)
{
    if (dc.sirokuro || dc.gradation == 3)
        return 0;
    return static_cast<ColorRef>(dc.wallColor) & 0xffffff;
}

struct WallLook {
    ColorRef pen = 0;
    int penWidth = 1;
    bool bodyFilledWithPen = false; // modes 1 and 3: body and outline in the pen colour
    ColorRef body = kWhite;
    bool edges = true;
};

WallLook LookOf(const CDrawContext& dc, const CPelWall& wall)
{
    WallLook look;
    const bool greyed = dc.Colors(wall.m_layer1, wall.m_layer2).greyed;
    look.pen = dc.wallBlack == 3 ? WallColorOf(dc) : 0;
    if (greyed)
        look.pen = kGreyed;
    look.penWidth = dc.printing ? dc.widths.print[0] : 1;
    switch (dc.wallBlack) {
    case 1:
    case 3:
        look.bodyFilledWithPen = true;
        look.body = look.pen;
        look.edges = false;
        break;
    case 4:
        look.body = WallColorOf(dc);
        break;
    default:
        look.body = kWhite;
        break;
    }
    return look;
}

int PillarPenWidth(const CDrawContext& dc)
{
    if (!dc.printing)
        return 1;
    return dc.plotVersion < 10000 ? dc.widths.linehutosa : dc.widths.print[0];
}

ColorRef PillarFill(const CDrawContext& dc) { return dc.hasiraColor == 1 ? 0 : kWhite; }

// The square of the corner pillar of a wall end: half side w around c.
QRect CornerBox(const CDrawContext& dc, const CPelWall& wall, const PelPoint& c)
{
    const double w = wall.m_wide1;
    QPoint tl = dc.t.ToDevice(wall.m_layer1, c.x - w, c.y - w);
    QPoint br = dc.t.ToDevice(wall.m_layer1, c.x + w, c.y + w);
    return QRect(QPoint(std::min(tl.x(), br.x()), std::min(tl.y(), br.y())),
                 QPoint(std::max(tl.x(), br.x()), std::max(tl.y(), br.y())));
}

void CornerPillar(QPainter& p, const CDrawContext& dc, const CPelWall& wall, const PelPoint& c, const QPen& pen)
{
    const QRect box = CornerBox(dc, wall, c);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (box.width() > 1 && box.height() > 1)
        p.fillRect(box.adjusted(0, 0, -1, -1), ToQColor(PillarFill(dc)));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPoint tr(box.right(), box.top()), bl(box.left(), box.bottom());
    p.drawPolygon(QPolygon({box.topLeft(), tr, box.bottomRight(), bl}));
    if (dc.hasiraColor == 2) {
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(tr, bl);
    }
}

// The pillar's four corners in order round the outline. Stored corners may come in
// an order that makes the outline cross itself; sorting by angle round their centre
// gives the same square without the crossing.
std::array<QPoint, 4> AroundOutline(const std::array<QPoint, 4>& c)
{
    double cx = 0, cy = 0;
    for (const QPoint& q : c) {
        cx += q.x() / 4.0;
        cy += q.y() / 4.0;
    }
    std::array<QPoint, 4> out = c;
    std::stable_sort(out.begin(), out.end(), [&](const QPoint& a, const QPoint& b) {
        return std::atan2(a.y() - cy, a.x() - cx) < std::atan2(b.y() - cy, b.x() - cx);
    });
    return out;
}

// The corner opposite c0 on the outline.
QPoint Opposite(const std::array<QPoint, 4>& around, QPoint c0)
{
    for (int i = 0; i < 4; ++i)
        if (around[static_cast<std::size_t>(i)] == c0)
            return around[static_cast<std::size_t>((i + 2) % 4)];
    return c0;
}
} // namespace

CornerPillarSkips PlanCornerPillars(const CDrawContext& dc, const std::vector<const CPelWall*>& walls)
{
    CornerPillarSkips skips;
    if (dc.wallBlack != 2 || !dc.hasiraAuto)
        return skips;
    struct Pillar {
        const CPelWall* wall;
        unsigned bit;
        QRect box;
        ColorRef pen;
        int width;
    };
    std::vector<Pillar> pillars;
    for (const CPelWall* w : walls) {
        if (w->m_kind != 0)
            continue;
        const WallLook look = LookOf(dc, *w);
        const PelPoint* ends[2] = {&w->m_a, &w->m_b};
        for (unsigned e = 0; e < 2; ++e)
            pillars.push_back({w, 1u << e, CornerBox(dc, *w, *ends[e]), look.pen, std::max(1, look.penWidth)});
    }
    // A later pillar paints over an earlier one entirely when it is the same square in
    // the same pen, or when its filled inside holds the earlier one's outline too.
    auto hides = [](const Pillar& later, const Pillar& earlier) {
        if (later.box == earlier.box && later.pen == earlier.pen && later.width == earlier.width)
            return true;
        if (later.box.width() <= 1 || later.box.height() <= 1)
            return false;
        const int reach = earlier.width + 2; // the pen's half width and its round ends, generously
        return later.box.adjusted(0, 0, -1, -1).contains(earlier.box.adjusted(-reach, -reach, reach, reach));
    };
    // From the last pillar back, against those drawn after it that are not hidden
    // themselves (a hidden one's painter is later still).
    std::vector<const Pillar*> shown;
    for (auto it = pillars.rbegin(); it != pillars.rend(); ++it) {
        const bool hidden = std::any_of(shown.begin(), shown.end(), [&](const Pillar* later) { return hides(*later, *it); });
        if (hidden)
            skips[it->wall] |= it->bit;
        else
            shown.push_back(&*it);
    }
    return skips;
}

void DrawWall(QPainter& p, const CDrawContext& dc, const CPelWall& wall, unsigned skip)
{
    const int g = wall.m_layer1;
    const WallLook look = LookOf(dc, wall);
    const QPen pen = WallPen(look.pen, look.penWidth);
    QPolygon body(4);
    for (int i = 0; i < 4; ++i)
        body[i] = dc.t.ToDevice(g, wall.m_corners[static_cast<std::size_t>(i)].x,
                                wall.m_corners[static_cast<std::size_t>(i)].y);

    p.setRenderHint(QPainter::Antialiasing, dc.smooth && Sloped(body));
    p.setBrush(ToQColor(look.body));
    if (look.bodyFilledWithPen)
        p.setPen(pen);
    else
        p.setPen(Qt::NoPen);
    p.drawPolygon(body);
    if (!look.edges) {
            return;
    }

    p.setPen(pen);
    for (std::size_t i = 0; i < wall.EdgeCount(); ++i)
        Segment(p, dc, dc.t.ToDevice(g, wall.m_edgeA[i].x, wall.m_edgeA[i].y),
                dc.t.ToDevice(g, wall.m_edgeB[i].x, wall.m_edgeB[i].y));
    if (dc.wallBlack == 2) {
        if (wall.m_wallType == 1)
            Segment(p, dc, dc.t.ToDevice(g, wall.m_a.x, wall.m_a.y), dc.t.ToDevice(g, wall.m_b.x, wall.m_b.y));
        if (dc.hasiraAuto) {
            if (!(skip & 1))
                CornerPillar(p, dc, wall, wall.m_a, pen);
            if (!(skip & 2))
                CornerPillar(p, dc, wall, wall.m_b, pen);
        }
    }
}

void DrawPillarBody(QPainter& p, const CDrawContext& dc, const CPelWall& wall)
{
    const int g = wall.m_layer1;
    const bool greyed = dc.Colors(wall.m_layer1, wall.m_layer2).greyed;
    const QPen pen = WallPen(greyed ? kGreyed : 0, PillarPenWidth(dc));
    std::array<QPoint, 4> c;
    for (std::size_t i = 0; i < 4; ++i)
        c[i] = dc.t.ToDevice(g, wall.m_corners[i].x, wall.m_corners[i].y);
    const std::array<QPoint, 4> around = AroundOutline(c);
    QPolygon body({around[0], around[1], around[2], around[3]});

    p.setRenderHint(QPainter::Antialiasing, dc.smooth && Sloped(body));
    p.setPen(pen);
    p.setBrush(ToQColor(PillarFill(dc)));
    p.drawPolygon(body);
    if (dc.hasiraColor == 2) {
        const PelPoint* k = wall.m_corners.data();
        const double across = std::abs(k[0].x - k[3].x), down = std::abs(k[0].y - k[1].y);
        // The diagonal through c0, and the one that does not touch it.
        const QPoint far0 = Opposite(around, c[0]);
        QPoint other1 = c[0], other2 = c[0];
        for (const QPoint& q : around)
            if (q != c[0] && q != far0)
                (other1 == c[0] ? other1 : other2) = q;
        if (std::abs(across - down) < 0.1) {
            Segment(p, dc, c[0], far0);
            Segment(p, dc, other1, other2);
        } else if (across > down) {
            Segment(p, dc, c[0], far0);
        } else {
            Segment(p, dc, other1, other2);
        }
    }
}

void DrawPillarDetail(QPainter& p, const CDrawContext& dc, const CPelWall& wall)
{
    if (wall.m_pillarType != 2)
        return;
    const int g = wall.m_layer1;
    const bool greyed = dc.Colors(wall.m_layer1, wall.m_layer2).greyed;
    const double r = 3.0 * wall.m_wide1;
    QPoint tl = dc.t.ToDevice(g, wall.m_a.x - r, wall.m_a.y - r);
    QPoint br = dc.t.ToDevice(g, wall.m_a.x + r, wall.m_a.y + r);
    p.setPen(WallPen(greyed ? kGreyed : 0, PillarPenWidth(dc)));
    p.setBrush(Qt::NoBrush);
    if (br.x() - tl.x() > 1 && br.y() - tl.y() > 1) {
        p.setRenderHint(QPainter::Antialiasing, dc.smooth);
        p.drawEllipse(QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y())));
    }
    if (dc.hasiraColor == 2) {
        const auto& k = wall.m_corners;
        Segment(p, dc, dc.t.ToDevice(g, k[0].x, k[0].y), dc.t.ToDevice(g, k[3].x, k[3].y));
        Segment(p, dc, dc.t.ToDevice(g, k[1].x, k[1].y), dc.t.ToDevice(g, k[2].x, k[2].y));
    }
}
