#pragma once
// The sheet on a printer's page: the paper the sheet code asks for, and the page
// drawing at true size, centred on the page and shifted by the print position.
#include <QPageLayout>

struct PaperSheet;
class CPelmoraDoc;
class QPaintDevice;
class QPainter;

namespace pageprint {
// The print position offsets are kept within this many millimetres either way.
constexpr int kMaxMoveMm = 32000;

// The paper and orientation a sheet prints on, in full-page mode without margins. The JIS B series for B
// sheets, ISO A for A sheets, the postcard and the other sheets as their millimetres.
QPageLayout LayoutFor(const PaperSheet& sheet);

struct PrintMove {
    int xMm = 0; // right positive
    int yMm = 0; // down positive
};
// print_move_x and print_move_y of the settings; values outside the range count as 0.
PrintMove ReadPrintMove();
// Both values to the settings, or both 0 when either is outside the range.
void WritePrintMove(PrintMove move);

// Draws the sheet on device in printing mode 1: the device's whole page is the
// drawable area, its centre moved by move is the drawing origin.
void DrawPrintedPage(QPainter& p, const CPelmoraDoc& doc, const QPaintDevice& device, PrintMove move);
} // namespace pageprint
