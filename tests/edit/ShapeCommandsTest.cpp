// The commands on the selection: grouping, mirroring and quarter turns of groups,
// stacking order, copy and colours, each one undo step that undo and redo give back exactly.
#include "EditFixture.h"

#include "edit/ColourEdit.h"
#include "edit/CopyCommand.h"
#include "edit/DocEdit.h"
#include "edit/GroupTransform.h"
#include "edit/Grouping.h"
#include "edit/ShapeCreate.h"
#include "edit/StackOrder.h"

namespace {
class ShapeCommands : public EditTest {
protected:
    int Line(PelPoint a, PelPoint b) { return CreateStraightLine(doc.m_unit, doc.m_plotInfo, a, b); }
    const CPelLine& LineOf(int id) const { return *doc.m_unit.m_lines[static_cast<std::size_t>(doc.m_unit.IndexOfLine(id))]; }
    const CPelGroup& GroupOf(int id) const
    {
        return *doc.m_unit.m_groups[static_cast<std::size_t>(doc.m_unit.IndexOfGroup(id))];
    }
    // Groups the lines through the command; the group's ID.
    int Group(std::vector<int> lines)
    {
        doc.m_sel.Clear();
        doc.m_sel.lines = std::move(lines);
        CSelection sel = doc.m_sel;
        EXPECT_TRUE(RunEdit(doc, [&] { return GroupSelection(doc.m_unit, doc.m_plotInfo, sel) != 0; }));
        doc.m_sel = sel;
        return sel.groups.empty() ? 0 : sel.groups.front();
    }
    // The command as one step: undo gives the bytes before, redo the bytes after.
    template <class F>
    void ExpectOneStep(F command)
    {
        const std::string before = Saved();
        ASSERT_TRUE(RunEdit(doc, command));
        const std::string after = Saved();
        EXPECT_FALSE(after == before);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(Saved() == before);
        ASSERT_TRUE(doc.Redo());
        EXPECT_TRUE(Saved() == after);
    }
};

TEST_F(ShapeCommands, GroupingSetsTheMembersAndTheBoxAndUngroupingUndoesIt)
{
    const int a = Line({0, 0}, {40, 10}), b = Line({-20, 30}, {5, -5});
    const int g = Group({a, b});
    ASSERT_NE(g, 0);
    EXPECT_EQ(LineOf(a).m_groupId, g);
    EXPECT_EQ(LineOf(b).m_groupId, g);
    EXPECT_EQ(GroupOf(g).m_min, (PelPoint{-20, -5}));
    EXPECT_EQ(GroupOf(g).m_max, (PelPoint{40, 30}));
    EXPECT_EQ(doc.m_sel.groups, std::vector<int>{g});
    ExpectOneStep([&] { return UngroupSelection(doc.m_unit, doc.m_sel) > 0; });
    EXPECT_TRUE(doc.m_unit.m_groups.empty());
    EXPECT_EQ(LineOf(a).m_groupId, 0);
    EXPECT_EQ(LineOf(b).m_groupId, 0);
}

TEST_F(ShapeCommands, GroupingIsRefusedWithAGroupOrAPictureAndSkipsLoneDimensions)
{
    const int a = Line({0, 0}, {40, 10});
    const int g = Group({a});
    const int b = Line({0, 20}, {40, 20});
    CSelection sel;
    sel.groups = {g};
    sel.lines = {b};
    EXPECT_EQ(GroupSelection(doc.m_unit, doc.m_plotInfo, sel), 0);
    sel.Clear();
    sel.lines = {b};
    sel.pictures = {1};
    EXPECT_EQ(GroupSelection(doc.m_unit, doc.m_plotInfo, sel), 0);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1], "選択物の中に画像があるとグループ化できません。");
    const int d = CreateDimension(doc.m_unit, doc.m_plotInfo, {0, 0}, {50, 0}, {25, -5});
    sel.Clear();
    sel.lines = {d};
    const std::string before = Saved();
    EXPECT_FALSE(RunEdit(doc, [&] { return GroupSelection(doc.m_unit, doc.m_plotInfo, sel) != 0; }));
    EXPECT_TRUE(Saved() == before);
    EXPECT_EQ(doc.m_unit.m_groups.size(), 1u);
}

TEST_F(ShapeCommands, FourQuarterTurnsGiveTheStartBack)
{
    const int a = Line({0, 0}, {40, 0});
    const int e = CreateEllipse(doc.m_unit, doc.m_plotInfo, {20, 10}, {30, 10}, {20, 15}); // rx 10, ratio 0.5
    const int g = Group({a, e});
    const std::string start = Saved();
    ExpectOneStep([&] { return RotateGroup90(doc.m_unit, g, 90); });
    EXPECT_EQ(GroupOf(g).m_angle, 90);
    // Left is counter-clockwise on screen: the line now points up from the centre's side.
    const CPelLine& l = LineOf(a);
    EXPECT_DOUBLE_EQ(l.m_points[0].x, l.m_points[1].x);
    EXPECT_GT(l.m_points[0].y, l.m_points[1].y);
    EXPECT_DOUBLE_EQ(LineOf(e).m_params[0], 5);
    EXPECT_DOUBLE_EQ(LineOf(e).m_params[1], 2);
    for (double angle : {180.0, 270.0, 0.0}) {
        ASSERT_TRUE(RotateGroup90(doc.m_unit, g, 90));
        EXPECT_EQ(GroupOf(g).m_angle, angle);
    }
    EXPECT_TRUE(Saved() == start);
    ASSERT_TRUE(RotateGroup90(doc.m_unit, g, 270));
    EXPECT_EQ(GroupOf(g).m_angle, 270);
    EXPECT_FALSE(RotateGroup90(doc.m_unit, g, 45));
    EXPECT_FALSE(RotateGroup90(doc.m_unit, g + 1, 90));
}

TEST_F(ShapeCommands, MirroringAGroupKeepsItsBoxAndArcsTheirSide)
{
    const int a = Line({0, 0}, {40, 10});
    const int arc = CreateArc(doc.m_unit, doc.m_plotInfo, {10, 10}, {20, 10}, {10, 0});
    const int g = Group({a, arc});
    const PelPoint min = GroupOf(g).m_min, max = GroupOf(g).m_max;
    const std::string start = Saved();
    ExpectOneStep([&] { return MirrorGroup(doc.m_unit, g, true); });
    EXPECT_EQ(LineOf(a).m_points[0], (PelPoint{max.x + min.x, 0}));
    EXPECT_EQ(LineOf(arc).m_points[1], (PelPoint{min.x + max.x - 10, 0})); // start and end exchanged
    EXPECT_EQ(GroupOf(g).m_min, min);
    ASSERT_TRUE(MirrorGroup(doc.m_unit, g, true));
    EXPECT_TRUE(Saved() == start);
    ASSERT_TRUE(MirrorGroup(doc.m_unit, g, false));
    EXPECT_EQ(LineOf(a).m_points[1].y, min.y + max.y - 10);
}

TEST_F(ShapeCommands, StackingMovesTheLineOrTheGroupsMembers)
{
    const int a = Line({0, 0}, {40, 0}), b = Line({0, 5}, {40, 5}), c = Line({0, 9}, {40, 9});
    auto order = [&] {
        std::vector<int> ids;
        for (const auto& l : doc.m_unit.m_lines)
            ids.push_back(l->m_id);
        return ids;
    };
    CSelection sel;
    sel.lines = {a};
    ExpectOneStep([&] { return RestackSelection(doc.m_unit, sel, true); });
    EXPECT_EQ(order(), (std::vector<int>{b, c, a}));
    EXPECT_FALSE(RestackSelection(doc.m_unit, sel, true)); // already on top: no empty step
    const int g = Group({b, a});
    sel.Clear();
    sel.groups = {g};
    ExpectOneStep([&] { return RestackSelection(doc.m_unit, sel, false); });
    EXPECT_EQ(order(), (std::vector<int>{b, a, c}));
    sel.Clear();
    sel.texts = {1};
    EXPECT_FALSE(RestackSelection(doc.m_unit, sel, true));
}

TEST_F(ShapeCommands, CopyGivesTheCopiedMembersTheNewGroup)
{
    const int a = Line({0, 0}, {40, 0});
    const int g = Group({a});
    const std::string before = Saved();
    ASSERT_TRUE(CopyCommand(doc, host.dc.t));
    ASSERT_EQ(doc.m_sel.groups.size(), 1u);
    const int copy = doc.m_sel.groups.front();
    EXPECT_NE(copy, g);
    const CPelGroup& cg = GroupOf(copy);
    ASSERT_EQ(cg.m_lineIds.size(), 1u);
    const CPelLine& cl = LineOf(cg.m_lineIds[0]);
    EXPECT_EQ(cl.m_groupId, copy);
    // 13 pixels of a page about 1000 pixels wide for 297 mm: whole millimetres, 3 or 4.
    const PelPoint d = cl.m_points[0];
    EXPECT_EQ(d.x, d.y);
    EXPECT_EQ(d.x, std::trunc(d.x));
    EXPECT_TRUE(d.x == 3 || d.x == 4) << d.x;
    const std::string after = Saved();
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(Saved() == before);
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(Saved() == after);
    doc.m_sel.Clear();
    EXPECT_FALSE(CopyCommand(doc, host.dc.t));
}
} // namespace

namespace {
class ColourCommands : public EditTest {};

TEST_F(ColourCommands, ColoursReachGroupMembersAndLeaveWhiteFillsAlone)
{
    doc.m_plotInfo.Style(CPelLine::Rect).m_nakaNuri = 1;
    const int white = CreateRectangle(doc.m_unit, doc.m_plotInfo, {0, 0}, {10, 10});
    doc.m_plotInfo.Style(CPelLine::Rect).m_nakaColor = 255;
    const int red = CreateRectangle(doc.m_unit, doc.m_plotInfo, {20, 0}, {30, 10});
    doc.m_plotInfo.Style(CPelLine::Rect).m_nakaNuri = 0;
    const int open = CreateRectangle(doc.m_unit, doc.m_plotInfo, {40, 0}, {50, 10});
    CSelection members;
    members.lines = {red, open};
    const int g = GroupLines(doc.m_unit, doc.m_plotInfo, members.lines);
    CSelection sel;
    sel.lines = {white};
    sel.groups = {g};
    auto line = [&](int id) { return *doc.m_unit.m_lines[static_cast<std::size_t>(doc.m_unit.IndexOfLine(id))]; };
    const std::string before = Saved();
    ASSERT_TRUE(RunEdit(doc, [&] { return ChangeColour(doc.m_unit, sel, ColourTarget::Fill, 65280, false) > 0; }));
    EXPECT_EQ(line(white).m_fillColor, 16777215);
    EXPECT_EQ(line(red).m_fillColor, 65280);
    EXPECT_EQ(line(open).m_fill, 0);
    EXPECT_EQ(ChangeColour(doc.m_unit, sel, ColourTarget::Fill, 65280, true), 1); // white too, once asked
    EXPECT_EQ(ChangeColour(doc.m_unit, sel, ColourTarget::Unfilled, 99, false), 1);
    EXPECT_EQ(line(open).m_fill, 1);
    EXPECT_EQ(line(open).m_fillColor, 99);
    EXPECT_EQ(ChangeColour(doc.m_unit, sel, ColourTarget::Outline, 7, false), 3);
    EXPECT_EQ(ChangeColour(doc.m_unit, sel, ColourTarget::Outline, 7, false), 0); // nothing to undo
    EXPECT_EQ(RemoveFill(doc.m_unit, sel), 3);
    EXPECT_EQ(RemoveFill(doc.m_unit, sel), 0);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(Saved() == before);
    CSelection one;
    one.lines = {red};
    EXPECT_EQ(StartColour(doc.m_unit, one, ColourTarget::Fill), 255); // as it was before the change
    EXPECT_EQ(StartColour(doc.m_unit, sel, ColourTarget::Fill), 0);
}
} // namespace
