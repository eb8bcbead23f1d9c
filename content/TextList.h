#pragma once
// The lines of the text list window: every text of the drawing in the chosen order,
// each line naming its text by ID, so that an edit reaches the text it shows even
// after texts were added, deleted or undone (the window refills after every change).
#include <string>
#include <vector>

class CPelUnit;

class CTextList {
public:
    // textall_listsort: 1 creation order, 2 from the left, 3 from the top.
    enum Sort { Creation = 1, FromLeft = 2, FromTop = 3 };
    // Texts closer than this (mm) along the sort axis are ordered by the other axis.
    static constexpr double kTie = 5.0;

    struct Line {
        int textId = 0;
        std::string text; // code page 932
    };

    // The text IDs of unit in the order of sort (values other than 2 and 3 count as 1).
    static std::vector<int> SortedIds(const CPelUnit& unit, int sort);

    void Refill(const CPelUnit& unit, int sort);
    const std::vector<Line>& Lines() const { return m_lines; }
    // The line of the text with this ID, -1 when it is not listed.
    int LineOf(int textId) const;
    // The retyped string of line becomes its text's string. False when the line or its
    // text is gone: nothing changes then, and the list should be refilled.
    bool Retype(CPelUnit& unit, std::size_t line, const std::string& text);

private:
    std::vector<Line> m_lines;
};
