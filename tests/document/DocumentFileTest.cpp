#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {
const std::string kLha = std::string(OLTRANE_TEST_DATA) + "/lha/";
const std::string kOpenFailed = "ドキュメントを開くことに失敗しました。";
const std::string kArchiveFailed = "ファイル読み取り失敗";

// Nothing but the settings and the data folder may appear in the user's folders.
std::string UserTempListing()
{
    return testsupport::Run(std::string("find ") + testsupport::Quote(getenv("XDG_DATA_HOME")) + " -type f").out;
}
} // namespace

TEST(DocumentFile, PlainAndCompressedFormsReadAlike)
{
    for (std::string name : {"plain.q_l", "doc-lh5.q_l", "doc-lh6.q_l", "doc-lh7.q_l", "doc-in-folder.q_l"}) {
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(kLha + name)) << name;
        EXPECT_EQ((std::vector<std::string>{"Memo", "Extra"}), doc.ReadBlocks()) << name;
        EXPECT_TRUE(sink.messages.empty()) << name;
    }
    EXPECT_EQ("", UserTempListing());
}

TEST(DocumentFile, BadFilesGiveAnEmptyDocumentAndTheDesignedMessage)
{
    TempDir dir;
    testsupport::WriteFile(dir.file("empty.q_l"), "");
    testsupport::WriteFile(dir.file("blank-first.q_l"), "\r\n/START:ZELDATA\r\n/END:ZELDATA\r\n");
    testsupport::WriteFile(dir.file("text.q_l"), "hello world\n");
    // An archive header that claims a member of 2 GiB.
    std::string huge = testsupport::ReadFile(kLha + "doc-lh5.q_l");
    huge[11] = '\xff';
    huge[12] = '\xff';
    huge[13] = '\xff';
    huge[14] = '\x7f';
    testsupport::WriteFile(dir.file("huge.q_l"), huge);
    struct Case {
        std::string path;
        bool opens;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {dir.file("empty.q_l"), true, {}},
        {dir.file("blank-first.q_l"), true, {kArchiveFailed}},
        {dir.file("text.q_l"), true, {kArchiveFailed}},
        {kLha + "doc-damaged.q_l", true, {kArchiveFailed}},
        {kLha + "doc-truncated.q_l", true, {kArchiveFailed}},
        {dir.file("huge.q_l"), true, {kArchiveFailed}},
        {kLha + "doc-no-member.q_l", false, {kOpenFailed}},
        {dir.file("missing.q_l"), false, {kOpenFailed}},
    };
    for (const auto& c : cases) {
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        EXPECT_EQ(c.opens, doc.OnOpenDocument(c.path)) << c.path;
        EXPECT_EQ(c.messages, sink.messages) << c.path;
        EXPECT_TRUE(doc.ReadBlocks().empty()) << c.path;
    }
    EXPECT_EQ("", UserTempListing());
}

TEST(DocumentFile, ReadingKeepsWhatCameBeforeAFormatError)
{
    TempDir dir;
    struct Case {
        std::string text;
        std::vector<std::string> blocks;
    };
    const std::vector<Case> cases = {
        {"a=1\r\n/START:ZELDATA\r\n/START:X\r\nk=1\r\n/END:X\r\n/END:ZELDATA\r\n", {"X"}},
        {"/START:ZELDATA\r\n/START:X\r\n/END:X\r\n/START:Y\r\n/END:Y\r\n", {"X", "Y"}}, // truncated
        {"/START:ZELDATA\r\n/START:X\r\n/END:X\r\n\r\n/START:Y\r\n/END:Y\r\n/END:ZELDATA\r\n", {"X"}},
        {"/START:ZELDATA\r\nstray=1\r\n/START:Y\r\n/END:Y\r\n/END:ZELDATA\r\n", {}},
    };
    for (const auto& c : cases) {
        testsupport::WriteFile(dir.file("d.q_l"), c.text);
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(dir.file("d.q_l")));
        EXPECT_EQ(c.blocks, doc.ReadBlocks()) << c.text;
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST(DocumentFile, SaveWritesThePlainFormAndReopens)
{
    TempDir dir;
    CPelmoraDoc doc;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(dir.file("out.q_l")));
    EXPECT_FALSE(doc.IsModified());
    std::string saved = testsupport::ReadFile(dir.file("out.q_l"));
    EXPECT_EQ(0u, saved.find("/START:ZELDATA\r\n"));
    EXPECT_EQ(saved.size() - 14, saved.rfind("/END:ZELDATA\r\n"));
    CPelmoraDoc again;
    EXPECT_TRUE(again.OnOpenDocument(dir.file("out.q_l")));
}

TEST(DocumentFile, FailedSaveLeavesThePreviousFile)
{
    TempDir dir;
    {
        CRecordingMessageSink sink;
        CPelmoraDoc doc;
        EXPECT_FALSE(doc.OnSaveDocument(dir.file("no/such/folder/x.q_l")));
        EXPECT_EQ((std::vector<std::string>{"指定されたファイルは存在しません。"}), sink.messages);
    }
    // A file size limit makes the write fail, as a full disk would.
    testsupport::WriteFile(dir.file("big.q_l"), "/START:ZELDATA\r\n/END:ZELDATA\r\n");
    std::string previous = "previous bytes\r\n";
    testsupport::WriteFile(dir.file("old.q_l"), previous);
    // The limit is set inside a shell whose output goes through a pipe, so that the message still gets out.
    std::string inner = "ulimit -f 0; trap '' XFSZ; exec " + testsupport::Quote(testsupport::Program()) + " --save-as "
                        + testsupport::Quote(dir.file("old.q_l")) + " " + testsupport::Quote(dir.file("big.q_l"));
    auto r = testsupport::Run("sh -c " + testsupport::Quote(inner) + " 2>&1 | cat");
    EXPECT_NE(std::string::npos, r.out.find("ファイル例外が発生しました。")) << r.out;
    EXPECT_EQ(previous, testsupport::ReadFile(dir.file("old.q_l")));
    EXPECT_EQ("big.q_l\nold.q_l\n", testsupport::Run("ls -A " + testsupport::Quote(dir.path())).out);
}
