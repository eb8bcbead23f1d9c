// The curve and outline tools driven by clicks: the records each makes (kind, points,
// parameters, slot style, layer, group), their degenerate clicks, and undo then redo
// giving back the saved bytes.
#include "EditFixture.h"

#include "document/CurveGeometry.h"
#include "edit/ToolMode.h"

#include <cmath>

namespace {
struct CurveCase {
    const char* name;
    ToolMode mode;
    std::vector<PelPoint> clicks;
    bool doubleClickLast; // the last click is a double-click
    int kind;             // of the first record; -1: nothing created
    int lines;            // records made
    int points;           // of the first record; -1: not checked
    int slot;             // the style slot its colour comes from; -1: a new record's colour
    bool grouped;
};

void PrintTo(const CurveCase& c, std::ostream* os) { *os << c.name; }

class CurveTools : public EditTest, public ::testing::WithParamInterface<CurveCase> {
protected:
    void Enter(const CurveCase& c)
    {
        doc.m_plotInfo.m_layer.m_edit2 = 4;
        for (int f = 0; f < 5; ++f)
            doc.m_plotInfo.m_style[static_cast<std::size_t>(f)].m_color = 1000 + f;
        tools.EnterMode(static_cast<int>(c.mode));
    }
    void Play(const std::vector<PelPoint>& clicks, bool doubleLast)
    {
        for (std::size_t i = 0; i < clicks.size(); ++i) {
            if (doubleLast && i + 1 == clicks.size())
                DoubleClick(clicks[i].x, clicks[i].y);
            else
                Click(clicks[i].x, clicks[i].y);
        }
    }
};

TEST_P(CurveTools, MakeTheirRecordsAndOneUndoStep)
{
    const CurveCase& c = GetParam();
    Enter(c);
    const std::string before = Saved();
    Play(c.clicks, c.doubleClickLast);
    if (c.kind < 0) {
        EXPECT_TRUE(doc.m_unit.m_lines.empty());
        EXPECT_EQ(Saved(), before);
        return;
    }
    ASSERT_EQ(static_cast<int>(doc.m_unit.m_lines.size()), c.lines);
    const CPelLine& l = *doc.m_unit.m_lines.front();
    EXPECT_EQ(l.m_type, c.kind);
    if (c.points >= 0) {
        EXPECT_EQ(static_cast<int>(l.m_points.size()), c.points);
    }
    EXPECT_EQ(l.m_layer2, 4);
    EXPECT_EQ(l.m_color, c.slot < 0 ? CPelLine().m_color : 1000 + c.slot);
    EXPECT_TRUE(tools.Points().empty());
    if (c.grouped) {
        ASSERT_EQ(doc.m_unit.m_groups.size(), 1u);
        const CPelGroup& g = *doc.m_unit.m_groups.front();
        EXPECT_EQ(static_cast<int>(g.m_lineIds.size()), c.lines);
        EXPECT_EQ(g.m_layer2, 4);
        for (const auto& line : doc.m_unit.m_lines) {
            EXPECT_EQ(line->m_groupId, g.m_id);
            for (const PelPoint& p : line->m_points) {
                EXPECT_GE(p.x, g.m_min.x - 1e-9);
                EXPECT_LE(p.y, g.m_max.y + 1e-9);
            }
        }
        EXPECT_EQ(doc.m_sel.groups, std::vector<int>{g.m_id});
        EXPECT_TRUE(doc.m_sel.lines.empty());
    } else {
        EXPECT_TRUE(doc.m_unit.m_groups.empty());
        EXPECT_EQ(doc.m_sel.lines, std::vector<int>{doc.m_unit.m_lines.back()->m_id});
    }
    ExpectOneUndoStep(before);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, CurveTools,
    ::testing::Values(
        CurveCase{"three-point arc", ToolMode::ThreePointArc, {{-40, 0}, {40, 0}, {0, -30}}, false, CPelLine::Arc, 1, 3, 4,
                  false},
        CurveCase{"three collinear points", ToolMode::ThreePointArc, {{-40, 0}, {40, 0}, {0, 0}}, false, -1, 0, 0, 0,
                  false},
        CurveCase{"ellipse", ToolMode::Ellipse, {{0, 0}, {40, 0}, {0, 20}}, false, CPelLine::Circle, 1, 1, 3, false},
        CurveCase{"ellipse width on the centre's vertical",
                  ToolMode::Ellipse,
                  {{0, 0}, {0, 30}, {0, 20}},
                  false,
                  -1,
                  0,
                  0,
                  0,
                  false},
        CurveCase{"elliptic arc",
                  ToolMode::EllipticArc,
                  {{0, 0}, {40, 0}, {0, 20}, {40, -5}, {-40, -5}},
                  false,
                  CPelLine::Arc,
                  1,
                  3,
                  4,
                  false},
        CurveCase{"dimension", ToolMode::Dimension, {{0, 0}, {60, 0}, {30, -10}}, false, CPelLine::Dimension, 1, 3, -1,
                  false},
        CurveCase{"double line", ToolMode::DoubleLine, {{0, 0}, {50, 0}, {50, 40}}, true, CPelLine::Polyline, 2, 3, 0,
                  false},
        CurveCase{"double line of one segment", ToolMode::DoubleLine, {{0, 0}, {50, 0}}, true, CPelLine::Straight, 2, 2,
                  0, false},
        CurveCase{"double line of one point", ToolMode::DoubleLine, {{0, 0}}, true, -1, 0, 0, 0, false},
        CurveCase{"double-line polygon",
                  ToolMode::DoubleLinePolygon,
                  {{0, 0}, {50, 0}, {50, 40}},
                  true,
                  CPelLine::Polygon,
                  1,
                  7,
                  2,
                  false},
        CurveCase{"rounded rectangle", ToolMode::RoundRect, {{-40, -20}, {40, 20}, {36, 17}}, false, CPelLine::Polygon,
                  1, 4 * 25, 1, true},
        CurveCase{"rounded rectangle with too large a radius",
                  ToolMode::RoundRect,
                  {{-40, -20}, {40, 20}, {0, 0}},
                  false,
                  -1,
                  0,
                  0,
                  0,
                  false},
        CurveCase{"balloon", ToolMode::Balloon, {{-40, -20}, {40, 20}, {0, 50}}, false, CPelLine::Polygon, 1, 4 * 25 + 3,
                  1, true},
        CurveCase{"spline", ToolMode::Spline, {{-40, 0}, {0, 30}, {40, 0}}, true, CPelLine::Straight, 14, 2, 0, true},
        CurveCase{"spline through two points", ToolMode::Spline, {{-40, 0}, {40, 0}}, true, CPelLine::Straight, 7, 2, 0,
                  true},
        CurveCase{"Bezier", ToolMode::Bezier, {{-40, 0}, {0, 30}, {40, 0}}, true, CPelLine::Straight, 20, 2, 0, true},
        CurveCase{"smooth polygon closed at its start",
                  ToolMode::SmoothPolygon,
                  {{0, 0}, {0, 40}, {40, 40}, {40, 0}, {0, 0}},
                  false,
                  CPelLine::Polygon,
                  1,
                  28,
                  2,
                  false},
        CurveCase{"smooth polygon of three points does not close",
                  ToolMode::SmoothPolygon,
                  {{0, 0}, {0, 40}, {40, 40}, {0, 0}},
                  false,
                  -1,
                  0,
                  0,
                  0,
                  false}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

class CurveGestures : public EditTest {
protected:
    const CPelLine& Only() const
    {
        EXPECT_EQ(doc.m_unit.m_lines.size(), 1u);
        return *doc.m_unit.m_lines.front();
    }
};

TEST_F(CurveGestures, ThreePointArcPassesThroughItsThirdClick)
{
    for (double side : {-30.0, 30.0}) {
        doc.m_unit.m_lines.clear();
        tools.EnterMode(static_cast<int>(ToolMode::ThreePointArc));
        Click(-40, 0);
        Click(40, 0);
        Click(0, side);
        const CPelLine& l = Only();
        const PelPoint c = l.m_points[0], onArc = Mm(Px(0, side));
        EXPECT_TRUE(OnCcwArc(AngleOf(c, l.m_points[1]), AngleOf(c, l.m_points[2]), AngleOf(c, onArc))) << side;
        EXPECT_NEAR(l.m_params[0], std::hypot(onArc.x - c.x, onArc.y - c.y), 1e-9);
        EXPECT_EQ(tools.Prompt(), "円弧開始点をクリック");
    }
}

TEST_F(CurveGestures, CollinearArcRestartsAtItsFirstPrompt)
{
    tools.EnterMode(static_cast<int>(ToolMode::ThreePointArc));
    Click(-40, 0);
    EXPECT_EQ(tools.Prompt(), "円弧終了点をクリック");
    Click(40, 0);
    EXPECT_EQ(tools.Prompt(), "円弧決定点をクリック");
    Click(0, 0);
    EXPECT_TRUE(doc.m_unit.m_lines.empty());
    EXPECT_TRUE(tools.Points().empty());
    EXPECT_EQ(tools.Prompt(), "円弧開始点をクリック");
}

TEST_F(CurveGestures, EllipseParametersAndPrompts)
{
    tools.EnterMode(static_cast<int>(ToolMode::Ellipse));
    Click(0, 0);
    EXPECT_EQ(tools.Prompt(), "幅の位置をクリック");
    Click(40, 5);
    EXPECT_EQ(tools.Prompt(), "高さ位置をクリック");
    Click(20, 5); // on the width point's row: ignored
    EXPECT_EQ(tools.Points().size(), 2u);
    Click(20, -20);
    const CPelLine& l = Only();
    const PelPoint c = Mm(Px(0, 0)), w = Mm(Px(40, 5)), h = Mm(Px(20, -20));
    ASSERT_EQ(l.m_params.size(), 2u);
    EXPECT_DOUBLE_EQ(l.m_params[0], std::abs(w.x - c.x));
    EXPECT_DOUBLE_EQ(l.m_params[1], std::abs(h.y - c.y) / std::abs(w.x - c.x));
    EXPECT_EQ(tools.Prompt(), "中心点をクリック");
    // A right-click after the centre discards it and returns to select mode.
    tools.EnterMode(static_cast<int>(ToolMode::Ellipse));
    Click(0, 0);
    RightClick(0, 0);
    EXPECT_EQ(tools.Mode(), 0);
}

TEST_F(CurveGestures, DimensionTakesThePlotTextHeight)
{
    doc.m_plotInfo.m_sunpoTextHeight = 4;
    doc.m_plotInfo.Style(CPelLine::Dimension).m_color = 255;
    tools.EnterMode(static_cast<int>(ToolMode::Dimension));
    Click(0, 0);
    Click(0, 60);
    Click(-15, 30);
    const CPelLine& l = Only();
    ASSERT_EQ(l.m_params.size(), 4u);
    EXPECT_EQ(l.m_params[0], 2); // vertical, to the left
    EXPECT_EQ(l.m_params[1], std::round(std::abs(Mm(Px(0, 60)).y - Mm(Px(0, 0)).y)));
    EXPECT_EQ(l.m_params[3], 4);
    EXPECT_EQ(l.m_color, CPelLine().m_color); // no style from the slot
    EXPECT_EQ(tools.Mode(), static_cast<int>(ToolMode::Dimension));
}

TEST_F(CurveGestures, SplineAndBezierCompleteAtTheirPointLimit)
{
    for (ToolMode m : {ToolMode::Spline, ToolMode::Bezier}) {
        doc.m_unit.m_lines.clear();
        doc.m_unit.m_groups.clear();
        tools.EnterMode(static_cast<int>(m));
        for (int i = 0; i < 55; ++i)
            Click(-100 + 3 * i, i % 2 ? 10 : -10);
        EXPECT_EQ(tools.Points().size(), 55u);
        EXPECT_TRUE(doc.m_unit.m_lines.empty());
        Click(90, 50); // the 56th click completes with the 55
        EXPECT_TRUE(tools.Points().empty());
        ASSERT_EQ(doc.m_unit.m_groups.size(), 1u);
        for (const auto& l : doc.m_unit.m_lines)
            for (const PelPoint& p : l->m_points)
                EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && p.x < 100 && p.x > -101);
    }
}

TEST_F(CurveGestures, RightClickDropsTheLastPointOfTheMultiPointTools)
{
    for (ToolMode m : {ToolMode::DoubleLine, ToolMode::Spline, ToolMode::SmoothPolygon, ToolMode::RoundRect}) {
        tools.EnterMode(static_cast<int>(m));
        Click(0, 0);
        Click(30, 20);
        RightClick(30, 20);
        EXPECT_EQ(tools.Points().size(), 1u);
        EXPECT_EQ(tools.Mode(), static_cast<int>(m));
    }
}

TEST_F(CurveGestures, FreeCurveSamplesThePointerAndEndsOnTheNextClick)
{
    tools.EnterMode(static_cast<int>(ToolMode::FreeCurve));
    Click(0, 0);
    EXPECT_EQ(tools.Prompt(), "左クリックで終了");
    const QPoint start = Px(0, 0);
    for (int i = 1; i <= 5; ++i)
        Send(CEditEvent::Move, start + QPoint(7 * i, 0)); // a point every 13 pixels or more
    EXPECT_EQ(tools.Points().size(), 3u);                 // the start, +14 and +28 pixels
    Click(40, 10);
    const CPelLine& l = Only();
    EXPECT_EQ(l.m_type, CPelLine::Polyline);
    ASSERT_EQ(l.m_points.size(), 3u); // the last sample gives way to the closing click
    EXPECT_EQ(l.m_points.back(), Mm(Px(40, 10)));
    EXPECT_EQ(tools.Prompt(), "一点目からマウスの動かしたところに曲線作成、２点目で終了");
    // At 201 points the move itself ends the curve.
    tools.EnterMode(static_cast<int>(ToolMode::FreeCurve));
    Click(-140, -100);
    const QPoint s = Px(-140, -100);
    for (int i = 1; i <= 250; ++i)
        Send(CEditEvent::Move, s + QPoint(13 * (i % 60), 13 * (i / 60 + 1)));
    EXPECT_TRUE(tools.Points().empty());
    ASSERT_EQ(doc.m_unit.m_lines.size(), 2u);
    EXPECT_EQ(doc.m_unit.m_lines.back()->m_points.size(), 201u);
}
} // namespace
