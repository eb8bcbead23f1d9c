#pragma once
// Record texts are code page 932 bytes; they become Unicode only where they are
// shown, drawn, typed or printed.
#include <QString>
#include <string>
#include <string_view>

namespace cp932 {
QString ToQString(std::string_view bytes);
std::string ToUtf8(std::string_view bytes);
// False (and out untouched) when text holds a character code page 932 cannot hold.
bool FromQString(const QString& text, std::string& out);
bool FromUtf8(std::string_view utf8, std::string& out);
// For literals of the program's own that are known to fit.
std::string Lit(std::string_view utf8);
// The first byte of a double-byte character.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }
// The length in bytes of the character that starts at text[i] (a lead byte at the end counts 1).
inline std::size_t CharLen(std::string_view text, std::size_t i)
{
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}
} // namespace cp932
