#pragma once
// What the page setup, user size, print position and sheet image dialogs decide,
// apart from their widgets.
#include "render/PageExport.h"
#include "render/PagePrint.h"

#include <string>
#include <vector>

namespace pagesetup {
// The entries of the sheet list, in order; the last one opens the user size.
const std::vector<std::string>& Entries();
constexpr int kUserEntry = 12;

struct Choice {
    int entry = 3; // A4
    bool portrait = false;
};
// The entry and orientation a sheet code shows: the user code shows its entry in
// portrait, a code without an entry A4 landscape.
Choice ChoiceOf(int code);
// The sheet code of an entry and orientation (the user entry is the user code either way).
int CodeOf(Choice choice);

struct UserSize {
    int widthMm = 0, heightMm = 0;
};
// The user size after the user size dialog: a non-zero entry replaces its side, and
// the pair is taken only when both sides are then non-zero and below 30000 mm;
// otherwise the size stays as it was.
UserSize ApplyUserSize(UserSize current, int enteredW, int enteredH);

// The print position dialog's view of the offsets: magnitudes and directions.
struct MoveView {
    int amountX = 0;
    bool left = false; // "←" checked, else "→"
    int amountY = 0;
    bool up = false; // "↑" checked, else "↓"
};
MoveView ViewOf(pageprint::PrintMove move);
// Back from the dialog: an amount outside -32000 … 32000 resets both offsets to 0.
pageprint::PrintMove MoveOf(const MoveView& view);

// The save dialog's entries for the sheet image, the format of gazououtput_type first
// (0 and 2 JPEG, 1 BMP, 3 PNG, 4 GIF); the enhanced metafile last when asked for.
struct FileType {
    std::string label;     // "PNGファイル (*.png)"
    std::string extension; // "png"
};
std::vector<FileType> ImageFileTypes(int outputType, bool withEmf);
// The format a chosen file is written in: by its extension in any case ("jpeg" too),
// BMP for anything else.
pageexport::Format ImageFormatOf(const std::string& path);
// gazououtput_type after writing format.
int OutputTypeOf(pageexport::Format format);

// The resolution of the sheet image: the sheet as wide as the view shows its paper
// (paperPx pixels for sheetWidthMm), twice that when doubling is on and the view is
// not zoomed.
int SheetImageDpi(int paperPx, int sheetWidthMm, bool zoomed, bool doubling);
} // namespace pagesetup
