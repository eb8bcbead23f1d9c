#include "ardelib/BitmapUL.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
           | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void St16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void St32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Reads exactly n bytes at offset; false on a short read.
bool ReadAt(int fd, std::int64_t offset, void* buf, std::size_t n)
{
    auto* p = static_cast<char*>(buf);
    while (n > 0) {
        ssize_t r = ::pread(fd, p, n, static_cast<off_t>(offset));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<std::size_t>(r);
        offset += r;
    }
    return true;
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::int64_t RowStride(std::int64_t bits, std::int64_t width) { return ((bits * width + 31) / 32) * 4; }

// One colour channel picked out by mask and scaled to 0..255.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask & (1u << shift)))
        ++shift;
    std::uint32_t m = mask >> shift;
    std::uint32_t v = (value & mask) >> shift;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 255 + m / 2) / m);
}
} // namespace

bool ParseBmpFileHeader(const std::uint8_t* p, std::size_t n, BmpFileHeader& h)
{
    if (n < 14)
        return false;
    h.bfType = Le16(p);
    h.bfSize = Le32(p + 2);
    h.bfReserved1 = Le16(p + 6);
    h.bfReserved2 = Le16(p + 8);
    h.bfOffBits = Le32(p + 10);
    return true;
}

bool ParseBmpInfoHeader(const std::uint8_t* p, std::size_t n, BmpInfoHeader& h)
{
    if (n < 40)
        return false;
    h.biSize = Le32(p);
    h.biWidth = static_cast<std::int32_t>(Le32(p + 4));
    h.biHeight = static_cast<std::int32_t>(Le32(p + 8));
    h.biPlanes = Le16(p + 12);
    h.biBitCount = Le16(p + 14);
    h.biCompression = Le32(p + 16);
    h.biSizeImage = Le32(p + 20);
    h.biXPelsPerMeter = static_cast<std::int32_t>(Le32(p + 24));
    h.biYPelsPerMeter = static_cast<std::int32_t>(Le32(p + 28));
    h.biClrUsed = Le32(p + 32);
    h.biClrImportant = Le32(p + 36);
    return true;
}

void StoreBmpFileHeader(const BmpFileHeader& h, std::uint8_t out[14])
{
    St16(out, h.bfType);
    St32(out + 2, h.bfSize);
    St16(out + 6, h.bfReserved1);
    St16(out + 8, h.bfReserved2);
    St32(out + 10, h.bfOffBits);
}

void StoreBmpInfoHeader(const BmpInfoHeader& h, std::uint8_t out[40])
{
    St32(out, h.biSize);
    St32(out + 4, static_cast<std::uint32_t>(h.biWidth));
    St32(out + 8, static_cast<std::uint32_t>(h.biHeight));
    St16(out + 12, h.biPlanes);
    St16(out + 14, h.biBitCount);
    St32(out + 16, h.biCompression);
    St32(out + 20, h.biSizeImage);
    St32(out + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    St32(out + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    St32(out + 32, h.biClrUsed);
    St32(out + 36, h.biClrImportant);
}

void CBitmapUL::FreeMember()
{
    *this = CBitmapUL();
}

int CBitmapUL::BitCount() const
{
    if (!m_loaded)
        return 0;
    return m_headerKind == 1 ? m_infoHeader.biBitCount : m_coreHeader.bcBitCount;
}

int CBitmapUL::GetBitmapColorCount() const
{
    int bits = m_headerKind == 1 ? m_infoHeader.biBitCount : m_coreHeader.bcBitCount;
    if (m_headerKind == 1 && m_infoHeader.biClrUsed != 0)
        return m_infoHeader.biClrUsed > 256 ? -1 : static_cast<int>(m_infoHeader.biClrUsed);
    switch (bits) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int CBitmapUL::LoadBmpFile(const std::string& path)
{
    FreeMember();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return 0;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileLength)
        return 0;
    CBitmapUL b;
    b.m_fileLength = st.st_size;

    std::uint8_t head[14 + 40];
    if (b.m_fileLength < 14 + 12 || !ReadAt(fd.get(), 0, head, 18))
        return 0;
    ParseBmpFileHeader(head, 14, b.m_fileHeader);
    if (b.m_fileHeader.bfType != 0x4D42)
        return 0;
    std::uint32_t headerSize = Le32(head + 14);
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = BMP_RGB;
    if (headerSize == 40) {
        if (!ReadAt(fd.get(), 14, head + 14, 40))
            return 0;
        ParseBmpInfoHeader(head + 14, 40, b.m_infoHeader);
        b.m_headerKind = 1;
        b.m_width = b.m_infoHeader.biWidth;
        height = b.m_infoHeader.biHeight;
        bits = b.m_infoHeader.biBitCount;
        compression = b.m_infoHeader.biCompression;
    } else if (headerSize == 12) {
        if (!ReadAt(fd.get(), 14, head + 14, 12))
            return 0;
        b.m_coreHeader.bcSize = Le32(head + 14);
        b.m_coreHeader.bcWidth = Le16(head + 18);
        b.m_coreHeader.bcHeight = Le16(head + 20);
        b.m_coreHeader.bcPlanes = Le16(head + 22);
        b.m_coreHeader.bcBitCount = Le16(head + 24);
        b.m_headerKind = 0;
        b.m_width = b.m_coreHeader.bcWidth;
        height = b.m_coreHeader.bcHeight;
        bits = b.m_coreHeader.bcBitCount;
    } else {
        return 0;
    }

    // Only forms whose pixels we can place; everything else is refused before allocating.
    bool formOk = false;
    switch (compression) {
    case BMP_RGB:
        formOk = bits == 1 || bits == 4 || bits == 8 || bits == 24 || (b.m_headerKind == 1 && (bits == 16 || bits == 32));
        break;
    case BMP_RLE8:
        formOk = bits == 8 && height > 0;
        break;
    case BMP_RLE4:
        formOk = bits == 4 && height > 0;
        break;
    case BMP_BITFIELDS:
        formOk = bits == 16 || bits == 32;
        break;
    default:
        break;
    }
    if (!formOk)
        return 0;
    // A negative height stores the rows top-down.
    if (height < 0) {
        b.m_topDown = true;
        height = -height;
    }
    if (b.m_width <= 0 || height <= 0 || b.m_width > kMaxSide || height > kMaxSide
        || std::int64_t(b.m_width) * height > kMaxPixels)
        return 0;
    b.m_height = static_cast<int>(height);

    b.m_colorCount = b.GetBitmapColorCount();
    if (b.m_colorCount < 0)
        return 0;
    std::int64_t tablePos = 14 + headerSize;
    if (compression == BMP_BITFIELDS && b.m_headerKind == 1)
        b.m_maskSize = 12; // red, green and blue masks follow the 40-byte header
    b.m_colorTableSize = static_cast<std::size_t>(b.m_colorCount) * (b.m_headerKind == 1 ? 4 : 3);
    std::int64_t tableEnd = tablePos + static_cast<std::int64_t>(b.m_maskSize + b.m_colorTableSize);
    if (tableEnd > b.m_fileLength)
        return 0;

    b.m_info.resize(headerSize + b.m_maskSize + b.m_colorTableSize);
    if (!ReadAt(fd.get(), 14, b.m_info.data(), b.m_info.size()))
        return 0;
    if (b.m_colorCount > 0) {
        const std::uint8_t* t = b.m_info.data() + headerSize + b.m_maskSize;
        std::size_t step = b.m_headerKind == 1 ? 4 : 3;
        b.m_palette.entries.resize(b.m_colorCount);
        for (int i = 0; i < b.m_colorCount; ++i) {
            const std::uint8_t* e = t + i * step;
            b.m_palette.entries[i] = {e[2], e[1], e[0], 0};
        }
        b.m_hasPalette = true;
    }

    // The pixels start where the file header says, when that is plausible; else right after the table.
    std::int64_t pixelPos = tableEnd;
    if (b.m_fileHeader.bfOffBits >= tableEnd && b.m_fileHeader.bfOffBits < b.m_fileLength)
        pixelPos = b.m_fileHeader.bfOffBits;
    std::int64_t available = b.m_fileLength - pixelPos;
    std::int64_t pixelCount = std::int64_t(b.m_width) * b.m_height;
    if (compression == BMP_RGB || compression == BMP_BITFIELDS) {
        if (available < RowStride(bits, b.m_width) * b.m_height)
            return 0;
    } else if (available < 2 || pixelCount > available * 256 || pixelCount > kMaxRlePixels) {
        // A run covers at most 255 pixels per two bytes; more is a damaged header.
        return 0;
    }
    b.m_pixels.resize(static_cast<std::size_t>(available));
    if (!ReadAt(fd.get(), pixelPos, b.m_pixels.data(), b.m_pixels.size()))
        return 0;
    b.m_loaded = true;
    *this = std::move(b);
    return 1;
}

int CBitmapUL::GetBmpRect(CRectUL& rect) const
{
    if (!m_loaded)
        return 0;
    rect = {0, 0, m_width, m_height};
    return 1;
}

int CBitmapUL::RatePerPixel(CPointUL& rate) const
{
    if (!m_loaded)
        return 0;
    rate = {1, 1};
    // A pixel's width goes with the inverse of the horizontal resolution; a missing or
    // nonsensical resolution means square pixels.
    if (m_headerKind == 1 && m_infoHeader.biXPelsPerMeter > 0 && m_infoHeader.biYPelsPerMeter > 0)
        rate = {m_infoHeader.biYPelsPerMeter, m_infoHeader.biXPelsPerMeter};
    return 1;
}

CRectUL CBitmapUL::FitRect(CRectUL r, int fill, double dpiX, double dpiY) const
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    if (fill || !m_loaded)
        return r;
    double boxW = r.right - r.left, boxH = r.bottom - r.top;
    if (boxW <= 0 || boxH <= 0 || !(dpiX > 0) || !(dpiY > 0))
        return r;
    double picRatio = double(m_height) / m_width;
    if (m_headerKind == 1 && m_infoHeader.biXPelsPerMeter > 0 && m_infoHeader.biYPelsPerMeter > 0)
        picRatio = (double(m_height) / m_infoHeader.biYPelsPerMeter) / (double(m_width) / m_infoHeader.biXPelsPerMeter);
    double boxRatio = (boxH / dpiY) / (boxW / dpiX);
    auto roundHalfUp = [](double v) { return static_cast<int>(std::floor(v + 0.5)); };
    if (boxRatio > picRatio) {
        double newH = boxW / dpiX * picRatio * dpiY;
        int top = roundHalfUp(r.top + (boxH - newH) / 2);
        r.bottom = roundHalfUp(top + newH);
        r.top = top;
    } else if (boxRatio < picRatio) {
        double newW = boxH / dpiY / picRatio * dpiX;
        int left = roundHalfUp(r.left + (boxW - newW) / 2);
        r.right = roundHalfUp(left + newW);
        r.left = left;
    }
    return r;
}

int CBitmapUL::DrawBmp(CBmpDevice* device, CRectUL rect, int fill) const
{
    if (!m_loaded || !device)
        return 0;
    CRectUL r = FitRect(rect, fill, device->DpiX(), device->DpiY());
    CBmpPixels pixels;
    if (!GetPixels(pixels))
        return 0;
    return device->StretchPixels(pixels, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1) ? 1 : 0;
}

std::uint32_t CBitmapUL::TableColor(unsigned index) const
{
    if (index >= m_palette.entries.size())
        return 0xFF000000u;
    const CPaletteEntryUL& e = m_palette.entries[index];
    return 0xFF000000u | (std::uint32_t(e.red) << 16) | (std::uint32_t(e.green) << 8) | e.blue;
}

bool CBitmapUL::GetPixels(CBmpPixels& out) const
{
    out = CBmpPixels();
    if (!m_loaded)
        return false;
    const int w = m_width, h = m_height;
    const int bits = BitCount();
    const std::uint32_t compression = m_headerKind == 1 ? m_infoHeader.biCompression : BMP_RGB;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, TableColor(0));
    // File rows are bottom-up unless the height was negative.
    auto rowOf = [&](int fileRow) { return m_topDown ? fileRow : h - 1 - fileRow; };
    const std::uint8_t* data = m_pixels.data();
    const std::size_t size = m_pixels.size();

    if (compression == BMP_RLE8 || compression == BMP_RLE4) {
        int x = 0, y = 0;
        std::size_t i = 0;
        auto put = [&](unsigned index) {
            if (x < w && y < h)
                px[static_cast<std::size_t>(rowOf(y)) * w + x] = TableColor(index);
            ++x;
        };
        while (i + 1 < size && y < h) {
            unsigned count = data[i], value = data[i + 1];
            i += 2;
            if (count > 0) {
                for (unsigned k = 0; k < count; ++k)
                    put(compression == BMP_RLE8 ? value : (k % 2 == 0 ? value >> 4 : value & 15));
                continue;
            }
            if (value == 0) { // end of line
                x = 0;
                ++y;
            } else if (value == 1) { // end of bitmap
                break;
            } else if (value == 2) { // delta
                if (i + 1 >= size)
                    break;
                x += data[i];
                y += data[i + 1];
                i += 2;
            } else { // absolute run of value pixels, padded to 16 bits
                std::size_t bytes = compression == BMP_RLE8 ? value : (value + 1) / 2;
                if (i + bytes > size)
                    break;
                for (unsigned k = 0; k < value; ++k)
                    put(compression == BMP_RLE8 ? data[i + k] : (k % 2 == 0 ? data[i + k / 2] >> 4 : data[i + k / 2] & 15));
                i += bytes + (bytes & 1);
            }
        }
        out.width = w;
        out.height = h;
        out.argb = std::move(px);
        return true;
    }

    const std::int64_t stride = RowStride(bits, w);
    if (static_cast<std::int64_t>(size) < stride * h)
        return false;
    std::uint32_t rMask = 0x7C00, gMask = 0x03E0, bMask = 0x001F;
    if (bits == 32) {
        rMask = 0x00FF0000;
        gMask = 0x0000FF00;
        bMask = 0x000000FF;
    }
    if (compression == BMP_BITFIELDS && m_maskSize == 12) {
        const std::uint8_t* m = m_info.data() + 40;
        rMask = Le32(m);
        gMask = Le32(m + 4);
        bMask = Le32(m + 8);
    }
    for (int fy = 0; fy < h; ++fy) {
        const std::uint8_t* row = data + stride * fy;
        std::uint32_t* dst = px.data() + static_cast<std::size_t>(rowOf(fy)) * w;
        for (int x = 0; x < w; ++x) {
            std::uint32_t c;
            switch (bits) {
            case 1:
                c = TableColor((row[x >> 3] >> (7 - (x & 7))) & 1);
                break;
            case 4:
                c = TableColor((x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4);
                break;
            case 8:
                c = TableColor(row[x]);
                break;
            case 16:
            case 32: {
                std::uint32_t v = bits == 16 ? Le16(row + 2 * x) : Le32(row + 4 * x);
                c = 0xFF000000u | (Channel(v, rMask) << 16) | (Channel(v, gMask) << 8) | Channel(v, bMask);
                break;
            }
            default: // 24
                c = 0xFF000000u | (std::uint32_t(row[3 * x + 2]) << 16) | (std::uint32_t(row[3 * x + 1]) << 8)
                    | row[3 * x];
                break;
            }
            dst[x] = c;
        }
    }
    out.width = w;
    out.height = h;
    out.argb = std::move(px);
    return true;
}
