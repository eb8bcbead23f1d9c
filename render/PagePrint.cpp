#include "render/PagePrint.h"

#include "document/Paper.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/PageDraw.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <string_view>

namespace pageprint {
namespace {
constexpr const char* kSection = "QLA_T_UTILITY";

QPageSize PaperOf(const PaperSheet& sheet)
{
    static constexpr std::pair<std::string_view, QPageSize::PageSizeId> kNamed[] = {
        {"A1", QPageSize::A1},       {"A2", QPageSize::A2},       {"A3", QPageSize::A3},
        {"A4", QPageSize::A4},       {"A5", QPageSize::A5},       {"B1", QPageSize::JisB1},
        {"B2", QPageSize::JisB2},    {"B3", QPageSize::JisB3},    {"B4", QPageSize::JisB4},
        {"B5", QPageSize::JisB5},
    };
    for (const auto& [series, id] : kNamed)
        if (sheet.series == series)
            return QPageSize(id);
    const int shortSide = std::min(sheet.widthMm, sheet.heightMm), longSide = std::max(sheet.widthMm, sheet.heightMm);
    return QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

bool InRange(int mm) { return mm >= -kMaxMoveMm && mm <= kMaxMoveMm; }

int ToDevice(int mm, int dpi) { return static_cast<int>(mm * static_cast<double>(dpi) / 25.4); }
} // namespace

QPageLayout LayoutFor(const PaperSheet& sheet)
{
    QPageLayout layout(PaperOf(sheet), sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // The whole paper is the page: no margin a printer keeps may move or shrink it.
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

PrintMove ReadPrintMove()
{
    PrintMove m{AppProfile().GetInt(kSection, "print_move_x", 0), AppProfile().GetInt(kSection, "print_move_y", 0)};
    if (!InRange(m.xMm) || !InRange(m.yMm))
        return PrintMove{};
    return m;
}

void WritePrintMove(PrintMove move)
{
    if (!InRange(move.xMm) || !InRange(move.yMm))
        move = PrintMove{};
    AppProfile().WriteInt(kSection, "print_move_x", move.xMm);
    AppProfile().WriteInt(kSection, "print_move_y", move.yMm);
    AppProfile().Sync();
}

void DrawPrintedPage(QPainter& p, const CPelmoraDoc& doc, const QPaintDevice& device, PrintMove move)
{
    p.save();
    // The clip moves with the drawing: the device cuts at its own edges anyway.
    p.translate(ToDevice(move.xMm, device.logicalDpiX()), ToDevice(move.yMm, device.logicalDpiY()));
    DrawPage(p, doc, TrueSizeRequest(doc, device));
    p.restore();
}
} // namespace pageprint
