// A file written by the program reads back and saves to the same bytes.
#include "PlotTestSupport.h"

#include "document/FontMenu.h"
#include "document/Grid.h"
#include "document/PelmoraDoc.h"
#include "document/PlotInfo.h"
#include "document/RoomInfo.h"
#include "ardelib/Message.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

using namespace plottest;

namespace {
// The "PlotInfo" block of a rich document, keys in the order the format fixes them,
// every value different from its reset value.
std::string RichPlotInfo()
{
    std::string t = "/START:PlotInfo\r\n";
    int v = 100;
    auto key = [&t](const std::string& k, const std::string& val) { t += k + "=" + val + "\r\n"; };
    const char* plain[] = {"PlotPaperSize",  "PlotPaperSizeUserX", "PlotPaperSizeUserY", "PlotWallBlack",
                           "PlotWallColor",  "PlotHasiraColor",    "PlotWallWide",       "PlotHasiraWide",
                           "PlotScale",      "PlotLinePita",       "PlotWallPita",       "PlotMoveX",
                           "PlotMoveY",      "PlotSunpoTextHeight", "PlotSunpokurai",    "PlotSirokuro",
                           "PlotGradation",  "PlotVx3D",           "PlotImageWidth",     "PlotImageHeight"};
    for (const char* k : plain) {
        std::string val = std::to_string(v++);
        if (std::string(k) == "PlotPaperSize")
            val = "17";
        if (std::string(k) == "PlotWallColor")
            val = "-1"; // colours are plain decimal integers, whatever their sign
        key(k, val);
    }
    const char* slotKeys[] = {"PlotColor", "PlotNakaColor", "PlotNakaColor2", "PlotGradiation", "PlotNakaNuri",
                           "PlotbHach", "PlotPat",       "PlotAlpha",      "PlotHachT",      "PlotLineType",
                           "PlotLineWide"};
    for (const char* k : slotKeys)
        for (int s = 0; s < 5; ++s)
            key(std::string(k) + std::to_string(s), std::to_string(v++));
    key("PlotLineTanten", "7");
    for (int s = 1; s < 5; ++s)
        key("PlotLineTanten" + std::to_string(s), std::to_string(8 + s));
    key("PlotLineYaWide", "3");
    key("PlotSunpoTanten", "2");
    key("PlotVersion", "22001");
    t += "/START:LineObj\r\n";
    const char* wides[] = {"0.25", "0.7", "1.75", "3.141592653589793", "12"};
    for (int i = 0; i < 5; ++i)
        key("ObjInfoWide" + std::to_string(i), wides[i]);
    t += "/END:LineObj\r\n/START:PlotLayer\r\nLayer_Edit1=3\r\nLayer_Edit2=15\r\n";
    for (int g = 0; g < 16; ++g)
        key("Layer_Scale" + std::to_string(g), std::to_string(g == 0 ? 1 : 50 * g));
    for (int g = 0; g < 18; ++g) {
        for (int l = 0; l < 18; ++l) {
            t += "/START:BLK_LayerInfo\r\n";
            key("DATA_LayerType", (g + l) % 3 == 0 ? "2" : "0");
            key("DATA_LayerStrName", (g * l) % 7 == 1 ? cp932::Lit("間取り") + std::to_string(g) + "-" + std::to_string(l)
                                                      : std::string());
            t += "/END:BLK_LayerInfo\r\n";
        }
    }
    for (int g = 0; g < 18; ++g) {
        t += "/START:BLK_GrpLayerInfo\r\n";
        key("DATA_LayerType", g == 4 ? "2" : "0");
        key("DATA_LayerStrName", g == 2 ? cp932::Lit("地図") : std::string());
        t += "/END:BLK_GrpLayerInfo\r\n";
    }
    t += "/END:PlotLayer\r\n/END:PlotInfo\r\n";
    return t;
}

// Visibility and snapping are never read back: a new document's values (built in).
std::string RichGrid()
{
    return Lines({"/START:Grid", "GridVisible=1", "GridW=7", "GridD=12", "GridKyutyaku=0", "GridMemori=0",
                  "GridMemoriType=1", "/END:Grid"});
}
} // namespace

TEST(PlotRoundTrip, DocumentBlocksSaveToTheSameBytes)
{
    FreshSettings settings;
    const std::string plot = RichPlotInfo();
    const std::string grid = RichGrid();
    CPelmoraDoc doc;
    auto in = CDefArchive::FromMemory("/START:ZELDATA\r\n" + plot + grid + "/END:ZELDATA\r\n");
    doc.Read(in.get(), "");
    EXPECT_EQ(Written([&](CDefArchive* ar) { return doc.m_plotInfo.Write(ar); }), plot);
    EXPECT_EQ(Written([&](CDefArchive* ar) { return doc.m_grid.Write(ar); }), grid);

    // Spot checks that the values went where they belong.
    EXPECT_EQ(doc.m_plotInfo.Paper().widthMm, 515);
    EXPECT_EQ(doc.m_plotInfo.m_wallColor, -1);
    EXPECT_EQ(doc.m_plotInfo.m_style[0].m_tanten, 7);
    EXPECT_EQ(doc.m_plotInfo.m_style[4].m_tanten, 12);
    EXPECT_EQ(doc.m_plotInfo.m_layer.m_scales[5], 250);
    EXPECT_EQ(doc.m_plotInfo.m_layer.m_edit2, 15);
    EXPECT_EQ(doc.m_plotInfo.m_layer.Info(17, 16)->m_type, 2);
    EXPECT_EQ(doc.m_plotInfo.m_layer.Info(1, 1)->m_name, cp932::Lit("間取り") + "1-1");
    EXPECT_EQ(doc.m_plotInfo.m_layer.GroupInfo(2)->m_name, cp932::Lit("地図"));
    EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_wide[3], 3.141592653589793);
    EXPECT_EQ(doc.m_grid.m_d, 12);
}

TEST(PlotRoundTrip, SavedDocumentStartsWithPlotInfoThenGrid)
{
    FreshSettings settings;
    testsupport::TempDir dir;
    const std::string body = "/START:ZELDATA\r\n" + RichPlotInfo() + RichGrid();
    testsupport::WriteFile(dir.file("in.q_l"), body + "/END:ZELDATA\r\n");
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("in.q_l")));
    ASSERT_TRUE(doc.OnSaveDocument(dir.file("out.q_l")));
    std::string out = testsupport::ReadFile(dir.file("out.q_l"));
    EXPECT_EQ(out.substr(0, body.size()), body);
    EXPECT_TRUE(out.ends_with("/END:ZELDATA\r\n"));
}

TEST(PlotRoundTrip, FontAndRoomRecordsSaveToTheSameBytes)
{
    const std::string font = Lines({"/START:BLKMTextFontMenu", "Font_lfHeight=-40", "Font_lfWidth=3",
                                    "Font_lfEscapement=900", "Font_lfOrientation=900", "Font_lfWeight=700",
                                    "Font_lfItalic=1", "Font_lfUnderline=1", "Font_lfStrikeOut=1",
                                    "Font_lfCharSet=128", "Font_lfOutPrecision=4", "Font_lfClipPrecision=5",
                                    "Font_lfQuality=2", "Font_lfPitchAndFamily=17",
                                    "Font_lfFaceName=" + cp932::Lit("@ＭＳ 明朝"), "Font_m_Color=255",
                                    "Font_m_size=12.5", "Font_m_kankaku=-0.1", "Font_m_gyoukan=1.0000000000000002",
                                    "Font_m_bBack=1", "Font_m_BackColor=65280", "Font_m_toko_align=2",
                                    "Font_m_tate_align=1", "/END:BLKMTextFontMenu"});
    CFontMenu f;
    ASSERT_EQ(LoadBlock(f, font, "BLKMTextFontMenu"), 1);
    EXPECT_EQ(Written([&](CDefArchive* ar) { return f.Write(ar, "BLKMTextFontMenu"); }), font);
    EXPECT_EQ(f.m_lfCharSet, 128);

    const std::string room = Lines({"/START:Room", "Room_bRoomColor=1", "Room_RoomColor=12648384",
                                    "Room_bHachColor=1", "Room_HachColor=255", "Room_HachType=5",
                                    "Room_Name=" + cp932::Lit("洋室"), "/END:Room"});
    CRoomInfo r;
    ASSERT_EQ(LoadBlock(r, room, "Room"), 1);
    EXPECT_EQ(Written([&](CDefArchive* ar) { return r.Write(ar, "Room"); }), room);
}

TEST(PlotRoundTrip, NewDocumentWritesEveryPositionOfTheLayerTable)
{
    FreshSettings settings;
    CPelmoraDoc doc;
    std::string text = Written([&](CDefArchive* ar) { return doc.m_plotInfo.Write(ar); });
    auto count = [&text](const std::string& what) { return testsupport::CountOf(text, what); };
    EXPECT_EQ(count("/START:BLK_LayerInfo\r\n"), 324u);
    EXPECT_EQ(count("/START:BLK_GrpLayerInfo\r\n"), 18u);
    // "PlotScale" precedes the layer table so that the group scales read after it win.
    EXPECT_LT(text.find("PlotScale="), text.find("/START:PlotLayer"));
    EXPECT_LT(text.find("/END:LineObj"), text.find("/START:PlotLayer"));
}

TEST(PlotRoundTrip, AWriteThatFailsStopsTheDocumentWrite)
{
    FreshSettings settings;
    CPelmoraDoc doc;
    for (std::size_t limit : {10u, 2000u, 20000u}) { // at different places in the block
        SCOPED_TRACE(limit);
        CRecordingMessageSink sink;
        auto ar = CDefArchive::ToMemory(limit);
        EXPECT_EQ(doc.Write(ar.get()), 0);
        EXPECT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(ar->MemoryData().find("/START:Grid"), std::string::npos);
    }
}
