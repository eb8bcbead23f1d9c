#pragma once
// The sheets a flyer can be laid out on, by the paper code of the plot settings.
#include <string_view>

struct PaperSheet {
    int code;
    int widthMm;
    int heightMm;
    // The series size: "A4", "B4" (the JIS B series), "postcard", "photo L", "card", "user".
    std::string_view series;
    bool landscape;
};

namespace paper {
constexpr int kCodeCount = 26;
constexpr int kUserCode = 11;
// The sheet of a new document, and the fallback for codes outside the table.
constexpr int kDefaultCode = 0;
// User sizes are taken when both sides lie in 1 … kUserMaxMm - 1.
constexpr int kUserMaxMm = 30000;

bool IsKnownCode(int code);
// The table entry of a known code; the user code comes back with size 0 × 0.
// Unknown codes give the entry of kDefaultCode.
const PaperSheet& Entry(int code);
// The sheet drawn for a code and the stored user size: an unknown code is drawn as
// kDefaultCode, a user size with a side outside the accepted range as 297 × 210.
PaperSheet Effective(int code, int userWidthMm, int userHeightMm);
} // namespace paper
