#pragma once
// The view's coordinate model: where the sheet lies on a device, and how drawing
// millimetres, printed millimetres and device pixels convert. Every conversion from
// a real to device pixels truncates towards zero.
#include <QPoint>
#include <QRect>

#include <array>

constexpr int kLayerGroups = 16;

// Truncation towards zero, kept inside the range a device coordinate can take
// (a not-a-number gives 0), so that absurd coordinates never overflow.
int TruncPx(double v);

// An integer rectangle with the platform's inclusive-exclusive edges.
struct PxRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const PxRect&) const = default;
};

// Where the sheet lies in the view: a 10-pixel border, the sheet's aspect kept,
// centred in the client area when that is larger than the view area. An empty
// rectangle when the view is smaller than the border or the sheet has no size.
PxRect ComputePaperRect(int viewW, int viewH, int clientW, int clientH, double sheetW, double sheetH);

// The device a page is drawn on, as far as the coordinate model needs it.
struct PageDevice {
    bool printing = false;   // a printer or an export device (true-size drawing)
    bool smooth = false;     // antialiased edges and curves (always on printing devices)
    double dpiX = 96, dpiY = 96; // the paint device's logical resolution
    int width = 0, height = 0;   // printable size in pixels (printing devices)
    PxRect paper;                // paper rectangle in view pixels (screen)
    double sheetW = 297, sheetH = 210; // sheet size in millimetres
    std::array<double, 4> marginsMm{0, 0, 0, 0}; // left, top, right, bottom
};

// The printable area (printing) or the paper rectangle (screen), shrunk by the margins;
// empty when the margins eat it.
PxRect DrawableRect(const PageDevice& dev);

enum class Axis { X, Y };
// Printed millimetres to device pixels along one axis.
int MmToDevice(const PageDevice& dev, double mm, Axis axis);
// Device pixels to printed millimetres (screen scale); 0 when the sheet has no extent.
double DeviceToMm(const PageDevice& dev, double px, Axis axis);
// Device pixels per printed millimetre (vertical resolution).
double PaperScale(const PageDevice& dev);
// The factor by which a group scale divides the device resolution. A scale of 0 or
// below counts as 1; 0 when the screen shows no sheet.
double GroupFactor(const PageDevice& dev, int groupScale, Axis axis = Axis::X);

// The value every drawing routine receives.
struct CDrawTransform {
    QPoint origin;
    std::array<double, kLayerGroups> groupScaleX{};
    std::array<double, kLayerGroups> groupScaleY{};
    double paperScale = 1;
    double zoom = 1;
    double extra1 = 1, extra2 = 1;

    // A drawing point of layer group g to the device: each product truncated before
    // the origin is added. A group outside 0..15 uses group 0's scale.
    QPoint ToDevice(int group, double x, double y) const;
    int DevX(int group, double x) const;
    int DevY(int group, double y) const;
    // A length in the group's drawing units to device pixels along x.
    double LengthX(int group, double len) const;
    double LengthY(int group, double len) const;
    // A device point back to drawing units of group g; (0, 0) for a degenerate scale.
    void ToDrawing(int group, QPoint p, double& x, double& y) const;
    // Printed millimetres to device pixels (paper scale).
    int PaperPx(double mm) const { return TruncPx(mm * paperScale); }
};

// Builds the transform for a page drawing on dev: origin at the drawable rectangle's
// centre, group scales from the 16 layer-group scales. useDpiYForY: group scale y from
// the vertical resolution (printers, and the screen's live overlays); otherwise the
// horizontal resolution serves both axes.
CDrawTransform BuildTransform(const PageDevice& dev, const std::array<int, kLayerGroups>& groupScales, double zoom,
                              bool useDpiYForY);
