#pragma once
// What the tool state machine needs of the view around it. The view implements it
// with widgets; tests implement it with plain values.
#include "document/PelRecord.h"
#include "render/DrawContext.h"

#include <QPoint>
#include <QSize>

class IToolHost {
public:
    virtual ~IToolHost() = default;
    // The screen drawing context of the current page (transform, tables).
    virtual const CDrawContext& ScreenContext() const = 0;
    virtual double Zoom() const = 0;
    // Whole page at zoom 1 or below; otherwise zoom with the drawing point at (of the
    // current layer group) brought to the client centre.
    virtual void ZoomAt(double zoom, PelPoint at) = 0;
    virtual void ZoomOut() = 0;
    virtual void WholePage() = 0;
    virtual QPoint ScrollPos() const = 0;
    virtual void ScrollTo(QPoint pos) = 0;
    // The width of the paper in pixels at zoom 1 (for the zoom ceiling).
    virtual int UnzoomedPaperWidth() const = 0;
    virtual int UnzoomedPaperHeight() const = 0;
    // Shift+click: asks for a position relative to base; false when cancelled.
    virtual bool AskRelative(PelPoint base, PelPoint& result) = 0;
    // The context menu at px: 0 "通常", 1 "オブジェクト", 2 "グループ"; greyed tells
    // the "通常" menu that nothing is selected.
    virtual void ContextMenu(QPoint px, int which, bool greyed) = 0;
    // The mode changed by the machine itself (a right-click back to select mode).
    virtual void ModeChanged() {}
};
