// What drawing asks of the plot settings: sheets, table lookups by numbers read
// from files, style slots, dash patterns and map-object defaults.
#include "document/Paper.h"
#include "document/PlotInfo.h"
#include "document/StyleIndex.h"

#include <gtest/gtest.h>

TEST(Paper, EveryCodeOfTheTable)
{
    struct Case {
        int code, w, h;
        const char* series;
    } cases[] = {{0, 297, 210, "A4"},       {1, 364, 257, "B4"},      {2, 420, 297, "A3"},
                 {3, 594, 420, "A2"},       {4, 841, 594, "A1"},      {5, 257, 182, "B5"},
                 {6, 210, 297, "A4"},       {7, 182, 257, "B5"},      {8, 100, 148, "postcard"},
                 {9, 297, 420, "A3"},       {10, 257, 364, "B4"},     {12, 210, 148, "A5"},
                 {13, 148, 210, "A5"},      {14, 1030, 728, "B1"},    {15, 728, 1030, "B1"},
                 {16, 728, 515, "B2"},      {17, 515, 728, "B2"},     {18, 515, 364, "B3"},
                 {19, 364, 515, "B3"},      {20, 594, 841, "A1"},     {21, 420, 594, "A2"},
                 {22, 148, 100, "postcard"}, {23, 127, 89, "photo L"}, {24, 89, 127, "photo L"},
                 {25, 91, 55, "card"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        PaperSheet s = paper::Effective(c.code, 1, 1);
        EXPECT_EQ(s.code, c.code);
        EXPECT_EQ(s.widthMm, c.w);
        EXPECT_EQ(s.heightMm, c.h);
        EXPECT_EQ(s.series, c.series);
        EXPECT_EQ(s.landscape, c.w > c.h);
    }
}

TEST(Paper, UserSizeAndCodesOutsideTheTable)
{
    struct Case {
        int code, userW, userH;
        int code2, w, h;
    } cases[] = {
        {11, 400, 300, 11, 400, 300},  {11, 100, 700, 11, 100, 700}, {11, 29999, 1, 11, 29999, 1},
        {11, 0, 300, 11, 297, 210},    {11, 400, -5, 11, 297, 210},  {11, 30000, 300, 11, 297, 210},
        {-1, 400, 300, 0, 297, 210},   {26, 400, 300, 0, 297, 210},  {1000000, 1, 1, 0, 297, 210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        PaperSheet s = paper::Effective(c.code, c.userW, c.userH);
        EXPECT_EQ(s.code, c.code2);
        EXPECT_EQ(s.widthMm, c.w);
        EXPECT_EQ(s.heightMm, c.h);
    }
    CPlotInfo p;
    p.m_paperSize = 77;
    EXPECT_EQ(p.Paper().code, 0);
    EXPECT_EQ(p.m_paperSize, 77); // kept as read, so saving does not change the file
}

TEST(StyleIndex, ValuesOutsideTheTablesGiveAnEntryOfTheTable)
{
    struct Case {
        int v;
        int lineType, lineWide, yaWide, tanten, pattern, hachType, objWide, alpha;
    } cases[] = {
        {-2147483647 - 1, 0, 1, 0, 0, 0, 3, 0, 0},
        {-1, 0, 1, 0, 0, 0, 3, 0, 0},
        {0, 0, 1, 0, 0, 0, 0, 0, 0},
        {4, 4, 4, 4, 4, 4, 4, 4, 4},
        {5, 5, 5, 4, 5, 5, 5, 4, 5},
        {6, 0, 6, 4, 6, 6, 3, 4, 6},
        {9, 0, 9, 4, 9, 0, 3, 4, 9},
        {12, 0, 10, 4, 12, 0, 3, 4, 12},
        {13, 0, 10, 4, 0, 0, 3, 4, 13},
        {2147483647, 0, 10, 4, 0, 0, 3, 4, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(styleidx::SafeLineType(c.v), c.lineType);
        EXPECT_EQ(styleidx::SafeLineWide(c.v), c.lineWide);
        EXPECT_EQ(styleidx::SafeYaWide(c.v), c.yaWide);
        EXPECT_EQ(styleidx::SafeTanten(c.v), c.tanten);
        EXPECT_EQ(styleidx::SafePattern(c.v), c.pattern);
        EXPECT_EQ(styleidx::SafeHachType(c.v), c.hachType);
        EXPECT_EQ(styleidx::SafeObjWide(c.v), c.objWide);
        EXPECT_EQ(styleidx::SafeAlpha(c.v), c.alpha);
    }
}

TEST(PlotAccess, WidthAndMarkerTablesByClass)
{
    CPlotInfo p;
    struct Case {
        int cls, screen, print;
    } widths[] = {{1, 1, 3}, {2, 2, 6}, {6, 3, 14}, {10, 3, 20}, {0, 1, 3}, {-5, 1, 3}, {11, 3, 20}, {99999, 3, 20}};
    for (const auto& c : widths) {
        SCOPED_TRACE(c.cls);
        EXPECT_EQ(p.LineWidthScreen(c.cls), c.screen);
        EXPECT_EQ(p.LineWidthPrint(c.cls), c.print);
    }
    struct M {
        int cls;
        double mm;
    } markers[] = {{0, 0.6}, {1, 1.0}, {2, 1.66}, {4, 4.0}, {-1, 0.6}, {5, 4.0}};
    for (const auto& m : markers)
        EXPECT_DOUBLE_EQ(p.MarkerSizeMm(m.cls), m.mm) << m.cls;
}

TEST(PlotAccess, LayerNumbersFromRecords)
{
    CLayer L;
    L.Info(3, 4)->m_type = 2;
    L.m_scales[1] = 0;
    L.m_scales[2] = -50;
    L.m_scales[3] = 100;
    L.m_scales[17] = 7;
    struct Case {
        int g, l;
        bool inTable, shown;
    } cases[] = {{3, 4, true, false}, {4, 3, true, true},   {17, 17, true, true},  {18, 0, false, false},
                 {0, 18, false, false}, {-1, 0, false, false}, {0, -1, false, false}, {1000, 1000, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.g * 10000 + c.l);
        EXPECT_EQ(L.Info(c.g, c.l) != nullptr, c.inTable);
        EXPECT_EQ(L.IsShown(c.g, c.l), c.shown);
    }
    EXPECT_EQ(L.GroupInfo(18), nullptr);
    EXPECT_EQ(L.GroupInfo(-1), nullptr);
    EXPECT_EQ(L.Scale(0), 1);
    EXPECT_EQ(L.Scale(1), 1); // 0 counts as 1
    EXPECT_EQ(L.Scale(2), 1);
    EXPECT_EQ(L.Scale(3), 100);
    EXPECT_EQ(L.Scale(17), 7);
    EXPECT_EQ(L.Scale(18), 1);
    EXPECT_EQ(L.Scale(-3), 1);
    L.m_edit1 = 40;
    L.m_edit2 = -2;
    EXPECT_EQ(L.EditGroup(), 15);
    EXPECT_EQ(L.EditLayer(), 0);
}

TEST(PlotAccess, StyleSlotOfEachLineKind)
{
    CPlotInfo p;
    for (int s = 0; s < 5; ++s)
        p.m_style[s].m_color = 10 + s;
    struct Case {
        int kind, slot;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {6, 0}, {-1, 0}, {7, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(p.Style(c.kind).m_color, 10 + c.slot) << c.kind;
}

TEST(PlotAccess, DashPatterns)
{
    CPlotInfo p;
    float out[6];
    EXPECT_EQ(p.DashPattern(0, out), 0);
    EXPECT_EQ(p.DashPattern(5, out), 0);
    EXPECT_EQ(p.DashPattern(-1, out), 0);
    ASSERT_EQ(p.DashPattern(1, out), 2);
    EXPECT_FLOAT_EQ(out[0], 3.75f);
    EXPECT_FLOAT_EQ(out[1], 1.25f);
    // The dash-dot pattern repeats its first gap; the fourth pitch takes no part.
    p.m_linePich[CPlotInfo::kDashDot1] = 2.0f;
    p.m_linePich[CPlotInfo::kDashDot3] = 9.0f;
    ASSERT_EQ(p.DashPattern(3, out), 4);
    EXPECT_FLOAT_EQ(out[0], 6.25f);
    EXPECT_FLOAT_EQ(out[1], 2.0f);
    EXPECT_FLOAT_EQ(out[2], 1.25f);
    EXPECT_FLOAT_EQ(out[3], 2.0f);
    ASSERT_EQ(p.DashPattern(4, out), 6);
    EXPECT_FLOAT_EQ(out[0], 3.25f);
    p.m_linePich[CPlotInfo::kDot0] = -4.0f;
    ASSERT_EQ(p.DashPattern(2, out), 2);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
}

TEST(PlotAccess, MapObjectDefaultsForObjectsWithoutAnEdge)
{
    CObjInfo o;
    o.m_dColor = 1;
    o.m_dHuchi = 2;
    o.m_dHuchiColor = 3;
    o.m_tColor = 4;
    o.m_kColor = 5;
    o.m_kHuchi = 6;
    o.m_kHuchiColor = 7;
    struct Case {
        int kind;
        bool known;
        int color, huchi, huchiColor;
    } cases[] = {{0, true, 1, 2, 3}, {1, true, 4, -1, 99}, {2, true, 5, 6, 7}, {3, false, 98, -1, 99},
                 {-1, false, 98, -1, 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        int color = 98, huchi = -1, huchiColor = 99;
        EXPECT_EQ(o.FillMissingEdge(c.kind, color, huchi, huchiColor), c.known);
        EXPECT_EQ(color, c.color);
        EXPECT_EQ(huchi, c.huchi);
        EXPECT_EQ(huchiColor, c.huchiColor);
    }
    struct W {
        int cls;
        double mm;
    } widths[] = {{0, 0.3}, {2, 1.5}, {4, 5.0}, {-3, 0.3}, {5, 5.0}, {1 << 30, 5.0}};
    for (const auto& w : widths)
        EXPECT_DOUBLE_EQ(o.Wide(w.cls), w.mm) << w.cls;
}
