// The coordinate model, the zoom model, the colour and width rules and the dash
// generator, as tables of cases.
#include "render/FillStyle.h"
#include "render/LineStyle.h"
#include "render/ViewCoords.h"
#include "render/ZoomModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
struct PaperCase {
    int viewW, viewH, clientW, clientH;
    double sheetW, sheetH;
    PxRect expect;
};

TEST(PaperRect, FitsTheSheetIntoTheView)
{
    const PaperCase cases[] = {
        // A4 landscape in a wide window: the height limits, centred horizontally.
        {1000, 500, 1000, 500, 297, 210, {10 + (980 - 678) / 2, 10, 10 + (980 - 678) / 2 + 678, 490}},
        // A4 landscape in a tall window: the width limits, centred vertically.
        {400, 800, 400, 800, 297, 210, {10, 10 + (780 - 268) / 2, 390, 10 + (780 - 268) / 2 + 268}},
        // A client larger than the view area (zoomed out of range) shifts the sheet.
        {400, 800, 600, 900, 297, 210, {110, 10 + (780 - 268) / 2 + 50, 490, 10 + (780 - 268) / 2 + 50 + 268}},
        // A user sheet of 297 x 210 lies exactly like code 0.
        {800, 600, 800, 600, 297, 210, {10, 24, 790, 575}}, // 780 x 210 / 297 = 551.5
    };
    for (const PaperCase& c : cases) {
        PxRect r = ComputePaperRect(c.viewW, c.viewH, c.clientW, c.clientH, c.sheetW, c.sheetH);
        EXPECT_EQ(r, c.expect) << c.viewW << "x" << c.viewH << ": " << r.left << "," << r.top << "," << r.right << ","
                               << r.bottom;
    }
}

TEST(PaperRect, DegenerateViewsGiveAnEmptyRectangle)
{
    EXPECT_TRUE(ComputePaperRect(15, 300, 15, 300, 297, 210).IsEmpty()); // narrower than the borders
    EXPECT_TRUE(ComputePaperRect(300, 20, 300, 20, 297, 210).IsEmpty());
    EXPECT_TRUE(ComputePaperRect(0, 0, 0, 0, 297, 210).IsEmpty());
    EXPECT_TRUE(ComputePaperRect(800, 600, 800, 600, 0, 210).IsEmpty()); // no sheet
}

TEST(Conversions, PrinterAndScreen)
{
    PageDevice printer;
    printer.printing = true;
    printer.dpiX = 600;
    printer.dpiY = 300;
    printer.width = 7016;
    printer.height = 2480;
    EXPECT_EQ(MmToDevice(printer, 25.4, Axis::X), 600);
    EXPECT_EQ(MmToDevice(printer, 25.4, Axis::Y), 300);
    EXPECT_EQ(MmToDevice(printer, 1.0, Axis::X), 23); // 23.62 truncated
    EXPECT_EQ(MmToDevice(printer, -1.0, Axis::X), -23); // towards zero
    EXPECT_DOUBLE_EQ(PaperScale(printer), 300 / 25.4);
    EXPECT_DOUBLE_EQ(GroupFactor(printer, 100), 100);

    PageDevice screen;
    screen.dpiX = screen.dpiY = 96;
    screen.sheetW = 297;
    screen.sheetH = 210;
    screen.paper = PxRect{10, 10, 604, 430}; // 594 x 420: 2 px per mm
    EXPECT_EQ(MmToDevice(screen, 10.6, Axis::X), 21);
    EXPECT_DOUBLE_EQ(DeviceToMm(screen, 21, Axis::Y), 10.5);
    EXPECT_DOUBLE_EQ(PaperScale(screen), 2.0);
    // Group scale x = dpi / 25.4 / factor = paper px per mm / scale.
    std::array<int, kLayerGroups> scales;
    scales.fill(1);
    scales[3] = 100;
    scales[4] = 0; // a zero scale counts as 1
    CDrawTransform t = BuildTransform(screen, scales, 1.0, false);
    EXPECT_NEAR(t.groupScaleX[0], 2.0, 1e-12);
    EXPECT_NEAR(t.groupScaleX[3], 0.02, 1e-12);
    EXPECT_NEAR(t.groupScaleX[4], 2.0, 1e-12);
    EXPECT_EQ(t.origin, QPoint(307, 220));
    EXPECT_EQ(t.ToDevice(0, 10.75, -10.75), QPoint(307 + 21, 220 - 21)); // each product truncated, then origin
    EXPECT_EQ(t.ToDevice(3, 1000, 1000), QPoint(327, 240));
    EXPECT_EQ(t.ToDevice(99, 1, 1), QPoint(309, 222)); // an unknown group uses group 0
}

TEST(Conversions, NoSheetAndHugeValuesStayFinite)
{
    PageDevice screen;
    screen.sheetW = 0;
    screen.sheetH = 0;
    EXPECT_EQ(DeviceToMm(screen, 100, Axis::X), 0);
    EXPECT_EQ(MmToDevice(screen, 100, Axis::X), 0);
    std::array<int, kLayerGroups> scales;
    scales.fill(1);
    CDrawTransform t = BuildTransform(screen, scales, 1.0, false);
    EXPECT_EQ(t.groupScaleX[0], 0);
    EXPECT_EQ(TruncPx(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncPx(1e300), 1 << 28);
    EXPECT_EQ(TruncPx(-1e300), -(1 << 28));
    PageDevice narrow;
    narrow.printing = true;
    narrow.width = 10;
    narrow.height = 10;
    narrow.marginsMm = {50, 50, 50, 50}; // margins larger than the device
    EXPECT_TRUE(DrawableRect(narrow).IsEmpty());
}

TEST(ZoomModel, OutWholePageAndLimits)
{
    CZoomModel z;
    z.Resized(QSize(1500, 1000));
    z.SetZoom(40);
    EXPECT_EQ(z.zoom, 21); // 32000 / 1500
    EXPECT_EQ(z.scroll, QSize(31500, 21000));

    CZoomModel y;
    y.Resized(QSize(800, 600));
    y.SetZoom(1.2);
    EXPECT_TRUE(y.Zoomed());
    EXPECT_EQ(y.ZoomOut(QPoint(50, 50), QSize(800, 600)), QPoint(0, 0));
    EXPECT_EQ(y.zoom, 1.0); // not 0.8
    EXPECT_EQ(y.scroll, QSize(0, 0));

    CZoomModel x;
    x.Resized(QSize(600, 400));
    x.SetZoom(3);
    EXPECT_EQ(x.scroll, QSize(1800, 1200));
    // The view centre stays: (900 + 300) x 1200/1800 - 300 = 500, (600 + 200) x 800/1200 - 200 = 333.
    EXPECT_EQ(x.ZoomOut(QPoint(900, 600), QSize(600, 400)), QPoint(500, 333));
    EXPECT_EQ(x.zoom, 2);
    x.Resized(QSize(10, 10)); // zoomed: the base stays
    EXPECT_EQ(x.base, QSize(600, 400));
    x.WholePage();
    EXPECT_EQ(x.zoom, 1);
    EXPECT_EQ(x.scroll, QSize(0, 0));
    x.SetZoom(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(x.zoom, 1);
}

TEST(ColorRules, OutlinesAndFills)
{
    struct Case {
        ColorRef in;
        int sirokuro, gradation, version;
        bool greyed;
        ColorRef outline, fill;
    };
    const ColorRef red = Rgb(255, 0, 0);
    const Case cases[] = {
        {red, 0, 0, 22001, false, red, red},
        {red, 1, 0, 22001, false, 0, kWhite},
        {kWhite, 1, 0, 22001, false, kWhite, kWhite}, // white stays white in a new format
        {kWhite, 1, 0, 2000, false, 0, kWhite},       // but becomes black in format 2000
        {kWhite, 1, 0, 22000, false, 0, kWhite},      // 22000 % 20000 == 2000
        {0, 1, 0, 22001, false, 0, 0},                // black fill stays black
        {red, 0, 3, 22001, false, 0, kWhite},         // gradation value 3 works like monochrome
        {red, 0, 0, 22001, true, kGreyed, kWhite},
        {red, 1, 0, 22001, true, kGreyed, kWhite},
    };
    for (const Case& c : cases) {
        ColorContext cc{c.sirokuro, c.gradation, c.version, c.greyed};
        EXPECT_EQ(OutlineColor(c.in, cc), c.outline) << c.in << " " << c.sirokuro << " " << c.version;
        EXPECT_EQ(FillColor(c.in, cc), c.fill) << c.in << " " << c.sirokuro << " " << c.version;
    }
}

TEST(ColorRules, MildSecondColour)
{
    EXPECT_EQ(MildSecondColor(Rgb(0, 0, 255), kWhite), Rgb(127, 127, 255));
    EXPECT_EQ(MildSecondColor(Rgb(100, 200, 50), kWhite), Rgb(177, 227, 152));
    EXPECT_EQ(MildSecondColor(Rgb(100, 200, 50), kWhite | 0xff000000u), Rgb(177, 227, 152)); // high byte ignored
    EXPECT_EQ(MildSecondColor(Rgb(100, 200, 50), Rgb(1, 2, 3)), Rgb(1, 2, 3));
}

TEST(WidthClasses, ScreenPrinterAndOldFormats)
{
    WidthTables t;
    t.linehutosa = 2;
    struct Case {
        int cls, version;
        bool printing;
        int expect;
    };
    const Case cases[] = {
        {1, 22001, false, 1}, {6, 22001, false, 3}, {1, 22001, true, 3},  {10, 22001, true, 20},
        {4, 9999, false, 4},  {4, 9999, true, 8},   {0, 22001, true, 3},  {11, 22001, true, 20}, // held in range
    };
    for (const Case& c : cases)
        EXPECT_EQ(PenWidthPx(c.cls, c.version, c.printing, t), c.expect) << c.cls << " " << c.version;
    // Dashed curves print with the screen width (1 pixel in old formats).
    EXPECT_EQ(CurveDashWidthPx(10, 22001, true, t), 3);
    EXPECT_EQ(CurveDashWidthPx(10, 9999, true, t), 1);
}

class Recorder : public StrokeSink {
public:
    void Line(QPoint a, QPoint b) override { lines.push_back({a, b}); }
    void Arc(const QRect&, double s, double span) override { arcs.push_back({s, span}); }
    std::vector<std::pair<QPoint, QPoint>> lines;
    std::vector<std::pair<double, double>> arcs;
};

const float kPitches[14] = {3.75f, 1.25f, 1.25f, 1.25f, 6.25f, 1.25f, 1.25f, 1.25f, 3.25f, 1.25f, 1.25f, 1.25f, 1.25f, 1.25f};

TEST(DashPattern, PixelsAreTruncated)
{
    EXPECT_EQ(DashPatternPx(kDash, kPitches, 10), (std::vector<int>{37, 12}));
    EXPECT_EQ(DashPatternPx(kDashDot, kPitches, 10), (std::vector<int>{62, 12, 12, 12}));
    EXPECT_EQ(DashPatternPx(kDashDotDot, kPitches, 10), (std::vector<int>{32, 12, 12, 12, 12, 12}));
    EXPECT_TRUE(DashPatternPx(kSolid, kPitches, 10).empty());
    EXPECT_TRUE(DashPatternPx(kAuxiliary, kPitches, 10).empty());
}

TEST(DashSegment, HorizontalVerticalAndSloped)
{
    const std::vector<int> dash{37, 12};
    {
        // 10 mm at 10 px/mm: dashes of 37 and gaps of 12 pixels.
        Recorder r;
        int phase = 0;
        int carried = DashSegment(r, dash, QPoint(0, 0), QPoint(100, 0), phase, 0);
        ASSERT_EQ(r.lines.size(), 3u);
        EXPECT_EQ(r.lines[0], std::make_pair(QPoint(0, 0), QPoint(37, 0)));
        EXPECT_EQ(r.lines[1], std::make_pair(QPoint(49, 0), QPoint(86, 0)));
        EXPECT_EQ(r.lines[2], std::make_pair(QPoint(98, 0), QPoint(100, 0))); // the rest of the cut dash
        EXPECT_EQ(phase, 0);
        EXPECT_EQ(carried, 2);
    }
    {
        // Drawn from bottom to top, the pattern still starts at the top end.
        Recorder r;
        int phase = 0;
        DashSegment(r, dash, QPoint(5, 100), QPoint(5, 0), phase, 0);
        ASSERT_FALSE(r.lines.empty());
        EXPECT_EQ(r.lines[0], std::make_pair(QPoint(5, 0), QPoint(5, 37)));
    }
    {
        // A sloped 3-4-5 segment: offsets along x of entry x 3/5.
        Recorder r;
        int phase = 0;
        DashSegment(r, {10, 5}, QPoint(0, 0), QPoint(30, 40), phase, 0);
        ASSERT_GE(r.lines.size(), 2u);
        EXPECT_EQ(r.lines[0], std::make_pair(QPoint(0, 0), QPoint(6, 8)));
        EXPECT_EQ(r.lines[1], std::make_pair(QPoint(9, 12), QPoint(15, 20)));
    }
    {
        // The carried length shortens the first entry, continuing at the phase given.
        Recorder r;
        int phase = 1;
        DashSegment(r, dash, QPoint(0, 0), QPoint(60, 0), phase, 10);
        ASSERT_FALSE(r.lines.empty());
        EXPECT_EQ(r.lines[0], std::make_pair(QPoint(2, 0), QPoint(39, 0)));
    }
}

TEST(DashSegment, DegenerateInputEndsAndDrawsSolid)
{
    Recorder r;
    int phase = 0;
    // A pattern finer than a pixel: one stroke, no endless walk.
    EXPECT_EQ(DashSegment(r, {0, 0}, QPoint(0, 0), QPoint(1 << 27, 0), phase, 0), 0);
    EXPECT_EQ(r.lines.size(), 1u);
    r.lines.clear();
    // A zero-length segment draws nothing but a zero-length stroke the painter skips.
    DashSegment(r, {37, 12}, QPoint(3, 3), QPoint(3, 3), phase, 0);
    for (auto& l : r.lines)
        EXPECT_EQ(l.first, l.second);
    r.lines.clear();
    // Solid lines are one stroke.
    DashSegment(r, {}, QPoint(0, 0), QPoint(10, 10), phase, 5);
    EXPECT_EQ(r.lines.size(), 1u);
}

TEST(DashCurve, CircleWalksFromTheStartAndStopsAtTheSweep)
{
    Recorder r;
    // Box 100 x 100: estimate 2 pi x 50 = 314.16; 31.4 px per 36 degrees.
    DashCurve(r, {31, 31}, QRect(0, 0, 100, 100), true, 0, 90, false);
    ASSERT_FALSE(r.arcs.empty());
    EXPECT_NEAR(r.arcs[0].first, 0, 1e-9);
    double end = r.arcs.back().first + r.arcs.back().second;
    EXPECT_LE(end, 90 + 1e-9);
    // Full ring: dashes of 35.5 degrees every 71; the sixth is cut at 360 exactly.
    Recorder full;
    DashCurve(full, {31, 31}, QRect(0, 0, 100, 100), true, 0, 0, true);
    ASSERT_EQ(full.arcs.size(), 6u);
    EXPECT_NEAR(full.arcs.back().first + full.arcs.back().second, 360, 1e-9);
    // An empty box draws nothing; a pattern finer than a pixel draws solid.
    Recorder none;
    DashCurve(none, {31, 31}, QRect(0, 0, 0, 0), true, 0, 0, true);
    EXPECT_TRUE(none.arcs.empty());
    DashCurve(none, {0, 0}, QRect(0, 0, 10, 10), false, 0, 0, true);
    EXPECT_EQ(none.arcs.size(), 1u);
}

TEST(Directions, CounterClockwiseOnTheScreen)
{
    EXPECT_DOUBLE_EQ(DirectionDeg(0, 0, 1, 0), 0);
    EXPECT_DOUBLE_EQ(DirectionDeg(0, 0, 0, -1), 90); // y grows downwards
    EXPECT_DOUBLE_EQ(DirectionDeg(0, 0, 0, 1), 270);
    EXPECT_DOUBLE_EQ(DirectionDeg(2, 2, 2, 2), 0); // coinciding points point right
}
} // namespace
