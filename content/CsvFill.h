#pragma once
// Filling the bound texts of a drawing from a CSV table: each text with a column
// takes the cell of its row and column, fitted by its mode (0 as it is, 1 shrink the
// letters to keep the width, 2 break into lines of the old width). The plan is
// computed first, so that a command takes its undo snapshot only when something
// changes, and then applied to the unit it was made for.
#include "content/CsvTable.h"
#include "content/TextChange.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CPelUnit;

class CCsvFill {
public:
    // The table row a text bound to row boundRow reads; the bound row itself when empty.
    using RowMap = std::function<long long(int boundRow)>;

    // The changes the table makes to unit's texts, in the unit's text order; texts
    // whose cell is not in the table, or that would not change, are left out. With
    // shortRowsEmpty a row that ends before a text's column gives that text an empty
    // cell (a batch must not leave one property's text on the next one's flyer).
    static std::vector<CTextChange> Plan(const CPelUnit& unit, const CCsvTable& table, const RowMap& rowOf = {},
                                         bool shortRowsEmpty = false);
    // The changes that undo changes on unit as it is now.
    static std::vector<CTextChange> Inverse(const CPelUnit& unit, const std::vector<CTextChange>& changes);
    // Applies changes to the texts they name; returns how many were found.
    static int Apply(CPelUnit& unit, const std::vector<CTextChange>& changes);

    // Fit mode 2: lines of at most width bytes, a double-byte character never split
    // and every line holding at least one character; breaks are CR LF.
    static std::string Wrap(std::string_view text, std::size_t width);
    // The longest line of text in bytes, line breaks not counted; at least 1.
    static std::size_t LongestLine(std::string_view text);
    // The largest MTextRow of a bound text; -1 when no text is bound.
    static int LargestBoundRow(const CPelUnit& unit);
    // A text is bound when it has a column and a row that can be in a table.
    static bool IsBound(int col, int row) { return col >= 0 && row >= 0; }
};
