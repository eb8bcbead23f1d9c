// The standard sentences and the quotations: reading every shape of file, editing,
// writing only what was edited and never half, where the files live, and the update
// of bound texts.
#include "ContentTestSupport.h"
#include "TestSupport.h"
#include "content/Quotations.h"
#include "content/StandardSentences.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <unistd.h>

using contenttest::AddText;
using contenttest::S;
using contenttest::U;

namespace {
std::vector<std::string> Names(const CStandardSentences& s)
{
    std::vector<std::string> out;
    for (const auto& x : s.Sentences())
        out.push_back(U(x.name));
    return out;
}
std::vector<std::string> Utf8(const std::vector<std::string>& cp)
{
    std::vector<std::string> out;
    for (const auto& x : cp)
        out.push_back(U(x));
    return out;
}
using Strings = std::vector<std::string>;
} // namespace

TEST(StandardSentences, Reading)
{
    struct Case {
        const char* name;
        std::string bytes;
        Strings names, bodies;
    } cases[] = {
        {"lines", S("1,会社名,桜不動産\n2,電話,TEL 03\n"), {"会社名", "電話"}, {"桜不動産", "TEL 03"}},
        {"CR LF", S("1,会社名,桜不動産\r\n2,電話,TEL\r\n"), {"会社名", "電話"}, {"桜不動産", "TEL"}},
        {"lone CR", S("1,a,x\r2,b,y\r"), {"a", "b"}, {"x", "y"}},
        {"last line without a break", S("1,a,x\n2,b,y"), {"a", "b"}, {"x", "y"}},
        {"body with commas reads whole", S("1,住所,桜台1,2,3\n"), {"住所"}, {"桜台1,2,3"}},
        {"no comma", "text\n", {""}, {"text"}},
        {"empty", "", {}, {}},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" "1,会社名,桜不動産\n", {"会社名"}, {"桜不動産"}},
        {"UTF-8", "1,会社名,桜不動産\n", {"会社名"}, {"桜不動産"}},
    };
    for (const Case& c : cases) {
        CStandardSentences s;
        s.Parse(c.bytes);
        EXPECT_EQ(Names(s), c.names) << c.name;
        EXPECT_EQ(Utf8(s.Bodies()), c.bodies) << c.name;
        EXPECT_FALSE(s.IsModified());
    }
}

TEST(StandardSentences, LongLinesAreCutOnACharacter)
{
    // 1,n, then 1020 bytes of double-byte letters after one ASCII byte: the 1023-byte cut
    // falls inside a letter and goes back before it; the rest is no sentence of its own.
    std::string body = "xy";
    while (body.size() < 1400)
        body += S("あ");
    CStandardSentences s;
    s.Parse("1,n," + body + "\n2,m,y\n");
    ASSERT_EQ(s.Sentences().size(), 2u);
    const std::string& read = s.Sentences()[0].body;
    EXPECT_EQ(read.size(), 1023u - 4 - 1) << "4 bytes of number and name, then one letter less";
    EXPECT_EQ(body.compare(0, read.size(), read), 0);
    EXPECT_EQ(s.Sentences()[1].body, "y");
}

TEST(StandardSentences, ChoicesAndUpdate)
{
    CStandardSentences s;
    s.Parse(S("1,a,壱\n2,b,弐\n3,c,参\n4,d,四\n"));
    EXPECT_EQ(Utf8(s.Choices()), (Strings{"なし", "壱", "弐", "参", "四"}));

    CPelUnit unit;
    CPelText& two = AddText(unit, "old");
    two.m_kiteibun = 2;
    CPelText& five = AddText(unit, "keep");
    five.m_kiteibun = 5;
    CPelText& none = AddText(unit, "keep");
    CPelText& same = AddText(unit, S("四"));
    same.m_kiteibun = 4;
    auto plan = s.PlanUpdate(unit);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].textId, two.m_id);
    EXPECT_EQ(U(plan[0].text), "弐");
    EXPECT_EQ(five.m_text, "keep");
    EXPECT_EQ(none.m_text, "keep");

    CStandardSentences empty;
    EXPECT_EQ(Utf8(empty.Choices()), Strings{"なし"});
    EXPECT_TRUE(empty.PlanUpdate(unit).empty());
}

TEST(StandardSentences, EditingAndWriting)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("kiteibun.txt");
    // An odd file the user wrote: it stays byte for byte until a body is edited.
    const std::string original = S("1,会社名,桜不動産\r\n2,電話,TEL 03\r\n");
    testsupport::WriteFile(path, original);
    CStandardSentences s;
    ASSERT_TRUE(s.Read(path));
    std::string error;
    EXPECT_TRUE(s.SaveIfModified(path, error));
    EXPECT_EQ(testsupport::ReadFile(path), original);

    EXPECT_FALSE(s.SetBody(0, "")) << "an empty field changes nothing";
    EXPECT_FALSE(s.SetBody(9, "x"));
    EXPECT_FALSE(s.IsModified());
    EXPECT_TRUE(s.SetBody(1, S("TEL 03\r\n-1234,5")));
    EXPECT_TRUE(s.IsModified());
    ASSERT_TRUE(s.SaveIfModified(path, error)) << error;
    EXPECT_EQ(testsupport::ReadFile(path), S("1,会社名,桜不動産\n2,電話,TEL 03-1234,5\n"));
    CStandardSentences again;
    ASSERT_TRUE(again.Read(path));
    EXPECT_EQ(U(again.Sentences()[1].body), "TEL 03-1234,5");

    // A folder that cannot take the file: reported, nothing half-written.
    ASSERT_TRUE(s.SetBody(0, "x"));
    error.clear();
    EXPECT_FALSE(s.SaveIfModified(dir.file("missing/kiteibun.txt"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(s.IsModified());
    EXPECT_FALSE(testsupport::FileExists(dir.file("missing/kiteibun.txt")));
    EXPECT_FALSE(again.Read(dir.file("nothing.txt")));
    EXPECT_TRUE(again.Sentences().empty());
}

TEST(Quotations, Reading)
{
    std::string hundred(100, 'q');
    std::string boundary = std::string(62, 'a') + S("あ");
    struct Case {
        const char* name;
        std::string bytes;
        Strings entries;
    } cases[] = {
        {"lines", S("駅徒歩5分\n南向き\n"), {"駅徒歩5分", "南向き"}},
        {"100 bytes", hundred + "\n", {std::string(63, 'q'), std::string(37, 'q')}},
        {"exactly 63", std::string(63, 'z') + "\nb\n", {std::string(63, 'z'), "b"}},
        {"cut on a character", boundary + "\n", {std::string(62, 'a'), "あ"}},
        {"empty lines are entries", "a\n\nb\n", {"a", "", "b"}},
        {"CR LF and lone CR", "a\r\nb\rc", {"a", "b", "c"}},
        {"UTF-8", "南向き\n", {"南向き"}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        CQuotations q;
        q.Parse(c.bytes);
        EXPECT_EQ(Utf8(q.Entries()), c.entries) << c.name;
    }
}

TEST(Quotations, EditingAndWriting)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("peltex.txt");
    CQuotations q;
    EXPECT_FALSE(q.Read(path)) << "a missing file gives an empty list";
    EXPECT_TRUE(q.Entries().empty());
    EXPECT_FALSE(q.Append(""));
    EXPECT_TRUE(q.Append(S("南向き")));
    EXPECT_TRUE(q.Append("b\r\nc"));
    EXPECT_TRUE(q.Insert(0, "first"));
    EXPECT_FALSE(q.Insert(9, "x"));
    EXPECT_FALSE(q.Remove(3));
    EXPECT_TRUE(q.Remove(1));
    EXPECT_EQ(q.Entries(), (Strings{"first", "bc"}));
    std::string error;
    ASSERT_TRUE(q.SaveIfModified(path, error)) << error;
    EXPECT_EQ(testsupport::ReadFile(path), "first\nbc\n");
    EXPECT_FALSE(q.IsModified());
}

TEST(SentenceFiles, WhereTheyLive)
{
    // The per-user data folder, seeded from the installed data; moved by the flags.
    const std::string user = apppaths::UserDataDir();
    ::unlink((user + "/kiteibun.txt").c_str());
    ::unlink((user + "/peltex.txt").c_str());
    EXPECT_EQ(CStandardSentences::Path(), user + "/kiteibun.txt");
    EXPECT_EQ(CQuotations::Path(), user + "/peltex.txt");
    CStandardSentences s;
    ASSERT_TRUE(s.Read());
    EXPECT_GE(s.Sentences().size(), 10u);
    EXPECT_EQ(U(s.Sentences()[0].name), "会社名");
    CQuotations q;
    ASSERT_TRUE(q.Read());
    EXPECT_GE(q.Entries().size(), 10u);
    EXPECT_EQ(testsupport::ReadFile(user + "/kiteibun.txt"),
              testsupport::ReadFile(apppaths::InstalledDataDir() + "/kiteibun.txt"));

    testsupport::TempDir moved;
    CSettingsStore& store = AppProfile();
    store.WriteString("QLA_T_UTILITY", "path_set_forda", moved.path());
    store.WriteInt("QLA_T_UTILITY", "path_kitei_flg", 1);
    EXPECT_EQ(CStandardSentences::Path(), moved.file("kiteibun.txt"));
    EXPECT_EQ(CQuotations::Path(), user + "/peltex.txt");
    store.WriteInt("QLA_T_UTILITY", "path_inyou_flg", 1);
    EXPECT_EQ(CQuotations::Path(), moved.file("peltex.txt"));
    testsupport::WriteFile(moved.file("kiteibun.txt"), S("1,x,移動先\n"));
    ASSERT_TRUE(s.Read());
    EXPECT_EQ(U(s.Bodies()[0]), "移動先");
    store.WriteInt("QLA_T_UTILITY", "path_kitei_flg", 0);
    store.WriteInt("QLA_T_UTILITY", "path_inyou_flg", 0);
    store.Remove("QLA_T_UTILITY", "path_set_forda");
}
