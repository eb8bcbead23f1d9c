#include "app/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
const QColor kInk(40, 44, 52);
const QColor kAccent(30, 110, 200);
const QColor kFill(250, 214, 120);
const QColor kPaper(255, 255, 255);

void Page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(12.5, 4);
    path.lineTo(12.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void Arrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double l = 3.0;
    QPolygonF head;
    head << to << QPointF(to.x() - l * std::cos(a - 0.5), to.y() - l * std::sin(a - 0.5))
         << QPointF(to.x() - l * std::cos(a + 0.5), to.y() - l * std::sin(a + 0.5));
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void Lens(QPainter& p, const char* sign)
{
    p.drawEllipse(QPointF(6.5, 6.5), 4.2, 4.2);
    p.drawLine(QPointF(9.6, 9.6), QPointF(14, 14));
    if (sign[0] == '+' || sign[0] == '-')
        p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (sign[0] == '+')
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void Letters(QPainter& p, const QString& text, double size)
{
    QFont f = p.font();
    f.setPixelSize(1);
    f.setPointSizeF(size);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Bars(QPainter& p, int side)
{
    // Text alignment: a guide line and two bars that meet it.
    QPen guide(kAccent, 1.2);
    p.save();
    p.setPen(guide);
    switch (side) {
    case 0: p.drawLine(QPointF(2, 1.5), QPointF(2, 14.5)); break;
    case 1: p.drawLine(QPointF(14, 1.5), QPointF(14, 14.5)); break;
    case 2: p.drawLine(QPointF(1.5, 2), QPointF(14.5, 2)); break;
    default: p.drawLine(QPointF(1.5, 14), QPointF(14.5, 14)); break;
    }
    p.restore();
    p.setBrush(kInk);
    switch (side) {
    case 0: p.drawRect(QRectF(3, 4, 9, 3)); p.drawRect(QRectF(3, 9, 6, 3)); break;
    case 1: p.drawRect(QRectF(4, 4, 9, 3)); p.drawRect(QRectF(7, 9, 6, 3)); break;
    case 2: p.drawRect(QRectF(4, 3, 3, 9)); p.drawRect(QRectF(9, 3, 3, 6)); break;
    default: p.drawRect(QRectF(4, 4, 3, 9)); p.drawRect(QRectF(9, 7, 3, 6)); break;
    }
    p.setBrush(Qt::NoBrush);
}

// One drawing per command in a 16 × 16 box.
void Draw(QPainter& p, int id)
{
    switch (id) {
    case 57600: // new
        Page(p);
        break;
    case 57601: // open
        p.setBrush(kFill);
        p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(6, 4), QPointF(7.5, 5.5), QPointF(14.5, 5.5),
                                 QPointF(14.5, 13.5), QPointF(1.5, 13.5)}));
        break;
    case 57603: // save
        p.setBrush(kAccent);
        p.drawRect(QRectF(2, 2, 12, 12));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 2, 7, 4.5));
        p.drawRect(QRectF(4, 9, 8, 5));
        break;
    case 57609: // print preview
        Page(p);
        Lens(p, "");
        break;
    case 57607: // print
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 204, 212));
        p.drawRect(QRectF(1.5, 6.5, 13, 5.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10, 7, 4.5));
        break;
    case 32924: // open a template
        Page(p);
        p.drawLine(QPointF(5.5, 6), QPointF(10.5, 6));
        p.drawRect(QRectF(5.5, 8, 5, 4));
        break;
    case 32904: // save as template
        Page(p);
        p.setPen(QPen(kAccent, 1.4));
        p.drawRect(QRectF(5.5, 8, 5, 4));
        Arrow(p, QPointF(8, 2.5), QPointF(8, 7));
        break;
    case 32874: // samples
        Page(p);
        p.setBrush(kFill);
        p.drawEllipse(QPointF(8, 9), 2.5, 2.5);
        break;
    case 57643: // undo
    case 57644: { // redo
        QPainterPath path;
        const bool undo = id == 57643;
        path.moveTo(undo ? 12.5 : 3.5, 13);
        path.cubicTo(undo ? 15 : 1, 7, undo ? 9 : 7, 4, undo ? 4 : 12, 5);
        p.drawPath(path);
        Arrow(p, QPointF(undo ? 6 : 10, 5), QPointF(undo ? 2.5 : 13.5, 5.2));
        break;
    }
    case 32930: // cut
        p.drawEllipse(QPointF(4.5, 12), 2, 2);
        p.drawEllipse(QPointF(11.5, 12), 2, 2);
        p.drawLine(QPointF(6, 10.5), QPointF(11.5, 2));
        p.drawLine(QPointF(10, 10.5), QPointF(4.5, 2));
        break;
    case 32920: // copy
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 2.5, 7.5, 9));
        p.drawRect(QRectF(6, 5, 7.5, 9));
        break;
    case 32886: // paste
        p.setBrush(kFill);
        p.drawRect(QRectF(2.5, 3, 9, 11.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 6.5, 7, 8));
        p.drawRect(QRectF(5, 1.5, 4, 2.5));
        break;
    case 32885: // properties
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.setPen(QPen(kAccent, 1.4));
        p.drawLine(QPointF(4.5, 5.5), QPointF(11.5, 5.5));
        p.drawLine(QPointF(4.5, 8), QPointF(9.5, 8));
        p.drawLine(QPointF(4.5, 10.5), QPointF(10.5, 10.5));
        break;
    case 32926: { // hand
        p.setBrush(kFill);
        QPainterPath path;
        path.addRoundedRect(QRectF(3.5, 7, 9, 7.5), 2.5, 2.5);
        for (int i = 0; i < 4; ++i)
            path.addRoundedRect(QRectF(3.7 + 2.3 * i, 2.5 + (i == 0 || i == 3 ? 1.5 : 0), 2, 6.5), 1, 1);
        p.drawPath(path.simplified());
        break;
    }
    case 32775: // zoom in
        Lens(p, "+");
        break;
    case 32776: // zoom out
        Lens(p, "-");
        break;
    case 32925: // range zoom
        p.save();
        p.setPen(QPen(kAccent, 1, Qt::DashLine));
        p.drawRect(QRectF(1.5, 1.5, 8, 8));
        p.restore();
        Lens(p, "+");
        break;
    case 32791: // whole page
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.setPen(QPen(kAccent, 1.2));
        Arrow(p, QPointF(6, 8), QPointF(2.5, 4.5));
        Arrow(p, QPointF(10, 8), QPointF(13.5, 11.5));
        break;
    case 32919: { // gradation display
        QLinearGradient g(0, 0, 16, 0);
        g.setColorAt(0, kAccent);
        g.setColorAt(1, kPaper);
        p.setBrush(g);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        break;
    }
    case 32906: // monochrome display
        p.setBrush(kInk);
        p.drawRect(QRectF(1.5, 3.5, 6.5, 9));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 3.5, 6.5, 9));
        break;
    case 32876: Bars(p, 0); break;
    case 32877: Bars(p, 1); break;
    case 32878: Bars(p, 2); break;
    case 32879: Bars(p, 3); break;
    case 32881: // same size
        p.drawRect(QRectF(2, 4, 5, 8));
        p.drawRect(QRectF(9, 4, 5, 8));
        p.setPen(QPen(kAccent, 1.2));
        p.drawLine(QPointF(1, 2.5), QPointF(15, 2.5));
        p.drawLine(QPointF(1, 13.5), QPointF(15, 13.5));
        break;
    case 32937: // even spacing
        p.setBrush(kInk);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(1.5 + 5 * i, 4.5, 3, 7));
        break;
    case 32771: // settings: a gear
        p.setBrush(QColor(200, 204, 212));
        {
            QPolygonF gear;
            for (int i = 0; i < 16; ++i) {
                const double a = i * M_PI / 8;
                const double r = (i % 2) ? 5.2 : 6.8;
                gear << QPointF(8 + r * std::cos(a), 8 + r * std::sin(a));
            }
            p.drawPolygon(gear);
        }
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case 32783: // mirror left-right
    case 32784: { // mirror up-down
        p.save();
        if (id == 32784) {
            p.translate(16, 0);
            p.rotate(90);
        }
        p.setBrush(kFill);
        p.drawPolygon(QPolygonF({QPointF(6.5, 3), QPointF(6.5, 13), QPointF(1.5, 13)}));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.drawPolygon(QPolygonF({QPointF(9.5, 3), QPointF(9.5, 13), QPointF(14.5, 13)}));
        p.restore();
        p.setPen(QPen(kAccent, 1.2));
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        p.restore();
        break;
    }
    case 32792: // rotate left 90
    case 32793: { // rotate right 90
        const bool left = id == 32792;
        p.drawArc(QRectF(3, 3, 10, 10), left ? 0 : 180 * 16, 270 * 16 * (left ? 1 : -1));
        Arrow(p, QPointF(left ? 11 : 5, 2.8), QPointF(left ? 7 : 9, 3));
        break;
    }
    case 32785: // rotate by an angle
        p.drawLine(QPointF(2, 13.5), QPointF(14, 13.5));
        p.drawLine(QPointF(2, 13.5), QPointF(12, 4));
        p.setPen(QPen(kAccent, 1.2));
        p.drawArc(QRectF(-4, 7.5, 12, 12), 0, 44 * 16);
        break;
    case 32798: // scale
        p.drawRect(QRectF(1.5, 7.5, 6, 6));
        p.save();
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.drawRect(QRectF(1.5, 2.5, 12, 11));
        p.restore();
        p.setPen(QPen(kAccent, 1.2));
        Arrow(p, QPointF(7.5, 7.5), QPointF(12.5, 3.5));
        break;
    case 32890: // line / arrow
        Arrow(p, QPointF(2, 14), QPointF(14, 2));
        break;
    case 32891: // double line
        p.drawLine(QPointF(1.5, 11), QPointF(11, 1.5));
        p.drawLine(QPointF(5, 14.5), QPointF(14.5, 5));
        break;
    case 32892: // polyline
        p.drawPolyline(QPolygonF({QPointF(1.5, 13), QPointF(5, 4), QPointF(10, 11), QPointF(14.5, 2.5)}));
        break;
    case 32893: // rectangle
        p.setBrush(kFill);
        p.drawRect(QRectF(2, 3.5, 12, 9));
        break;
    case 32908: // rounded rectangle
        p.setBrush(kFill);
        p.drawRoundedRect(QRectF(2, 3.5, 12, 9), 3, 3);
        break;
    case 32894: // polygon
        p.setBrush(kFill);
        p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 6.5), QPointF(12, 14), QPointF(4, 14),
                                 QPointF(1.5, 6.5)}));
        break;
    case 32901: { // double-line polygon
        QPolygonF outer({QPointF(8, 1), QPointF(15, 14.5), QPointF(1, 14.5)});
        QPolygonF inner({QPointF(8, 5.5), QPointF(11.5, 12.5), QPointF(4.5, 12.5)});
        p.drawPolygon(outer);
        p.drawPolygon(inner);
        break;
    }
    case 32902: // circle
        p.setBrush(kFill);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        break;
    case 32895: // arc, sector, chord
        p.setBrush(kFill);
        p.drawPie(QRectF(2, 2, 12, 12), 0, 120 * 16);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 12, 12), 120 * 16, 240 * 16);
        break;
    case 32851: // three-point arc
        p.drawArc(QRectF(2, 4, 12, 12), 20 * 16, 140 * 16);
        p.setBrush(kAccent);
        for (QPointF c : {QPointF(2.6, 8), QPointF(8, 4), QPointF(13.4, 8)})
            p.drawEllipse(c, 1.3, 1.3);
        break;
    case 32867: { // spline
        QPainterPath path;
        path.moveTo(1.5, 12);
        path.cubicTo(4, 1, 9, 15, 14.5, 3);
        p.drawPath(path);
        break;
    }
    case 32868: { // Bezier
        QPainterPath path;
        path.moveTo(1.5, 13);
        path.cubicTo(3, 2, 13, 2, 14.5, 13);
        p.drawPath(path);
        p.setPen(QPen(kAccent, 1));
        p.drawLine(QPointF(1.5, 13), QPointF(3, 2));
        p.drawLine(QPointF(14.5, 13), QPointF(13, 2));
        break;
    }
    case 32896: { // free curve
        QPainterPath path;
        path.moveTo(1.5, 9);
        path.cubicTo(3, 2, 5, 14, 7.5, 8);
        path.cubicTo(10, 2, 12, 15, 14.5, 6);
        p.drawPath(path);
        break;
    }
    case 32863: // ellipse
        p.setBrush(kFill);
        p.drawEllipse(QPointF(8, 8), 6.5, 4);
        break;
    case 32864: // elliptic arc
        p.drawArc(QRectF(1.5, 4, 13, 8), 0, 200 * 16);
        break;
    case 32900: { // smooth polygon
        QPainterPath path;
        path.moveTo(8, 2);
        path.cubicTo(16, 1, 16, 14, 8, 14);
        path.cubicTo(1, 14, 0, 3, 8, 2);
        p.setBrush(kFill);
        p.drawPath(path);
        break;
    }
    case 32921: { // balloon
        QPainterPath path;
        path.addRoundedRect(QRectF(1.5, 2, 13, 8.5), 2, 2);
        QPainterPath tail;
        tail.moveTo(4.5, 9);
        tail.lineTo(3.5, 14.5);
        tail.lineTo(8.5, 9);
        p.setBrush(kPaper);
        p.drawPath(path.united(tail));
        break;
    }
    case 32898: // dimension line
        p.drawLine(QPointF(2, 4), QPointF(2, 12));
        p.drawLine(QPointF(14, 4), QPointF(14, 12));
        Arrow(p, QPointF(8, 8), QPointF(2.5, 8));
        Arrow(p, QPointF(8, 8), QPointF(13.5, 8));
        break;
    case 1006: { // select: the pointer
        QPolygonF arrow({QPointF(4, 1.5), QPointF(4, 13), QPointF(7, 10), QPointF(9.5, 14.5), QPointF(11, 13.7),
                         QPointF(8.7, 9.3), QPointF(12.5, 9.3)});
        p.setBrush(kPaper);
        p.drawPolygon(arrow);
        break;
    }
    case 1393: // plan import: a floor plan
        p.setPen(QPen(kInk, 1.6));
        p.drawRect(QRectF(2, 2, 12, 12));
        p.drawLine(QPointF(8, 2), QPointF(8, 9));
        p.drawLine(QPointF(8, 9), QPointF(14, 9));
        p.setPen(QPen(kAccent, 1));
        p.drawArc(QRectF(2, 6, 6, 6), 0, 90 * 16);
        break;
    case 1041: // parts: three boxes
        p.setBrush(kFill);
        p.drawRect(QRectF(2, 8.5, 5.5, 5.5));
        p.drawRect(QRectF(8.5, 8.5, 5.5, 5.5));
        p.setBrush(QColor(160, 200, 240));
        p.drawRect(QRectF(5.2, 2, 5.5, 5.5));
        break;
    case 1014: // text
        Letters(p, QStringLiteral("A"), 10);
        break;
    case 1015: // decorated text
        p.save();
        p.setPen(QPen(kAccent, 3));
        Letters(p, QStringLiteral("A"), 10);
        p.restore();
        p.setPen(kPaper);
        Letters(p, QStringLiteral("A"), 10);
        break;
    case 1088: // illustration: a flower
        p.setBrush(kFill);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5;
            p.drawEllipse(QPointF(8 + 3.5 * std::cos(a), 7 + 3.5 * std::sin(a)), 2.3, 2.3);
        }
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(8, 7), 1.8, 1.8);
        p.drawLine(QPointF(8, 11.5), QPointF(8, 15));
        break;
    case 1087: // picture: mountains in a frame
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(110, 170, 90));
        p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(6, 7), QPointF(9, 11), QPointF(11, 9), QPointF(14, 13)}));
        p.setBrush(kFill);
        p.drawEllipse(QPointF(11, 5.5), 1.5, 1.5);
        break;
    case 1544: // delete: a cross
        p.setPen(QPen(QColor(200, 50, 50), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case 1100: // mouse free
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(4, 2, 8, 12), 4, 4);
        p.drawLine(QPointF(8, 2), QPointF(8, 6.5));
        break;
    case 1144: // orthogonal lock
        p.setPen(QPen(kAccent, 1.4));
        Arrow(p, QPointF(8, 8), QPointF(8, 1.5));
        Arrow(p, QPointF(8, 8), QPointF(14.5, 8));
        Arrow(p, QPointF(8, 8), QPointF(8, 14.5));
        Arrow(p, QPointF(8, 8), QPointF(1.5, 8));
        break;
    case 1674: // layers: stacked sheets
        for (int i = 2; i >= 0; --i) {
            p.setBrush(i == 0 ? kFill : kPaper);
            p.drawPolygon(QPolygonF({QPointF(8, 2 + 3 * i), QPointF(14.5, 5 + 3 * i), QPointF(8, 8 + 3 * i),
                                     QPointF(1.5, 5 + 3 * i)}));
        }
        break;
    default:
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        break;
    }
}

class CToolIconEngine : public QIconEngine {
public:
    explicit CToolIconEngine(int id) : m_id(id) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        painter->setPen(QPen(kInk, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        Draw(*painter, m_id);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pm(size * scale);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            paint(&p, QRect(QPoint(), pm.size()), mode, state);
        }
        pm.setDevicePixelRatio(scale);
        return pm;
    }
    QIconEngine* clone() const override { return new CToolIconEngine(m_id); }

private:
    int m_id;
};
} // namespace

QIcon ToolIcon(int id) { return QIcon(new CToolIconEngine(id)); }
