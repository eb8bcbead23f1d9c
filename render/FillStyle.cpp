#include "render/FillStyle.h"

#include "platform/EmfWriter.h"
#include "render/ViewCoords.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {
constexpr std::array<std::array<unsigned char, 8>, 8> kTiles = {{
    {0x01, 0x01, 0x01, 0xFF, 0x10, 0x10, 0x10, 0xFF},
    {0x24, 0x12, 0x09, 0x09, 0x09, 0x12, 0x24, 0x24},
    {0x41, 0x64, 0x46, 0x04, 0x31, 0x10, 0x42, 0x6B},
    {0xFF, 0x00, 0x00, 0x00, 0xE4, 0x00, 0x00, 0x00},
    {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00},
    {0x00, 0x66, 0x66, 0x00, 0x00, 0x66, 0x66, 0x00},
    {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},
    {0x01, 0x83, 0x01, 0x83, 0x01, 0x45, 0xFF, 0x45},
}};

// The classic 8-pixel hatch cells.
constexpr std::array<std::array<unsigned char, 8>, 6> kHatches = {{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},
}};

QImage BitsImage(const std::array<unsigned char, 8>& rows, QRgb on, QRgb off, QImage::Format format)
{
    QImage img(8, 8, format);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            img.setPixel(x, y, (rows[static_cast<std::size_t>(y)] & (0x80 >> x)) ? on : off);
    return img;
}

constexpr double kDeg = std::numbers::pi / 180.0;

double ParamOfDirection(double dirDeg, const QRectF& box)
{
    double rx = box.width() / 2, ry = box.height() / 2;
    if (rx <= 0 || ry <= 0)
        return dirDeg;
    double t = std::atan2(rx * std::sin(dirDeg * kDeg), ry * std::cos(dirDeg * kDeg)) / kDeg;
    return t < 0 ? t + 360 : t;
}

// Start and span, in the painter's parametric sixteenths of a degree, of the arc
// counter-clockwise from the start direction to the end direction.
} // namespace

void ArcSpan16(const QRect& box, double startDeg, double endDeg, int& start16, int& span16)
{
    QRectF b(box);
    double a = ParamOfDirection(startDeg, b), e = ParamOfDirection(endDeg, b);
    double span = e - a;
    if (span <= 0)
        span += 360;
    start16 = static_cast<int>(std::lround(a * 16));
    span16 = static_cast<int>(std::lround(span * 16));
}

const QImage& TileImage(int pattern)
{
    static const std::array<QImage, 8> tiles = [] {
        std::array<QImage, 8> t;
        for (std::size_t i = 0; i < 8; ++i)
            t[i] = BitsImage(kTiles[i], qRgb(0, 0, 0), qRgb(255, 255, 255), QImage::Format_RGB32);
        return t;
    }();
    static const QImage none;
    if (pattern < 1 || pattern > 8)
        return none;
    return tiles[static_cast<std::size_t>(pattern - 1)];
}

QBrush TileBrush(int pattern) { return QBrush(TileImage(pattern)); }

QBrush HatchBrush(int style, const QColor& lineColor, const QColor& background)
{
    if (style < 0 || style > 5)
        return QBrush();
    QRgb off = background.isValid() ? background.rgba() : qRgba(0, 0, 0, 0);
    return QBrush(BitsImage(kHatches[static_cast<std::size_t>(style)], lineColor.rgba(), off,
                            QImage::Format_ARGB32));
}

QRect FillShape::Bounds() const { return kind == Polygon ? points.boundingRect() : box; }

void FillShape::Draw(QPainter& p) const
{
    switch (kind) {
    case Polygon:
        p.drawPolygon(points, Qt::OddEvenFill);
        break;
    case Ellipse:
        p.drawEllipse(box);
        break;
    case Pie:
    case Chord: {
        int start = 0, span = 0;
        ArcSpan16(box, startDeg, endDeg, start, span);
        emf::DrawArcShape(p, kind == Pie ? emf::ArcKind::Pie : emf::ArcKind::Chord, box, start, span);
        break;
    }
    }
}

namespace {
QGradientStops Stops(std::initializer_list<std::pair<double, QColor>> list)
{
    QGradientStops s;
    for (auto& [pos, c] : list)
        s.append({pos, c});
    return s;
}

void FanFill(QPainter& p, const QPolygon& pts, const QColor& c1, const QColor& c2, double inner)
{
    const int n = pts.size();
    if (n < 3)
        return;
    QPointF c(0, 0);
    for (const QPoint& q : pts)
        c += QPointF(q);
    c /= n;
    QPainterPath clip;
    clip.setFillRule(Qt::WindingFill);
    clip.addPolygon(QPolygonF(pts));
    clip.closeSubpath();
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    QGradientStops stops = Stops({{0.0, c2}, {inner, c1}, {1.0, c1}});
    for (int i = 0; i < n; ++i) {
        QPointF a(pts[i]), b(pts[(i + 1) % n]);
        QPointF d = b - a;
        double len2 = d.x() * d.x() + d.y() * d.y();
        if (len2 <= 0)
            continue;
        double t = QPointF::dotProduct(c - a, d) / len2;
        QPointF foot = a + d * t;
        if (QLineF(foot, c).length() < 1e-9)
            continue;
        QLinearGradient g(foot, c);
        g.setStops(stops);
        QPolygonF tri;
        tri << c << a << b;
        p.setBrush(g);
        p.drawPolygon(tri);
    }
    p.restore();
}
} // namespace

void DrawGradientFill(QPainter& p, const FillShape& shape, ColorRef c1, ColorRef c2, int gradient, int alpha,
                      int gd, const QRect& groupBox)
{
    if (gd == 3) {
        c1 = Rgb(240, 240, 240);
        c2 = Rgb(100, 100, 100);
    }
    int a = std::clamp(alpha, 0, 100) * 255 / 100;
    QColor q1 = ToQColor(c1, a), q2 = ToQColor(c2, a);
    int mode = std::abs(gradient % 100);
    QRect box = shape.Bounds();
    if (mode == 2 && !groupBox.isNull())
        box = groupBox;
    QRectF fb(box);

    p.setPen(Qt::NoPen);
    if (gd != 2 && gd != 3) {
        double ang = (gradient / 100) * kDeg; // clockwise on the screen
        QPointF dir(std::cos(ang), std::sin(ang));
        QPointF ctr = fb.center();
        double lo = 0, hi = 0;
        const QPointF corners[4] = {fb.topLeft(), fb.topRight(), fb.bottomLeft(), fb.bottomRight()};
        for (int i = 0; i < 4; ++i) {
            double v = QPointF::dotProduct(corners[i] - ctr, dir);
            lo = i == 0 ? v : std::min(lo, v);
            hi = i == 0 ? v : std::max(hi, v);
        }
        QLinearGradient g(ctr + dir * lo, ctr + dir * hi);
        g.setColorAt(0, q1);
        g.setColorAt(1, q2);
        p.setBrush(g);
        if (shape.kind == FillShape::Polygon)
            p.drawPolygon(shape.points, Qt::WindingFill);
        else
            shape.Draw(p);
    } else if (shape.kind == FillShape::Polygon) {
        FanFill(p, shape.points, q1, q2, gd == 3 ? 0.2 : 0.3);
    } else {
        // The centre colour holds over the inner seven tenths, then runs out to the rim.
        QRectF eb(shape.box);
        QRadialGradient g(QPointF(0, 0), 1.0);
        g.setStops(Stops({{0.0, q1}, {0.7, q1}, {1.0, q2}}));
        QBrush brush(g);
        brush.setTransform(QTransform(eb.width() / 2, 0, 0, eb.height() / 2, eb.center().x(), eb.center().y()));
        p.setBrush(brush);
        shape.Draw(p);
    }
}

void DrawFill(QPainter& p, const FillShape& shape, const FillParams& f, const ColorContext& cc, ColorRef outline)
{
    if (shape.kind == FillShape::Polygon && shape.points.size() < 3)
        return;
    if (shape.kind != FillShape::Polygon && (shape.box.width() <= 0 || shape.box.height() <= 0))
        return;
    const bool tile = f.pattern >= 1 && f.pattern <= 8;
    if (!tile && !f.filled && !f.hatch)
        return;
    ColorRef fc = FillColor(f.color, cc);
    p.setPen(Qt::NoPen);
    if (tile) {
        p.setBrush(TileBrush(f.pattern));
        shape.Draw(p);
    } else if (f.filled) {
        int mode = std::abs(f.gradient % 100);
        bool plainColour = (fc & 0xffffff) == 0 || IsWhiteRgb(fc);
        if (cc.gradation != 0 && !cc.sirokuro && !cc.greyed && mode != 0 && !plainColour) {
            DrawGradientFill(p, shape, fc, f.color2, f.gradient, f.alpha, cc.gradation, f.groupBox);
        } else if (f.alpha >= 100 || cc.sirokuro) {
            p.setBrush(ToQColor(fc));
            shape.Draw(p);
        } else {
            // A greyed object shows a white fill, translucent or not.
            ColorRef raw = cc.greyed ? kWhite : f.color;
            DrawGradientFill(p, shape, raw, raw, f.gradient, f.alpha, cc.gradation, f.groupBox);
        }
    }
    if (f.hatch) {
        QBrush hb = HatchBrush(f.hatchType, ToQColor(outline), f.filled ? ToQColor(fc) : QColor());
        if (hb.style() != Qt::NoBrush) {
            p.setBrush(hb);
            shape.Draw(p);
        }
    }
}

ColorRef MildSecondColor(ColorRef fill, ColorRef second)
{
    if (!IsWhiteRgb(second))
        return second;
    auto mild = [](int c) { return std::min(255, c + (127 - c / 2)); };
    return Rgb(mild(RedOf(fill)), mild(GreenOf(fill)), mild(BlueOf(fill)));
}
