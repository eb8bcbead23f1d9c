// Reading the plot settings, the layer table and the grid: positions, key spelling,
// order of keys, and what bad numbers become.
#include "PlotTestSupport.h"

#include "document/Grid.h"
#include "document/PelmoraDoc.h"
#include "document/PlotInfo.h"
#include "document/StyleIndex.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plottest;

namespace {
std::string LayerBlocks(const char* block, int count)
{
    std::string t;
    for (int i = 0; i < count; ++i)
        t += Lines({std::string("/START:") + block, "DATA_LayerType=2", "DATA_LayerStrName=n" + std::to_string(i),
                    std::string("/END:") + block});
    return t;
}

std::string PlotWithLayer(const std::string& layerBody, const std::string& after = "")
{
    return "/START:PlotInfo\r\n/START:PlotLayer\r\n" + layerBody + "/END:PlotLayer\r\n" + after + "/END:PlotInfo\r\n";
}
} // namespace

TEST(PlotRead, BlockWithOnlyThePaperSizeKeepsTheResetValues)
{
    FreshSettings settings;
    CPlotInfo read;
    read.Reset();
    ASSERT_EQ(LoadBlock(read, Lines({"/START:PlotInfo", "PlotPaperSize=6", "/END:PlotInfo"}), "PlotInfo"), 1);
    PaperSheet sheet = read.Paper();
    EXPECT_EQ(sheet.widthMm, 210);
    EXPECT_EQ(sheet.heightMm, 297);
    EXPECT_FALSE(sheet.landscape);

    CPlotInfo expected;
    expected.Reset();
    expected.m_paperSize = 6;
    auto text = [](const CPlotInfo& p) { return Written([&](CDefArchive* ar) { return p.Write(ar); }); };
    EXPECT_EQ(text(read), text(expected));
}

TEST(PlotRead, LayerInfoBlocksFillTheTableInOrder)
{
    CPlotInfo p;
    ASSERT_EQ(LoadBlock(p, PlotWithLayer(LayerBlocks("BLK_LayerInfo", 20) + LayerBlocks("BLK_GrpLayerInfo", 3)),
                        "PlotInfo"),
              1);
    const CLayer& L = p.m_layer;
    EXPECT_EQ(L.Info(0, 0)->m_name, "n0");
    EXPECT_EQ(L.Info(0, 17)->m_name, "n17");
    EXPECT_EQ(L.Info(1, 0)->m_name, "n18");
    EXPECT_EQ(L.Info(1, 1)->m_name, "n19");
    EXPECT_TRUE(L.Info(1, 2)->m_name.empty());
    EXPECT_FALSE(L.IsShown(1, 1));
    EXPECT_TRUE(L.IsShown(1, 2));
    EXPECT_EQ(L.GroupInfo(2)->m_name, "n2");
    EXPECT_TRUE(L.GroupInfo(3)->m_name.empty());
}

TEST(PlotRead, BlocksBeyondTheTableAreSkippedAndReadingGoesOn)
{
    CPlotInfo p;
    std::string body = LayerBlocks("BLK_LayerInfo", 330) + LayerBlocks("BLK_GrpLayerInfo", 25);
    ASSERT_EQ(LoadBlock(p, PlotWithLayer(body, "PlotVersion=30000\r\n"), "PlotInfo"), 1);
    EXPECT_EQ(p.m_layer.Info(17, 17)->m_name, "n323");
    EXPECT_EQ(p.m_layer.GroupInfo(17)->m_name, "n17");
    EXPECT_EQ(p.m_version, 30000);
}

TEST(PlotRead, KeySpelling)
{
    struct Case {
        const char* line;
        int type, edit1, scale3, paper;
        const char* name;
    } cases[] = {
        {"data_layertype=2", 2, 0, 1, 0, ""},          // the type key is matched in any case
        {"data_layerstrname=x", 0, 0, 1, 0, ""},       // the name key only as written
        {"DATA_LayerStrName=x", 0, 0, 1, 0, "x"},
        {"LAYER_EDIT1=4", 0, 4, 1, 0, ""},
        {"layer_scale3=70", 0, 0, 70, 0, ""},
        {"Layer_Scale03=70", 0, 0, 1, 0, ""},          // not a key of ours
        {"Layer_Scale16=70", 0, 0, 1, 0, ""},
        {"plotpapersize=9", 0, 0, 1, 9, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = c.line;
        bool inInfo = line.rfind("data_", 0) == 0 || line.rfind("DATA_", 0) == 0;
        bool inLayer = line.rfind("layer", 0) == 0 || line.rfind("Layer", 0) == 0 || line.rfind("LAYER", 0) == 0;
        std::string text = inInfo ? PlotWithLayer("/START:BLK_LayerInfo\r\n" + line + "\r\n/END:BLK_LayerInfo\r\n")
                           : inLayer ? PlotWithLayer(line + "\r\n")
                                     : "/START:PlotInfo\r\n" + line + "\r\n/END:PlotInfo\r\n";
        CPlotInfo p;
        ASSERT_EQ(LoadBlock(p, text, "PlotInfo"), 1);
        EXPECT_EQ(p.m_layer.Info(0, 0)->m_type, c.type);
        EXPECT_EQ(p.m_layer.Info(0, 0)->m_name, c.name);
        EXPECT_EQ(p.m_layer.m_edit1, c.edit1);
        EXPECT_EQ(p.m_layer.m_scales[3], c.scale3);
        EXPECT_EQ(p.m_paperSize, c.paper);
    }
}

TEST(PlotRead, PlotScaleSetsEveryGroupScaleAndLayerScalesReadAfterItWin)
{
    const std::string layer = "Layer_Scale2=200\r\n";
    CPlotInfo after;
    ASSERT_EQ(LoadBlock(after, PlotWithLayer(layer, "PlotScale=300\r\n"), "PlotInfo"), 1);
    for (int g = 0; g < 16; ++g)
        EXPECT_EQ(after.m_layer.m_scales[g], 300) << g;

    CPlotInfo before;
    std::string text = "/START:PlotInfo\r\nPlotScale=300\r\n/START:PlotLayer\r\n" + layer + "/END:PlotLayer\r\n/END:PlotInfo\r\n";
    ASSERT_EQ(LoadBlock(before, text, "PlotInfo"), 1);
    EXPECT_EQ(before.m_layer.m_scales[2], 200);
    EXPECT_EQ(before.m_layer.m_scales[3], 300);
    EXPECT_EQ(before.m_scale, 300);
}

TEST(PlotRead, FailedNestedBlockFailsThePlotSettingsButKeepsWhatWasRead)
{
    CPlotInfo p;
    std::string text = "/START:PlotInfo\r\nPlotPaperSize=9\r\n/START:PlotLayer\r\nLayer_Edit1=5\r\n"
                       "/START:BLK_LayerInfo\r\nDATA_LayerType=2\r\n\r\n/END:BLK_LayerInfo\r\n/END:PlotLayer\r\n"
                       "PlotVersion=5\r\n/END:PlotInfo\r\n";
    EXPECT_EQ(LoadBlock(p, text, "PlotInfo"), 0);
    EXPECT_EQ(p.m_paperSize, 9);
    EXPECT_EQ(p.m_layer.m_edit1, 5);
    EXPECT_EQ(p.m_version, CPlotInfo::kVersion);

    CPlotInfo q;
    std::string badObj = "/START:PlotInfo\r\n/START:LineObj\r\nObjInfoWide0=2\r\n/END:Other\r\n/END:PlotInfo\r\n";
    EXPECT_EQ(LoadBlock(q, badObj, "PlotInfo"), 0);
    EXPECT_DOUBLE_EQ(q.m_objInfo.m_wide[0], 2.0);
}

TEST(PlotRead, BadNumbers)
{
    struct Case {
        const char* value;
        int asInt;
    } ints[] = {{"abc", 0}, {"", 0}, {" 12abc", 12}, {"-7", -7}, {"99999999999", 2147483647},
                {"-99999999999", -2147483647 - 1}, {"1e3", 1}};
    for (const Case& c : ints) {
        SCOPED_TRACE(c.value);
        CPlotInfo p;
        CGrid g;
        ASSERT_EQ(LoadBlock(p, Lines({"/START:PlotInfo", std::string("PlotLineWide2=") + c.value, "/END:PlotInfo"}),
                            "PlotInfo"),
                  1);
        ASSERT_EQ(LoadBlock(g, Lines({"/START:Grid", std::string("GridW=") + c.value, "/END:Grid"}), "Grid"), 1);
        EXPECT_EQ(p.m_style[2].m_lineWide, c.asInt);
        EXPECT_EQ(g.m_w, c.asInt);
        // Whatever was read, drawing gets a class and a spacing it can use.
        EXPECT_TRUE(styleidx::IsValidLineWide(styleidx::SafeLineWide(p.m_style[2].m_lineWide)));
        EXPECT_GE(g.StepW(), 1);
        int px = p.LineWidthScreen(p.m_style[2].m_lineWide);
        EXPECT_TRUE(px >= 1 && px <= 3);
    }

    const char* reals[] = {"nan", "inf", "-inf", "1e400", "-1e400", "1e300", "junk"};
    for (const char* r : reals) {
        SCOPED_TRACE(r);
        CPlotInfo p;
        std::string text = Lines({"/START:PlotInfo", "/START:LineObj", std::string("ObjInfoWide2=") + r,
                                  "/END:LineObj", "/END:PlotInfo"});
        ASSERT_EQ(LoadBlock(p, text, "PlotInfo"), 1);
        double w = p.m_objInfo.m_wide[2];
        EXPECT_TRUE(std::isfinite(w));
        EXPECT_LE(std::fabs(w), styleidx::kMaxFileReal);
        double drawn = p.m_objInfo.Wide(2);
        EXPECT_GE(drawn, 0.0);
        EXPECT_LE(drawn, styleidx::kMaxPrintedMm);
        // Written back as a number that reads again.
        std::string out = Written([&](CDefArchive* ar) { return p.m_objInfo.Write(ar); });
        EXPECT_EQ(out.find("nan"), std::string::npos);
        EXPECT_EQ(out.find("inf"), std::string::npos);
    }
}

TEST(PlotRead, GridVisibilityAndSnapComeFromTheUserNotTheFile)
{
    CGrid g;
    g.ResetBuiltIn();
    ASSERT_EQ(LoadBlock(g, Lines({"/START:Grid", "GridVisible=0", "GridKyutyaku=1", "gridw=8", "GRIDD=9",
                                  "GridMemori=0", "GridMemoriType=1", "/END:Grid"}),
                        "Grid"),
              1);
    EXPECT_EQ(g.m_visible, 1);
    EXPECT_EQ(g.m_kyutyaku, 0);
    EXPECT_EQ(g.m_w, 8);
    EXPECT_EQ(g.m_d, 9);
    EXPECT_EQ(g.m_memori, 0);
    EXPECT_EQ(g.m_memoriType, 1);
}

TEST(PlotRead, VersionFixupFollowsThePlansBlock)
{
    struct Case {
        int version;
        bool plans;
        int sirokuro, versionAfter;
    } cases[] = {{21001, true, 0, 22001}, {2000, true, 0, 22001}, {21002, true, 1, 21002},
                 {22001, true, 1, 22001}, {21001, false, 1, 21001}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        SCOPED_TRACE(c.plans);
        FreshSettings settings;
        testsupport::TempDir dir;
        std::string text = "/START:ZELDATA\r\n/START:PlotInfo\r\nPlotSirokuro=1\r\nPlotVersion="
                           + std::to_string(c.version) + "\r\n/END:PlotInfo\r\n"
                           + (c.plans ? "/START:ArZel\r\nArZELID=1\r\n/END:ArZel\r\n" : "") + "/END:ZELDATA\r\n";
        testsupport::WriteFile(dir.file("a.q_l"), text);
        CPelmoraDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.file("a.q_l")));
        EXPECT_EQ(doc.m_plotInfo.m_sirokuro, c.sirokuro);
        EXPECT_EQ(doc.m_plotInfo.m_version, c.versionAfter);
    }
}

TEST(PlotRead, RepeatedBlocksOverwriteAndOpeningResetsFirst)
{
    FreshSettings settings;
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.file("a.q_l"),
                           Lines({"/START:ZELDATA", "/START:Grid", "GridW=8", "/END:Grid", "/START:grid", "GridW=9",
                                  "/END:grid", "/START:PlotInfo", "PlotPaperSize=4", "/END:PlotInfo", "/END:ZELDATA"}));
    testsupport::WriteFile(dir.file("b.q_l"), Lines({"/START:ZELDATA", "/END:ZELDATA"}));
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("a.q_l")));
    EXPECT_EQ(doc.m_grid.m_w, 9);
    EXPECT_EQ(doc.m_plotInfo.m_paperSize, 4);
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("b.q_l")));
    EXPECT_EQ(doc.m_grid.m_w, 5);
    EXPECT_EQ(doc.m_plotInfo.m_paperSize, 0);
}

TEST(PlotRead, SpareLayerPositionsDoNotOutliveTheirDocument)
{
    FreshSettings settings;
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.file("a.q_l"), "/START:ZELDATA\r\n"
                                                  + PlotWithLayer(LayerBlocks("BLK_LayerInfo", 18)
                                                                  + LayerBlocks("BLK_GrpLayerInfo", 18))
                                                  + "/END:ZELDATA\r\n");
    testsupport::WriteFile(dir.file("b.q_l"), Lines({"/START:ZELDATA", "/END:ZELDATA"}));
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("a.q_l")));
    EXPECT_EQ(doc.m_plotInfo.m_layer.Info(0, 17)->m_name, "n17");
    EXPECT_EQ(doc.m_plotInfo.m_layer.GroupInfo(17)->m_name, "n17");
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("b.q_l")));
    EXPECT_TRUE(doc.m_plotInfo.m_layer.Info(0, 17)->m_name.empty());
    EXPECT_EQ(doc.m_plotInfo.m_layer.Info(0, 16)->m_type, 0);
    EXPECT_TRUE(doc.m_plotInfo.m_layer.GroupInfo(17)->m_name.empty());
}
