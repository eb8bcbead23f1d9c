// Pages drawn into images, checked at chosen pixels.
#include "document/PelmoraDoc.h"
#include "render/PageExport.h"

#include "PageImages.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

namespace {
constexpr int kDpi = 50;

class RenderTest : public ::testing::Test {
protected:
    RenderTest()
    {
        doc.m_plotInfo.m_paperSize = 0; // A4 landscape
        doc.m_plotInfo.m_gradation = 1;
    }

    CPelLine& Add(int type, std::vector<PelPoint> pts, std::vector<double> params = {})
    {
        auto l = std::make_unique<CPelLine>();
        l->m_id = static_cast<int>(doc.m_unit.m_lines.size()) + 2;
        l->m_type = type;
        l->m_points = std::move(pts);
        l->m_params = std::move(params);
        doc.m_unit.m_lines.push_back(std::move(l));
        return *doc.m_unit.m_lines.back();
    }
    CPelLine& Rect(double x0, double y0, double x1, double y1)
    {
        return Add(CPelLine::Rect, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    }

    QImage Render() { return testsupport::RenderSheet(doc, 297, 210, kDpi); }
    // The pixel at drawing millimetres (x, y) of group 0 at scale 1.
    static QRgb At(const QImage& img, double x, double y) { return testsupport::SheetPixel(img, kDpi, x, y); }
    static bool AllWhite(const QImage& img)
    {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xffffff) != 0xffffff)
                    return false;
        return true;
    }

    CPelmoraDoc doc;
};

TEST_F(RenderTest, FilledRectangleIsRedInsideAndWhiteOutside)
{
    CPelLine& r = Rect(-50, -30, 50, 30);
    r.m_fill = 1;
    r.m_fillColor = 255; // red
    r.m_gradation = 0;
    QImage img = Render();
    EXPECT_EQ(img.size(), QSize(585, 413));
    EXPECT_EQ(At(img, 0, 0), 0xff0000u);
    EXPECT_EQ(At(img, 45, 25), 0xff0000u);
    EXPECT_EQ(At(img, 60, 0), 0xffffffu);
    EXPECT_EQ(At(img, 0, -40), 0xffffffu);
    EXPECT_EQ(At(img, -50, 0), 0x000000u); // the outline
}

TEST_F(RenderTest, HiddenLayerLeavesNoTrace)
{
    CPelLine& r = Rect(-50, -30, 50, 30);
    r.m_fill = 1;
    r.m_fillColor = 255;
    r.m_gradation = 0;
    r.m_layer2 = 3;
    CPelLine& other = Add(CPelLine::Straight, {{-100, 50}, {100, 50}});
    other.m_layer1 = 1; // layer group 1 is drawn only on the old layer path
    doc.m_plotInfo.m_layer.Info(0, 3)->m_type = CLayerInfo::kHidden;
    EXPECT_TRUE(AllWhite(Render()));
    doc.m_plotInfo.m_layer.Info(0, 3)->m_type = 0;
    EXPECT_EQ(At(Render(), 0, 0), 0xff0000u);
}

TEST_F(RenderTest, MonochromeTurnsFillsWhiteExceptBlack)
{
    CPelLine& red = Rect(-100, -30, -10, 30);
    red.m_fill = 1;
    red.m_fillColor = 255;
    red.m_color = 255;
    CPelLine& black = Rect(10, -30, 100, 30);
    black.m_fill = 1;
    black.m_fillColor = 0;
    CPelLine& grad = Add(CPelLine::Circle, {{0, 60}}, {20});
    grad.m_fill = 1;
    grad.m_fillColor = 16711680;
    grad.m_gradation = 1;
    grad.m_fillColor2 = 255;
    doc.m_plotInfo.m_sirokuro = 1;
    QImage img = Render();
    EXPECT_EQ(At(img, -50, 0), 0xffffffu);
    EXPECT_EQ(At(img, -100, 0), 0x000000u); // the red outline is black
    EXPECT_EQ(At(img, 50, 0), 0x000000u);
    EXPECT_EQ(At(img, -15, 60), 0xffffffu); // no gradient in monochrome
    EXPECT_EQ(At(img, 15, 60), 0xffffffu);
}

TEST_F(RenderTest, TilePatternFiveIsOpaqueOverObjectsBelow)
{
    CPelLine& below = Rect(-60, -40, 60, 40);
    below.m_fill = 1;
    below.m_fillColor = 16711680; // blue
    below.m_gradation = 0;
    CPelLine& tile = Rect(-30, -20, 30, 20);
    tile.m_pattern = 5;
    QImage img = Render();
    int black = 0, white = 0, other = 0;
    for (double y = -18; y <= 18; y += 0.5)
        for (double x = -28; x <= 28; x += 0.5) {
            QRgb c = At(img, x, y);
            (c == 0 ? black : c == 0xffffff ? white : other)++;
        }
    EXPECT_EQ(other, 0);
    EXPECT_GT(black, 0);
    EXPECT_GT(white, black / 4); // a diamond covers 25 of 64 cells
    EXPECT_EQ(At(img, -45, 0), 0x0000ffu);
    // The tile is anchored at the device origin: a diamond's centre row is the fourth.
    int cx = img.width() / 2 / 8 * 8;
    int cy = img.height() / 2 / 8 * 8;
    EXPECT_EQ(img.pixel(cx + 3, cy + 3) & 0xffffff, 0u);
    EXPECT_EQ(img.pixel(cx + 7, cy + 7) & 0xffffff, 0xffffffu);
}

TEST_F(RenderTest, HatchedUnfilledPolygonShowsWhatLiesBelow)
{
    CPelLine& below = Rect(-60, -40, 60, 40);
    below.m_fill = 1;
    below.m_fillColor = 16711680; // blue
    below.m_gradation = 0;
    CPelLine& hatch = Add(CPelLine::Polygon, {{-30, -20}, {30, -20}, {30, 20}, {-30, 20}});
    hatch.m_hatch = 1;
    hatch.m_hatchType = 4; // cross
    hatch.m_color = 255;   // red lines
    QImage img = Render();
    int blue = 0, red = 0;
    for (double y = -18; y <= 18; y += 0.3)
        for (double x = -28; x <= 28; x += 0.3) {
            QRgb c = At(img, x, y);
            blue += c == 0x0000ff;
            red += c == 0xff0000;
        }
    EXPECT_GT(blue, 0);
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, red);

    // Filled, the spaces show the fill colour instead.
    hatch.m_fill = 1;
    hatch.m_fillColor = 65280;
    hatch.m_gradation = 0;
    img = Render();
    blue = 0;
    for (double y = -18; y <= 18; y += 0.3)
        for (double x = -28; x <= 28; x += 0.3)
            blue += At(img, x, y) == 0x0000ff;
    EXPECT_EQ(blue, 0);
}

TEST_F(RenderTest, GradientsAndOpacity)
{
    CPelLine& g = Rect(-100, -30, -10, 30);
    g.m_fill = 1;
    g.m_fillColor = 255;      // red ...
    g.m_fillColor2 = 16711680; // ... to blue, left to right
    g.m_gradation = 1;
    CPelLine& t = Rect(10, -30, 100, 30);
    t.m_fill = 1;
    t.m_fillColor = 255;
    t.m_gradation = 0;
    t.m_alpha = 50;
    QImage img = Render();
    QColor left(At(img, -98, 0)), right(At(img, -12, 0));
    EXPECT_GT(left.red(), 230);
    EXPECT_LT(left.blue(), 25);
    EXPECT_GT(right.blue(), 230);
    EXPECT_LT(right.red(), 25);
    // Opacity 50 over white: alpha 127.
    QColor half(At(img, 50, 0));
    EXPECT_EQ(half.red(), 255);
    EXPECT_NEAR(half.green(), 128, 2);
    EXPECT_NEAR(half.blue(), 128, 2);

    // Gradation display off: a plain fill.
    doc.m_plotInfo.m_gradation = 0;
    img = Render();
    EXPECT_EQ(At(img, -12, 0), 0xff0000u);
}

TEST_F(RenderTest, EndMarkersAndAuxiliaryLines)
{
    CPelLine& pl = Add(CPelLine::Polyline, {{-80, 0}, {-40, 20}, {0, 0}});
    pl.m_tanten = 9;     // dots at both ends
    pl.m_arrowWidth = 4; // 4 mm
    CPelLine& sq = Add(CPelLine::Straight, {{20, 40}, {80, 40}});
    sq.m_tanten = 12;
    sq.m_arrowWidth = 4;
    CPelLine& aux = Add(CPelLine::Straight, {{-80, -50}, {80, -50}});
    aux.m_lineType = 5; // not printed
    QImage img = Render();
    auto dark = [](QRgb c) { return qGray(c) < 64; };
    // 4 mm at 50 dpi: 7 pixels, 1.2 mm either side of the end points.
    EXPECT_TRUE(dark(At(img, -80, 1.2)));
    EXPECT_TRUE(dark(At(img, -80, -1.2)));
    EXPECT_TRUE(dark(At(img, 0, -1.2)));
    EXPECT_TRUE(dark(At(img, 81.0, 41.0)));
    EXPECT_TRUE(dark(At(img, 18.8, 38.8)));
    EXPECT_FALSE(dark(At(img, 18.8, 45)));
    EXPECT_EQ(At(img, 0, -50), 0xffffffu);
}

TEST_F(RenderTest, ObjectsWithTooFewPointsAreSkipped)
{
    Add(CPelLine::Rect, {{0, 0}, {10, 0}});
    Add(CPelLine::Polygon, {{0, 0}, {10, 10}});
    Add(CPelLine::Circle, {{0, 0}});            // no radius
    Add(CPelLine::Arc, {{0, 0}, {1, 1}}, {10}); // no end point
    Add(CPelLine::Dimension, {{0, 0}}, {1, 2, 3});
    Add(CPelLine::Polyline, {{0, 0}});
    Add(CPelLine::Circle, {{0, 0}}, {0}); // zero radius
    Add(9, {{0, 0}, {10, 10}});           // unknown kind
    EXPECT_TRUE(AllWhite(Render()));
}
} // namespace

#include "document/AppSwitches.h"

namespace {
TEST_F(RenderTest, OldLayerPathDrawsEveryShownGroup)
{
    CPelLine& g1 = Rect(-50, -30, 50, 30);
    g1.m_fill = 1;
    g1.m_fillColor = 255;
    g1.m_gradation = 0;
    g1.m_layer1 = 1;
    EXPECT_TRUE(AllWhite(Render())); // group 1 is left out of the normal path

    TheAppSwitches().app_drawzelold = 1;
    EXPECT_EQ(At(Render(), 0, 0), 0xff0000u);
    doc.m_plotInfo.m_layer.GroupInfo(1)->m_type = CLayerInfo::kHidden;
    EXPECT_TRUE(AllWhite(Render())); // a hidden group counts on this path
    TheAppSwitches().app_drawzelold = 0;
}
} // namespace

// Bands drawn on threads of their own make the same page as one drawing: nothing is
// cut or doubled where they meet, whatever lies across the seams (the sample flyer has
// pictures, decorated lettering, plans and fills there).
TEST(RenderBands, BandsMakeTheSamePage)
{
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l"));
    const QImage one = testsupport::RenderSheet(doc, 210, 297, 100, 1);
    for (int bands : {2, 3, 7}) {
        const QImage many = testsupport::RenderSheet(doc, 210, 297, 100, bands);
        ASSERT_EQ(many.size(), one.size());
        const testsupport::ImageDifference d = testsupport::Difference(one, many, 0);
        // Scaled pictures may round a level differently in a band of their own.
        EXPECT_LE(d.worst, 2) << bands << " bands";
        EXPECT_LT(d.above, one.width() * one.height() / 100) << bands << " bands"; // pixels that differ at all
    }
}
