// The document with its drawing unit and imported plans: open, save, the fix-ups,
// the compressed form, reset, and the headless commands on plan and map files.
#include "PelTestSupport.h"

#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace peltest;
using testsupport::Program;
using testsupport::Quote;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {
// Runs the built program with the argument text (already quoted).
testsupport::RunResult Oltrane(const std::string& args) { return testsupport::Run(Quote(Program()) + args); }

const char kOpenFailed[] = "ドキュメントを開くことに失敗しました。";

// Every record kind with its lists filled, keys in the order the writer uses.
std::string RichUnit()
{
    return Crlf({"/START:PelUnit", "MUnitGrpID=4", "MUnitLineID=31", "MUnitWallID=12", "MUnitTextID=1",
                 "MUnitImageID=1", "MUnitObjID=3",
                 // group
                 "/START:BLK_UnitGrp", "MGrpID=4", "MGrpminX=-10.5", "MGrpminY=0", "MGrpmaxX=120.25",
                 "MGrpmaxY=80", "MGrpWallID=12", "MGrpLineID=30", "MGrpLineID=31", "MGrpKakudo=15",
                 "MGrpLayer1=1", "MGrpLayer2=2", "MGrpRoom=1", "/END:BLK_UnitGrp",
                 // wall
                 "/START:BLK_UnitWall", "MWallID=12", "MWallPntAX=0", "MWallPntAY=0", "MWallPntBX=100",
                 "MWallPntBY=0.1", "MWallPntKado=0,-5,100,-5,100,5,0,5", "MWallarPntAX=0", "MWallarPntAY=-5",
                 "MWallarPntAX=50", "MWallarPntAY=5", "MWallarPntBX=40", "MWallarPntBY=-5", "MWallarPntBX=100",
                 "MWallarPntBY=5", "MWallWide1=60", "MWallWide2=40", "MWallType=1", "MWall_Type=1",
                 "MHasiraType=2", "MWallGrpID=4", "MWallLayer1=1", "MWallLayer2=2", "/END:BLK_UnitWall",
                 // lines: a dimension and a circle
                 "/START:BLK_UnitLine", "MLineID=30", "MLinePntX=0", "MLinePntY=0", "MLinePntX=100",
                 "MLinePntY=0", "MLinePntX=50", "MLinePntY=-8", "MLineParam=1", "MLineParam=100",
                 "MLineParam=8", "MLineParam=3", "MLinebNakanuri=0", "MLineColor=255", "MLineNakaColor=16777215",
                 "MLineGradiation=1", "MLineNakaColor2=16777215", "MLinebHach=0", "MLineHachT=3",
                 "MLineLineT=0", "MLinePattern=0", "MLineWide=2", "MLineTanten=5", "MLineYaWide=3",
                 "MLineAlpha=100", "MLineType=5", "MLineGrpID=4", "MLineLayer1=1", "MLineLayer2=2",
                 "/END:BLK_UnitLine", "/START:BLK_UnitLine", "MLineID=31", "MLinePntX=0.1", "MLinePntY=0.2",
                 "MLineParam=12.5", "MLineParam=0.75", "MLinebNakanuri=1", "MLineColor=65280",
                 "MLineNakaColor=13421772", "MLineGradiation=4", "MLineNakaColor2=255", "MLinebHach=1",
                 "MLineHachT=5", "MLineLineT=2", "MLinePattern=6", "MLineWide=3", "MLineTanten=0",
                 "MLineYaWide=1", "MLineAlpha=40", "MLineType=3", "MLineGrpID=4", "MLineLayer1=1",
                 "MLineLayer2=2", "/END:BLK_UnitLine",
                 // objects: a road with an edge, a railway
                 "/START:BLK_UnitObj", "MObjID=2", "MObjPntX=0", "MObjPntY=0", "MObjPntX=200", "MObjPntY=10",
                 "MObjType=0", "MObjDrawType=0", "MObjWide=3", "MObjFlg1=2", "MObjFlg2=1", "MObjRittai=1",
                 "MObjColor=8421504", "MObjHuchi=1", "MObjHuchiColor=0", "MObjLayer1=0", "MObjLayer2=1",
                 "/END:BLK_UnitObj", "/START:BLK_UnitObj", "MObjID=3", "MObjPntX=0", "MObjPntY=50",
                 "MObjPntX=80", "MObjPntY=70", "MObjPntX=140", "MObjPntY=70", "MObjPntX=200", "MObjPntY=50",
                 "MObjParam=120", "MObjType=1", "MObjDrawType=1", "MObjWide=2", "MObjFlg1=1", "MObjFlg2=0",
                 "MObjRittai=0", "MObjColor=0", "MObjHuchi=0", "MObjHuchiColor=0", "MObjLayer1=0",
                 "MObjLayer2=0", "/END:BLK_UnitObj", "/END:PelUnit"});
}

// Plot settings and grid as this program writes them for a new document.
std::string NewPlotAndGrid()
{
    CPelmoraDoc doc;
    return Written([&](CDefArchive* ar) { return doc.m_plotInfo.Write(ar) && doc.m_grid.Write(ar); });
}

// One imported map with its own settings and objects.
std::string RichArZel()
{
    CPlotInfo plot;
    plot.ResetBuiltIn();
    plot.m_version = 2000;
    plot.m_scale = 500;
    plot.m_layer.SetKeyedScales(500);
    plot.m_sirokuro = 1;
    CGrid grid;
    grid.ResetBuiltIn();
    std::string planPlot = Written([&](CDefArchive* ar) { return plot.Write(ar) && grid.Write(ar); });
    return Crlf({"/START:ArZel", "ArZELID=7", "/START:Zel_Unit", "Zel_ID=7", "Zel_OrgX=150.5", "Zel_OrgY=100",
                 "Zel_Haba=60", "Zel_OrgScale=500", "Zel_LayerG=0", "Zel_LayerN=1"}) +
           planPlot +
           Crlf({"/START:PelUnit", "MUnitGrpID=1", "MUnitLineID=2", "MUnitWallID=1", "MUnitTextID=1",
                 "MUnitImageID=1", "MUnitObjID=2", "/START:BLK_UnitLine", "MLineID=2", "MLinePntX=0",
                 "MLinePntY=0", "MLinePntX=1000", "MLinePntY=0", "MLinePntX=1000", "MLinePntY=800",
                 "MLinePntX=0", "MLinePntY=800", "MLinebNakanuri=0", "MLineColor=0", "MLineNakaColor=16777215",
                 "MLineGradiation=1", "MLineNakaColor2=16777215", "MLinebHach=0", "MLineHachT=3",
                 "MLineLineT=0", "MLinePattern=0", "MLineWide=1", "MLineTanten=0", "MLineYaWide=1",
                 "MLineAlpha=100", "MLineType=1", "MLineGrpID=0", "MLineLayer1=0", "MLineLayer2=0",
                 "/END:BLK_UnitLine", "/START:BLK_UnitObj", "MObjID=2", "MObjPntX=0", "MObjPntY=400",
                 "MObjPntX=1000", "MObjPntY=400", "MObjType=2", "MObjDrawType=0", "MObjWide=4", "MObjFlg1=0",
                 "MObjFlg2=3", "MObjRittai=0", "MObjColor=16777077", "MObjHuchi=1", "MObjHuchiColor=0",
                 "MObjLayer1=0", "MObjLayer2=0", "/END:BLK_UnitObj", "/END:PelUnit", "Zel_Type=2",
                 "/END:Zel_Unit", "/END:ArZel"});
}

std::string RichDocument()
{
    return "/START:ZELDATA\r\n" + NewPlotAndGrid() + RichUnit() + RichArZel() + "/END:ZELDATA\r\n";
}

std::string Saved(const CPelmoraDoc& doc)
{
    return Written([&](CDefArchive* ar) { return doc.Write(ar); });
}

QJsonObject InfoOf(const std::string& path)
{
    auto r = Oltrane(" --info " + Quote(path));
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}
} // namespace

TEST(DocUnit, RichDocumentSavesToTheSameBytes)
{
    TempDir dir;
    const std::string text = RichDocument();
    WriteFile(dir.file("rich.q_l"), text);
    CRecordingMessageSink sink;
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("rich.q_l")));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(doc.m_unit.m_lines.size(), 2u);
    EXPECT_EQ(doc.m_unit.m_walls[0]->m_edgeB[1], (PelPoint{100, 5}));
    ASSERT_EQ(doc.m_arZel.m_plans.size(), 1u);
    EXPECT_EQ(doc.m_arZel.m_plans[0]->m_unit.m_objects.size(), 1u);
    EXPECT_EQ(Saved(doc), text);

    // Through the program: the saved file is the same, and saving it again changes nothing.
    auto r = Oltrane(" --save-as " + Quote(dir.file("out.q_l")) + " " + Quote(dir.file("rich.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("out.q_l")), text);
    r = Oltrane(" --save-as " + Quote(dir.file("out2.q_l")) + " " + Quote(dir.file("out.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("out2.q_l")), text);
}

TEST(DocUnit, SavedByTheProgramIsAFixedPoint)
{
    // A file in another key order and case, with missing keys and unknown blocks, is
    // normalised by the first save; the second save gives the same bytes.
    TempDir dir;
    WriteFile(dir.file("odd.q_l"),
              Crlf({"/START:ZELDATA", "/START:pelunit", "/START:Unknown", "X=1", "/END:Unknown",
                    "/START:blk_unitline", "mlinetype=6", "MLINEPNTX=1.10", "mlinepnty=2", "MLineID=3",
                    "/END:blk_unitline", "MUnitLineID=3", "/START:BLK_UnitObj", "MObjType=1", "MObjPntX=1",
                    "/END:BLK_UnitObj", "/END:pelunit", "/END:ZELDATA"}));
    auto save = [&](const std::string& in, const std::string& out) {
        auto r = Oltrane(" --save-as " + Quote(dir.file(out)) + " " + Quote(dir.file(in)));
        ASSERT_EQ(r.status, 0) << r.err;
    };
    save("odd.q_l", "a.q_l");
    save("a.q_l", "b.q_l");
    std::string a = ReadFile(dir.file("a.q_l"));
    EXPECT_EQ(a, ReadFile(dir.file("b.q_l")));
    EXPECT_NE(a.find("/START:BLK_UnitLine\r\nMLineID=3\r\nMLinePntX=1.1\r\nMLinePntY=2\r\n"), std::string::npos);
    EXPECT_EQ(a.find("Unknown"), std::string::npos);
}

TEST(DocUnit, CompressedDocumentGivesTheSameModel)
{
    if (!HaveJlha())
        GTEST_SKIP() << "jlha is not installed";
    TempDir dir;
    const std::string text = RichDocument();
    WriteFile(dir.file("plain.q_l"), text);
    ASSERT_TRUE(MakeLha(dir.file("packed.q_l"), "pellsav.q_l", text));
    ASSERT_NE(ReadFile(dir.file("packed.q_l")), text);
    CRecordingMessageSink sink;
    CPelmoraDoc plain, packed;
    ASSERT_TRUE(plain.OnOpenDocument(dir.file("plain.q_l")));
    ASSERT_TRUE(packed.OnOpenDocument(dir.file("packed.q_l")));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(Saved(packed), Saved(plain));
    EXPECT_EQ(Saved(packed), text);
    // And the headless reports agree.
    QJsonObject a = InfoOf(dir.file("plain.q_l")), b = InfoOf(dir.file("packed.q_l"));
    a.remove("file");
    b.remove("file");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a["lines"].toArray().size(), 2);
}

TEST(DocUnit, YWithoutXFailsTheOpen)
{
    TempDir dir;
    for (const char* key : {"MLinePntY=1", "MWallarPntAY=1", "MObjPntY=1"}) {
        SCOPED_TRACE(key);
        std::string block = key[1] == 'L' ? "BLK_UnitLine" : key[1] == 'W' ? "BLK_UnitWall" : "BLK_UnitObj";
        WriteFile(dir.file("bad.q_l"),
                  Crlf({"/START:ZELDATA", "/START:PlotInfo", "PlotPaperSize=6", "/END:PlotInfo", "/START:PelUnit",
                        "/START:BLK_UnitLine", "MLineID=2", "/END:BLK_UnitLine", "/START:" + block, key,
                        "/END:" + block, "/END:PelUnit", "/END:ZELDATA"}));
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(dir.file("bad.q_l")));
        EXPECT_EQ(sink.messages, std::vector<std::string>{kOpenFailed});
        EXPECT_TRUE(doc.m_unit.m_lines.empty());
        EXPECT_EQ(doc.m_plotInfo.m_paperSize, 0);
        auto r = Oltrane(" --info " + Quote(dir.file("bad.q_l")));
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(kOpenFailed), std::string::npos);
    }
}

TEST(DocUnit, ObjectsWithoutEdgeTakeTheCurrentSettings)
{
    CPelmoraDoc doc;
    auto in = CDefArchive::FromMemory(Crlf(
        {"/START:ZELDATA", "/START:PelUnit", "/START:BLK_UnitObj", "MObjType=0", "MObjColor=1", "/END:BLK_UnitObj",
         "/START:BLK_UnitObj", "MObjType=1", "MObjColor=1", "MObjHuchiColor=9", "/END:BLK_UnitObj",
         "/START:BLK_UnitObj", "MObjType=2", "/END:BLK_UnitObj", "/START:BLK_UnitObj", "MObjType=0",
         "MObjHuchi=0", "MObjColor=5", "/END:BLK_UnitObj", "/START:BLK_UnitObj", "MObjType=7", "MObjColor=5",
         "/END:BLK_UnitObj", "/END:PelUnit", "/END:ZELDATA"}));
    doc.Read(in.get(), "");
    const CObjInfo& oi = doc.m_plotInfo.m_objInfo;
    const auto& o = doc.m_unit.m_objects;
    ASSERT_EQ(o.size(), 5u);
    struct Want {
        int color, edge, edgeColor;
    };
    const Want want[] = {{oi.m_dColor, oi.m_dHuchi, oi.m_dHuchiColor},
                         {oi.m_tColor, -1, 9}, // a railway takes only its colour
                         {oi.m_kColor, oi.m_kHuchi, oi.m_kHuchiColor},
                         {5, 0, 0},    // given in the file
                         {5, -1, 0}};  // unknown kind: as read
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(o[i]->m_color, want[i].color);
        EXPECT_EQ(o[i]->m_edge, want[i].edge);
        EXPECT_EQ(o[i]->m_edgeColor, want[i].edgeColor);
    }
}

TEST(DocUnit, OldVersionsSwitchMonochromeOffInPlansToo)
{
    for (int version : {21001, 20000, 21002}) {
        SCOPED_TRACE(version);
        CPelmoraDoc doc;
        auto in = CDefArchive::FromMemory(
            Crlf({"/START:ZELDATA", "/START:PlotInfo", "PlotSirokuro=1", "PlotVersion=" + std::to_string(version),
                  "/END:PlotInfo", "/START:ArZel", "/START:Zel_Unit", "Zel_ID=2", "/START:PlotInfo",
                  "PlotSirokuro=1", "/END:PlotInfo", "/END:Zel_Unit", "/END:ArZel", "/END:ZELDATA"}));
        doc.Read(in.get(), "");
        bool old = version <= 21001;
        EXPECT_EQ(doc.m_plotInfo.m_version, old ? 22001 : version);
        EXPECT_EQ(doc.m_plotInfo.m_sirokuro, old ? 0 : 1);
        ASSERT_EQ(doc.m_arZel.m_plans.size(), 1u);
        EXPECT_EQ(doc.m_arZel.m_plans[0]->m_plot.m_sirokuro, old ? 0 : 1);
    }
}

TEST(DocUnit, ResetEmptiesEverythingAndReseedsTheUndoLists)
{
    CPelmoraDoc doc;
    auto in = CDefArchive::FromMemory(RichDocument());
    doc.Read(in.get(), "");
    ASSERT_FALSE(doc.m_unit.m_lines.empty());
    ASSERT_FALSE(doc.m_arZel.m_plans.empty());
    doc.Snapshot();
    doc.Snapshot();
    ASSERT_TRUE(doc.Undo());
    ASSERT_EQ(doc.m_undo.RedoCount(), 1u);
    doc.m_sel.lines = {1};
    doc.m_zelSel.m_count = 1;
    doc.m_zelSel.m_ids = {7};
    doc.m_toolMode = 12;

    doc.DeleteContents();
    EXPECT_TRUE(doc.m_unit.m_lines.empty() && doc.m_unit.m_objects.empty() && doc.m_unit.m_groups.empty() &&
                doc.m_unit.m_walls.empty());
    for (int c : doc.m_unit.m_counter)
        EXPECT_EQ(c, 1);
    EXPECT_TRUE(doc.m_arZel.m_plans.empty());
    EXPECT_EQ(doc.m_arZel.m_counter, 1);
    EXPECT_EQ(doc.m_undo.UndoCount(), 1u); // the base entry alone
    EXPECT_EQ(doc.m_undo.RedoCount(), 0u);
    EXPECT_FALSE(doc.m_undo.CanUndo());
    EXPECT_TRUE(doc.m_sel.Empty());
    EXPECT_EQ(doc.m_zelSel.m_count, 0);
    EXPECT_TRUE(doc.m_zelSel.m_ids.empty());
    EXPECT_EQ(doc.m_toolMode, 0);
    EXPECT_EQ(doc.m_fitPending, 1);
}

TEST(DocUnit, NewLinesTakeTheirSlotAndTheEditLayers)
{
    CPelmoraDoc doc;
    doc.m_plotInfo.m_layer.m_edit1 = 2;
    doc.m_plotInfo.m_layer.m_edit2 = 5;
    doc.m_plotInfo.m_style[1].m_color = 255;
    doc.m_plotInfo.m_style[1].m_alpha = 30;
    doc.m_plotInfo.m_style[0].m_tanten = 4;
    doc.m_plotInfo.m_lineYaWide = 3;
    CPelLine* rect = doc.m_unit.AddLine(CPelLine::Rect, doc.m_plotInfo);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->m_id, 2);
    EXPECT_EQ(rect->m_color, 255);
    EXPECT_EQ(rect->m_alpha, 30);
    EXPECT_EQ(rect->m_tanten, 0);
    EXPECT_EQ(rect->m_arrowWidth, 3);
    EXPECT_EQ(rect->m_layer1, 2);
    EXPECT_EQ(rect->m_layer2, 5);
    CPelLine* poly = doc.m_unit.AddLine(CPelLine::Polyline, doc.m_plotInfo);
    EXPECT_EQ(poly->m_id, 3);
    EXPECT_EQ(poly->m_tanten, 4); // slot 0

    // And back: a line's style becomes the style of its slot, the others stay.
    CPelLine circle;
    circle.m_type = CPelLine::Circle;
    circle.m_fillColor = 123;
    circle.m_hatchType = 1;
    circle.m_pattern = 6;
    circle.m_arrowWidth = 2;
    circle.StyleToSlot(doc.m_plotInfo);
    EXPECT_EQ(doc.m_plotInfo.m_style[3].m_nakaColor, 123);
    EXPECT_EQ(doc.m_plotInfo.m_style[3].m_hachT, 1);
    EXPECT_EQ(doc.m_plotInfo.m_style[3].m_pat, 6);
    EXPECT_EQ(doc.m_plotInfo.m_lineYaWide, 2);
    EXPECT_EQ(doc.m_plotInfo.m_style[1].m_color, 255);
    CPelLine back;
    back.m_type = CPelLine::Circle;
    back.SlotToStyle(doc.m_plotInfo);
    EXPECT_EQ(Written([&](CDefArchive* ar) { return back.Write(ar); }),
              Written([&](CDefArchive* ar) { return circle.Write(ar); }));
}

TEST(DocUnit, HeadlessCommandsReadPlanAndMapFiles)
{
    TempDir dir;
    const std::string map = Crlf(
        {"/START:PELDATA", "/START:PlotInfo", "PlotVersion=15000", "PlotScale=2500", "/END:PlotInfo",
         "/START:PelUnit", "MUnitObjID=4", "/START:BLK_UnitObj", "MObjID=4", "MObjType=0", "MObjPntX=0",
         "MObjPntY=0", "MObjPntX=100", "MObjPntY=0", "/END:BLK_UnitObj", "/START:BLK_UnitLine", "MLineID=2",
         "MLinePntX=1", "MLinePntY=1", "MLineType=1", "/END:BLK_UnitLine", "/END:PelUnit", "/END:PELDATA"});
    WriteFile(dir.file("town.v_x"), map);
    QJsonObject info = InfoOf(dir.file("town.v_x"));
    QJsonArray plans = info["plans"].toArray();
    ASSERT_EQ(plans.size(), 1);
    QJsonObject plan = plans[0].toObject();
    EXPECT_EQ(plan["type"].toInt(), 2);
    EXPECT_EQ(plan["version"].toInt(), 2000);
    EXPECT_EQ(plan["scale_at_placement"].toInt(), 2500);
    EXPECT_EQ(plan["counts"].toObject()["object"].toInt(), 1);
    QJsonObject unit = plan["unit"].toObject();
    QJsonObject road = unit["objects"].toArray()[0].toObject();
    EXPECT_EQ(road["edge"].toInt(), 1); // filled from the map's own settings
    EXPECT_EQ(road["points"].toArray()[1].toArray()[0].toDouble(), 100);
    // A rectangle with one corner is kept and marked as such.
    QJsonObject rect = unit["lines"].toArray()[0].toObject();
    EXPECT_FALSE(rect["complete"].toBool());
    EXPECT_EQ(info["lines"].toArray().size(), 0); // the sheet itself is empty

    if (HaveJlha()) {
        ASSERT_TRUE(MakeLha(dir.file("packed.v_x"), "pellsav.v_x", map));
        QJsonObject packed = InfoOf(dir.file("packed.v_x"));
        EXPECT_EQ(packed["plans"], info["plans"]);
    }

    // Saved as a document, the map is its imported plan.
    auto r = Oltrane(" --save-as " + Quote(dir.file("town.q_l")) + " " + Quote(dir.file("town.v_x")));
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject saved = InfoOf(dir.file("town.q_l"));
    EXPECT_EQ(saved["plans"], info["plans"]);

    // A plan file the import refuses fails the command with the message.
    WriteFile(dir.file("old.zel"), Crlf({"/START:PELDATA", "/START:PlotInfo", "PlotVersion=100", "/END:PlotInfo",
                                         "/END:PELDATA"}));
    r = Oltrane(" --info " + Quote(dir.file("old.zel")));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Zelplan２以前のファイルのため読み込めません"), std::string::npos);
}
