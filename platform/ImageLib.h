#pragma once
// Picture files in and out: identifies BMP, JPEG, PNG and GIF by their bytes,
// loads them into in-memory images, converts, resizes and writes them.
// An image handle belongs to whoever received it until Release.
#include "ardelib/BitmapUL.h"

#include <cstdint>
#include <memory>
#include <string>

class QImage;
class QPainter;

namespace imglib {

enum ImgFormat { IMG_UNKNOWN = 0, IMG_BMP = 1, IMG_JPEG = 2, IMG_PNG = 3, IMG_GIF = 4 };

// Pictures beyond these are refused before any pixel is decoded.
constexpr std::int64_t kMaxSide = 65535;
constexpr std::int64_t kMaxPixels = 150'000'000;

struct ImgImage;
using HIMG = ImgImage*;

// Seven words; words[0] holds the flags (kTransparentFlag or more marks a transparent
// colour), words[1] that colour as red + 256 × green + 65536 × blue.
struct ImgTransparency {
    std::int32_t words[7] = {0, 0, 0, 0, 0, 0, 0};
};
constexpr std::int32_t kTransparentFlag = 8;

int IdentifyFormat(const std::string& path);
void Release(HIMG image);
// The 40-byte information header: the file's own for a BMP not converted since,
// otherwise one describing the image. Non-zero on success.
int GetInfoHeader(HIMG image, BmpInfoHeader* out);
// red + 256 × green + 65536 × blue, or -1 outside the image.
long GetPixelColor(HIMG image, int x, int y);
int ConvertTo24(HIMG image);
// -1 for one of the sizes keeps the aspect ratio.
int Resize(HIMG image, int width, int height);

HIMG LoadBmp(const std::string& path);
HIMG LoadJpeg(const std::string& path);
HIMG LoadPng(const std::string& path);
// Whatever format the bytes show.
HIMG LoadAny(const std::string& path);
// A GIF's first frame; a transparent colour is reported in transparency (words[0]
// should be 0 on entry) and its pixels carry that colour, opaque.
HIMG LoadGifTransparent(const std::string& path, ImgTransparency& transparency);

int WriteBmp(const std::string& path, HIMG image);
int WriteJpeg(const std::string& path, HIMG image, int quality);
int WritePng(const std::string& path, HIMG image);
int WriteGif(const std::string& path, HIMG image);
int WriteGifTransparent(const std::string& path, HIMG image, const ImgTransparency& transparency);

void DrawStretched(QPainter* painter, int x, int y, int width, int height, HIMG image);

// The image itself, for drawing and export; nullptr for no handle.
const QImage* ImageOf(HIMG image);
// A handle holding a copy of image (a drawn page, for writing); nullptr for a null image.
HIMG FromImage(const QImage& image);

struct Releaser {
    void operator()(ImgImage* image) const { Release(image); }
};
using ImgPtr = std::unique_ptr<ImgImage, Releaser>;

} // namespace imglib
