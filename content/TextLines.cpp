#include "content/TextLines.h"

#include "platform/Codec.h"

#include <string>

std::vector<std::string_view> CTextLines::Split(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string_view CTextLines::Cut(std::string_view text, std::size_t max)
{
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t len = cp932::CharLen(text, end);
        if (end + len > max)
            break;
        end += len;
    }
    return text.substr(0, end);
}

std::string CTextLines::StripBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out.push_back(c);
    return out;
}
