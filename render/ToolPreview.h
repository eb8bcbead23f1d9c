#pragma once
// The shape being built while a drawing tool collects its clicks, drawn over the page
// on every repaint: the points entered so far with the pointer as the next click.
#include "document/PelRecord.h"
#include "render/DrawContext.h"

#include <vector>

class CPlotInfo;
class QPainter;

struct PreviewInput {
    int mode = 0;
    const std::vector<PelPoint>* points = nullptr; // drawing coordinates of the current layer group
    int group = 0;                                 // the current layer group
    QPoint lastPx;                                 // the previous click
    QPoint pointerPx;
    PelPoint pointerMm;
    double leftOffset = 5, rightOffset = 5; // the double line's sides (millimetres)
    int filletSteps = 24;                   // steps of a rounded corner
    double balloonMinBase = 0;              // the smallest base of a balloon's spike (millimetres)
};

// Draws the preview of the mode, if it has one and the shape is not degenerate.
void DrawToolPreview(QPainter& p, const CDrawContext& dc, const CPlotInfo& plot, const PreviewInput& in);

// A dotted focus rectangle between two device points (the selection rectangle, the
// zoom range, the enclosed ranges); nothing while they share an x or a y.
void DrawFocusRectangle(QPainter& p, QPoint a, QPoint b);
