// Pages drawn in bands straight into their own rows, lettering shared between the
// band threads, and the PNG files the export writes of them.
#include "document/PelmoraDoc.h"
#include "render/BandPainter.h"
#include "render/FontSubstitution.h"
#include "render/PageExport.h"
#include "render/TextDraw.h"

#include "PageImages.h"
#include "SheetTexts.h"
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>

using namespace testsupport;

namespace {
// Whatever cuts across the seams: thin and thick lines, sloped and antialiased,
// fills, a circle and lettering.
void Scribble(QPainter& p, QSize size)
{
    const int w = size.width(), h = size.height();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.drawLine(0, 0, w - 1, h - 1);
    p.drawLine(w - 1, 0, w / 3, h - 1);
    p.fillRect(QRect(w / 5, h / 4, w / 2 + 1, h / 2 + 1), QColor(255, 200, 0));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0, 0, 255), 3.5));
    p.drawEllipse(QRectF(w * 0.1, h * 0.05, w * 0.8, h * 0.9));
    p.drawLine(QPointF(0.5, h * 0.9), QPointF(w - 0.5, h * 0.1));
    QFont f;
    f.setPixelSize(std::max(4, h / 6));
    p.setFont(f);
    p.setPen(Qt::darkGreen);
    p.drawText(QPointF(w * 0.1, h * 0.55), QStringLiteral("Band 帯"));
}

QImage OnePiece(QSize size, QImage::Format format)
{
    QImage img(size, format);
    img.fill(Qt::white);
    QPainter p(&img);
    Scribble(p, size);
    return img;
}

bool Same(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && Difference(a, b, 0).above == 0;
}

CPelText& AddText(CPelmoraDoc& doc, const char* utf8, double x, double y, double sizeMm, int escapement = 0,
                  const char* face = "ＭＳ ゴシック")
{
    CPelText& t = AddSheetText(doc, utf8, x, y, sizeMm, face);
    t.m_font.m_lfEscapement = escapement;
    return t;
}

void Decorate(CPelText& t, int type)
{
    t.m_huchiFlg = 1;
    t.m_huchiAtsumi = 2;
    t.m_huchiType = type;
    t.m_huchiKeij = 6;
    t.m_huchiAlpha = 80;
    t.m_font.m_color = 255;
    t.m_font.m_backColor = 0xff0000;
}

// Lettering of every kind over an A4 portrait sheet: across the seams of two, three
// and seven bands, wholly inside one band, turned, vertical, decorated and distorted.
void FillWithTexts(CPelmoraDoc& doc)
{
    doc.m_plotInfo.m_paperSize = 6; // A4 portrait
    for (int row = 0; row < 14; ++row) {
        const double y = -140 + row * 21;
        AddText(doc, "帯の境目をまたぐ文字 Abc", -95, y, 4 + row % 5, (row % 4) * 450).m_font.m_kankaku = row % 3;
        CPelText& big = AddText(doc, "飾り文字\n二行目", 10, y + 4, 9 + row % 3, row % 2 ? 0 : 300);
        Decorate(big, row % 7);
        AddText(doc, "縦書きの行", 80, y - 8, 5, 2700, "@ＭＳ 明朝");
    }
    AddText(doc, "はみ出す文字", -120, 145, 12); // partly beyond the sheet
}
} // namespace

// Lines ending in markers, dashed polylines and filled polygons by the seams of two,
// three and seven bands and beyond the sheet.
void AddLines(CPelmoraDoc& doc)
{
    for (int k = 0; k < 40; ++k) {
        auto l = std::make_unique<CPelLine>();
        l->m_id = k + 1;
        const double y = -150 + k * 7.7;
        l->m_type = k % 3 == 2 ? CPelLine::Polygon : k % 3 ? CPelLine::Polyline : CPelLine::Straight;
        l->m_points = {{-100.0 + k, y}, {-20.0 + 2 * k, y + 9}, {60, y - 4}};
        l->m_tanten = k % 13;
        l->m_arrowWidth = k % 5;
        l->m_width = 1 + k % 4;
        l->m_lineType = k % 7 == 3 ? 2 : 0;
        l->m_color = 0x0000ff * (k % 2) + 0x00ff00 * (k % 3 == 1);
        l->m_fill = k % 3 == 2;
        l->m_fillColor = 0xffaa00;
        doc.m_unit.m_lines.push_back(std::move(l));
    }
    // Lines just below the middle seam, whose large end markers reach over it.
    for (int k = 0; k < 24; ++k) {
        auto l = std::make_unique<CPelLine>();
        l->m_id = 100 + k;
        l->m_type = CPelLine::Straight;
        const double y = 0.5 + k * 0.5;
        if (k % 2)
            l->m_points = {{-90.0 + 3 * k, y}, {-40.0 + 3 * k, y}};
        else
            l->m_points = {{-90.0 + 3 * k, y}, {-90.0 + 3 * k, y + 30}};
        l->m_tanten = 1 + k % 12;
        l->m_arrowWidth = 4;
        doc.m_unit.m_lines.push_back(std::move(l));
    }
}

// The page drawn band by band into its own rows is the page the bands drew into
// images of their own, for odd widths, bands of a row or two and more bands than
// threads; and, but for the pixels of thin lines that a band's edge cuts, the page
// drawn in one piece.
TEST(BandPages, DrawnIntoTheirRowsTheyMakeTheSamePage)
{
    const QSize sizes[] = {{1, 1}, {33, 17}, {257, 301}, {640, 2000}};
    for (QSize size : sizes) {
        const QImage one = OnePiece(size, QImage::Format_RGB32);
        for (int bands : {1, 2, 3, 7, size.height()}) {
            QImage ownImages(size, QImage::Format_RGB32);
            DrawInBands(ownImages, bands, [size](QPainter& p, int) { Scribble(p, size); });
            const QImage page = DrawNewPage(size, QImage::Format_RGB32, 4000, 5000, bands,
                                            [size](QPainter& p, int) { Scribble(p, size); });
            ASSERT_EQ(page.size(), size);
            EXPECT_EQ(page.format(), QImage::Format_RGB32);
            EXPECT_EQ(page.dotsPerMeterX(), 4000);
            EXPECT_EQ(page.dotsPerMeterY(), 5000);
            EXPECT_TRUE(Same(ownImages, page)) << size.width() << "x" << size.height() << ", " << bands << " bands";
            // A few pixels of each cut line at each seam, no more.
            EXPECT_LE(Difference(one, page, 0).above, 8ll * bands + size.width() * size.height() / 100) << bands;
        }
    }
    // Pages drawn one after another keep nothing of each other.
    const QSize size(300, 900);
    const QImage first = DrawNewPage(size, QImage::Format_RGB32, 3780, 3780, 3, [](QPainter& p, int) {
        p.fillRect(0, 0, 300, 900, Qt::black);
    });
    const QImage second = DrawNewPage(size, QImage::Format_RGB32, 3780, 3780, 3, [](QPainter&, int) {});
    EXPECT_EQ(first.pixel(150, 450), qRgb(0, 0, 0));
    QImage white(size, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(Same(white, second));
}

// Bands leave out the texts and lines beyond their rows and share the decorated
// outlines: the page is the same as one drawing of the whole, to the pixel.
TEST(BandPages, LetteringAndLinesAreTheSameInBandsAsInOnePiece)
{
    InstallFontSubstitutions();
    CPelmoraDoc doc;
    FillWithTexts(doc);
    AddLines(doc);
    ClearDecoratedPathCache();
    const QImage one = RenderSheet(doc, 210, 297, 120, 1);
    ASSERT_GT(Difference(one, QImage(one.size(), QImage::Format_RGB32), 0).above, 10000);
    for (int bands : {2, 3, 7}) {
        ClearDecoratedPathCache(); // every band makes its outlines afresh, or takes the others'
        EXPECT_TRUE(Same(one, RenderSheet(doc, 210, 297, 120, bands))) << bands << " bands";
        EXPECT_TRUE(Same(one, RenderSheet(doc, 210, 297, 120, bands))) << bands << " bands, outlines kept";
    }
}

// End markers reach over a seam from lines a band leaves out: at print resolution
// they are larger than the rows a band draws beyond its own.
TEST(BandPages, EndMarkersOverASeamAreDrawn)
{
    CPelmoraDoc doc;
    doc.m_plotInfo.m_paperSize = 6; // A4 portrait
    AddLines(doc);
    const QImage one = RenderSheet(doc, 210, 297, 400, 1);
    EXPECT_TRUE(Same(one, RenderSheet(doc, 210, 297, 400, 2)));
}

// An outline made on one thread serves another, and the lettering a thread draws
// with it is what the thread that made it draws.
TEST(BandPages, DecoratedOutlinesAreSharedBetweenThreads)
{
    InstallFontSubstitutions();
    CPelmoraDoc doc;
    CPelText& t = AddText(doc, "共有する縁取り", 0, 0, 10);
    Decorate(t, 4);
    ClearDecoratedPathCache();
    auto draw = [&t] {
        QImage img(700, 160, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        DrawDecoratedText(p, QPointF(10, 10), t, 4.0, 255, 0xff0000, std::string(), false);
        return img;
    };
    const QPainterPath mine = DecoratedPath(t, 4.0, std::string());
    const QImage here = draw();
    ASSERT_EQ(DecoratedPathCacheSize(), 1);
    QPainterPath theirs;
    QImage there;
    std::thread other([&] {
        theirs = DecoratedPath(t, 4.0, std::string());
        there = draw();
    });
    other.join();
    EXPECT_EQ(DecoratedPathCacheSize(), 1); // taken, not made again
    EXPECT_TRUE(theirs == mine);
    EXPECT_TRUE(Same(here, there));

    // A thread that makes the outline itself makes the same one.
    ClearDecoratedPathCache();
    std::thread fresh([&] { theirs = DecoratedPath(t, 4.0, std::string()); });
    fresh.join();
    EXPECT_TRUE(theirs == mine);
}

// The PNG file of an export holds exactly the pixels drawn, one band or many.
TEST(BandPages, ExportedPngHoldsThePixelsDrawn)
{
    InstallFontSubstitutions();
    CPelmoraDoc doc;
    FillWithTexts(doc);
    TempDir dir;
    for (int dpi : {13, 61, 300}) {
        const std::string path = dir.file("page" + std::to_string(dpi) + ".png");
        std::string error;
        ASSERT_TRUE(pageexport::Export(doc, path, dpi, error)) << error;
        const QImage written(QString::fromStdString(path));
        const QImage drawn = RenderSheet(doc, 210, 297, dpi, 1);
        ASSERT_EQ(written.size(), drawn.size()) << dpi;
        EXPECT_TRUE(Same(drawn, written)) << dpi << " dpi";
        EXPECT_EQ(written.dotsPerMeterX(), int(std::lround(dpi / 0.0254)));
        EXPECT_EQ(written.dotsPerMeterY(), int(std::lround(dpi / 0.0254)));
        EXPECT_EQ(testsupport::Run("pngcheck -q " + Quote(path)).status, 0);
    }
}
