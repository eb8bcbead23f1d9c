#pragma once
// Lines of the user's text files: CR LF, LF or a lone CR ends a line, and a last line
// without a break is still a line.
#include <string>
#include <string_view>
#include <vector>

class CTextLines {
public:
    static std::vector<std::string_view> Split(std::string_view text);
    // The longest start of text of at most max bytes that ends on a character boundary
    // (code page 932).
    static std::string_view Cut(std::string_view text, std::size_t max);
    // text without its CR and LF bytes.
    static std::string StripBreaks(std::string_view text);
};
