// The whole-sheet image's own steps: the transparent GIF colour, the smoothing of hard
// edges and the fit into the box.
#include "render/PageExport.h"

#include <gtest/gtest.h>

#include <QImage>

using pageexport::GifKey;

TEST(ImageOutput, GifKeyByTheSettings)
{
    EXPECT_EQ(pageexport::GifKeyFor(false, false, false), GifKey::None);
    EXPECT_EQ(pageexport::GifKeyFor(false, true, true), GifKey::None);
    EXPECT_EQ(pageexport::GifKeyFor(true, false, false), GifKey::Teal);
    EXPECT_EQ(pageexport::GifKeyFor(true, true, false), GifKey::White);
    EXPECT_EQ(pageexport::GifKeyFor(true, false, true), GifKey::White);
}

// A 4 x 3 image, black left half and white right half, one grey pixel that is close
// to its neighbours: only the pixels on the hard edge change, to their neighbourhood
// means taken from the image as it was.
TEST(ImageOutput, SmoothingAveragesOnlyHardEdges)
{
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    QImage soft(3, 3, QImage::Format_RGB32);
    soft.fill(qRgb(100, 100, 100));
    soft.setPixel(1, 1, qRgb(130, 100, 100)); // 900 away: not hard
    EXPECT_EQ(pageexport::SmoothHardEdges(soft), soft);

    const QImage out = pageexport::SmoothHardEdges(img);
    // Column 0 does not touch white: unchanged.
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(out.pixel(0, y) & 0xffffff, 0u);
    // Column 1 (black next to white): corners see 2 of 6 white pixels, the middle 3 of 9.
    EXPECT_EQ(out.pixel(1, 0), qRgb(85, 85, 85));
    EXPECT_EQ(out.pixel(1, 1), qRgb(85, 85, 85));
    // Column 2 (white next to black): 4 of 6 white at the corners, 6 of 9 in the middle.
    EXPECT_EQ(out.pixel(2, 0), qRgb(170, 170, 170));
    EXPECT_EQ(out.pixel(2, 1), qRgb(170, 170, 170));
    // Column 3 touches only white.
    EXPECT_EQ(out.pixel(3, 1), qRgb(255, 255, 255));
}

TEST(ImageOutput, FitIntoTheBox)
{
    struct Case {
        QSize size;
        int boxW, boxH;
        QSize want;
    };
    const Case cases[] = {
        {{2000, 1000}, 1200, 1200, {1200, 600}}, // the width limits
        {{1000, 2000}, 1200, 1200, {600, 1200}}, // the height limits
        {{3000, 2000}, 600, 0, {600, 400}},      // free height
        {{3000, 2000}, 0, 500, {750, 500}},      // free width
        {{3000, 2000}, 0, 0, {3000, 2000}},      // no box
        {{100, 50}, 1200, 1200, {1200, 600}},    // small images grow
    };
    for (const Case& c : cases)
        EXPECT_EQ(pageexport::FitToBox(c.size, c.boxW, c.boxH), c.want) << c.boxW << "x" << c.boxH;
}
