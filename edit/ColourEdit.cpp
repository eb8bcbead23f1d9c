#include "edit/ColourEdit.h"

#include <functional>

namespace {
constexpr int kWhiteFill = 16777215;

// Every target line and text, each made the unit's own only when f changes it.
int ForTargets(CPelUnit& unit, const CSelection& sel, const std::function<bool(const CPelLine&)>& changesLine,
               const std::function<void(CPelLine&)>& line, const std::function<bool(const CPelText&)>& changesText = {},
               const std::function<void(CPelText&)>& text = {})
{
    std::vector<int> lines = sel.lines, texts = sel.texts;
    for (int g : sel.groups)
        if (int i = unit.IndexOfGroup(g); i >= 0) {
            const CPelGroup& grp = *unit.m_groups[static_cast<std::size_t>(i)];
            lines.insert(lines.end(), grp.m_lineIds.begin(), grp.m_lineIds.end());
            texts.insert(texts.end(), grp.m_textIds.begin(), grp.m_textIds.end());
        }
    int n = 0;
    for (int id : lines)
        if (int i = unit.IndexOfLine(id); i >= 0 && changesLine(*unit.m_lines[static_cast<std::size_t>(i)])) {
            line(PelEdit(unit.m_lines, static_cast<std::size_t>(i)));
            ++n;
        }
    if (text)
        for (int id : texts)
            if (int i = unit.IndexOfText(id); i >= 0 && changesText(*unit.m_texts[static_cast<std::size_t>(i)])) {
                text(PelEdit(unit.m_texts, static_cast<std::size_t>(i)));
                ++n;
            }
    return n;
}
} // namespace

int ChangeColour(CPelUnit& unit, const CSelection& sel, ColourTarget target, int colour, bool whiteToo)
{
    switch (target) {
    case ColourTarget::Outline:
        return ForTargets(
            unit, sel, [&](const CPelLine& l) { return l.m_color != colour; }, [&](CPelLine& l) { l.m_color = colour; },
            [&](const CPelText& t) { return t.m_font.m_color != colour; },
            [&](CPelText& t) { t.m_font.m_color = colour; });
    case ColourTarget::Fill:
        return ForTargets(
            unit, sel,
            [&](const CPelLine& l) {
                return l.m_fill == 1 && l.m_fillColor != colour && (whiteToo || (l.m_fillColor & 0xffffff) != kWhiteFill);
            },
            [&](CPelLine& l) { l.m_fillColor = colour; });
    case ColourTarget::Unfilled:
        return ForTargets(
            unit, sel, [](const CPelLine& l) { return l.m_fill != 1; },
            [&](CPelLine& l) {
                l.m_fill = 1;
                l.m_fillColor = colour;
            });
    }
    return 0;
}

int RemoveFill(CPelUnit& unit, const CSelection& sel)
{
    return ForTargets(unit, sel, [](const CPelLine& l) { return l.m_fill != 0; }, [](CPelLine& l) { l.m_fill = 0; });
}

int StartColour(const CPelUnit& unit, const CSelection& sel, ColourTarget target)
{
    if (sel.Count() != 1)
        return 0;
    if (sel.lines.size() == 1)
        if (int i = unit.IndexOfLine(sel.lines[0]); i >= 0) {
            const CPelLine& l = *unit.m_lines[static_cast<std::size_t>(i)];
            if (target == ColourTarget::Outline)
                return l.m_color;
            return l.m_fill == 1 ? l.m_fillColor : 0;
        }
    if (target == ColourTarget::Outline && sel.texts.size() == 1)
        if (int i = unit.IndexOfText(sel.texts[0]); i >= 0)
            return unit.m_texts[static_cast<std::size_t>(i)]->m_font.m_color;
    return 0;
}
