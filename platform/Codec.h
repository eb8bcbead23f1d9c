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
} // namespace cp932
