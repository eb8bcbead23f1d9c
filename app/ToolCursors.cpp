#include "app/ToolCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace {
using K = CToolMachine::Cursor;

// A cross-hair whose centre is the hot spot, and the tool's sign in the lower right.
QCursor Drawn(K kind)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    auto crossHair = [&](const QColor& c, int w) {
        p.setPen(QPen(c, w));
        p.drawLine(0, 10, 7, 10);
        p.drawLine(13, 10, 20, 10);
        p.drawLine(10, 0, 10, 7);
        p.drawLine(10, 13, 10, 20);
    };
    crossHair(Qt::white, 3);
    crossHair(Qt::black, 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    const QRectF sign(18, 18, 12, 12);
    switch (kind) {
    case K::Line: p.drawLine(sign.bottomLeft(), sign.topRight()); break;
    case K::Rect: p.drawRect(sign); break;
    case K::Polygon: {
        const QPointF pts[5] = {{24, 18}, {30, 23}, {28, 30}, {20, 30}, {18, 23}};
        p.drawPolygon(pts, 5);
        break;
    }
    case K::Circle: p.drawEllipse(sign); break;
    case K::Arc: p.drawArc(sign, 0, 180 * 16); break;
    case K::Polyline: {
        const QPointF pts[4] = {{18, 30}, {22, 20}, {26, 28}, {30, 18}};
        p.drawPolyline(pts, 4);
        break;
    }
    case K::Range:
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(sign);
        break;
    case K::Zoom:
    case K::RangeZoom:
        p.drawEllipse(QRectF(18, 18, 9, 9));
        p.drawLine(QPointF(26, 26), QPointF(31, 31));
        if (kind == K::RangeZoom)
            p.drawRect(QRectF(20, 20, 5, 5));
        break;
    case K::Rotate: {
        QPainterPath arc;
        arc.arcMoveTo(sign, 30);
        arc.arcTo(sign, 30, 270);
        p.drawPath(arc);
        break;
    }
    case K::Vertex: p.fillRect(QRectF(21, 21, 6, 6), Qt::black); break;
    default: p.drawPoint(QPointF(24, 24)); break;
    }
    p.end();
    return QCursor(pm, 10, 10);
}
} // namespace

QCursor ToolCursor(K kind)
{
    switch (kind) {
    case K::Arrow: return QCursor(Qt::ArrowCursor);
    case K::OpenHand: return QCursor(Qt::OpenHandCursor);
    case K::ClosedHand: return QCursor(Qt::ClosedHandCursor);
    case K::Move: return QCursor(Qt::SizeAllCursor);
    case K::ResizeNwse: return QCursor(Qt::SizeFDiagCursor);
    case K::ResizeNesw: return QCursor(Qt::SizeBDiagCursor);
    default: break;
    }
    static std::map<K, QCursor> made;
    auto it = made.find(kind);
    if (it == made.end())
        it = made.emplace(kind, Drawn(kind)).first;
    return it->second;
}
