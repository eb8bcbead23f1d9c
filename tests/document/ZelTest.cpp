// Imported plans: their block, the rules applied to older files, copying, the change
// of scale and the reading of the sibling programs' files.
#include "PelTestSupport.h"

#include "ardelib/Message.h"
#include "document/ArZel.h"
#include "document/PelmoraDoc.h"
#include "document/ZelLoad.h"

#include <gtest/gtest.h>

using namespace peltest;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {
int LoadArZel(CArZel& z, const std::string& body)
{
    auto ar = CDefArchive::FromMemory(body + "/END:ArZel\r\n");
    return z.Load(ar.get(), "ArZel");
}

std::string ZelUnit(const std::string& before, const std::string& plot, const std::string& after)
{
    return "/START:Zel_Unit\r\n" + before + "/START:PlotInfo\r\n" + plot + "/END:PlotInfo\r\n" + after +
           "/END:Zel_Unit\r\n";
}
} // namespace

TEST(ArZelRead, VersionAndTypeRules)
{
    struct Case {
        int type;
        int version;
        int expected;
    };
    const Case cases[] = {
        {2, 20001, 2000},  // a map of 20001 is 2000, not the 200 of other versions ending in 01
        {2, 19999, 2000}, {2, 1500, 2000}, {2, 20002, 20002}, {2, 22001, 200},
        {0, 20001, 200},   {1, 101, 200},  {0, 30010, 30010}, {1, 19999, 19999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " version " << c.version);
        CArZel z;
        std::string body = "ArZELID=9\r\n" + ZelUnit("Zel_ID=4\r\n", "PlotVersion=" + std::to_string(c.version) + "\r\n",
                                                    "Zel_Type=" + std::to_string(c.type) + "\r\n");
        ASSERT_EQ(LoadArZel(z, body), 1);
        ASSERT_EQ(z.m_plans.size(), 1u);
        EXPECT_EQ(z.m_plans[0]->m_plot.m_version, c.expected);
        EXPECT_EQ(z.m_plans[0]->m_type, c.type);
        EXPECT_EQ(z.m_counter, 9);
    }
}

TEST(ArZelRead, WidthsScaledFlag)
{
    // The standard width before reading is 1.5 mm; placed at 1:200 and stored at 1:100,
    // a width of 3 mm is the standard width scaled to the placement.
    struct Case {
        int version;
        int scale;
        const char* wide2;
        int flag;
    };
    const Case cases[] = {
        {2000, 100, "3", 1}, {12000, 100, "3.0004", 1}, {2000, 100, "2.9", 0},
        {32000, 100, "3", 0}, {2001, 100, "3", 0},      {2000, 0, "3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " " << c.scale << " " << c.wide2);
        CArZel z;
        std::string plot = "PlotScale=" + std::to_string(c.scale) + "\r\nPlotVersion=" + std::to_string(c.version) +
                           "\r\n/START:LineObj\r\nObjInfoWide2=" + c.wide2 + "\r\n/END:LineObj\r\n";
        ASSERT_EQ(LoadArZel(z, ZelUnit("Zel_OrgScale=200\r\n", plot, "")), 1);
        EXPECT_EQ(z.m_plans[0]->m_plot.m_objInfo.m_wideScaled, c.flag);
    }
}

TEST(ArZelRead, BrokenPlanFailsTheBlock)
{
    CArZel z;
    EXPECT_EQ(LoadArZel(z, "/START:Zel_Unit\r\nZel_ID=2\r\n/END:Zel_Other\r\n"), 0);
    EXPECT_TRUE(z.m_plans.empty());
    // Unknown blocks in both are passed over; a block ends with the name it started with.
    CArZel ok2;
    EXPECT_EQ(LoadArZel(ok2, "/START:Other\r\nA=1\r\n/END:Other\r\n/START:zel_unit\r\n/START:X\r\n/END:X\r\n"
                             "ZEL_ID=3\r\n/END:zel_unit\r\n"),
              1);
    ASSERT_EQ(ok2.m_plans.size(), 1u);
    EXPECT_EQ(ok2.m_plans[0]->m_id, 3);
}

namespace {
void FillPlan(CZel& p, int id)
{
    p.m_id = id;
    p.Reset(0);
    p.m_orgX = 10;
    p.m_orgY = 20;
    p.m_haba = 50;
    p.m_orgScale = 100;
    p.m_type = CZel::TypeMap;
    p.m_layerG = 2;
    p.m_layerN = 3;
    p.m_plot.m_scale = 100;
    p.m_plot.m_layer.SetKeyedScales(100);
    p.m_plot.m_layer.m_scales[5] = 300;
    auto l = std::make_unique<CPelLine>();
    l->m_id = 2;
    l->m_points = {{1, 2}, {3, 4}};
    p.m_unit.m_lines.push_back(std::move(l));
}
} // namespace

TEST(ZelCopy, SharedUntilChangedThenIndependent)
{
    CArZel src;
    for (int id : {2, 5}) {
        auto p = std::make_unique<CZel>();
        FillPlan(*p, id);
        src.m_plans.push_back(std::move(p));
    }
    src.m_counter = 5;
    CArZel copy;
    copy.CopyFrom(src);
    std::string before = Written([&](CDefArchive* ar) { return copy.Write(ar); });
    EXPECT_EQ(before, Written([&](CDefArchive* ar) { return src.Write(ar); }));
    CZel& first = PelEdit(src.m_plans, 0);
    PelEdit(first.m_unit.m_lines, 0).m_points[0].x = 99;
    first.m_plot.m_layer.m_scales[0] = 7;
    PelEdit(src.m_plans, 1).m_orgX = -1;
    src.Reset(0);
    EXPECT_EQ(Written([&](CDefArchive* ar) { return copy.Write(ar); }), before);
    EXPECT_EQ(copy.m_counter, 5);
    EXPECT_EQ(copy.m_plans[1]->m_unit.PrefixValue(), 5); // pictures of a plan carry its ID
    EXPECT_EQ(src.m_counter, 1);
    EXPECT_TRUE(src.m_plans.empty());
}

TEST(ZelIds, NextPlanId)
{
    CArZel z;
    EXPECT_EQ(z.NextId(), 2);
    for (int id : {3, 4}) {
        auto p = std::make_unique<CZel>();
        p->m_id = id;
        z.m_plans.push_back(std::move(p));
    }
    EXPECT_EQ(z.NextId(), 5);
    z.m_counter = 32000;
    EXPECT_EQ(z.NextId(), 1);
}

TEST(ZelScale, ChangeOfScale)
{
    struct Case {
        const char* what;
        int from, to;
        int sunpo;
        bool withWidths;
        int version;
        int expectScale5;   // group 5 starts at 300
        int expectSunpo;
        double expectJr;    // starts at 4
        double expectWide2; // starts at 1.5
    };
    const Case cases[] = {
        {"100 to 200 halves", 100, 200, 3, false, 22001, 600, 1, 2.0, 1.5},
        {"200 to 100 doubles", 200, 100, 3, false, 22001, 150, 6, 8.0, 1.5},
        {"dimension height at least 1", 100, 1000, 3, false, 22001, 3000, 1, 0.4, 1.5},
        {"widths follow when asked", 100, 200, 4, true, 22001, 600, 2, 2.0, 0.75},
        {"but not for newer versions", 100, 200, 4, true, 32000, 600, 2, 2.0, 1.5},
        {"0 counts as 1", 100, 0, 1, false, 22001, 3, 100, 400.0, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CZel p;
        p.Reset(0);
        p.m_plot.m_layer.SetKeyedScales(c.from);
        p.m_plot.m_layer.m_scales[5] = 300;
        p.m_plot.m_sunpoTextHeight = c.sunpo;
        p.m_plot.m_version = c.version;
        p.ChangeScale(c.to, c.withWidths);
        EXPECT_EQ(p.m_plot.m_scale, c.to == 0 ? 1 : c.to);
        EXPECT_EQ(p.m_plot.m_layer.m_scales[0], c.to == 0 ? 1 : c.to);
        EXPECT_EQ(p.m_plot.m_layer.m_scales[5], c.expectScale5);
        EXPECT_EQ(p.m_plot.m_sunpoTextHeight, c.expectSunpo);
        EXPECT_DOUBLE_EQ(p.m_plot.m_objInfo.m_tJrPitch, c.expectJr);
        EXPECT_DOUBLE_EQ(p.m_plot.m_objInfo.m_wide[2], c.expectWide2);
    }
    // A group-0 scale of 0 (damaged file) counts as 1; nothing divides by zero.
    CZel z;
    z.Reset(0);
    z.m_plot.m_layer.SetKeyedScales(0);
    z.ChangeScale(50, false);
    EXPECT_EQ(z.m_plot.m_layer.m_scales[0], 0);
    EXPECT_EQ(z.m_plot.m_scale, 50);
}

namespace {
std::string PlanFile(int version, const std::string& unitBody = "")
{
    return Crlf({"/START:PELDATA", "/START:PlotInfo", "PlotVersion=" + std::to_string(version), "PlotScale=100",
                 "PlotSirokuro=1", "/END:PlotInfo", "/START:Grid", "GridW=7", "/END:Grid", "/START:PelUnit",
                 "MUnitLineID=5"}) +
           unitBody +
           Crlf({"/START:BLK_UnitLine", "MLineID=5", "MLinePntX=1", "MLinePntY=2", "MLinePntX=30", "MLinePntY=40",
                 "/END:BLK_UnitLine", "/START:BLK_UnitObj", "MObjID=2", "MObjType=0", "/END:BLK_UnitObj",
                 "/START:BLK_UnitObj", "MObjID=3", "MObjType=1", "MObjColor=255", "/END:BLK_UnitObj",
                 "/START:BLK_UnitObj", "MObjID=4", "MObjType=2", "/END:BLK_UnitObj", "/START:BLK_UnitObj",
                 "MObjID=5", "MObjType=0", "MObjHuchi=0", "MObjColor=7", "/END:BLK_UnitObj", "/END:PelUnit",
                 "/END:PELDATA"});
}
} // namespace

TEST(ZelPlace, SiblingFilesPlainAndCompressed)
{
    TempDir dir;
    struct Case {
        const char* what;
        const char* file;
        const char* member; // nullptr: the plain text
        int version;
        int type;
        int expectVersion;
    };
    const Case cases[] = {
        {"plain plan", "a.zel", nullptr, 22000, 0, 22000},
        {"plain plan ending in 01", "b.zel", nullptr, 101, 0, 200},
        {"professional plan of version 100", "c.trn", nullptr, 100, 1, 100},
        {"old map", "d.v_x", nullptr, 15000, 2, 2000},
        {"compressed plan", "e.zel", "pellsav.zel", 22000, 0, 22000},
        {"compressed map", "f.v_x", "pellsav.v_x", 19000, 2, 2000},
        {"compressed plan holding a professional member", "g.zel", "pellsav.trn", 22000, 0, 22000},
        {"compressed professional plan holding a map member", "h.trn", "pellsav.v_x", 22000, 1, 22000},
    };
    bool jlha = HaveJlha();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir.file(c.file);
        if (c.member) {
            if (!jlha)
                continue;
            ASSERT_TRUE(MakeLha(path, c.member, PlanFile(c.version)));
        } else {
            WriteFile(path, PlanFile(c.version));
        }
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        doc.m_plotInfo.m_layer.m_edit1 = 3;
        doc.m_plotInfo.m_layer.m_edit2 = 4;
        CZel* plan = doc.PlacePlan(path, PelPoint{100, 80}, 40, 0);
        ASSERT_NE(plan, nullptr);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(plan->m_id, 2);
        EXPECT_EQ(plan->m_type, c.type);
        EXPECT_EQ(plan->m_plot.m_version, c.expectVersion);
        EXPECT_EQ(plan->m_orgScale, 100);
        EXPECT_EQ(plan->m_layerG, 3);
        EXPECT_EQ(plan->m_layerN, 4);
        EXPECT_EQ(plan->m_orgX, 100);
        EXPECT_EQ(plan->m_haba, 40);
        EXPECT_EQ(plan->m_plot.m_sirokuro, 1); // kept: zelread_sirokuro is 0
        EXPECT_EQ(plan->m_grid.m_w, 7);
        EXPECT_EQ(plan->m_unit.PrefixFlag(), 1);
        EXPECT_EQ(plan->m_unit.PrefixValue(), 2);
        ASSERT_EQ(plan->m_unit.m_lines.size(), 1u);
        EXPECT_EQ(plan->m_unit.m_lines[0]->m_points[1], (PelPoint{30, 40}));
        // Roads and rivers without an edge take the plan's own settings; railways keep -1.
        const auto& objs = plan->m_unit.m_objects;
        ASSERT_EQ(objs.size(), 4u);
        EXPECT_EQ(objs[0]->m_color, 12632256);
        EXPECT_EQ(objs[0]->m_edge, 1);
        EXPECT_EQ(objs[1]->m_color, 255);
        EXPECT_EQ(objs[1]->m_edge, -1);
        EXPECT_EQ(objs[2]->m_color, 16777077);
        EXPECT_EQ(objs[2]->m_edge, 1);
        EXPECT_EQ(objs[3]->m_color, 7);
        EXPECT_EQ(objs[3]->m_edge, 0);
        EXPECT_EQ(doc.m_zelSel.m_count, 1);
        EXPECT_EQ(doc.m_zelSel.m_ids, std::vector<int>{2});
    }
}

TEST(ZelPlace, RefusedFiles)
{
    TempDir dir;
    const std::string unreadable = "ファイルは壊れているか、正しく保存されていないため読み込めませんでした";
    const std::string tooOld = "Zelplan２以前のファイルのため読み込めません\nZelplan２で保存しなおしてください";
    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
        const char* member;
        std::string message;
    };
    const Case cases[] = {
        {"a plain-edition plan of version 100", "a.zel", PlanFile(100), nullptr, tooOld},
        {"not an archive", "b.zel", "junk\r\n", nullptr, "ファイル読み取り失敗"},
        {"a Y without its X", "c.zel", PlanFile(22000, "/START:BLK_UnitWall\r\nMWallarPntAY=3\r\n/END:BLK_UnitWall\r\n"),
         nullptr, unreadable},
        {"an archive without a plan member", "d.zel", PlanFile(22000), "readme.txt", unreadable},
        {"a missing file", "none.zel", "", nullptr, unreadable},
    };
    bool jlha = HaveJlha();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir.file(c.file);
        if (c.member) {
            if (!jlha)
                continue;
            ASSERT_TRUE(MakeLha(path, c.member, c.bytes));
        } else if (!c.bytes.empty()) {
            WriteFile(path, c.bytes);
        }
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        EXPECT_EQ(doc.PlacePlan(path, PelPoint{}, 10, 0), nullptr);
        EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(doc.m_arZel.m_plans.empty());
        EXPECT_EQ(doc.m_zelSel.m_count, 0);
    }
}

TEST(ZelPlace, MonochromeOptionAndScale)
{
    TempDir dir;
    WriteFile(dir.file("a.zel"), PlanFile(22000));
    for (int option : {1, 2}) {
        CPelmoraDoc doc;
        doc.m_zelOptions.m_sirokuro = option;
        CZel* plan = doc.PlacePlan(dir.file("a.zel"), PelPoint{}, 10, 200);
        ASSERT_NE(plan, nullptr);
        EXPECT_EQ(plan->m_plot.m_sirokuro, option == 1 ? 0 : 1);
        EXPECT_EQ(plan->m_orgScale, 100); // the scale it was drawn at, before the change
        EXPECT_EQ(plan->m_plot.m_scale, 200);
        EXPECT_EQ(plan->m_plot.m_layer.m_scales[0], 200);
    }
}
