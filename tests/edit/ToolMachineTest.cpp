// The state machine driven by tables of clicks: the records each tool creates, the
// gestures' ends, and undo/redo giving back the very bytes that were saved.
#include "EditFixture.h"

#include "edit/ToolMode.h"

namespace {
const CPelLine& OnlyLine(const CPelmoraDoc& doc)
{
    EXPECT_EQ(doc.m_unit.m_lines.size(), 1u);
    return *doc.m_unit.m_lines.front();
}

struct ShapeCase {
    const char* name;
    ToolMode mode;
    std::vector<PelPoint> clicks;
    int kind;   // -1: nothing created
    int points; // of the created record
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class ShapeTools : public EditTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapeTools, CreateTheirRecordWithTheSlotStyleOnTheEditLayer)
{
    const ShapeCase& c = GetParam();
    doc.m_plotInfo.m_layer.m_edit1 = 0;
    doc.m_plotInfo.m_layer.m_edit2 = 3;
    doc.m_plotInfo.Style(0).m_color = 255;
    doc.m_plotInfo.Style(1).m_color = 65280;
    doc.m_plotInfo.Style(3).m_nakaNuri = 1;
    tools.EnterMode(static_cast<int>(c.mode));
    const std::string before = Saved();
    for (PelPoint p : c.clicks)
        Click(p.x, p.y);
    if (c.kind < 0) {
        EXPECT_TRUE(doc.m_unit.m_lines.empty());
        EXPECT_FALSE(doc.m_undo.CanUndo());
        return;
    }
    const CPelLine& l = OnlyLine(doc);
    EXPECT_EQ(l.m_type, c.kind);
    EXPECT_EQ(static_cast<int>(l.m_points.size()), c.points);
    EXPECT_EQ(l.m_layer2, 3);
    EXPECT_EQ(l.m_color, doc.m_plotInfo.Style(c.kind).m_color);
    EXPECT_EQ(doc.m_sel.lines, std::vector<int>{l.m_id}); // the new object alone is selected
    EXPECT_TRUE(tools.Points().empty());
    EXPECT_TRUE(doc.IsModified());
    ExpectOneUndoStep(before);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ShapeTools,
    ::testing::Values(ShapeCase{"line", ToolMode::Line, {{-50, -30}, {40, 20}}, CPelLine::Straight, 2},
                      ShapeCase{"rectangle", ToolMode::Rect, {{40, 20}, {-50, -30}}, CPelLine::Rect, 4},
                      ShapeCase{"circle", ToolMode::Circle, {{0, 0}, {30, 0}}, CPelLine::Circle, 1},
                      ShapeCase{"arc", ToolMode::Arc, {{0, 0}, {30, 0}, {0, -50}}, CPelLine::Arc, 3},
                      ShapeCase{"polygon closed near its start",
                                ToolMode::Polygon,
                                {{0, 0}, {40, 0}, {40, 30}, {0, 0}},
                                CPelLine::Polygon,
                                3},
                      ShapeCase{"two clicks on one point", ToolMode::Line, {{10, 10}, {10, 10}}, -1, 0},
                      ShapeCase{"zero-size rectangle", ToolMode::Rect, {{10, 10}, {10, 10}}, -1, 0},
                      ShapeCase{"zero-radius circle", ToolMode::Circle, {{5, 5}, {5, 5}}, -1, 0},
                      ShapeCase{"points far off the sheet",
                                ToolMode::Line,
                                {{-1.0e6, 2.0e6}, {3.0e6, -1.0e6}},
                                CPelLine::Straight,
                                2}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST_F(EditTest, RectangleCornersAreSortedAndArcEndsLieOnTheCircle)
{
    tools.EnterMode(static_cast<int>(ToolMode::Rect));
    Click(40, 20);
    Click(-50, -30);
    const CPelLine& r = OnlyLine(doc);
    const PelPoint a = Mm(Px(-50, -30)), b = Mm(Px(40, 20));
    EXPECT_EQ(r.m_points, (std::vector<PelPoint>{{a.x, a.y}, {a.x, b.y}, {b.x, b.y}, {b.x, a.y}}));

    tools.EnterMode(static_cast<int>(ToolMode::Arc));
    Click(0, 0);
    Click(30, 0);
    Click(0, -80); // farther than the radius: projected onto the circle
    const CPelLine& arc = *doc.m_unit.m_lines.back();
    const PelPoint c = arc.m_points[0], end = arc.m_points[2];
    EXPECT_NEAR(std::hypot(end.x - c.x, end.y - c.y), arc.m_params[0], 1e-9);
}

TEST_F(EditTest, PolygonClosesWithinFivePixelsOfItsStartOnly)
{
    tools.EnterMode(static_cast<int>(ToolMode::Polygon));
    Click(0, 0);
    Click(40, 0);
    Click(40, 30);
    Click(0, 0, QPoint(5, 0)); // 5 pixels away: a fourth vertex
    EXPECT_TRUE(doc.m_unit.m_lines.empty());
    EXPECT_EQ(tools.Points().size(), 4u);
    Click(0, 0, QPoint(4, -4)); // within 5 in x and in y: closes
    ASSERT_EQ(doc.m_unit.m_lines.size(), 1u);
    EXPECT_EQ(doc.m_unit.m_lines[0]->m_points.size(), 4u);
}

TEST_F(EditTest, RightClickPopsAPointOrEndsAOneShotMode)
{
    tools.EnterMode(static_cast<int>(ToolMode::Polygon));
    Click(0, 0);
    Click(40, 0);
    RightClick(40, 0);
    EXPECT_EQ(tools.Points().size(), 1u);
    EXPECT_EQ(doc.m_toolMode, static_cast<int>(ToolMode::Polygon));
    RightClick(40, 0);
    RightClick(40, 0); // with no point left: still nothing, still the mode
    EXPECT_TRUE(tools.Points().empty());
    EXPECT_EQ(doc.m_toolMode, static_cast<int>(ToolMode::Polygon));
    EXPECT_TRUE(host.menus.empty()); // no context menu outside select mode

    tools.EnterMode(static_cast<int>(ToolMode::RangeDelete));
    Click(0, 0);
    RightClick(0, 0);
    EXPECT_EQ(doc.m_toolMode, 0);
    EXPECT_EQ(tools.Prompt(), "選択モード");
}

TEST_F(EditTest, PolylineEndsOnADoubleClickWithTwoVertices)
{
    tools.EnterMode(static_cast<int>(ToolMode::Polyline));
    DoubleClick(0, 0); // one vertex: nothing, the vertex kept
    EXPECT_TRUE(doc.m_unit.m_lines.empty());
    EXPECT_EQ(tools.Points().size(), 1u);
    Click(30, 0);
    DoubleClick(30, 40);
    const CPelLine& l = OnlyLine(doc);
    EXPECT_EQ(l.m_type, CPelLine::Polyline);
    EXPECT_EQ(l.m_points.size(), 3u);
    EXPECT_TRUE(tools.Points().empty());
}

TEST_F(EditTest, AModeCommandInTheMiddleOfAGestureDropsItsPoints)
{
    tools.EnterMode(static_cast<int>(ToolMode::Arc));
    Click(0, 0);
    Click(10, 0);
    tools.EnterMode(static_cast<int>(ToolMode::Rect));
    EXPECT_TRUE(tools.Points().empty());
    Click(0, 0);
    Click(10, 10);
    EXPECT_EQ(OnlyLine(doc).m_type, CPelLine::Rect);
}

TEST_F(EditTest, EntryOrderPromptsAndCheckMarks)
{
    for (const ToolModeInfo& m : AllToolModes()) {
        if (!m.built)
            continue;
        SCOPED_TRACE(m.menuText);
        const std::size_t steps = doc.m_undo.UndoCount();
        doc.m_sel.lines = {1};
        tools.EnterMode(static_cast<int>(m.mode));
        EXPECT_EQ(doc.m_toolMode, static_cast<int>(m.mode));
        EXPECT_TRUE(doc.m_sel.Empty());
        EXPECT_EQ(tools.Prompt(), m.prompt);
        EXPECT_EQ(doc.m_undo.UndoCount(), steps + (m.snapshotOnEntry ? 1 : 0));
    }
    EXPECT_EQ(FindToolMode(5), nullptr);
    tools.EnterMode(5); // a number without a meaning changes nothing
    EXPECT_NE(doc.m_toolMode, 5);
}

TEST_F(EditTest, ReadoutShowsYUpwardsAndTheOffsetFromTheLastPoint)
{
    tools.EnterMode(static_cast<int>(ToolMode::Line));
    Send(CEditEvent::Move, Px(0, 0));
    EXPECT_EQ(tools.RelativeReadout(), "相(0.00,0.00)");
    Click(10, -20);
    Send(CEditEvent::Move, Px(30, -20));
    const PelPoint at = Mm(Px(30, -20)), from = Mm(Px(10, -20));
    char abs[64], rel[64];
    std::snprintf(abs, sizeof abs, "絶(%.2f,%.2f)", at.x, -at.y);
    std::snprintf(rel, sizeof rel, "相(%.2f,%.2f)", at.x - from.x, 0.0);
    EXPECT_EQ(tools.AbsoluteReadout(), abs);
    EXPECT_EQ(tools.RelativeReadout(), rel);
}

TEST_F(EditTest, ShiftClickPlacesThePointRelativeToTheClick)
{
    tools.EnterMode(static_cast<int>(ToolMode::Line));
    Click(0, 0);
    host.relative = {25, 10}; // 25 right, 10 up
    Click(0, 0, {}, CEditEvent::ShiftMod);
    const CPelLine& l = OnlyLine(doc);
    EXPECT_NEAR(l.m_points[1].x - l.m_points[0].x, 25, 1e-9);
    EXPECT_NEAR(l.m_points[1].y - l.m_points[0].y, -10, 1e-9);

    // Cancelled: no point, the mode kept, the read-out measures from the click.
    host.acceptRelative = false;
    Click(50, 50, {}, CEditEvent::ShiftMod);
    EXPECT_TRUE(tools.Points().empty());
    EXPECT_EQ(doc.m_unit.m_lines.size(), 1u);
    EXPECT_EQ(tools.Last().px, Px(50, 50));
}

TEST_F(EditTest, OrthogonalLockAndCtrlFollowThePreviousVertex)
{
    tools.EnterMode(static_cast<int>(ToolMode::Polyline));
    Click(0, 0);
    Click(30, 2, {}, CEditEvent::CtrlMod);  // horizontal from (0, 0)
    Click(33, 40, {}, CEditEvent::CtrlMod); // vertical from the second vertex, not the first
    DoubleClick(33, 40);
    const CPelLine& l = OnlyLine(doc);
    ASSERT_GE(l.m_points.size(), 3u);
    EXPECT_EQ(l.m_points[1].y, l.m_points[0].y);
    EXPECT_EQ(l.m_points[2].x, l.m_points[1].x);
}
} // namespace
