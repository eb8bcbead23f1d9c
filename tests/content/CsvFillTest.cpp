// Filling bound texts from a table: which texts take which cell, the fit modes, the
// rows of a batch, and that a filled text cannot break the saved file.
#include "ContentTestSupport.h"
#include "TestSupport.h"
#include "ardelib/SettingsStore.h"
#include "content/CsvFill.h"
#include "content/CsvImport.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

using contenttest::AddText;
using contenttest::S;
using contenttest::U;

namespace {
CCsvTable Table(const std::string& utf8)
{
    CCsvTable t;
    t.Parse(S(utf8));
    return t;
}

int Fill(CPelUnit& unit, const CCsvTable& table, const CCsvFill::RowMap& rowOf = {})
{
    return CCsvFill::Apply(unit, CCsvFill::Plan(unit, table, rowOf));
}
} // namespace

TEST(CsvFill, EachBoundTextTakesItsCell)
{
    CPelUnit unit;
    CPelText& b = AddText(unit, "old", 1, 0);
    CPelText& unbound = AddText(unit, "keep", -1, 0);
    CPelText& negative = AddText(unit, "keep", -7, 0);
    CPelText& negativeRow = AddText(unit, "keep", 0, -3);
    CPelText& pastRow = AddText(unit, "keep", 0, 9);
    CPelText& pastCol = AddText(unit, "keep", 3, 0);
    CPelText& partialRow = AddText(unit, "old", 1, 1);
    CPelText& sameCell = AddText(unit, "x", 0, 0);
    // The last line has no line break: its cells still count.
    const CCsvTable table = Table("A,B,C\n甲,乙");
    EXPECT_EQ(Fill(unit, table), 3);
    EXPECT_EQ(b.m_text, "B");
    EXPECT_EQ(U(partialRow.m_text), "乙");
    EXPECT_EQ(sameCell.m_text, "A");
    for (const CPelText* t : {&unbound, &negative, &negativeRow, &pastRow, &pastCol})
        EXPECT_EQ(t->m_text, "keep") << "text " << t->m_id;
}

TEST(CsvFill, NothingToChangeGivesNoPlan)
{
    CPelUnit unit;
    AddText(unit, "A", 0, 0);
    AddText(unit, "keep", -1, -1);
    EXPECT_TRUE(CCsvFill::Plan(unit, Table("A,B\n"), {}).empty());
    EXPECT_TRUE(CCsvFill::Plan(unit, Table(""), {}).empty());
}

TEST(CsvFill, FitModes)
{
    struct Case {
        const char* name;
        std::string old;
        int mode;
        std::string cell;
        std::string text;
        double size; // of 4.0
    } cases[] = {
        {"as it is", "abcd", 0, "12345678", "12345678", 4.0},
        {"shrink halves", "abcd", 1, "12345678", "12345678", 2.0},
        {"shrink not when shorter", "abcdefgh", 1, "1234", "1234", 4.0},
        {"shrink from empty", "", 1, "12345678", "12345678", 0.5},
        {"shrink counts bytes", "abcd", 1, S("桜台の家"), S("桜台の家"), 2.0},
        {"wrap 4/4/2", "abcd\r\nefgh", 2, "0123456789", "0123\r\n4567\r\n89", 4.0},
        {"wrap at the longest line", "ab\r\nabcdef", 2, "0123456789", "012345\r\n6789", 4.0},
        {"wrap one line", "abcd", 2, "0123456789", "0123\r\n4567\r\n89", 4.0},
        {"wrap fits", "abcdef", 2, "0123", "0123", 4.0},
        {"wrap never splits a character", "abc", 2, S("あいう"), S("あ\r\nい\r\nう"), 4.0},
        {"wrap at least one character", "a", 2, S("あa"), S("あ\r\na"), 4.0},
        {"wrap keeps the cell's breaks", "abcd", 2, "ab\r\n0123456", "ab\r\n0123\r\n456", 4.0},
    };
    for (const Case& c : cases) {
        CPelUnit unit;
        CPelText& t = AddText(unit, c.old, 0, 0, c.mode);
        t.m_font.m_size = 4.0;
        CCsvTable table;
        table.ParseCp932("\"" + c.cell + "\"\n");
        Fill(unit, table);
        EXPECT_EQ(U(t.m_text), U(c.text)) << c.name;
        EXPECT_DOUBLE_EQ(t.m_font.m_size, c.size) << c.name;
    }
}

TEST(CsvFill, RowsOfABatch)
{
    // Headings bound to row 0 keep it; texts bound to the last bound row take row k.
    CPelUnit unit;
    CPelText& heading = AddText(unit, "", 0, 0);
    CPelText& name = AddText(unit, "", 0, 1);
    CPelText& price = AddText(unit, "", 1, 1);
    EXPECT_EQ(CCsvFill::LargestBoundRow(unit), 1);
    const CCsvTable table = Table("物件名,価格\n桜台,3980\n若葉,2480\n");
    const int last = CCsvFill::LargestBoundRow(unit);
    auto second = [&](int row) -> long long { return row == last ? row + 1 : row; };
    Fill(unit, table, second);
    EXPECT_EQ(U(heading.m_text), "物件名");
    EXPECT_EQ(U(name.m_text), "若葉");
    EXPECT_EQ(price.m_text, "2480");

    CPelUnit none;
    AddText(none, "x");
    EXPECT_EQ(CCsvFill::LargestBoundRow(none), -1);
}

TEST(CsvFill, AppliesOnlyToTextsStillThere)
{
    CPelUnit unit;
    AddText(unit, "a", 0, 0);
    AddText(unit, "b", 1, 0);
    auto plan = CCsvFill::Plan(unit, Table("x,y\n"), {});
    ASSERT_EQ(plan.size(), 2u);
    unit.m_texts.erase(unit.m_texts.begin());
    EXPECT_EQ(CCsvFill::Apply(unit, plan), 1);
    EXPECT_EQ(unit.m_texts[0]->m_text, "y");
}

TEST(CsvFill, AFilledTextCannotBreakTheSavedFile)
{
    // Every kind of line break in a cell stays inside the text's one value line.
    CPelUnit unit;
    CPelText& t = AddText(unit, "old", 0, 0);
    Fill(unit, Table("\"a\r\n/END:PelUnit\nMTextID=99\rb\"\n"));
    EXPECT_EQ(t.m_text, "a\r\n/END:PelUnit\r\nMTextID=99\r\nb");
    auto ar = CDefArchive::ToMemory();
    ASSERT_EQ(unit.Write(ar.get()), 1);
    ASSERT_TRUE(ar->Close());
    const std::string file = ar->MemoryData();
    EXPECT_NE(file.find("MTextstr=a\t/END:PelUnit\tMTextID=99\tb\r\n"), std::string::npos) << file;

    CPelUnit back;
    auto in = CDefArchive::FromMemory(file);
    CDefFile def;
    ASSERT_TRUE(def.FindStart(in.get(), "PelUnit"));
    ASSERT_EQ(back.Read(in.get(), "PelUnit"), 1);
    ASSERT_EQ(back.m_texts.size(), 1u);
    EXPECT_EQ(back.m_texts[0]->m_id, 1);
    EXPECT_EQ(back.m_texts[0]->m_text, t.m_text);
}

TEST(CsvImport, PlansTheFirstRowsOfAFile)
{
    testsupport::TempDir dir;
    EXPECT_EQ(CCsvImport::LastPath(), apppaths::InstalledDataDir() + "/csv_sample_8.csv");
    EXPECT_TRUE(testsupport::FileExists(CCsvImport::LastPath())) << "the bundled sample";

    std::string bytes = "A,B\n";
    for (int i = 1; i <= 60; ++i)
        bytes += "r" + std::to_string(i) + ",x\n";
    testsupport::WriteFile(dir.file("rows.csv"), bytes);
    CPelUnit unit;
    CPelText& row50 = AddText(unit, "keep", 0, 49);
    CPelText& row51 = AddText(unit, "keep", 0, 50);
    std::vector<CTextChange> changes;
    std::vector<std::string> notes;
    std::string error;
    ASSERT_TRUE(CCsvImport::Prepare(unit, dir.file("rows.csv"), changes, notes, error));
    ASSERT_EQ(changes.size(), 1u) << "the window reads 50 rows";
    EXPECT_EQ(changes[0].textId, row50.m_id);
    EXPECT_EQ(changes[0].text, "r49");
    EXPECT_EQ(row51.m_text, "keep");
    EXPECT_TRUE(notes.empty());

    EXPECT_FALSE(CCsvImport::Prepare(unit, dir.file("none.csv"), changes, notes, error));
    EXPECT_EQ(error, CCsvTable::kNotCsv);
    CCsvImport::StorePath(dir.file("rows.csv"));
    EXPECT_EQ(CCsvImport::LastPath(), dir.file("rows.csv"));
    AppProfile().Remove("QLA_T_UTILITY", CCsvImport::kPathKey);
}
