// Bytes loaded as a BMP file by the shared library's loader, then decoded and fitted.
#include "fuzz/FuzzSupport.h"

#include "ardelib/BitmapUL.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::Init(argc, argv);
    return 0;
}

namespace {
// Takes the pixels as a device would, touching every one.
class CheckingDevice : public CBmpDevice {
public:
    double DpiX() const override { return 96; }
    double DpiY() const override { return 72; }
    bool StretchPixels(const CBmpPixels& p, int, int, int, int) override
    {
        std::uint32_t sum = 0;
        for (std::uint32_t v : p.argb)
            sum += v;
        return sum != 1 || p.width >= 0;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzzsupport::WriteInput("input.bmp", data, 0);
    fuzzsupport::WriteInput("input.bmp", data, size);
    CBitmapUL bmp;
    if (bmp.LoadBmpFile(path) != 1)
        return 0;
    CBmpPixels pixels;
    bmp.GetPixels(pixels);
    CRectUL rect;
    bmp.GetBmpRect(rect);
    CPointUL rate;
    bmp.RatePerPixel(rate);
    bmp.GetBmpPalette();
    CheckingDevice device;
    bmp.DrawBmp(&device, CRectUL{0, 0, 640, 480}, 0);
    bmp.FitRect(CRectUL{-5, 7, 3000, 20}, 0, 600, 1);
    CBitmapUL copy = bmp;
    copy.GetPixels(pixels);
    return 0;
}
