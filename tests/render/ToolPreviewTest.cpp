// The previews of the curve and outline tools: drawn only once their shape exists,
// in red construction lines or the family's pen as the tool says.
#include "document/PelmoraDoc.h"
#include "render/PageDraw.h"
#include "render/ToolPreview.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest()
    {
        PageDevice dev;
        dev.dpiX = dev.dpiY = 96;
        dev.sheetW = 297;
        dev.sheetH = 210;
        dev.paper = ComputePaperRect(1000, 700, 1000, 700, 297, 210);
        dc = MakeDrawContext(doc, dev, 0, 1, false);
    }
    // Counts of red and of other non-white pixels in the preview.
    std::pair<int, int> Draw(int mode, std::vector<PelPoint> pts, PelPoint pointer)
    {
        QImage img(1000, 700, QImage::Format_RGB32);
        img.fill(Qt::white);
        PreviewInput in;
        in.mode = mode;
        in.points = &pts;
        in.lastPx = dc.t.ToDevice(0, pts.back().x, pts.back().y);
        in.pointerMm = pointer;
        in.pointerPx = dc.t.ToDevice(0, pointer.x, pointer.y);
        {
            QPainter p(&img);
            DrawToolPreview(p, dc, doc.m_plotInfo, in);
        }
        int red = 0, other = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (c == qRgb(255, 255, 255))
                    continue;
                (c == qRgb(255, 0, 0) ? red : other)++;
            }
        return {red, other};
    }

    CPelmoraDoc doc;
    CDrawContext dc;
};

TEST_F(PreviewTest, EllipsesWaitForTheirWidthAndArcsForThreeFreePoints)
{
    doc.m_plotInfo.Style(3).m_color = 0xff0000; // blue: not a construction colour
    EXPECT_EQ(Draw(30, {{0, 0}}, {40, 20}), std::make_pair(0, 0));
    EXPECT_GT(Draw(30, {{0, 0}, {40, 0}}, {10, 20}).second, 100);
    EXPECT_EQ(Draw(27, {{-40, 0}, {40, 0}}, {0, 0}), std::make_pair(0, 0)); // collinear: nothing
    EXPECT_GT(Draw(27, {{-40, 0}, {40, 0}}, {0, 30}).second, 100);
    EXPECT_GT(Draw(27, {{-40, 0}}, {0, 30}).first, 0); // the red cross at the start
}

TEST_F(PreviewTest, RoundedRectanglesAndDoubleLinesAreRedConstructionLines)
{
    EXPECT_EQ(Draw(51, {{-40, -20}, {40, 20}}, {0, 0}), std::make_pair(0, 0)); // radius beyond half the side
    const auto rounded = Draw(51, {{-40, -20}, {40, 20}}, {36, 17});
    EXPECT_GT(rounded.first, 400);
    EXPECT_EQ(rounded.second, 0);
    const auto sides = Draw(29, {{-40, 0}}, {40, 0});
    EXPECT_GT(sides.first, 2 * 250); // two offset lines of about 80 mm each
    EXPECT_EQ(sides.second, 0);
}

TEST_F(PreviewTest, DimensionShowsItsLinesInGreyAfterTwoClicks)
{
    const auto cross = Draw(13, {{0, 0}}, {30, 30});
    EXPECT_GT(cross.second, 15);
    EXPECT_LT(cross.second, 30);
    const auto dim = Draw(13, {{-40, 0}, {40, 0}}, {0, -10});
    EXPECT_GT(dim.second, 250);
    EXPECT_EQ(dim.first, 0);
}
} // namespace
