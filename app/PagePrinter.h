#pragma once
// Printing the sheet through the system's print service (CUPS): the printer chosen by
// name or the default one, the sheet's paper in full-page mode, no scaling by the
// service, so that the sheet comes out at true size.
#include <string>

struct PaperSheet;
class CPelmoraDoc;
class QPrinter;

namespace pageprinter {
// Points printer at the named printer, or at the default one when name is empty.
// False with the reason when there is no such printer (or none at all).
bool ChoosePrinter(QPrinter& printer, const std::string& name, std::string& error);

// The sheet's paper and orientation without margins, full-page mode, no scaling. False
// with the reason when the printer does not take that paper.
bool PreparePrinter(QPrinter& printer, const PaperSheet& sheet, std::string& error);

// Draws the one page of doc on a prepared printer and hands the job over.
bool PrintPage(const CPelmoraDoc& doc, QPrinter& printer, std::string& error);

// The whole headless print: choose, prepare, print. title names the job.
bool PrintDocument(const CPelmoraDoc& doc, const std::string& printerName, const std::string& title,
                   std::string& error);
} // namespace pageprinter
