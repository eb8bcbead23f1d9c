#pragma once
// The rules of the style-table dialogs for typed values, without their widgets.
#include <optional>
#include <string>

namespace stylepitch {
// A dash pitch: a number above 0 (the dash walker needs a length to step by).
std::optional<double> DashPitch(const std::string& text);
// An end-marker size: taken only when 0 < value < 1000, otherwise the previous one stays.
double MarkerSize(const std::string& text, double previous);
} // namespace stylepitch
