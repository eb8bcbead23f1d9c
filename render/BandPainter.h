#pragma once
// Drawing one page in horizontal bands side by side on the processor's cores. Each
// band draws the whole page into an image of its rows (and a margin) and copies its
// rows into the page; the drawing routines keep their caches per thread, and the
// threads live as long as the program, so that what one band cached is there for the
// same band of the next page.
#include <QColor>
#include <QImage>

#include <functional>

class QPainter;

// How many threads draw bands (the caller's included): one per core, at most four.
int BandThreads();
// The bands for a page of size: one below minPixels (the threads would cost more than
// they save), else one per band thread.
int BandsFor(QSize size, long long minPixels);

// Whether the calling thread is drawing a band of a page.
bool DrawingABand();
// Whether box (in the painter's coordinates) misses the raster device the painter
// draws on altogether: a band draws only its own rows, and what lies beyond them need
// not even be prepared. Vector devices keep everything.
bool OffRasterDevice(QPainter& p, const QRectF& box);

// Draws a page onto paper (white unless asked) into image with draw(painter, band), where the painter's
// coordinates are the image's: bands 1 draws straight into image as band 0; more bands go to the band
// threads (the caller draws its share), and draw runs once per band on their threads.
// A large page takes more bands than asked, so that no band's own image is larger
// than a budget. draw must only read what it shares with the other bands.
void DrawInBands(QImage& image, int bands, const std::function<void(QPainter&, int band)>& draw,
                 QColor paper = Qt::white);

// Draws a new page of size and format (dpmX x dpmY dots per metre) onto paper in
// bands as DrawInBands does, each band straight into the page's own memory: the
// bands' rows lie one after the other with their margins between them and are closed
// up once all are drawn, so that no band needs an image of its own and every page row
// is touched first by the thread that draws it. Null when there is no memory for it.
QImage DrawNewPage(QSize size, QImage::Format format, int dpmX, int dpmY, int bands,
                   const std::function<void(QPainter&, int band)>& draw, QColor paper = Qt::white);
