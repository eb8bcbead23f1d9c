#include "ardelib/BitmapUL.h"

#include "BmpBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;
using bmpbuild::Recipe;

namespace {
int LoadBytes(CBitmapUL& bmp, const std::string& bytes)
{
    TempDir dir;
    WriteFile(dir.file("p.bmp"), bytes);
    return bmp.LoadBmpFile(dir.file("p.bmp"));
}
} // namespace

TEST(BitmapUL, Loads24BitWithoutColourTable)
{
    Recipe s;
    s.width = 3;
    s.height = 2;
    CBitmapUL bmp;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    EXPECT_EQ(bmp.ColorCount(), 0);
    EXPECT_EQ(bmp.GetBmpPalette(), nullptr);
    EXPECT_EQ(bmp.PixelBytes().size(), 24u);
    EXPECT_EQ(bmp.InfoBytes().size(), 40u);
    EXPECT_EQ(bmp.HeaderKind(), 1);
    CRectUL r;
    ASSERT_EQ(bmp.GetBmpRect(r), 1);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 2);
}

TEST(BitmapUL, ColourTablesAndPalette)
{
    struct Case {
        std::uint16_t bits;
        std::uint32_t clrUsed;
        std::uint32_t headerSize;
        int count;
    } cases[] = {
        {8, 0, 40, 256}, {8, 5, 40, 5}, {4, 0, 40, 16}, {1, 0, 40, 2}, {8, 0, 12, 256}, {4, 0, 12, 16}, {24, 3, 40, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bits " << c.bits << " clrUsed " << c.clrUsed << " header " << c.headerSize);
        Recipe s;
        s.width = 5;
        s.height = 3;
        s.bits = c.bits;
        s.clrUsed = c.clrUsed;
        s.headerSize = c.headerSize;
        CBitmapUL bmp;
        ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
        EXPECT_EQ(bmp.ColorCount(), c.count);
        std::size_t entry = c.headerSize == 12 ? 3 : 4;
        EXPECT_EQ(bmp.ColorTableSize(), c.count * entry);
        EXPECT_EQ(bmp.InfoBytes().size(), c.headerSize + c.count * entry);
        EXPECT_EQ(static_cast<std::int64_t>(bmp.PixelBytes().size()), bmpbuild::Stride(c.bits, 5) * 3);
        const CLogPaletteUL* pal = bmp.GetBmpPalette();
        ASSERT_NE(pal, nullptr);
        EXPECT_EQ(pal->version, 0x300);
        ASSERT_EQ(pal->entries.size(), static_cast<std::size_t>(c.count));
        // Entries are stored blue, green, red: the palette turns them round.
        const CPaletteEntryUL& e = pal->entries[c.count - 1];
        int i = c.count - 1;
        EXPECT_EQ(e.blue, i & 0xFF);
        EXPECT_EQ(e.green, (2 * i) & 0xFF);
        EXPECT_EQ(e.red, (3 * i) & 0xFF);
    }
}

TEST(BitmapUL, MalformedFilesFailCleanly)
{
    auto base = [] {
        Recipe s;
        s.width = 4;
        s.height = 4;
        return s;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    {
        std::string f = bmpbuild::Make(base());
        f[1] = 'A';
        cases.push_back({"starts with BA", f});
    }
    {
        Recipe s = base();
        s.width = 100000;
        s.height = 100000;
        s.pixelBytes = 16;
        cases.push_back({"100000 x 100000 with 16 pixel bytes", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.width = 60000;
        s.height = 60000;
        s.compression = 1;
        s.bits = 8;
        s.pixelBytes = 64;
        cases.push_back({"huge run-length picture with a few bytes", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.bits = 8;
        s.clrUsed = 300;
        cases.push_back({"colour count above 256", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.bits = 8;
        s.clrUsed = 200;
        s.tableEntries = 10;
        s.pixelBytes = 0;
        cases.push_back({"colour table beyond the end", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.pixelBytes = bmpbuild::Stride(24, 4) * 4 - 1;
        cases.push_back({"truncated pixel array", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.headerSize = 64;
        cases.push_back({"unknown header size", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.width = 0;
        cases.push_back({"zero width", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.width = -4;
        s.pixelBytes = 48;
        cases.push_back({"negative width", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.height = INT32_MIN;
        s.pixelBytes = 100;
        cases.push_back({"most negative height", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.bits = 7;
        cases.push_back({"bit count 7", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.compression = 4;
        cases.push_back({"embedded JPEG", bmpbuild::Make(s)});
    }
    {
        Recipe s = base();
        s.height = -4;
        s.bits = 8;
        s.compression = 1;
        cases.push_back({"top-down run-length", bmpbuild::Make(s)});
    }
    cases.push_back({"empty file", ""});
    cases.push_back({"file header only", bmpbuild::Make(base()).substr(0, 14)});
    cases.push_back({"header cut short", bmpbuild::Make(base()).substr(0, 30)});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CBitmapUL bmp;
        // A previous picture must not survive a failed load.
        ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(base())), 1);
        EXPECT_EQ(LoadBytes(bmp, c.bytes), 0);
        EXPECT_FALSE(bmp.IsLoaded());
        CRectUL r;
        EXPECT_EQ(bmp.GetBmpRect(r), 0);
        EXPECT_EQ(bmp.GetBmpPalette(), nullptr);
        EXPECT_TRUE(bmp.PixelBytes().empty());
    }
    CBitmapUL missing;
    EXPECT_EQ(missing.LoadBmpFile("/nonexistent/x.bmp"), 0);
}

TEST(BitmapUL, DecodesEachPixelForm)
{
    // 2 x 2 pictures, rows top to bottom: which colour lands where.
    CBmpPixels px;
    CBitmapUL bmp;

    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make24(2, {{0x112233, 0x445566}, {0x778899, 0xAABBCC}})), 1);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb, (std::vector<std::uint32_t>{0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC}));

    // Top-down 24-bit: the first stored row is the top one.
    std::string td = bmpbuild::Make24(2, {{0x112233, 0x445566}, {0x778899, 0xAABBCC}});
    td[22] = static_cast<char>(0xFE); // height -2
    td[23] = td[24] = td[25] = static_cast<char>(0xFF);
    ASSERT_EQ(LoadBytes(bmp, td), 1);
    EXPECT_TRUE(bmp.IsTopDown());
    EXPECT_EQ(bmp.Height(), 2);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb, (std::vector<std::uint32_t>{0xFF778899, 0xFFAABBCC, 0xFF112233, 0xFF445566}));

    // 8-bit: index 3 everywhere gives table entry 3 = red 9, green 6, blue 3.
    Recipe s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.fill = 3;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb, std::vector<std::uint32_t>(4, 0xFF090603));

    // 4-bit: byte 0x12 gives index 1 then index 2.
    s.bits = 4;
    s.fill = 0x12;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb[0], 0xFF030201u);
    EXPECT_EQ(px.argb[1], 0xFF060402u);

    // 16-bit 5-5-5: 0x7C00 is full red.
    s.bits = 16;
    s.fill = 0;
    std::string f = bmpbuild::Make(s);
    for (std::size_t i = 54; i + 1 < f.size(); i += 4) {
        f[i] = 0x00;
        f[i + 1] = 0x7C;
        f[i + 2] = 0x1F; // then full blue
        f[i + 3] = 0x00;
    }
    ASSERT_EQ(LoadBytes(bmp, f), 1);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb[0], 0xFFFF0000u);
    EXPECT_EQ(px.argb[1], 0xFF0000FFu);

    // Run-length 8-bit: a run of 2 × index 5, end of line, 2 × index 1, end of bitmap.
    Recipe r;
    r.width = 2;
    r.height = 2;
    r.bits = 8;
    r.compression = 1;
    r.pixelBytes = 0;
    std::string rle = bmpbuild::Make(r) + std::string("\x02\x05\x00\x00\x02\x01\x00\x01", 8);
    ASSERT_EQ(LoadBytes(bmp, rle), 1);
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb, (std::vector<std::uint32_t>{0xFF030201, 0xFF030201, 0xFF0F0A05, 0xFF0F0A05}));
}

TEST(BitmapUL, HonoursPixelOffsetOfTheFileHeader)
{
    Recipe s;
    s.width = 1;
    s.height = 1;
    s.offBits = 70; // 16 bytes of gap after the header
    s.fill = 0x40;
    CBitmapUL bmp;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    CBmpPixels px;
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb[0], 0xFF404040u);
}

TEST(BitmapUL, CopiesAreIndependent)
{
    Recipe s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    CBitmapUL a;
    ASSERT_EQ(LoadBytes(a, bmpbuild::Make(s)), 1);
    CBitmapUL b = a;
    a.LoadBmpFile("/nonexistent");
    EXPECT_FALSE(a.IsLoaded());
    ASSERT_TRUE(b.IsLoaded());
    ASSERT_NE(b.GetBmpPalette(), nullptr);
    EXPECT_EQ(b.GetBmpPalette()->entries.size(), 256u);
    EXPECT_EQ(b.PixelBytes().size(), 8u);
}

TEST(BitmapUL, FittingKeepsProportions)
{
    struct Case {
        int w, h, xPels, yPels;
        CRectUL box;
        int fill;
        double dpiX, dpiY;
        CRectUL want;
    } cases[] = {
        {200, 100, 0, 0, {0, 0, 100, 100}, 0, 96, 96, {0, 25, 100, 75}},
        {100, 200, 0, 0, {0, 0, 100, 100}, 0, 96, 96, {25, 0, 75, 100}},
        {100, 100, 0, 0, {100, 100, 0, 0}, 0, 96, 96, {0, 0, 100, 100}},     // normalised
        {200, 100, 0, 0, {0, 0, 100, 100}, 1, 96, 96, {0, 0, 100, 100}},     // fill
        {100, 100, 2000, 1000, {0, 0, 100, 100}, 0, 96, 96, {25, 0, 75, 100}}, // pixels twice as tall as wide
        {100, 100, 1000, 0, {0, 0, 100, 100}, 0, 96, 96, {0, 0, 100, 100}},    // no vertical resolution: square
        {100, 100, 0, 1000, {0, 0, 100, 100}, 0, 96, 96, {0, 0, 100, 100}},    // no horizontal resolution: square
        {200, 100, 0, 0, {0, 0, 101, 100}, 0, 96, 96, {0, 25, 101, 76}},     // halves round up
        {200, 100, 0, 0, {0, 0, 100, 200}, 0, 96, 192, {0, 50, 100, 150}},  // twice the dots vertically
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " res " << c.xPels << "/" << c.yPels << " fill " << c.fill
                                        << " dpi " << c.dpiX << "/" << c.dpiY);
        Recipe s;
        s.width = c.w;
        s.height = c.h;
        s.xPels = c.xPels;
        s.yPels = c.yPels;
        CBitmapUL bmp;
        ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
        CRectUL r = bmp.FitRect(c.box, c.fill, c.dpiX, c.dpiY);
        EXPECT_EQ(r.left, c.want.left);
        EXPECT_EQ(r.top, c.want.top);
        EXPECT_EQ(r.right, c.want.right);
        EXPECT_EQ(r.bottom, c.want.bottom);
    }
}

namespace {
struct RecordingDevice : CBmpDevice {
    double DpiX() const override { return 96; }
    double DpiY() const override { return 96; }
    bool StretchPixels(const CBmpPixels& p, int x, int y, int w, int h) override
    {
        width = p.width;
        got = {x, y, w, h};
        return true;
    }
    int width = 0;
    std::vector<int> got;
};
} // namespace

TEST(BitmapUL, DrawStretchesIntoTheFittedArea)
{
    Recipe s;
    s.width = 200;
    s.height = 100;
    CBitmapUL bmp;
    RecordingDevice dev;
    EXPECT_EQ(bmp.DrawBmp(&dev, {0, 0, 100, 100}, 0), 0);
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    EXPECT_EQ(bmp.DrawBmp(nullptr, {0, 0, 100, 100}, 0), 0);
    ASSERT_EQ(bmp.DrawBmp(&dev, {0, 0, 100, 100}, 0), 1);
    EXPECT_EQ(dev.width, 200);
    EXPECT_EQ(dev.got, (std::vector<int>{0, 25, 101, 51}));
}

TEST(BitmapUL, RatePerPixel)
{
    CBitmapUL bmp;
    CPointUL p;
    EXPECT_EQ(bmp.RatePerPixel(p), 0);
    Recipe s;
    s.xPels = 2000;
    s.yPels = 1000;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    ASSERT_EQ(bmp.RatePerPixel(p), 1);
    EXPECT_EQ(p.x, 1000);
    EXPECT_EQ(p.y, 2000);
    s.xPels = 0;
    ASSERT_EQ(LoadBytes(bmp, bmpbuild::Make(s)), 1);
    ASSERT_EQ(bmp.RatePerPixel(p), 1);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 1);
}
