// PNG files written in pieces on several threads: standard files that decode to
// exactly the pixels given, whatever the size and however many pieces.
#include "platform/PngWriter.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>

using namespace testsupport;

namespace {
// Flat areas, edges and noise: what pages hold, and bytes that every filter and
// match length of the compression meets.
QImage Pattern(int w, int h, QImage::Format format)
{
    QImage img(w, h, format);
    std::uint32_t seed = 12345u + std::uint32_t(w) * 31u + std::uint32_t(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            QRgb c;
            if (x < w / 3)
                c = qRgba(255, 255, 255, 255);
            else if (y % 7 < 3)
                c = qRgba(x * 5, y * 3, (x ^ y) & 0xff, 255);
            else
                c = qRgba(int(seed >> 24), int(seed >> 16) & 0xff, int(seed >> 8) & 0xff, int(seed & 0xff));
            img.setPixel(x, y, c);
        }
    img.setDotsPerMeterX(11811);
    img.setDotsPerMeterY(5906);
    return img;
}

// The first pixel that differs, or an empty string.
std::string FirstDifference(const QImage& want, const QImage& got)
{
    if (want.size() != got.size())
        return "size";
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            if (want.pixel(x, y) != got.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}
} // namespace

TEST(PngWriter, DecodesToTheSamePixelsForEverySizeAndPieceCount)
{
    struct Case {
        int w, h;
    };
    const Case sizes[] = {{1, 1}, {3, 2}, {7, 5}, {1, 300}, {301, 1}, {333, 257}, {1001, 64}};
    for (const Case& c : sizes)
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32})
            for (int pieces : {1, 2, 5, 0, 1000}) {
                const QImage src = Pattern(c.w, c.h, format);
                const QByteArray png = pngwriter::Encode(src, pngwriter::kDefaultLevel, pieces);
                ASSERT_FALSE(png.isEmpty());
                QImage back;
                ASSERT_TRUE(back.loadFromData(png, "PNG")) << c.w << "x" << c.h << " pieces " << pieces;
                EXPECT_EQ(back.hasAlphaChannel(), format == QImage::Format_ARGB32);
                const QImage want = src.convertToFormat(QImage::Format_ARGB32);
                EXPECT_EQ(FirstDifference(want, back.convertToFormat(QImage::Format_ARGB32)), "")
                    << c.w << "x" << c.h << " format " << format << " pieces " << pieces;
                EXPECT_EQ(back.dotsPerMeterX(), 11811);
                EXPECT_EQ(back.dotsPerMeterY(), 5906);
            }
}

// Other formats are written by their colours; premultiplied ones unpremultiplied.
TEST(PngWriter, OtherFormatsKeepTheirColours)
{
    QImage grey(40, 9, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(x * 6 + y);
    QImage pre(17, 3, QImage::Format_ARGB32_Premultiplied);
    pre.fill(QColor(200, 100, 50, 128));
    for (const QImage& src : {grey, pre}) {
        QImage back;
        ASSERT_TRUE(back.loadFromData(pngwriter::Encode(src, 6, 3), "PNG"));
        EXPECT_EQ(FirstDifference(src.convertToFormat(QImage::Format_ARGB32), back.convertToFormat(QImage::Format_ARGB32)),
                  "");
    }
}

// The outside tools read it as the same picture as one written by Qt's own writer.
TEST(PngWriter, StandardToolsReadTheFile)
{
    TempDir dir;
    const QImage src = Pattern(641, 203, QImage::Format_RGB32);
    QFile file(QString::fromStdString(dir.file("ours.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(pngwriter::Write(file, src, pngwriter::kDefaultLevel, 4));
    file.close();
    ASSERT_TRUE(src.save(QString::fromStdString(dir.file("qt.png")), "PNG"));

    const RunResult check = testsupport::Run("pngcheck " + Quote(dir.file("ours.png")));
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_NE(check.out.find("641x203"), std::string::npos) << check.out;
    const RunResult same = testsupport::Run("compare -metric AE " + Quote(dir.file("ours.png")) + " " + Quote(dir.file("qt.png")) +
                               " null: 2>&1");
    EXPECT_EQ(same.out, "0") << same.out << same.err;
    const RunResult info = testsupport::Run("identify -format '%w %h %[colorspace]' " + Quote(dir.file("ours.png")));
    EXPECT_EQ(info.out, "641 203 sRGB") << info.err;
}

TEST(PngWriter, FailuresAreReported)
{
    EXPECT_TRUE(pngwriter::Encode(QImage()).isEmpty());
    QBuffer closed; // not open: takes no bytes
    EXPECT_FALSE(pngwriter::Write(closed, Pattern(20, 20, QImage::Format_RGB32)));
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(pngwriter::Write(readOnly, Pattern(20, 20, QImage::Format_RGB32)));
}
