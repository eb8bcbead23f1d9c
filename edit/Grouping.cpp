#include "edit/Grouping.h"

#include "ardelib/Message.h"
#include "document/PlotInfo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

void Take(PelPoint p, PelPoint& min, PelPoint& max)
{
    min = {std::min(min.x, p.x), std::min(min.y, p.y)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y)};
}

template <class T>
void SetGroup(PelList<T>& list, const std::vector<int>& ids, int group)
{
    for (int id : ids)
        if (int i = PelIndexOf(list, id); i >= 0)
            PelEdit(list, static_cast<std::size_t>(i)).m_groupId = group;
}

// A group record on the edit layers with these members, its box around them.
int MakeGroup(CPelUnit& unit, const CPlotInfo& plot, const CSelection& members)
{
    auto g = std::make_shared<CPelGroup>();
    for (int id : members.lines)
        if (unit.IndexOfLine(id) >= 0)
            g->m_lineIds.push_back(id);
    for (int id : members.walls)
        if (unit.IndexOfWall(id) >= 0)
            g->m_wallIds.push_back(id);
    for (int id : members.texts)
        if (unit.IndexOfText(id) >= 0)
            g->m_textIds.push_back(id);
    if (g->m_lineIds.empty() && g->m_wallIds.empty() && g->m_textIds.empty())
        return 0;
    const int id = unit.NextId(CPelUnit::KindGroup);
    if (id == 0)
        return 0;
    g->m_id = id;
    g->m_layer1 = plot.m_layer.EditGroup();
    g->m_layer2 = plot.m_layer.EditLayer();
    SetGroup(unit.m_lines, g->m_lineIds, id);
    SetGroup(unit.m_walls, g->m_wallIds, id);
    SetGroup(unit.m_texts, g->m_textIds, id);
    PelPoint min{kInf, kInf}, max{-kInf, -kInf};
    MemberBox(unit, *g, min, max);
    g->m_min = min;
    g->m_max = max;
    unit.m_groups.push_back(std::move(g));
    return id;
}
} // namespace

void LineBox(const CPelLine& l, PelPoint& min, PelPoint& max)
{
    const bool round = l.m_type == CPelLine::Circle || l.m_type == CPelLine::Arc;
    if (round && !l.m_points.empty() && !l.m_params.empty()) {
        const PelPoint c = l.m_points[0];
        const double rx = std::abs(l.m_params[0]), ry = l.m_params.size() > 1 ? rx * std::abs(l.m_params[1]) : rx;
        Take({c.x - rx, c.y - ry}, min, max);
        Take({c.x + rx, c.y + ry}, min, max);
        return;
    }
    for (const PelPoint& p : l.m_points)
        Take(p, min, max);
}

void MemberBox(const CPelUnit& unit, const CPelGroup& g, PelPoint& min, PelPoint& max)
{
    for (int id : g.m_lineIds)
        if (int i = unit.IndexOfLine(id); i >= 0)
            LineBox(*unit.m_lines[static_cast<std::size_t>(i)], min, max);
    for (int id : g.m_wallIds)
        if (int i = unit.IndexOfWall(id); i >= 0) {
            const CPelWall& w = *unit.m_walls[static_cast<std::size_t>(i)];
            Take(w.m_a, min, max);
            Take(w.m_b, min, max);
        }
    for (int id : g.m_textIds)
        if (int i = unit.IndexOfText(id); i >= 0)
            Take(unit.m_texts[static_cast<std::size_t>(i)]->m_point, min, max);
}

int GroupLines(CPelUnit& unit, const CPlotInfo& plot, const std::vector<int>& ids)
{
    CSelection members;
    members.lines = ids;
    return MakeGroup(unit, plot, members);
}

void RemoveLines(CPelUnit& unit, const std::vector<int>& ids)
{
    std::erase_if(unit.m_lines, [&](const auto& l) { return std::find(ids.begin(), ids.end(), l->m_id) != ids.end(); });
}

int GroupSelection(CPelUnit& unit, const CPlotInfo& plot, CSelection& sel)
{
    if (!sel.groups.empty()) {
        ShowMessage("選択物の中にグループがあるとグループ化できません。\nグループ化解除を行ってから選択しなおしてください");
        return 0;
    }
    if (!sel.pictures.empty()) {
        ShowMessage("選択物の中に画像があるとグループ化できません。");
        return 0;
    }
    const bool onlyDimensions =
        sel.walls.empty() && sel.texts.empty() && std::all_of(sel.lines.begin(), sel.lines.end(), [&](int id) {
            const int i = unit.IndexOfLine(id);
            return i < 0 || unit.m_lines[static_cast<std::size_t>(i)]->m_type == CPelLine::Dimension;
        });
    if (onlyDimensions)
        return 0;
    const int id = MakeGroup(unit, plot, sel);
    if (id != 0) {
        sel.Clear();
        sel.groups.push_back(id);
    }
    return id;
}

int UngroupSelection(CPelUnit& unit, CSelection& sel)
{
    int n = 0;
    for (int id : sel.groups) {
        const int i = unit.IndexOfGroup(id);
        if (i < 0)
            continue;
        const auto g = unit.m_groups[static_cast<std::size_t>(i)];
        SetGroup(unit.m_lines, g->m_lineIds, 0);
        SetGroup(unit.m_walls, g->m_wallIds, 0);
        SetGroup(unit.m_texts, g->m_textIds, 0);
        unit.m_groups.erase(unit.m_groups.begin() + i);
        ++n;
    }
    sel.Clear();
    return n;
}
