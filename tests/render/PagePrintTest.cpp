// The paper a sheet prints on, the print position and where the printed page lands.
#include "document/Paper.h"
#include "document/PelLine.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/PagePrint.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>

TEST(PagePrint, EverySheetPrintsOnItsPaperTheRightWayRound)
{
    struct Case {
        int code;
        QPageSize::PageSizeId id; // Custom: by millimetres (Qt may name a size it knows)
        double shortMm, longMm;
        bool landscape;
    };
    const Case cases[] = {
        {0, QPageSize::A4, 210, 297, true},       {6, QPageSize::A4, 210, 297, false},
        {1, QPageSize::JisB4, 257, 364, true},    {10, QPageSize::JisB4, 257, 364, false},
        {2, QPageSize::A3, 297, 420, true},       {9, QPageSize::A3, 297, 420, false},
        {3, QPageSize::A2, 420, 594, true},       {21, QPageSize::A2, 420, 594, false},
        {4, QPageSize::A1, 594, 841, true},       {20, QPageSize::A1, 594, 841, false},
        {5, QPageSize::JisB5, 182, 257, true},    {7, QPageSize::JisB5, 182, 257, false},
        {12, QPageSize::A5, 148, 210, true},      {13, QPageSize::A5, 148, 210, false},
        {14, QPageSize::JisB1, 728, 1030, true},  {15, QPageSize::JisB1, 728, 1030, false},
        {16, QPageSize::JisB2, 515, 728, true},   {17, QPageSize::JisB2, 515, 728, false},
        {18, QPageSize::JisB3, 364, 515, true},   {19, QPageSize::JisB3, 364, 515, false},
        {8, QPageSize::Custom, 100, 148, false},  {22, QPageSize::Custom, 100, 148, true},
        {23, QPageSize::Custom, 89, 127, true},   {24, QPageSize::Custom, 89, 127, false},
        {25, QPageSize::Custom, 55, 91, true},
    };
    for (const Case& c : cases) {
        const QPageLayout l = pageprint::LayoutFor(paper::Entry(c.code));
        if (c.id != QPageSize::Custom) {
            EXPECT_EQ(l.pageSize().id(), c.id) << c.code;
        }
        const QSizeF mm = l.pageSize().size(QPageSize::Millimeter);
        EXPECT_NEAR(mm.width(), c.shortMm, 0.5) << c.code;
        EXPECT_NEAR(mm.height(), c.longMm, 0.5) << c.code;
        EXPECT_EQ(l.orientation() == QPageLayout::Landscape, c.landscape) << c.code;
        EXPECT_EQ(l.margins(), QMarginsF(0, 0, 0, 0)) << c.code;
        EXPECT_EQ(l.mode(), QPageLayout::FullPageMode) << c.code;
    }
    // The user size: either way round, the short side across the paper.
    for (auto [w, h, land] : {std::tuple{250, 120, true}, std::tuple{120, 250, false}}) {
        const QPageLayout l = pageprint::LayoutFor(paper::Effective(paper::kUserCode, w, h));
        EXPECT_EQ(l.fullRect(QPageLayout::Millimeter).size(), QSizeF(w, h));
        EXPECT_EQ(l.orientation() == QPageLayout::Landscape, land);
    }
}

TEST(PagePrint, PrintPositionOutsideTheRangeCountsAsNone)
{
    struct Case {
        int x, y, wantX, wantY;
    };
    const Case cases[] = {{-5, 12, -5, 12}, {32000, -32000, 32000, -32000}, {32001, 3, 0, 0}, {4, -40000, 0, 0}};
    for (const Case& c : cases) {
        pageprint::WritePrintMove({c.x, c.y});
        EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "print_move_x", 99), c.wantX);
        EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "print_move_y", 99), c.wantY);
        const pageprint::PrintMove m = pageprint::ReadPrintMove();
        EXPECT_EQ(m.xMm, c.wantX);
        EXPECT_EQ(m.yMm, c.wantY);
    }
    // A value stored out of range by hand moves nothing.
    AppProfile().WriteInt("QLA_T_UTILITY", "print_move_x", 50000);
    EXPECT_EQ(pageprint::ReadPrintMove().xMm, 0);
    EXPECT_EQ(pageprint::ReadPrintMove().yMm, 0);
    AppProfile().Remove("QLA_T_UTILITY", "print_move_x");
    AppProfile().Remove("QLA_T_UTILITY", "print_move_y");
}

// The sheet's centre lands on the page's centre, moved by the print position.
TEST(PagePrint, ThePrintPositionMovesTheDrawingOrigin)
{
    CPelmoraDoc doc;
    doc.m_plotInfo.m_paperSize = 6; // A4 portrait
    CPelLine* line = doc.m_unit.AddLine(CPelLine::Straight, doc.m_plotInfo);
    ASSERT_NE(line, nullptr);
    line->m_points = {{0, -10}, {0, 10}};
    constexpr int kDpi = 100;
    for (auto [mx, my] : {std::pair{0, 0}, std::pair{10, -5}, std::pair{-7, 3}}) {
        QImage page(827, 1169, QImage::Format_RGB32); // A4 at 100 dpi
        page.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254));
        page.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254));
        page.fill(Qt::white);
        QPainter p(&page);
        pageprint::DrawPrintedPage(p, doc, page, {mx, my});
        p.end();
        // The dark column and the line's middle row.
        int minX = page.width(), maxX = -1, minY = page.height(), maxY = -1;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        ASSERT_GE(maxX, 0) << mx;
        const double cx = (minX + maxX + 1) / 2.0 - page.width() / 2.0, cy = (minY + maxY + 1) / 2.0 - page.height() / 2.0;
        EXPECT_NEAR(cx, mx * kDpi / 25.4, 1.5) << mx;
        EXPECT_NEAR(cy, my * kDpi / 25.4, 1.5) << my;
        EXPECT_NEAR(maxY - minY + 1, 20 * kDpi / 25.4, 3) << my;
    }
}
