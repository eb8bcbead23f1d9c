// Golden geometry of the creation tools: points in, points out.
#include "document/CurveGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
void ExpectNear(PelPoint got, PelPoint want, double tol = 1e-9)
{
    EXPECT_NEAR(got.x, want.x, tol);
    EXPECT_NEAR(got.y, want.y, tol);
}

struct DimCase {
    PelPoint s, e, h;
    int side;
    double length, offset;
    PelPoint label;
};

TEST(CurveGeometry, DimensionLengthSideOffsetAndLabel)
{
    const DimCase cases[] = {
        {{0, 0}, {100.44, 0}, {50, -10}, 1, 100, 10, {50.22, -10}}, // rounded down by the first decimal
        {{0, 0}, {100.5, 0}, {50, 8}, 3, 101, 8, {50.25, 8}},      // .5 rounds up; below
        {{0, 0}, {0, 50}, {-10, 20}, 2, 50, 10, {-10, 25}},        // vertical, to the left
        {{0, 0}, {0, 50}, {7, 20}, 4, 50, 7, {7, 25}},
        {{0, 0}, {30, 40}, {10, -5}, 1, 50, 45, {15, -5}},         // slanted, height between the xs: horizontal
        {{0, 0}, {30, 40}, {45, 10}, 4, 50, 15, {45, 20}},         // height outside them: vertical
    };
    for (const DimCase& c : cases) {
        const DimensionShape d = PlaceDimension(c.s, c.e, c.h);
        EXPECT_EQ(d.side, c.side) << c.e.x << "," << c.e.y;
        EXPECT_EQ(d.length, c.length);
        EXPECT_NEAR(d.offset, c.offset, 1e-9);
        ExpectNear(d.label, c.label);
    }
}

TEST(CurveGeometry, CircleThroughThreePointsAndCollinearRefused)
{
    const auto c = CircleThrough({10, 0}, {-10, 0}, {0, -10});
    ASSERT_TRUE(c);
    ExpectNear(*c, {0, 0});
    EXPECT_FALSE(CircleThrough({0, 0}, {1, 1}, {2, 2}));
    EXPECT_FALSE(CircleThrough({5, 5}, {5, 5}, {9, 1}));
}

TEST(CurveGeometry, FilletRunsTheArcAwayFromTheThirdPoint)
{
    // Centre (0,0), radius 10: a at 0°, b at 90° (up on screen).
    const auto shortWay = FilletPoints({10, 0}, {0, -10}, {-10, 0}, 2);
    ASSERT_TRUE(shortWay);
    ASSERT_EQ(shortWay->size(), 1u);
    ExpectNear((*shortWay)[0], {10 / std::sqrt(2.0), -10 / std::sqrt(2.0)});
    const auto longWay = FilletPoints({10, 0}, {0, -10}, {10 / std::sqrt(2.0), -10 / std::sqrt(2.0)}, 3);
    ASSERT_TRUE(longWay);
    ASSERT_EQ(longWay->size(), 2u);
    ExpectNear((*longWay)[0], {0, 10});
    ExpectNear((*longWay)[1], {-10, 0});
    EXPECT_EQ(PointAtAngle({1, 1}, 2, 270), (PelPoint{1, 3})); // the quarter angles without trigonometry
    EXPECT_EQ(PointAtAngle({1, 1}, 2, -180), (PelPoint{-1, 1}));
    EXPECT_FALSE(FilletPoints({0, 0}, {5, 5}, {10, 10}, 24));
    EXPECT_FALSE(FilletPoints({0, 0}, {2e7, 0}, {1e7, 1e-3}, 24)); // would leave the coordinate range
}

TEST(CurveGeometry, DoubleLineSidesFollowTheDirectionOfTravel)
{
    // Right to left: the left side lies below the centre line (y grows downwards).
    DoubleLineSides s = OffsetSides({{10, 0}, {0, 0}}, 5, 3);
    ASSERT_EQ(s.left.size(), 2u);
    EXPECT_EQ(s.left[0], (PelPoint{10, 5}));
    EXPECT_EQ(s.right[1], (PelPoint{0, -3}));
    // A corner joins at the intersection of the offset lines; a repeat is skipped.
    s = OffsetSides({{0, 0}, {10, 0}, {10, 0}, {10, 10}}, 5, 5);
    ASSERT_EQ(s.left.size(), 3u);
    ExpectNear(s.left[1], {15, -5});
    ExpectNear(s.right[1], {5, 5});
    ExpectNear(s.left[2], {15, 10});
    // Going straight on, the corner keeps both ends; a slanted segment is offset along its normal.
    s = OffsetSides({{0, 0}, {10, 0}, {20, 0}}, 1, 1);
    EXPECT_EQ(s.left.size(), 3u);
    s = OffsetSides({{0, 0}, {3, 4}}, 5, 5);
    ExpectNear(s.left[0], {4, -3});
    ExpectNear(s.right[1], {-1, 7});
    EXPECT_TRUE(OffsetSides({{1, 1}, {1, 1}}, 5, 5).left.empty());
}

TEST(CurveGeometry, BezierRunsFromTheLastPointToTheFirst)
{
    const std::vector<PelPoint> c = BezierCurve({{0, 0}, {10, 20}, {20, 0}, {20, 0}});
    ASSERT_EQ(c.size(), 21u);
    EXPECT_EQ(c.front(), (PelPoint{20, 0}));
    ExpectNear(c.back(), {0, 0});
    ExpectNear(c[10], {10, 10}); // 0.25 P0 + 0.5 P1 + 0.25 P2
    // Long curves keep finite coefficients (32-bit ones overflowed from 35 points).
    std::vector<PelPoint> many;
    for (int i = 0; i < 55; ++i)
        many.push_back({static_cast<double>(i), static_cast<double>(i % 2)});
    const std::vector<PelPoint> long_ = BezierCurve(many);
    ASSERT_EQ(long_.size(), 21u);
    ExpectNear(long_.front(), many.back());
    ExpectNear(long_.back(), many.front(), 1e-6);
    ExpectNear(long_[10], {27, 0.5}, 1e-6);
    EXPECT_TRUE(BezierCurve({{3, 3}, {3, 3}}).empty());
}

TEST(CurveGeometry, SplineAndSmoothPolygonSampleSevenStepsPerSpanHalfAMillimetreOff)
{
    const std::vector<PelPoint> two = SplineCurve({{0, 0}, {70, 0}, {70, 0}});
    ASSERT_EQ(two.size(), 8u);
    ExpectNear(two.front(), {0.5, 0.5});
    ExpectNear(two.back(), {70.5, 0.5});
    const std::vector<PelPoint> three = SplineCurve({{0, 0}, {50, 30}, {100, 0}});
    ASSERT_EQ(three.size(), 15u);
    ExpectNear(three[7], {50.5, 30.5}); // through the middle click
    EXPECT_TRUE(SplineCurve({{1, 1}}).empty());

    const std::vector<PelPoint> square = {{0, 0}, {0, 40}, {40, 40}, {40, 0}};
    const std::vector<PelPoint> ring = SmoothPolygonOutline(square);
    ASSERT_EQ(ring.size(), 28u);
    for (std::size_t i = 0; i < 4; ++i)
        ExpectNear(ring[7 * i], {square[i].x + 0.5, square[i].y + 0.5}, 1e-9);
    EXPECT_TRUE(SmoothPolygonOutline({{0, 0}, {5, 5}, {0, 0}}).empty());
}

TEST(CurveGeometry, RoundedRectangleRadiusAndOutline)
{
    EXPECT_DOUBLE_EQ(RoundRectRadius({0, 0}, {100, 50}, {97, 54}), 5);
    const std::vector<PelPoint> o = RoundRectOutline({100, 50}, {0, 0}, 10, 4);
    ASSERT_EQ(o.size(), 20u);
    EXPECT_EQ(o.front(), (PelPoint{10, 0}));
    EXPECT_EQ(o[4], (PelPoint{0, 10}));
    EXPECT_EQ(o[5], (PelPoint{0, 40}));
    EXPECT_EQ(o[14], (PelPoint{100, 40}));
    EXPECT_EQ(o[15], (PelPoint{100, 10}));
    EXPECT_EQ(o.back(), (PelPoint{90, 0}));
    EXPECT_TRUE(RoundRectOutline({0, 0}, {100, 50}, 25, 4).empty()); // half the shorter side
    EXPECT_TRUE(RoundRectOutline({0, 0}, {100, 50}, 0, 4).empty());
}
} // namespace

namespace {
TEST(CurveGeometry, BalloonSpikeReplacesTheBaseOnItsSide)
{
    BalloonStyle rect;
    rect.shape = BalloonStyle::RectBody;
    // A 100 x 50 body: the base is a tenth of the diagonal, centred on the bottom side.
    const double half = std::hypot(100.0, 50.0) / 20;
    std::vector<PelPoint> o = BalloonOutline({0, 0}, {100, 50}, {60, 80}, rect, 24, 0);
    ASSERT_EQ(o.size(), 7u);
    EXPECT_EQ(o[1], (PelPoint{0, 50}));
    ExpectNear(o[2], {50 - half, 50});
    EXPECT_EQ(o[3], (PelPoint{60, 80}));
    ExpectNear(o[4], {50 + half, 50});
    EXPECT_EQ(o[5], (PelPoint{100, 50}));
    // Up, at the right end; a small body takes the smallest base.
    rect.side = BalloonStyle::Up;
    rect.place = BalloonStyle::End;
    o = BalloonOutline({0, 0}, {100, 50}, {90, -30}, rect, 24, 0);
    ASSERT_EQ(o.size(), 7u);
    EXPECT_TRUE(std::find(o.begin(), o.end(), PelPoint{100, 0}) != o.end());
    EXPECT_TRUE(std::find(o.begin(), o.end(), PelPoint{100 - 2 * half, 0}) != o.end());
    rect.side = BalloonStyle::Left;
    rect.place = BalloonStyle::Middle;
    o = BalloonOutline({0, 0}, {10, 10}, {-20, 5}, rect, 24, 4);
    ASSERT_EQ(o.size(), 7u);
    EXPECT_TRUE(std::find(o.begin(), o.end(), PelPoint{0, 3}) != o.end());
    EXPECT_TRUE(std::find(o.begin(), o.end(), PelPoint{0, 7}) != o.end());

    // The default: a rounded body, spike down in the middle; an ellipse of 36 points.
    o = BalloonOutline({0, 0}, {100, 50}, {50, 90}, BalloonStyle(), 24, 0);
    EXPECT_EQ(o.size(), 4u * 25 + 3);
    BalloonStyle ellipse;
    ellipse.shape = BalloonStyle::EllipseBody;
    o = BalloonOutline({0, 0}, {100, 50}, {50, 90}, ellipse, 24, 0);
    EXPECT_GT(o.size(), 30u);
    EXPECT_TRUE(std::find(o.begin(), o.end(), PelPoint{50, 90}) != o.end());
    // A body with fewer than three outline points makes nothing.
    EXPECT_TRUE(BalloonOutline({0, 0}, {0.5, 0.5}, {0, 5}, ellipse, 24, 0).empty());
    EXPECT_TRUE(BalloonOutline({0, 0}, {0, 50}, {0, 90}, BalloonStyle(), 24, 0).empty());
}
} // namespace
