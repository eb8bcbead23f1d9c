#include "edit/Grouping.h"

#include "document/PlotInfo.h"

#include <algorithm>
#include <cmath>
#include <limits>

void LineBox(const CPelLine& l, PelPoint& min, PelPoint& max)
{
    auto take = [&](PelPoint p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y)};
    };
    const bool round = l.m_type == CPelLine::Circle || l.m_type == CPelLine::Arc;
    if (round && !l.m_points.empty() && !l.m_params.empty()) {
        const PelPoint c = l.m_points[0];
        const double rx = std::abs(l.m_params[0]), ry = l.m_params.size() > 1 ? rx * std::abs(l.m_params[1]) : rx;
        take({c.x - rx, c.y - ry});
        take({c.x + rx, c.y + ry});
        return;
    }
    for (const PelPoint& p : l.m_points)
        take(p);
}

int GroupLines(CPelUnit& unit, const CPlotInfo& plot, const std::vector<int>& ids)
{
    const int id = unit.NextId(CPelUnit::KindGroup);
    if (id == 0)
        return 0;
    auto g = std::make_shared<CPelGroup>();
    g->m_id = id;
    g->m_layer1 = plot.m_layer.EditGroup();
    g->m_layer2 = plot.m_layer.EditLayer();
    constexpr double inf = std::numeric_limits<double>::infinity();
    PelPoint min{inf, inf}, max{-inf, -inf};
    for (int lineId : ids) {
        const int i = unit.IndexOfLine(lineId);
        if (i < 0)
            continue;
        CPelLine& l = PelEdit(unit.m_lines, static_cast<std::size_t>(i));
        l.m_groupId = id;
        LineBox(l, min, max);
        g->m_lineIds.push_back(lineId);
    }
    if (g->m_lineIds.empty())
        return 0;
    g->m_min = min;
    g->m_max = max;
    unit.m_groups.push_back(std::move(g));
    return id;
}

void RemoveLines(CPelUnit& unit, const std::vector<int>& ids)
{
    std::erase_if(unit.m_lines, [&](const auto& l) { return std::find(ids.begin(), ids.end(), l->m_id) != ids.end(); });
}
