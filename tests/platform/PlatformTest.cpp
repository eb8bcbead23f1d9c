#include "platform/AppPaths.h"
#include "platform/Codec.h"
#include "platform/LhaArchive.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(Codec, CodePage932BothWays)
{
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"\x83\x65\x83\x58\x83\x67", "テスト"},
        {"\x5c", "\\"},                // the yen sign byte stays a backslash
        {"\x87\x40", "①"},             // NEC special characters
        {"\xfb\xfc", "髙"},            // IBM extensions
        {"\xb1\xb2", "ｱｲ"},            // half-width katakana
        {"abc=1", "abc=1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.utf8, cp932::ToUtf8(c.bytes));
        std::string back;
        ASSERT_TRUE(cp932::FromUtf8(c.utf8, back)) << c.utf8;
        EXPECT_EQ(c.bytes, back);
    }
    std::string out = "kept";
    EXPECT_FALSE(cp932::FromUtf8("絵文字😀", out));
    EXPECT_EQ("kept", out);
}

TEST(AppPaths, TempFolderIsPrivateAndNeverALink)
{
    std::string temp = apppaths::UserTempDir();
    ASSERT_FALSE(temp.empty());
    struct stat st {};
    ASSERT_EQ(0, ::lstat(temp.c_str(), &st));
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(0700u, st.st_mode & 0777);
    EXPECT_EQ(apppaths::UserDataDir() + "/Temp/" + apppaths::LoginName(), temp);

    // Someone replaced the folder with a link: refuse it rather than write through it.
    testsupport::TempDir elsewhere;
    testsupport::RemoveTree(temp);
    ASSERT_EQ(0, ::symlink(elsewhere.path().c_str(), temp.c_str()));
    EXPECT_EQ("", apppaths::UserTempDir());
    ::unlink(temp.c_str());
    EXPECT_EQ(temp, apppaths::UserTempDir());
}

TEST(LhaArchive, ExtractsCheckedMembersOnly)
{
    const std::string dir = std::string(OLTRANE_TEST_DATA) + "/lha/";
    const std::string plain = testsupport::ReadFile(dir + "plain.q_l");
    struct Case {
        std::string file;
        std::string member;
        LhaResult result;
    };
    const std::vector<Case> cases = {
        {"doc-lh5.q_l", "pellsav.q_l", LhaResult::Ok},
        {"doc-lh6.q_l", "PELLSAV.Q_L", LhaResult::Ok},
        {"doc-lh7.q_l", "pellsav.q_l", LhaResult::Ok},
        {"doc-in-folder.q_l", "pellsav.q_l", LhaResult::Ok},
        {"doc-no-member.q_l", "pellsav.q_l", LhaResult::NoMember},
        {"doc-damaged.q_l", "pellsav.q_l", LhaResult::Damaged},
        {"plain.q_l", "pellsav.q_l", LhaResult::NotArchive},
        {"missing.q_l", "pellsav.q_l", LhaResult::NotArchive},
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_EQ(c.result, ExtractLhaMember(dir + c.file, c.member, out)) << c.file;
        EXPECT_EQ(c.result == LhaResult::Ok ? plain : std::string(), out) << c.file;
    }
    std::string out;
    LhaResult r = ExtractLhaMember(dir + "doc-truncated.q_l", "pellsav.q_l", out);
    EXPECT_TRUE(r == LhaResult::Damaged || r == LhaResult::NotArchive);
    EXPECT_TRUE(out.empty());
}
