#include "content/PageSetup.h"

#include <cmath>

namespace pagesetup {
namespace {
// Sheet codes by entry: portrait, landscape.
constexpr int kCodes[13][2] = {
    {20, 4}, {21, 3}, {9, 2}, {6, 0}, {13, 12}, {15, 14}, {17, 16}, {19, 18}, {10, 1}, {7, 5}, {8, 22}, {24, 23}, {11, 11},
};
} // namespace

const std::vector<std::string>& Entries()
{
    static const std::vector<std::string> kEntries = {"A1", "A2", "A3", "A4", "A5", "B1", "B2", "B3", "B4", "B5",
                                                      "ハガキ", "写真Ｌ判", "ユーザー設定..."};
    return kEntries;
}

Choice ChoiceOf(int code)
{
    for (int e = 0; e < 13; ++e) {
        if (kCodes[e][0] == code)
            return {e, true};
        if (kCodes[e][1] == code)
            return {e, false};
    }
    return {};
}

int CodeOf(Choice choice)
{
    if (choice.entry < 0 || choice.entry >= 13)
        return 0;
    return kCodes[choice.entry][choice.portrait ? 0 : 1];
}

UserSize ApplyUserSize(UserSize current, int enteredW, int enteredH)
{
    UserSize next = current;
    if (enteredW != 0)
        next.widthMm = enteredW;
    if (enteredH != 0)
        next.heightMm = enteredH;
    auto ok = [](int mm) { return mm > 0 && mm < 30000; };
    return ok(next.widthMm) && ok(next.heightMm) ? next : current;
}

MoveView ViewOf(pageprint::PrintMove move)
{
    MoveView v;
    v.left = move.xMm < 0;
    v.amountX = std::abs(move.xMm);
    v.up = move.yMm < 0;
    v.amountY = std::abs(move.yMm);
    return v;
}

pageprint::PrintMove MoveOf(const MoveView& v)
{
    auto in = [](int a) { return a >= -pageprint::kMaxMoveMm && a <= pageprint::kMaxMoveMm; };
    if (!in(v.amountX) || !in(v.amountY))
        return {};
    return {(v.left ? -1 : 1) * v.amountX, (v.up ? -1 : 1) * v.amountY};
}

std::vector<FileType> ImageFileTypes(int outputType, bool withEmf)
{
    const FileType jpg{"JPEGファイル (*.jpg)", "jpg"}, gif{"GIFファイル (*.gif)", "gif"}, png{"PNGファイル (*.png)", "png"},
        bmp{"BMPファイル (*.bmp)", "bmp"};
    std::vector<FileType> types;
    switch (outputType) {
    case 1: types = {bmp, jpg, gif, png}; break;
    case 3: types = {png, gif, bmp, jpg}; break;
    case 4: types = {gif, png, bmp, jpg}; break;
    default: types = {jpg, gif, png, bmp}; break;
    }
    if (withEmf)
        types.push_back({"拡張メタファイル(*.emf)", "emf"});
    return types;
}

pageexport::Format ImageFormatOf(const std::string& path)
{
    const pageexport::Format f = pageexport::FormatOf(path);
    switch (f) {
    case pageexport::Format::Png:
    case pageexport::Format::Jpeg:
    case pageexport::Format::Gif:
    case pageexport::Format::Emf:
        return f;
    default:
        return pageexport::Format::Bmp;
    }
}

int OutputTypeOf(pageexport::Format format)
{
    switch (format) {
    case pageexport::Format::Png: return 3;
    case pageexport::Format::Gif: return 4;
    case pageexport::Format::Bmp: return 1;
    case pageexport::Format::Emf: return 2;
    default: return 0;
    }
}

int SheetImageDpi(int paperPx, int sheetWidthMm, bool zoomed, bool doubling)
{
    if (paperPx <= 0 || sheetWidthMm <= 0)
        return pageexport::kDefaultDpi;
    const int dpi = std::max(1, static_cast<int>(std::lround(paperPx * 25.4 / sheetWidthMm)));
    return std::min(pageexport::kMaxDpi, !zoomed && doubling ? dpi * 2 : dpi);
}
} // namespace pagesetup
