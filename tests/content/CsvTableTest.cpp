// Reading CSV files: quoting, line breaks, the second bytes of double-byte characters,
// row limits, encodings and files that are not CSV at all.
#include "ContentTestSupport.h"
#include "TestSupport.h"
#include "content/CsvTable.h"

#include <gtest/gtest.h>

using contenttest::S;
using contenttest::U;

namespace {
using Rows = std::vector<std::vector<std::string>>;

Rows Utf8Rows(const CCsvTable& t)
{
    Rows out;
    for (const auto& row : t.Rows()) {
        out.emplace_back();
        for (const auto& cell : row)
            out.back().push_back(U(cell));
    }
    return out;
}
} // namespace

TEST(CsvTable, CellsAndRows)
{
    struct Case {
        const char* name;
        std::string bytes; // UTF-8, turned into code page 932
        Rows rows;
    } cases[] = {
        {"plain", "A,B,C\n", {{"A", "B", "C"}}},
        {"quoted comma", "\"1,234\",x\n", {{"1,234", "x"}}},
        {"doubled quote", "a,\"b\"\"c\"\n", {{"a", "b\"c"}}},
        {"empty quoted", "\"\",x\n", {{"", "x"}}},
        {"line break in quotes", "a,\"一行目\n二行目\"\nz\n", {{"a", "一行目\r\n二行目"}, {"z"}}},
        {"CR LF in quotes", "\"a\r\nb\"\r\n", {{"a\r\nb"}}},
        {"CR LF rows", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"mixed breaks, last line open", "a\r\nb\nc", {{"a"}, {"b"}, {"c"}}},
        {"lone CR", "a\rb\r", {{"a"}, {"b"}}},
        {"rows of different lengths", "a\nb,c,d\n", {{"a"}, {"b", "c", "d"}}},
        {"empty cells", ",\n,,x\n", {{"", ""}, {"", "", "x"}}},
        {"empty line", "\nx\n", {{""}, {"x"}}},
        {"quote after text", "\"1,234\"万円,y\n", {{"1,234万円", "y"}}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        CCsvTable t;
        t.Parse(S(c.bytes));
        EXPECT_EQ(Utf8Rows(t), c.rows) << c.name;
        EXPECT_EQ(t.GetEncoding(), CCsvTable::Encoding::Cp932) << c.name;
    }
}

TEST(CsvTable, SecondByte5CIsNeverAnEscape)
{
    // 表 is 95 5C, ソ is 83 5C, 能 is 94 5C: a backslash reader would swallow the quote or the comma.
    const std::string bytes = S("\"表\",ソ,\"能,力\"\n次\n");
    ASSERT_NE(bytes.find('\x5c'), std::string::npos);
    CCsvTable t;
    t.Parse(bytes);
    EXPECT_EQ(Utf8Rows(t), (Rows{{"表", "ソ", "能,力"}, {"次"}}));
}

TEST(CsvTable, UnterminatedQuoteKeepsTheRestAndSaysSo)
{
    CCsvTable t;
    t.Parse("a,b\nc,\"de\nf,g");
    EXPECT_EQ(Utf8Rows(t), (Rows{{"a", "b"}, {"c", "de\r\nf,g"}}));
    ASSERT_EQ(t.Notes().size(), 1u);
    EXPECT_NE(t.Notes()[0].find("2 行目"), std::string::npos) << t.Notes()[0];
}

TEST(CsvTable, LongLinesAndCells)
{
    // A line far over 1279 bytes is one row, and a 100,000-byte cell stays whole.
    std::string big(100000, 'x');
    std::string wide;
    for (int i = 0; i < 400; ++i)
        wide += "cell" + std::to_string(i) + ",";
    CCsvTable t;
    t.Parse(wide + "\n" + big + ",end\n");
    ASSERT_EQ(t.RowCount(), 2u);
    EXPECT_EQ(t.Rows()[0].size(), 401u);
    EXPECT_EQ(*t.Cell(0, 399), "cell399");
    EXPECT_EQ(*t.Cell(1, 0), big);
    EXPECT_EQ(*t.Cell(1, 1), "end");
}

TEST(CsvTable, RowLimit)
{
    std::string bytes;
    for (int i = 0; i < 60; ++i)
        bytes += "r" + std::to_string(i) + ",\"q\nq\"\n";
    CCsvTable t;
    t.Parse(bytes, CCsvTable::kImportRows);
    EXPECT_EQ(t.RowCount(), 50u);
    EXPECT_TRUE(t.Truncated());
    EXPECT_EQ(*t.Cell(49, 0), "r49");
    t.Parse(bytes, 60);
    EXPECT_EQ(t.RowCount(), 60u);
    EXPECT_FALSE(t.Truncated());
    // Cells out of the table, negative included.
    EXPECT_EQ(t.Cell(60, 0), nullptr);
    EXPECT_EQ(t.Cell(0, 2), nullptr);
    EXPECT_EQ(t.Cell(-1, 0), nullptr);
    EXPECT_EQ(t.Cell(0, -1), nullptr);
}

TEST(CsvTable, Encodings)
{
    struct Case {
        const char* name;
        std::string bytes;
        CCsvTable::Encoding encoding;
        std::size_t notes;
        Rows rows;
    } cases[] = {
        {"code page 932", S("物件名,価格\n"), CCsvTable::Encoding::Cp932, 0, {{"物件名", "価格"}}},
        {"ASCII", "a,b\n", CCsvTable::Encoding::Cp932, 0, {{"a", "b"}}},
        {"UTF-8 with BOM", "\xEF\xBB\xBF物件名,価格\r\n", CCsvTable::Encoding::Utf8Bom, 0, {{"物件名", "価格"}}},
        {"UTF-8 BOM, ASCII only", "\xEF\xBB\xBF" "a\n", CCsvTable::Encoding::Utf8Bom, 0, {{"a"}}},
        {"UTF-8 without BOM", "物件名,\"3,980万円\"\n", CCsvTable::Encoding::Utf8, 1, {{"物件名", "3,980万円"}}},
        {"UTF-8, outside the code page", "\xEF\xBB\xBF家\xF0\x9F\x8F\xA0,x\n", CCsvTable::Encoding::Utf8Bom, 1,
         {{"家？", "x"}}},
    };
    for (const Case& c : cases) {
        CCsvTable t;
        t.Parse(c.bytes);
        EXPECT_EQ(t.GetEncoding(), c.encoding) << c.name;
        EXPECT_EQ(t.Notes().size(), c.notes) << c.name;
        EXPECT_EQ(Utf8Rows(t), c.rows) << c.name;
    }
}

TEST(CsvTable, FilesThatAreNotCsv)
{
    testsupport::TempDir dir;
    CCsvTable t;
    std::string error;
    EXPECT_FALSE(t.Load(dir.file("missing.csv"), CCsvTable::kNoLimit, error));
    EXPECT_EQ(error, CCsvTable::kNotCsv);

    testsupport::WriteFile(dir.file("binary.csv"), std::string("PK\x03\x04\0\0\x01", 7));
    error.clear();
    EXPECT_FALSE(t.Load(dir.file("binary.csv"), CCsvTable::kNoLimit, error));
    EXPECT_EQ(error, CCsvTable::kNotCsv);

    testsupport::WriteFile(dir.file("empty.csv"), "");
    EXPECT_TRUE(t.Load(dir.file("empty.csv"), CCsvTable::kNoLimit, error));
    EXPECT_EQ(t.RowCount(), 0u);
}

TEST(CsvTable, LoadStopsAfterTheRowsItNeeds)
{
    // 3 MB of rows: the window's import reads the first 50 and leaves the rest.
    testsupport::TempDir dir;
    std::string bytes = S("見出し,価格\n");
    const std::string row = S("桜台の家,\"3,980\"\n");
    while (bytes.size() < 3u << 20)
        bytes += row;
    testsupport::WriteFile(dir.file("big.csv"), bytes);
    CCsvTable t;
    std::string error;
    ASSERT_TRUE(t.Load(dir.file("big.csv"), CCsvTable::kImportRows, error));
    EXPECT_EQ(t.RowCount(), 50u);
    EXPECT_TRUE(t.Truncated());
    EXPECT_EQ(U(*t.Cell(49, 1)), "3,980");
    ASSERT_TRUE(t.Load(dir.file("big.csv"), CCsvTable::kNoLimit, error));
    EXPECT_GT(t.RowCount(), 100000u);
    EXPECT_FALSE(t.Truncated());
}

TEST(CsvTable, ColumnNames)
{
    const std::pair<int, const char*> cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"},
                                                 {52, "BA"}, {249, "IP"}, {701, "ZZ"}, {702, "AAA"}};
    for (const auto& [col, name] : cases) {
        EXPECT_EQ(CCsvTable::ColumnName(col), name);
        EXPECT_EQ(CCsvTable::ColumnIndex(name), col);
    }
    EXPECT_EQ(CCsvTable::ColumnIndex("ip"), 249);
    EXPECT_EQ(CCsvTable::ColumnIndex(""), -1);
    EXPECT_EQ(CCsvTable::ColumnIndex("A1"), -1);
}

TEST(CsvTable, Utf8ConvertsAsTheCodecDoes)
{
    // Every character of code page 932 written in UTF-8 reads back as the bytes the
    // code page's own encoder gives it (NEC and IBM duplicates included).
    std::string cp;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                cp += std::string{static_cast<char>(lead), static_cast<char>(trail), ','};
    }
    for (unsigned c = 0xA1; c <= 0xDF; ++c)
        cp += std::string{static_cast<char>(c), ','};
    const QString text = cp932::ToQString(cp).remove(QChar::ReplacementCharacter);
    std::string expected;
    ASSERT_TRUE(cp932::FromQString(text, expected));
    CCsvTable t;
    t.Parse("\xEF\xBB\xBF" + text.toStdString());
    EXPECT_TRUE(t.Notes().empty());
    std::string got;
    for (const auto& cell : t.Rows().at(0))
        got += cell + ",";
    got.pop_back();
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
}
