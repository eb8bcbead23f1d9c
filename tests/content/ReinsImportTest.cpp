// REINS exports of both layouts (the regional one in its two variants), made here in
// code page 932, turned into the 57-column import row and applied to a template.
#include "ContentTestSupport.h"
#include "TestSupport.h"
#include "content/CsvFill.h"
#include "content/ReinsImport.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using contenttest::AddText;
using contenttest::S;
using contenttest::U;

namespace {
using Fields = std::map<int, std::string>; // field index -> UTF-8 text

std::string Line(const Fields& fields, int count)
{
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (i)
            line += ",";
        auto it = fields.find(i);
        if (it != fields.end()) {
            std::string f = S(it->second);
            line += f.find(',') != std::string::npos ? "\"" + f + "\"" : f;
        }
    }
    return line + "\r\n";
}

std::string Header(int count)
{
    Fields h;
    for (int i = 0; i < count; ++i)
        h[i] = "項目" + std::to_string(i);
    return Line(h, count);
}

// The import row of the first property, by column letter (UTF-8).
std::map<std::string, std::string> Cells(const CReinsImport& imp, std::size_t property = 0)
{
    std::vector<std::string> cells;
    std::string error;
    EXPECT_TRUE(imp.ImportCells(property, cells, error)) << error;
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(CReinsImport::kColumns));
    // Through the file's bytes, as the import applies them.
    CCsvTable table;
    table.ParseCp932(CReinsImport::FormatImportRow(cells));
    EXPECT_EQ(table.RowCount(), 2u);
    std::map<std::string, std::string> out;
    for (int c = 0; c < CReinsImport::kColumns; ++c)
        out[CCsvTable::ColumnName(c)] = table.Cell(1, c) ? U(*table.Cell(1, c)) : "<missing>";
    return out;
}

const Fields kNational = {
    {0, "100012345"}, {1, "1"},     {2, "3"},        {3, "2"},       {14, "東京都"}, {15, "杉並区"},
    {22, "桜台"},     {24, "5"},    {32, "10"},      {35, "1"},      {37, "1"},      {42, "4"},
    {46, "39800000"}, {51, "1"},    {57, "58.62"},   {82, "1"},      {101, "2"},     {111, "1"},
    {115, "6"},       {132, "5"},   {133, "3"},      {165, "1"},     {172, "4"},     {178, "200903"},
    {182, "5"},       {194, "備考"},
};
} // namespace

TEST(ReinsImport, NationalRow)
{
    CReinsImport imp;
    imp.Parse(Header(200) + Line(kNational, 200), CReinsImport::National);
    EXPECT_EQ(imp.GetVariant(), CReinsImport::Variant::National);
    ASSERT_EQ(imp.PropertyCount(), 1u);
    EXPECT_EQ(imp.Header().size(), 200u);
    EXPECT_EQ(imp.LineOf(0), 2u);
    const std::vector<std::string> list = imp.ListLine(0);
    EXPECT_EQ(U(list[1]), "在庫");
    EXPECT_EQ(U(list[2]), "売マンション");
    EXPECT_EQ(U(list[3]), "中古マンション");
    EXPECT_EQ(U(list[178]), "H21.3");

    auto c = Cells(imp);
    const std::pair<const char*, const char*> want[] = {
        {"A", "100012345"}, {"B", "売買"}, {"C", "売マンション"}, {"D", "中古マンション"},
        {"E", ""},          // field 10 is empty and stays so
        {"F", "3,980"},     {"G", "0"},          {"H", "東京都杉並区　　"}, {"I", "桜台"}, {"J", "　　"},
        {"K", "徒歩5分"},   {"L", "10"},         {"M", "2"},       {"O", "××"},    {"S", "3LDK"},
        {"T", "H21.3"},     {"W", "58.62"},      {"Y", "RC"},      {"Z", "空有"},  {"AA", "××"},
        {"AC", "居住中"},   {"AD", "即時"},      {"AJ", "専任"},   {"AO", "第一種低層住居専用地域"},
        {"AU", "公道 道路幅員6m "}, {"AV", "　　"}, {"AW", "　　"}, {"AY", "南"}, {"AZ", "壁芯"},
        {"BC", "××"},       {"BD", "　　"},      {"BE", "備考"},
    };
    for (const auto& [col, text] : want)
        EXPECT_EQ(c[col], text) << "column " << col;
}

TEST(ReinsImport, RegionalVariants)
{
    Fields second = {{5, "日報データ"}};
    Fields row = {{0, "K-7"},        {1, "売物件"},  {2, "マン"},   {3, "中古マン"}, {7, "25800000"},
                  {8, "1234567.5"},  {9, "e9"},      {10, "e10"},   {11, "e11"},     {12, "2480"},
                  {13, "2580"},      {15, "2680"},   {16, "72"},    {17, "f17"},     {18, "f18"},
                  {19, "8"},         {20, "3"},      {21, "f21"},   {25, "f25"},     {41, "1998/04"},
                  {45, "南側"},      {48, "4m"},     {58, "2019/05"}, {62, "f62"}};
    std::string head = Header(70);
    CReinsImport daily;
    daily.Parse(head + Line(second, 70) + head + Line(row, 70), CReinsImport::Regional);
    EXPECT_EQ(daily.GetVariant(), CReinsImport::Variant::RegionalDaily);
    ASSERT_EQ(daily.PropertyCount(), 1u);
    EXPECT_EQ(daily.LineOf(0), 4u);
    EXPECT_EQ(U(daily.ListLine(0)[3]), "中古マン") << "regional fields are listed as they are";
    auto d = Cells(daily);
    const std::pair<const char*, const char*> wantDaily[] = {
        {"A", "K-7"}, {"B", "売物件"}, {"C", "売マンション"}, {"D", "中古マンション"}, {"E", "f62"},
        {"F", "25,800,000"}, {"G", "1,234,567.5"}, {"H", "f17"}, {"I", "f18"}, {"J", ""},
        {"K", "バス8分徒歩3分"}, {"L", "××"}, {"M", "72"}, {"O", "2,580万円"}, {"P", "2,480万円"},
        {"Q", "2,680万円"}, {"T", "H10.4"}, {"AC", "f21"}, {"AE", "e9"}, {"AH", "e11"}, {"AV", "××"},
    };
    for (const auto& [col, text] : wantDaily)
        EXPECT_EQ(d[col], text) << "daily column " << col;

    second[5] = "通常";
    CReinsImport standard;
    standard.Parse(head + Line(second, 70) + head + Line(row, 70), CReinsImport::Regional);
    EXPECT_EQ(standard.GetVariant(), CReinsImport::Variant::RegionalStandard);
    auto s = Cells(standard);
    const std::pair<const char*, const char*> wantStandard[] = {
        {"H", "f21"}, {"J", "f25"}, {"K", "　　"}, {"M", "3"}, {"O", "0万円"}, {"P", "72万円"}, {"Q", "8万円"},
        {"T", "R1.5"}, {"AU", "南側4m"}, {"AV", "　　4m"}, {"AZ", "2480"},
    };
    for (const auto& [col, text] : wantStandard)
        EXPECT_EQ(s[col], text) << "standard column " << col;

    // An unknown class is taken; its names become "××".
    row[1] = "賃貸";
    CReinsImport unknown;
    unknown.Parse(head + Line(second, 70) + head + Line(row, 70), CReinsImport::Regional);
    auto u = Cells(unknown);
    EXPECT_EQ(u["C"], "××");
    EXPECT_EQ(u["D"], "××");
}

TEST(ReinsImport, RowsOfTheWrongLayoutAreRefused)
{
    struct Case {
        const char* name;
        int kind;
        std::string file;
        const char* message;
    } cases[] = {
        {"national kind 6", CReinsImport::National, Header(200) + Line({{2, "6"}}, 200), CReinsImport::kNotNational},
        {"national kind empty", CReinsImport::National, Header(200) + Line({}, 200), CReinsImport::kNotNational},
        {"fewer than 20 fields", CReinsImport::National, Header(200) + Line({{2, "1"}}, 19), CReinsImport::kNotReins},
        {"regional class missing", CReinsImport::Regional,
         Header(70) + Line({}, 70) + Header(70) + Line({{2, "土地"}}, 70), CReinsImport::kNotRegional},
        {"regional short", CReinsImport::Regional,
         Header(70) + Line({}, 70) + Header(70) + Line({{1, "売物件"}, {2, "土地"}}, 5), CReinsImport::kNotReins},
    };
    for (const Case& c : cases) {
        CReinsImport imp;
        imp.Parse(c.file, c.kind);
        ASSERT_EQ(imp.PropertyCount(), 1u) << c.name;
        std::vector<std::string> cells;
        std::string error;
        EXPECT_FALSE(imp.ImportCells(0, cells, error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
        CCsvTable table;
        EXPECT_FALSE(imp.Import(0, table, error)) << c.name;
        EXPECT_EQ(table.RowCount(), 0u) << c.name;
    }
}

TEST(ReinsImport, PropertyCap)
{
    std::string file = Header(200);
    for (int i = 0; i < 301; ++i)
        file += Line({{0, std::to_string(i)}, {2, "1"}}, 200);
    CReinsImport imp;
    imp.Parse(file, CReinsImport::National);
    EXPECT_EQ(imp.PropertyCount(), 300u);
    EXPECT_EQ(imp.ListLine(299)[0], "299");
    EXPECT_EQ(std::count(imp.Notes().begin(), imp.Notes().end(), CReinsImport::kCapMessage), 1);

    CReinsImport exact;
    file.resize(file.rfind("300,"));
    exact.Parse(file + "\r\n\n", CReinsImport::National);
    EXPECT_EQ(exact.PropertyCount(), 300u);
    EXPECT_TRUE(exact.Notes().empty());
}

TEST(ReinsImport, ImportRowFile)
{
    const std::vector<std::string> cells = {S("a,b"), "\"q\"", "x\r\ny", "", S("　　")};
    EXPECT_EQ(CReinsImport::FormatImportRow(cells), S("\n\"a,b\",q,xy,,　　\n"));

    testsupport::TempDir dir;
    testsupport::TempDir moved;
    CSettingsStore& store = AppProfile();
    store.WriteInt("QLA_T_UTILITY", "path_itizi_flg", 1);
    store.WriteString("QLA_T_UTILITY", "path_set_forda", moved.path());
    CReinsImport imp;
    testsupport::WriteFile(dir.file("export.csv"), Header(200) + Line(kNational, 200));
    std::string error;
    ASSERT_TRUE(imp.Load(dir.file("export.csv"), CReinsImport::National, error)) << error;
    CCsvTable table;
    ASSERT_TRUE(imp.Import(0, table, error)) << error;
    EXPECT_EQ(CReinsImport::ImportRowPath(), moved.file("reinsitizi.csv"));
    const std::string written = testsupport::ReadFile(moved.file("reinsitizi.csv"));
    EXPECT_EQ(written.substr(0, 11), "\n100012345,");
    EXPECT_EQ(testsupport::CountOf(written, "\n"), 2u);

    // The template's texts bound to row entry "2" take the row.
    CPelUnit unit;
    CPelText& e = AddText(unit, "old", CCsvTable::ColumnIndex("E"), 1);
    CPelText& f = AddText(unit, "old", CCsvTable::ColumnIndex("F"), 1);
    CPelText& heading = AddText(unit, "old", 0, 0);
    CCsvFill::Apply(unit, CCsvFill::Plan(unit, table));
    EXPECT_EQ(e.m_text, "");
    EXPECT_EQ(f.m_text, "3,980");
    EXPECT_EQ(heading.m_text, "") << "row 1 of the file is the empty line";

    // A folder the row cannot be written to: the import fails, nothing is applied.
    store.WriteString("QLA_T_UTILITY", "path_set_forda", moved.file("gone/deeper"));
    CCsvTable none;
    error.clear();
    EXPECT_FALSE(imp.Import(0, none, error));
    EXPECT_NE(error.find("reinsitizi.csv"), std::string::npos) << error;
    EXPECT_EQ(none.RowCount(), 0u);
    store.WriteInt("QLA_T_UTILITY", "path_itizi_flg", 0);
    store.Remove("QLA_T_UTILITY", "path_set_forda");

    EXPECT_FALSE(imp.Load(dir.file("missing.csv"), CReinsImport::National, error));
}
