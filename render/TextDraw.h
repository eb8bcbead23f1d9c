#pragma once
// Texts: plain lettering with the font's letter and line spacing, alignment,
// rotation, vertical writing and background; decorated lettering as an outlined,
// filled and optionally distorted path with opacity; the on-screen outline of the
// extent a plain text takes in print.
#include "render/DrawContext.h"

#include <QFont>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>

#include <string>
#include <vector>

class CFontMenu;
class CPelText;
class QPainter;

// Settings the text drawing reads once per page.
struct TextDrawSettings {
    int sirokuroWit = 0;      // a white text stays white in monochrome
    int printRealMode = 0;    // dotted outline of the printed extent on the screen
    std::string fallbackFace; // face of the fallback font record (code page 932)
    static TextDrawSettings Read();
};

struct TextColors {
    ColorRef text = 0;
    ColorRef back = kWhite;
};
// Text and background colours after the monochrome and gradation-3 rules; texts are
// never greyed.
TextColors TextColorsFor(ColorRef text, ColorRef back, const ColorContext& cc, int sirokuroWit);

// The cell height of a letter in device pixels: trunc(size x paper scale), at least 2.
int FontHeightPx(double sizeMm, double paperScale);
// The lines of a record text (LF separates them, CR is dropped), code page 932.
std::vector<std::string> TextLines(const std::string& text);
// A face beginning with "@": glyphs of full-width letters stand upright along a
// line that runs downwards at escapement 2700.
bool IsVerticalFace(const std::string& face);

// The logical font of a text at a letter height (one em) of heightPx pixels. A face
// that is not installed draws with fallbackFace. Letter spacing is placed by the
// drawing, not by the font, so that it measures the same on every device.
QFont TextFont(const CFontMenu& f, int heightPx, const std::string& fallbackFace);

// Output points of the lines of a plain text: the anchor, the block offset of the
// vertical alignment and the line advance, each product truncated.
std::vector<QPoint> PlainLineOrigins(const CFontMenu& f, int lineCount, QPoint anchor, double paperScale);

// The dotted outline of the printed extent of one line output at origin (corners
// top-left, bottom-left, bottom-right, top-right).
QPolygon PrintExtentQuad(const CFontMenu& f, QPoint origin, const std::string& line, double paperScale);

// The boxes the lines of a plain text cover on the device (each a rotated
// rectangle, corners in drawing order); what the background fills.
std::vector<QPolygonF> PlainTextBoxes(const CDrawContext& dc, const CPelText& text, const std::string& fallbackFace);

// The rotation handle of a single selected plain text: 13 pixels beyond the end of
// its first line, along the text's direction.
QPoint TextRotationHandle(const CDrawContext& dc, const CPelText& text);

// Draws a text as plain or decorated lettering; empty texts draw nothing.
void DrawPelText(QPainter& p, const CDrawContext& dc, const TextDrawSettings& s, const CPelText& text);

// The outline path of a decorated text relative to its anchor, distorted, in device
// pixels at the given paper scale (cached by everything that shapes it). Made outside
// the bands of a page, it is there for all of them.
QPainterPath DecoratedPath(const CPelText& text, double paperScale, const std::string& fallbackFace);
// Draws a decorated text at anchor: the edge in edge colour, then the fill, both with
// the text's opacity (also the previews of the decorated-text windows). With keep, the
// finished lettering is kept as an image for later paints (screens); an export draws
// once, straight onto its device.
void DrawDecoratedText(QPainter& p, QPointF anchor, const CPelText& text, double paperScale, ColorRef fill,
                       ColorRef edge, const std::string& fallbackFace, bool keep = true);
// Forgets the cached outlines (tests and low-memory situations).
void ClearDecoratedPathCache();
int DecoratedPathCacheSize();
