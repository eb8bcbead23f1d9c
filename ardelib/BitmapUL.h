#pragma once
// An uncompressed device-independent bitmap loaded from a BMP file: headers,
// colour table, palette and the pixel bytes as stored. Drawing hands a decoded
// pixel buffer to a device supplied by the caller.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#pragma pack(push, 1)
struct BmpFileHeader {
    std::uint16_t bfType = 0;
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;
};
struct BmpInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
struct BmpCoreHeader {
    std::uint32_t bcSize = 0;
    std::uint16_t bcWidth = 0;
    std::uint16_t bcHeight = 0;
    std::uint16_t bcPlanes = 0;
    std::uint16_t bcBitCount = 0;
};
#pragma pack(pop)
static_assert(sizeof(BmpFileHeader) == 14 && sizeof(BmpInfoHeader) == 40 && sizeof(BmpCoreHeader) == 12);

// Header fields are little-endian in files; these read and write them portably.
bool ParseBmpFileHeader(const std::uint8_t* p, std::size_t n, BmpFileHeader& out);
bool ParseBmpInfoHeader(const std::uint8_t* p, std::size_t n, BmpInfoHeader& out);
void StoreBmpFileHeader(const BmpFileHeader& h, std::uint8_t out[14]);
void StoreBmpInfoHeader(const BmpInfoHeader& h, std::uint8_t out[40]);

enum : std::uint32_t { BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3 };

struct CRectUL {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct CPointUL {
    long x = 0, y = 0;
};
struct CPaletteEntryUL {
    std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
};
struct CLogPaletteUL {
    std::uint16_t version = 0x300;
    std::vector<CPaletteEntryUL> entries;
};

// Decoded pixels, rows top to bottom, each pixel 0xFFRRGGBB.
struct CBmpPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
};

// Where DrawBmp puts the picture: the device's resolution, and a stretch of the
// whole bitmap into a rectangle of device pixels.
class CBmpDevice {
public:
    virtual ~CBmpDevice() = default;
    virtual double DpiX() const = 0;
    virtual double DpiY() const = 0;
    virtual bool StretchPixels(const CBmpPixels& pixels, int x, int y, int width, int height) = 0;
};

class CBitmapUL {
public:
    // Beyond these a header is taken for damaged rather than allocated.
    static constexpr std::int64_t kMaxSide = 65535;
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 27;
    static constexpr std::int64_t kMaxFileLength = std::int64_t(1) << 30;
    // Run-length pictures expand far beyond their bytes; they were only ever small.
    static constexpr std::int64_t kMaxRlePixels = std::int64_t(1) << 24;

    CBitmapUL() = default;
    virtual ~CBitmapUL() = default;
    // Copies are deep: each owns its pixels, headers and palette.
    CBitmapUL(const CBitmapUL&) = default;
    CBitmapUL& operator=(const CBitmapUL&) = default;
    CBitmapUL(CBitmapUL&&) noexcept = default;
    CBitmapUL& operator=(CBitmapUL&&) noexcept = default;

    // 1 when loaded; 0 otherwise, the object then being empty.
    int LoadBmpFile(const std::string& path);
    // 1 when drawn; 0 when nothing is loaded, no device is given or it failed.
    int DrawBmp(CBmpDevice* device, CRectUL rect, int fill) const;
    // The area of rect the picture fills: rect itself when fill is non-zero, else the
    // largest centred part with the picture's proportions (device resolution dpiX, dpiY).
    CRectUL FitRect(CRectUL rect, int fill, double dpiX, double dpiY) const;
    int GetBmpRect(CRectUL& rect) const;
    const CLogPaletteUL* GetBmpPalette() const { return m_hasPalette ? &m_palette : nullptr; }
    int RatePerPixel(CPointUL& rate) const;
    // Decodes the pixels (any bit count, run-length forms too); false when not loaded
    // or the pixel bytes do not describe the picture.
    bool GetPixels(CBmpPixels& out) const;

    bool IsLoaded() const { return m_loaded; }
    int Width() const { return m_width; }
    // Rows; a top-down file is not distinguished here.
    int Height() const { return m_height; }
    bool IsTopDown() const { return m_topDown; }
    int HeaderKind() const { return m_headerKind; }
    int ColorCount() const { return m_colorCount; }
    std::size_t ColorTableSize() const { return m_colorTableSize; }
    std::int64_t FileLength() const { return m_fileLength; }
    const BmpFileHeader& FileHeader() const { return m_fileHeader; }
    const BmpInfoHeader& InfoHeader() const { return m_infoHeader; }
    const BmpCoreHeader& CoreHeader() const { return m_coreHeader; }
    int BitCount() const;
    const std::vector<std::uint8_t>& PixelBytes() const { return m_pixels; }
    // The info header followed by the colour table, as stored.
    const std::vector<std::uint8_t>& InfoBytes() const { return m_info; }

protected:
    void FreeMember();
    int GetBitmapColorCount() const;
    // The colour of a table index as 0xFFRRGGBB (black beyond the table).
    std::uint32_t TableColor(unsigned index) const;

private:
    bool m_loaded = false;
    CLogPaletteUL m_palette;
    bool m_hasPalette = false;
    std::vector<std::uint8_t> m_pixels;
    std::vector<std::uint8_t> m_info;
    BmpFileHeader m_fileHeader;
    BmpInfoHeader m_infoHeader;
    BmpCoreHeader m_coreHeader;
    int m_headerKind = 0;
    int m_colorCount = 0;
    std::size_t m_colorTableSize = 0;
    std::size_t m_maskSize = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    std::int64_t m_fileLength = 0;
};
