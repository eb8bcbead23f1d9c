#include "content/TextList.h"

#include "document/PelUnit.h"

std::vector<int> CTextList::SortedIds(const CPelUnit& unit, int sort)
{
    std::vector<const CPelText*> order;
    order.reserve(unit.m_texts.size());
    for (const auto& t : unit.m_texts) {
        const CPelText* n = t.get();
        auto before = order.end();
        if (sort == FromLeft || sort == FromTop) {
            for (auto it = order.begin(); it != order.end(); ++it) {
                const CPelText* c = *it;
                // Along the sort axis first; near ties keep the one further down (or left) first.
                double along = sort == FromLeft ? c->m_point.x - n->m_point.x : c->m_point.y - n->m_point.y;
                bool tieKeeps = sort == FromLeft ? c->m_point.y > n->m_point.y : c->m_point.x < n->m_point.x;
                if (along > 0 && !(along < kTie && tieKeeps)) {
                    before = it;
                    break;
                }
            }
        }
        order.insert(before, n);
    }
    std::vector<int> ids;
    ids.reserve(order.size());
    for (const CPelText* t : order)
        ids.push_back(t->m_id);
    return ids;
}

void CTextList::Refill(const CPelUnit& unit, int sort)
{
    m_lines.clear();
    for (int id : SortedIds(unit, sort))
        m_lines.push_back({id, unit.m_texts[static_cast<std::size_t>(unit.IndexOfText(id))]->m_text});
}

int CTextList::LineOf(int textId) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].textId == textId)
            return static_cast<int>(i);
    return -1;
}

bool CTextList::Retype(CPelUnit& unit, std::size_t line, const std::string& text)
{
    if (line >= m_lines.size())
        return false;
    int i = unit.IndexOfText(m_lines[line].textId);
    if (i < 0)
        return false;
    unit.m_texts[static_cast<std::size_t>(i)]->m_text = text;
    m_lines[line].text = text;
    return true;
}
