#pragma once
// The sheet drawn as a print would (true size, printing mode 1, no grid, the sheet's
// centre at the output's centre) into an image, PDF or SVG file.
#include <QSize>

#include <functional>
#include <string>

class CPelmoraDoc;
class QImage;

namespace pageexport {
constexpr int kDefaultDpi = 150;
constexpr int kMaxDpi = 2400;
// Raster images larger than this many pixels a side are refused.
constexpr int kMaxRasterSide = 30000;
// The zlib level PNG files are written with: fast enough for a whole B1 sheet at
// 300 dpi, and still far smaller than level 1 on flat flyer colours.
constexpr int kPngCompression = 3;
// Resolution of the vector outputs' device units: a 600-dpi printer's pixel.
constexpr int kVectorDpi = 600;
// The JPEG quality photographs are embedded with in SVG files.
constexpr int kSvgJpegQuality = 90;

enum class Format { Unknown, Png, Jpeg, Bmp, Pdf, Svg };
// By the file name's extension, ignoring case.
Format FormatOf(const std::string& path);

// round(mm x dpi / 25.4) in both directions.
QSize RasterSize(double widthMm, double heightMm, int dpi);

// Draws the sheet into image (its size and resolution as given), in bands drawn side by
// side on the band threads; bands 0 uses them for images of a few million pixels.
void RenderPage(const CPelmoraDoc& doc, QImage& image, int bands = 0);

// Writes the sheet to path. dpi is the raster resolution. False with the reason (UTF-8)
// in error when the format is not known, the image would be too large or the file
// could not be written.
bool Export(const CPelmoraDoc& doc, const std::string& path, int dpi, std::string& error, int jpegQuality = 100);

// One PDF of count sheets, a page each, each page the size of its sheet: page(i) gives
// the document of page i, or nullptr to leave it out. The file replaces path only when
// complete; false with the reason in error, or when no page was drawn.
bool ExportPdfPages(const std::string& path, int count, const std::function<const CPelmoraDoc*(int)>& page,
                    std::string& error);
} // namespace pageexport
