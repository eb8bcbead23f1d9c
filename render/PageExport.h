#pragma once
// The sheet drawn as a print would (true size, printing mode 1, no grid, the sheet's
// centre at the output's centre) into an image, PDF or SVG file.
#include <QColor>
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

enum class Format { Unknown, Png, Jpeg, Bmp, Gif, Emf, Pdf, Svg };
// By the file name's extension, ignoring case ("jpg" and "jpeg" alike).
Format FormatOf(const std::string& path);

// round(mm x dpi / 25.4) in both directions.
QSize RasterSize(double widthMm, double heightMm, int dpi);

// Draws the sheet into image (its size and resolution as given), in bands drawn side by
// side on the band threads; bands 0 uses them for images of a few million pixels.
void RenderPage(const CPelmoraDoc& doc, QImage& image, int bands = 0, QColor paper = Qt::white);

// The transparent colour of a GIF: none, the colour the page is laid on for it
// (RGB(0, 128, 128), when the image is neither smoothed nor fitted) or white (the
// window colour: white parts of the drawing turn see-through too).
enum class GifKey { None, Teal, White };
GifKey GifKeyFor(bool transparentGif, bool smoothed, bool fitted);
constexpr QRgb kGifTeal = 0xff008080;

// How a raster image is made besides its resolution.
struct RasterOptions {
    int jpegQuality = 100;
    GifKey gifKey = GifKey::None;
    bool smooth = false;   // hard edges smoothed (not with the teal key)
    int boxW = 0, boxH = 0; // scaled to fit this box when either is non-zero; 0 = free
};
// The whole-sheet image settings of the store (gazou_*), for a raster of format.
RasterOptions RasterOptionsFromSettings(bool fitToBox);

// The smoothing of hard edges: every pixel whose squared RGB distance to one of its
// eight neighbours exceeds 8000 becomes the integer mean of its 3 x 3 neighbourhood
// (within the image), all taken from the image as it was.
QImage SmoothHardEdges(const QImage& image);

// The size an image of size takes in a box (both sides non-zero: the side that
// limits; one side 0: the other side's), keeping its aspect ratio.
QSize FitToBox(QSize size, int boxW, int boxH);

// A raster (PNG, JPEG, BMP, GIF) of the sheet at dpi written to path.
bool ExportRaster(const CPelmoraDoc& doc, const std::string& path, Format format, int dpi, const RasterOptions& options,
                  std::string& error);

// Writes the sheet to path; GIF files take the transparent colour of the settings. dpi is the raster resolution. False with the reason (UTF-8)
// in error when the format is not known, the image would be too large or the file
// could not be written.
bool Export(const CPelmoraDoc& doc, const std::string& path, int dpi, std::string& error, int jpegQuality = 100);

// One PDF of count sheets, a page each, each page the size of its sheet: page(i) gives
// the document of page i, or nullptr to leave it out. The file replaces path only when
// complete; false with the reason in error, or when no page was drawn.
bool ExportPdfPages(const std::string& path, int count, const std::function<const CPelmoraDoc*(int)>& page,
                    std::string& error);
} // namespace pageexport
