// Picking, rectangles, drags, arrow keys, delete and the range operations, with the
// undo steps each takes.
#include "EditFixture.h"

#include "edit/HitTest.h"
#include "edit/ShapeCreate.h"
#include "edit/Snap.h"

namespace {
class SelectTest : public EditTest {
protected:
    int AddLine(PelPoint a, PelPoint b, int layer2 = 0)
    {
        doc.m_plotInfo.m_layer.m_edit2 = layer2;
        int id = CreateStraightLine(doc.m_unit, doc.m_plotInfo, a, b);
        doc.m_plotInfo.m_layer.m_edit2 = 0;
        return id;
    }
    const CPelLine& Line(int id) const { return *doc.m_unit.m_lines[static_cast<std::size_t>(doc.m_unit.IndexOfLine(id))]; }
};

TEST_F(SelectTest, ClickPicksTheNearestLineAndCtrlAddsOnce)
{
    const int a = AddLine({-50, 0}, {50, 0});
    const int b = AddLine({-50, 10}, {50, 10});
    const int other = AddLine({-50, -20}, {50, -20}, 1); // another layer: never picked
    Click(0, 0, QPoint(0, 4));
    EXPECT_EQ(doc.m_sel.lines, std::vector<int>{a});
    Click(0, 10, {}, CEditEvent::CtrlMod);
    EXPECT_EQ(doc.m_sel.lines, (std::vector<int>{a, b}));
    Click(0, 10, {}, CEditEvent::CtrlMod); // already selected: not twice
    EXPECT_EQ(doc.m_sel.Count(), 2);
    Click(0, -20);
    EXPECT_TRUE(doc.m_sel.Empty());
    Click(0, 0, QPoint(0, 6)); // beyond 5 pixels
    EXPECT_TRUE(doc.m_sel.Empty());
    (void)other;
}

TEST_F(SelectTest, DoubleClicksWalkThroughStackedObjectsByIdThenNothing)
{
    const int a = AddLine({-50, 0}, {50, 0});
    const int b = AddLine({-50, 0.01}, {50, 0.01});
    Click(0, 0);
    ASSERT_EQ(doc.m_sel.lines.size(), 1u);
    const int first = doc.m_sel.lines[0];
    Send(CEditEvent::DoubleClick, Px(0, 0), CEditEvent::Left);
    Send(CEditEvent::Release, Px(0, 0));
    if (first == a) {
        EXPECT_EQ(doc.m_sel.lines, std::vector<int>{b});
    }
    Send(CEditEvent::DoubleClick, Px(0, 0), CEditEvent::Left);
    Send(CEditEvent::Release, Px(0, 0));
    EXPECT_TRUE(doc.m_sel.lines.empty() || doc.m_sel.lines[0] > first);
}

TEST_F(SelectTest, GroupMembersSelectTheirGroup)
{
    const int l = AddLine({-20, 0}, {20, 0});
    auto g = std::make_shared<CPelGroup>();
    g->m_id = 4;
    g->m_min = {-20, -5};
    g->m_max = {20, 5};
    g->m_lineIds = {l};
    doc.m_unit.m_groups.push_back(g);
    PelEdit(doc.m_unit.m_lines, 0).m_groupId = 4;
    Click(0, 0, QPoint(0, 4));
    EXPECT_EQ(doc.m_sel.groups, std::vector<int>{4});
    EXPECT_TRUE(doc.m_sel.lines.empty());
}

TEST_F(SelectTest, RectangleSelectionKeepsTheCurrentLayerAndWholeObjects)
{
    const int inside = AddLine({-10, -10}, {10, 10});
    AddLine({-10, -10}, {80, 10});       // one point outside
    AddLine({-5, -5}, {5, 5}, 2);        // another layer
    Drag(-30, -30, 30, 30);
    EXPECT_EQ(doc.m_sel.lines, std::vector<int>{inside});
}

TEST_F(SelectTest, DragMovesFromThePressStateAndIsOneUndoStep)
{
    // With the smallest history, a drag must not revert to what the history holds.
    doc.m_undo.SetDepth(1);
    EXPECT_EQ(doc.m_undo.Depth(), CUndoHistory::kMinDepth);
    const int id = AddLine({-20, 0}, {20, 0});
    const std::string before = Saved();
    const PelPoint p0 = Line(id).m_points[0];
    Drag(0, 0, 30, 25);
    const PelPoint moved = Line(id).m_points[0];
    const PelPoint d{Mm(Px(30, 25)).x - Mm(Px(0, 0)).x, Mm(Px(30, 25)).y - Mm(Px(0, 0)).y};
    EXPECT_NEAR(moved.x, p0.x + d.x, 1e-9);
    EXPECT_NEAR(moved.y, p0.y + d.y, 1e-9);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(tools.Undo());
    EXPECT_EQ(Saved(), before);
    EXPECT_TRUE(doc.m_sel.Empty());
}

TEST_F(SelectTest, VertexHandleMovesOnlyThatVertex)
{
    const int id = AddLine({-20, 0}, {20, 0});
    Click(0, 0);
    ASSERT_EQ(doc.m_sel.lines, std::vector<int>{id});
    const PelPoint keep = Line(id).m_points[0];
    Drag(20, 0, 20, 30);
    EXPECT_EQ(Line(id).m_points[0], keep);
    EXPECT_NEAR(Line(id).m_points[1].y, Mm(Px(20, 30)).y - Mm(Px(20, 0)).y, 1e-9);
}

TEST_F(SelectTest, ArrowKeysMoveByTheKeyboardStepOneUndoStepEach)
{
    const int id = AddLine({0, 0}, {10, 0});
    doc.m_plotInfo.m_moveX = 3;
    doc.m_plotInfo.m_moveY = 7;
    Click(5, 0);
    const std::size_t steps = doc.m_undo.UndoCount();
    Key(CEditEvent::KeyRight);
    Key(CEditEvent::KeyRight);
    Key(CEditEvent::KeyUp);
    EXPECT_EQ(Line(id).m_points[0], (PelPoint{6, -7}));
    EXPECT_EQ(doc.m_undo.UndoCount(), steps + 3);
    tools.Undo();
    EXPECT_EQ(Line(id).m_points[0], (PelPoint{6, 0}));

    // Nothing selected: nothing changes, no step.
    doc.m_sel.Clear();
    const std::string before = Saved();
    const std::size_t now = doc.m_undo.UndoCount();
    Key(CEditEvent::KeyLeft);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(doc.m_undo.UndoCount(), now);
}

TEST_F(SelectTest, DeleteThenUndoThenRedoGiveBackTheSavedBytes)
{
    AddLine({0, 0}, {10, 0});
    AddLine({0, 20}, {10, 20});
    Click(5, 0);
    const std::string before = Saved();
    Key(CEditEvent::KeyDelete);
    EXPECT_EQ(doc.m_unit.m_lines.size(), 1u);
    EXPECT_TRUE(doc.m_sel.Empty());
    ExpectOneUndoStep(before);
    EXPECT_FALSE(tools.Redo());
}

TEST_F(SelectTest, RangeMoveCutsToWholeMillimetresAndDeleteCrossesLayers)
{
    const int a = AddLine({0, 0}, {10, 0});
    const int b = AddLine({0, 5}, {10, 5}, 3);
    doc.m_grid.m_visible = 1;
    doc.m_grid.m_kyutyaku = 0;
    tools.EnterMode(static_cast<int>(ToolMode::RangeMove));
    Click(-20, -20);
    Click(-20, 40); // same x as the first corner: ignored
    EXPECT_EQ(tools.Points().size(), 1u);
    Click(30, 40);
    EXPECT_EQ(tools.Prompt(), "移動基準点をｸﾘｯｸ");
    // Base and target 10.6 mm apart in x: the move is 10 mm.
    Send(CEditEvent::Press, Px(0, 0), CEditEvent::Left);
    Send(CEditEvent::Release, Px(0, 0));
    const PelPoint base = Mm(Px(0, 0));
    QPoint target = Px(0, 0);
    while (Mm(target).x - base.x < 10.6)
        target.rx() += 1;
    Send(CEditEvent::Press, target, CEditEvent::Left);
    Send(CEditEvent::Release, target);
    EXPECT_EQ(Line(a).m_points[0], (PelPoint{10, 0}));
    EXPECT_EQ(Line(b).m_points[0], (PelPoint{10, 5})); // all layers
    EXPECT_EQ(tools.Prompt(), "範囲一点目をｸﾘｯｸ");

    tools.EnterMode(static_cast<int>(ToolMode::RangeDelete));
    Click(-20, -20);
    Click(40, 40);
    EXPECT_TRUE(doc.m_unit.m_lines.empty());
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back(), "範囲の内容をすべて削除しますがよろしいですか？");
    EXPECT_EQ(doc.m_toolMode, 0);
    tools.Undo();
    EXPECT_EQ(doc.m_unit.m_lines.size(), 2u);
}

TEST_F(SelectTest, RangeMirrorAndCancelledConfirmation)
{
    const int id = AddLine({0, 0}, {10, 0});
    {
        CRecordingMessageSink cancel(MsgAnswer::Cancel);
        tools.EnterMode(static_cast<int>(ToolMode::RangeMirror));
        Click(-20, -20);
        Click(40, 40);
        EXPECT_EQ(Line(id).m_points[0], (PelPoint{0, 0}));
        EXPECT_EQ(doc.m_toolMode, 0);
    }
    tools.EnterMode(static_cast<int>(ToolMode::RangeMirror));
    Click(-20, -20);
    Click(40, 40);
    const double sum = Mm(Px(-20, -20)).x + Mm(Px(40, 40)).x;
    EXPECT_NEAR(Line(id).m_points[0].x, sum - 0, 1e-9);
    EXPECT_NEAR(Line(id).m_points[1].x, sum - 10, 1e-9);
}

TEST_F(SelectTest, RangeCopyRepeatsFromTheSameBase)
{
    AddLine({0, 0}, {10, 0});
    tools.EnterMode(static_cast<int>(ToolMode::RangeCopy));
    Click(-20, -20);
    Click(40, 40);
    Click(0, 0);
    Click(0, 50);
    Click(0, 100);
    ASSERT_EQ(doc.m_unit.m_lines.size(), 3u);
    EXPECT_EQ(tools.Prompt(), "複写目的点をｸﾘｯｸ");
    std::vector<int> ids;
    for (const auto& l : doc.m_unit.m_lines)
        ids.push_back(l->m_id);
    EXPECT_EQ(ids, (std::vector<int>{2, 3, 4})); // new IDs for the copies
}

TEST(UndoHistory, DepthBoundsTheStepsAndANewChangeForgetsRedo)
{
    CPelUnit unit;
    CArZel plans;
    CUndoHistory h;
    h.SetDepth(3);
    for (int i = 0; i < 5; ++i) {
        h.Snapshot(unit, plans);
        unit.m_counter[0] = i + 10;
    }
    EXPECT_TRUE(h.Undo(unit, plans));
    EXPECT_TRUE(h.Undo(unit, plans));
    EXPECT_FALSE(h.Undo(unit, plans));
    EXPECT_TRUE(h.CanRedo());
    h.Snapshot(unit, plans);
    EXPECT_FALSE(h.Redo(unit, plans));
    for (int bad : {0, -5, 1 << 30})
        EXPECT_EQ(CUndoHistory::ClampDepth(bad), bad < 2 ? 2 : CUndoHistory::kMaxDepth);
}

TEST(UndoHistory, StepsShareUnchangedRecords)
{
    CPelmoraDoc doc;
    CreateStraightLine(doc.m_unit, doc.m_plotInfo, {0, 0}, {1, 1});
    CreateStraightLine(doc.m_unit, doc.m_plotInfo, {0, 2}, {1, 2});
    doc.Snapshot();
    PelEdit(doc.m_unit.m_lines, 0).m_color = 255;
    EXPECT_EQ(doc.m_unit.m_lines[0].use_count(), 1);
    EXPECT_EQ(doc.m_unit.m_lines[1].use_count(), 2); // shared with the step
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.m_unit.m_lines[0]->m_color, 0);
}

struct SnapCase {
    double x;
    int dxPx, dyPx;
    bool allPita;
    double expectX; // NAN: unchanged
};

TEST(GridSnap, PitchAndToleranceRules)
{
    CGrid grid;
    grid.m_visible = 1;
    grid.m_kyutyaku = 1;
    grid.m_w = grid.m_d = 10;
    CDrawTransform t;
    t.origin = QPoint(500, 400);
    t.groupScaleX.fill(4);
    t.groupScaleY.fill(4);
    auto at = [&](double x, double y, QPoint nudge) {
        SnapPoint p;
        p.px = t.ToDevice(0, x, y) + nudge;
        t.ToDrawing(0, p.px, p.mm.x, p.mm.y);
        return p;
    };
    const SnapCase cases[] = {
        {9.9, 0, 0, true, 10},  {-9.9, 0, 0, true, -10}, {4.9, 0, 0, true, 0},
        {10, 3, 1, false, 10},  {10, 3, 2, false, NAN},
    };
    for (const SnapCase& c : cases) {
        SCOPED_TRACE(c.x);
        SnapPoint p = at(c.x, 10, QPoint(c.dxPx, c.dyPx));
        GridSnapRule rule{c.allPita, 0};
        SnapPoint s = SnapToGrid(grid, t, rule, p);
        if (std::isnan(c.expectX))
            EXPECT_EQ(s.mm, p.mm);
        else
            EXPECT_EQ(s.mm.x, c.expectX);
    }
    // No pitch, or one under a pixel: no snap, and no division by zero.
    for (int pitch : {0, -3}) {
        grid.m_w = pitch;
        SnapPoint p = at(3.3, 3.3, {});
        EXPECT_EQ(SnapToGrid(grid, t, GridSnapRule{}, p).mm, p.mm);
    }
    grid.m_w = grid.m_d = 1;
    t.groupScaleX.fill(0.5);
    t.groupScaleY.fill(0.5);
    SnapPoint p = at(3.3, 3.3, {});
    EXPECT_EQ(SnapToGrid(grid, t, GridSnapRule{}, p).mm, p.mm);
}

TEST_F(EditTest, TextModesAreNeverSnapped)
{
    doc.m_grid.m_visible = doc.m_grid.m_kyutyaku = 1;
    doc.m_grid.m_w = doc.m_grid.m_d = 10;
    const QPoint px = Px(3.3, 3.3);
    EXPECT_EQ(tools.Convert(px, 0).mm, (PelPoint{0, 0}));
    doc.m_toolMode = static_cast<int>(ToolMode::Text);
    EXPECT_EQ(tools.Convert(px, 0).mm, Mm(px));
}

TEST_F(EditTest, ZoomGesturesAndTheNumericPad)
{
    Key(CEditEvent::KeyPadMinus); // at zoom 1.0: nothing
    Key(CEditEvent::KeyPadStar);
    EXPECT_EQ(host.zoomOuts + host.wholePages, 0);
    tools.StartRangeZoom();
    Drag(-40, -30, 40, 30);
    EXPECT_EQ(host.zooms, 1);
    EXPECT_GT(host.zoom, 1.0);
    EXPECT_EQ(tools.Zoom(), 0); // one-shot
    // Both buttons in select mode: a zoom drag whose right release opens no menu.
    Send(CEditEvent::Press, Px(0, 0), CEditEvent::Left | CEditEvent::Right);
    Send(CEditEvent::Move, Px(0, 0) + QPoint(260, 0), CEditEvent::Left | CEditEvent::Right);
    Send(CEditEvent::Release, Px(0, 0) + QPoint(260, 0), CEditEvent::Right);
    Send(CEditEvent::RightRelease, Px(0, 0) + QPoint(260, 0));
    EXPECT_TRUE(host.menus.empty());
    EXPECT_EQ(host.zooms, 2);
}
} // namespace

namespace {
TEST(HandleDrags, GroupCornerPictureCornerAndTextRotation)
{
    CPelUnit unit;
    auto line = std::make_shared<CPelLine>();
    line->m_id = 1;
    line->m_groupId = 3;
    line->m_points = {{0, 0}, {20, 10}};
    unit.m_lines.push_back(line);
    auto g = std::make_shared<CPelGroup>();
    g->m_id = 3;
    g->m_min = {0, 0};
    g->m_max = {20, 10};
    g->m_lineIds = {1};
    unit.m_groups.push_back(g);
    auto pic = std::make_shared<CPelImage>();
    pic->m_id = 4;
    pic->m_width = 40;
    pic->m_height = 30;
    unit.m_pictures.push_back(pic);
    auto text = std::make_shared<CPelText>();
    text->m_id = 5;
    text->m_point = {0, 0};
    unit.m_texts.push_back(text);
    PressState press;
    press.Take(unit, CArZel());

    CSelection sel;
    sel.groups = {3};
    sel.handle = 1; // the bottom-right corner, dragged twice as wide and keeping the height
    sel.handleIndex = 3;
    DragHandle(unit, press.unit, sel, 20, 0, DragRule{});
    EXPECT_EQ(unit.m_lines[0]->m_points[1], (PelPoint{40, 10}));
    EXPECT_EQ(unit.m_groups[0]->m_max, (PelPoint{40, 10}));
    DragRule even;
    even.stretchEven = true;
    DragHandle(unit, press.unit, sel, 20, 0, even); // from the press again: both factors 2
    EXPECT_EQ(unit.m_groups[0]->m_max, (PelPoint{40, 20}));
    DragHandle(unit, press.unit, sel, -30, 0, DragRule{}); // would turn the box inside out: ignored
    EXPECT_EQ(unit.m_groups[0]->m_max, (PelPoint{40, 20}));
    EXPECT_EQ(press.unit.m_groups[0]->m_max, (PelPoint{20, 10})); // the press state is never changed

    CSelection picSel;
    picSel.pictures = {4};
    picSel.handle = 2;
    picSel.handleIndex = 1; // top-left corner moved out by (5, 5): both sides grow by 10
    DragHandle(unit, press.unit, picSel, -5, -5, DragRule{});
    EXPECT_EQ(unit.m_pictures[0]->m_width, 50);
    EXPECT_EQ(unit.m_pictures[0]->m_height, 40);

    CSelection textSel;
    textSel.texts = {5};
    textSel.handle = 7;
    DragRule turn;
    turn.press = {10, 0}; // from the right of the text to straight above it: a quarter turn
    DragHandle(unit, press.unit, textSel, -10, -10, turn);
    EXPECT_EQ(unit.m_texts[0]->m_font.m_lfEscapement, 900);
}
} // namespace
