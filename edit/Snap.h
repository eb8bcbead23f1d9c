#pragma once
// The two adjustments every editing pointer position passes through: the grid snap,
// then the orthogonal constraint.
#include "document/PelRecord.h"
#include "render/ViewCoords.h"

class CGrid;

// A drawing coordinate and the device pixel it stands for.
struct SnapPoint {
    PelPoint mm;
    QPoint px;
};

struct GridSnapRule {
    bool allPita = true; // app_gridallpita: always to the grid, else only when close
    int group = 0;       // the current layer group (its scale)
};

// The grid candidate nearest p when the grid is shown and snapping is on; p unchanged
// otherwise, and also when a pitch is 0 or less or under one device pixel (nothing to
// snap to).
SnapPoint SnapToGrid(const CGrid& grid, const CDrawTransform& t, const GridSnapRule& rule, SnapPoint p);

// Horizontal or vertical from ref: the coordinate with the smaller difference is
// taken from ref (equal differences: horizontal).
SnapPoint ConstrainOrthogonal(const CDrawTransform& t, int group, SnapPoint p, PelPoint ref);
