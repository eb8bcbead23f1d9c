// The text list: its three orders, and retyping that reaches the text a line shows.
#include "ContentTestSupport.h"
#include "content/TextList.h"

#include <gtest/gtest.h>

using contenttest::AddText;

TEST(TextList, Orders)
{
    struct Case {
        const char* name;
        int sort;
        std::vector<std::pair<double, double>> points; // in creation order; text i is named i + 1
        std::vector<int> ids;
    } cases[] = {
        {"creation", 1, {{50, 0}, {10, 0}, {30, 0}}, {1, 2, 3}},
        {"unknown sort is creation", 7, {{50, 0}, {10, 0}}, {1, 2}},
        {"from the left", 2, {{50, 0}, {10, 0}, {30, 0}}, {2, 3, 1}},
        // A text at x 12 made before one at x 10: first when it is the lower one.
        {"left tie, earlier lower", 2, {{12, 20}, {10, 5}}, {1, 2}},
        {"left tie, earlier higher", 2, {{12, 5}, {10, 20}}, {2, 1}},
        {"left, 5 mm is no tie", 2, {{15, 20}, {10, 5}}, {2, 1}},
        {"from the top", 3, {{0, 40}, {0, 10}, {0, 25}}, {2, 3, 1}},
        {"top tie, earlier further left", 3, {{5, 12}, {20, 10}}, {1, 2}},
        {"top tie, earlier further right", 3, {{20, 12}, {5, 10}}, {2, 1}},
    };
    for (const Case& c : cases) {
        CPelUnit unit;
        for (const auto& [x, y] : c.points)
            AddText(unit, "t", -1, -1, 0, x, y);
        EXPECT_EQ(CTextList::SortedIds(unit, c.sort), c.ids) << c.name;
    }
}

TEST(TextList, RetypingReachesTheTextOfTheLine)
{
    CPelUnit unit;
    AddText(unit, "first", -1, -1, 0, 30, 0);
    AddText(unit, "second", -1, -1, 0, 10, 0);
    AddText(unit, "third", -1, -1, 0, 20, 0);
    CTextList list;
    list.Refill(unit, CTextList::FromLeft);
    ASSERT_EQ(list.Lines().size(), 3u);
    EXPECT_EQ(list.Lines()[0].text, "second");
    EXPECT_EQ(list.LineOf(1), 2);

    // The text of line 0 is deleted while the window shows: line 0 reaches nothing.
    unit.m_texts.erase(unit.m_texts.begin() + 1);
    EXPECT_FALSE(list.Retype(unit, 0, "changed"));
    for (const auto& t : unit.m_texts)
        EXPECT_NE(t->m_text, "changed");

    // Refilled, each line retypes its own text, whatever its place in the unit.
    list.Refill(unit, CTextList::FromLeft);
    ASSERT_EQ(list.Lines().size(), 2u);
    EXPECT_TRUE(list.Retype(unit, 0, "changed"));
    EXPECT_EQ(unit.m_texts[1]->m_text, "changed");
    EXPECT_EQ(unit.m_texts[0]->m_text, "first");
    EXPECT_EQ(list.Lines()[0].text, "changed");
    EXPECT_FALSE(list.Retype(unit, 5, "x"));
}
