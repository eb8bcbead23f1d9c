#include "document/Paper.h"

namespace {
constexpr PaperSheet kTable[paper::kCodeCount] = {
    {0, 297, 210, "A4", true},         {1, 364, 257, "B4", true},        {2, 420, 297, "A3", true},
    {3, 594, 420, "A2", true},         {4, 841, 594, "A1", true},        {5, 257, 182, "B5", true},
    {6, 210, 297, "A4", false},        {7, 182, 257, "B5", false},       {8, 100, 148, "postcard", false},
    {9, 297, 420, "A3", false},        {10, 257, 364, "B4", false},      {11, 0, 0, "user", true},
    {12, 210, 148, "A5", true},        {13, 148, 210, "A5", false},      {14, 1030, 728, "B1", true},
    {15, 728, 1030, "B1", false},      {16, 728, 515, "B2", true},       {17, 515, 728, "B2", false},
    {18, 515, 364, "B3", true},        {19, 364, 515, "B3", false},      {20, 594, 841, "A1", false},
    {21, 420, 594, "A2", false},       {22, 148, 100, "postcard", true}, {23, 127, 89, "photo L", true},
    {24, 89, 127, "photo L", false},   {25, 91, 55, "card", true},
};
} // namespace

bool paper::IsKnownCode(int code) { return code >= 0 && code < kCodeCount; }

const PaperSheet& paper::Entry(int code) { return kTable[IsKnownCode(code) ? code : kDefaultCode]; }

PaperSheet paper::Effective(int code, int userWidthMm, int userHeightMm)
{
    PaperSheet sheet = Entry(code);
    if (sheet.code != kUserCode)
        return sheet;
    auto ok = [](int mm) { return mm > 0 && mm < kUserMaxMm; };
    if (ok(userWidthMm) && ok(userHeightMm)) {
        sheet.widthMm = userWidthMm;
        sheet.heightMm = userHeightMm;
    } else {
        sheet.widthMm = 297;
        sheet.heightMm = 210;
    }
    sheet.landscape = sheet.widthMm >= sheet.heightMm;
    return sheet;
}
