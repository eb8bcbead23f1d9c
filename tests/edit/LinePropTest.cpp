// The style edits of the shape-property panel without its widgets.
#include "edit/LineProp.h"
#include "edit/ToolMode.h"

#include "ardelib/SettingsStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace lineprop;

TEST(LinePropTest, LayoutsOfModesAndSlotsOfLayouts)
{
    struct Case {
        ToolMode mode;
        int layout;
    };
    const Case cases[] = {{ToolMode::Line, 0},          {ToolMode::Polyline, 0},   {ToolMode::DoubleLine, 0},
                          {ToolMode::Rect, 1},          {ToolMode::RoundRect, 1},  {ToolMode::Polygon, 2},
                          {ToolMode::SmoothPolygon, 2}, {ToolMode::Circle, 3},     {ToolMode::Ellipse, 3},
                          {ToolMode::Arc, 4},           {ToolMode::EllipticArc, 4}, {ToolMode::Select, -1},
                          {ToolMode::Dimension, -1},    {ToolMode::RangeMove, -1}, {ToolMode::Balloon, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.layout, PanelLayoutOfMode(static_cast<int>(c.mode))) << static_cast<int>(c.mode);
    EXPECT_EQ(0, SlotOfLayout(0));
    EXPECT_EQ(0, SlotOfLayout(5)); // a dimension line's properties use slot 0
    EXPECT_EQ(0, SlotOfLayout(6));
    EXPECT_EQ(4, SlotOfLayout(4));
}

TEST(LinePropTest, PaletteColoursGoWhereTheRadioAndFillSay)
{
    CStyleSlot s;
    EXPECT_TRUE(ApplyColour(s, Target::Line, false, 0xFF));
    EXPECT_EQ(0xFF, s.m_color);
    // Without 中を塗る the fill colours stay.
    EXPECT_FALSE(ApplyColour(s, Target::Fill, false, 0x00FF00));
    EXPECT_FALSE(ApplyColour(s, Target::Second, false, 0x00FF00));
    EXPECT_EQ(16777215, s.m_nakaColor);
    EXPECT_EQ(16777215, s.m_nakaColor2);
    EXPECT_TRUE(ApplyColour(s, Target::Second, true, 0x00FF00));
    EXPECT_EQ(0x00FF00, s.m_nakaColor2);
    // The chooser with 第二色選択 and 中を塗る sets the first fill colour.
    EXPECT_EQ(&s.m_nakaColor, ChooserTarget(s, Target::Second, true));
    EXPECT_EQ(nullptr, ChooserTarget(s, Target::Fill, false));
    EXPECT_EQ(&s.m_color, ChooserTarget(s, Target::Line, false));
}

TEST(LinePropTest, GradationKeepsItsDirectionWhileOff)
{
    CStyleSlot s;
    s.m_gradiation = 9000; // 上から下へ, off
    EXPECT_FALSE(GradationOn(s));
    EXPECT_EQ(2, GradationDirectionIndex(s));
    EXPECT_FALSE(SetGradationDirection(s, 4));
    EXPECT_EQ(9000, s.m_gradiation);
    SetGradationOn(s, true);
    EXPECT_EQ(9001, s.m_gradiation);
    EXPECT_TRUE(SetGradationDirection(s, 4));
    EXPECT_EQ(18001, s.m_gradiation);
    s.m_gradiation = 9002; // the group gradation shows as off
    EXPECT_FALSE(GradationOn(s));
    s.m_gradiation = 1301; // an unknown direction shows the first entry
    EXPECT_EQ(0, GradationDirectionIndex(s));
}

TEST(LinePropTest, OpacityTakesOnlyWholeNumbersUpTo100)
{
    CStyleSlot s;
    struct Case {
        const char* text;
        bool stored;
        int alpha;
    };
    const Case cases[] = {{"40", true, 40}, {"0", true, 0}, {"100", true, 100}, {"101", false, 100},
                          {"-1", false, 100}, {"", false, 100}, {"5x", false, 100}, {"abc", false, 100}};
    for (const Case& c : cases) {
        s.m_alpha = 100;
        EXPECT_EQ(c.stored, SetOpacityText(s, c.text)) << c.text;
        EXPECT_EQ(c.alpha, s.m_alpha) << c.text;
    }
}

TEST(LinePropTest, CustomColoursWrapAndABadCounterStartsAtZero)
{
    testsupport::TempDir dir; // a fresh application name: an empty store
    CSettingsStore store("HalvornTest", dir.path().substr(dir.path().rfind('/') + 1));
    store.WriteInt(CCustomColours::kSection, "ln_orgcolor_cnt", 77);
    CCustomColours c;
    c.Load(store);
    EXPECT_EQ(0, c.Next());
    EXPECT_EQ(16777215, c.Colour(3));
    for (int i = 0; i < 25; ++i)
        c.Add(store, i + 1);
    EXPECT_EQ(25, c.Next());
    c.Add(store, 0x123456); // the 26th goes into cell 25, the next one into cell 0
    EXPECT_EQ(0, c.Next());
    EXPECT_EQ(0x123456, c.Colour(25));
    c.Add(store, 0x654321);
    EXPECT_EQ(0x654321, c.Colour(0));
    CCustomColours again;
    again.Load(store);
    EXPECT_EQ(0x654321, again.Colour(0));
    EXPECT_EQ(0x123456, again.Colour(25));
    EXPECT_EQ(1, again.Next());
    store.WriteInt(CCustomColours::kSection, "ln_orgcolor_cnt", -4);
    again.Load(store);
    EXPECT_EQ(0, again.Next());
}
