#include "edit/GroupTransform.h"

#include "edit/Grouping.h"
#include "edit/SelectionEdit.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {
CPelGroup* Group(CPelUnit& unit, int id)
{
    const int i = unit.IndexOfGroup(id);
    return i < 0 ? nullptr : &PelEdit(unit.m_groups, static_cast<std::size_t>(i));
}

void Rebox(CPelUnit& unit, CPelGroup& g)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    PelPoint min{inf, inf}, max{-inf, -inf};
    MemberBox(unit, g, min, max);
    if (min.x <= max.x) {
        g.m_min = min;
        g.m_max = max;
    }
}

void SwapArcEnds(CPelLine& l)
{
    // An arc keeps its side: its ends change places.
    if (l.m_type == CPelLine::Arc && l.m_points.size() >= 3)
        std::swap(l.m_points[1], l.m_points[2]);
}
} // namespace

bool MirrorGroup(CPelUnit& unit, int groupId, bool leftRight)
{
    CPelGroup* g = Group(unit, groupId);
    if (!g)
        return false;
    const double sx = g->m_min.x + g->m_max.x, sy = g->m_min.y + g->m_max.y;
    MapGroup(
        unit, groupId,
        [&](PelPoint p) { return leftRight ? PelPoint{sx - p.x, p.y} : PelPoint{p.x, sy - p.y}; }, SwapArcEnds);
    return true;
}

bool RotateGroup90(CPelUnit& unit, int groupId, int step)
{
    if (step != 90 && step != 180 && step != 270)
        return false;
    CPelGroup* g = Group(unit, groupId);
    if (!g)
        return false;
    // About the box's centre, which a quarter turn keeps: four turns give the start back.
    const double cx = (g->m_min.x + g->m_max.x) / 2, cy = (g->m_min.y + g->m_max.y) / 2;
    auto turn = [&](PelPoint p) {
        const double dx = p.x - cx, dy = p.y - cy;
        switch (step) {
        case 90: return PelPoint{cx + dy, cy - dx};
        case 180: return PelPoint{cx - dx, cy - dy};
        default: return PelPoint{cx - dy, cy + dx};
        }
    };
    auto ellipse = [&](CPelLine& l) {
        const bool round = l.m_type == CPelLine::Circle || l.m_type == CPelLine::Arc;
        if (step != 180 && round && l.m_params.size() >= 2 && l.m_params[1] != 0) {
            l.m_params[0] *= std::abs(l.m_params[1]);
            l.m_params[1] = 1 / l.m_params[1];
        }
    };
    auto text = [&](CPelText& t) { t.m_font.m_lfEscapement = (t.m_font.m_lfEscapement + 10 * step) % 3600; };
    MapGroup(unit, groupId, turn, ellipse, text);
    g = Group(unit, groupId);
    g->m_angle = std::fmod(g->m_angle + step, 360.0);
    Rebox(unit, *g);
    return true;
}
