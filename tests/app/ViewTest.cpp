// The drawing view: page bitmap, fitting, zoom, scrolling and the display switches.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "render/PageExport.h"

#include "PageImages.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>

namespace {
CPelLine& AddRect(CPelmoraDoc& doc, double x0, double y0, double x1, double y1, int colour)
{
    auto l = std::make_unique<CPelLine>();
    l->m_id = static_cast<int>(doc.m_unit.m_lines.size()) + 2;
    l->m_type = CPelLine::Rect;
    l->m_points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    l->m_fill = 1;
    l->m_fillColor = colour;
    l->m_gradation = 0;
    doc.m_unit.m_lines.push_back(std::move(l));
    return *doc.m_unit.m_lines.back();
}

class ViewTest : public ::testing::Test {
protected:
    ViewTest()
    {
        frame.resize(900, 700);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        view = frame.GetView();
    }
    CMainFrame frame;
    CPelmoraView* view = nullptr;
};

TEST_F(ViewTest, TheViewIsTheCentralWidget)
{
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame.centralWidget(), view);
    EXPECT_EQ(view->objectName(), "view");
}

TEST_F(ViewTest, PointerMovesNeverRebuildThePage)
{
    AddRect(*frame.GetDocument(), -50, -30, 50, 30, 255);
    view->Redraw();
    QCoreApplication::processEvents();
    int before = view->PageRebuilds();
    for (int i = 0; i < 20; ++i)
        QTest::mouseMove(view->viewport(), QPoint(100 + i * 10, 100 + i * 5));
    QCoreApplication::processEvents();
    view->viewport()->repaint();
    EXPECT_EQ(view->PageRebuilds(), before);
    // The kept bitmap shows the rectangle in the middle of the sheet.
    PxRect paper = view->PaperRect();
    QPoint centre((paper.left + paper.right) / 2, (paper.top + paper.bottom) / 2);
    EXPECT_EQ(view->PageBitmap().pixel(centre) & 0xffffff, 0xff0000u);
    // An edit marks the page stale: the next paint rebuilds it once.
    frame.GetDocument()->Touch();
    view->viewport()->repaint();
    EXPECT_EQ(view->PageRebuilds(), before + 1);
}

// Pixels strictly between white and black around a thin black diagonal: the ramps of
// antialiased edges.
int GreyPixels(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            n += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 20 && qRed(c) < 235;
        }
    return n;
}

TEST_F(ViewTest, AStillPageIsSmoothedAfterTheQuickRebuild)
{
    CPelmoraDoc& doc = *frame.GetDocument();
    doc.m_grid.m_visible = 0;
    auto l = std::make_unique<CPelLine>();
    l->m_id = 2;
    l->m_type = CPelLine::Straight;
    l->m_points = {{-60, -40}, {60, 35}};
    l->m_color = 0;
    doc.m_unit.m_lines.push_back(std::move(l));
    view->Redraw();
    ASSERT_FALSE(view->PageSmoothed());
    const PxRect paper = view->PaperRect();
    const QPoint centre((paper.left + paper.right) / 2, (paper.top + paper.bottom) / 2);
    const QRect around(centre - QPoint(30, 30), QSize(60, 60));
    const QImage quick = view->PageBitmap();
    const int rebuilds = view->PageRebuilds();
    EXPECT_EQ(GreyPixels(quick, around), 0);

    QElapsedTimer waited;
    waited.start();
    while (!view->PageSmoothed() && waited.elapsed() < 10000)
        QTest::qWait(20);
    ASSERT_TRUE(view->PageSmoothed());
    EXPECT_GE(waited.elapsed(), CPelmoraView::kSmoothDelayMs - 20);
    EXPECT_EQ(view->PageRebuilds(), rebuilds) << "smoothing is not a rebuild";
    const QImage smooth = view->PageBitmap();
    ASSERT_EQ(smooth.size(), quick.size());
    EXPECT_GT(GreyPixels(smooth, around), 20);
    // The same geometry: the line's pixels stay where they were, and far from it the
    // page is the same.
    EXPECT_EQ(smooth.pixel(centre - QPoint(0, 40)), quick.pixel(centre - QPoint(0, 40)));

    // An edit brings the quick page back at once.
    doc.Touch();
    view->viewport()->repaint();
    EXPECT_FALSE(view->PageSmoothed());
    EXPECT_EQ(view->PageRebuilds(), rebuilds + 1);
}

TEST_F(ViewTest, SwitchesToggleRedrawAndShowTheirState)
{
    CPelmoraDoc& doc = *frame.GetDocument();
    struct Case {
        const char* action;
        std::function<int()> value;
    };
    const Case cases[] = {
        {"viewMonochrome", [&] { return doc.m_plotInfo.m_sirokuro; }},
        {"viewGradation", [&] { return doc.m_plotInfo.m_gradation; }},
        {"viewGreyOtherLayers", [&] { return doc.m_plotInfo.m_layGray; }},
        {"viewGrid", [&] { return doc.m_grid.m_visible; }},
    };
    for (const Case& c : cases) {
        QAction* a = frame.findChild<QAction*>(c.action);
        ASSERT_NE(a, nullptr) << c.action;
        EXPECT_TRUE(a->isCheckable());
        int was = c.value(), rebuilds = view->PageRebuilds();
        a->trigger();
        EXPECT_EQ(c.value() != 0, was == 0) << c.action;
        EXPECT_EQ(a->isChecked(), c.value() != 0) << c.action;
        EXPECT_EQ(view->PageRebuilds(), rebuilds + 1) << c.action;
        a->trigger();
        EXPECT_EQ(c.value() != 0, was != 0) << c.action;
    }
}

TEST_F(ViewTest, ZoomOutWholePageAndScrolling)
{
    AddRect(*frame.GetDocument(), -50, -30, 50, 30, 255);
    QSize client = view->viewport()->size();
    view->SetZoom(3);
    EXPECT_EQ(view->ZoomModel().zoom, 3);
    EXPECT_EQ(view->ZoomModel().scroll, QSize(client.width() * 3, client.height() * 3));
    EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);
    int rebuilds = view->PageRebuilds();
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + 40);
    EXPECT_EQ(view->PageRebuilds(), rebuilds + 1); // every scroll redraws
    view->SetZoom(1.2);
    view->ZoomOut();
    EXPECT_EQ(view->ZoomModel().zoom, 1.0);
    EXPECT_EQ(view->ZoomModel().scroll, QSize(0, 0));
    view->SetZoom(5);
    view->WholePage();
    EXPECT_EQ(view->ZoomModel().zoom, 1.0);
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
}

TEST(ScreenPage, FitsTheSheetAndGreysOtherLayersOnScreenOnly)
{
    CPelmoraDoc doc;
    doc.m_plotInfo.m_paperSize = 0;
    doc.m_grid.m_visible = 0;
    CPelLine& r = AddRect(doc, -50, -30, 50, 30, 255);
    r.m_layer2 = 1; // not the edit layer
    r.m_color = 255;
    doc.m_plotInfo.m_layGray = 1;
    CZoomModel zoom;
    QSize client(400, 800); // tall window, landscape sheet: the width limits
    zoom.Resized(client);
    QImage img = CPelmoraView::RenderScreenPage(doc, client, 96, zoom);
    // Paper 380 wide, 268 high, centred vertically; outside it the workspace grey.
    EXPECT_EQ(img.pixel(200, 400) & 0xffffff, 0xffffffu); // a white fill under grey display
    EXPECT_EQ(img.pixel(200, 50) & 0xffffff, qRgb(171, 171, 171) & 0xffffff);
    EXPECT_EQ(img.pixel(200, 266) & 0xffffff, 0xffffffu);  // inside the paper, outside the shape
    EXPECT_EQ(img.pixel(200, 264) & 0xffffff, 0u);         // the frame two pixels above the paper
    // The print keeps the true colours.
    QImage print(pageexport::RasterSize(297, 210, 50), QImage::Format_RGB32);
    print.setDotsPerMeterX(1969);
    print.setDotsPerMeterY(1969);
    pageexport::RenderPage(doc, print);
    EXPECT_EQ(print.pixel(print.width() / 2, print.height() / 2) & 0xffffff, 0xff0000u);
    // A client smaller than the borders paints the workspace and nothing else.
    QImage tiny = CPelmoraView::RenderScreenPage(doc, QSize(15, 15), 96, zoom);
    EXPECT_EQ(tiny.size(), QSize(15, 15));
}
} // namespace


// A full-screen page is drawn in bands side by side: zoomed in and scrolled, quick and
// smoothed, it is the page one drawing makes, page after page. Dotted lines keep their
// dots and tiles their anchor where bands cut them; what may differ is a level or two
// of a gradient row, and a pixel of a sloped edge that a band cuts on the quick page.
TEST(ScreenPage, BandsMakeTheSamePage)
{
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l"));
    const QSize client(1200, 900);
    CZoomModel zoom;
    zoom.Resized(client);
    zoom.SetZoom(3);
    for (const QPoint scroll : {QPoint(0, 0), QPoint(917, 1333), QPoint(1201, 301)}) {
        for (bool smooth : {false, true}) {
            const QImage one = CPelmoraView::RenderScreenPage(doc, client, 96, zoom, scroll, smooth, 1);
            for (int bands : {2, 5}) {
                const QImage many = CPelmoraView::RenderScreenPage(doc, client, 96, zoom, scroll, smooth, bands);
                ASSERT_EQ(many.size(), one.size());
                EXPECT_LE(testsupport::Difference(one, many, 3).above, client.width() * client.height() / 10000)
                    << bands << " bands, scroll " << scroll.x() << "," << scroll.y() << (smooth ? ", smooth" : "");
            }
        }
    }
}
