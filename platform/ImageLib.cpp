#include "platform/ImageLib.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <gif_lib.h>

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace imglib {

struct ImgImage {
    QImage image;
    // The header read from a BMP file, until the pixels are changed.
    bool hasFileHeader = false;
    BmpInfoHeader fileHeader;
};

namespace {

// Large enough for a 150-megapixel picture at four bytes a pixel.
constexpr int kAllocationLimitMb = 640;

void RaiseAllocationLimit()
{
    static const bool done = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMb);
        return true;
    }();
    (void)done;
}

QString QPath(const std::string& path) { return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())); }

bool SaneSize(std::int64_t w, std::int64_t h)
{
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

QByteArray ReadHead(const std::string& path, qint64 n)
{
    QFile f(QPath(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(n);
}

int FormatOfBytes(const QByteArray& b)
{
    auto starts = [&](const char* magic, int n) { return b.size() >= n && std::memcmp(b.constData(), magic, n) == 0; };
    if (starts("BM", 2))
        return IMG_BMP;
    if (starts("\xFF\xD8\xFF", 3))
        return IMG_JPEG;
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return IMG_PNG;
    if (starts("GIF87a", 6) || starts("GIF89a", 6))
        return IMG_GIF;
    return IMG_UNKNOWN;
}

const char* QtFormat(int format)
{
    switch (format) {
    case IMG_BMP:
        return "bmp";
    case IMG_JPEG:
        return "jpeg";
    case IMG_PNG:
        return "png";
    case IMG_GIF:
        return "gif";
    default:
        return nullptr;
    }
}

// Loads path when its bytes are of format; nullptr for anything else.
HIMG LoadAs(const std::string& path, int format)
{
    RaiseAllocationLimit();
    if (IdentifyFormat(path) != format)
        return nullptr;
    QImageReader reader(QPath(path), QtFormat(format));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    QSize size = reader.size();
    if (!SaneSize(size.width(), size.height()))
        return nullptr;
    QImage image;
    if (!reader.read(&image) || image.isNull() || !SaneSize(image.width(), image.height()))
        return nullptr;
    auto* h = new ImgImage;
    h->image = std::move(image);
    if (format == IMG_BMP) {
        QByteArray head = ReadHead(path, 14 + 40);
        BmpInfoHeader info;
        if (head.size() == 54
            && ParseBmpInfoHeader(reinterpret_cast<const std::uint8_t*>(head.constData()) + 14, 40, info)
            && info.biSize >= 40) {
            h->hasFileHeader = true;
            h->fileHeader = info;
        }
    }
    return h;
}

// Opaque RGB; whatever was see-through shows white, as on the sheet.
QImage Opaque24(const QImage& src)
{
    if (src.format() == QImage::Format_RGB888)
        return src;
    if (!src.hasAlphaChannel())
        return src.convertToFormat(QImage::Format_RGB888);
    QImage out(src.size(), QImage::Format_RGB888);
    if (out.isNull())
        return out;
    out.setDotsPerMeterX(src.dotsPerMeterX());
    out.setDotsPerMeterY(src.dotsPerMeterY());
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, src);
    p.end();
    return out;
}

bool SaveBytes(const std::string& path, const QByteArray& bytes)
{
    QSaveFile f(QPath(path));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size())
        return false;
    // The last buffered bytes go out here; commit() would put a cut file in place
    // even when they could not be written.
    if (!f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

// Colour reduction to at most 256 entries: the exact colours when they fit, else a
// 6 × 7 × 6 cube with error diffusion. A transparent colour keeps an index of its own
// that no other colour maps to.
struct Indexed {
    int width = 0, height = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::uint8_t> pixels;
    int transparentIndex = -1;
};

Indexed Reduce(const QImage& rgb, bool haveTransparent, std::uint32_t transparent)
{
    Indexed out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    auto pixel = [&](int x, int y) {
        const uchar* p = rgb.constScanLine(y) + 3 * x;
        return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    };
    std::unordered_map<std::uint32_t, std::uint8_t> exact;
    bool fits = true;
    for (int y = 0; y < out.height && fits; ++y) {
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t c = pixel(x, y);
            if (exact.count(c))
                continue;
            if (exact.size() == 256) {
                fits = false;
                break;
            }
            exact.emplace(c, static_cast<std::uint8_t>(exact.size()));
        }
    }
    if (fits) {
        out.palette.resize(exact.size());
        for (auto& [c, i] : exact)
            out.palette[i] = c;
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.pixels[static_cast<std::size_t>(y) * out.width + x] = exact[pixel(x, y)];
        if (haveTransparent) {
            auto it = exact.find(transparent);
            if (it != exact.end()) {
                out.transparentIndex = it->second;
            } else if (out.palette.size() < 256) {
                out.transparentIndex = static_cast<int>(out.palette.size());
                out.palette.push_back(transparent);
            }
        }
        return out;
    }
    static const int levels[3] = {6, 7, 6};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                out.palette.push_back((std::uint32_t(r * 255 / 5) << 16) | (std::uint32_t(g * 255 / 6) << 8)
                                      | std::uint32_t(b * 255 / 5));
    if (haveTransparent) {
        out.transparentIndex = static_cast<int>(out.palette.size());
        out.palette.push_back(transparent);
    }
    // Floyd–Steinberg over two rows of errors.
    std::vector<float> err(static_cast<std::size_t>(out.width + 2) * 3 * 2, 0.f);
    for (int y = 0; y < out.height; ++y) {
        float* cur = err.data() + (y % 2) * (out.width + 2) * 3;
        float* next = err.data() + ((y + 1) % 2) * (out.width + 2) * 3;
        std::fill(next, next + (out.width + 2) * 3, 0.f);
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t c = pixel(x, y);
            std::size_t at = static_cast<std::size_t>(y) * out.width + x;
            if (haveTransparent && c == transparent) {
                out.pixels[at] = static_cast<std::uint8_t>(out.transparentIndex);
                continue;
            }
            float want[3] = {float(c >> 16), float((c >> 8) & 0xFF), float(c & 0xFF)};
            int q[3];
            float got[3];
            for (int k = 0; k < 3; ++k) {
                float v = std::clamp(want[k] + cur[(x + 1) * 3 + k], 0.f, 255.f);
                int n = levels[k] - 1;
                q[k] = static_cast<int>(std::lround(v * n / 255.f));
                got[k] = float(q[k] * 255 / n);
                float e = v - got[k];
                cur[(x + 2) * 3 + k] += e * 7 / 16;
                next[x * 3 + k] += e * 3 / 16;
                next[(x + 1) * 3 + k] += e * 5 / 16;
                next[(x + 2) * 3 + k] += e * 1 / 16;
            }
            int index = (q[0] * 7 + q[1]) * 6 + q[2];
            // A cube colour equal to the transparent one would turn see-through: take the neighbour.
            if (haveTransparent && out.palette[index] == transparent)
                index = index > 0 ? index - 1 : index + 1;
            out.pixels[at] = static_cast<std::uint8_t>(index);
        }
    }
    return out;
}

int WriteGifBytes(const Indexed& ix, QByteArray& bytes)
{
    auto writer = [](GifFileType* gif, const GifByteType* data, int n) -> int {
        static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), n);
        return n;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writer, &error);
    if (!gif)
        return 0;
    int mapSize = 2;
    while (mapSize < static_cast<int>(ix.palette.size()))
        mapSize *= 2;
    std::vector<GifColorType> colours(mapSize, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < ix.palette.size(); ++i)
        colours[i] = GifColorType{static_cast<GifByteType>(ix.palette[i] >> 16),
                                  static_cast<GifByteType>((ix.palette[i] >> 8) & 0xFF),
                                  static_cast<GifByteType>(ix.palette[i] & 0xFF)};
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    bool ok = map != nullptr;
    if (ok) {
        EGifSetGifVersion(gif, ix.transparentIndex >= 0);
        ok = EGifPutScreenDesc(gif, ix.width, ix.height, 8, 0, map) == GIF_OK;
    }
    if (ok && ix.transparentIndex >= 0) {
        GraphicsControlBlock gcb {};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = ix.transparentIndex;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK;
    }
    if (ok)
        ok = EGifPutImageDesc(gif, 0, 0, ix.width, ix.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < ix.height; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(ix.pixels.data() + static_cast<std::size_t>(y) * ix.width),
                         ix.width) == GIF_OK;
    if (map)
        GifFreeMapObject(map);
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) != GIF_OK)
        ok = false;
    return ok ? 1 : 0;
}

int WriteGifImpl(const std::string& path, HIMG image, bool haveTransparent, std::uint32_t transparentRgb)
{
    if (!image || image->image.isNull())
        return 0;
    QImage rgb = Opaque24(image->image);
    if (rgb.isNull())
        return 0;
    Indexed ix = Reduce(rgb, haveTransparent, transparentRgb);
    QByteArray bytes;
    if (!WriteGifBytes(ix, bytes))
        return 0;
    return SaveBytes(path, bytes) ? 1 : 0;
}

std::uint32_t RgbOfColorref(std::int32_t c)
{
    auto v = static_cast<std::uint32_t>(c);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

// The first frame's transparent colour, from the graphics control extension before it.
bool GifTransparentColour(const QByteArray& b, std::uint32_t& rgb)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(b.constData());
    const std::size_t n = static_cast<std::size_t>(b.size());
    if (n < 13)
        return false;
    std::size_t i = 13;
    const std::uint8_t* global = nullptr;
    std::size_t globalCount = 0;
    if (p[10] & 0x80) {
        globalCount = std::size_t(1) << ((p[10] & 7) + 1);
        if (i + 3 * globalCount > n)
            return false;
        global = p + i;
        i += 3 * globalCount;
    }
    int transparentIndex = -1;
    while (i < n) {
        std::uint8_t tag = p[i++];
        if (tag == 0x21) {
            if (i >= n)
                return false;
            std::uint8_t label = p[i++];
            if (label == 0xF9 && i + 5 <= n && p[i] == 4)
                transparentIndex = (p[i + 1] & 1) ? p[i + 4] : -1;
            // Sub-blocks up to the empty one.
            while (i < n && p[i] != 0)
                i += std::size_t(p[i]) + 1;
            ++i;
        } else if (tag == 0x2C) {
            if (i + 9 > n || transparentIndex < 0)
                return false;
            std::uint8_t packed = p[i + 8];
            const std::uint8_t* table = global;
            std::size_t count = globalCount;
            if (packed & 0x80) {
                count = std::size_t(1) << ((packed & 7) + 1);
                if (i + 9 + 3 * count > n)
                    return false;
                table = p + i + 9;
            }
            if (!table || static_cast<std::size_t>(transparentIndex) >= count)
                return false;
            const std::uint8_t* e = table + 3 * transparentIndex;
            rgb = (std::uint32_t(e[0]) << 16) | (std::uint32_t(e[1]) << 8) | e[2];
            return true;
        } else {
            return false;
        }
    }
    return false;
}

} // namespace

int IdentifyFormat(const std::string& path) { return FormatOfBytes(ReadHead(path, 8)); }

void Release(HIMG image) { delete image; }

int GetInfoHeader(HIMG image, BmpInfoHeader* out)
{
    if (!image || !out || image->image.isNull())
        return 0;
    if (image->hasFileHeader) {
        *out = image->fileHeader;
        out->biSize = 40;
        return 1;
    }
    const QImage& q = image->image;
    BmpInfoHeader h;
    h.biSize = 40;
    h.biWidth = q.width();
    h.biHeight = q.height();
    h.biPlanes = 1;
    h.biBitCount = q.depth() <= 8 ? static_cast<std::uint16_t>(q.depth()) : q.hasAlphaChannel() ? 32 : 24;
    h.biCompression = BMP_RGB;
    h.biSizeImage = static_cast<std::uint32_t>(((h.biBitCount * std::int64_t(q.width()) + 31) / 32) * 4 * q.height());
    h.biXPelsPerMeter = q.dotsPerMeterX();
    h.biYPelsPerMeter = q.dotsPerMeterY();
    h.biClrUsed = q.depth() <= 8 ? static_cast<std::uint32_t>(q.colorCount()) : 0;
    *out = h;
    return 1;
}

long GetPixelColor(HIMG image, int x, int y)
{
    if (!image || !image->image.valid(x, y))
        return -1;
    QRgb c = image->image.pixel(x, y);
    return qRed(c) + 256L * qGreen(c) + 65536L * qBlue(c);
}

int ConvertTo24(HIMG image)
{
    if (!image || image->image.isNull())
        return 0;
    QImage converted = Opaque24(image->image);
    if (converted.isNull())
        return 0;
    image->image = std::move(converted);
    image->hasFileHeader = false;
    return 1;
}

int Resize(HIMG image, int width, int height)
{
    if (!image || image->image.isNull())
        return 0;
    const QImage& q = image->image;
    std::int64_t w = width, h = height;
    if (w == -1 && h > 0)
        w = std::max<std::int64_t>(1, std::llround(double(h) * q.width() / q.height()));
    else if (h == -1 && w > 0)
        h = std::max<std::int64_t>(1, std::llround(double(w) * q.height() / q.width()));
    if (!SaneSize(w, h))
        return 0;
    QImage scaled = q.scaled(static_cast<int>(w), static_cast<int>(h), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return 0;
    image->image = std::move(scaled);
    image->hasFileHeader = false;
    return 1;
}

HIMG LoadBmp(const std::string& path) { return LoadAs(path, IMG_BMP); }
HIMG LoadJpeg(const std::string& path) { return LoadAs(path, IMG_JPEG); }
HIMG LoadPng(const std::string& path) { return LoadAs(path, IMG_PNG); }

HIMG LoadAny(const std::string& path)
{
    int format = IdentifyFormat(path);
    return format == IMG_UNKNOWN ? nullptr : LoadAs(path, format);
}

HIMG LoadGifTransparent(const std::string& path, ImgTransparency& transparency)
{
    HIMG h = LoadAs(path, IMG_GIF);
    if (!h)
        return nullptr;
    QFile f(QPath(path));
    std::uint32_t rgb = 0;
    if (f.open(QIODevice::ReadOnly) && GifTransparentColour(f.readAll(), rgb)) {
        transparency.words[0] = kTransparentFlag;
        transparency.words[1] = static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        // See-through pixels take the transparent colour so that it survives conversion.
        QImage opaque = h->image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < opaque.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(opaque.scanLine(y));
            for (int x = 0; x < opaque.width(); ++x)
                if (qAlpha(line[x]) == 0)
                    line[x] = 0xFF000000u | rgb;
        }
        h->image = opaque.convertToFormat(QImage::Format_RGB32);
    }
    return h;
}

int WriteBmp(const std::string& path, HIMG image)
{
    if (!image || image->image.isNull())
        return 0;
    QImage src = image->image;
    bool indexed = src.format() == QImage::Format_Indexed8 && src.colorCount() > 0 && src.colorCount() <= 256
                   && !src.hasAlphaChannel();
    if (!indexed)
        src = Opaque24(src);
    if (src.isNull())
        return 0;
    const int bits = indexed ? 8 : 24;
    const int colours = indexed ? src.colorCount() : 0;
    const std::int64_t stride = ((bits * std::int64_t(src.width()) + 31) / 32) * 4;
    const std::int64_t pixelBytes = stride * src.height();
    const std::int64_t offBits = 54 + 4 * colours;
    if (offBits + pixelBytes > 0xFFFFFFFFll)
        return 0;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(offBits + pixelBytes));
    std::uint8_t head[14];
    BmpFileHeader fh;
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<std::uint32_t>(offBits + pixelBytes);
    fh.bfOffBits = static_cast<std::uint32_t>(offBits);
    StoreBmpFileHeader(fh, head);
    out.append(reinterpret_cast<const char*>(head), 14);
    BmpInfoHeader ih;
    ih.biSize = 40;
    ih.biWidth = src.width();
    ih.biHeight = src.height();
    ih.biPlanes = 1;
    ih.biBitCount = static_cast<std::uint16_t>(bits);
    ih.biSizeImage = static_cast<std::uint32_t>(pixelBytes);
    ih.biXPelsPerMeter = src.dotsPerMeterX();
    ih.biYPelsPerMeter = src.dotsPerMeterY();
    ih.biClrUsed = static_cast<std::uint32_t>(colours);
    std::uint8_t info[40];
    StoreBmpInfoHeader(ih, info);
    out.append(reinterpret_cast<const char*>(info), 40);
    for (int i = 0; i < colours; ++i) {
        QRgb c = src.color(i);
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    QByteArray row(static_cast<qsizetype>(stride), '\0');
    for (int y = src.height() - 1; y >= 0; --y) {
        const uchar* line = src.constScanLine(y);
        if (indexed) {
            std::memcpy(row.data(), line, static_cast<std::size_t>(src.width()));
        } else {
            for (int x = 0; x < src.width(); ++x) {
                row[3 * x] = static_cast<char>(line[3 * x + 2]);
                row[3 * x + 1] = static_cast<char>(line[3 * x + 1]);
                row[3 * x + 2] = static_cast<char>(line[3 * x]);
            }
        }
        out.append(row);
    }
    return SaveBytes(path, out) ? 1 : 0;
}

int WriteJpeg(const std::string& path, HIMG image, int quality)
{
    if (!image || image->image.isNull())
        return 0;
    QImage rgb = Opaque24(image->image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(rgb))
        return 0;
    return SaveBytes(path, bytes) ? 1 : 0;
}

int WritePng(const std::string& path, HIMG image)
{
    if (!image || image->image.isNull())
        return 0;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image->image))
        return 0;
    return SaveBytes(path, bytes) ? 1 : 0;
}

int WriteGif(const std::string& path, HIMG image) { return WriteGifImpl(path, image, false, 0); }

int WriteGifTransparent(const std::string& path, HIMG image, const ImgTransparency& transparency)
{
    bool have = transparency.words[0] >= kTransparentFlag;
    return WriteGifImpl(path, image, have, RgbOfColorref(transparency.words[1]));
}

void DrawStretched(QPainter* painter, int x, int y, int width, int height, HIMG image)
{
    if (!painter || !image || image->image.isNull())
        return;
    painter->drawImage(QRect(x, y, width, height), image->image);
}

const QImage* ImageOf(HIMG image) { return image ? &image->image : nullptr; }

HIMG FromImage(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    auto* h = new ImgImage;
    h->image = image;
    return h;
}

} // namespace imglib
