#pragma once
// Builds small BMP files byte by byte, so tests can state exactly what a header claims.
#include <cstdint>
#include <string>
#include <vector>

namespace bmpbuild {
struct Recipe {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::int32_t xPels = 0;
    std::int32_t yPels = 0;
    std::uint32_t headerSize = 40;
    int tableEntries = -1;        // -1: what the bit count and clrUsed call for
    std::int64_t pixelBytes = -1; // -1: exactly what the rows need
    std::uint32_t offBits = 0;    // 0: right after the table
    std::uint8_t fill = 0;        // value of every pixel byte
};

inline void Put16(std::string& s, std::uint16_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
inline void Put32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::int64_t Stride(int bits, std::int64_t width) { return ((bits * width + 31) / 32) * 4; }

// A table entry i is (blue i, green 2i, red 3i) modulo 256.
inline std::string Make(const Recipe& s)
{
    int entries = s.tableEntries;
    if (entries < 0)
        entries = s.clrUsed ? static_cast<int>(s.clrUsed) : s.bits == 1 ? 2 : s.bits == 4 ? 16 : s.bits == 8 ? 256 : 0;
    int entrySize = s.headerSize == 12 ? 3 : 4;
    std::int64_t height = s.height < 0 ? -std::int64_t(s.height) : s.height;
    std::int64_t pixels = s.pixelBytes >= 0 ? s.pixelBytes : Stride(s.bits, s.width) * height;
    std::uint32_t off = s.offBits ? s.offBits : 14 + s.headerSize + entries * entrySize;
    std::string f = "BM";
    Put32(f, static_cast<std::uint32_t>(off + pixels));
    Put32(f, 0);
    Put32(f, off);
    if (s.headerSize == 12) {
        Put32(f, 12);
        Put16(f, static_cast<std::uint16_t>(s.width));
        Put16(f, static_cast<std::uint16_t>(s.height));
        Put16(f, 1);
        Put16(f, s.bits);
    } else {
        Put32(f, s.headerSize);
        Put32(f, static_cast<std::uint32_t>(s.width));
        Put32(f, static_cast<std::uint32_t>(s.height));
        Put16(f, 1);
        Put16(f, s.bits);
        Put32(f, s.compression);
        Put32(f, 0);
        Put32(f, static_cast<std::uint32_t>(s.xPels));
        Put32(f, static_cast<std::uint32_t>(s.yPels));
        Put32(f, s.clrUsed);
        Put32(f, 0);
        for (std::uint32_t i = 40; i < s.headerSize; ++i)
            f.push_back(0);
    }
    for (int i = 0; i < entries; ++i) {
        f.push_back(static_cast<char>(i & 0xFF));
        f.push_back(static_cast<char>((2 * i) & 0xFF));
        f.push_back(static_cast<char>((3 * i) & 0xFF));
        if (entrySize == 4)
            f.push_back(0);
    }
    while (f.size() < off)
        f.push_back(0);
    f.append(static_cast<std::size_t>(pixels), static_cast<char>(s.fill));
    return f;
}

// A bottom-up 24-bit file from rows given top to bottom as 0xRRGGBB.
inline std::string Make24(int width, const std::vector<std::vector<std::uint32_t>>& rows)
{
    Recipe s;
    s.width = width;
    s.height = static_cast<std::int32_t>(rows.size());
    s.bits = 24;
    std::string f = Make(s);
    f.resize(54);
    std::int64_t stride = Stride(24, width);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        std::string row;
        for (std::uint32_t c : *it) {
            row.push_back(static_cast<char>(c & 0xFF));
            row.push_back(static_cast<char>((c >> 8) & 0xFF));
            row.push_back(static_cast<char>((c >> 16) & 0xFF));
        }
        row.resize(static_cast<std::size_t>(stride), 0);
        f += row;
    }
    return f;
}
} // namespace bmpbuild
