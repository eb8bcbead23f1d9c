#include "platform/EmfWriter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
// Record types.
enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_SELECTCLIPPATH = 67,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_EXTCREATEPEN = 95,
    EMR_ALPHABLEND = 114,
};
constexpr std::uint32_t kNullBrush = 0x80000005, kNullPen = 0x80000008;
constexpr std::uint32_t RGN_COPY = 5;
// Object table slots: two each, so that the new object is selected before the old goes.
// Resolution of the bitmaps that stand for gradients and translucent paint.
constexpr int kBitmapDpi = 150;
constexpr std::uint32_t kPenSlot = 1, kBrushSlot = 3, kFontSlot = 5, kHandles = 7;

std::uint32_t ColorRef(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

int Px(double v) { return static_cast<int>(std::lround(v)); }

class Record {
public:
    explicit Record(std::uint32_t type) { U32(type), U32(0); }
    Record& U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_b.append(char((v >> (8 * i)) & 0xFF));
        return *this;
    }
    Record& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    Record& U16(std::uint16_t v)
    {
        m_b.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Record& U8(std::uint8_t v)
    {
        m_b.append(char(v));
        return *this;
    }
    Record& F32(float f)
    {
        std::uint32_t v;
        std::memcpy(&v, &f, 4);
        return U32(v);
    }
    // Inclusive bounds.
    Record& Rect(const QRect& r) { return I32(r.left()).I32(r.top()).I32(r.right()).I32(r.bottom()); }
    // A box whose right and bottom lie outside it (rectangles, ellipses, arcs, clips).
    Record& Box(const QRect& r) { return I32(r.left()).I32(r.top()).I32(r.left() + r.width()).I32(r.top() + r.height()); }
    Record& Point(QPoint p) { return I32(p.x()).I32(p.y()); }
    Record& Bytes(const QByteArray& b)
    {
        m_b.append(b);
        return *this;
    }
    Record& Pad()
    {
        while (m_b.size() % 4)
            m_b.append('\0');
        return *this;
    }
    qsizetype Size() const { return m_b.size(); }
    QByteArray Done()
    {
        Pad();
        const auto n = static_cast<std::uint32_t>(m_b.size());
        for (int i = 0; i < 4; ++i)
            m_b[4 + i] = char((n >> (8 * i)) & 0xFF);
        return m_b;
    }

private:
    QByteArray m_b;
};

QRect BoundsOf(const QPolygon& poly) { return poly.isEmpty() ? QRect(0, 0, 0, 0) : poly.boundingRect(); }

// A bitmap's info header and bottom-up rows: 24 bits, or 32 with premultiplied alpha.
QByteArray DibOf(const QImage& image, bool alpha, QByteArray& header)
{
    const QImage img = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB888);
    const int w = img.width(), h = img.height(), bpp = alpha ? 32 : 24;
    const int stride = (w * bpp / 8 + 3) & ~3;
    QByteArray bits(qsizetype(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        const uchar* src = img.constScanLine(y);
        uchar* dst = reinterpret_cast<uchar*>(bits.data()) + qsizetype(stride) * (h - 1 - y);
        if (alpha) {
            std::memcpy(dst, src, std::size_t(w) * 4); // B, G, R, A in memory
            continue;
        }
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    Record info(40); // BITMAPINFOHEADER: its first two fields are the size and the width
    info.U32(static_cast<std::uint32_t>(h)).U16(1).U16(static_cast<std::uint16_t>(bpp)).U32(0); // BI_RGB
    info.U32(static_cast<std::uint32_t>(bits.size())).U32(0).U32(0).U32(0).U32(0);
    header = info.Done();
    // The record's size field stands where the header's width goes.
    const auto uw = static_cast<std::uint32_t>(w);
    for (int i = 0; i < 4; ++i)
        header[4 + i] = char((uw >> (8 * i)) & 0xFF);
    return bits;
}
} // namespace

class CEmfEngine : public QPaintEngine {
public:
    CEmfEngine(QSizeF mm, int dpi, int w, int h)
        : QPaintEngine(QPaintEngine::AllFeatures), m_mm(mm), m_dpi(dpi), m_w(w), m_h(h)
    {
    }

    bool begin(QPaintDevice*) override
    {
        m_records.clear();
        m_bytes.clear();
        m_count = 0;
        m_penSel = m_brushSel = m_fontSel = 0;
        m_clipOn = false;
        m_clip = QPainterPath();
        Emit(Record(EMR_SETMAPMODE).U32(1)); // MM_TEXT
        Emit(Record(EMR_SETBKMODE).U32(1));  // TRANSPARENT
        Emit(Record(EMR_SETTEXTALIGN).U32(24)); // TA_BASELINE | TA_LEFT
        setActive(true);
        return true;
    }

    bool end() override
    {
        Emit(Record(EMR_EOF).U32(0).U32(16).U32(20));
        QByteArray header = Header();
        m_bytes = header + m_records;
        m_records.clear();
        setActive(false);
        return true;
    }

    static constexpr Type kType = Type(QPaintEngine::User + 0x454d); // "EM"
    Type type() const override { return kType; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags f = s.state();
        if (f & DirtyPen)
            m_pen = s.pen();
        if (f & DirtyBrush)
            m_brush = s.brush();
        if (f & DirtyTransform)
            m_xf = s.transform();
        if (f & DirtyOpacity)
            m_opacity = s.opacity();
        if (f & DirtyBrushOrigin)
            m_brushOrigin = s.brushOrigin();
        if (f & DirtyClipEnabled) {
            m_clipOn = s.isClipEnabled() && !m_clip.isEmpty();
            m_clipDirty = true;
        }
        if (f & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath piece;
            if (f & DirtyClipPath)
                piece = m_xf.map(s.clipPath());
            else
                piece.addRegion(m_xf.map(s.clipRegion()));
            piece.setFillRule(Qt::WindingFill);
            switch (s.clipOperation()) {
            case Qt::NoClip:
                m_clipOn = false;
                m_clip = QPainterPath();
                break;
            case Qt::ReplaceClip:
                m_clip = piece;
                m_clipOn = true;
                break;
            case Qt::IntersectClip:
                m_clip = m_clipOn ? m_clip.intersected(piece) : piece;
                m_clipOn = true;
                break;
            }
            m_clipDirty = true;
        }
    }

    void drawRects(const QRectF* rects, int n) override
    {
        for (int i = 0; i < n; ++i) {
            if (!Axial()) {
                QPainterPath path;
                path.addRect(rects[i]);
                drawPath(path);
                continue;
            }
            const QRect r = m_xf.mapRect(rects[i]).toRect();
            if (NeedsBitmap()) {
                QPainterPath path;
                path.addRect(rects[i]);
                Rasterised(path);
                continue;
            }
            Prepare(true);
            Emit(Record(EMR_RECTANGLE).Box(r));
        }
    }

    void drawLines(const QLineF* lines, int n) override
    {
        if (n <= 0)
            return;
        if (NeedsBitmap(false)) {
            QPainterPath path;
            for (int i = 0; i < n; ++i)
                path.moveTo(lines[i].p1()), path.lineTo(lines[i].p2());
            Rasterised(path, false);
            return;
        }
        std::vector<QPolygon> polys;
        for (int i = 0; i < n; ++i)
            polys.push_back(QPolygon({Map(lines[i].p1()), Map(lines[i].p2())}));
        Prepare(false);
        PolyPoly(EMR_POLYPOLYLINE, polys);
    }

    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override
    {
        if (n <= 0)
            return;
        const bool open = mode == PolylineMode;
        QPolygonF in(n);
        std::copy(points, points + n, in.begin());
        if (NeedsBitmap(!open)) {
            QPainterPath path;
            path.addPolygon(in);
            if (!open)
                path.closeSubpath();
            path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
            Rasterised(path, !open);
            return;
        }
        QPolygon poly;
        for (const QPointF& p : in)
            poly << Map(p);
        Prepare(!open);
        if (!open)
            Emit(Record(EMR_SETPOLYFILLMODE).U32(mode == WindingMode ? 2 : 1));
        Record r(open ? EMR_POLYLINE : EMR_POLYGON);
        r.Rect(BoundsOf(poly)).U32(static_cast<std::uint32_t>(poly.size()));
        for (QPoint p : poly)
            r.Point(p);
        Emit(std::move(r));
    }

    void drawEllipse(const QRectF& rect) override
    {
        if (!Axial() || NeedsBitmap()) {
            QPainterPath path;
            path.addEllipse(rect);
            if (!Axial() && !NeedsBitmap())
                return drawPath(path);
            return Rasterised(path);
        }
        Prepare(true);
        Emit(Record(EMR_ELLIPSE).Box(m_xf.mapRect(rect).toRect()));
    }

    void drawPath(const QPainterPath& path) override
    {
        if (path.isEmpty())
            return;
        const bool fill = m_brush.style() != Qt::NoBrush;
        if (NeedsBitmap(fill))
            return Rasterised(path, fill);
        const QList<QPolygonF> subs = path.toSubpathPolygons(m_xf);
        std::vector<QPolygon> polys;
        for (const QPolygonF& sp : subs) {
            QPolygon poly;
            for (const QPointF& p : sp)
                if (poly.isEmpty() || poly.back() != p.toPoint())
                    poly << QPoint(Px(p.x()), Px(p.y()));
            if (poly.size() >= 2)
                polys.push_back(poly);
        }
        if (polys.empty())
            return;
        if (fill) {
            // Filled as one: holes stay holes. Open pieces are outlined on their own.
            Prepare(true, /*withPen=*/false);
            Emit(Record(EMR_SETPOLYFILLMODE).U32(path.fillRule() == Qt::WindingFill ? 2 : 1));
            PolyPoly(EMR_POLYPOLYGON, polys);
        }
        if (m_pen.style() != Qt::NoPen) {
            std::vector<QPolygon> outlines;
            for (std::size_t i = 0; i < polys.size(); ++i) {
                QPolygon o = polys[i];
                if (fill && o.front() != o.back())
                    o << o.front();
                outlines.push_back(o);
            }
            Prepare(false);
            PolyPoly(EMR_POLYPOLYLINE, outlines);
        }
    }

    void drawPoints(const QPointF* points, int n) override
    {
        if (m_suppress)
            return;
        for (int i = 0; i < n; ++i) {
            const QPoint p = Map(points[i]);
            QPolygon poly({p, p + QPoint(1, 0)});
            Prepare(false);
            PolyPoly(EMR_POLYPOLYLINE, {poly});
        }
    }

    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        if (image.isNull() || r.isEmpty())
            return;
        if (!Axial()) {
            // Turned pictures: painted here, kept as the bitmap of what they cover.
            const QImage tile = image.copy(sr.toAlignedRect());
            RasteriseCall([&](QPainter& p) { p.drawImage(r, tile); }, m_xf.mapRect(r).toAlignedRect());
            return;
        }
        // Only the part the clip leaves visible is kept, in the picture's own pixels.
        QRectF dest = m_xf.mapRect(r);
        const QRectF vis = QRectF(Visible(dest.toAlignedRect())).intersected(dest);
        if (vis.isEmpty())
            return;
        const double sx = sr.width() / dest.width(), sy = sr.height() / dest.height();
        const QRect s = QRectF(sr.x() + (vis.x() - dest.x()) * sx, sr.y() + (vis.y() - dest.y()) * sy,
                               vis.width() * sx, vis.height() * sy)
                            .toAlignedRect()
                            .intersected(image.rect());
        if (s.isEmpty())
            return;
        QImage part = image.copy(s);
        const bool alpha = part.hasAlphaChannel() || m_opacity < 1.0;
        if (m_opacity < 1.0) {
            QImage faded(part.size(), QImage::Format_ARGB32_Premultiplied);
            faded.fill(Qt::transparent);
            QPainter p(&faded);
            p.setOpacity(m_opacity);
            p.drawImage(0, 0, part);
            p.end();
            part = faded;
        }
        Bitmap(vis.toRect(), part, alpha);
    }

    void drawTextItem(const QPointF& p, const QTextItem& ti) override
    {
        const QString text = ti.text();
        if (text.isEmpty())
            return;
        const QColor colour = m_pen.color();
        if (colour.alpha() < 255 || m_opacity < 1.0) {
            QPainterPath path;
            path.addText(p, ti.font(), text);
            const QBrush brush = m_brush;
            const QPen pen = m_pen;
            m_brush = QBrush(colour);
            m_pen = Qt::NoPen;
            Rasterised(path, true);
            m_brush = brush, m_pen = pen;
            return;
        }
        SyncClip();
        const QFont font = ti.font();
        const double scale = std::sqrt(std::abs(m_xf.determinant()));
        const double angle = std::atan2(m_xf.m12(), m_xf.m11()) * 180.0 / M_PI;
        const QFontMetricsF fm(font);
        const double pixel = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
        // The font record: the character height in device units.
        Record f(EMR_EXTCREATEFONTINDIRECTW);
        const std::uint32_t slot = kFontSlot + (m_fontSel == kFontSlot ? 1 : 0);
        f.U32(slot);
        f.I32(-Px(pixel * scale)).I32(0);
        const int esc = Px(-angle * 10);
        f.I32(esc).I32(esc);
        f.I32(std::clamp(static_cast<int>(font.weight()), 100, 900));
        f.U8(font.italic()).U8(font.underline()).U8(font.strikeOut()).U8(1); // DEFAULT_CHARSET
        f.U8(0).U8(0).U8(font.styleStrategy() & QFont::NoAntialias ? 3 : 4).U8(0);
        QString face = font.family().left(31);
        for (int i = 0; i < 32; ++i)
            f.U16(i < face.size() ? face.at(i).unicode() : 0);
        Emit(std::move(f));
        Emit(Record(EMR_SELECTOBJECT).U32(slot));
        if (m_fontSel)
            Emit(Record(EMR_DELETEOBJECT).U32(m_fontSel));
        m_fontSel = slot;
        Emit(Record(EMR_SETTEXTCOLOR).U32(ColorRef(colour)));

        const QPoint ref = Map(p);
        const auto n = static_cast<std::uint32_t>(text.size());
        Record r(EMR_EXTTEXTOUTW);
        const QRectF box = m_xf.mapRect(QRectF(p.x(), p.y() - fm.ascent(), fm.horizontalAdvance(text), fm.height()));
        r.Rect(box.toAlignedRect()).U32(1).F32(1).F32(1); // GM_COMPATIBLE
        // emrtext: its strings follow the fixed part of the record (76 bytes).
        const std::uint32_t offString = 76, offDx = offString + ((n * 2 + 3) & ~3u);
        r.Point(ref).U32(n).U32(offString).U32(0).Rect(QRect(0, 0, 0, 0)).U32(offDx);
        for (QChar c : text)
            r.U16(c.unicode());
        r.Pad();
        // Advances along the baseline in device units, so that readers place each
        // character where it was measured.
        double at = 0;
        int placed = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            at += fm.horizontalAdvance(text.at(i)) * scale;
            const int next = Px(at);
            r.I32(next - placed);
            placed = next;
        }
        Emit(std::move(r));
    }

    // The arc, pie or chord record of the current state; false when it cannot be one
    // (a turned or sheared painter, translucent or gradient paint).
    bool ArcRecord(emf::ArcKind kind, const QRect& box, int start16, int span16)
    {
        const bool fill = kind != emf::ArcKind::Arc;
        if (!Axial() || NeedsBitmap(fill) || span16 == 0)
            return false;
        const QRect b = m_xf.mapRect(QRectF(box)).toRect();
        const double a0 = start16 / 16.0 * M_PI / 180.0, a1 = (start16 + span16) / 16.0 * M_PI / 180.0;
        const QPointF c = QRectF(b).center();
        const double rx = b.width() / 2.0, ry = b.height() / 2.0;
        QPoint p0(Px(c.x() + rx * std::cos(a0)), Px(c.y() - ry * std::sin(a0)));
        QPoint p1(Px(c.x() + rx * std::cos(a1)), Px(c.y() - ry * std::sin(a1)));
        // The records run counter-clockwise.
        if (span16 < 0)
            std::swap(p0, p1);
        if (!fill) {
            const QBrush keep = m_brush;
            m_brush = Qt::NoBrush;
            Prepare(true);
            m_brush = keep;
        } else {
            Prepare(true);
        }
        const std::uint32_t type = kind == emf::ArcKind::Arc ? EMR_ARC : kind == emf::ArcKind::Pie ? EMR_PIE : EMR_CHORD;
        Emit(Record(type).Box(b).Point(p0).Point(p1));
        return true;
    }

    bool m_suppress = false;
    QByteArray m_bytes;
    int m_count = 0;

private:
    bool Axial() const { return m_xf.m12() == 0 && m_xf.m21() == 0 && m_xf.m11() > 0 && m_xf.m22() > 0; }

    QPoint Map(QPointF p) const
    {
        const QPointF d = m_xf.map(p);
        return QPoint(Px(d.x()), Px(d.y()));
    }

    static bool Plain(const QBrush& b)
    {
        return b.style() == Qt::NoBrush || (b.style() == Qt::SolidPattern && b.color().alpha() == 255) ||
               (b.style() >= Qt::HorPattern && b.style() <= Qt::DiagCrossPattern && b.color().alpha() == 255);
    }

    // Paint that no vector record holds: gradients, textures, translucency.
    bool NeedsBitmap(bool fill = true) const
    {
        if (m_opacity < 1.0)
            return true;
        if (fill && !Plain(m_brush))
            return true;
        if (m_pen.style() != Qt::NoPen && (!Plain(m_pen.brush()) || m_pen.color().alpha() < 255))
            return true;
        return false;
    }

    void Emit(Record r)
    {
        m_records.append(r.Done());
        ++m_count;
    }

    void PolyPoly(std::uint32_t type, const std::vector<QPolygon>& polys)
    {
        QRect bounds;
        std::uint32_t points = 0;
        for (const QPolygon& p : polys)
            bounds |= BoundsOf(p), points += static_cast<std::uint32_t>(p.size());
        Record r(type);
        r.Rect(bounds).U32(static_cast<std::uint32_t>(polys.size())).U32(points);
        for (const QPolygon& p : polys)
            r.U32(static_cast<std::uint32_t>(p.size()));
        for (const QPolygon& p : polys)
            for (QPoint pt : p)
                r.Point(pt);
        Emit(std::move(r));
    }

    void SyncClip()
    {
        if (!m_clipDirty)
            return;
        m_clipDirty = false;
        Emit(Record(EMR_EXTSELECTCLIPRGN).U32(0).U32(RGN_COPY));
        if (!m_clipOn)
            return;
        const QRectF br = m_clip.boundingRect();
        QPainterPath asRect;
        asRect.addRect(br);
        if (m_clip.elementCount() <= 5 && m_clip.subtracted(asRect).isEmpty() && asRect.subtracted(m_clip).isEmpty()) {
            const QRect r = br.toRect();
            Emit(Record(EMR_INTERSECTCLIPRECT).Box(r));
            return;
        }
        std::vector<QPolygon> polys;
        for (const QPolygonF& sp : m_clip.toSubpathPolygons()) {
            QPolygon poly;
            for (const QPointF& p : sp)
                poly << QPoint(Px(p.x()), Px(p.y()));
            if (poly.size() >= 3)
                polys.push_back(poly);
        }
        Emit(Record(EMR_BEGINPATH));
        Emit(Record(EMR_SETPOLYFILLMODE).U32(2));
        // A polygon drawn inside a path bracket only outlines the path.
        PolyPoly(EMR_POLYPOLYGON, polys);
        Emit(Record(EMR_ENDPATH));
        Emit(Record(EMR_SELECTCLIPPATH).U32(RGN_COPY));
    }

    // Pen and brush of the current state selected (the brush as none for outlines).
    void Prepare(bool withBrush, bool withPen = true)
    {
        SyncClip();
        // Pen.
        std::uint32_t penKey = kNullPen;
        if (withPen && m_pen.style() != Qt::NoPen) {
            const double scale = std::sqrt(std::abs(m_xf.determinant()));
            const int width = m_pen.isCosmetic() ? std::max(1, Px(m_pen.widthF())) : std::max(1, Px(m_pen.widthF() * scale));
            std::uint32_t style = 0x10000; // PS_GEOMETRIC, PS_SOLID
            switch (m_pen.style()) {
            case Qt::DashLine: style |= 1; break;
            case Qt::DotLine: style |= 2; break;
            case Qt::DashDotLine: style |= 3; break;
            case Qt::DashDotDotLine: style |= 4; break;
            default: break;
            }
            style |= m_pen.capStyle() == Qt::FlatCap ? 0x200 : m_pen.capStyle() == Qt::SquareCap ? 0x100 : 0;
            style |= m_pen.joinStyle() == Qt::BevelJoin ? 0x1000 : (m_pen.joinStyle() == Qt::MiterJoin || m_pen.joinStyle() == Qt::SvgMiterJoin) ? 0x2000 : 0;
            const std::uint32_t colour = ColorRef(m_pen.color());
            if (m_penSel == 0 || m_penStyle != style || m_penWidth != width || m_penColour != colour) {
                const std::uint32_t slot = kPenSlot + (m_penSel == kPenSlot ? 1 : 0);
                Emit(Record(EMR_EXTCREATEPEN).U32(slot).U32(0).U32(0).U32(0).U32(0)
                         .U32(style).U32(static_cast<std::uint32_t>(width)).U32(0).U32(colour).U32(0).U32(0));
                Emit(Record(EMR_SELECTOBJECT).U32(slot));
                if (m_penSel && m_penSel != kNullPen)
                    Emit(Record(EMR_DELETEOBJECT).U32(m_penSel));
                m_penSel = slot, m_penStyle = style, m_penWidth = width, m_penColour = colour;
            }
            penKey = m_penSel;
        }
        if (penKey == kNullPen && m_penSel != kNullPen) {
            Emit(Record(EMR_SELECTOBJECT).U32(kNullPen));
            if (m_penSel)
                Emit(Record(EMR_DELETEOBJECT).U32(m_penSel));
            m_penSel = kNullPen;
        }
        // Brush.
        std::uint32_t brushStyle = 1, hatch = 0; // BS_NULL
        std::uint32_t colour = 0;
        if (withBrush && m_brush.style() != Qt::NoBrush) {
            colour = ColorRef(m_brush.color());
            if (m_brush.style() == Qt::SolidPattern) {
                brushStyle = 0;
            } else {
                brushStyle = 2; // BS_HATCHED
                switch (m_brush.style()) {
                case Qt::HorPattern: hatch = 0; break;
                case Qt::VerPattern: hatch = 1; break;
                case Qt::FDiagPattern: hatch = 2; break;
                case Qt::BDiagPattern: hatch = 3; break;
                case Qt::CrossPattern: hatch = 4; break;
                default: hatch = 5; break;
                }
            }
        }
        if (brushStyle == 1) {
            if (m_brushSel != kNullBrush) {
                Emit(Record(EMR_SELECTOBJECT).U32(kNullBrush));
                if (m_brushSel)
                    Emit(Record(EMR_DELETEOBJECT).U32(m_brushSel));
                m_brushSel = kNullBrush;
            }
            return;
        }
        if (m_brushSel == 0 || m_brushSel == kNullBrush || m_brushStyle != brushStyle || m_brushHatch != hatch ||
            m_brushColour != colour) {
            const std::uint32_t slot = kBrushSlot + (m_brushSel == kBrushSlot ? 1 : 0);
            Emit(Record(EMR_CREATEBRUSHINDIRECT).U32(slot).U32(brushStyle).U32(colour).U32(hatch));
            Emit(Record(EMR_SELECTOBJECT).U32(slot));
            if (m_brushSel && m_brushSel != kNullBrush)
                Emit(Record(EMR_DELETEOBJECT).U32(m_brushSel));
            m_brushSel = slot, m_brushStyle = brushStyle, m_brushHatch = hatch, m_brushColour = colour;
        }
    }

    // The device area the drawing may reach: the page within the clip.
    QRect Visible(const QRect& r) const
    {
        QRect v = r.intersected(QRect(0, 0, m_w, m_h));
        if (m_clipOn)
            v = v.intersected(m_clip.boundingRect().toAlignedRect());
        return v;
    }

    // Paint that only a bitmap holds, drawn at kBitmapDpi (gradients and translucent
    // fills are smooth; a sheet of them stays a few megabytes) and stretched over area.
    template <class F>
    void RasteriseCall(F&& draw, const QRect& area)
    {
        const QRect v = Visible(area.adjusted(-2, -2, 2, 2));
        if (v.isEmpty())
            return;
        const double k = std::min(1.0, double(kBitmapDpi) / m_dpi);
        QImage img(QSize(std::max(1, Px(v.width() * k)), std::max(1, Px(v.height() * k))),
                   QImage::Format_ARGB32_Premultiplied);
        if (img.isNull())
            return;
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(double(img.width()) / v.width(), double(img.height()) / v.height());
            p.translate(-v.topLeft());
            if (m_clipOn)
                p.setClipPath(m_clip);
            p.setTransform(m_xf, true);
            p.setOpacity(m_opacity);
            p.setPen(m_pen);
            p.setBrush(m_brush);
            p.setBrushOrigin(m_brushOrigin);
            draw(p);
        }
        Bitmap(v, img, true);
    }

    void Rasterised(const QPainterPath& path, bool fill = true)
    {
        const QBrush keep = m_brush;
        if (!fill)
            m_brush = Qt::NoBrush;
        const double pw = m_pen.style() == Qt::NoPen ? 0 : m_pen.widthF() + 2;
        const QRect area = m_xf.map(path).boundingRect().adjusted(-pw, -pw, pw, pw).toAlignedRect();
        RasteriseCall([&path](QPainter& p) { p.drawPath(path); }, area);
        m_brush = keep;
    }

    // A bitmap stretched over dest: opaque as a DIB, translucent alpha-blended.
    void Bitmap(const QRect& dest, const QImage& image, bool alpha)
    {
        if (dest.isEmpty() || image.isNull())
            return;
        SyncClip();
        QByteArray info;
        const QByteArray bits = DibOf(image, alpha, info);
        if (!alpha) {
            Record r(EMR_STRETCHDIBITS);
            r.Rect(dest).I32(dest.x()).I32(dest.y()).I32(0).I32(0).I32(image.width()).I32(image.height());
            const std::uint32_t offBmi = 80, offBits = offBmi + static_cast<std::uint32_t>(info.size());
            r.U32(offBmi).U32(static_cast<std::uint32_t>(info.size())).U32(offBits).U32(static_cast<std::uint32_t>(bits.size()));
            r.U32(0).U32(0x00CC0020).I32(dest.width()).I32(dest.height()); // DIB_RGB_COLORS, SRCCOPY
            r.Bytes(info).Bytes(bits);
            Emit(std::move(r));
            return;
        }
        Record r(EMR_ALPHABLEND);
        r.Rect(dest).I32(dest.x()).I32(dest.y()).I32(dest.width()).I32(dest.height());
        r.U32(0x01FF0000); // AC_SRC_OVER, constant alpha 255, AC_SRC_ALPHA
        r.I32(0).I32(0);   // source origin
        // The source's world transform (identity) and background colour.
        r.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0).U32(0).U32(0);
        const std::uint32_t offBmi = 108, offBits = offBmi + static_cast<std::uint32_t>(info.size());
        r.U32(offBmi).U32(static_cast<std::uint32_t>(info.size())).U32(offBits).U32(static_cast<std::uint32_t>(bits.size()));
        r.I32(image.width()).I32(image.height());
        r.Bytes(info).Bytes(bits);
        Emit(std::move(r));
    }

    QByteArray Header() const
    {
        const QString d = QStringLiteral("Oltrane");
        Record h(EMR_HEADER);
        h.Rect(QRect(0, 0, m_w, m_h));
        h.I32(0).I32(0).I32(Px(m_mm.width() * 100) - 1).I32(Px(m_mm.height() * 100) - 1); // rclFrame, 0.01 mm
        h.U32(0x464D4520).U32(0x10000);
        const std::uint32_t descChars = static_cast<std::uint32_t>(d.size()) + 2; // two terminating NULs
        const std::uint32_t headerSize = 108 + ((descChars * 2 + 3) & ~3u);
        const std::uint32_t total = headerSize + static_cast<std::uint32_t>(m_records.size());
        h.U32(total).U32(static_cast<std::uint32_t>(m_count + 1)).U16(kHandles).U16(0);
        h.U32(descChars).U32(108).U32(0);
        h.I32(m_w).I32(m_h).I32(Px(m_mm.width())).I32(Px(m_mm.height()));
        h.U32(0).U32(0).U32(0); // no pixel format, no OpenGL
        h.I32(Px(m_mm.width() * 1000)).I32(Px(m_mm.height() * 1000)); // micrometres
        for (QChar c : d)
            h.U16(c.unicode());
        h.U16(0).U16(0);
        return h.Done();
    }

    QSizeF m_mm;
    int m_dpi;
    int m_w, m_h;
    QByteArray m_records;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_xf;
    QPointF m_brushOrigin;
    double m_opacity = 1;
    bool m_clipOn = false, m_clipDirty = true;
    QPainterPath m_clip;
    std::uint32_t m_penSel = 0, m_penStyle = 0, m_penColour = 0;
    int m_penWidth = 0;
    std::uint32_t m_brushSel = 0, m_brushStyle = 0, m_brushHatch = 0, m_brushColour = 0;
    std::uint32_t m_fontSel = 0;
};

CEmfDevice::CEmfDevice(QSizeF sizeMm, int dpi)
    : m_mm(sizeMm), m_dpi(dpi), m_w(std::max(1, Px(sizeMm.width() * dpi / 25.4))),
      m_h(std::max(1, Px(sizeMm.height() * dpi / 25.4))),
      m_engine(std::make_unique<CEmfEngine>(sizeMm, dpi, m_w, m_h))
{
}

CEmfDevice::~CEmfDevice() = default;

QPaintEngine* CEmfDevice::paintEngine() const { return m_engine.get(); }

QByteArray CEmfDevice::Bytes() const { return m_engine->m_bytes; }

int CEmfDevice::RecordCount() const { return m_engine->m_count; }

int CEmfDevice::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth: return m_w;
    case PdmHeight: return m_h;
    case PdmWidthMM: return Px(m_mm.width());
    case PdmHeightMM: return Px(m_mm.height());
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    default: return QPaintDevice::metric(m);
    }
}

void emf::DrawArcShape(QPainter& p, ArcKind kind, const QRect& box, int start16, int span16)
{
    QPaintEngine* engine = p.paintEngine();
    if (engine && engine->type() == CEmfEngine::kType) {
        auto* emfEngine = static_cast<CEmfEngine*>(engine);
        // A point the engine leaves out hands it the painter's state.
        emfEngine->m_suppress = true;
        p.drawPoint(box.center());
        emfEngine->m_suppress = false;
        if (emfEngine->ArcRecord(kind, box, start16, span16))
            return;
    }
    switch (kind) {
    case ArcKind::Arc: p.drawArc(box, start16, span16); break;
    case ArcKind::Pie: p.drawPie(box, start16, span16); break;
    case ArcKind::Chord: p.drawChord(box, start16, span16); break;
    }
}
