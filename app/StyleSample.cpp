#include "app/StyleSample.h"

#include "document/PlotInfo.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cmath>

namespace {
QColor FromRef(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Qt::BrushStyle HatchBrush(int hs)
{
    switch (hs) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::BDiagPattern;
    }
}

QPen OutlinePen(const CPlotInfo& plot, const CStyleSlot& s)
{
    QPen pen(FromRef(s.m_color));
    pen.setWidth(s.m_lineType == 0 ? plot.LineWidthScreen(s.m_lineWide) : 1);
    switch (s.m_lineType) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    case 5: pen.setStyle(Qt::DotLine); pen.setColor(QColor(128, 128, 128)); break;
    default: break;
    }
    return pen;
}

// One end marker at tip, the line coming from 'from'.
void Marker(QPainter& p, QPointF tip, QPointF from, int kind, double size)
{
    const double a = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    const double wing = 30 * M_PI / 180;
    const QPointF w1(tip.x() - size * std::cos(a - wing), tip.y() - size * std::sin(a - wing));
    const QPointF w2(tip.x() - size * std::cos(a + wing), tip.y() - size * std::sin(a + wing));
    p.save();
    p.setBrush(p.pen().color());
    switch (kind) {
    case 0: p.drawPolygon(QPolygonF({tip, w1, w2})); break;
    case 1: p.drawLine(tip, w1); p.drawLine(tip, w2); break;
    case 2: p.drawEllipse(tip, size / 2, size / 2); break;
    default: p.drawRect(QRectF(tip.x() - size / 2, tip.y() - size / 2, size, size)); break;
    }
    p.restore();
}

QBrush FillBrush(const CPlotInfo& plot, const CStyleSlot& s, const QRectF& r)
{
    const int kind = s.m_gradiation % 100;
    const bool plain = s.m_nakaColor == 0 || s.m_nakaColor == 0xFFFFFF;
    if (plot.m_gradation && kind != 0 && !plain) {
        const double deg = (s.m_gradiation / 100) * M_PI / 180;
        const QPointF c = r.center();
        const QPointF d(std::cos(deg) * r.width() / 2, std::sin(deg) * r.height() / 2);
        QLinearGradient g(c - d, c + d);
        g.setColorAt(0, FromRef(s.m_nakaColor));
        g.setColorAt(1, FromRef(s.m_nakaColor2));
        return g;
    }
    QColor c = FromRef(s.m_nakaColor);
    c.setAlpha(std::clamp(s.m_alpha, 0, 100) * 255 / 100);
    return c;
}
} // namespace

QImage StyleSampleImage(const CPlotInfo& plot, int slot, QSize size, qreal pixelRatio)
{
    QImage img(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(pixelRatio);
    img.fill(QApplication::palette().color(QPalette::Base));
    slot = std::clamp(slot, 0, CPlotInfo::kStyleSlots - 1);
    const CStyleSlot& s = plot.m_style[static_cast<std::size_t>(slot)];
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, size.width(), size.height());
    p.setPen(OutlinePen(plot, s));
    if (slot == 0) {
        const double y = all.height() / 2;
        const QPointF a(13, y), b(all.width() - 13, y);
        p.drawLine(a, b);
        static const double kSizes[] = {3, 5, 7, 10, 15};
        const double size = plot.m_lineYaWide >= 0 && plot.m_lineYaWide <= 4 ? kSizes[plot.m_lineYaWide] : 5;
        QPen solid = p.pen();
        solid.setStyle(Qt::SolidLine);
        solid.setWidth(1);
        p.setPen(solid);
        if (s.m_tanten >= 1 && s.m_tanten <= 12) {
            const int kind = (s.m_tanten - 1) / 3;
            const int ends = (s.m_tanten - 1) % 3; // 0 start, 1 end, 2 both
            if (ends != 1)
                Marker(p, a, b, kind, size);
            if (ends != 0)
                Marker(p, b, a, kind, size);
        }
        return img;
    }
    const QRectF r(all.width() / 4, all.height() / 4, all.width() / 2, all.height() / 2);
    QPainterPath shape;
    switch (slot) {
    case 1: shape.addRect(r); break;
    case 2:
        shape.addPolygon(QPolygonF({QPointF(r.center().x(), r.top()), r.bottomRight(), QPointF(r.left() + r.width() * 0.2, r.bottom()),
                                    QPointF(r.left(), r.center().y()), QPointF(r.center().x(), r.top())}));
        break;
    case 3: shape.addEllipse(r.center(), all.height() / 4, all.height() / 4); break;
    default: {
        const QRectF c(r.center().x() - r.height() / 2, r.top(), r.height(), r.height());
        const int arcFill = s.m_tanten;
        if (arcFill == 1) { // chord
            shape.arcMoveTo(c, 0);
            shape.arcTo(c, 0, 135);
            shape.closeSubpath();
        } else {
            shape.moveTo(c.center());
            shape.arcTo(c, 0, 135);
            shape.closeSubpath();
        }
        break;
    }
    }
    if (s.m_nakaNuri)
        p.fillPath(shape, FillBrush(plot, s, r));
    if (s.m_bHach)
        p.fillPath(shape, QBrush(FromRef(s.m_color), HatchBrush(s.m_hachT)));
    p.drawPath(shape);
    return img;
}
