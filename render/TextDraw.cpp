#include "render/TextDraw.h"

#include "document/AppSwitches.h"
#include "document/FontMenu.h"
#include "document/PelText.h"
#include "platform/Codec.h"
#include "platform/Profile.h"
#include "render/BandPainter.h"
#include "render/CacheClears.h"
#include "render/FontSubstitution.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace {
// Beyond any sheet at any supported resolution; keeps absurd letter heights from
// asking the font engine for glyphs of astronomical size.
constexpr int kMaxFontPx = 30000;
// Upright letters of vertical lines are moved by this part of the em when their
// vertical form sits in the other corner of the cell (、。，．).
constexpr double kVerticalPunctShift = 0.55;
// The generic layout of the original decorated lettering keeps a sixth of an em
// before the first letter of a line.
constexpr double kDecoratedLeadEm = 1.0 / 6.0;

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

struct Glyph {
    QString text;
    bool wide = false; // a double-byte character: stands upright in vertical lines
};

// The characters of a code page 932 line, each with its width class.
std::vector<Glyph> SplitGlyphs(std::string_view line)
{
    std::vector<Glyph> out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
        QString s = cp932::ToQString(line.substr(i, n));
        if (!s.isEmpty())
            out.push_back({s, n == 2});
        i += n;
    }
    return out;
}

// Full-width characters whose vertical form is the horizontal glyph turned a quarter
// (long vowel mark, dashes, brackets, ellipses and the like).
bool TurnsInVertical(char16_t u)
{
    switch (u) {
    case 0x30fc: case 0x2015: case 0x2010: case 0x2014: case 0xff0d: case 0x301c: case 0xff5e:
    case 0x2026: case 0x2025: case 0xff1d: case 0xff08: case 0xff09: case 0xff3b: case 0xff3d:
    case 0xff5b: case 0xff5d: case 0xff1c: case 0xff1e: case 0xff1a: case 0xff1b: case 0xff3f:
    case 0xffe3: case 0xff5c: case 0x2225: case 0x226a: case 0x226b:
        return true;
    default:
        return u >= 0x3008 && u <= 0x3011; // 〈〉《》「」『』【】
    }
}

bool ShiftsInVertical(char16_t u) { return u == 0x3001 || u == 0x3002 || u == 0xff0c || u == 0xff0e; }

bool Upright(const Glyph& g) { return g.wide && !TurnsInVertical(g.text.at(0).unicode()); }

// The faces documents name have a cell of exactly one em (ascent plus descent), so
// a letter height is an em here whatever the drawing face's own ascent and descent:
// the em box sits in the cell, its baseline the face's ascent below the top.
double EmAscent(const QFontMetricsF& fm, double em) { return std::min(fm.ascent(), em); }

// A font with its metrics and the advances of the letters measured so far. Kept
// between paints: resolving a font and measuring letters anew for every text of every
// paint costs more than drawing them.
struct Lettering {
    explicit Lettering(const QFont& f) : font(f), fm(f) {}
    QFont font;
    QFontMetricsF fm;
    QHash<QString, double> advances;
    double Advance(const QString& letter)
    {
        auto it = advances.constFind(letter);
        if (it != advances.constEnd())
            return *it;
        const double a = fm.horizontalAdvance(letter);
        advances.insert(letter, a);
        return a;
    }
    double Ascent() const { return EmAscent(fm, font.pixelSize()); }
};

double EscapementDeg(const CFontMenu& f) { return f.m_lfEscapement / 10.0; }

// The box one line of a plain text takes in its own (unrotated) frame at its output
// point: left edge by the horizontal alignment, top or bottom at the point.
struct LineFrame {
    double x0 = 0, top = 0, width = 0, cell = 0, baseline = 0;
};

// The letters' advances plus the spacing after each, as the device's extra
// character spacing counts it.
double LineAdvance(Lettering& lt, const std::vector<Glyph>& glyphs, int spacing)
{
    double w = 0;
    for (const Glyph& g : glyphs)
        w += lt.Advance(g.text) + spacing;
    return w;
}

// The letter spacing of a font record in device pixels.
int LetterSpacingPx(const CFontMenu& f, double paperScale)
{
    const double sp = paperScale * f.m_kankaku;
    return std::isfinite(sp) ? std::clamp(TruncPx(sp), -kMaxFontPx, kMaxFontPx) : 0;
}

LineFrame FrameOf(const CFontMenu& f, const Lettering& lt, double width)
{
    LineFrame lf;
    lf.width = width;
    lf.cell = lt.font.pixelSize();
    lf.x0 = f.m_tokoAlign == 1 ? -width / 2 : f.m_tokoAlign == 2 ? -width : 0.0;
    lf.top = f.m_tateAlign == 2 ? -lf.cell : 0.0;
    lf.baseline = lf.top + lt.Ascent();
    return lf;
}

QTransform LineTransform(const CFontMenu& f, QPoint origin)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.rotate(-EscapementDeg(f));
    return t;
}

// Draws one line letter by letter with the letter spacing after each; in vertical
// writing double-byte letters stand upright in their cells and the others turn with
// the line, as the "@" faces lay them out.
void DrawLetters(QPainter& p, Lettering& lt, const std::vector<Glyph>& glyphs,
                 const LineFrame& lf, int spacing, bool vertical)
{
    double pos = lf.x0;
    const double em = lt.font.pixelSize();
    for (const Glyph& g : glyphs) {
        const double gw = lt.Advance(g.text), adv = gw + spacing;
        if (vertical && Upright(g)) {
            p.save();
            p.translate(pos + gw / 2, lf.top + lf.cell / 2);
            p.rotate(-90);
            if (ShiftsInVertical(g.text.at(0).unicode()))
                p.translate(kVerticalPunctShift * em, -kVerticalPunctShift * em);
            p.drawText(QPointF(-gw / 2, lt.Ascent() - em / 2), g.text);
            p.restore();
        } else {
            p.drawText(QPointF(pos, lf.baseline), g.text);
        }
        pos += adv;
    }
}

// Decorated outlines made outside the bands of a page (before they start, or by a
// page drawn in one piece), shared by every drawing thread: the bands draw the same
// texts and take them from here rather than each making them again. An outline
// missing here is made by the band for itself and kept in its own cache: which
// thread first made a shared one must not decide what the others draw.
struct PathCache {
    std::mutex lock;
    std::unordered_map<std::string, QPainterPath> paths;
    static constexpr std::size_t kMaxEntries = 4096;
};
PathCache& TheSharedPathCache()
{
    static PathCache cache;
    return cache;
}
CCacheClears g_clears; // the lettering caches, one per drawing thread

std::unordered_map<std::string, QPainterPath>& TheBandPathCache()
{
    static thread_local std::unordered_map<std::string, QPainterPath> cache;
    static thread_local unsigned seen = 0;
    if (g_clears.ClearedSince(seen))
        cache.clear();
    return cache;
}

// Distorts path from its bounds (widened by the pen) onto the shape of type 1..6.
QPainterPath Warp(const QPainterPath& path, int type, int strength, double penWidth)
{
    QRectF b = path.boundingRect().adjusted(-penWidth / 2, -penWidth / 2, penWidth / 2, penWidth / 2);
    const double x = b.x(), y = b.y(), w = b.width(), hgt = b.height();
    if (!(w > 0) || !(hgt > 0))
        return path;
    const double v = strength * hgt / 20, u = strength * w / 20;
    QPointF ul(x, y), ur(x + w, y), ll(x, y + hgt), lr(x + w, y + hgt);
    switch (type) {
    case 1: ul = {x, y + v}; lr = {x + w, y + hgt - v}; break;
    case 2: ul = {x + u / 2, y}; ur = {x + w - u / 2, y}; break;
    case 3: ll = {x + u / 2, y + hgt}; lr = {x + w - u / 2, y + hgt}; break;
    case 4: ur = {x + w, y + v / 2}; lr = {x + w, y + hgt - v / 2}; break;
    case 5: ur = {x + w, y + v}; ll = {x, y + hgt - v}; break;
    case 6: ul = {x, y + v / 2}; ll = {x, y + hgt - v / 2}; break;
    default: return path;
    }
    QPolygonF from{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + hgt), QPointF(x, y + hgt)};
    QPolygonF to{ul, ur, lr, ll};
    QTransform t;
    if (!QTransform::quadToQuad(from, to, t))
        return path;
    // A perspective warp does not keep curves: flatten first, then map the points.
    QPainterPath out;
    out.setFillRule(path.fillRule());
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
        out.addPolygon(t.map(poly));
        out.closeSubpath();
    }
    return out;
}

double DecoratedPenWidth(const CPelText& text, double paperScale)
{
    double w = text.m_huchiAtsumi * paperScale;
    return std::isfinite(w) && w >= 0 ? std::min(w, 1e5) : 1.0;
}

QPainterPath BuildDecoratedPath(const CPelText& text, const QFont& font, bool vertical)
{
    QPainterPath path;
    QFontMetricsF fm(font);
    const double em = font.pixelSize(), lead = em * kDecoratedLeadEm;
    const double ls = em, cell = em, ascent = EmAscent(fm, em);
    const std::vector<std::string> lines = TextLines(text.m_text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!vertical) {
            path.addText(QPointF(lead, i * ls + ascent), font, cp932::ToQString(lines[i]));
            continue;
        }
        // Columns left to right from the anchor, letters downwards.
        const double x = i * ls;
        double pos = lead;
        for (const Glyph& g : SplitGlyphs(lines[i])) {
            const double adv = fm.horizontalAdvance(g.text);
            QPainterPath gp;
            QTransform t;
            if (Upright(g)) {
                gp.addText(QPointF(-adv / 2, ascent - em / 2), font, g.text);
                t.translate(x + cell / 2, pos + adv / 2);
                if (ShiftsInVertical(g.text.at(0).unicode()))
                    t.translate(kVerticalPunctShift * em, -kVerticalPunctShift * em);
            } else {
                gp.addText(QPointF(0, ascent), font, g.text);
                t.translate(x + cell, pos);
                t.rotate(90);
            }
            path.addPath(t.map(gp));
            pos += adv;
        }
    }
    return path;
}
} // namespace

TextDrawSettings TextDrawSettings::Read()
{
    TextDrawSettings s;
    s.sirokuroWit = AppProfile().GetInt("QLA_T_UTILITY", "app_text_sirokuro_wit", 0);
    s.printRealMode = TheAppSwitches().app_printrealmode;
    CFontMenu fallback;
    fallback.ResetFromSettings(4.5);
    s.fallbackFace = fallback.m_faceName;
    return s;
}

TextColors TextColorsFor(ColorRef text, ColorRef back, const ColorContext& cc, int sirokuroWit)
{
    TextColors c{text & 0xffffff, back & 0xffffff};
    if (cc.sirokuro) {
        const bool white = IsWhiteRgb(c.text);
        if (!white)
            c.text = 0;
        if (!sirokuroWit) {
            if (!IsWhiteRgb(c.back))
                c.back = white ? 0 : kWhite;
            else if (white)
                c.text = 0;
        }
    }
    if (cc.gradation == 3) {
        c.back = kWhite;
        c.text = 0;
    }
    return c;
}

int FontHeightPx(double sizeMm, double paperScale)
{
    double h = sizeMm * paperScale;
    if (!std::isfinite(h))
        return h > 0 ? kMaxFontPx : 2;
    int px = TruncPx(h);
    return std::clamp(px, 2, kMaxFontPx);
}

std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
}

bool IsVerticalFace(const std::string& face) { return !face.empty() && face[0] == '@'; }

QFont TextFont(const CFontMenu& f, int heightPx, const std::string& fallbackFace)
{
    QFont font;
    const QString face = ResolveFace(cp932::ToQString(f.m_faceName), cp932::ToQString(fallbackFace));
    if (!face.isEmpty())
        font.setFamily(face);
    font.setWeight(f.m_lfWeight > 0 ? static_cast<QFont::Weight>(std::clamp(f.m_lfWeight, 1, 1000)) : QFont::Normal);
    font.setItalic(f.m_lfItalic != 0);
    font.setUnderline(f.m_lfUnderline != 0);
    font.setStrikeOut(f.m_lfStrikeOut != 0);
    // Extents must not change with the resolution: print real mode and alignment
    // measure what the printer will draw.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(std::max(1, heightPx));
    return font;
}

namespace {
Lettering& LetteringFor(const CFontMenu& f, int heightPx, const std::string& fallbackFace)
{
    static thread_local std::unordered_map<std::string, std::unique_ptr<Lettering>> cache;
    std::string key = f.m_faceName;
    key += '\x1f' + fallbackFace + '\x1f' + std::to_string(f.m_lfWeight) + ',' + std::to_string(f.m_lfItalic) + ',' +
           std::to_string(f.m_lfUnderline) + ',' + std::to_string(f.m_lfStrikeOut) + ',' + std::to_string(heightPx);
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    if (cache.size() >= 512)
        cache.clear();
    auto lt = std::make_unique<Lettering>(TextFont(f, heightPx, fallbackFace));
    Lettering& ref = *lt;
    cache.emplace(std::move(key), std::move(lt));
    return ref;
}
} // namespace

std::vector<QPoint> PlainLineOrigins(const CFontMenu& f, int lineCount, QPoint anchor, double paperScale)
{
    const double h = f.m_size * paperScale, L = (f.m_size + f.m_gyoukan) * paperScale;
    int tenths = f.m_lfEscapement + 2700;
    if (tenths > 3599)
        tenths = f.m_lfEscapement - 900;
    const double a = tenths / 10.0 * M_PI / 180.0, ca = std::cos(a), sa = std::sin(a);
    const int n = lineCount;
    double ox = 0, oy = 0;
    if (f.m_tateAlign == 1) {
        ox = -n * ca * h / 2;
        oy = n * sa * h / 2;
    } else if (f.m_tateAlign == 2) {
        ox = -(n - 1) * ca * h;
        oy = (n - 1) * sa * h;
    }
    std::vector<QPoint> out;
    out.reserve(static_cast<std::size_t>(std::max(0, n)));
    for (int i = 0; i < n; ++i)
        out.emplace_back(anchor.x() + TruncPx(i * ca * L + ox), anchor.y() + TruncPx(i * (-sa) * L + oy));
    return out;
}

QPolygon PrintExtentQuad(const CFontMenu& f, QPoint origin, const std::string& line, double paperScale)
{
    int chars = 0, bytes = 0;
    for (std::size_t i = 0; i < line.size(); ++chars) {
        std::size_t n = IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
        bytes += static_cast<int>(n);
        i += n;
    }
    const double h = f.m_size * paperScale, sp = paperScale * f.m_kankaku;
    const int len = std::max(1, TruncPx((chars - 1) * sp + bytes * h * 0.5));
    const int hpx = TruncPx(h);
    const double e = f.m_lfEscapement / 10.0 * M_PI / 180.0, ce = std::cos(e), se = std::sin(e);
    // Lengths along dir = (cos e, -sin e) and down = (sin e, cos e), each product
    // truncated on its own.
    auto along = [&](QPoint o, double l) { return QPoint(o.x() + TruncPx(l * ce), o.y() + TruncPx(-l * se)); };
    auto across = [&](QPoint o, double l) { return QPoint(o.x() + TruncPx(l * se), o.y() + TruncPx(l * ce)); };
    QPoint start, end;
    if (f.m_tokoAlign == 1) {
        QPoint ref = along(origin, -sp / 2);
        start = along(ref, -len / 2.0);
        end = along(ref, len / 2.0);
    } else if (f.m_tokoAlign == 2) {
        QPoint ref = along(origin, -sp);
        start = along(ref, -len);
        end = ref;
    } else {
        start = origin;
        end = along(origin, len);
    }
    QPoint tl, tr, bl, br;
    if (f.m_tateAlign == 2) {
        bl = start;
        br = end;
        tl = across(start, -hpx);
        tr = across(end, -hpx);
    } else {
        tl = start;
        tr = end;
        bl = across(start, hpx);
        br = across(end, hpx);
    }
    return QPolygon({tl, bl, br, tr});
}

std::vector<QPolygonF> PlainTextBoxes(const CDrawContext& dc, const CPelText& text, const std::string& fallbackFace)
{
    std::vector<QPolygonF> boxes;
    const CFontMenu& f = text.m_font;
    const double s = dc.t.paperScale;
    Lettering& lt = LetteringFor(f, FontHeightPx(f.m_size, s), fallbackFace);
    const int spacing = LetterSpacingPx(f, s);
    const std::vector<std::string> lines = TextLines(text.m_text);
    const QPoint anchor = dc.t.ToDevice(text.m_layer1, text.m_point.x, text.m_point.y);
    const std::vector<QPoint> origins = PlainLineOrigins(f, static_cast<int>(lines.size()), anchor, s);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineFrame lf = FrameOf(f, lt, LineAdvance(lt, SplitGlyphs(lines[i]), spacing));
        QPolygonF r(QRectF(lf.x0, lf.top, lf.width, lf.cell));
        r.removeLast(); // the closing point
        boxes.push_back(LineTransform(f, origins[i]).map(r));
    }
    return boxes;
}

QPoint TextRotationHandle(const CDrawContext& dc, const CPelText& text)
{
    const std::vector<QPolygonF> boxes = PlainTextBoxes(dc, text, dc.fallbackFace);
    const double e = text.m_font.m_lfEscapement / 10.0 * M_PI / 180.0;
    const QPointF dir(std::cos(e), -std::sin(e));
    if (boxes.empty() || boxes.front().size() < 4)
        return dc.t.ToDevice(text.m_layer1, text.m_point.x, text.m_point.y);
    const QPolygonF& b = boxes.front();
    const QPointF endMid = (b[1] + b[2]) / 2; // top-right and bottom-right corners
    return (endMid + 13 * dir).toPoint();
}

namespace {
// Generously more than a plain text can cover, found without its font: no letter
// advances more than two ems, and none reaches further than three ems across its line.
QRectF PlainTextBound(const CFontMenu& f, const std::vector<std::string>& lines, const std::vector<QPoint>& origins,
                      double paperScale)
{
    const double em = FontHeightPx(f.m_size, paperScale);
    const int spacing = LetterSpacingPx(f, paperScale);
    std::size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, line.size()); // bytes: never fewer than letters
    const double along = double(longest) * (2 * em + std::abs(spacing)) + 3 * em, across = 3 * em;
    const double e = EscapementDeg(f) * M_PI / 180.0, c = std::abs(std::cos(e)), sn = std::abs(std::sin(e));
    const double hx = c * along + sn * across, hy = sn * along + c * across;
    QRectF bound;
    for (const QPoint& o : origins)
        bound |= QRectF(o.x() - hx, o.y() - hy, 2 * hx, 2 * hy);
    return bound;
}
} // namespace

void DrawPelText(QPainter& p, const CDrawContext& dc, const TextDrawSettings& s, const CPelText& text)
{
    if (text.m_text.empty())
        return;
    const CFontMenu& f = text.m_font;
    const double scale = dc.t.paperScale;
    if (!(scale > 0) || !std::isfinite(scale))
        return;
    ColorContext cc = dc.Colors(text.m_layer1, text.m_layer2);
    cc.greyed = false; // texts keep their colours in the grey display
    const TextColors col = TextColorsFor(static_cast<ColorRef>(f.m_color), static_cast<ColorRef>(f.m_backColor), cc,
                                         s.sirokuroWit);
    const QPoint anchor = dc.t.ToDevice(text.m_layer1, text.m_point.x, text.m_point.y);

    if (text.m_huchiFlg >= 1 && text.m_huchiFlg <= 3) {
        DrawDecoratedText(p, QPointF(anchor), text, scale, col.text, col.back, s.fallbackFace, !dc.printing);
        return;
    }

    const std::vector<std::string> lines = TextLines(text.m_text);
    const std::vector<QPoint> origins = PlainLineOrigins(f, static_cast<int>(lines.size()), anchor, scale);
    if (OffRasterDevice(p, PlainTextBound(f, lines, origins, scale)))
        return;
    Lettering& lt = LetteringFor(f, FontHeightPx(f.m_size, scale), s.fallbackFace);
    const QFont& font = lt.font;
    const bool vertical = IsVerticalFace(f.m_faceName);
    const int spacing = LetterSpacingPx(f, scale);
    const bool outline = !dc.printing && s.printRealMode &&
                         !cp932::ToQString(f.m_faceName).contains(QChar(0xff30)); // "Ｐ"
    std::vector<QPolygon> quads;

    p.save();
    p.setFont(font);
    p.setPen(ToQColor(col.text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<Glyph> glyphs = SplitGlyphs(lines[i]);
        const LineFrame lf = FrameOf(f, lt, LineAdvance(lt, glyphs, spacing));
        p.save();
        p.setTransform(LineTransform(f, origins[i]), true);
        if (f.m_bBack && lf.width > 0)
            p.fillRect(QRectF(lf.x0, lf.top, lf.width, lf.cell), ToQColor(col.back));
        if (vertical || spacing != 0)
            DrawLetters(p, lt, glyphs, lf, spacing, vertical);
        else if (!glyphs.empty())
            p.drawText(QPointF(lf.x0, lf.baseline), cp932::ToQString(lines[i]));
        p.restore();
        if (outline)
            quads.push_back(PrintExtentQuad(f, origins[i], lines[i], scale));
    }
    if (!quads.empty()) {
        for (const QPolygon& q : quads)
            DrawDottedPolyline(p, q.constData(), static_cast<int>(q.size()), true, QColor(128, 128, 128));
    }
    p.restore();
}

namespace {
// The outline and the key it is cached under.
QPainterPath DecoratedPathKeyed(const CPelText& text, double paperScale, const std::string& fallbackFace,
                                std::string& key)
{
    const CFontMenu& f = text.m_font;
    const QFont& font = LetteringFor(f, FontHeightPx(f.m_size, paperScale), fallbackFace).font;
    const bool vertical = IsVerticalFace(f.m_faceName) && f.m_lfEscapement == 2700;
    const double pen = DecoratedPenWidth(text, paperScale);
    const int type = text.m_huchiType >= 1 && text.m_huchiType <= 6 ? text.m_huchiType : 0;

    key = text.m_text;
    key += '\x1f';
    key += font.key().toStdString();
    key += '\x1f' + std::to_string(vertical) + ',' + std::to_string(type);
    if (type)
        key += ',' + std::to_string(text.m_huchiKeij) + ',' + std::to_string(std::lround(pen * 64));

    auto build = [&] {
        QPainterPath path = BuildDecoratedPath(text, font, vertical);
        return type ? Warp(path, type, text.m_huchiKeij, pen) : path;
    };
    PathCache& shared = TheSharedPathCache();
    std::unique_lock<std::mutex> hold(shared.lock);
    auto it = shared.paths.find(key);
    if (it != shared.paths.end())
        return it->second;
    if (DrawingABand()) {
        hold.unlock();
        auto& own = TheBandPathCache();
        auto mine = own.find(key);
        if (mine != own.end())
            return mine->second;
        if (own.size() >= PathCache::kMaxEntries)
            own.clear();
        return own.emplace(key, build()).first->second;
    }
    QPainterPath path = build();
    if (shared.paths.size() >= PathCache::kMaxEntries)
        shared.paths.clear();
    shared.paths.emplace(key, path);
    return path;
}

void PaintDecorated(QPainter& p, const QPainterPath& path, int flag, const QColor& edge, const QColor& fill,
                    double penWidth)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    if (flag != 3) {
        QPen pen(edge, penWidth);
        pen.setJoinStyle(Qt::RoundJoin);
        p.strokePath(path, pen);
    }
    if (flag != 2)
        p.fillPath(path, fill);
}

// Stroking thick edges around letter outlines is the dearest thing on a page: on
// raster devices the finished lettering is kept as an image and copied while
// nothing that shapes or colours it changes.
struct LetteringImage {
    QImage image;
    QPoint offset; // of the image's top-left from the anchor
};
class LetteringCache {
public:
    static constexpr std::int64_t kBudgetBytes = std::int64_t(96) << 20;
    static constexpr std::int64_t kMaxPixels = std::int64_t(4) << 20;

    const LetteringImage* Find(const std::string& key)
    {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return nullptr;
        m_order.splice(m_order.begin(), m_order, it->second);
        return &it->second->second;
    }
    void Add(const std::string& key, LetteringImage img)
    {
        const std::int64_t bytes = img.image.sizeInBytes();
        if (bytes > kBudgetBytes / 4 || m_index.count(key))
            return;
        m_order.emplace_front(key, std::move(img));
        m_index[key] = m_order.begin();
        m_bytes += bytes;
        while (m_bytes > kBudgetBytes && !m_order.empty()) {
            m_bytes -= m_order.back().second.image.sizeInBytes();
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
    }
    void Clear()
    {
        m_order.clear();
        m_index.clear();
        m_bytes = 0;
    }

private:
    std::list<std::pair<std::string, LetteringImage>> m_order; // most recently used first
    std::unordered_map<std::string, std::list<std::pair<std::string, LetteringImage>>::iterator> m_index;
    std::int64_t m_bytes = 0;
};
LetteringCache& TheLetteringCache()
{
    static thread_local LetteringCache cache;
    static thread_local unsigned seen = 0;
    if (g_clears.ClearedSince(seen))
        cache.Clear();
    return cache;
}
} // namespace

QPainterPath DecoratedPath(const CPelText& text, double paperScale, const std::string& fallbackFace)
{
    std::string key;
    return DecoratedPathKeyed(text, paperScale, fallbackFace, key);
}

void DrawDecoratedText(QPainter& p, QPointF anchor, const CPelText& text, double paperScale, ColorRef fill,
                       ColorRef edge, const std::string& fallbackFace, bool keep)
{
    if (text.m_text.empty() || !(paperScale > 0) || !std::isfinite(paperScale))
        return;
    std::string key;
    const QPainterPath path = DecoratedPathKeyed(text, paperScale, fallbackFace, key);
    if (path.isEmpty())
        return;
    const int alpha = std::clamp(static_cast<int>(std::clamp(text.m_huchiAlpha, 0, 100) * 255 / 100), 0, 255);
    const double penWidth = DecoratedPenWidth(text, paperScale);
    const QColor edgeColour = ToQColor(edge, alpha), fillColour = ToQColor(fill, alpha);
    const int flag = text.m_huchiFlg;

    // Whole-pixel placements on a raster device draw from the kept image.
    const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster;
    const QTransform& wt = p.worldTransform();
    const bool whole = wt.type() <= QTransform::TxTranslate && anchor.x() == std::floor(anchor.x()) &&
                       anchor.y() == std::floor(anchor.y()) && wt.dx() == std::floor(wt.dx()) &&
                       wt.dy() == std::floor(wt.dy());
    const QRectF bounds = path.controlPointRect().adjusted(-penWidth / 2 - 2, -penWidth / 2 - 2, penWidth / 2 + 2,
                                                           penWidth / 2 + 2);
    if (OffRasterDevice(p, bounds.translated(anchor)))
        return;
    const QRect area = bounds.toAlignedRect();
    if (keep && raster && whole && std::int64_t(area.width()) * area.height() <= LetteringCache::kMaxPixels) {
        key += '\x1e' + std::to_string(flag) + ',' + std::to_string(edgeColour.rgba()) + ',' +
               std::to_string(fillColour.rgba()) + ',' + std::to_string(std::lround(penWidth * 64));
        LetteringCache& cache = TheLetteringCache();
        const LetteringImage* kept = cache.Find(key);
        if (!kept) {
            LetteringImage li;
            li.offset = area.topLeft();
            li.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
            if (li.image.isNull())
                return;
            li.image.fill(Qt::transparent);
            QPainter ip(&li.image);
            ip.translate(-li.offset);
            PaintDecorated(ip, path, flag, edgeColour, fillColour, penWidth);
            ip.end();
            cache.Add(key, li);
            kept = cache.Find(key);
            if (!kept) { // too large to keep
                p.drawImage(anchor + QPointF(li.offset), li.image);
                return;
            }
        }
        p.drawImage(anchor + QPointF(kept->offset), kept->image);
        return;
    }
    p.save();
    p.translate(anchor);
    PaintDecorated(p, path, flag, edgeColour, fillColour, penWidth);
    p.restore();
}

void ClearDecoratedPathCache()
{
    g_clears.Raise();
    {
        PathCache& cache = TheSharedPathCache();
        std::lock_guard<std::mutex> hold(cache.lock);
        cache.paths.clear();
    }
    TheBandPathCache().clear();
    TheLetteringCache().Clear();
}

int DecoratedPathCacheSize()
{
    PathCache& cache = TheSharedPathCache();
    std::lock_guard<std::mutex> hold(cache.lock);
    return static_cast<int>(cache.paths.size());
}
