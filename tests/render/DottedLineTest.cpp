// Dotted one-pixel lines: the dots lie every third pixel counted from a figure's first
// point, wherever the device cuts the figure.
#include "render/LineStyle.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {
QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool Black(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xffffff) == 0; }
} // namespace

TEST(DottedLine, DotsCountFromTheFirstPointEvenFarOffTheDevice)
{
    // A line starting two hundred million pixels to the left (a strongly zoomed view)
    // is dotted only where it is seen, with the phase it has there.
    const int start = -200000001;
    QImage img = Blank(60, 5);
    {
        QPainter p(&img);
        const QPoint line[2] = {{start, 2}, {400000000, 2}};
        DrawDottedPolyline(p, line, 2, false, Qt::black);
    }
    for (int x = 0; x < img.width(); ++x)
        EXPECT_EQ(Black(img, x, 2), (std::int64_t(x) - start) % 3 == 0) << x;
    for (int x = 0; x < img.width(); ++x)
        EXPECT_FALSE(Black(img, x, 1)) << x;
}

TEST(DottedLine, AClippedCopyMatchesTheWhole)
{
    // A closed figure and an ellipse drawn whole, and drawn into two halves of the
    // device translated as the bands of a page are: the same dots.
    const QPoint square[4] = {{3, 3}, {3, 52}, {77, 52}, {77, 3}};
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(10, 8, 50, 37));
    auto draw = [&](QPainter& p) {
        DrawDottedPolyline(p, square, 4, true, Qt::black);
        DrawDottedPath(p, ellipse, Qt::black);
    };
    QImage whole = Blank(80, 56);
    {
        QPainter p(&whole);
        draw(p);
    }
    QImage halves = Blank(80, 56);
    for (int top : {0, 23}) {
        QImage band = Blank(80, top ? 56 - top : 23);
        {
            QPainter p(&band);
            p.translate(0, -top);
            draw(p);
        }
        QPainter into(&halves);
        into.drawImage(0, top, band);
    }
    int dots = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) {
            dots += Black(whole, x, y);
            ASSERT_EQ(Black(whole, x, y), Black(halves, x, y)) << x << "," << y;
        }
    EXPECT_GT(dots, 80); // a third of the square's 246 pixels and of the ellipse's
}
