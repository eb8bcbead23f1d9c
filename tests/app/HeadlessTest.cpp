#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testsupport::Quote;
using testsupport::TempDir;

namespace {
const std::string kLha = std::string(OLTRANE_TEST_DATA) + "/lha/";

testsupport::RunResult Oltrane(const std::string& args, const std::string& env = "")
{
    return testsupport::Run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + env + Quote(testsupport::Program()) +
                            " " + args);
}
} // namespace

TEST(Headless, InfoPrintsTheBlocksOfPlainAndCompressedDocuments)
{
    for (std::string name : {"plain.q_l", "doc-lh6.q_l"}) {
        auto r = Oltrane("--info " + Quote(kLha + name));
        ASSERT_EQ(0, r.status) << r.err;
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        EXPECT_EQ(QJsonArray({"Memo", "Extra"}), o["blocks"].toArray()) << name;
    }
}

TEST(Headless, FailuresGoToStandardErrorWithAnExitStatus)
{
    TempDir dir;
    testsupport::WriteFile(dir.file("junk.q_l"), "not a document\n");
    struct Case {
        std::string args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {"--info " + Quote(dir.file("junk.q_l")), "ファイル読み取り失敗\n"},
        {"--info " + Quote(dir.file("absent.q_l")), "ドキュメントを開くことに失敗しました。\n"},
        {"--info " + Quote(kLha + "doc-damaged.q_l"), "ファイル読み取り失敗\n"},
        {"--save-as " + Quote(dir.file("x/y.q_l")) + " " + Quote(kLha + "plain.q_l"), "指定されたファイルは存在しません。\n"},
        {"--print " + Quote(dir.file("absent.q_l")), "ドキュメントを開くことに失敗しました。\n"},
    };
    for (const auto& c : cases) {
        auto r = Oltrane(c.args);
        EXPECT_NE(0, r.status) << c.args;
        EXPECT_EQ(c.err, r.err) << c.args;
        EXPECT_EQ("", r.out) << c.args;
    }
    EXPECT_NE(0, Oltrane("--info").status);
    EXPECT_NE(0, Oltrane("--bogus x").status);
    EXPECT_NE(0, Oltrane("--print").status);
    EXPECT_NE(0, Oltrane("--print --printer").status);
}

// Without a print service to reach, printing says so and fails.
TEST(Headless, PrintWithoutAPrintServiceFails)
{
    auto r = Oltrane("--print " + Quote(kLha + "plain.q_l"), "CUPS_SERVER=/nonexistent/cups.sock ");
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("印刷できるプリンタがありません。プリンタが登録され、印刷サービス (CUPS) が動いているか確かめてください。\n", r.err);
}

TEST(Headless, SaveAsWritesADocumentThatReadsBack)
{
    TempDir dir;
    auto r = Oltrane("--save-as " + Quote(dir.file("out.q_l")) + " " + Quote(kLha + "doc-lh5.q_l"));
    ASSERT_EQ(0, r.status) << r.err;
    auto info = Oltrane("--info " + Quote(dir.file("out.q_l")));
    EXPECT_EQ(0, info.status) << info.err;
    // Saving what was saved changes nothing.
    ASSERT_EQ(0, Oltrane("--save-as " + Quote(dir.file("again.q_l")) + " " + Quote(dir.file("out.q_l"))).status);
    EXPECT_EQ(testsupport::ReadFile(dir.file("out.q_l")), testsupport::ReadFile(dir.file("again.q_l")));
}
