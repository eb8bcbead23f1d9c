// Walls, pillars, map line objects, dimension lines and imported plans drawn into
// images and checked at chosen pixels.
#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/LineDraw.h"
#include "render/MapObjectDraw.h"
#include "render/PageDraw.h"
#include "render/PageExport.h"
#include "render/PlanDraw.h"

#include "PageImages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <limits>
#include <memory>

namespace {
constexpr int kDpi = 100;
constexpr QRgb kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff, kBlack = 0, kWhiteRgb = 0xffffff;

// Colours in the file's order: red + 256 x green + 65536 x blue.
constexpr int kFileRed = 255, kFileBlue = 16711680, kFileGreen = 65280;

bool Dark(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) < 200; }

class KindsTest : public ::testing::Test {
protected:
    KindsTest()
    {
        doc.m_plotInfo.m_paperSize = 0; // A4 landscape
        TheAppSwitches() = AppSwitches();
    }
    ~KindsTest() override { TheAppSwitches() = AppSwitches(); }

    // A plan at scale 1 : scale centred on the sheet point (x, y) with sheet layer (g, n).
    CZel& AddPlan(int scale, double x = 0, double y = 0, int type = CZel::TypeMap)
    {
        auto plan = std::make_unique<CZel>();
        plan->m_id = static_cast<int>(doc.m_arZel.m_plans.size()) + 2;
        plan->Reset(0);
        plan->m_type = type;
        plan->m_plot.m_scale = scale;
        plan->m_plot.m_layer.SetKeyedScales(scale);
        plan->m_orgScale = scale;
        plan->m_orgX = x;
        plan->m_orgY = y;
        plan->m_haba = 40;
        doc.m_arZel.m_plans.push_back(std::move(plan));
        return *doc.m_arZel.m_plans.back();
    }
    static CLineObj& AddObject(CZel& plan, int type, std::vector<PelPoint> pts, int colour, int drawType = 2)
    {
        auto o = std::make_unique<CLineObj>();
        o->m_id = static_cast<int>(plan.m_unit.m_objects.size()) + 2;
        o->m_type = type;
        o->m_drawType = drawType;
        o->m_points = std::move(pts);
        o->m_wide = 2;
        o->m_color = colour;
        o->m_edge = 1;
        o->m_edgeColor = 0;
        plan.m_unit.m_objects.push_back(std::move(o));
        return *plan.m_unit.m_objects.back();
    }
    CPelWall& AddWall(CPelUnit& unit, PelPoint a, PelPoint b, int half, int kind = 0)
    {
        auto w = std::make_unique<CPelWall>();
        w->m_id = static_cast<int>(unit.m_walls.size()) + 2;
        w->m_a = a;
        w->m_b = b;
        w->m_wide1 = w->m_wide2 = half;
        w->m_kind = kind;
        // Corners round the outline, as an axis-parallel wall or pillar has them.
        if (kind == 1) {
            w->m_corners = {PelPoint{a.x - half, a.y - half}, PelPoint{a.x - half, a.y + half},
                            PelPoint{a.x + half, a.y + half}, PelPoint{a.x + half, a.y - half}};
        } else {
            double dx = b.x == a.x ? half : 0, dy = b.y == a.y ? half : 0;
            w->m_corners = {PelPoint{a.x - dx, a.y - dy}, PelPoint{a.x + dx, a.y + dy},
                            PelPoint{b.x + dx, b.y + dy}, PelPoint{b.x - dx, b.y - dy}};
        }
        if (kind == 0) { // both long sides are visible edges
            w->m_edgeA = {w->m_corners[0], w->m_corners[1]};
            w->m_edgeB = {w->m_corners[3], w->m_corners[2]};
        }
        unit.m_walls.push_back(std::move(w));
        return *unit.m_walls.back();
    }

    QImage Render() { return testsupport::RenderSheet(doc, 297, 210, kDpi); }
    // The pixel at sheet millimetres (x, y) from the sheet's centre.
    static QRgb At(const QImage& img, double x, double y) { return testsupport::SheetPixel(img, kDpi, x, y); }
    static int CountNonWhite(const QImage& img, double x0, double y0, double x1, double y1)
    {
        int n = 0;
        for (double y = y0; y <= y1; y += 25.4 / kDpi)
            for (double x = x0; x <= x1; x += 25.4 / kDpi)
                n += At(img, x, y) != kWhiteRgb;
        return n;
    }

    CPelmoraDoc doc;
};

// Two roads crossing: the second road's casing must not cut the first road's body.
TEST_F(KindsTest, RoadCasingsLieUnderEveryRoadBody)
{
    CZel& map = AddPlan(10);
    AddObject(map, CLineObj::Road, {{-400, 0}, {400, 0}}, kFileRed);
    AddObject(map, CLineObj::Road, {{0, -400}, {0, 400}}, kFileRed);
    QImage img = Render();
    // Half width 5 pixels: the body 9 pixels wide, the casing 13 (the screen's edge
    // width, as plans are exported uncorrected).
    PageDevice dev;
    dev.printing = true;
    dev.dpiX = dev.dpiY = kDpi;
    const CDrawContext dc = PlanDrawContext(map, dev, MakeDrawContext(doc, dev, 1, 1, true), 0, 2, false);
    EXPECT_EQ(MapHalfWidth(dc, *map.m_unit.m_objects[0]), 5);
    EXPECT_EQ(MapEdgeWidth(dc), 3);
    const double ring = 5.4 * 25.4 / kDpi; // inside the casing, outside the body
    EXPECT_EQ(At(img, 0, 0), kRed);
    EXPECT_EQ(At(img, ring, 0), kRed); // where the vertical road's casing would cross
    EXPECT_EQ(At(img, 0, ring), kRed);
    EXPECT_EQ(At(img, -ring, 0), kRed);
    EXPECT_EQ(At(img, 10, ring), kBlack); // the horizontal road's own casing
    EXPECT_EQ(At(img, ring, 10), kBlack);
    EXPECT_EQ(At(img, 10, 5), kWhiteRgb);
}

TEST_F(KindsTest, RaisedObjectsLieAboveFlatOnesWhateverTheirOrder)
{
    CZel& map = AddPlan(10);
    CLineObj& raised = AddObject(map, CLineObj::Road, {{-400, 0}, {400, 0}}, kFileRed);
    raised.m_raised = 1;
    AddObject(map, CLineObj::Road, {{0, -400}, {0, 400}}, kFileBlue);
    QImage img = Render();
    EXPECT_EQ(At(img, 0, 0), kRed);
    EXPECT_EQ(At(img, 0, 10), kBlue);
    // A flat river is drawn under a flat road, and a raised river above it.
    CLineObj& river = AddObject(map, CLineObj::River, {{-400, 50}, {400, 50}}, kFileGreen);
    river.m_wide = 4;
    AddObject(map, CLineObj::Road, {{300, -400}, {300, 400}}, kFileBlue);
    img = Render();
    EXPECT_EQ(At(img, 30, 5), kBlue);
    river.m_raised = 1;
    img = Render();
    EXPECT_EQ(At(img, 30, 5 - 2), kGreen);
}

TEST_F(KindsTest, RoundEndsAndEdgesFollowTheirFlags)
{
    CZel& map = AddPlan(10);
    CLineObj& road = AddObject(map, CLineObj::Road, {{-300, 0}, {300, 0}}, kFileRed);
    road.m_flag2 = 2; // round start only
    road.m_wide = 4;  // half width 5 mm
    QImage img = Render();
    EXPECT_EQ(At(img, -32, 0), kRed);      // round cap beyond the start
    EXPECT_EQ(At(img, 32, 0), kWhiteRgb);  // flat end
    road.m_edge = 0;                        // the edge takes the body colour
    img = Render();
    EXPECT_EQ(At(img, 0, 5.05), kRed);
    doc.m_arZel.m_plans.back()->m_plot.m_vx3D = 1; // 3D: a grey shadow below and right
    img = Render();
    QRgb shadow = At(img, 0, 5.8);
    EXPECT_EQ(shadow, 0x808080u);
}

TEST_F(KindsTest, JrTrackAlternatesBlackAndWhite)
{
    CZel& map = AddPlan(10);
    CLineObj& rail = AddObject(map, CLineObj::Railway, {{-400, 0}, {400, 0}}, 0);
    rail.m_wide = 4;
    map.m_plot.m_objInfo.m_tJrPitch = 4.0;
    QImage img = Render();
    // 315 pixels in 21 pieces of 15 (3.81 mm) from the left end: even pieces black,
    // odd ones white inside a black border.
    const double piece = 15 * 25.4 / kDpi;
    EXPECT_EQ(At(img, -40 + 0.5 * piece, 0), kBlack);
    EXPECT_EQ(At(img, -40 + 1.5 * piece, 0), kWhiteRgb);
    EXPECT_EQ(At(img, -40 + 2.5 * piece, 0), kBlack);
    EXPECT_EQ(At(img, -40 + 1.5 * piece, 19.5 * 25.4 / kDpi), kBlack); // the border of the white piece
    EXPECT_EQ(At(img, -40 + 1.5 * piece, 4.3), kWhiteRgb);
    // Subway style: rectangles across the track, every third piece left out.
    rail.m_flag1 = 2;
    rail.m_color = kFileBlue;
    img = Render();
    const double half = 7 * 25.4 / kDpi; // half the spacing, whole pixels
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(At(img, -40 + (k + 0.5) * half, 0), k % 3 == 0 ? kWhiteRgb : kBlue) << "piece " << k;
}

TEST_F(KindsTest, EveryDrawTypeIsDrawn)
{
    CZel& map = AddPlan(10);
    AddObject(map, CLineObj::Road, {{-900, -500}, {-700, -500}}, kFileRed, CLineObj::Straight);
    AddObject(map, CLineObj::Road, {{-500, -500}, {-400, -450}, {-300, -500}}, kFileRed, CLineObj::Lines);
    AddObject(map, CLineObj::Road, {{-100, -500}, {0, -480}, {100, -500}}, kFileRed, CLineObj::SmoothCurve);
    CLineObj& arc = AddObject(map, CLineObj::Road, {{500, -300}, {300, -300}, {500, -500}, {700, -300}}, kFileRed,
                              CLineObj::Curve);
    arc.m_params = {200};
    AddObject(map, CLineObj::River, {{-900, 300}, {-700, 300}, {-700, 500}, {-900, 500}}, kFileBlue, CLineObj::Area);
    AddObject(map, CLineObj::Road, {{0, 400}, {100, 400}}, kFileRed, 7); // not drawn
    QImage img = Render();
    EXPECT_EQ(At(img, -80, -50), kRed);
    EXPECT_EQ(At(img, -40, -45.5), kRed);
    EXPECT_EQ(At(img, 0, -48.2), kRed);
    EXPECT_EQ(At(img, 50, -50), kRed);    // the top of the arc through its middle point
    EXPECT_EQ(At(img, 50, -10), kWhiteRgb); // not the other way round
    EXPECT_EQ(At(img, -80, 40), kBlue);
    EXPECT_EQ(At(img, 5, 40), kWhiteRgb);
}

TEST_F(KindsTest, DegenerateObjectsAreSkippedWithoutHarm)
{
    CZel& map = AddPlan(10);
    const double huge = 1e8;
    AddObject(map, CLineObj::Road, {{0, 0}}, kFileRed);                          // one point
    AddObject(map, CLineObj::Road, {{5, 5}, {5, 5}}, kFileRed);                   // no length
    AddObject(map, CLineObj::River, {{0, 0}, {10, 0}}, kFileRed, CLineObj::Area); // area of two points
    CLineObj& noRadius = AddObject(map, CLineObj::Road, {{0, 0}, {1, 0}, {0, 1}, {-1, 0}}, kFileRed, CLineObj::Curve);
    noRadius.m_params = {0};
    AddObject(map, CLineObj::Road, {{0, 0}, {1, 0}, {0, 1}, {-1, 0}}, kFileRed, CLineObj::Curve); // no parameter
    CLineObj& thin = AddObject(map, CLineObj::Railway, {{-huge, -huge}, {huge, huge}, {-huge, huge}}, 0);
    thin.m_wide = -7;
    CLineObj& wild = AddObject(map, CLineObj::River, {{-huge, 0}, {huge, 1}}, kFileBlue, CLineObj::Curve);
    wild.m_points.push_back({0, huge});
    wild.m_points.push_back({huge, 0});
    wild.m_params = {std::numeric_limits<double>::quiet_NaN()};
    CLineObj& hugeArc = AddObject(map, CLineObj::Road, {{0, 0}, {1, 0}, {0, 1}, {-1, 0}}, kFileRed, CLineObj::Curve);
    hugeArc.m_params = {huge};
    map.m_plot.m_objInfo.m_tJrPitch = 1e-9; // track pieces shorter than a pixel
    map.m_plot.m_linePich[0] = 0;           // water arches of no length
    map.m_plot.m_scale = 0;                 // no division by the scale
    map.m_plot.m_objInfo.m_wide.fill(0);    // zero widths
    // Walls and pillars without corners, dimension lines short of data.
    AddWall(doc.m_unit, {0, 0}, {0, 0}, 0);
    AddWall(map.m_unit, {0, 0}, {0, 0}, 0, 1).m_pillarType = 2;
    auto dim = std::make_unique<CPelLine>();
    dim->m_type = CPelLine::Dimension;
    dim->m_points = {{0, 0}, {1, 1}};
    dim->m_params = {1, 2, 3};
    doc.m_unit.m_lines.push_back(std::move(dim));
    for (int vx : {0, 1})
        for (int flag : {0, 1, 2, 3}) {
            map.m_plot.m_vx3D = vx;
            for (auto& o : map.m_unit.m_objects) {
                o->m_flag1 = flag;
                o->m_flag2 = flag;
            }
            Render();
        }
    // Widths far beyond the sheet, and a flat river's water pattern among them.
    map.m_plot.m_objInfo.m_wide.fill(1e4);
    map.m_plot.m_scale = 1;
    map.m_plot.m_linePich[0] = 3.75;
    map.m_plot.m_vx3D = 1;
    AddObject(map, CLineObj::River, {{-400, 300}, {400, 320}}, kFileBlue);
    Render();
    // The objects after them are still drawn.
    map.m_plot.m_objInfo.m_wide.fill(1.5);
    map.m_plot.m_scale = 10;
    map.m_plot.m_vx3D = 0;
    map.m_unit.m_objects.pop_back();
    AddObject(map, CLineObj::Road, {{-400, 600}, {400, 600}}, kFileRed);
    EXPECT_EQ(At(Render(), 20, 60), kRed);
}

TEST_F(KindsTest, WallBodyIsFilledBetweenItsCorners)
{
    struct Case {
        int mode;
        int wallColor;
        QRgb inside;
        QRgb edge;
    } cases[] = {
        {1, kFileRed, kBlack, kBlack},       // solid bars in the pen colour
        {3, kFileRed, kRed, kRed},           // the wall colour, outlined in it
        {4, kFileBlue, kBlue, kBlack},       // the wall colour with black edges
        {2, kFileRed, kWhiteRgb, kBlack},    // white with edges
    };
    for (const Case& c : cases) {
        doc.m_unit.m_walls.clear();
        doc.m_plotInfo.m_wallBlack = c.mode;
        doc.m_plotInfo.m_wallColor = c.wallColor;
        TheAppSwitches().app_hasiraauto = 0;
        AddWall(doc.m_unit, {-50, 0}, {50, 0}, 3);
        QImage img = Render();
        EXPECT_EQ(At(img, 0, 0), c.inside) << "mode " << c.mode;
        EXPECT_EQ(At(img, 0, 1.5), c.inside) << "mode " << c.mode;
        EXPECT_EQ(At(img, 0, -3), c.edge) << "mode " << c.mode;
        EXPECT_EQ(At(img, 0, 4), kWhiteRgb) << "mode " << c.mode;
    }
    // Monochrome turns the wall colour black.
    doc.m_plotInfo.m_sirokuro = 1;
    doc.m_plotInfo.m_wallBlack = 3;
    EXPECT_EQ(At(Render(), 0, 0), kBlack);
}

TEST_F(KindsTest, CornerPillarsFollowTheSwitch)
{
    doc.m_plotInfo.m_wallBlack = 2;
    doc.m_plotInfo.m_hasiraColor = 1; // black squares
    AddWall(doc.m_unit, {-50, 0}, {50, 0}, 3);
    TheAppSwitches().app_hasiraauto = 1;
    QImage on = Render();
    EXPECT_EQ(At(on, -50, 0), kBlack);
    EXPECT_EQ(At(on, 50, 1), kBlack);
    EXPECT_EQ(At(on, 0, 0), kWhiteRgb);
    TheAppSwitches().app_hasiraauto = 0;
    QImage off = Render();
    EXPECT_EQ(At(off, -50, 0), kWhiteRgb);
    EXPECT_EQ(At(off, 50, 1), kWhiteRgb);
    // Other modes have no corner pillars.
    TheAppSwitches().app_hasiraauto = 1;
    doc.m_plotInfo.m_wallBlack = 4;
    doc.m_plotInfo.m_wallColor = kFileBlue;
    EXPECT_EQ(At(Render(), -49, 0), kBlue);
}

TEST_F(KindsTest, PillarKinds)
{
    // A square pillar with a cross, a wide one with one diagonal, a through pillar's circle.
    doc.m_plotInfo.m_hasiraColor = 2;
    AddWall(doc.m_unit, {-60, 0}, {-60, 0}, 5, 1);
    CPelWall& wide = AddWall(doc.m_unit, {0, 0}, {0, 0}, 5, 1);
    wide.m_corners = {PelPoint{-10, -5}, PelPoint{-10, 5}, PelPoint{10, 5}, PelPoint{10, -5}};
    CPelWall& through = AddWall(doc.m_unit, {60, 0}, {60, 0}, 4, 1);
    through.m_pillarType = 2;
    QImage img = Render();
    EXPECT_TRUE(Dark(At(img, -60, 0)));    // the cross
    EXPECT_TRUE(Dark(At(img, -62.5, -2.5)));
    EXPECT_TRUE(Dark(At(img, -57.5, -2.5)));
    EXPECT_TRUE(Dark(At(img, -4, -2)));     // c0 to its opposite corner only
    EXPECT_FALSE(Dark(At(img, 4, -2)));
    EXPECT_TRUE(Dark(At(img, 60 + 12, 0)));  // radius 3 x half width
    EXPECT_FALSE(Dark(At(img, 60 + 8, 0)));
    // Black pillars are filled.
    doc.m_plotInfo.m_hasiraColor = 1;
    img = Render();
    EXPECT_EQ(At(img, -62, 3), kBlack);
    EXPECT_EQ(At(img, 6, 3), kBlack);
}

TEST_F(KindsTest, DimensionLineShowsItsValue)
{
    auto dim = std::make_unique<CPelLine>();
    dim->m_type = CPelLine::Dimension;
    // Orientation 1: the line at y = P1.y - d = 40 - 10 = 30; the value centred on Q.
    dim->m_points = {{-40, 40}, {40, 40}, {0, 28}};
    dim->m_params = {1, 1820, 10};
    doc.m_unit.m_lines.push_back(std::move(dim));
    doc.m_plotInfo.m_sunpoTextHeight = 5;
    QImage img = Render();
    EXPECT_TRUE(Dark(At(img, 20, 30)));  // the dimension line
    EXPECT_TRUE(Dark(At(img, -40, 35))); // an extension line
    EXPECT_EQ(At(img, 20, 25), kWhiteRgb);
    int text = CountNonWhite(img, -10, 28 - 5, 10, 28);
    EXPECT_GT(text, 20);
    EXPECT_EQ(CountNonWhite(img, -30, 28 - 5, -15, 28), 0);
    // A longer value takes more room.
    doc.m_unit.m_lines.back()->m_params[1] = 1820123;
    QImage longer = Render();
    EXPECT_GT(CountNonWhite(longer, -20, 28 - 5, 20, 28), text);
    // Without its distance the line lies on the measured level.
    doc.m_unit.m_lines.back()->m_params = {1, 1820};
    QImage level = Render();
    EXPECT_TRUE(Dark(At(level, 20, 40)));
    EXPECT_EQ(At(level, 20, 30), kWhiteRgb);
    EXPECT_EQ(FormatDimensionValue(12.5, 0), "13");
    EXPECT_EQ(FormatDimensionValue(12.5, 2), "12.50");
}

TEST_F(KindsTest, PlanIsDrawnThroughItsOwnScale)
{
    // 1 : 100 plan centred at (50, 20): a wall from -2000 to 2000 is 40 mm long on paper.
    CZel& plan = AddPlan(100, 50, 20, CZel::TypePlan);
    plan.m_plot.m_wallBlack = 1;
    AddWall(plan.m_unit, {-2000, 0}, {2000, 0}, 100);
    QImage img = Render();
    EXPECT_EQ(At(img, 50, 20), kBlack);
    EXPECT_EQ(At(img, 50 - 19, 20.5), kBlack);
    EXPECT_EQ(At(img, 50 + 19, 19.5), kBlack);
    EXPECT_EQ(At(img, 50 + 22, 20), kWhiteRgb);
    EXPECT_EQ(At(img, 50, 22), kWhiteRgb);
    // Its own settings: monochrome off in the document does not change its mode 1.
    plan.m_plot.m_wallBlack = 2;
    EXPECT_EQ(At(Render(), 50, 20), kWhiteRgb);
}

TEST_F(KindsTest, HiddenLayersHideTheirPlans)
{
    CZel& map = AddPlan(10);
    map.m_layerN = 3;
    AddObject(map, CLineObj::Road, {{-400, 0}, {400, 0}}, kFileRed);
    EXPECT_EQ(At(Render(), 0, 0), kRed);
    doc.m_plotInfo.m_layer.Info(0, 3)->m_type = CLayerInfo::kHidden;
    QImage img = Render();
    EXPECT_EQ(CountNonWhite(img, -50, -10, 50, 10), 0);
    // The plan's own hidden layer hides its objects on it.
    doc.m_plotInfo.m_layer.Info(0, 3)->m_type = 0;
    map.m_unit.m_objects.back()->m_layer2 = 5;
    map.m_plot.m_layer.Info(0, 5)->m_type = CLayerInfo::kHidden;
    EXPECT_EQ(CountNonWhite(Render(), -50, -10, 50, 10), 0);
}

TEST_F(KindsTest, FramesOnTheScreenOnly)
{
    CZel& map = AddPlan(10, 20, 10);
    map.m_haba = 30;
    doc.m_grid.m_visible = 0;
    // Exports carry no frame.
    EXPECT_EQ(CountNonWhite(Render(), -20, -25, 60, 45), 0);

    QImage screen(800, 600, QImage::Format_RGB32);
    screen.fill(Qt::white);
    PageRequest req;
    req.dev.printing = false;
    req.dev.paper = ComputePaperRect(800, 600, 800, 600, 297, 210);
    req.screen = true;
    {
        QPainter p(&screen);
        DrawPage(p, doc, req);
    }
    const CDrawContext dc = MakeDrawContext(doc, req.dev, 0, 1, false);
    QPoint corner1 = dc.t.ToDevice(0, 20 - 30, 10 - 30);
    QPoint centre = dc.t.ToDevice(0, 20, 10);
    int blue = 0;
    for (int d = -13; d <= 13; ++d)
        blue += (screen.pixel(centre.x() + d, centre.y()) & 0xffffff) == kBlue;
    EXPECT_GT(blue, 8); // the dotted cross
    blue = 0;
    for (int y = corner1.y(); y < centre.y(); ++y)
        blue += (screen.pixel(corner1.x(), y) & 0xffffff) == kBlue;
    EXPECT_GT(blue, 5); // the dotted left edge
    // Selected: a solid red frame with corner markers.
    doc.m_zelSel.m_count = 1;
    doc.m_zelSel.m_ids = {map.m_id};
    screen.fill(Qt::white);
    {
        QPainter p(&screen);
        DrawPage(p, doc, req);
    }
    EXPECT_EQ(screen.pixel(corner1 + QPoint(2, 2)) & 0xffffff, kRed);
    EXPECT_EQ(screen.pixel(corner1.x(), (corner1.y() + centre.y()) / 2) & 0xffffff, kRed);
}

TEST_F(KindsTest, PlanLineWidthsComeFromTheSettings)
{
    WidthTables w = PlanLineWidths();
    EXPECT_EQ(w.print[0], 3);
    EXPECT_EQ(w.screen[9], 3);
    EXPECT_EQ(w.linehutosa, 1);
    AppProfile().WriteInt("QLA_T_PlotMenu", "zel_linehutosap_0", 7);
    AppProfile().WriteInt("QLA_T_PlotMenu", "zel_linehutosa", -4);
    w = PlanLineWidths();
    EXPECT_EQ(w.print[0], 7);
    EXPECT_EQ(w.linehutosa, 1);
}

TEST(MapPieces, CountsAndRefusals)
{
    EXPECT_EQ(MapPieceCount(100, 10), 10);
    EXPECT_EQ(MapPieceCount(9, 10), 0);
    EXPECT_EQ(MapPieceCount(100, 0), -1);
    EXPECT_EQ(MapPieceCount(0, 10), 0);
    EXPECT_EQ(MapPieceCount(std::numeric_limits<double>::quiet_NaN(), 10), 0);
}
} // namespace

namespace {
// The live drawing of dragged plans and the rubber square of a corner drag.
TEST_F(KindsTest, DraggedPlansAndResizePreview)
{
    CZel& plan = AddPlan(10, 0, 0);
    plan.m_haba = 50;
    AddObject(plan, CLineObj::Road, {{-300, 0}, {300, 0}}, kFileRed);
    CZel& other = AddPlan(10, 0, 60);
    AddObject(other, CLineObj::Road, {{-300, 0}, {300, 0}}, kFileRed);
    doc.m_zelSel.m_count = 1;
    doc.m_zelSel.m_handle = 3;
    doc.m_zelSel.m_ids = {plan.m_id};
    const CZel before(plan); // the plan at the press
    plan.m_haba = 20;        // what the drag has done so far does not count

    PageDevice dev;
    dev.dpiX = dev.dpiY = 96;
    dev.paper = ComputePaperRect(1000, 800, 1000, 800, 297, 210);
    const CDrawContext page = MakeDrawContext(doc, dev, 0, 1, true);
    QImage img(1000, 800, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        PlanFilter only;
        only.onlySelected = true;
        DrawPlans(p, doc, dev, page, 0, true, only);
        // Corner 3 dragged by (+10, +4) mm: v = 60, a square of half side 60 mm.
        DrawPlanResizePreview(p, before, 3, 0, page.t, 50, 50, 60, 54);
    }
    const QPoint c = page.t.ToDevice(0, 0, 0);
    // the selected plan's road, beside its dotted centre line
    EXPECT_EQ(img.pixel(page.t.ToDevice(0, 10, 0) + QPoint(0, 2)) & 0xffffff, kRed);
    // the other plan is left out (its road would lie along the preview's dotted side)
    EXPECT_EQ(img.pixel(page.t.ToDevice(0, 10, 60) + QPoint(0, -2)) & 0xffffff, kWhiteRgb);
    const int half = TruncPx(page.t.groupScaleX[0] * 60);
    int red = 0;
    for (int y = c.y() - half; y <= c.y() + half; ++y)
        red += (img.pixel(c.x() + half, y) & 0xffffff) == kRed;
    EXPECT_GT(red, half / 2); // the dotted right side of the preview
    // Equal movements take u; a drag back to the far side gives nothing to draw.
    QImage none(1000, 800, QImage::Format_RGB32);
    none.fill(Qt::white);
    {
        QPainter p(&none);
        DrawPlanResizePreview(p, before, 3, 0, page.t, 50, 50, 0, 0);
    }
    for (int x = 0; x < none.width(); x += 3)
        ASSERT_EQ(none.pixel(x, c.y()) & 0xffffff, kWhiteRgb);
}
} // namespace

namespace {
// The document's own map objects appear only on the old layer-group path.
TEST_F(KindsTest, SheetMapObjectsOnlyOnTheOldPath)
{
    auto o = std::make_unique<CLineObj>();
    o->m_type = CLineObj::Road;
    o->m_points = {{-40, 0}, {40, 0}};
    o->m_wide = 2;
    o->m_color = kFileRed;
    o->m_edge = 1;
    doc.m_unit.m_objects.push_back(std::move(o));
    doc.m_plotInfo.m_scale = 10; // half width 1.5 mm at 1 : 10
    EXPECT_EQ(At(Render(), 0, 0), kWhiteRgb);
    TheAppSwitches().app_drawzelold = 1;
    EXPECT_EQ(At(Render(), 0, 0), kRed);
}

// On the screen, walls outside the edit layer follow the grey display.
TEST_F(KindsTest, GreyedWallsOnTheScreen)
{
    struct Case {
        int mode;
        QRgb body;
    } cases[] = {{1, 0xc8c8c8}, {3, 0xc8c8c8}, {4, kBlue}, {2, kWhiteRgb}};
    doc.m_plotInfo.m_layGray = 1;
    doc.m_plotInfo.m_wallColor = kFileBlue;
    doc.m_grid.m_visible = 0;
    TheAppSwitches().app_hasiraauto = 0;
    AddWall(doc.m_unit, {-50, 0}, {50, 0}, 5).m_layer2 = 1;
    PageRequest req;
    req.dev.paper = ComputePaperRect(1000, 800, 1000, 800, 297, 210);
    req.screen = true;
    const CDrawContext dc = MakeDrawContext(doc, req.dev, 0, 1, false);
    for (const Case& c : cases) {
        doc.m_plotInfo.m_wallBlack = c.mode;
        QImage img(1000, 800, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            DrawPage(p, doc, req);
        }
        EXPECT_EQ(img.pixel(dc.t.ToDevice(0, 0, 0)) & 0xffffff, c.body) << "mode " << c.mode;
        if (c.mode == 4 || c.mode == 2) {
            EXPECT_EQ(img.pixel(dc.t.ToDevice(0, 0, -5)) & 0xffffff, 0xc8c8c8u) << "mode " << c.mode;
        }
        // Printing keeps the true colours.
        QImage printed = Render();
        EXPECT_NE(At(printed, 0, 0), 0xc8c8c8u) << "mode " << c.mode;
    }
}
} // namespace

namespace {
int CountDark(const QImage& img, QRect r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Dark(img.pixel(x, y) & 0xffffff);
    return n;
}

// Centre lines of roads, water arches of rivers, and the monochrome display.
TEST_F(KindsTest, CentreLinesWaterAndMonochrome)
{
    CZel& map = AddPlan(10);
    CLineObj& road = AddObject(map, CLineObj::Road, {{-400, 0}, {400, 0}}, kFileRed);
    road.m_wide = 4; // half width 5 mm
    road.m_edgeColor = kFileBlue;
    CLineObj& river = AddObject(map, CLineObj::River, {{-400, 300}, {400, 300}}, kFileGreen);
    river.m_wide = 4;
    const QSize size = pageexport::RasterSize(297, 210, kDpi);
    const QRect riverInside(size.width() / 2 - 100, size.height() / 2 + 118 - 10, 200, 20); // 30 mm down
    QImage img = Render();
    EXPECT_EQ(At(img, 10, 0), kRed);
    EXPECT_GT(CountDark(img, riverInside), 20); // the arches inside the river
    road.m_flag1 = 2;                           // solid centre line in the edge colour
    img = Render();
    EXPECT_EQ(At(img, 10, 0), kBlue);
    EXPECT_EQ(At(img, 10, 2.5), kRed);
    road.m_flag1 = 3; // and the road's edge lines, Wide x 5 units (9.84 pixels) to each side
    img = Render();
    const double px = 25.4 / kDpi;
    EXPECT_EQ(At(img, 10, 9.5 * px), kBlue);
    EXPECT_EQ(At(img, 10, -10.5 * px), kBlue);
    // Monochrome: white bodies, black edges and lines, no arches.
    map.m_plot.m_sirokuro = 1;
    img = Render();
    EXPECT_EQ(At(img, 10, 1), kWhiteRgb);
    EXPECT_EQ(At(img, 10, 0), kBlack);
    EXPECT_EQ(At(img, 10, 30), kWhiteRgb);
    EXPECT_EQ(At(img, 10, 137.5 * px), kBlack); // the river's casing, 19.5 pixels out
    EXPECT_EQ(CountDark(img, riverInside), 0);
}
} // namespace

namespace {
// A map file opened on its own lies in the middle of the sheet.
TEST_F(KindsTest, PlanFileOpenedAloneIsCentred)
{
    testsupport::TempDir dir;
    std::string text = "/START:PELDATA\r\n/START:PlotInfo\r\nPlotScale=10\r\n/START:PlotLayer\r\n";
    for (int g = 0; g < 16; ++g)
        text += "Layer_Scale" + std::to_string(g) + "=10\r\n";
    text += "/END:PlotLayer\r\n/END:PlotInfo\r\n/START:PelUnit\r\n/START:BLK_UnitObj\r\n"
            "MObjPntX=-300\r\nMObjPntY=0\r\nMObjPntX=300\r\nMObjPntY=0\r\nMObjType=0\r\nMObjDrawType=0\r\n"
            "MObjWide=3\r\nMObjColor=255\r\nMObjHuchi=1\r\n/END:BLK_UnitObj\r\n/END:PelUnit\r\n/END:PELDATA\r\n";
    testsupport::WriteFile(dir.file("road.v_x"), text);
    ASSERT_TRUE(doc.OpenPlanFile(dir.file("road.v_x")));
    doc.m_plotInfo.m_paperSize = 0;
    QImage img = Render();
    EXPECT_EQ(At(img, 0, 0), kRed);
    EXPECT_EQ(At(img, -25, 0), kRed);
    EXPECT_EQ(At(img, 25, 0), kRed);
    EXPECT_EQ(At(img, 40, 0), kWhiteRgb);
}
} // namespace
