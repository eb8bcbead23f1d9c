#include "edit/LineProp.h"

#include "ardelib/SettingsStore.h"

#include <charconv>

namespace lineprop {
const std::array<int, kColours> kBaseColours = {
    0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x0080FF, 0x808080,
    0x0040C0, 0x00C0C0, 0xC000C0, 0xC00000, 0xFFFFFF, 0xC0C0FF, 0xC0FFC0, 0xC0FFFF, 0xFFC0C0,
    0xFFC0FF, 0xFFFFC0, 0xFF80FF, 0xC0C0C0, 0x8080FF, 0xE0E0E0, 0xFF8080, 0xC0C000};
// HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS, HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL.
const std::array<int, kHatches> kHatchStyles = {3, 4, 5, 2, 0, 1};
const std::array<int, kDirections> kDirectionDegrees = {0, 45, 90, 135, 180, 225, 270, 315};
const char* const kLineTypeNames[kLineTypes] = {"実線", "破線", "点線", "一点鎖線", "二点鎖線", "補助線(印刷無)"};
const char* const kEndPointNames[kEndPoints] = {"なし",  "始点←", "終点→",  "両方←→", "始点<-",
                                                "終点->", "両方<->", "始点●-", "終点-●", "両方●-●",
                                                "始点■-", "終点-■", "両方■-■"};
const char* const kArcFillNames[3] = {"扇形", "弦", "Ｒ壁"};
const char* const kEndSizeNames[5] = {"小", "普通", "やや大", "大", "極大"};
const char* const kDirectionNames[kDirections] = {"左から右へ", "左上から右下へ", "上から下へ", "右上から左下へ",
                                                  "右から左へ", "右下から左上へ", "下から上へ", "左下から右上へ"};

int SlotOfLayout(int layout) { return layout >= 1 && layout <= 4 ? layout : 0; }

bool ApplyColour(CStyleSlot& s, Target target, bool fillChecked, int colour)
{
    switch (target) {
    case Target::Line:
        s.m_color = colour;
        return true;
    case Target::Fill:
        if (!fillChecked)
            return false;
        s.m_nakaColor = colour;
        return true;
    case Target::Second:
        if (!fillChecked)
            return false;
        s.m_nakaColor2 = colour;
        return true;
    }
    return false;
}

int* ChooserTarget(CStyleSlot& s, Target target, bool fillChecked)
{
    if (target == Target::Line)
        return &s.m_color;
    return fillChecked ? &s.m_nakaColor : nullptr;
}

bool GradationOn(const CStyleSlot& s) { return s.m_gradiation % 100 == 1; }

void SetGradationOn(CStyleSlot& s, bool on) { s.m_gradiation = s.m_gradiation / 100 * 100 + (on ? 1 : 0); }

int GradationDirectionIndex(const CStyleSlot& s)
{
    for (int i = 0; i < kDirections; ++i)
        if (kDirectionDegrees[static_cast<std::size_t>(i)] == s.m_gradiation / 100)
            return i;
    return 0;
}

bool SetGradationDirection(CStyleSlot& s, int index)
{
    if (!GradationOn(s) || index < 0 || index >= kDirections)
        return false;
    s.m_gradiation = kDirectionDegrees[static_cast<std::size_t>(index)] * 100 + 1;
    return true;
}

bool SetOpacityText(CStyleSlot& s, const std::string& text)
{
    int v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < 0 || v > 100)
        return false;
    s.m_alpha = v;
    return true;
}

void CCustomColours::Load(const CSettingsStore& store)
{
    for (int i = 0; i < kColours; ++i) {
        const std::string text = store.GetString(kSection, "ln_orgcolor_" + std::to_string(i), "16777215");
        long v = 16777215;
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        (void)ptr;
        m_colours[static_cast<std::size_t>(i)] = ec == std::errc() && v >= 0 && v <= 0xFFFFFF ? static_cast<int>(v) : 16777215;
    }
    const int n = store.GetInt(kSection, "ln_orgcolor_cnt", 0);
    m_next = n >= 0 && n < kColours ? n : 0;
}

void CCustomColours::Add(CSettingsStore& store, int colour)
{
    const int n = m_next;
    m_colours[static_cast<std::size_t>(n)] = colour;
    store.WriteString(kSection, "ln_orgcolor_" + std::to_string(n), std::to_string(colour));
    m_next = n + 1 > kColours - 1 ? 0 : n + 1;
    store.WriteInt(kSection, "ln_orgcolor_cnt", m_next);
}

void CCustomColours::SetNext(CSettingsStore& store, int cell)
{
    if (cell < 0 || cell >= kColours)
        return;
    m_next = cell;
    store.WriteInt(kSection, "ln_orgcolor_cnt", cell);
}
} // namespace lineprop

#include "edit/ToolMode.h"

namespace lineprop {
int PanelLayoutOfMode(int mode)
{
    switch (static_cast<ToolMode>(mode)) {
    case ToolMode::Line: case ToolMode::Polyline: case ToolMode::Spline: case ToolMode::Bezier:
    case ToolMode::FreeCurve: case ToolMode::DoubleLine:
        return 0;
    case ToolMode::Rect: case ToolMode::RoundRect:
        return 1;
    case ToolMode::Polygon: case ToolMode::DoubleLinePolygon: case ToolMode::SmoothPolygon:
        return 2;
    case ToolMode::Circle: case ToolMode::Ellipse:
        return 3;
    case ToolMode::Arc: case ToolMode::ThreePointArc: case ToolMode::EllipticArc:
        return 4;
    default:
        return -1;
    }
}
} // namespace lineprop
