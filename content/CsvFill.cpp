#include "content/CsvFill.h"

#include "document/PelUnit.h"
#include "platform/Codec.h"

#include <algorithm>

std::size_t CCsvFill::LongestLine(std::string_view text)
{
    std::size_t longest = 0, cur = 0;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            cur = 0;
            continue;
        }
        longest = std::max(longest, ++cur);
    }
    return std::max<std::size_t>(longest, 1);
}

std::string CCsvFill::Wrap(std::string_view text, std::size_t width)
{
    std::string out;
    out.reserve(text.size() + text.size() / std::max<std::size_t>(width, 1) * 2 + 2);
    std::size_t cur = 0;
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            out.append("\r\n");
            cur = 0;
            continue;
        }
        std::size_t len = cp932::CharLen(text, i);
        if (cur > 0 && cur + len > width) {
            out.append("\r\n");
            cur = 0;
        }
        out.append(text.substr(i, len));
        cur += len;
        i += len;
    }
    return out;
}

int CCsvFill::LargestBoundRow(const CPelUnit& unit)
{
    int largest = -1;
    for (const auto& t : unit.m_texts)
        if (IsBound(t->m_csvCol, t->m_csvRow))
            largest = std::max(largest, t->m_csvRow);
    return largest;
}

std::vector<CTextChange> CCsvFill::Plan(const CPelUnit& unit, const CCsvTable& table, const RowMap& rowOf,
                                        bool shortRowsEmpty)
{
    static const std::string empty;
    std::vector<CTextChange> changes;
    for (const auto& t : unit.m_texts) {
        // A column or row a file holds negative or past any table is no binding.
        if (!IsBound(t->m_csvCol, t->m_csvRow))
            continue;
        long long row = rowOf ? rowOf(t->m_csvRow) : t->m_csvRow;
        const std::string* cell = table.Cell(row, t->m_csvCol);
        if (!cell && shortRowsEmpty && table.Cell(row, 0))
            cell = &empty;
        if (!cell)
            continue;
        CTextChange change{t->m_id, *cell, t->m_font.m_size};
        const std::size_t oldLen = t->m_text.size(), newLen = cell->size();
        if (t->m_csvFlg == 1) {
            if (newLen > oldLen)
                change.size *= (oldLen ? static_cast<double>(oldLen) : 1.0) / static_cast<double>(newLen);
        } else if (t->m_csvFlg == 2) {
            change.text = Wrap(*cell, LongestLine(t->m_text));
        }
        if (change.text != t->m_text || change.size != t->m_font.m_size)
            changes.push_back(std::move(change));
    }
    return changes;
}

std::vector<CTextChange> CCsvFill::Inverse(const CPelUnit& unit, const std::vector<CTextChange>& changes)
{
    std::vector<CTextChange> back;
    back.reserve(changes.size());
    for (const CTextChange& c : changes) {
        int i = unit.IndexOfText(c.textId);
        if (i >= 0) {
            const CPelText& t = *unit.m_texts[static_cast<std::size_t>(i)];
            back.push_back({c.textId, t.m_text, t.m_font.m_size});
        }
    }
    return back;
}

int CCsvFill::Apply(CPelUnit& unit, const std::vector<CTextChange>& changes)
{
    int applied = 0;
    for (const CTextChange& c : changes) {
        int i = unit.IndexOfText(c.textId);
        if (i < 0)
            continue;
        CPelText& t = *unit.m_texts[static_cast<std::size_t>(i)];
        t.m_text = c.text;
        t.m_font.m_size = c.size;
        ++applied;
    }
    return applied;
}
