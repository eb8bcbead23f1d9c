#pragma once
// Pages drawn into images for the tests: the sheet at a resolution, the pixel at sheet
// millimetres from its centre, and how two drawings of one page differ.
#include "render/PageExport.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace testsupport {
// The sheet of widthMm x heightMm drawn as an export at dpi (bands 0: as the export
// chooses).
inline QImage RenderSheet(const CPelmoraDoc& doc, double widthMm, double heightMm, int dpi, int bands = 0)
{
    QImage img(pageexport::RasterSize(widthMm, heightMm, dpi), QImage::Format_RGB32);
    const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    pageexport::RenderPage(doc, img, bands);
    return img;
}

// The device point of sheet millimetres (x, y) from the centre of an image at dpi.
inline QPoint SheetPoint(const QImage& img, int dpi, double x, double y)
{
    return QPoint(img.width() / 2 + static_cast<int>(x * dpi / 25.4), img.height() / 2 + static_cast<int>(y * dpi / 25.4));
}

// The colour (RGB, no alpha) there.
inline QRgb SheetPixel(const QImage& img, int dpi, double x, double y)
{
    return img.pixel(SheetPoint(img, dpi, x, y)) & 0xffffff;
}

struct ImageDifference {
    double mean = 0;       // mean absolute difference per channel
    int worst = 0;         // the largest difference of one channel
    long long above = 0;   // pixels of which a channel differs by more than the limit asked
};

// Over the area both images cover.
inline ImageDifference Difference(const QImage& a0, const QImage& b0, int limit)
{
    const QImage a = a0.convertToFormat(QImage::Format_RGB32), b = b0.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(a.width(), b.width()), h = std::min(a.height(), b.height());
    ImageDifference d;
    long long sum = 0;
    for (int y = 0; y < h; ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int dr = std::abs(qRed(pa[x]) - qRed(pb[x])), dg = std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                      db = std::abs(qBlue(pa[x]) - qBlue(pb[x]));
            const int most = std::max({dr, dg, db});
            sum += dr + dg + db;
            d.worst = std::max(d.worst, most);
            d.above += most > limit;
        }
    }
    if (w > 0 && h > 0)
        d.mean = double(sum) / (3.0 * w * h);
    return d;
}
} // namespace testsupport
