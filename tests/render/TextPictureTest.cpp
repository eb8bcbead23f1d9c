// Texts and pictures drawn into images, checked at chosen pixels and regions.
#include "TestSupport.h"
#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"
#include "platform/Profile.h"
#include "render/FontSubstitution.h"
#include "render/PageDraw.h"
#include "render/PageExport.h"

#include "PageImages.h"
#include "SheetTexts.h"
#include "render/PictureDraw.h"
#include "render/TextDraw.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <cmath>
#include <memory>

namespace {
constexpr int kDpi = 100;
constexpr ColorRef kRed = 255, kGreen = 0xff00, kBlue = 0xff0000, kMagenta = 0xff00ff;

double Px(double mm) { return mm * kDpi / 25.4; }

// Where the ink of an image lies.
struct Ink {
    QRect box;
    int count = 0;
};
Ink InkOf(const QImage& img, const QRect& area = QRect())
{
    Ink ink;
    const QRect r = area.isNull() ? img.rect() : area.intersected(img.rect());
    int x0 = INT32_MAX, y0 = INT32_MAX, x1 = -1, y1 = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff) {
                ++ink.count;
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
            }
    if (ink.count)
        ink.box = QRect(QPoint(x0, y0), QPoint(x1, y1));
    return ink;
}

class TextPictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallFontSubstitutions(); }

    TextPictureTest()
    {
        doc.m_plotInfo.m_paperSize = 0; // A4 landscape
        ClearDecoratedPathCache();
        ClearPictureCache();
    }

    CPelText& AddText(const char* utf8, double x, double y, double sizeMm = 10, const char* face = "ＭＳ ゴシック")
    {
        return testsupport::AddSheetText(doc, utf8, x, y, sizeMm, face);
    }

    // A picture whose left half is colour a and right half colour b (0xRRGGBB).
    CPelImage& AddPicture(QRgb a, QRgb b, double widthMm, double heightMm)
    {
        QImage img(40, 20, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, (x < 20 ? a : b) | 0xff000000u);
        const std::string path = dir.file("pic" + std::to_string(doc.m_unit.m_pictures.size()) + ".bmp");
        EXPECT_TRUE(img.save(QString::fromStdString(path), "BMP"));
        auto pic = std::make_unique<CPelImage>();
        pic->m_id = static_cast<int>(doc.m_unit.m_pictures.size()) + 1;
        pic->AttachFile(path);
        EXPECT_NE(pic->Bitmap(), nullptr);
        pic->m_width = widthMm;
        pic->m_height = heightMm;
        doc.m_unit.m_pictures.push_back(std::move(pic));
        return *doc.m_unit.m_pictures.back();
    }

    CPelLine& FilledRect(double x0, double y0, double x1, double y1, ColorRef colour)
    {
        auto l = std::make_unique<CPelLine>();
        l->m_id = static_cast<int>(doc.m_unit.m_lines.size()) + 1;
        l->m_type = CPelLine::Rect;
        l->m_points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        l->m_fill = 1;
        l->m_fillColor = static_cast<int>(colour);
        l->m_gradation = 0;
        doc.m_unit.m_lines.push_back(std::move(l));
        return *doc.m_unit.m_lines.back();
    }

    QImage Render(int dpi = kDpi) { return testsupport::RenderSheet(doc, 297, 210, dpi); }
    // The device point of printed millimetres (x, y) on a Render() image.
    static QPoint Dev(const QImage& img, double x, double y)
    {
        return QPoint(img.width() / 2 + static_cast<int>(Px(x)), img.height() / 2 + static_cast<int>(Px(y)));
    }
    static QRgb At(const QImage& img, double x, double y) { return img.pixel(Dev(img, x, y)) & 0xffffff; }

    testsupport::TempDir dir;
    CPelmoraDoc doc;
};

TEST_F(TextPictureTest, JapaneseFacesAreSubstitutedByInstalledFaces)
{
    struct Case {
        const char16_t* face;
        const char* expected;
    } cases[] = {{u"ＭＳ ゴシック", "IPAGothic"}, {u"ＭＳ 明朝", "IPAMincho"}, {u"ＭＳ Ｐゴシック", "IPAPGothic"},
                 {u"ＭＳ Ｐ明朝", "IPAPMincho"}, {u"MS Gothic", "IPAGothic"},   {u"MS PMincho", "IPAPMincho"}};
    for (const Case& c : cases) {
        QFont f(QString::fromUtf16(c.face));
        f.setPixelSize(40);
        EXPECT_EQ(QFontInfo(f).family(), QString::fromLatin1(c.expected)) << QString::fromUtf16(c.face).toStdString();
        EXPECT_TRUE(QRawFont::fromFont(f).supportsCharacter(QChar(0x65e5))); // 日
    }
    // The stored "@" face draws with the face without it; an unknown face with the fallback.
    EXPECT_EQ(ResolveFace(QString::fromUtf16(u"@ＭＳ 明朝"), QString()), QString::fromUtf16(u"ＭＳ 明朝"));
    EXPECT_EQ(ResolveFace(QStringLiteral("No Such Face 123"), QString::fromUtf16(u"ＭＳ ゴシック")),
              QString::fromUtf16(u"ＭＳ ゴシック"));
}

TEST_F(TextPictureTest, MissingFaceStillDrawsJapaneseLetters)
{
    AddText("日本", -50, 0, 10, "存在しない書体");
    AddText("日本", 50, 0, 10, "ＭＳ 明朝");
    QImage img = Render();
    const int h = static_cast<int>(Px(10));
    for (double x : {-50.0, 50.0}) {
        QPoint a = Dev(img, x, 0);
        Ink ink = InkOf(img, QRect(a.x(), a.y(), 2 * h, h));
        EXPECT_GT(ink.count, h * h / 4) << x; // two filled ideographs, not empty boxes
    }
}

TEST_F(TextPictureTest, PlainTextInkLiesInsideItsExtent)
{
    // Seven full-width letters h high: the block is 7h x h, placed by the alignment
    // and rotation around the anchor (in letter heights).
    struct Case {
        int toko, tate, escapement;
        double x0, y0, x1, y1;
    } cases[] = {
        {0, 0, 0, 0, 0, 7, 1},    {1, 0, 0, -3.5, 0, 3.5, 1}, {2, 2, 0, -7, -1, 0, 0},
        {0, 1, 0, 0, -0.5, 7, 0.5}, {0, 0, 900, 0, -7, 1, 0},  {0, 0, 1800, -7, -1, 0, 0},
    };
    for (const Case& c : cases) {
        doc.m_unit.m_texts.clear();
        CPelText& t = AddText("日本語の文字列", 0, 0);
        t.m_font.m_tokoAlign = c.toko;
        t.m_font.m_tateAlign = c.tate;
        t.m_font.m_lfEscapement = c.escapement;
        QImage img = Render();
        const double h = static_cast<int>(Px(10));
        const QPoint o = Dev(img, 0, 0);
        const QRect extent(QPoint(o.x() + static_cast<int>(std::floor(c.x0 * h)) - 2, o.y() + static_cast<int>(std::floor(c.y0 * h)) - 2),
                           QPoint(o.x() + static_cast<int>(std::ceil(c.x1 * h)) + 2, o.y() + static_cast<int>(std::ceil(c.y1 * h)) + 2));
        Ink all = InkOf(img);
        Ink inside = InkOf(img, extent);
        ASSERT_GT(all.count, 0);
        EXPECT_EQ(inside.count, all.count) << c.toko << c.tate << " " << c.escapement;
        // The letters fill their block, not a corner of it.
        const int longSide = std::max(all.box.width(), all.box.height());
        EXPECT_GT(longSide, 6 * h) << c.escapement;
    }
}

TEST_F(TextPictureTest, LetterSpacingWidensLinesAndMovesRightAlignedTexts)
{
    // 5 mm after each letter: the gap between two letters grows by 5 mm, and a
    // right-aligned text ends 5 mm earlier (the spacing after its last letter).
    CPelText& t = AddText("日日", 0, 0);
    auto ink = [&](double kankaku, int toko) {
        t.m_font.m_kankaku = kankaku;
        t.m_font.m_tokoAlign = toko;
        return InkOf(Render()).box;
    };
    const double sp = static_cast<int>(Px(5));
    const QRect plain = ink(0, 0), spaced = ink(5, 0);
    EXPECT_EQ(spaced.left(), plain.left());
    EXPECT_NEAR(spaced.width() - plain.width(), sp, 1);
    const QRect right = ink(0, 2), rightSpaced = ink(5, 2);
    EXPECT_NEAR(right.right() - rightSpaced.right(), sp, 1);
}

TEST_F(TextPictureTest, VerticalTextRunsDownwardsWithUprightLetters)
{
    CPelText& t = AddText("日日日日", 0, 0, 10, "@ＭＳ ゴシック");
    t.m_font.m_lfEscapement = 2700;
    QImage img = Render();
    const int h = static_cast<int>(Px(10));
    const QPoint o = Dev(img, 0, 0);
    Ink ink = InkOf(img);
    ASSERT_GT(ink.count, 0);
    // The column lies below the anchor and to its left, one letter wide.
    EXPECT_GE(ink.box.top(), o.y() - 1);
    EXPECT_LE(ink.box.right(), o.x() + 1);
    EXPECT_GE(ink.box.left(), o.x() - h - 1);
    EXPECT_GT(ink.box.height(), 3 * h);
    // "日" is taller than wide: upright in its cell, not lying on its side.
    Ink first = InkOf(img, QRect(o.x() - h, o.y(), h + 1, h));
    ASSERT_GT(first.count, 0);
    EXPECT_GT(first.box.height(), first.box.width());

    // A second line goes to the left of the first.
    t.m_text = cp932::Lit("日\r\n日");
    Ink two = InkOf(Render());
    EXPECT_LT(two.box.left(), o.x() - h - 1);
}

TEST_F(TextPictureTest, LineOriginsFollowAlignmentAndRotation)
{
    CFontMenu f;
    f.m_size = 10;
    f.m_gyoukan = 5;
    const QPoint a(100, 100);
    // Three lines centred vertically move up by 1.5 letter heights, whatever the pitch.
    f.m_tateAlign = 1;
    auto o = PlainLineOrigins(f, 3, a, 2.0);
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[0], QPoint(100, 70));
    EXPECT_EQ(o[1], QPoint(100, 100));
    EXPECT_EQ(o[2], QPoint(100, 130));
    // Bottom alignment: the last line's bottom at the anchor.
    f.m_tateAlign = 2;
    o = PlainLineOrigins(f, 3, a, 2.0);
    EXPECT_EQ(o[0], QPoint(100, 60));
    EXPECT_EQ(o[2], QPoint(100, 120));
    // Rotated a quarter turn, lines advance to the right; vertical writing to the left.
    f.m_tateAlign = 0;
    f.m_lfEscapement = 900;
    o = PlainLineOrigins(f, 2, a, 2.0);
    EXPECT_EQ(o[1], QPoint(130, 100));
    f.m_lfEscapement = 2700;
    o = PlainLineOrigins(f, 2, a, 2.0);
    EXPECT_EQ(o[1], QPoint(70, 100));

    EXPECT_EQ(FontHeightPx(0.05, 10), 2);
    EXPECT_EQ(FontHeightPx(4.5, 10), 45);
    EXPECT_EQ(FontHeightPx(1e12, 10), 30000);
    EXPECT_EQ(FontHeightPx(std::nan(""), 10), 2);
    EXPECT_EQ(FontHeightPx(-5, 10), 2);
}

TEST_F(TextPictureTest, TextColourRules)
{
    struct Case {
        int sirokuro, gradation, wit;
        ColorRef text, back, wantText, wantBack;
    } cases[] = {
        {1, 0, 0, kWhite, kBlue, kWhite, 0},      // white on blue prints white on black
        {1, 0, 1, kWhite, kBlue, kWhite, kBlue},  // ... and stays white on blue with the switch
        {1, 0, 0, kRed, kBlue, 0, kWhite},        // coloured text: black on white
        {1, 0, 0, kWhite, kWhite, 0, kWhite},     // white on white becomes readable
        {0, 3, 0, kRed, kBlue, 0, kWhite},        // gradation 3
        {0, 1, 0, kRed, kBlue, kRed, kBlue},      // colour display keeps both
    };
    for (const Case& c : cases) {
        ColorContext cc;
        cc.sirokuro = c.sirokuro;
        cc.gradation = c.gradation;
        TextColors col = TextColorsFor(c.text, c.back, cc, c.wit);
        EXPECT_EQ(col.text, c.wantText) << c.sirokuro << c.gradation << c.wit << " " << c.text;
        EXPECT_EQ(col.back, c.wantBack) << c.sirokuro << c.gradation << c.wit << " " << c.text;
    }
}

TEST_F(TextPictureTest, BackgroundFillsTheLineBox)
{
    CPelText& t = AddText("AB", 0, 0);
    t.m_font.m_color = static_cast<int>(kBlue);
    t.m_font.m_bBack = 1;
    t.m_font.m_backColor = static_cast<int>(kGreen);
    QImage img = Render();
    // Just inside the top-left corner of the cell: background, not paper.
    const QPoint o = Dev(img, 0, 0);
    EXPECT_EQ(img.pixel(o.x() + 1, o.y() + 1) & 0xffffff, 0x00ff00u);
    EXPECT_EQ(At(img, -3, 5), 0xffffffu);
}

TEST_F(TextPictureTest, HiddenLayerTextIsNotDrawn)
{
    CPelText& t = AddText("隠れた文字", 0, 0);
    t.m_layer2 = 6;
    CPelText& d = AddText("■", 0, 30);
    d.m_layer2 = 6;
    d.m_huchiFlg = 1;
    doc.m_plotInfo.m_layer.Info(0, 6)->m_type = CLayerInfo::kHidden;
    EXPECT_EQ(InkOf(Render()).count, 0);
    doc.m_plotInfo.m_layer.Info(0, 6)->m_type = 0;
    EXPECT_GT(InkOf(Render()).count, 0);
}

TEST_F(TextPictureTest, DecoratedTextEdgeFillAndOpacity)
{
    // A full-width black square: its middle is fill, its border edge.
    CPelText& t = AddText("■", 0, 0, 30);
    t.m_font.m_color = static_cast<int>(kRed);      // fill
    t.m_font.m_backColor = static_cast<int>(kBlue); // edge
    t.m_huchiAtsumi = 2;
    t.m_huchiFlg = 1;
    QImage probe = Render();
    Ink sq = InkOf(probe);
    ASSERT_GT(sq.count, 0);
    const QPoint mid = sq.box.center();
    struct Case {
        int flag, alpha;
        QRgb centre;
        bool edgeBlue;
    } cases[] = {{1, 100, 0xff0000, true}, {2, 100, 0xffffff, true}, {3, 100, 0xff0000, false}};
    for (const Case& c : cases) {
        t.m_huchiFlg = c.flag;
        t.m_huchiAlpha = c.alpha;
        QImage img = Render();
        Ink ink = InkOf(img);
        ASSERT_GT(ink.count, 0) << c.flag;
        EXPECT_EQ(img.pixel(mid) & 0xffffff, c.centre) << c.flag;
        // Along the middle row, the outermost ink is the edge colour when there is an edge.
        QRgb outer = img.pixel(ink.box.left() + 2, mid.y()) & 0xffffff;
        EXPECT_EQ(outer == 0x0000ff, c.edgeBlue) << c.flag << " " << std::hex << outer;
    }
    // Half opacity lets the paper through.
    t.m_huchiFlg = 3;
    t.m_huchiAlpha = 50;
    QRgb half = Render().pixel(mid) & 0xffffff;
    EXPECT_EQ(half >> 16, 0xffu);
    EXPECT_NEAR(static_cast<int>(half & 0xff), 128, 3);
}

TEST_F(TextPictureTest, DistortionNarrowsTheTopAndTheCacheFollowsEdits)
{
    CPelText& t = AddText("■■■", -40, 0, 20);
    t.m_huchiFlg = 3;
    t.m_huchiType = 2; // trapezoid, narrower at the top
    t.m_huchiKeij = 9;
    QImage img = Render();
    Ink ink = InkOf(img);
    ASSERT_GT(ink.count, 0);
    Ink top = InkOf(img, QRect(0, ink.box.top() + 3, img.width(), 1));
    Ink bottom = InkOf(img, QRect(0, ink.box.bottom() - 3, img.width(), 1));
    EXPECT_LT(top.box.width() + 20, bottom.box.width());

    // An edited text draws anew: the cached outline does not outlive the change.
    t.m_huchiType = 3; // narrower at the bottom
    img = Render();
    ink = InkOf(img);
    top = InkOf(img, QRect(0, ink.box.top() + 3, img.width(), 1));
    bottom = InkOf(img, QRect(0, ink.box.bottom() - 3, img.width(), 1));
    EXPECT_GT(top.box.width(), bottom.box.width() + 20);
    t.m_text = cp932::Lit("■");
    EXPECT_LT(InkOf(Render()).box.width(), ink.box.width() / 2);
    EXPECT_GE(DecoratedPathCacheSize(), 3);
}

TEST_F(TextPictureTest, KeptLetteringMatchesDirectDrawingAndFollowsColours)
{
    CPelText t;
    t.m_text = cp932::Lit("飾り文字\r\nAbc");
    t.m_font.m_faceName = cp932::Lit("ＭＳ 明朝");
    t.m_font.m_size = 12;
    t.m_huchiFlg = 1;
    t.m_huchiAtsumi = 1;
    t.m_huchiType = 4;
    t.m_huchiAlpha = 70;
    auto draw = [&](bool whole, ColorRef fill) {
        QImage img(600, 300, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        // A half-pixel world offset takes the direct way; the same place otherwise.
        if (!whole)
            p.translate(0.5, 0);
        DrawDecoratedText(p, QPointF(whole ? 40 : 39.5, 30), t, 4.0, fill, kBlue, std::string());
        p.end();
        return img;
    };
    const QImage kept = draw(true, kRed), direct = draw(false, kRed);
    ASSERT_GT(InkOf(kept).count, 1000);
    int worst = 0;
    for (int y = 0; y < kept.height(); ++y)
        for (int x = 0; x < kept.width(); ++x) {
            QRgb a = kept.pixel(x, y), b = direct.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 3);
    // Another fill colour is not answered from the kept image of the first.
    const QImage green = draw(true, kGreen);
    int reddish = 0;
    for (int y = 0; y < green.height(); ++y)
        for (int x = 0; x < green.width(); ++x)
            reddish += qRed(green.pixel(x, y)) > 200 && qGreen(green.pixel(x, y)) < 120;
    EXPECT_EQ(reddish, 0);
}

TEST_F(TextPictureTest, PrintRealModeOutlinesMonospacedFacesOnTheScreenOnly)
{
    CPelText t;
    t.m_text = cp932::Lit("日本語");
    t.m_font.m_size = 10;
    t.m_font.m_color = static_cast<int>(kRed); // smoothed letters never give the outline's grey
    PageDevice dev;
    dev.printing = false;
    dev.paper = PxRect{0, 0, 1188, 840};
    CDrawContext dc;
    dc.t = BuildTransform(dev, {}, 1, false);
    TextDrawSettings s;
    s.printRealMode = 1;
    s.fallbackFace = cp932::Lit("ＭＳ ゴシック");
    auto greyPixels = [&](const char* face, bool printing) {
        t.m_font.m_faceName = cp932::Lit(face);
        dc.printing = printing;
        QImage img(1188, 840, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        DrawPelText(p, dc, s, t);
        p.end();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xffffff) == 0x808080;
        return n;
    };
    EXPECT_GT(greyPixels("ＭＳ ゴシック", false), 20);
    EXPECT_EQ(greyPixels("ＭＳ Ｐゴシック", false), 0);
    EXPECT_EQ(greyPixels("ＭＳ ゴシック", true), 0);

    // The outline is the extent of the printed letters: three full-width letters.
    CFontMenu f;
    f.m_size = 10;
    QPolygon q = PrintExtentQuad(f, QPoint(10, 20), cp932::Lit("日本語"), 4.0);
    EXPECT_EQ(q, QPolygon({QPoint(10, 20), QPoint(10, 60), QPoint(130, 60), QPoint(130, 20)}));
    f.m_tokoAlign = 2;
    f.m_tateAlign = 2;
    q = PrintExtentQuad(f, QPoint(200, 100), "AB", 4.0); // half-width letters are half as wide
    EXPECT_EQ(q, QPolygon({QPoint(160, 60), QPoint(160, 100), QPoint(200, 100), QPoint(200, 60)}));
}

TEST_F(TextPictureTest, TransparentPictureShowsWhatLiesBelow)
{
    FilledRect(-60, -30, 60, 30, kRed);
    // Left half magenta (the key), right half green.
    CPelImage& pic = AddPicture(0xff00ff, 0x00ff00, 100, 50);
    struct Case {
        int gifFlg, toukagif2;
        QRgb left;
    } cases[] = {{0, 0, 0xff00ff}, {1, 0, 0xff0000}, {1, 1, 0xff0000}, {1, 3, 0xffffff}};
    for (const Case& c : cases) {
        pic.m_gifFlg = c.gifFlg;
        pic.m_gifColor = static_cast<int>(kMagenta);
        AppProfile().WriteInt("QLA_T_UTILITY", "app_toukagif2", c.toukagif2);
        QImage img = Render();
        EXPECT_EQ(At(img, -25, 0), c.left) << c.gifFlg << c.toukagif2;
        EXPECT_EQ(At(img, 25, 0), 0x00ff00u) << c.gifFlg << c.toukagif2;
        EXPECT_EQ(At(img, 55, 0), 0xff0000u); // the rectangle beside the picture
    }
    AppProfile().WriteInt("QLA_T_UTILITY", "app_toukagif2", 0);
}

TEST_F(TextPictureTest, PicturesLieAboveOrBelowTheTextsOfTheirLayer)
{
    CPelImage& pic = AddPicture(0x00ff00, 0x00ff00, 60, 60);
    (void)pic;
    CPelText& t = AddText("■", -15, -15, 30);
    t.m_huchiFlg = 3;
    t.m_font.m_color = static_cast<int>(kBlue);
    TheAppSwitches().app_gazousita = 0;
    EXPECT_EQ(At(Render(), 0, 0), 0x00ff00u);
    TheAppSwitches().app_gazousita = 1;
    EXPECT_EQ(At(Render(), 0, 0), 0x0000ffu);
    TheAppSwitches().app_gazousita = 0;
}

TEST_F(TextPictureTest, PicturePlacementAndBadInput)
{
    CDrawTransform t;
    t.origin = QPoint(100, 100);
    t.paperScale = 1;
    CPelImage pic;
    pic.m_width = 11; // odd: both halves truncated
    pic.m_height = 10;
    pic.m_offsetX = 5;
    PxRect r = PictureRect(t, pic);
    EXPECT_EQ(r, (PxRect{100, 95, 110, 105}));

    // No bitmap, zero size, empty text, absurd letter heights: nothing drawn, no fault.
    auto none = std::make_unique<CPelImage>();
    none->m_width = 50;
    doc.m_unit.m_pictures.push_back(std::move(none));
    CPelImage& flat = AddPicture(0, 0, 0, 40);
    (void)flat;
    AddText("", 0, 0);
    AddText("\r\n", 0, 0);
    CPelText& huge = AddText("大", 0, 0, 1e9);
    huge.m_font.m_kankaku = 1e300;
    CPelText& nan = AddText("字", 0, 0, std::nan(""));
    nan.m_huchiFlg = 1;
    nan.m_huchiAtsumi = -3;
    QImage img = Render(20);
    EXPECT_EQ(img.size(), pageexport::RasterSize(297, 210, 20));
    huge.m_text.clear();
    nan.m_text.clear();
    EXPECT_EQ(InkOf(Render(20)).count, 0);
}

TEST_F(TextPictureTest, LargePictureDrawsOnlyItsVisiblePartAndScalesAreCached)
{
    // Far larger than the sheet: drawn from the visible part of the source.
    AddPicture(0xff0000, 0x0000ff, 4000, 3000);
    // A source pixel is 100 mm wide: pure colours from its centre on.
    QImage img = Render();
    EXPECT_EQ(At(img, -60, 0), 0xff0000u);
    EXPECT_EQ(At(img, 60, 0), 0x0000ffu);
    EXPECT_EQ(PictureCacheEntries(), 1); // the source only: nothing of the picture's full size

    doc.m_unit.m_pictures.clear();
    ClearPictureCache();
    AddPicture(0xff0000, 0x0000ff, 80, 40);
    Render();
    const int entries = PictureCacheEntries();
    EXPECT_GT(entries, 0);
    Render();
    EXPECT_EQ(PictureCacheEntries(), entries); // same size: nothing new
    // A bitmap loaded again from other pixels is not drawn from the old scaled image.
    {
        QImage blue(40, 20, QImage::Format_RGB32);
        blue.fill(0xff0000ffu);
        CPelImage& pic = *doc.m_unit.m_pictures.back();
        ASSERT_TRUE(blue.save(QString::fromStdString(pic.File()->Path()), "BMP"));
        ASSERT_TRUE(pic.File()->Reload());
        EXPECT_EQ(At(Render(), -20, 0), 0x0000ffu);
    }
    // A picture that goes takes its cached images with it at the next drawing.
    doc.m_unit.m_pictures.clear();
    AddPicture(0x00ff00, 0x00ff00, 80, 40);
    EXPECT_EQ(At(Render(), -20, 0), 0x00ff00u);
    EXPECT_EQ(PictureCacheEntries(), entries);
}
} // namespace
