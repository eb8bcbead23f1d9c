#include "ardelib/DefFile.h"
#include "ardelib/Message.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;

TEST(DefArchive, FileLinesAcrossBufferBoundaries)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "key" + std::to_string(i) + "=" + std::string(static_cast<std::size_t>(i % 7), 'v') + (i % 2 ? "\r\n" : "\n");
    testsupport::WriteFile(dir.file("a.txt"), text);
    CDefFile f;
    auto ar = f.Open(dir.file("a.txt"), 1);
    ASSERT_TRUE(ar);
    std::string line;
    int count = 0;
    while (ar->ReadString(line) == 1) {
        ASSERT_EQ("key" + std::to_string(count) + "=" + std::string(static_cast<std::size_t>(count % 7), 'v'), line);
        ++count;
    }
    EXPECT_EQ(3000, count);
    EXPECT_EQ(1, f.Close(std::move(ar)));
}

TEST(DefArchive, RawReadsBetweenLines)
{
    auto ar = CDefArchive::FromMemory(std::string("n=3\r\n\x01\x02\x03rest=1\r\n", 16));
    std::string line;
    ASSERT_EQ(1, ar->ReadString(line));
    unsigned char b[3];
    ASSERT_EQ(3u, ar->Read(b, 3));
    EXPECT_EQ(3, b[2]);
    ASSERT_EQ(1, ar->ReadString(line));
    EXPECT_EQ("rest=1", line);
    EXPECT_EQ(0u, ar->Read(b, 3));
}

TEST(DefArchive, StoreReplacesTargetOnlyOnSuccess)
{
    TempDir dir;
    std::string target = dir.file("doc.q_l");
    testsupport::WriteFile(target, "old contents");
    CDefFile f;
    {
        auto ar = f.Open(target, 2);
        ASSERT_TRUE(ar);
        f.WriteData(ar.get(), "a", "1");
        // Abandoned without Close: the old file stays, no stray temporary remains.
    }
    EXPECT_EQ("old contents", testsupport::ReadFile(target));
    auto ar = f.Open(target, 2);
    ASSERT_TRUE(ar);
    f.WriteData(ar.get(), "a", "1");
    EXPECT_EQ(1, f.Close(std::move(ar)));
    EXPECT_EQ("a=1\r\n", testsupport::ReadFile(target));
    auto r = testsupport::Run("ls -A " + testsupport::Quote(dir.path()));
    EXPECT_EQ("doc.q_l\n", r.out);
}

TEST(DefArchive, OpenFailsQuietly)
{
    CRecordingMessageSink sink;
    CDefFile f;
    EXPECT_FALSE(f.Open("/nonexistent/dir/x.q_l", 1));
    EXPECT_FALSE(f.Open("/nonexistent/dir/x.q_l", 2));
    TempDir dir;
    EXPECT_FALSE(f.Open(dir.path(), 1));
    EXPECT_TRUE(sink.messages.empty());
}
