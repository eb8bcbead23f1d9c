// Enhanced metafiles: the records the writer emits, and what a real reader
// (emf2svg-conv, then rsvg-convert) draws from them.
#include "platform/EmfWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdint>
#include <cstring>
#include <map>
#include <regex>

using namespace testsupport;

namespace {
constexpr double kWmm = 100, kHmm = 60;
constexpr int kDpi = 600;

double Dev(double mm) { return mm * kDpi / 25.4; }
QRectF DevRect(double x0, double y0, double x1, double y1) { return QRectF(Dev(x0), Dev(y0), Dev(x1 - x0), Dev(y1 - y0)); }

std::uint32_t U32(const QByteArray& b, qsizetype at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

// One of each kind, each in its own place on a 100 x 60 mm page (millimetres):
//   red rectangle (5..25, 5..15)       blue ellipse (30..50, 5..25)
//   green pie, upper-right quarter of (55..75, 5..25)
//   orange chord, upper half of (80..95, 5..20)   black arc below it
//   magenta triangle (5..25, 30..50)   cyan rectangle (30..50, 30..50) clipped to its upper half
//   yellow picture (55..75, 30..50)    gradient (80..95, 30..50), translucent red (5..25, 52..58)
//   text "EMF" at (30, 57)
QByteArray DrawSample()
{
    CEmfDevice dev(QSizeF(kWmm, kHmm), kDpi);
    QPainter p(&dev);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(DevRect(5, 5, 25, 15));
    p.setBrush(QColor(0, 0, 255));
    p.drawEllipse(DevRect(30, 5, 50, 25));
    p.setBrush(QColor(0, 160, 0));
    emf::DrawArcShape(p, emf::ArcKind::Pie, DevRect(55, 5, 75, 25).toRect(), 0, 90 * 16);
    p.setBrush(QColor(255, 128, 0));
    emf::DrawArcShape(p, emf::ArcKind::Chord, DevRect(80, 5, 95, 20).toRect(), 0, 180 * 16);
    p.setPen(QPen(Qt::black, Dev(0.8)));
    p.setBrush(Qt::NoBrush);
    emf::DrawArcShape(p, emf::ArcKind::Arc, DevRect(80, 10, 95, 25).toRect(), 180 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 255));
    p.drawPolygon(QPolygonF({QPointF(Dev(5), Dev(50)), QPointF(Dev(25), Dev(50)), QPointF(Dev(15), Dev(30))}));
    p.save();
    p.setClipRect(DevRect(30, 30, 50, 40));
    p.setBrush(QColor(0, 255, 255));
    p.drawRect(DevRect(30, 30, 50, 50));
    p.restore();
    QImage yellow(4, 4, QImage::Format_RGB32);
    yellow.fill(QColor(255, 255, 0));
    p.drawImage(DevRect(55, 30, 75, 50), yellow);
    QLinearGradient g(Dev(80), 0, Dev(95), 0);
    g.setColorAt(0, QColor(0, 0, 0));
    g.setColorAt(1, QColor(255, 255, 255));
    p.setBrush(g);
    p.drawRect(DevRect(80, 30, 95, 50));
    p.setBrush(QColor(255, 0, 0, 128));
    p.drawRect(DevRect(5, 52, 25, 58));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(Dev(4)));
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(Dev(30), Dev(57)), QStringLiteral("EMF"));
    p.end();
    return dev.Bytes();
}

bool Have(const char* tool) { return testsupport::Run(std::string("command -v ") + tool).status == 0; }
} // namespace

TEST(EmfWriter, HeaderAndRecordsAreWellFormed)
{
    const QByteArray b = DrawSample();
    ASSERT_GT(b.size(), 108);
    EXPECT_EQ(U32(b, 0), 1u);                 // EMR_HEADER
    EXPECT_EQ(U32(b, 40), 0x464D4520u);       // " EMF"
    EXPECT_EQ(U32(b, 48), std::uint32_t(b.size())); // nBytes
    // The frame is the page in hundredths of a millimetre; the reference device's
    // size in millimetres gives readers the true size.
    EXPECT_EQ(U32(b, 32), 9999u);
    EXPECT_EQ(U32(b, 36), 5999u);
    EXPECT_EQ(U32(b, 80), 100u);
    EXPECT_EQ(U32(b, 84), 60u);
    // Walk the records: sizes add up to the file, and every kind is there.
    std::map<std::uint32_t, int> kinds;
    qsizetype at = 0;
    int records = 0;
    while (at + 8 <= b.size()) {
        const std::uint32_t type = U32(b, at), size = U32(b, at + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u);
        ++kinds[type];
        ++records;
        at += size;
        if (type == 14)
            break;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(U32(b, 52), std::uint32_t(records)); // nRecords
    const std::pair<std::uint32_t, const char*> expected[] = {
        {43, "rectangle"}, {42, "ellipse"}, {47, "pie"}, {46, "chord"}, {45, "arc"}, {3, "polygon"},
        {30, "clip rectangle"}, {81, "stretched bitmap"}, {114, "alpha-blended bitmap"}, {84, "text"},
        {82, "font"}, {95, "pen"}, {39, "brush"}, {14, "end"},
    };
    for (auto [type, what] : expected)
        EXPECT_GT(kinds[type], 0) << what;
}

// What a reader draws: each shape's colour where it was drawn and the paper elsewhere.
TEST(EmfWriter, AReaderDrawsTheShapesWhereTheyWere)
{
    if (!Have("emf2svg-conv") || !Have("rsvg-convert"))
        GTEST_SKIP() << "emf2svg-conv or rsvg-convert is not installed (scripts/setup.sh installs them)";
    TempDir dir;
    WriteFile(dir.file("s.emf"), DrawSample().toStdString());
    RunResult r = testsupport::Run("emf2svg-conv -i " + Quote(dir.file("s.emf")) + " -o " + Quote(dir.file("s.svg")));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string svg = ReadFile(dir.file("s.svg"));
    EXPECT_NE(svg.find("EMF"), std::string::npos) << "the text";
    // The reader repeats the clip attribute on arcs, which strict SVG readers refuse.
    static const std::regex twice(R"rx((clip-path="[^"]*")([^>]*?)\s+clip-path="[^"]*")rx");
    svg = std::regex_replace(svg, twice, "$1$2");
    WriteFile(dir.file("s.svg"), svg);
    // Ten pixels a millimetre.
    r = testsupport::Run("rsvg-convert -w 1000 -b white " + Quote(dir.file("s.svg")) + " -o " + Quote(dir.file("s.png")));
    ASSERT_EQ(r.status, 0) << r.err;
    QImage img(QString::fromStdString(dir.file("s.png")));
    ASSERT_FALSE(img.isNull());
    ASSERT_NEAR(img.height(), 600, 2);
    auto at = [&](double x, double y) { return img.pixelColor(static_cast<int>(x * 10), static_cast<int>(y * 10)); };
    auto near = [](QColor c, QColor want) {
        return std::abs(c.red() - want.red()) < 40 && std::abs(c.green() - want.green()) < 40 &&
               std::abs(c.blue() - want.blue()) < 40;
    };
    const QColor white(255, 255, 255);
    struct Probe {
        double x, y;
        QColor want;
        const char* what;
    };
    const Probe probes[] = {
        {15, 10, QColor(255, 0, 0), "rectangle"},   {27, 10, white, "beside the rectangle"},
        {40, 15, QColor(0, 0, 255), "ellipse"},     {31, 6, white, "outside the ellipse's corner"},
        {68, 12, QColor(0, 160, 0), "pie"},         {62, 18, white, "the pie's missing quarter"},
        {87.5, 10, QColor(255, 128, 0), "chord"},   {87.5, 15, white, "below the chord"},
        {87.5, 24.9, QColor(0, 0, 0), "arc"},
        {15, 45, QColor(255, 0, 255), "triangle"},  {6, 32, white, "outside the triangle"},
        {40, 35, QColor(0, 255, 255), "clipped rectangle"}, {40, 45, white, "clipped away"},
        {65, 40, QColor(255, 255, 0), "picture"},
    };
    for (const Probe& pr : probes)
        EXPECT_TRUE(near(at(pr.x, pr.y), pr.want)) << pr.what << ": " << at(pr.x, pr.y).name().toStdString();
    // Half-transparent red over the paper: pink. (The file's bitmap is premultiplied as
    // the format asks; emf2svg takes it for straight alpha and draws it a little darker.)
    const QColor pink = at(15, 55);
    EXPECT_GT(pink.red(), 180);
    EXPECT_GT(pink.green(), 100);
    EXPECT_LT(pink.green(), 160);
    EXPECT_EQ(pink.green(), pink.blue());
    // The gradient runs from dark to light.
    EXPECT_LT(at(81, 40).lightness() + 100, at(94, 40).lightness());
}

// LibreOffice, where installed, opens the file too.
TEST(EmfWriter, LibreOfficeConvertsIt)
{
    if (!Have("soffice"))
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    WriteFile(dir.file("s.emf"), DrawSample().toStdString());
    RunResult r = testsupport::Run("cd " + Quote(dir.path()) + " && HOME=" + Quote(dir.path()) +
                                   " soffice --headless --convert-to pdf s.emf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(FileExists(dir.file("s.pdf")));
}
