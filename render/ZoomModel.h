#pragma once
// The view's zoom and scroll model: zoom 1 shows the whole sheet in the window; above
// 1 the view scrolls over an area that many times the window's size.
#include <QPoint>
#include <QSize>

class CZoomModel {
public:
    static constexpr double kMaxZoom = 32;
    static constexpr int kMaxScrollPx = 32000;

    double zoom = 1.0;
    double dragZoom = 1.0;   // the zoom when a zoom gesture started
    QSize base;              // client size while the zoom is 1
    QSize scroll{0, 0};      // total scroll size; (0, 0) while the zoom is 1

    bool Zoomed() const { return !scroll.isEmpty(); }
    // Sets the zoom (at least 1, at most 32, and no more than 32000 pixels wide) and
    // the scroll size that goes with it.
    void SetZoom(double z);
    // Zoom out by two thirds, keeping the view centre; returns the new scroll position.
    QPoint ZoomOut(QPoint scrollPos, QSize client);
    // Whole page: zoom 1, no scrolling.
    void WholePage();
    // A resize of the client area: while not zoomed the client size is the base size.
    void Resized(QSize client);
    // The area the sheet is fitted into: the scroll area, or the client area.
    QSize ViewArea(QSize client) const { return Zoomed() ? scroll : client; }
};
