#pragma once
// PNG files of drawn pages, written fast: every row takes the "Up" filter (flat
// flyer colours repeat from row to row, and trying every filter on every row costs
// more than the whole compression), and the rows are compressed in pieces side by
// side on the processor's cores, joined into one standard zlib stream.
#include <QByteArray>

class QImage;
class QIODevice;

namespace pngwriter {
// The zlib level: measured on whole flyers at 300 dpi, level 3 is as fast as 1 and
// a third smaller; levels above it cost twice the time for a few per cent.
constexpr int kDefaultLevel = 3;

// Writes image as an 8-bit RGB PNG (RGBA when it has an alpha channel), with its
// resolution when it has one. pieces 0 takes one per core. False when out fails
// to take the bytes or the image is null.
bool Write(QIODevice& out, const QImage& image, int level = kDefaultLevel, int pieces = 0);
// The same into memory; empty for a null image.
QByteArray Encode(const QImage& image, int level = kDefaultLevel, int pieces = 0);
} // namespace pngwriter
