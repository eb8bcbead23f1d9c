#pragma once
// Pictures: the bitmap of a picture stretched into its rectangle (its proportions
// kept, as the bitmap drawer does), with the key colour of an illustration shown
// transparent, or white on a printer set to whiten it.
#include "render/DrawContext.h"

#include <cstdint>

class CPelImage;
class QPainter;

// Settings the picture drawing reads once per page.
struct PictureDrawSettings {
    int toukagif2 = 0; // how transparent pictures print: 3 = key colour as white
    static PictureDrawSettings Read();
};

// The device rectangle of a picture: its centre from the offset, its size from the
// width and height, both printed millimetres at the paper scale; integer halves on
// each side, so an odd width loses a pixel.
PxRect PictureRect(const CDrawTransform& t, const CPelImage& pic);

// Draws the picture. Returns the rectangle it was placed in (also for a picture
// without a bitmap, which draws nothing). Only the part inside the device and its
// clip is scaled and drawn.
PxRect DrawPelImage(QPainter& p, const CDrawContext& dc, const PictureDrawSettings& s, const CPelImage& pic);

// The scaled and decoded pictures kept between paints.
void ClearPictureCache();
std::int64_t PictureCacheBytes();
int PictureCacheEntries();
