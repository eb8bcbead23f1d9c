// Printing end to end through CUPS: the program prints to the test run's PDF printer
// (scripts/cups-test-printer.sh), and the PDF that comes out is measured.
#include "PageImages.h"
#include "TestSupport.h"

#include "app/MainFrame.h"
#include "app/PagePrinter.h"
#include "app/PrintCommands.h"
#include "ardelib/Message.h"
#include "document/Paper.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"


#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QImage>
#include <QPrinterInfo>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <thread>

using namespace testsupport;

namespace {
std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

// A ruler sheet: a vertical 100 mm line 40 mm left of the centre and a horizontal
// 60 mm line 20 mm below it, drawn 0.1 mm wide.
std::string RulerSheet(int paper, int userW = 0, int userH = 0)
{
    std::string s = "/START:ZELDATA\r\n/START:PlotInfo\r\nPlotPaperSize=" + std::to_string(paper) +
                    "\r\nPlotPaperSizeUserX=" + std::to_string(userW) + "\r\nPlotPaperSizeUserY=" +
                    std::to_string(userH) + "\r\n/END:PlotInfo\r\n/START:PelUnit\r\n";
    const double lines[2][4] = {{-40, -50, -40, 50}, {-30, 20, 30, 20}};
    int id = 1;
    for (const auto& l : lines) {
        s += "/START:BLK_UnitLine\r\nMLineID=" + std::to_string(id++) + "\r\nMLineType=0\r\n";
        s += "MLinePntX=" + std::to_string(l[0]) + "\r\nMLinePntY=" + std::to_string(l[1]) + "\r\n";
        s += "MLinePntX=" + std::to_string(l[2]) + "\r\nMLinePntY=" + std::to_string(l[3]) + "\r\n";
        s += "/END:BLK_UnitLine\r\n";
    }
    return s + "/END:PelUnit\r\n/END:ZELDATA\r\n";
}

class CupsPrint : public testing::Test {
protected:
    void SetUp() override
    {
        printer = Env("OLTRANE_TEST_PRINTER");
        outDir = Env("OLTRANE_TEST_PRINT_DIR");
        const bool required = Env("OLTRANE_REQUIRE_CUPS") == "1";
        std::string why;
        if (printer.empty() || outDir.empty())
            why = "no CUPS PDF printer set up for the tests (scripts/test.sh sets one up: "
                  "OLTRANE_TEST_PRINTER, OLTRANE_TEST_PRINT_DIR)";
        else if (QPrinterInfo::printerInfo(QString::fromStdString(printer)).isNull())
            why = "CUPS printer " + printer + " is not reachable (is cupsd running?)";
        if (why.empty())
            return;
        if (required)
            FAIL() << why;
        GTEST_SKIP() << why;
    }

    // The PDF cups-pdf wrote for the job titled title.
    std::string WaitForPdf(const std::string& title)
    {
        const QString prefix = QString::fromStdString(title);
        for (int i = 0; i < 300; ++i) {
            QDir dir(QString::fromStdString(outDir));
            for (const QString& name : dir.entryList({prefix + "*.pdf"}, QDir::Files)) {
                // Written in one piece once the job is done: wait for the end marker.
                const std::string path = dir.filePath(name).toStdString();
                const std::string bytes = ReadFile(path);
                if (bytes.find("%%EOF") != std::string::npos)
                    return path;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return "";
    }

    // A unique job title: cups-pdf names its file after it.
    std::string Title(const std::string& what) { return "olt" + std::to_string(++jobs) + "_" + what + std::to_string(::getpid()); }

    std::string printer, outDir;
    int jobs = 0;
};

struct PdfPage {
    double wMm = 0, hMm = 0;
    int rotate = 0;
};

PdfPage PageOf(const std::string& pdf)
{
    PdfPage page;
    RunResult r = Run("pdfinfo " + Quote(pdf));
    std::smatch m;
    static const std::regex size(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)"), rot(R"(Page rot:\s+([0-9]+))");
    if (std::regex_search(r.out, m, size)) {
        page.wMm = std::stod(m[1]) * 25.4 / 72;
        page.hMm = std::stod(m[2]) * 25.4 / 72;
    }
    if (std::regex_search(r.out, m, rot))
        page.rotate = std::stoi(m[1]);
    return page;
}

// What is drawn in a PDF page rasterised at 10 pixels a millimetre.
constexpr int kRasterDpi = 254;
constexpr double kPxPerMm = kRasterDpi / 25.4;

QImage Raster(const std::string& pdf, const TempDir& dir, int dpi = kRasterDpi)
{
    const std::string base = dir.file("raster");
    Run("pdftoppm -r " + std::to_string(dpi) + (dpi == kRasterDpi ? " -gray" : "") + " -png -singlefile " +
        Quote(pdf) + " " + Quote(base));
    return QImage(QString::fromStdString(base + ".png"));
}

// The longest straight dark stroke along one axis: its length between the centres of
// its end caps (the run less the stroke's thickness) and the centre of the run, in mm.
struct Stroke {
    double lengthMm = 0;
    double alongMm = 0;  // centre along the stroke, from the image's centre
    double acrossMm = 0; // centre across it
};

Stroke LongestStroke(const QImage& img, bool horizontal)
{
    const int outer = horizontal ? img.height() : img.width(), inner = horizontal ? img.width() : img.height();
    auto dark = [&](int o, int i) { return horizontal ? qGray(img.pixel(i, o)) < 128 : qGray(img.pixel(o, i)) < 128; };
    int bestLen = 0, bestStart = 0, bestFirst = 0, bestLast = 0;
    for (int o = 0; o < outer; ++o) {
        int run = 0;
        for (int i = 0; i <= inner; ++i) {
            if (i < inner && dark(o, i)) {
                ++run;
                continue;
            }
            if (run > bestLen + 1) {
                bestLen = run;
                bestStart = i - run;
                bestFirst = bestLast = o;
            } else if (run >= bestLen - 1 && run > 0 && o == bestLast + 1 && std::abs(i - run - bestStart) <= 1) {
                bestLast = o;
            }
            run = 0;
        }
    }
    const int thickness = bestLast - bestFirst + 1;
    Stroke s;
    s.lengthMm = (bestLen - thickness) / kPxPerMm;
    s.alongMm = (bestStart + bestLen / 2.0 - inner / 2.0) / kPxPerMm;
    s.acrossMm = ((bestFirst + bestLast + 1) / 2.0 - outer / 2.0) / kPxPerMm;
    return s;
}
} // namespace

TEST_F(CupsPrint, SheetsComeOutOnTheirPaperAtTrueSize)
{
    struct Case {
        const char* what;
        int paper, userW, userH;
        double shortMm, longMm; // the paper
        bool landscape;
    };
    const Case cases[] = {
        {"a4p", 6, 0, 0, 210, 297, false},  {"a4l", 0, 0, 0, 210, 297, true},
        {"a3l", 2, 0, 0, 297, 420, true},   {"b4p", 10, 0, 0, 257, 364, false},
        {"b4l", 1, 0, 0, 257, 364, true},   {"postcard", 8, 0, 0, 100, 148, false},
        {"userl", 11, 230, 160, 160, 230, true}, {"userp", 11, 123, 187, 123, 187, false},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string title = Title(c.what);
        const std::string in = dir.file(title + ".q_l");
        WriteFile(in, RulerSheet(c.paper, c.userW, c.userH));
        RunResult r = testsupport::Run(Quote(Program()) + " --print --printer " + Quote(printer) + " " + Quote(in));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string pdf = WaitForPdf(title);
        ASSERT_FALSE(pdf.empty()) << "no PDF from the printer";
        PdfPage page = PageOf(pdf);
        ASSERT_EQ(page.rotate, 0);
        // The paper is the sheet's, whichever way round the service laid it.
        const bool mediaLandscape = page.wMm > page.hMm;
        // The PDF printer's own paper table gives JIS B4 in whole points, a millimetre
        // short; the drawing on it is measured to half a millimetre below.
        EXPECT_NEAR(std::min(page.wMm, page.hMm), c.shortMm, 1.2);
        EXPECT_NEAR(std::max(page.wMm, page.hMm), c.longMm, 1.2);

        // The sheet's long side runs along the paper's: on a portrait medium a landscape
        // sheet comes turned, its vertical 100 mm line lying across the page.
        const bool turned = mediaLandscape != c.landscape;
        const QImage img = Raster(pdf, dir);
        ASSERT_FALSE(img.isNull());
        const Stroke hundred = LongestStroke(img, turned);
        const Stroke sixty = LongestStroke(img, !turned);
        EXPECT_NEAR(hundred.lengthMm, 100, 0.5);
        EXPECT_NEAR(sixty.lengthMm, 60, 0.5);
        // Centred on the page: the 100 mm line's middle is the sheet's centre row, 40 mm
        // to one side of the centre.
        EXPECT_NEAR(hundred.alongMm, 0, 0.5);
        EXPECT_NEAR(std::abs(hundred.acrossMm), 40, 0.5);
        EXPECT_NEAR(std::abs(sixty.acrossMm), 20, 0.5);
    }
}

TEST_F(CupsPrint, PrintPositionMovesThePrintedSheet)
{
    TempDir dir;
    const std::string title = Title("move");
    const std::string in = dir.file(title + ".q_l");
    WriteFile(in, RulerSheet(6));
    AppProfile().WriteInt("QLA_T_UTILITY", "print_move_x", 12);
    AppProfile().WriteInt("QLA_T_UTILITY", "print_move_y", -7);
    ASSERT_TRUE(AppProfile().Sync());
    RunResult r = testsupport::Run(Quote(Program()) + " --print --printer " + Quote(printer) + " " + Quote(in));
    AppProfile().Remove("QLA_T_UTILITY", "print_move_x");
    AppProfile().Remove("QLA_T_UTILITY", "print_move_y");
    AppProfile().Sync();
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = WaitForPdf(title);
    ASSERT_FALSE(pdf.empty());
    const QImage img = Raster(pdf, dir);
    const Stroke vertical = LongestStroke(img, false);
    EXPECT_NEAR(vertical.lengthMm, 100, 0.5);
    EXPECT_NEAR(vertical.acrossMm, -40 + 12, 0.5); // right positive
    EXPECT_NEAR(vertical.alongMm, -7, 0.5);        // down positive
}

// The sample flyer, printed, looks as its PDF export does (the plans drawn alike).
TEST_F(CupsPrint, SampleFlyerPrintsAsItExports)
{
    TempDir dir;
    const std::string title = Title("flyer");
    const std::string in = dir.file(title + ".q_l");
    WriteFile(in, ReadFile(std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l"));
    RunResult r = testsupport::Run(Quote(Program()) + " --print --printer " + Quote(printer) + " " + Quote(in));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = WaitForPdf(title);
    ASSERT_FALSE(pdf.empty());
    const PdfPage page = PageOf(pdf);
    EXPECT_NEAR(page.wMm, 210, 0.5);
    EXPECT_NEAR(page.hMm, 297, 0.5);

    AppProfile().WriteInt("QLA_T_PlotMenu", "gazou_hoseinasi", 0);
    AppProfile().Sync();
    const std::string exportedPdf = dir.file("exported.pdf");
    r = testsupport::Run(Quote(Program()) + " --export " + Quote(exportedPdf) + " " + Quote(in));
    AppProfile().Remove("QLA_T_PlotMenu", "gazou_hoseinasi");
    AppProfile().Sync();
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage printed = Raster(pdf, dir, 100), exported = Raster(exportedPdf, dir, 100);
    ASSERT_EQ(printed.size(), exported.size());
    // The print service draws the page again (edges a fraction of a pixel apart,
    // gradients in steps): compared at a quarter of the resolution. A sheet scaled to
    // fit or moved by a millimetre differs all over.
    const QSize small = exported.size() / 4;
    const ImageDifference d = Difference(printed.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                         exported.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 64);
    // Its colours pass through the service's PostScript and come back a little off.
    EXPECT_LT(d.mean, 6.0);
    EXPECT_LT(d.above, small.width() * small.height() / 100);
}

// The window's print path: page setup to A3, then print through the print dialog.
TEST_F(CupsPrint, TheWindowPrintsTheSheetOnItsPaper)
{
    CMainFrame frame;
    frame.show();
    const std::string title = Title("window");
    TempDir dir;
    const std::string in = dir.file(title + ".q_l");
    WriteFile(in, RulerSheet(6));
    ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(in)));
    frame.GetDocument()->m_plotInfo.m_paperSize = 9; // A3 portrait, as page setup stores it
    auto* cmds = frame.findChild<CPrintCommands*>();
    ASSERT_NE(cmds, nullptr);
    cmds->SetPrinterName(QString::fromStdString(printer));
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        asked = dlg != nullptr;
        if (dlg)
            dlg->accept();
        else if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    CRecordingMessageSink sink;
    frame.findChild<QAction*>("filePrint")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_EQ(sink.messages, std::vector<std::string>{});
    const std::string pdf = WaitForPdf(title);
    ASSERT_FALSE(pdf.empty());
    const PdfPage page = PageOf(pdf);
    EXPECT_NEAR(page.wMm, 297, 0.5);
    EXPECT_NEAR(page.hMm, 420, 0.5);
    const QImage img = Raster(pdf, dir);
    const Stroke hundred = LongestStroke(img, false);
    EXPECT_NEAR(hundred.lengthMm, 100, 0.5);
    EXPECT_NEAR(hundred.acrossMm, -40, 0.5);
}

// The preview shows the one page on the sheet's paper.
TEST_F(CupsPrint, ThePreviewShowsOnePageOnTheSheetsPaper)
{
    CMainFrame frame;
    frame.show();
    frame.GetDocument()->m_plotInfo.m_paperSize = 1; // B4 landscape
    auto* cmds = frame.findChild<CPrintCommands*>();
    cmds->SetPrinterName(QString::fromStdString(printer));
    int pages = -1;
    QPageLayout layout;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dlg) {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
            return;
        }
        auto* preview = dlg->findChild<QPrintPreviewWidget*>();
        if (preview) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        layout = dlg->printer()->pageLayout();
        dlg->reject();
    });
    frame.findChild<QAction*>("filePrintPreview")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(layout.pageSize().id(), QPageSize::JisB4);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(layout.margins(), QMarginsF(0, 0, 0, 0));
}

// The job asks CUPS for no scaling, in full-page mode on the sheet's paper, at the
// resolution the pen widths are meant for.
TEST_F(CupsPrint, APreparedPrinterTellsCupsNotToScale)
{
    QPrinter p(QPrinter::HighResolution);
    std::string error;
    ASSERT_TRUE(pageprinter::ChoosePrinter(p, printer, error)) << error;
    ASSERT_TRUE(pageprinter::PreparePrinter(p, paper::Entry(2), error)) << error; // A3 landscape
    const QStringList options = p.printEngine()->property(QPrintEngine::PrintEnginePropertyKey(0xfe00)).toStringList();
    const qsizetype at = options.indexOf(QStringLiteral("print-scaling"));
    ASSERT_GE(at, 0) << options.join(' ').toStdString();
    EXPECT_EQ(options.value(at + 1), QStringLiteral("none"));
    EXPECT_TRUE(p.fullPage());
    EXPECT_EQ(p.resolution(), 600);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);
    // The same printer twice: the option is set once.
    ASSERT_TRUE(pageprinter::PreparePrinter(p, paper::Entry(2), error)) << error;
    EXPECT_EQ(p.printEngine()->property(QPrintEngine::PrintEnginePropertyKey(0xfe00)).toStringList().count(
                  QStringLiteral("print-scaling")),
              1);
    // A missing printer is named in the message.
    QPrinter other;
    EXPECT_FALSE(pageprinter::ChoosePrinter(other, "NoSuchPrinter", error));
    EXPECT_EQ(error, "プリンタが見つかりません: NoSuchPrinter");
}
