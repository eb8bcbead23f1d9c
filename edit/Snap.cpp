#include "edit/Snap.h"

#include "document/Grid.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kNearX = 13; // pixels: a candidate farther than this in x or y is not close
constexpr int kNearSum = 5;

double Nearest(double v, int pitch) { return std::round(v / pitch) * pitch; }
} // namespace

SnapPoint SnapToGrid(const CGrid& grid, const CDrawTransform& t, const GridSnapRule& rule, SnapPoint p)
{
    if (!grid.m_visible || !grid.m_kyutyaku || grid.m_w <= 0 || grid.m_d <= 0)
        return p;
    // A pitch that shows as less than a pixel would snap every point somewhere unseen.
    if (std::abs(t.LengthX(rule.group, grid.m_w)) < 1 || std::abs(t.LengthY(rule.group, grid.m_d)) < 1)
        return p;
    SnapPoint g;
    g.mm = {Nearest(p.mm.x, grid.m_w), Nearest(p.mm.y, grid.m_d)};
    g.px = t.ToDevice(rule.group, g.mm.x, g.mm.y);
    if (rule.allPita)
        return g;
    const int dx = std::abs(g.px.x() - p.px.x()), dy = std::abs(g.px.y() - p.px.y());
    if (dx < kNearX && dy < kNearX && dx + dy < kNearSum)
        return g;
    return p;
}

SnapPoint ConstrainOrthogonal(const CDrawTransform& t, int group, SnapPoint p, PelPoint ref)
{
    if (std::abs(p.mm.y - ref.y) > std::abs(p.mm.x - ref.x))
        p.mm.x = ref.x;
    else
        p.mm.y = ref.y;
    p.px = t.ToDevice(group, p.mm.x, p.mm.y);
    return p;
}
