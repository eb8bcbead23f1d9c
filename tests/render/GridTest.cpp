// Grid lines, axes and ruler labels on the screen page.
#include "document/PelmoraDoc.h"
#include "render/PageDraw.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {
TEST(RulerLabels, PitchMultiplesOrCounts)
{
    struct Case {
        int k, pitch, type;
        const char* expect;
    };
    const Case cases[] = {{0, 5, 0, "0"}, {5, 5, 0, "25"}, {10, 7, 0, "70"}, {5, 5, 1, "5"},
                          {10, 7, 1, "10"}, {5, 5, 2, ""},  {5, 5, -1, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(RulerLabel(c.k, c.pitch, c.type), c.expect) << c.k << " " << c.pitch << " " << c.type;
}

struct GridPage {
    QImage img{QSize(620, 440), QImage::Format_RGB32};
    CDrawTransform t;
    PxRect paper{10, 10, 604, 430}; // 2 px per mm on A4 landscape

    explicit GridPage(const CPelmoraDoc& doc)
    {
        img.fill(Qt::white);
        PageRequest req;
        req.dev.sheetW = 297;
        req.dev.sheetH = 210;
        req.dev.paper = paper;
        req.screen = true;
        req.viewArea = QRect(0, 0, 620, 440);
        QPainter p(&img);
        DrawPage(p, doc, req);
        t = MakeDrawContext(doc, req.dev, 0, 1, false).t;
    }
    QRgb At(int x, int y) const { return img.pixel(x, y) & 0xffffff; }
};

TEST(Grid, LinesAtThePitchAndAxesThroughTheOrigin)
{
    CPelmoraDoc doc;
    doc.m_grid.m_visible = 1;
    doc.m_grid.m_w = 10;
    doc.m_grid.m_d = 10;
    doc.m_grid.m_memori = 0;
    GridPage page(doc);
    const QRgb cyan = qRgb(128, 255, 255) & 0xffffff;
    QPoint o = page.t.origin;
    EXPECT_EQ(page.At(o.x() + 20, o.y() + 7), cyan);  // 10 mm right of the origin
    EXPECT_EQ(page.At(o.x() - 40, o.y() - 7), cyan);  // 20 mm left
    EXPECT_EQ(page.At(o.x() + 7, o.y() + 60), cyan);  // 30 mm down
    EXPECT_EQ(page.At(o.x() + 10, o.y() + 10), 0xffffffu);
    EXPECT_EQ(page.At(o.x(), 20), cyan); // the vertical axis runs across the paper
    EXPECT_EQ(page.At(2, 2), qRgb(171, 171, 171) & 0xffffff); // the workspace around it

    doc.m_grid.m_visible = 0;
    GridPage hidden(doc);
    EXPECT_EQ(hidden.At(o.x() + 20, o.y() + 7), 0xffffffu);
}

TEST(Grid, PitchUnderOnePixelDrawsOnlyTheAxesAndRulersEnd)
{
    CPelmoraDoc doc;
    doc.m_grid.m_visible = 1;
    doc.m_grid.m_memori = 1;
    doc.m_plotInfo.m_layer.m_scales[0] = 1000; // 5 mm at 1:1000 is 0.01 px
    GridPage page(doc);
    const QRgb cyan = qRgb(128, 255, 255) & 0xffffff;
    QPoint o = page.t.origin;
    EXPECT_EQ(page.At(o.x(), o.y() + 50), cyan);
    EXPECT_EQ(page.At(o.x() + 3, o.y() + 50), 0xffffffu);
    EXPECT_EQ(page.At(o.x() + 50, o.y() + 3), 0xffffffu);
}

TEST(Grid, RulersMarkTheGridOnTheLeftAndTopEdges)
{
    CPelmoraDoc doc;
    doc.m_grid.m_visible = 1;
    doc.m_grid.m_w = 5;
    doc.m_grid.m_d = 5;
    doc.m_grid.m_memori = 1;
    GridPage page(doc);
    QPoint o = page.t.origin;
    auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
    // A 10-pixel tick one grid step (10 px) from the origin, a 20-pixel one at five steps.
    EXPECT_TRUE(red(page.At(page.paper.left + 5, o.y() + 10)));
    EXPECT_FALSE(red(page.At(page.paper.left + 15, o.y() + 10)));
    EXPECT_TRUE(red(page.At(page.paper.left + 15, o.y() + 50)));
    EXPECT_TRUE(red(page.At(o.x() - 50, page.paper.top + 15)));
}
} // namespace

namespace {
TEST(SelectionMarkers, SquaresAtPointsAndNothingWhileDragged)
{
    CPelmoraDoc doc;
    doc.m_grid.m_visible = 0;
    auto line = std::make_unique<CPelLine>();
    line->m_id = 7;
    line->m_type = CPelLine::Straight;
    line->m_points = {{-50, 0}, {50, 0}};
    line->m_color = 16711680; // blue
    doc.m_unit.m_lines.push_back(std::move(line));
    auto group = std::make_unique<CPelGroup>();
    group->m_id = 3;
    group->m_min = {10, 20};
    group->m_max = {40, 60};
    doc.m_unit.m_groups.push_back(std::move(group));

    CSelection sel;
    sel.lines = {7};
    sel.groups = {3};
    auto render = [&](bool dragged) {
        QImage img(QSize(620, 440), QImage::Format_RGB32);
        img.fill(Qt::white);
        PageRequest req;
        req.dev.sheetW = 297;
        req.dev.sheetH = 210;
        req.dev.paper = PxRect{10, 10, 604, 430}; // 2 px per mm, origin (307, 220)
        req.screen = true;
        req.viewArea = QRect(0, 0, 620, 440);
        req.selection = &sel;
        req.leaveOutSelection = dragged;
        QPainter p(&img);
        DrawPage(p, doc, req);
        return img;
    };
    QImage img = render(false);
    auto at = [&](const QImage& im, int x, int y) { return im.pixel(x, y) & 0xffffff; };
    const QRgb red = 0xff0000, blue = 0x0000ff;
    EXPECT_EQ(at(img, 307 - 100 + 2, 220 + 2), red); // the line's end points
    EXPECT_EQ(at(img, 307 + 100 - 2, 220 - 2), red);
    EXPECT_EQ(at(img, 307, 220), blue);              // the line itself
    EXPECT_EQ(at(img, 307 + 20, 220 + 40), red);     // the group's corners
    EXPECT_EQ(at(img, 307 + 80, 220 + 120), red);
    EXPECT_EQ(at(img, 307 + 50, 220 + 40), 0xffffffu); // no rotation marker with two selected

    sel.lines.clear();
    QImage single = render(false);
    EXPECT_EQ(at(single, 307 + 50, 220 + 40), blue); // half the group's width along its angle
    EXPECT_EQ(at(single, 307 - 100 + 2, 220 + 2), 0xffffffu);
    sel.lines = {7};

    QImage dragged = render(true);
    EXPECT_EQ(at(dragged, 307, 220), 0xffffffu); // the dragged line is drawn live, not here
    EXPECT_EQ(at(dragged, 307 + 20, 220 + 40), 0xffffffu);
}
} // namespace
