// The headless export end to end: the program writes the files, outside tools read them.
#include "TestSupport.h"

#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include <cmath>
#include <regex>

using namespace testsupport;

namespace {
// A document of one filled red rectangle in the middle of the sheet (code paper).
std::string Flyer(int paper)
{
    std::string s = "/START:ZELDATA\r\n/START:PlotInfo\r\nPlotPaperSize=" + std::to_string(paper) +
                    "\r\n/END:PlotInfo\r\n/START:PelUnit\r\n/START:BLK_UnitLine\r\nMLineID=2\r\nMLineType=1\r\n";
    const double pts[4][2] = {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}};
    for (auto& p : pts)
        s += "MLinePntX=" + std::to_string(p[0]) + "\r\nMLinePntY=" + std::to_string(p[1]) + "\r\n";
    s += "MLinebNakanuri=1\r\nMLineNakaColor=255\r\nMLineGradiation=0\r\n/END:BLK_UnitLine\r\n/END:PelUnit\r\n"
         "/END:ZELDATA\r\n";
    return s;
}

RunResult Export(const std::string& out, const std::string& in, const std::string& extra = "")
{
    return testsupport::Run(Quote(Program()) + " --export " + Quote(out) + extra + " " + Quote(in));
}

TEST(Export, RasterSizesFollowTheSheetAndResolution)
{
    TempDir dir;
    struct Case {
        int paper;
        const char* name;
        const char* dpi;
        int w, h;
    };
    const Case cases[] = {
        {0, "a4.png", "", 1754, 1240},          // 297 x 210 at 150 dpi
        {6, "a4p.png", " --dpi 72", 595, 842},  // 210 x 297 at 72
        {25, "card.jpg", " --dpi 300", 1075, 650}, // 91 x 55 at 300
        {22, "card.BMP", " --dpi 100", 583, 394}, // 148 x 100, upper-case extension
    };
    for (const Case& c : cases) {
        std::string in = dir.file(std::to_string(c.paper) + ".q_l");
        WriteFile(in, Flyer(c.paper));
        RunResult r = Export(dir.file(c.name), in, c.dpi);
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
        QImage img(QString::fromStdString(dir.file(c.name)));
        ASSERT_FALSE(img.isNull()) << c.name;
        EXPECT_EQ(img.size(), QSize(c.w, c.h)) << c.name;
        // The sheet's centre is the image's centre: the red rectangle is there.
        QColor centre = img.pixelColor(c.w / 2, c.h / 2);
        EXPECT_GT(centre.red(), 240) << c.name;
        EXPECT_LT(centre.green(), 20) << c.name;
        EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::white)) << c.name;
    }
    // A BMP of 24 bits per pixel: the header's bit count at offset 28.
    std::string bmp = ReadFile(dir.file("card.BMP"));
    ASSERT_GT(bmp.size(), 30u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
}

TEST(Export, PdfIsOnePageOfTheSheetsSize)
{
    TempDir dir;
    std::string in = dir.file("b4.q_l");
    WriteFile(in, Flyer(10)); // B4 portrait, 257 x 364
    ASSERT_EQ(Export(dir.file("out.pdf"), in).status, 0);
    RunResult info = testsupport::Run("pdfinfo " + Quote(dir.file("out.pdf")));
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_TRUE(std::regex_search(info.out, std::regex(R"(Pages:\s+1\n)"))) << info.out;
    std::smatch m;
    std::regex size(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)");
    ASSERT_TRUE(std::regex_search(info.out, m, size)) << info.out;
    EXPECT_NEAR(std::stod(m[1]), 257 / 25.4 * 72, 1.0);
    EXPECT_NEAR(std::stod(m[2]), 364 / 25.4 * 72, 1.0);
    // Vector: the rectangle is a path, not an embedded picture.
    RunResult images = testsupport::Run("pdfimages -list " + Quote(dir.file("out.pdf")));
    if (images.status == 0) {
        EXPECT_EQ(std::count(images.out.begin(), images.out.end(), '\n'), 2) << images.out;
    }
}

TEST(Export, SvgOpensAndHasTheSheetsSize)
{
    TempDir dir;
    std::string in = dir.file("a5.q_l");
    WriteFile(in, Flyer(12)); // A5 landscape, 210 x 148
    ASSERT_EQ(Export(dir.file("out.svg"), in).status, 0);
    std::string svg = ReadFile(dir.file("out.svg"));
    EXPECT_NE(svg.find("<svg width=\"210mm\" height=\"148mm\""), std::string::npos) << svg.substr(0, 400);
    RunResult r = testsupport::Run("rsvg-convert -d 50 -p 50 -o " + Quote(dir.file("svg.png")) + " " + Quote(dir.file("out.svg")));
    ASSERT_EQ(r.status, 0) << r.err;
    QImage img(QString::fromStdString(dir.file("svg.png")));
    ASSERT_FALSE(img.isNull());
    EXPECT_NEAR(img.width(), 413, 2); // 210 mm at 50 dpi
    QColor centre = img.pixelColor(img.width() / 2, img.height() / 2);
    EXPECT_GT(centre.red(), 240);
    EXPECT_LT(centre.green(), 20);
}

// A write that fails (here a file size limit, as a full disk would) fails the export
// and leaves the previous file as it was, with no half-written one beside it.
TEST(Export, AFailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    std::string in = dir.file("in.q_l");
    WriteFile(in, Flyer(6));
    const std::string previous = "previous bytes\n";
    for (const char* name : {"old.png", "old.pdf", "old.svg", "old.bmp", "old.gif", "old.emf"}) {
        WriteFile(dir.file(name), previous);
        std::string inner = "ulimit -f 0; trap '' XFSZ; exec " + Quote(Program()) + " --export " +
                            Quote(dir.file(name)) + " " + Quote(in);
        RunResult r = testsupport::Run("sh -c " + Quote(inner) + " 2>&1 | cat");
        EXPECT_NE(r.out.find("ファイルに書き込めません"), std::string::npos) << name << ": " << r.out;
        EXPECT_EQ(ReadFile(dir.file(name)), previous) << name;
    }
    EXPECT_EQ(testsupport::Run("ls -A " + Quote(dir.path())).out, "in.q_l\nold.bmp\nold.emf\nold.gif\nold.pdf\nold.png\nold.svg\n");
    // Without the limit the same export replaces the file.
    ASSERT_EQ(Export(dir.file("old.png"), in).status, 0);
    EXPECT_NE(ReadFile(dir.file("old.png")), previous);
}

// The sheet as an enhanced metafile of the sheet's millimetres, which a reader turns
// into the same picture.
TEST(Export, EmfHasTheSheetsSizeAndOpensInAReader)
{
    TempDir dir;
    const std::string in = dir.file("in.q_l");
    WriteFile(in, Flyer(6));
    const std::string out = dir.file("a4.Emf");
    RunResult r = Export(out, in);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = ReadFile(out);
    ASSERT_GT(bytes.size(), 108u);
    auto u32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(u32(40), 0x464D4520u);
    EXPECT_EQ(u32(32), 20999u); // frame: 210 x 297 mm in hundredths
    EXPECT_EQ(u32(36), 29699u);
    if (testsupport::Run("command -v emf2svg-conv").status != 0)
        GTEST_SKIP() << "emf2svg-conv is not installed (scripts/setup.sh installs it)";
    r = testsupport::Run("emf2svg-conv -i " + Quote(out) + " -o " + Quote(dir.file("a4.svg")) + " && rsvg-convert -w 210 " +
                         Quote(dir.file("a4.svg")) + " -o " + Quote(dir.file("a4.png")));
    ASSERT_EQ(r.status, 0) << r.err;
    QImage img(QString::fromStdString(dir.file("a4.png")));
    ASSERT_FALSE(img.isNull());
    EXPECT_NEAR(img.height(), 297, 1);
    // The red rectangle (40 x 20 mm) at the centre, nothing at 25 mm beside it.
    const QColor centre = img.pixelColor(105, 148), beside = img.pixelColor(105 + 25, 148);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 60);
    EXPECT_TRUE(beside.alpha() == 0 || beside.lightness() > 240);
}

// A white and a red filled rectangle side by side on an A4 landscape sheet.
std::string WhiteAndRed()
{
    std::string s = "/START:ZELDATA\r\n/START:PlotInfo\r\nPlotPaperSize=0\r\n/END:PlotInfo\r\n/START:PelUnit\r\n";
    const struct {
        double x0, x1;
        int colour;
    } rects[] = {{-60, -20, 16777215}, {20, 60, 255}};
    int id = 1;
    for (const auto& r : rects) {
        s += "/START:BLK_UnitLine\r\nMLineID=" + std::to_string(id++) + "\r\nMLineType=1\r\n";
        const double pts[4][2] = {{r.x0, -20}, {r.x1, -20}, {r.x1, 20}, {r.x0, 20}};
        for (const auto& p : pts)
            s += "MLinePntX=" + std::to_string(p[0]) + "\r\nMLinePntY=" + std::to_string(p[1]) + "\r\n";
        s += "MLinebNakanuri=1\r\nMLineNakaColor=" + std::to_string(r.colour) +
             "\r\nMLineGradiation=0\r\n/END:BLK_UnitLine\r\n";
    }
    return s + "/END:PelUnit\r\n/END:ZELDATA\r\n";
}

// GIF files take the transparent colour by the image settings: the colour the page is
// laid on when neither smoothing nor fitting is on, else white, which also turns the
// white shapes see-through.
TEST(Export, GifTransparentColourFollowsTheSettings)
{
    TempDir dir;
    const std::string in = dir.file("in.q_l");
    WriteFile(in, WhiteAndRed());
    struct Case {
        int toukagif, antieirias, size;
        bool paperClear, whiteClear;
    };
    const Case cases[] = {
        {0, 0, 0, false, false},
        {1, 0, 0, true, false}, // the teal key: only the bare paper
        {1, 0, 1, true, true},  // fitting on (the default): white
        {1, 1, 0, true, true},  // smoothing on: white
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.toukagif) + std::to_string(c.antieirias) + std::to_string(c.size);
        AppProfile().WriteInt("QLA_T_PlotMenu", "gazou_toukagif", c.toukagif);
        AppProfile().WriteInt("QLA_T_PlotMenu", "gazou_antieirias", c.antieirias);
        AppProfile().WriteInt("QLA_T_PlotMenu", "gazou_size", c.size);
        ASSERT_TRUE(AppProfile().Sync());
        const std::string out = dir.file(what + ".GIF");
        RunResult r = Export(out, in, " --dpi 50");
        ASSERT_EQ(r.status, 0) << what << r.err;
        QImage img(QString::fromStdString(out));
        ASSERT_FALSE(img.isNull()) << what;
        EXPECT_EQ(img.size(), QSize(585, 413)) << what; // 297 x 210 mm at 50 dpi
        img = img.convertToFormat(QImage::Format_ARGB32);
        const QColor paper = img.pixelColor(5, 5), white = img.pixelColor(img.width() / 2 - 79, img.height() / 2),
                     red = img.pixelColor(img.width() / 2 + 79, img.height() / 2);
        EXPECT_EQ(paper.alpha() == 0, c.paperClear) << what;
        if (!c.paperClear) {
            EXPECT_EQ(paper.rgb() & 0xffffff, 0xffffffu) << what;
        }
        EXPECT_EQ(white.alpha() == 0, c.whiteClear) << what;
        if (!c.whiteClear) {
            EXPECT_EQ(white.rgb() & 0xffffff, 0xffffffu) << what;
        }
        EXPECT_EQ(red.alpha(), 255) << what;
        EXPECT_EQ(red.rgb() & 0xffffff, 0xff0000u) << what;
        // ImageMagick reads it too.
        EXPECT_EQ(testsupport::Run("identify -format %m " + Quote(out)).out, "GIF") << what;
    }
    for (const char* key : {"gazou_toukagif", "gazou_antieirias", "gazou_size"})
        AppProfile().Remove("QLA_T_PlotMenu", key);
    AppProfile().Sync();
}

TEST(Export, BadRequestsFailWithAMessage)
{
    TempDir dir;
    std::string in = dir.file("a4.q_l");
    WriteFile(in, Flyer(0));
    struct Case {
        std::string out, extra, in;
    };
    const Case cases[] = {
        {dir.file("x.png"), " --dpi 0", in},
        {dir.file("x.png"), " --dpi abc", in},
        {dir.file("x.png"), " --dpi 2401", in},
        {dir.file("x.tiff"), "", in},
        {dir.file("x.png"), "", dir.file("missing.q_l")},
        {dir.file("no/such/folder/x.png"), "", in},
    };
    for (const Case& c : cases) {
        RunResult r = Export(c.out, c.in, c.extra);
        EXPECT_NE(r.status, 0) << c.out << c.extra;
        EXPECT_FALSE(r.err.empty()) << c.out << c.extra;
    }
    EXPECT_NE(testsupport::Run(Quote(Program()) + " --export " + Quote(dir.file("x.png"))).status, 0);
    EXPECT_NE(testsupport::Run(Quote(Program()) + " --export " + Quote(dir.file("x.png")) + " " + Quote(in) + " --dpi").status, 0);
}
} // namespace
