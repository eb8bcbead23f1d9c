#include "ardelib/PrtCtrlUL.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
CPrintDlgRecord Sample()
{
    CPrintDlgRecord r;
    CPrtDevMode m;
    m.driverVersion = 3;
    m.orientation = 2;
    m.paperId = 4;
    m.paperWidth = 2970;
    m.paperHeight = 4200;
    m.resolution = 600;
    m.copies = 2;
    m.paperName = "A3";
    r.devMode = m;
    r.devNames = CPrtDevNames{"cups", "Office_Laser", "", 1};
    return r;
}

struct QueryGuard {
    ~QueryGuard() { CPrtCtrlUL::SetPrinterQuery({}); }
};
} // namespace

TEST(PrtCtrlUL, FileLayoutAndRoundTrip)
{
    TempDir dir;
    std::string path = dir.file("printer.dat");
    CPrintDlgRecord r = Sample();
    ASSERT_EQ(CPrtCtrlUL::SavePrinterInfo(path, r), 1);
    std::string bytes = ReadFile(path);
    // "DM", size, the block; "DN", size, the block.
    std::size_t a = CPrtCtrlUL::kDevModeFixed + 2;
    std::size_t b = 8 + std::string("cups").size() + 1 + std::string("Office_Laser").size() + 1 + 1;
    ASSERT_EQ(bytes.size(), 8 + a + b);
    EXPECT_EQ(bytes.substr(0, 2), "DM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]) | static_cast<unsigned char>(bytes[3]) << 8, static_cast<int>(a));
    EXPECT_EQ(bytes.substr(4 + a, 2), "DN");
    EXPECT_EQ(CPrtCtrlUL::GetDevNamesSize(r.devNames), b);

    CPrintDlgRecord back;
    CPrtCtrlUL::LoadPrinterInfo(path, back);
    ASSERT_TRUE(back.devMode && back.devNames);
    EXPECT_EQ(back.devMode->orientation, 2);
    EXPECT_EQ(back.devMode->paperWidth, 2970);
    EXPECT_EQ(back.devMode->paperHeight, 4200);
    EXPECT_EQ(back.devMode->resolution, 600);
    EXPECT_EQ(back.devMode->copies, 2);
    EXPECT_EQ(back.devMode->paperName, "A3");
    EXPECT_EQ(back.devNames->device, "Office_Laser");
    EXPECT_EQ(back.devNames->driver, "cups");
    EXPECT_EQ(back.devNames->isDefault, 1);
}

TEST(PrtCtrlUL, NothingWrittenWithoutBothParts)
{
    TempDir dir;
    CPrintDlgRecord r = Sample();
    r.devNames.reset();
    EXPECT_EQ(CPrtCtrlUL::SavePrinterInfo(dir.file("p"), r), 0);
    EXPECT_FALSE(FileExists(dir.file("p")));
}

TEST(PrtCtrlUL, DamagedFilesRestoreNothingOrOnlyThePrinter)
{
    TempDir dir;
    std::string good = dir.file("good");
    ASSERT_EQ(CPrtCtrlUL::SavePrinterInfo(good, Sample()), 1);
    std::string bytes = ReadFile(good);
    std::size_t a = CPrtCtrlUL::kDevModeFixed + 2;
    struct Case {
        const char* what;
        std::string bytes;
        bool names;
    } cases[] = {
        {"empty", "", false},
        {"wrong first marker", "DX" + bytes.substr(2), false},
        {"cut inside the settings", bytes.substr(0, 20), false},
        {"cut inside the names", bytes.substr(0, bytes.size() - 3), false},
        {"wrong second marker", bytes.substr(0, 4 + a) + "DQ" + bytes.substr(6 + a), false},
        // Settings whose size fields disagree: the names alone are kept.
        {"inconsistent settings", bytes.substr(0, 10) + "\x09" + bytes.substr(11), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(dir.file("p"), c.bytes);
        CPrintDlgRecord r = Sample();
        CPrtCtrlUL::LoadPrinterInfo(dir.file("p"), r);
        EXPECT_FALSE(r.devMode);
        EXPECT_EQ(r.devNames.has_value(), c.names);
    }
    CPrintDlgRecord r = Sample();
    CPrtCtrlUL::LoadPrinterInfo(dir.file("missing"), r);
    EXPECT_FALSE(r.devMode || r.devNames);
}

TEST(PrtCtrlUL, DriverCheckDecidesWhatIsRestored)
{
    QueryGuard guard;
    TempDir dir;
    std::string path = dir.file("p");
    ASSERT_EQ(CPrtCtrlUL::SavePrinterInfo(path, Sample()), 1);
    // A driver updated since: only the printer is restored.
    CPrtCtrlUL::SetPrinterQuery([](const std::string& device, int& recipe, int& driver) {
        recipe = 1;
        driver = 4;
        return device == "Office_Laser";
    });
    CPrintDlgRecord r;
    CPrtCtrlUL::LoadPrinterInfo(path, r);
    EXPECT_FALSE(r.devMode);
    ASSERT_TRUE(r.devNames);
    EXPECT_EQ(r.devNames->device, "Office_Laser");
    // The same driver: everything.
    CPrtCtrlUL::SetPrinterQuery([](const std::string&, int& recipe, int& driver) {
        recipe = 1;
        driver = 3;
        return true;
    });
    CPrtCtrlUL::LoadPrinterInfo(path, r);
    EXPECT_TRUE(r.devMode && r.devNames);
    // A printer no longer installed: nothing.
    CPrtCtrlUL::SetPrinterQuery([](const std::string&, int&, int&) { return false; });
    CPrtCtrlUL::LoadPrinterInfo(path, r);
    EXPECT_FALSE(r.devMode || r.devNames);
}
