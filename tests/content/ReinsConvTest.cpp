// The words and figures of REINS codes: every table, the numbers, the dates and the
// composite texts, compared in UTF-8 so that a failure reads.
#include "content/ReinsConv.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using C = CReinsConv;
std::string S(const char* utf8) { return cp932::Lit(utf8); }
std::string U(const std::string& cp) { return cp932::ToUtf8(cp); }

struct OneField {
    const char* name;
    std::function<std::string(std::string_view)> conv;
    std::vector<std::pair<const char*, const char*>> cases; // field, expected (UTF-8)
};
} // namespace

TEST(ReinsConv, CodeTables)
{
    const OneField tables[] = {
        {"kind name", C::KindName, {{"1", "売土地"}, {"2", "売一戸建"}, {"3", "売マンション"}, {"4", "売外全"},
                                    {"5", "売外一"}, {"6", "××"}, {"", "××"}, {"x", "××"}}},
        {"structure", C::Structure, {{"1", "木造"}, {"4", "RC"}, {"5", "SRC"}, {"8", "軽量鉄骨"}, {"9", "その他"},
                                     {"10", "××"}, {"", "　　"}}},
        {"parking", C::Parking, {{"1", "空有"}, {"3", "近隣確保"}, {"4", "無"}, {"0", "××"}}},
        {"dealing", C::DealingForm, {{"1", "売主"}, {"4", "専任"}, {"5", "一般"}, {"6", "××"}}},
        {"fee", C::FeeForm, {{"1", "分かれ"}, {"3", "当方片手数"}, {"5", "相談"}, {"", "　　"}}},
        {"management", C::Management, {{"2", "管理会社に一部委託"}, {"3", "管理会社に全部委託"}, {"4", "××"}}},
        {"needed", C::Needed, {{"1", "要"}, {"2", "中"}, {"3", "不要"}}},
        {"land", C::LandCategory, {{"1", "宅地"}, {"5", "雑種"}, {"99", "他"}, {"6", "××"}}},
        {"terrain", C::Terrain, {{"4", "ひな段"}, {"99", "その他"}, {"98", "××"}}},
        {"city planning", C::CityPlanning, {{"1", "市街化区域"}, {"2", "市街化調整区域"}, {"5", "準都市"}}},
        {"rights", C::Rights, {{"1", "所有権"}, {"5", "定期賃地上権"}, {"7", "定期賃借権"}, {"8", "××"}}},
        {"yes or no", C::YesNo, {{"1", "有"}, {"2", "無"}, {"3", "××"}, {"", "　　"}}},
        {"road contact", C::RoadContact, {{"2", "角地"}, {"5", "二方"}}},
        {"direction", C::Direction, {{"1", "北"}, {"4", "南東"}, {"8", "北西"}, {"9", "××"}}},
        {"transaction", C::TransactionStatus, {{"1", "在庫"}, {"2", "成約"}, {"3", ""}, {"", "　　"}}},
        {"handover timing", C::HandoverTiming, {{"1", "即時"}, {"4", "予定"}, {"5", ""}, {"", ""}}},
        {"road kind", C::RoadKind, {{"1", "公道 "}, {"2", "私道 "}, {"3", ""}, {"", ""}}},
        {"zoning", C::Zoning, {{"1", "第一種低層住居専用地域"}, {"9", "第二種低層住居専用地域"},
                               {"12", "準住居地域"}, {"13", "××"}, {"99", "無指定"}}},
    };
    for (const OneField& t : tables)
        for (const auto& [field, want] : t.cases)
            EXPECT_EQ(U(t.conv(S(field))), want) << t.name << " of \"" << field << "\"";
}

TEST(ReinsConv, CodesAreLeadingDigits)
{
    EXPECT_EQ(C::Code("12ab"), 12);
    EXPECT_EQ(C::Code(""), 0);
    EXPECT_EQ(C::Code("x1"), 0);
    EXPECT_EQ(U(C::Structure("3 ")), "鉄骨");
    EXPECT_EQ(U(C::Structure("abc")), "××") << "a non-numeric field reads as 0, which no table holds";
}

TEST(ReinsConv, ByKindCode)
{
    struct Case {
        const char* field;
        long long kind;
        const char* state;
        const char* method;
    } cases[] = {
        {"1", 1, "更地", "公募"},   {"2", 1, "上物有", "実測"}, {"3", 1, "××", "××"},
        {"1", 2, "居住中", "公募"}, {"4", 3, "未完成", "××"},   {"2", 3, "空家", "内法"},
        {"1", 5, "居住中", "壁芯"}, {"2", 4, "空家", "実測"},   {"", 2, "　　", "　　"},
        {"1", 6, "居住中", "××"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(U(C::CurrentState(c.field, c.kind)), c.state) << c.field << " kind " << c.kind;
        EXPECT_EQ(U(C::MeasuringMethod(c.field, c.kind)), c.method) << c.field << " kind " << c.kind;
    }
}

TEST(ReinsConv, KindDetail)
{
    struct Case {
        const char *kind, *detail, *want;
    } cases[] = {
        {"1", "2", "借地権"},     {"2", "4", "中古テラス"},         {"3", "2", "中古マンション"},
        {"3", "7", "売マンションその他"}, {"3", "8", "××"},         {"4", "10", "売アパート"},
        {"4", "17", "売その他"},   {"5", "3", "売店舗事務所"},       {"6", "1", "××"},
        {"", "1", "××"},          {"1", "", "××"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(C::KindDetail(c.kind, c.detail)), c.want) << c.kind << "/" << c.detail;
}

TEST(ReinsConv, RegionalClassesAndDetails)
{
    struct Case {
        const char *cls, *type, *detail, *name, *typeDetail;
    } cases[] = {
        {"売物件", "土地", "古家付", "売土地", "古家付"},
        {"売物件", "戸建", "新築", "売一戸建", "新築"},
        {"売物件", "マン", "中古マン", "売マンション", "中古マンション"},
        {"売物件", "マン", "リゾートマン", "売マンション", "リゾートマンション"},
        {"売物件", "マン", "タワー", "売マンション", "タワー"},
        {"売物件", "外全", "ビル", "売外全", "××"},
        {"賃貸物件", "居住", "アパート", "賃貸居住用", "貸アパート"},
        {"賃貸物件", "居住", "戸建", "賃貸居住用", "戸建"},
        {"賃貸物件", "事業", "店舗", "賃貸事業用", "店舗"},
        {"貸地", "土地", "x", "××", "××"},
        {"売物件", "", "x", "××", "××"},
        {"売物件", "土地", "", "売土地", "××"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(U(C::ClassName(S(c.cls), S(c.type))), c.name) << c.cls << c.type;
        EXPECT_EQ(U(C::TypeDetail(S(c.cls), S(c.type), S(c.detail))), c.typeDetail) << c.cls << c.type << c.detail;
    }
}

TEST(ReinsConv, Numbers)
{
    const std::pair<const char*, const char*> manYen[] = {
        {"12345000", "1234.5"},    {"30000000", "3000"},  {"12345678", "1234.567800"}, {"12345600", "1234.56"},
        {"12345670", "1234.567"},  {"", "　　"},          {"0", "0"},                  {"abc", "0"},
        // Above 2,147,483,647 yen.
        {"39800000000", "3980000"}, {"4294967296", "429496.729600"}, {"12345.5", "1.234550"},
    };
    for (const auto& [field, want] : manYen)
        EXPECT_EQ(U(C::ManYen(field)), want) << field;
    // Found by fuzzing: a field of 28 digits and decimals is still a number, not a crash.
    EXPECT_EQ(C::ManYen("8888888888888888888888888888.5").substr(0, 8), "88888888");
    EXPECT_EQ(C::ManYen("1e400.5"), "0.000100");

    const std::pair<const char*, const char*> grouped[] = {
        {"1000", "\"1,000\""},           {"100", "\"100\""},       {"", "\"0\""},
        {"1234567.5", "\"1,234,567.5\""}, {"-123456", "\"-123,456\""}, {"-12", "\"-12\""},
        {"39800000000", "\"39,800,000,000\""}, {"12.34", "\"12.34\""}, {"1,234", "\"1,234\""},
        {"98.5㎡", "\"98.5㎡\""},
    };
    for (const auto& [field, want] : grouped)
        EXPECT_EQ(U(C::Grouped(S(field))), want) << field;
}

TEST(ReinsConv, BuiltDates)
{
    const std::pair<const char*, const char*> packed[] = {
        {"199804", "H10.4"}, {"198512", "S60.12"}, {"198901", "H1.1"},   {"198812", "S63.12"},
        {"201904", "H31.4"}, {"201905", "R1.5"},   {"202310", "R5.10"},  {"", "　　"},
        {"1998", "××"},      {"19x804", "××"},     {"199813", "××"},     {"192512", "××"},
    };
    for (const auto& [field, want] : packed)
        EXPECT_EQ(U(C::BuiltPacked(field)), want) << field;
    const std::pair<const char*, const char*> separated[] = {
        {"1998/04", "H10.4"}, {"1985-12", "S60.12"}, {"2020/01", "R2.1"}, {"1998/4", "××"}, {"", "　　"},
    };
    for (const auto& [field, want] : separated)
        EXPECT_EQ(U(C::BuiltSeparated(field)), want) << field;
}

TEST(ReinsConv, AccessAndTransport)
{
    EXPECT_EQ(U(C::Access("5", "x", "y", "z", "9")), "徒歩5分");
    EXPECT_EQ(U(C::Access("", S("東急").c_str(), S("桜台").c_str(), S("中央").c_str(), "12")), "東急桜台中央停12分");
    EXPECT_EQ(U(C::Access("", "", "", "", "12")), "12分");
    EXPECT_EQ(U(C::Access("", "a", "b", "c", "")), "　　");

    EXPECT_EQ(U(C::Minutes("", "3")), "　　");
    EXPECT_EQ(U(C::Minutes("10", "")), "10");
    EXPECT_EQ(U(C::Minutes("10", "3")), "103分");

    EXPECT_EQ(U(C::BusWalk("8", "2")), "バス8分徒歩2分");
    EXPECT_EQ(U(C::BusWalk("", "2")), "徒歩2分");
    EXPECT_EQ(U(C::BusWalk("8", "")), "バス8分");
    EXPECT_EQ(U(C::BusWalk("", "")), "　　");
}

TEST(ReinsConv, CompositeTexts)
{
    const std::pair<std::pair<const char*, const char*>, const char*> layouts[] = {
        {{"3", "5"}, "3LDK"}, {{"1", "1"}, "ワンルーム"}, {{"2", "2"}, "2K"}, {{"4", "9"}, "4SLDK"},
        {{"2", "10"}, "2"},   {{"", "5"}, "　　"},
    };
    for (const auto& [in, want] : layouts)
        EXPECT_EQ(U(C::Layout(in.first, in.second)), want) << in.first << "/" << in.second;

    EXPECT_EQ(U(C::Handover("1", "2027", "2", "", "")), "即時");
    EXPECT_EQ(U(C::Handover("9", "2027", "2", "", "")), "");
    EXPECT_EQ(U(C::Handover("", "2027", "2", "", "")), "2027年中旬");
    EXPECT_EQ(U(C::Handover("", "2027", "", "", "")), "2027年");
    EXPECT_EQ(U(C::Handover("", "", "", "2028", S("春").c_str())), "2028年春");
    EXPECT_EQ(U(C::Handover("", "", "", "", "x")), "　　");

    EXPECT_EQ(U(C::Setback("", "1", "2")), "　　");
    EXPECT_EQ(U(C::Setback("2", "0.5", "3.2")), "セットバック有0.5m3.2㎡");
    EXPECT_EQ(U(C::Setback("1", "", "")), "セットバック無");
    EXPECT_EQ(U(C::Setback("7", "", "")), "××");

    EXPECT_EQ(U(C::Road("", "", "", "", "4")), "道路幅員4m ");
    EXPECT_EQ(U(C::Road("1", "6.5", "1", "5", "4")), "公道 接面幅6.5m 位置指定有り 南道路幅員4m ");
    EXPECT_EQ(U(C::Road("2", "", "2", "", "")), "私道 ");
    EXPECT_EQ(U(C::Road("", "", "", "", "")), "　　");
    EXPECT_EQ(U(C::Road("3", "", "", "", "")), "　　");
}

TEST(ReinsConv, ListFieldsOfANationalRow)
{
    std::vector<std::string> row(200);
    row[0] = "100000123";
    row[1] = "1";
    row[2] = "1";
    row[3] = "2";
    row[35] = "2";
    row[51] = "2";
    row[82] = "12";
    row[178] = "201905";
    row[10] = S("桜台");
    struct Case {
        std::size_t index;
        const char* want;
    } cases[] = {{0, "100000123"}, {1, "在庫"},   {2, "売土地"}, {3, "借地権"}, {35, "上物有"}, {51, "実測"},
                 {82, "準住居地域"}, {178, "R1.5"}, {10, "桜台"}, {42, "　　"}, {150, ""},    {500, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(U(C::ListField(c.index, row)), c.want) << "field " << c.index;
}
