// The drawing unit: IDs, the unit block reader and writer, point pairing, corners,
// reset and copying.
#include "ardelib/Message.h"
#include "document/PelUnit.h"
#include "document/ReadAbort.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {
// Lines joined with CR LF, as the files have them.
std::string Crlf(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* l : lines)
        s.append(l).append("\r\n");
    return s;
}

// Reads a unit body (the "/START:PelUnit" line already consumed, as the document does).
int ReadUnit(CPelUnit& unit, const std::string& body)
{
    auto ar = CDefArchive::FromMemory(body);
    return unit.Read(ar.get(), "PelUnit");
}

std::string WriteUnit(const CPelUnit& unit)
{
    auto ar = CDefArchive::ToMemory();
    EXPECT_EQ(unit.Write(ar.get()), 1);
    EXPECT_TRUE(ar->Close());
    return ar->MemoryData();
}

std::unique_ptr<CPelLine> LineWithId(int id)
{
    auto l = std::make_unique<CPelLine>();
    l->m_id = id;
    return l;
}
} // namespace

TEST(PelUnitIds, NextIdSkipsUsedAndWraps)
{
    struct Case {
        const char* what;
        CPelUnit::Kind kind;
        int counter;
        std::vector<int> present;
        std::vector<int> expected; // successive IDs
    };
    const Case cases[] = {
        {"fresh unit starts at 2", CPelUnit::KindLine, 1, {}, {2, 3, 4}},
        {"2 and 3 in use", CPelUnit::KindLine, 1, {2, 3}, {4, 5}},
        {"wraps above 32000 past 1", CPelUnit::KindLine, 32000, {1}, {2}},
        {"wraps to 1 when free", CPelUnit::KindWall, 31999, {32000}, {1, 2}},
        {"pictures wrap above 6200", CPelUnit::KindPicture, 6200, {}, {1}},
        {"a restart finds the gap before", CPelUnit::KindGroup, 5, {6, 7, 8, 9}, {10}},
        {"negative counter from a file", CPelUnit::KindObject, -7, {}, {1, 2}},
        {"counter beyond the limit", CPelUnit::KindLine, INT_MAX, {1}, {2}},
        {"IDs outside the range do not matter", CPelUnit::KindLine, 1, {-2, 0, 40000}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPelUnit unit;
        unit.m_counter[c.kind] = c.counter;
        for (int id : c.present) {
            if (c.kind == CPelUnit::KindLine)
                unit.m_lines.push_back(LineWithId(id));
            else if (c.kind == CPelUnit::KindWall)
                unit.m_walls.push_back(std::make_unique<CPelWall>()), unit.m_walls.back()->m_id = id;
            else if (c.kind == CPelUnit::KindGroup)
                unit.m_groups.push_back(std::make_unique<CPelGroup>()), unit.m_groups.back()->m_id = id;
            else if (c.kind == CPelUnit::KindObject)
                unit.m_objects.push_back(std::make_unique<CLineObj>()), unit.m_objects.back()->m_id = id;
        }
        for (int want : c.expected) {
            int got = unit.NextId(c.kind);
            EXPECT_EQ(got, want);
            // What the caller does with a fresh ID: a record takes it.
            if (c.kind == CPelUnit::KindLine)
                unit.m_lines.push_back(LineWithId(got));
            else if (c.kind == CPelUnit::KindWall)
                unit.m_walls.push_back(std::make_unique<CPelWall>()), unit.m_walls.back()->m_id = got;
            else if (c.kind == CPelUnit::KindGroup)
                unit.m_groups.push_back(std::make_unique<CPelGroup>()), unit.m_groups.back()->m_id = got;
            else if (c.kind == CPelUnit::KindObject)
                unit.m_objects.push_back(std::make_unique<CLineObj>()), unit.m_objects.back()->m_id = got;
        }
    }
}

TEST(PelUnitIds, EveryIdInUseRefusesWithMessage)
{
    CRecordingMessageSink sink;
    CPelUnit unit;
    for (int id = 1; id <= CPelUnit::kIdLimit; ++id)
        unit.m_lines.push_back(LineWithId(id));
    unit.m_counter[CPelUnit::KindLine] = 17;
    EXPECT_EQ(unit.NextId(CPelUnit::KindLine), 0);
    EXPECT_EQ(unit.m_counter[CPelUnit::KindLine], 17);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], CPelUnit::kNoFreeId);
    // Other kinds are unaffected.
    EXPECT_EQ(unit.NextId(CPelUnit::KindWall), 2);

    unit.m_lines.erase(unit.m_lines.begin() + 99); // frees ID 100
    EXPECT_EQ(unit.NextId(CPelUnit::KindLine), 100);
}

TEST(PelUnitIds, IndexById)
{
    CPelUnit unit;
    for (int id : {5, 9, 5})
        unit.m_lines.push_back(LineWithId(id));
    EXPECT_EQ(unit.IndexOfLine(5), 0);
    EXPECT_EQ(unit.IndexOfLine(9), 1);
    EXPECT_EQ(unit.IndexOfLine(7), -1);
    EXPECT_EQ(unit.IndexOfWall(5), -1);
}

TEST(PelUnitRead, PointPairing)
{
    struct Case {
        const char* what;
        std::string body;
        bool ok;
        std::vector<PelPoint> points;
    };
    const Case cases[] = {
        {"X three times then one Y",
         Crlf({"/START:BLK_UnitLine", "MLinePntX=1", "MLinePntX=2", "MLinePntX=3", "MLinePntY=9",
               "/END:BLK_UnitLine", "/END:PelUnit"}),
         true, {{1, 0}, {2, 0}, {3, 9}}},
        {"pairs in order, keys in any case",
         Crlf({"/START:blk_unitline", "mlinepntx=1.5", "MLINEPNTY=-2", "MLinePntX=3", "MLinePntY=4",
               "/END:blk_unitline", "/END:PelUnit"}),
         true, {{1.5, -2}, {3, 4}}},
        {"a second Y overwrites the last point",
         Crlf({"/START:BLK_UnitLine", "MLinePntX=1", "MLinePntY=2", "MLinePntY=5", "/END:BLK_UnitLine",
               "/END:PelUnit"}),
         true, {{1, 5}}},
        {"Y with no X before it",
         Crlf({"/START:BLK_UnitLine", "MLinePntY=2", "MLinePntX=1", "/END:BLK_UnitLine", "/END:PelUnit"}), false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TakeReadAbort();
        CPelUnit unit;
        EXPECT_EQ(ReadUnit(unit, c.body), c.ok ? 1 : 0);
        EXPECT_EQ(TakeReadAbort(), !c.ok);
        if (c.ok) {
            ASSERT_EQ(unit.m_lines.size(), 1u);
            EXPECT_EQ(unit.m_lines[0]->m_points, c.points);
        } else {
            EXPECT_TRUE(unit.m_lines.empty()); // the failed record is discarded
        }
    }
}

TEST(PelUnitRead, YWithoutXAbortsInWallsAndObjects)
{
    for (const char* block : {"BLK_UnitWall", "BLK_UnitObj"}) {
        SCOPED_TRACE(block);
        std::string key = std::string(block) == "BLK_UnitWall" ? "MWallarPntBY=1" : "MObjPntY=1";
        std::string body = "/START:" + std::string(block) + "\r\n" + key + "\r\n/END:" + block + "\r\n/END:PelUnit\r\n";
        TakeReadAbort();
        CPelUnit unit;
        EXPECT_EQ(ReadUnit(unit, body), 0);
        EXPECT_TRUE(TakeReadAbort());
    }
}

TEST(PelUnitRead, WallCorners)
{
    struct Case {
        const char* text;
        std::array<PelPoint, 4> corners;
    };
    const Case cases[] = {
        {"1,2,3", {{{1, 2}, {3, 0}, {0, 0}, {0, 0}}}},
        {"1,2,3,4,5,6,7,8", {{{1, 2}, {3, 4}, {5, 6}, {7, 8}}}},
        {"1,2,3,4,5,6,7,8,9,10", {{{1, 2}, {3, 4}, {5, 6}, {7, 8}}}},
        {"", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        {",,x,-4.5", {{{0, 0}, {0, -4.5}, {0, 0}, {0, 0}}}},
        {"nan,inf,1e400,-1e300", {{{0, 0}, {kPelCoordLimit, -kPelCoordLimit}, {0, 0}, {0, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CPelWall w;
        w.m_corners[2] = PelPoint{99, 99}; // a new value replaces all four
        w.OnReadData("MWallPntKado", c.text);
        EXPECT_EQ(w.m_corners, c.corners);
    }
}

TEST(PelUnitRead, BlockStructure)
{
    // Unknown nested blocks and keys are passed over, record blocks are matched in any case,
    // and a group lists each member line.
    std::string body = Crlf({"MUnitGrpID=7", "munitlineid=12", "MUnitWallID=3", "MUnitTextID=4",
                             "MUnitImageID=5", "MUnitObjID=6", "Unknown=1", "/START:Mystery", "A=1",
                             "/START:Inner", "/END:Inner", "/END:Mystery", "/START:BLK_UNITGRP", "MGrpID=2",
                             "MGrpLineID=10", "MGrpLineID=11", "MGrpWallID=3", "/END:BLK_UNITGRP",
                             "/START:BLK_UnitLine", "MLineID=10", "/END:BLK_UnitLine", "/END:PelUnit"});
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, body), 1);
    EXPECT_EQ(unit.m_counter[CPelUnit::KindGroup], 7);
    EXPECT_EQ(unit.m_counter[CPelUnit::KindLine], 12);
    EXPECT_EQ(unit.m_counter[CPelUnit::KindObject], 6);
    ASSERT_EQ(unit.m_groups.size(), 1u);
    EXPECT_EQ(unit.m_groups[0]->m_lineIds, (std::vector<int>{10, 11}));
    EXPECT_EQ(unit.m_groups[0]->m_wallIds, (std::vector<int>{3}));
    EXPECT_EQ(unit.m_lines.size(), 1u);

    // An empty line is a format error: the reading stops and fails, what was read stays.
    CPelUnit broken;
    EXPECT_EQ(ReadUnit(broken, Crlf({"/START:BLK_UnitLine", "MLineID=4", "/END:BLK_UnitLine", "", "/END:PelUnit"})), 0);
    EXPECT_EQ(broken.m_lines.size(), 1u);
    // A record whose end line is wrong fails its read and is discarded.
    CPelUnit badEnd;
    EXPECT_EQ(ReadUnit(badEnd, Crlf({"/START:BLK_UnitWall", "MWallID=4", "/END:BLK_UnitLine", "/END:PelUnit"})), 0);
    EXPECT_TRUE(badEnd.m_walls.empty());
}

TEST(PelUnitRead, DamagedNumbersStaySafe)
{
    std::string body = Crlf({"/START:BLK_UnitLine", "MLineID=abc", "MLinePntX=1e300", "MLinePntY=nan",
                             "MLinePntX=-inf", "MLinePntY=12x", "MLineParam=1e999", "MLineAlpha=250",
                             "MLineLayer1=99", "MLineLayer2=-3", "MLineType=1", "/END:BLK_UnitLine",
                             "/START:BLK_UnitObj", "MObjWide=9", "MObjDrawType=1", "MObjPntX=1", "MObjPntY=2",
                             "/END:BLK_UnitObj", "/END:PelUnit"});
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, body), 1);
    const CPelLine& l = *unit.m_lines[0];
    EXPECT_EQ(l.m_id, 0);
    ASSERT_EQ(l.m_points.size(), 2u);
    EXPECT_EQ(l.m_points[0], (PelPoint{kPelCoordLimit, 0}));
    EXPECT_EQ(l.m_points[1], (PelPoint{0, 12}));
    EXPECT_EQ(l.m_params, (std::vector<double>{kPelCoordLimit}));
    // Style and layer numbers stay as read (an untouched record saves as it came);
    // drawing takes them through the clamping accessors of the plot settings.
    EXPECT_EQ(l.m_alpha, 250);
    EXPECT_EQ(l.m_layer1, 99);
    EXPECT_EQ(l.m_layer2, -3);
    // A rectangle with two corners is kept but cannot be drawn.
    EXPECT_FALSE(l.IsComplete());
    const CLineObj& o = *unit.m_objects[0];
    EXPECT_EQ(o.m_wide, 9);
    EXPECT_EQ(o.m_edge, -1);
    EXPECT_FALSE(o.IsComplete()); // a curve needs four points and a parameter
}

TEST(PelUnitRead, CompletenessByKind)
{
    struct Case {
        int type;
        int points;
        int params;
        bool complete;
    };
    const Case lines[] = {{0, 2, 0, true}, {0, 1, 0, false}, {1, 4, 0, true}, {1, 3, 0, false},
                          {2, 3, 0, true}, {2, 2, 0, false}, {3, 1, 1, true}, {3, 1, 0, false},
                          {4, 3, 1, true}, {4, 2, 1, false}, {5, 3, 4, true}, {5, 3, 3, false},
                          {6, 2, 0, true}, {6, 0, 0, false}, {7, 9, 9, false}, {-1, 9, 9, false}};
    for (const Case& c : lines) {
        SCOPED_TRACE(testing::Message() << "line kind " << c.type << " points " << c.points);
        CPelLine l;
        l.m_type = c.type;
        l.m_points.resize(static_cast<std::size_t>(c.points));
        l.m_params.resize(static_cast<std::size_t>(c.params));
        EXPECT_EQ(l.IsComplete(), c.complete);
    }
    const Case objects[] = {{0, 2, 0, true}, {0, 1, 0, false}, {1, 4, 1, true}, {1, 4, 0, false},
                            {2, 2, 0, true}, {3, 1, 0, false}, {4, 3, 0, true}, {4, 2, 0, false},
                            {5, 9, 9, false}};
    for (const Case& c : objects) {
        SCOPED_TRACE(testing::Message() << "object form " << c.type << " points " << c.points);
        CLineObj o;
        o.m_drawType = c.type;
        o.m_points.resize(static_cast<std::size_t>(c.points));
        o.m_params.resize(static_cast<std::size_t>(c.params));
        EXPECT_EQ(o.IsComplete(), c.complete);
    }
}

namespace {
// One record of each kind with every list filled.
void FillUnit(CPelUnit& u)
{
    u.m_counter[CPelUnit::KindLine] = 40;
    auto g = std::make_unique<CPelGroup>();
    g->m_id = 3;
    g->m_lineIds = {7};
    g->m_wallIds = {8};
    g->m_textIds = {9};
    g->m_min = {1.25, 2};
    g->m_max = {10, 20.5};
    g->m_angle = 12.5;
    g->m_room = 1;
    u.m_groups.push_back(std::move(g));
    auto l = std::make_unique<CPelLine>();
    l->m_id = 7;
    l->m_type = CPelLine::Arc;
    l->m_points = {{0, 0}, {1.5, -2.25}, {3, 4}};
    l->m_params = {5, 0.5};
    l->m_groupId = 3;
    l->m_fillColor = 255;
    u.m_lines.push_back(std::move(l));
    auto w = std::make_unique<CPelWall>();
    w->m_id = 8;
    w->m_a = {0, 0};
    w->m_b = {100, 0};
    w->SetCorners("0,-5,100,-5,100,5,0,5");
    w->m_edgeA = {{0, -5}};
    w->m_edgeB = {{100, -5}};
    w->m_kind = 1;
    u.m_walls.push_back(std::move(w));
    auto o = std::make_unique<CLineObj>();
    o->m_id = 2;
    o->m_type = CLineObj::River;
    o->m_points = {{0, 0}, {50, 60}};
    o->m_params = {1};
    o->m_edge = 1;
    u.m_objects.push_back(std::move(o));
}
} // namespace

TEST(PelUnitCopy, SharedUntilChangedThenIndependent)
{
    CPelUnit src;
    FillUnit(src);
    CPelUnit copy;
    copy.m_lines.push_back(LineWithId(99)); // replaced by the copy
    copy.CopyFrom(src);
    EXPECT_EQ(WriteUnit(copy), WriteUnit(src));
    std::string before = WriteUnit(copy);

    EXPECT_EQ(copy.m_lines[0], src.m_lines[0]); // nothing copied yet
    PelEdit(src.m_lines, 0).m_points[1].x = 77;
    PelEdit(src.m_lines, 0).m_params.push_back(3);
    PelEdit(src.m_groups, 0).m_lineIds.push_back(8);
    PelEdit(src.m_walls, 0).m_corners[0].x = -1;
    PelEdit(src.m_walls, 0).m_edgeB.clear();
    PelEdit(src.m_objects, 0).m_points.pop_back();
    EXPECT_NE(copy.m_lines[0], src.m_lines[0]);
    EXPECT_EQ(src.m_lines[0].use_count(), 1);
    src.m_counter[CPelUnit::KindLine] = 1;
    src.Reset(0);
    EXPECT_EQ(WriteUnit(copy), before);
    EXPECT_EQ(copy.m_counter[CPelUnit::KindLine], 40);
}

TEST(PelUnitReset, EmptiesAndRestartsCounters)
{
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        CPelUnit u;
        FillUnit(u);
        for (int& c : u.m_counter)
            c = 500;
        u.Reset(mode, 1, 12);
        EXPECT_TRUE(u.m_groups.empty() && u.m_lines.empty() && u.m_walls.empty() && u.m_objects.empty());
        for (int c : u.m_counter)
            EXPECT_EQ(c, 1);
        EXPECT_EQ(u.PrefixFlag(), 1);
        EXPECT_EQ(u.PrefixValue(), 12);
        EXPECT_EQ(u.NextId(CPelUnit::KindLine), 2);
    }
}

TEST(PelUnitWrite, LayoutAndRoundTrip)
{
    CPelUnit u;
    FillUnit(u);
    std::string text = WriteUnit(u);
    // Counters, then groups, walls, lines, objects; every point as its X line then its Y line.
    auto at = [&](const char* s) { return text.find(s); };
    EXPECT_EQ(text.rfind("/START:PelUnit\r\nMUnitGrpID=1\r\nMUnitLineID=40\r\n", 0), 0u);
    EXPECT_LT(at("MUnitObjID"), at("/START:BLK_UnitGrp"));
    EXPECT_LT(at("/END:BLK_UnitGrp"), at("/START:BLK_UnitWall"));
    EXPECT_LT(at("/END:BLK_UnitWall"), at("/START:BLK_UnitLine"));
    EXPECT_LT(at("/END:BLK_UnitLine"), at("/START:BLK_UnitObj"));
    EXPECT_NE(at("MLinePntX=1.5\r\nMLinePntY=-2.25\r\nMLinePntX=3\r\nMLinePntY=4\r\n"), std::string::npos);
    EXPECT_NE(at("MWallPntKado=0,-5,100,-5,100,5,0,5\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 14), "/END:PelUnit\r\n");

    // Reading what was written gives the same text again.
    CDefFile def;
    auto ar = CDefArchive::FromMemory(text);
    ASSERT_EQ(def.FindStart(ar.get(), "PelUnit"), 1);
    CPelUnit back;
    ASSERT_EQ(back.Read(ar.get(), "PelUnit"), 1);
    EXPECT_EQ(WriteUnit(back), text);
}
