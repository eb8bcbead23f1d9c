// Corner pillars where walls meet are painted once, by the last wall to reach the
// corner, and the page is the one every wall end painting its own makes.
#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "render/PageDraw.h"
#include "render/WallDraw.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {
CPelWall& AddWall(CPelUnit& unit, PelPoint a, PelPoint b, double half)
{
    auto w = std::make_unique<CPelWall>();
    w->m_id = static_cast<int>(unit.m_walls.size()) + 2;
    w->m_a = a;
    w->m_b = b;
    w->m_wide1 = w->m_wide2 = half;
    const double dx = b.x == a.x ? half : 0, dy = b.y == a.y ? half : 0;
    w->m_corners = {PelPoint{a.x - dx, a.y - dy}, PelPoint{a.x + dx, a.y + dy}, PelPoint{b.x + dx, b.y + dy},
                    PelPoint{b.x - dx, b.y - dy}};
    w->m_edgeA = {w->m_corners[0], w->m_corners[1]};
    w->m_edgeB = {w->m_corners[3], w->m_corners[2]};
    unit.m_walls.push_back(std::move(w));
    return *unit.m_walls.back();
}

class CornerPillarTest : public ::testing::Test {
protected:
    CornerPillarTest()
    {
        doc.m_plotInfo.m_paperSize = 0;
        doc.m_plotInfo.m_wallBlack = 2;
        TheAppSwitches().app_hasiraauto = 1;
        // A room of four walls, a wall meeting it in a T, a thicker one going on from
        // a corner, a thin one going on from that, and a wall drawn twice over.
        AddWall(doc.m_unit, {-60, -40}, {60, -40}, 3);
        AddWall(doc.m_unit, {60, -40}, {60, 40}, 3);
        AddWall(doc.m_unit, {60, 40}, {-60, 40}, 3);
        AddWall(doc.m_unit, {-60, 40}, {-60, -40}, 3);
        AddWall(doc.m_unit, {0, -40}, {0, 40}, 3);
        AddWall(doc.m_unit, {60, 40}, {100, 40}, 5);
        AddWall(doc.m_unit, {-60, -40}, {60, -40}, 3);
        AddWall(doc.m_unit, {100, 40}, {100, 80}, 3);
        // Last, a far thicker wall whose pillar lies over the T's pillar from elsewhere.
        AddWall(doc.m_unit, {3, -38}, {3, -30}, 20);
        dev.printing = true;
        dev.smooth = true;
        dev.dpiX = dev.dpiY = 100;
        dev.width = 1169;
        dev.height = 827;
    }

    std::vector<const CPelWall*> Walls() const
    {
        std::vector<const CPelWall*> walls;
        for (const auto& w : doc.m_unit.m_walls)
            walls.push_back(w.get());
        return walls;
    }

    // Every wall in order, with the pillars the plan leaves out or with all of them.
    QImage Draw(const CDrawContext& dc, bool planned) const
    {
        QImage img(dev.width, dev.height, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        const CornerPillarSkips skips = planned ? PlanCornerPillars(dc, Walls()) : CornerPillarSkips();
        for (const CPelWall* w : Walls()) {
            auto it = skips.find(w);
            DrawWall(p, dc, *w, it == skips.end() ? 0u : it->second);
        }
        return img;
    }

    CPelmoraDoc doc;
    PageDevice dev;
};
} // namespace

TEST_F(CornerPillarTest, OnlyTheLastWallAtACornerPaintsItsPillar)
{
    const CDrawContext dc = MakeDrawContext(doc, dev, 1, 1, true);
    const std::vector<const CPelWall*> w = Walls();
    const CornerPillarSkips skips = PlanCornerPillars(dc, w);
    auto skipOf = [&](std::size_t i) {
        auto it = skips.find(w[i]);
        return it == skips.end() ? 0u : it->second;
    };
    // The first wall is drawn again last: that copy paints both its corners.
    EXPECT_EQ(skipOf(0), 3u);
    EXPECT_EQ(skipOf(1), 3u); // its start is the repeated wall's end, its end the next wall's start
    // Its start lies inside the thicker wall's pillar drawn later, its end meets the
    // fourth wall's start.
    EXPECT_EQ(skipOf(2), 3u);
    EXPECT_EQ(skipOf(3), 2u); // its end is the repeated wall's start
    EXPECT_EQ(skipOf(4), 1u); // the T: the thick wall's pillar covers its start
    EXPECT_EQ(skipOf(5), 0u); // the thin wall after it does not cover its pillar
    EXPECT_EQ(skipOf(6), 0u);
    EXPECT_EQ(skipOf(7), 0u);
    EXPECT_EQ(skipOf(8), 0u);
}

TEST_F(CornerPillarTest, ThePageIsTheSameAsWithEveryPillar)
{
    for (int colour : {0, 1, 2}) {
        doc.m_plotInfo.m_hasiraColor = colour;
        const CDrawContext dc = MakeDrawContext(doc, dev, 1, 1, true);
        const QImage all = Draw(dc, false), planned = Draw(dc, true);
        EXPECT_TRUE(all == planned) << "pillar colour " << colour;
        const QPoint corner = dc.t.ToDevice(0, -60, -40);
        if (colour == 1) { // black squares, painted over the wall bodies drawn after the first
            EXPECT_EQ(planned.pixel(corner) & 0xffffffu, 0u);
        }
    }
    // Other wall modes draw no corner pillars, so there is nothing to plan.
    doc.m_plotInfo.m_wallBlack = 4;
    EXPECT_TRUE(PlanCornerPillars(MakeDrawContext(doc, dev, 1, 1, true), Walls()).empty());
}
