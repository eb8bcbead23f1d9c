#include "edit/StylePitch.h"

#include <cmath>
#include <cstdlib>

namespace stylepitch {
namespace {
std::optional<double> Number(const std::string& text)
{
    const char* begin = text.c_str();
    while (*begin == ' ')
        ++begin;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    while (end && *end == ' ')
        ++end;
    if (end == begin || !end || *end != '\0' || !std::isfinite(v))
        return std::nullopt;
    return v;
}
} // namespace

std::optional<double> DashPitch(const std::string& text)
{
    std::optional<double> v = Number(text);
    if (!v || *v <= 0)
        return std::nullopt;
    return v;
}

double MarkerSize(const std::string& text, double previous)
{
    std::optional<double> v = Number(text);
    return v && *v > 0 && *v < 1000 ? *v : previous;
}
} // namespace stylepitch
