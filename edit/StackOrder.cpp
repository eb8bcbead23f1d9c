#include "edit/StackOrder.h"

#include <algorithm>

namespace {
template <class T>
bool MoveTo(PelList<T>& list, int id, bool toTop)
{
    const int i = PelIndexOf(list, id);
    if (i < 0 || (toTop && i + 1 == static_cast<int>(list.size())) || (!toTop && i == 0))
        return false;
    auto it = list.begin() + i;
    if (toTop)
        std::rotate(it, it + 1, list.end());
    else
        std::rotate(list.begin(), it, it + 1);
    return true;
}
} // namespace

bool RestackSelection(CPelUnit& unit, const CSelection& sel, bool toTop)
{
    if (!sel.lines.empty())
        return MoveTo(unit.m_lines, sel.lines.front(), toTop);
    if (sel.groups.empty())
        return false;
    const int gi = unit.IndexOfGroup(sel.groups.front());
    if (gi < 0)
        return false;
    std::vector<int> members = unit.m_groups[static_cast<std::size_t>(gi)]->m_lineIds;
    bool moved = MoveTo(unit.m_groups, sel.groups.front(), toTop);
    // The members keep their order among themselves.
    std::stable_sort(members.begin(), members.end(),
                     [&](int a, int b) { return unit.IndexOfLine(a) < unit.IndexOfLine(b); });
    if (!toTop)
        std::reverse(members.begin(), members.end());
    for (int id : members)
        moved = MoveTo(unit.m_lines, id, toTop) || moved;
    return moved;
}
