// cmake --install into a scratch prefix: every file in its freedesktop place, the
// program running from there, and Ardelib usable by another CMake project.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
int Shell(const std::string& cmd) { return std::system((cmd + " >/dev/null 2>&1").c_str()); }
bool Have(const char* tool) { return Shell(std::string("command -v ") + tool) == 0; }
std::string Read(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new testsupport::TempDir;
        const std::string build = fs::path(OLTRANE_BINARY).parent_path().string();
        s_installed = Shell("cmake --install '" + build + "' --prefix '" + s_dir->path() + "'") == 0;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    fs::path Prefix() const { return s_dir->path(); }
    static testsupport::TempDir* s_dir;
    static bool s_installed;
};
testsupport::TempDir* InstallTest::s_dir = nullptr;
bool InstallTest::s_installed = false;

TEST_F(InstallTest, EveryFileLandsInItsPlace)
{
    ASSERT_TRUE(s_installed);
    for (const char* f : {"bin/oltrane", "share/oltrane/readme.txt", "include/ardelib/DefFile.h", "include/ardelib/BitmapUL.h",
                          "share/applications/oltrane.desktop", "share/mime/packages/oltrane.xml",
                          "share/icons/hicolor/scalable/apps/oltrane.svg",
                          "share/icons/hicolor/scalable/mimetypes/application-x-oltrane-document.svg"})
        EXPECT_TRUE(fs::is_regular_file(Prefix() / f)) << f;
    EXPECT_TRUE(fs::is_directory(Prefix() / "share/oltrane"));
    // The desktop's own files are not copied among the program's data.
    EXPECT_FALSE(fs::exists(Prefix() / "share/oltrane/desktop"));
    bool lib = false, package = false;
    for (const auto& e : fs::recursive_directory_iterator(Prefix())) {
        lib |= e.path().filename() == "libardelib.so.1";
        package |= e.path().filename() == "ArdelibConfig.cmake";
    }
    EXPECT_TRUE(lib);
    EXPECT_TRUE(package);
}

TEST_F(InstallTest, DesktopEntryAndDocumentTypesAreValid)
{
    ASSERT_TRUE(s_installed);
    const fs::path entry = Prefix() / "share/applications/oltrane.desktop";
    EXPECT_NE(std::string::npos, Read(entry).find("MimeType=application/x-oltrane-document;"));
    if (!Have("desktop-file-validate") || !Have("update-mime-database"))
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info missing";
    EXPECT_EQ(0, Shell("desktop-file-validate '" + entry.string() + "'"));
    ASSERT_EQ(0, Shell("update-mime-database '" + (Prefix() / "share/mime").string() + "'"));
    const std::string globs = Read(Prefix() / "share/mime/globs2");
    for (const char* g : {"application/x-oltrane-document:*.q_l", "application/x-zelplan-plan:*.zel",
                          "application/x-zelplan-plan:*.trn", "application/x-orvix-map:*.v_x"})
        EXPECT_NE(std::string::npos, globs.find(g)) << g;
}

TEST_F(InstallTest, InstalledProgramRunsAndArdelibLinksFromThePrefix)
{
    ASSERT_TRUE(s_installed);
    const std::string sample = std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l";
    EXPECT_EQ(0, Shell("env -i PATH=/usr/bin:/bin HOME=/tmp QT_QPA_PLATFORM=offscreen '" +
                     (Prefix() / "bin/oltrane").string() + "' --info '" + sample + "'"));
    // Another program finds the library through its CMake package.
    const fs::path src = Prefix() / "consumer";
    fs::create_directories(src);
    std::ofstream(src / "CMakeLists.txt") << "cmake_minimum_required(VERSION 3.25)\nproject(c CXX)\n"
                                             "set(CMAKE_CXX_STANDARD 20)\nfind_package(Ardelib 1.0 REQUIRED)\n"
                                             "add_executable(c main.cpp)\ntarget_link_libraries(c Ardelib::ardelib)\n";
    std::ofstream(src / "main.cpp") << "#include \"ardelib/PathUL.h\"\nint main() { return 0; }\n";
    const std::string b = (Prefix() / "consumer-build").string();
    ASSERT_EQ(0, Shell("cmake -S '" + src.string() + "' -B '" + b + "' -DCMAKE_PREFIX_PATH='" + Prefix().string() + "'"));
    EXPECT_EQ(0, Shell("cmake --build '" + b + "'"));
}
} // namespace
