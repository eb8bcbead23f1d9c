#pragma once
// A record text as one value line: a line break would end the value and turn the
// rest into a line of its own, so the text is cut before the first one.
#include <string_view>

inline std::string_view OneLine(std::string_view text)
{
    auto end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

#include <charconv>
#include <string>

// A real as the settings store keeps it: six decimals, whatever the user's locale.
inline std::string SettingReal(double value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (res.ec != std::errc())
        return "0.000000";
    return std::string(buf, res.ptr);
}
