#include "app/PagePrinter.h"

#include "document/Paper.h"
#include "document/PelmoraDoc.h"
#include "render/PageExport.h"
#include "render/PagePrint.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace pageprinter {
namespace {
// The print engine's property holding extra CUPS job options, as name, value pairs.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

// Within half a millimetre either way: the printer's own table rounds to points.
bool SameSize(const QSizeF& a, const QSizeF& b)
{
    return std::abs(a.width() - b.width()) <= 0.5 && std::abs(a.height() - b.height()) <= 0.5;
}

void SetCupsOption(QPrinter& printer, const QString& name, const QString& value)
{
    QPrintEngine* engine = printer.printEngine();
    if (!engine)
        return;
    QStringList options = engine->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] == name) {
            options[i + 1] = value;
            engine->setProperty(kCupsOptions, options);
            return;
        }
    options << name << value;
    engine->setProperty(kCupsOptions, options);
}
} // namespace

bool ChoosePrinter(QPrinter& printer, const std::string& name, std::string& error)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        error = "印刷できるプリンタがありません。プリンタが登録され、印刷サービス (CUPS) が動いているか確かめてください。";
        return false;
    }
    QPrinterInfo info = name.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull()) {
        error = name.empty() ? "既定のプリンタがありません。--printer でプリンタを指定してください。"
                             : "プリンタが見つかりません: " + name;
        return false;
    }
    printer.setPrinterName(info.printerName());
    if (printer.printerName() != info.printerName()) {
        error = "プリンタを使えません: " + Utf8(info.printerName());
        return false;
    }
    return true;
}

bool PreparePrinter(QPrinter& printer, const PaperSheet& sheet, std::string& error)
{
    printer.setFullPage(true);
    // Pen widths are device pixels of the sheet's print widths: drawn at the vector
    // exports' resolution, a print looks as the PDF export does on any printer.
    printer.setResolution(pageexport::kVectorDpi);
    const QPageLayout want = pageprint::LayoutFor(sheet);
    const bool taken = printer.setPageLayout(want);
    const QPageLayout got = printer.pageLayout();
    // The layout comes back changed when the printer has no such paper and takes no
    // custom sizes, or keeps margins it cannot print into: either would shrink or
    // shift the sheet.
    if (!taken || got.orientation() != want.orientation() ||
        !SameSize(got.fullRect(QPageLayout::Millimeter).size(), want.fullRect(QPageLayout::Millimeter).size())) {
        const QSizeF mm = want.fullRect(QPageLayout::Millimeter).size();
        error = "このプリンタは用紙 " + Utf8(want.pageSize().name()) + " (" + std::to_string(std::lround(mm.width())) +
                " × " + std::to_string(std::lround(mm.height())) + " mm) に印刷できません: " +
                Utf8(printer.printerName());
        return false;
    }
    // CUPS fits a job to the paper's printable area unless told otherwise.
    SetCupsOption(printer, QStringLiteral("print-scaling"), QStringLiteral("none"));
    SetCupsOption(printer, QStringLiteral("fit-to-page"), QStringLiteral("false"));
    return true;
}

bool PrintPage(const CPelmoraDoc& doc, QPrinter& printer, std::string& error)
{
    QPainter p;
    if (!p.begin(&printer)) {
        error = "印刷を始められません: " + Utf8(printer.printerName());
        return false;
    }
    pageprint::DrawPrintedPage(p, doc, printer, pageprint::ReadPrintMove());
    if (!p.end() || printer.printerState() == QPrinter::Error) {
        error = "印刷できませんでした: " + Utf8(printer.printerName());
        return false;
    }
    return true;
}

bool PrintDocument(const CPelmoraDoc& doc, const std::string& printerName, const std::string& title,
                   std::string& error)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(printer, printerName, error))
        return false;
    printer.setDocName(QString::fromStdString(title));
    if (!PreparePrinter(printer, doc.m_plotInfo.Paper(), error))
        return false;
    return PrintPage(doc, printer, error);
}
} // namespace pageprinter
