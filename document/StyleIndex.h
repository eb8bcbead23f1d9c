#pragma once
// Style numbers read from files index fixed tables (width classes, marker sizes,
// patterns, hatches, map-object widths). Whatever a file holds, these give an index
// that stays inside its table; drawing uses them rather than the raw numbers.
#include <algorithm>
#include <cmath>

namespace styleidx {
// Line types 0 solid … 4 two-dot chain, 5 auxiliary line.
constexpr int kLineTypeCount = 6;
// Width classes 1 to 10.
constexpr int kLineWideMin = 1;
constexpr int kLineWideMax = 10;
// Marker size classes 0 to 4.
constexpr int kYaWideCount = 5;
// End markers 0 none … 12 squares at both ends.
constexpr int kTantenCount = 13;
// Tile patterns 0 none, 1 to 8.
constexpr int kPatternCount = 9;
// Hatch styles 0 to 5.
constexpr int kHachTypeCount = 6;
constexpr int kHachTypeDefault = 3;
// Map-object width classes 0 to 4.
constexpr int kObjWideCount = 5;

inline bool IsValidLineType(int v) { return v >= 0 && v < kLineTypeCount; }
inline bool IsValidLineWide(int v) { return v >= kLineWideMin && v <= kLineWideMax; }
inline bool IsValidYaWide(int v) { return v >= 0 && v < kYaWideCount; }
inline bool IsValidTanten(int v) { return v >= 0 && v < kTantenCount; }
inline bool IsValidPattern(int v) { return v >= 0 && v < kPatternCount; }
inline bool IsValidHachType(int v) { return v >= 0 && v < kHachTypeCount; }
inline bool IsValidObjWide(int v) { return v >= 0 && v < kObjWideCount; }

// Ordered scales are clamped to the nearest end; kinds without an order fall back
// to their default (solid line, no marker, no pattern, the default hatch).
inline int SafeLineType(int v) { return IsValidLineType(v) ? v : 0; }
inline int SafeLineWide(int v) { return std::clamp(v, kLineWideMin, kLineWideMax); }
inline int SafeYaWide(int v) { return std::clamp(v, 0, kYaWideCount - 1); }
inline int SafeTanten(int v) { return IsValidTanten(v) ? v : 0; }
inline int SafePattern(int v) { return IsValidPattern(v) ? v : 0; }
inline int SafeHachType(int v) { return IsValidHachType(v) ? v : kHachTypeDefault; }
inline int SafeObjWide(int v) { return std::clamp(v, 0, kObjWideCount - 1); }
inline int SafeAlpha(int v) { return std::clamp(v, 0, 100); }

// A real that drawing may multiply by scales and zoom without leaving the range of
// device integers: not a number gives 0, the rest is held within [lo, hi].
inline double SaneReal(double v, double lo, double hi)
{
    if (std::isnan(v))
        return 0.0;
    return std::clamp(v, lo, hi);
}
// Lengths on the printed sheet (pitches, widths, letter heights), millimetres.
constexpr double kMaxPrintedMm = 10000.0;
// Reals read from files and settings are held within ± this, so that no later
// product of scales, zoom and resolution overflows.
constexpr double kMaxFileReal = 1.0e6;
inline double SaneFileReal(double v) { return SaneReal(v, -kMaxFileReal, kMaxFileReal); }
} // namespace styleidx
