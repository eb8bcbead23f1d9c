#include "platform/ImageLib.h"

#include "BmpBuilder.h"
#include "TestSupport.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace testsupport;
using namespace imglib;

namespace {
// A picture with distinct quadrants, so that orientation and colour are checked too.
QImage Quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, QColor(255, 0, 0));
    p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(0, 255, 0));
    p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(0, 0, 255));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(255, 255, 255));
    return img;
}

std::string Identify(const std::string& path, const std::string& format = "%m %w %h")
{
    RunResult r = Run("identify -format " + Quote(format) + " " + Quote(path));
    return r.status == 0 ? r.out : "failed: " + r.err;
}

std::uint32_t Crc32(const std::string& bytes)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        c ^= b;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void PutBe32(std::string& s, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A PNG whose header claims the given size, followed by a tiny data chunk.
std::string PngClaiming(std::uint32_t w, std::uint32_t h)
{
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string ihdr = "IHDR";
    PutBe32(ihdr, w);
    PutBe32(ihdr, h);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    PutBe32(png, 13);
    png += ihdr;
    PutBe32(png, Crc32(ihdr));
    std::string idat = std::string("IDAT") + std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    PutBe32(png, 8);
    png += idat;
    PutBe32(png, Crc32(idat));
    return png;
}

struct Handle {
    explicit Handle(HIMG h) : p(h) {}
    ImgPtr p;
    HIMG get() const { return p.get(); }
    explicit operator bool() const { return p != nullptr; }
};
} // namespace

TEST(ImageLib, IdentifiesByContentNotName)
{
    TempDir dir;
    ImgPtr src(FromImage(Quadrants(8, 6)));
    ASSERT_EQ(WritePng(dir.file("really-png.gif"), src.get()), 1);
    ASSERT_EQ(WriteGif(dir.file("really-gif.png"), src.get()), 1);
    ASSERT_EQ(WriteJpeg(dir.file("j.bmp"), src.get(), 80), 1);
    ASSERT_EQ(WriteBmp(dir.file("b.jpg"), src.get()), 1);
    WriteFile(dir.file("text.png"), "not a picture");
    WriteFile(dir.file("empty.bmp"), "");
    EXPECT_EQ(IdentifyFormat(dir.file("really-png.gif")), IMG_PNG);
    EXPECT_EQ(IdentifyFormat(dir.file("really-gif.png")), IMG_GIF);
    EXPECT_EQ(IdentifyFormat(dir.file("j.bmp")), IMG_JPEG);
    EXPECT_EQ(IdentifyFormat(dir.file("b.jpg")), IMG_BMP);
    EXPECT_EQ(IdentifyFormat(dir.file("text.png")), IMG_UNKNOWN);
    EXPECT_EQ(IdentifyFormat(dir.file("empty.bmp")), IMG_UNKNOWN);
    EXPECT_EQ(IdentifyFormat(dir.file("missing")), IMG_UNKNOWN);

    // Each loader takes only its own format, whatever the name; LoadAny takes any.
    EXPECT_FALSE(Handle(LoadPng(dir.file("really-gif.png"))));
    EXPECT_FALSE(Handle(LoadJpeg(dir.file("b.jpg"))));
    EXPECT_FALSE(Handle(LoadBmp(dir.file("j.bmp"))));
    EXPECT_FALSE(Handle(LoadPng(dir.file("text.png"))));
    EXPECT_FALSE(Handle(LoadAny(dir.file("text.png"))));
    ImgTransparency t;
    EXPECT_FALSE(Handle(LoadGifTransparent(dir.file("really-png.gif"), t)));
    for (const char* name : {"really-png.gif", "really-gif.png", "j.bmp", "b.jpg"}) {
        SCOPED_TRACE(name);
        Handle h(LoadAny(dir.file(name)));
        ASSERT_TRUE(h);
        EXPECT_EQ(ImageOf(h.get())->size(), QSize(8, 6));
    }
}

TEST(ImageLib, WrittenFilesAreReadBackByOtherTools)
{
    TempDir dir;
    ImgPtr src(FromImage(Quadrants(40, 30)));
    ASSERT_EQ(WriteBmp(dir.file("o.bmp"), src.get()), 1);
    ASSERT_EQ(WriteJpeg(dir.file("o.jpg"), src.get(), 90), 1);
    ASSERT_EQ(WritePng(dir.file("o.png"), src.get()), 1);
    ASSERT_EQ(WriteGif(dir.file("o.gif"), src.get()), 1);
    EXPECT_EQ(Identify(dir.file("o.bmp")), "BMP3 40 30");
    EXPECT_EQ(Identify(dir.file("o.jpg")), "JPEG 40 30");
    EXPECT_EQ(Identify(dir.file("o.png")), "PNG 40 30");
    EXPECT_EQ(Identify(dir.file("o.gif")), "GIF 40 30");
    // The quadrants come out where they went in (top left red, bottom right white).
    for (const char* name : {"o.bmp", "o.png", "o.gif"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Identify(dir.file(name), "%[pixel:p{2,2}] %[pixel:p{37,27}] %[pixel:p{2,27}]"),
                  "srgb(255,0,0) srgb(255,255,255) srgb(0,0,255)");
    }
    // Our BMP loader reads what we write.
    CBitmapUL bmp;
    ASSERT_EQ(bmp.LoadBmpFile(dir.file("o.bmp")), 1);
    EXPECT_EQ(bmp.BitCount(), 24);
    CBmpPixels px;
    ASSERT_TRUE(bmp.GetPixels(px));
    EXPECT_EQ(px.argb[0], 0xFFFF0000u);
    EXPECT_EQ(px.argb[px.argb.size() - 1], 0xFFFFFFFFu);
    // JPEG quality is honoured: a lower quality gives a smaller file.
    ImgPtr noisy(FromImage(Quadrants(200, 200)));
    {
        QPainter p(const_cast<QImage*>(ImageOf(noisy.get())));
        for (int i = 0; i < 200; i += 3)
            p.drawLine(0, i, 200, 200 - i);
    }
    ASSERT_EQ(WriteJpeg(dir.file("q10.jpg"), noisy.get(), 10), 1);
    ASSERT_EQ(WriteJpeg(dir.file("q95.jpg"), noisy.get(), 95), 1);
    EXPECT_LT(ReadFile(dir.file("q10.jpg")).size(), ReadFile(dir.file("q95.jpg")).size());
    EXPECT_EQ(Identify(dir.file("q95.jpg"), "%Q"), "95");
}

TEST(ImageLib, GifWithTransparentColour)
{
    TempDir dir;
    QImage img = Quadrants(20, 20);
    ImgPtr src(FromImage(img));
    ImgTransparency t;
    t.words[0] = kTransparentFlag;
    t.words[1] = 0 + 256 * 255 + 0; // green
    ASSERT_EQ(WriteGifTransparent(dir.file("t.gif"), src.get(), t), 1);
    // The green quadrant is see-through for other readers.
    EXPECT_EQ(Identify(dir.file("t.gif"), "%[fx:p{15,2}.a]"), "0");
    EXPECT_EQ(Identify(dir.file("t.gif"), "%[pixel:p{2,2}]"), "srgba(255,0,0,1)");

    ImgTransparency back;
    Handle h(LoadGifTransparent(dir.file("t.gif"), back));
    ASSERT_TRUE(h);
    EXPECT_EQ(back.words[0], kTransparentFlag);
    EXPECT_EQ(back.words[1], 256 * 255);
    // The see-through pixels carry the transparent colour.
    EXPECT_EQ(GetPixelColor(h.get(), 15, 2), 256 * 255);
    EXPECT_EQ(GetPixelColor(h.get(), 2, 2), 255);

    // Without a transparent colour nothing is reported.
    ASSERT_EQ(WriteGif(dir.file("plain.gif"), src.get()), 1);
    ImgTransparency none;
    Handle p(LoadGifTransparent(dir.file("plain.gif"), none));
    ASSERT_TRUE(p);
    EXPECT_EQ(none.words[0], 0);

    // Many colours: reduced to a palette, the transparent one still exact.
    QImage grad(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            grad.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    grad.setPixel(5, 5, qRgb(1, 2, 3));
    ImgPtr g(FromImage(grad));
    t.words[1] = 1 + 256 * 2 + 65536 * 3;
    ASSERT_EQ(WriteGifTransparent(dir.file("g.gif"), g.get(), t), 1);
    EXPECT_EQ(Identify(dir.file("g.gif"), "%[fx:p{5,5}.a]"), "0");
    // Every other pixel stays visible.
    QImage back64(QString::fromStdString(dir.file("g.gif")));
    ASSERT_FALSE(back64.isNull());
    int clear = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            clear += qAlpha(back64.pixel(x, y)) == 0;
    EXPECT_EQ(clear, 1);
    EXPECT_EQ(Identify(dir.file("g.gif"), "%w %h"), "64 64");
}

TEST(ImageLib, HeaderConversionAndPixels)
{
    TempDir dir;
    // An 8-bit BMP keeps its own header until converted.
    bmpbuild::Recipe s;
    s.width = 3;
    s.height = 2;
    s.bits = 8;
    s.fill = 7;
    WriteFile(dir.file("p8.bmp"), bmpbuild::Make(s));
    Handle h(LoadBmp(dir.file("p8.bmp")));
    ASSERT_TRUE(h);
    BmpInfoHeader info;
    ASSERT_EQ(GetInfoHeader(h.get(), &info), 1);
    EXPECT_EQ(info.biBitCount, 8);
    EXPECT_EQ(info.biWidth, 3);
    EXPECT_EQ(GetPixelColor(h.get(), 0, 0), 21 + 256 * 14 + 65536 * 7);
    EXPECT_EQ(GetPixelColor(h.get(), 3, 0), -1);
    EXPECT_EQ(GetPixelColor(h.get(), 0, -1), -1);
    ASSERT_EQ(ConvertTo24(h.get()), 1);
    ASSERT_EQ(GetInfoHeader(h.get(), &info), 1);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_EQ(GetPixelColor(h.get(), 2, 1), 21 + 256 * 14 + 65536 * 7);

    // A 4-bit run-length file reports its bit count and compression.
    bmpbuild::Recipe r;
    r.width = 2;
    r.height = 1;
    r.bits = 4;
    r.compression = 2;
    r.pixelBytes = 0;
    WriteFile(dir.file("rle4.bmp"), bmpbuild::Make(r) + std::string("\x02\x12\x00\x01", 4));
    Handle rle(LoadBmp(dir.file("rle4.bmp")));
    ASSERT_TRUE(rle);
    ASSERT_EQ(GetInfoHeader(rle.get(), &info), 1);
    EXPECT_EQ(info.biBitCount, 4);
    EXPECT_EQ(info.biCompression, 2u);

    EXPECT_EQ(GetInfoHeader(nullptr, &info), 0);
    EXPECT_EQ(ConvertTo24(nullptr), 0);
    EXPECT_EQ(WriteBmp(dir.file("x.bmp"), nullptr), 0);
}

TEST(ImageLib, ResizeKeepsAspectWithMinusOne)
{
    struct Case {
        int w, h, askW, askH, wantW, wantH, ok;
    } cases[] = {
        {400, 300, 200, -1, 200, 150, 1}, {400, 300, -1, 60, 80, 60, 1}, {400, 300, 10, 10, 10, 10, 1},
        {400, 300, -1, -1, 400, 300, 0},  {400, 300, 0, 10, 400, 300, 0}, {400, 300, 100000, -1, 400, 300, 0},
        {3, 1000, 1, -1, 1, 333, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.askW << "x" << c.askH);
        ImgPtr h(FromImage(Quadrants(c.w, c.h)));
        EXPECT_EQ(Resize(h.get(), c.askW, c.askH), c.ok);
        EXPECT_EQ(ImageOf(h.get())->size(), QSize(c.wantW, c.wantH));
    }
}

TEST(ImageLib, AbsurdSizesAreRefusedAndBigPhotosLoad)
{
    TempDir dir;
    WriteFile(dir.file("huge.png"), PngClaiming(100000, 100000));
    WriteFile(dir.file("wide.png"), PngClaiming(2000000, 1));
    bmpbuild::Recipe s;
    s.width = 100000;
    s.height = 100000;
    s.pixelBytes = 64;
    WriteFile(dir.file("huge.bmp"), bmpbuild::Make(s));
    for (const char* name : {"huge.png", "wide.png", "huge.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Handle(LoadAny(dir.file(name))));
    }
    EXPECT_FALSE(Handle(LoadPng(dir.file("huge.png"))));

    // A 50-megapixel photograph.
    QImage big(8200, 6150, QImage::Format_RGB888);
    big.fill(QColor(10, 120, 200));
    ImgPtr b(FromImage(big));
    big = QImage();
    ASSERT_EQ(WriteJpeg(dir.file("photo.jpg"), b.get(), 50), 1);
    b.reset();
    Handle photo(LoadJpeg(dir.file("photo.jpg")));
    ASSERT_TRUE(photo);
    EXPECT_EQ(ImageOf(photo.get())->size(), QSize(8200, 6150));
}

TEST(ImageLib, DrawStretchedFillsTheRectangle)
{
    ImgPtr h(FromImage(Quadrants(2, 2)));
    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    DrawStretched(&p, 10, 10, 10, 10, h.get());
    DrawStretched(&p, 0, 0, 10, 10, nullptr);
    p.end();
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(11, 11), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(18, 18), qRgb(255, 255, 255));
}
