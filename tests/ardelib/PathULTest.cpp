#include "ardelib/PathUL.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;

namespace {
bool IsDir(const std::string& p)
{
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
} // namespace

TEST(PathUL, MixPathhJoinsWithExactlyOneSeparator)
{
    struct Case {
        std::string a, b, want;
    } cases[] = {
        {"/data", "temp1.bmp", "/data/temp1.bmp"},
        {"/data/", "a", "/data/a"},
        {"/data", "", "/data/"},
        {"", "a", "a"},
        {"/", "a", "/a"},
        {"a/b", "c", "a/b/c"},
        {"a", "b/c", "a/b/c"},
        {"/data/", "/a", ""},   // doubled separator
        {"/data", "/a", ""},    // the inserted one and the second's own
        {"a//b", "c", ""},
        {"/data", "x,y;\"z\":w", "/data/x,y;\"z\":w"}, // ordinary characters here
        {"/data", std::string("a\0b", 3), ""},
        {"/data", std::string(255, 'n'), "/data/" + std::string(255, 'n')},
        {"/data", std::string(256, 'n'), ""}, // longer than a file name can be
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a + " + " + c.b);
        EXPECT_EQ(CPathUL::MixPathh(c.a, c.b), c.want);
    }
    // Too long a result as a whole.
    std::string deep;
    while (deep.size() < 4200)
        deep += "/" + std::string(100, 'd');
    EXPECT_EQ(CPathUL::MixPathh(deep, "x"), "");
    EXPECT_EQ(CPathUL::MixPathh(deep.substr(0, 4000), "x").size(), 4002u);
}

TEST(PathUL, LastSeparatePath)
{
    EXPECT_EQ(CPathUL::GetLastSeparatePath("/prog/tool"), "/prog");
    EXPECT_EQ(CPathUL::GetLastSeparatePath("/prog/"), "/prog");
    EXPECT_EQ(CPathUL::GetLastSeparatePath("tool"), "");
    EXPECT_EQ(CPathUL::GetLastSeparatePath("/tool"), "/");
    EXPECT_EQ(CPathUL::GetLastSeparatePath("/"), "");
    EXPECT_EQ(CPathUL::GetLastSeparatePath("a/b/c"), "a/b");
}

TEST(PathUL, CreateMultiDirectory)
{
    TempDir dir;
    std::string a = dir.file("a");
    ASSERT_EQ(CPathUL::CreateDirectory(a), 1);
    EXPECT_EQ(CPathUL::CreateDirectory(a), 0); // already there
    EXPECT_EQ(CPathUL::CreateMultiDirectory(a + "/b/c"), 1);
    EXPECT_TRUE(IsDir(a + "/b"));
    EXPECT_TRUE(IsDir(a + "/b/c"));
    // A trailing separator: every folder before it; 1 when something was made.
    EXPECT_EQ(CPathUL::CreateMultiDirectory(a + "/x/y/"), 1);
    EXPECT_TRUE(IsDir(a + "/x/y"));
    EXPECT_EQ(CPathUL::CreateMultiDirectory(a + "/x/y/"), 0);
    // Below a plain file nothing can be made.
    WriteFile(dir.file("f"), "x");
    EXPECT_EQ(CPathUL::CreateMultiDirectory(dir.file("f") + "/g/h"), 0);
    EXPECT_FALSE(IsDir(dir.file("f") + "/g"));
    EXPECT_EQ(CPathUL::CreateMultiDirectory(""), 0);
}

TEST(PathUL, FileListSeparatesFilesAndFolders)
{
    TempDir dir;
    WriteFile(dir.file("b.bmp"), "x");
    WriteFile(dir.file("A.BMP"), "x");
    WriteFile(dir.file("c.txt"), "x");
    WriteFile(dir.file(".hidden.bmp"), "x");
    CPathUL::CreateDirectory(dir.file("sub.bmp"));
    CPathUL::CreateDirectory(dir.file("zdir"));
    std::vector<std::string> list{"stale"};
    EXPECT_EQ(CPathUL::GetFileList(list, dir.file("*.bmp"), 0), 1);
    EXPECT_EQ(list, (std::vector<std::string>{"A.BMP", "b.bmp"}));
    EXPECT_EQ(CPathUL::GetFileList(list, dir.file("*"), 1), 1);
    EXPECT_EQ(list, (std::vector<std::string>{"sub.bmp", "zdir"}));
    EXPECT_EQ(CPathUL::GetFileList(list, dir.file("*.jpg"), 0), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(CPathUL::GetFileList(list, dir.file("nowhere/*"), 0), 0);
}

TEST(PathUL, CurrentDirectoryAndModule)
{
    TempDir dir;
    std::string before = CPathUL::GetCurrentDirectory();
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(CPathUL::SetCurrentDirectory(dir.path()), 1);
    char real[4096];
    ASSERT_NE(::realpath(dir.path().c_str(), real), nullptr);
    EXPECT_EQ(CPathUL::GetCurrentDirectory(), real);
    EXPECT_EQ(CPathUL::SetCurrentDirectory(dir.file("missing")), 0);
    ASSERT_EQ(CPathUL::SetCurrentDirectory(before), 1);
    std::string module = CPathUL::GetModuleFileName();
    EXPECT_NE(module.find("libardelib"), std::string::npos) << module;
    EXPECT_EQ(module[0], '/');
}
