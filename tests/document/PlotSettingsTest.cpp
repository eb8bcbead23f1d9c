// The settings-store mirror: a first run starts from built-in values, a later run
// from what the previous run wrote when its window closed.
#include "PlotTestSupport.h"

#include "ardelib/SettingsStore.h"
#include "document/PelmoraDoc.h"
#include "platform/AppPaths.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

using namespace plottest;

TEST(PlotSettings, FirstRunUsesTheBuiltInValues)
{
    FreshSettings settings;
    AppProfile().WriteInt("QLA_T_GridMenu", "visible", 0); // ignored without "registset"
    AppProfile().WriteInt("QLA_T_PlotMenu", "laygray", 1);
    CPelmoraDoc doc;
    EXPECT_EQ(doc.m_grid.m_visible, 1);
    EXPECT_EQ(doc.m_grid.m_memoriType, 0);
    EXPECT_EQ(doc.m_grid.m_w, 5);
    EXPECT_EQ(doc.m_plotInfo.m_layGray, 0);
    EXPECT_EQ(doc.m_plotInfo.m_version, 22001);
    EXPECT_EQ(doc.m_plotInfo.m_objInfo.m_dHuchi, 1);
    EXPECT_EQ(doc.m_plotInfo.m_objInfo.m_dColor, 12632256);
    EXPECT_EQ(doc.m_plotInfo.m_objInfo.m_kColor, 16777077);
    EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_wide[2], 1.5);
    EXPECT_EQ(doc.m_plotInfo.m_style[3], CStyleSlot{});
    EXPECT_DOUBLE_EQ(doc.m_textFont.m_size, 3.5);
    EXPECT_EQ(doc.m_textFont.m_lfHeight, -19);
    EXPECT_EQ(doc.m_textFont.m_faceName, cp932::Lit("ＭＳ ゴシック"));
    EXPECT_EQ(doc.m_plotInfo.m_dataFolder, apppaths::UserDataDir() + "/data");
}

TEST(PlotSettings, AfterARunWithoutValuesTheSettingDefaultsApply)
{
    FreshSettings settings;
    AppProfile().WriteInt("QLA_T_UTILITY", "registset", 1);
    AppProfile().WriteInt("QLA_T_PlotMenu", "czread_habapich", 0);
    CPelmoraDoc doc;
    EXPECT_EQ(doc.m_grid.m_visible, 0);
    EXPECT_EQ(doc.m_grid.m_memoriType, 1);
    EXPECT_EQ(doc.m_plotInfo.m_layGray, 1);
    EXPECT_EQ(doc.m_plotInfo.m_objInfo.m_dHuchi, 0);
    EXPECT_EQ(doc.m_plotInfo.m_objInfo.m_dColor, 0);
    EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_wide[4], 5.0);
    EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_carSpeed, 42.0);
    EXPECT_DOUBLE_EQ(doc.m_textFont.m_size, 3.5);
    EXPECT_EQ(doc.m_textFont.m_lfHeight, 0); // the empty text
    EXPECT_EQ(doc.m_textFont.m_lfCharSet, 1);
    EXPECT_EQ(doc.m_textFont.m_backColor, 16777215);
}

TEST(PlotSettings, ValuesWrittenAtTheEndOfARunComeBackInTheNextDocument)
{
    FreshSettings settings;
    {
        CPelmoraDoc doc;
        CPlotInfo& p = doc.m_plotInfo;
        p.m_paperSize = 6;
        p.m_paperUserX = 333;
        p.m_wallWide = 75;
        p.m_wallType = 1;
        p.m_hasiraType = 2;
        p.m_koutenPita = 1;
        p.m_sirokuro = 1;
        p.m_imageHeight = 45;
        p.m_layGray = 1;
        p.m_lineYaWide = 3;
        p.m_lineHutosaP[9] = 33;
        p.m_keijPich[4] = 5.5;
        p.m_linePich[CPlotInfo::kDash0] = 4.5f;
        p.m_linePich[CPlotInfo::kDashDot3] = 7.0f; // saved, never loaded
        p.m_objInfo.m_dColor = 255;
        p.m_objInfo.m_kHuchi = 0;
        p.m_objInfo.m_tohoSpeed = 2.3; // tenths: 23, not 22
        p.m_wallColor = 77;            // not mirrored
        p.m_style[1].m_color = 5;      // not mirrored
        doc.m_grid.m_visible = 0;
        doc.m_grid.m_kyutyaku = 1; // no snapping to a hidden grid
        doc.m_grid.m_w = 7;
        doc.m_grid.m_memoriType = 0;
        doc.m_textFont.m_faceName = cp932::Lit("ＭＳ 明朝");
        doc.m_textFont.m_lfHeight = -33;
        doc.m_textFont.m_lfWeight = 700;
        doc.m_textFont.m_lfItalic = 1;
        doc.m_textFont.m_size = 5.25;
        doc.m_textFont.m_color = 123456;
        doc.m_textFont.m_bBack = 1;
        doc.SaveSettingsMirror(AppProfile());
    }
    settings.NewRun();
    EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "registset", 0), 1);
    AppProfile().WriteInt("QLA_T_PlotMenu", "czread_habapich", 0);
    CPelmoraDoc doc;
    const CPlotInfo& p = doc.m_plotInfo;
    EXPECT_EQ(p.m_paperSize, 6);
    EXPECT_EQ(p.m_paperUserX, 333);
    EXPECT_EQ(p.m_wallWide, 75);
    EXPECT_EQ(p.m_wallType, 1);
    EXPECT_EQ(p.m_hasiraType, 2);
    EXPECT_EQ(p.m_koutenPita, 1);
    EXPECT_EQ(p.m_sirokuro, 1);
    EXPECT_EQ(p.m_imageHeight, 45);
    EXPECT_EQ(p.m_layGray, 1);
    EXPECT_EQ(p.m_lineYaWide, 3);
    EXPECT_EQ(p.m_lineHutosaP[9], 33);
    EXPECT_DOUBLE_EQ(p.m_keijPich[4], 5.5);
    EXPECT_FLOAT_EQ(p.m_linePich[CPlotInfo::kDash0], 4.5f);
    EXPECT_FLOAT_EQ(p.m_linePich[CPlotInfo::kDashDot3], 1.25f);
    EXPECT_EQ(p.m_objInfo.m_dColor, 255);
    EXPECT_EQ(p.m_objInfo.m_kHuchi, 0);
    EXPECT_DOUBLE_EQ(p.m_objInfo.m_tohoSpeed, 2.3);
    EXPECT_EQ(p.m_wallColor, 0);
    EXPECT_EQ(p.m_style[1], CStyleSlot{});
    EXPECT_EQ(p.m_scale, 1);
    EXPECT_EQ(doc.m_grid.m_visible, 0);
    EXPECT_EQ(doc.m_grid.m_kyutyaku, 0);
    EXPECT_EQ(doc.m_grid.m_w, 7);
    EXPECT_EQ(doc.m_grid.m_memoriType, 0);
    EXPECT_EQ(doc.m_textFont.m_faceName, cp932::Lit("ＭＳ 明朝"));
    EXPECT_EQ(doc.m_textFont.m_lfHeight, -33);
    EXPECT_EQ(doc.m_textFont.m_lfWeight, 700);
    EXPECT_EQ(doc.m_textFont.m_lfItalic, 1);
    EXPECT_DOUBLE_EQ(doc.m_textFont.m_size, 5.25);
    EXPECT_EQ(doc.m_textFont.m_color, 123456);
    EXPECT_EQ(doc.m_textFont.m_bBack, 1);
    // Settings are read as text by the store's types: the face went in as UTF-8.
    EXPECT_EQ(AppProfile().GetString("QLA_T_FontMenu", "name", ""), "ＭＳ 明朝");
    EXPECT_EQ(AppProfile().GetString("QLA_T_PlotMenu", "linepich_dash_0", ""), "4.500000");
}

TEST(PlotSettings, WallColourAndDimensionSettingsSurviveANewDocumentOnlyAfterARun)
{
    FreshSettings settings;
    CPelmoraDoc doc;
    doc.m_plotInfo.m_wallColor = 9;
    doc.m_plotInfo.m_sunpoKurai = 2;
    doc.m_plotInfo.m_sunpoTanten = 3;
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_plotInfo.m_wallColor, 0);
    AppProfile().WriteInt("QLA_T_UTILITY", "registset", 1);
    doc.m_plotInfo.m_wallColor = 9;
    doc.m_plotInfo.m_sunpoKurai = 2;
    doc.m_plotInfo.m_sunpoTanten = 3;
    doc.m_plotInfo.m_vx3D = 1;
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_plotInfo.m_wallColor, 9);
    EXPECT_EQ(doc.m_plotInfo.m_sunpoKurai, 2);
    EXPECT_EQ(doc.m_plotInfo.m_sunpoTanten, 3);
    EXPECT_EQ(doc.m_plotInfo.m_vx3D, 0);
}

TEST(PlotSettings, GroupScalesFromTheSettings)
{
    FreshSettings settings;
    AppProfile().WriteInt("QLA_T_PlotMenu", "scale", 100);
    AppProfile().WriteInt("QLA_T_PlotMenu", "scale3", 50);
    CPelmoraDoc doc;
    for (int g = 0; g < 16; ++g)
        EXPECT_EQ(doc.m_plotInfo.m_layer.m_scales[g], g == 3 ? 50 : 100) << g;
}

TEST(PlotSettings, MapObjectWidthsFromTheMapProgram)
{
    struct Case {
        const char* name;
        int czread;
        bool mapStore;
        double wide0, wide1;
    } cases[] = {
        {"own widths", 0, true, 0.7, 0.9},
        {"no map settings", 1, false, 0.3, 0.8},
        {"map settings", 1, true, 1.2, 0.9}, // wide1 has no map value: the own setting stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshSettings settings;
        CSettingsStore& own = AppProfile();
        own.WriteInt("QLA_T_UTILITY", "registset", 1);
        own.WriteInt("QLA_T_PlotMenu", "czread_habapich", c.czread);
        own.WriteInt("QLA_T_PlotMenu", "c_wide0", 7);
        own.WriteInt("QLA_T_PlotMenu", "c_wide1", 9);
        if (c.mapStore) {
            CSettingsStore map("Halvorn", "Orvix");
            map.WriteInt("VX_Plotmenu", "c_wide0", 12);
            map.WriteString("VX_Plotmenu", "c_wide1", "wrong type");
            map.Sync();
        }
        CPelmoraDoc doc;
        EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_wide[0], c.wide0);
        EXPECT_DOUBLE_EQ(doc.m_plotInfo.m_objInfo.m_wide[1], c.wide1);
    }
}

TEST(PlotSettings, DataFolderFollowsTheFolderSetting)
{
    FreshSettings settings;
    AppProfile().WriteInt("QLA_T_UTILITY", "path_data_flg", 1);
    AppProfile().WriteString("QLA_T_UTILITY", "path_set_forda", "/srv/flyers/");
    CPelmoraDoc doc;
    EXPECT_EQ(doc.m_plotInfo.m_dataFolder, "/srv/flyers/data");
}

TEST(PlotSettings, BadSettingValuesStayUsable)
{
    FreshSettings settings;
    CSettingsStore& s = AppProfile();
    s.WriteInt("QLA_T_UTILITY", "registset", 1);
    s.WriteString("QLA_T_PlotMenu", "linepich_dash_0", "1e999");
    s.WriteString("QLA_T_PlotMenu", "keij_pich_1", "nan");
    s.WriteString("QLA_T_FontMenu", "size", "-1e999");
    s.WriteString("QLA_T_FontMenu", "name", "x\xe2\x98\x83"); // a snowman has no code page 932 form
    s.WriteInt("QLA_T_PlotMenu", "ensize", 99);
    CPelmoraDoc doc;
    EXPECT_LE(doc.m_plotInfo.m_linePich[0], 10000.0f);
    EXPECT_EQ(doc.m_plotInfo.m_keijPich[0], 0.0);
    EXPECT_GE(doc.m_textFont.m_size, -1.0e6);
    EXPECT_EQ(doc.m_textFont.m_faceName, cp932::Lit("ＭＳ ゴシック"));
    EXPECT_EQ(doc.m_plotInfo.Paper().code, 0);
}
