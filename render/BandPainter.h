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

// Draws a page onto paper (white unless asked) into image with draw(painter, band), where the painter's
// coordinates are the image's: bands 1 draws straight into image as band 0; more bands go to the band
// threads (the caller draws its share), and draw runs once per band on their threads.
// A large page takes more bands than asked, so that no band's own image is larger
// than a budget. draw must only read what it shares with the other bands.
void DrawInBands(QImage& image, int bands, const std::function<void(QPainter&, int band)>& draw,
                 QColor paper = Qt::white);
