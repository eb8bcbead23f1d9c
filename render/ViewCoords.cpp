#include "render/ViewCoords.h"

#include <cmath>

namespace {
// Far beyond any real device, small enough that sums of two never overflow an int.
constexpr double kPxLimit = 1 << 28;
constexpr int kBorder = 10;
} // namespace

int TruncPx(double v)
{
    if (std::isnan(v))
        return 0;
    if (v > kPxLimit)
        return static_cast<int>(kPxLimit);
    if (v < -kPxLimit)
        return -static_cast<int>(kPxLimit);
    return static_cast<int>(v);
}

PxRect ComputePaperRect(int viewW, int viewH, int clientW, int clientH, double sheetW, double sheetH)
{
    PxRect r;
    int availW = viewW - 2 * kBorder;
    int availH = viewH - 2 * kBorder;
    if (availW <= 0 || availH <= 0 || !(sheetW > 0) || !(sheetH > 0)) {
        r.left = r.right = viewW / 2;
        r.top = r.bottom = viewH / 2;
        return r;
    }
    double sheetRatio = sheetH / sheetW;
    if (static_cast<double>(availH) / availW > sheetRatio) {
        int h = TruncPx(availW * sheetH / sheetW);
        r.left = kBorder;
        r.right = viewW - kBorder;
        r.top = kBorder + (availH - h) / 2;
        r.bottom = r.top + h;
    } else {
        int w = TruncPx(availH / sheetRatio);
        r.top = kBorder;
        r.bottom = viewH - kBorder;
        r.left = kBorder + (availW - w) / 2;
        r.right = r.left + w;
    }
    if (clientW > viewW) {
        int dx = (clientW - viewW) / 2;
        r.left += dx;
        r.right += dx;
    }
    if (clientH > viewH) {
        int dy = (clientH - viewH) / 2;
        r.top += dy;
        r.bottom += dy;
    }
    return r;
}

PxRect DrawableRect(const PageDevice& dev)
{
    PxRect r;
    if (dev.printing) {
        r = PxRect{0, 0, dev.width, dev.height};
        r.left += MmToDevice(dev, dev.marginsMm[0], Axis::X);
        r.top += MmToDevice(dev, dev.marginsMm[1], Axis::Y);
        r.right -= MmToDevice(dev, dev.marginsMm[2], Axis::X);
        r.bottom -= MmToDevice(dev, dev.marginsMm[3], Axis::Y);
    } else {
        r = dev.paper;
        r.left += MmToDevice(dev, dev.marginsMm[0], Axis::X);
        r.top += MmToDevice(dev, dev.marginsMm[1], Axis::Y);
        r.right -= MmToDevice(dev, dev.marginsMm[2], Axis::X);
        r.bottom -= MmToDevice(dev, dev.marginsMm[3], Axis::Y);
    }
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

namespace {
// Screen pixels per printed millimetre along an axis; 0 without a sheet.
double ScreenScale(const PageDevice& dev, Axis axis)
{
    if (axis == Axis::X)
        return dev.sheetW > 0 ? dev.paper.Width() / dev.sheetW : 0.0;
    return dev.sheetH > 0 ? dev.paper.Height() / dev.sheetH : 0.0;
}
} // namespace

int MmToDevice(const PageDevice& dev, double mm, Axis axis)
{
    if (dev.printing)
        return TruncPx(mm * (axis == Axis::X ? dev.dpiX : dev.dpiY) / 25.4);
    return TruncPx(mm * ScreenScale(dev, axis));
}

double DeviceToMm(const PageDevice& dev, double px, Axis axis)
{
    double s = ScreenScale(dev, axis);
    return s > 0 ? px / s : 0.0;
}

double PaperScale(const PageDevice& dev)
{
    if (dev.printing)
        return dev.dpiY / 25.4;
    return ScreenScale(dev, Axis::Y);
}

double GroupFactor(const PageDevice& dev, int groupScale, Axis axis)
{
    double s = groupScale > 0 ? groupScale : 1;
    if (dev.printing)
        return s;
    double perMm = ScreenScale(dev, axis);
    if (!(perMm > 0))
        return 0;
    return ((axis == Axis::X ? dev.dpiX : dev.dpiY) / 25.4) / perMm * s;
}

CDrawTransform BuildTransform(const PageDevice& dev, const std::array<int, kLayerGroups>& groupScales, double zoom,
                              bool useDpiYForY)
{
    CDrawTransform t;
    PxRect d = DrawableRect(dev);
    t.origin = QPoint((d.left + d.right) / 2, (d.top + d.bottom) / 2);
    for (int g = 0; g < kLayerGroups; ++g) {
        double f = GroupFactor(dev, groupScales[g]);
        if (f > 0) {
            t.groupScaleX[g] = dev.dpiX / 25.4 / f;
            t.groupScaleY[g] = (useDpiYForY ? dev.dpiY : dev.dpiX) / 25.4 / f;
        }
    }
    t.paperScale = PaperScale(dev);
    t.zoom = zoom;
    return t;
}

namespace {
int GroupIndex(int g) { return g >= 0 && g < kLayerGroups ? g : 0; }
} // namespace

int CDrawTransform::DevX(int group, double x) const { return TruncPx(groupScaleX[GroupIndex(group)] * x) + origin.x(); }

int CDrawTransform::DevY(int group, double y) const { return TruncPx(groupScaleY[GroupIndex(group)] * y) + origin.y(); }

QPoint CDrawTransform::ToDevice(int group, double x, double y) const { return QPoint(DevX(group, x), DevY(group, y)); }

double CDrawTransform::LengthX(int group, double len) const { return groupScaleX[GroupIndex(group)] * len; }

double CDrawTransform::LengthY(int group, double len) const { return groupScaleY[GroupIndex(group)] * len; }

void CDrawTransform::ToDrawing(int group, QPoint p, double& x, double& y) const
{
    double sx = groupScaleX[GroupIndex(group)], sy = groupScaleY[GroupIndex(group)];
    x = sx != 0 ? (p.x() - origin.x()) / sx : 0.0;
    y = sy != 0 ? (p.y() - origin.y()) / sy : 0.0;
}
