#pragma once
// How a click finds objects, which handle of a single selection it grabs, and which
// objects a rectangle encloses. Every tolerance is in device pixels of the view; hit
// rectangles come from the transform, never from what was last painted.
#include "document/PelRecord.h"
#include "document/Selection.h"
#include "render/DrawContext.h"

class CPelUnit;
class CArZel;
struct CZelSelection;

// The layer pair that clicks and select-mode rectangles are confined to.
struct LayerPair {
    int group = 0, layer = 0;
};

constexpr int kHitPx = 5;

// The click test of select mode. ctrl adds to the selection (never twice); a
// double-click selects the next object beneath the pointer after the single selected
// one, in order of ID. True when something was hit.
bool PickObject(const CPelUnit& unit, const CDrawContext& dc, LayerPair current, QPoint px, bool ctrl,
                bool doubleClick, CSelection& sel);

// The press against the handles of the one selected object; sets sel.handle and
// sel.handleIndex when one is hit.
bool HitHandle(const CPelUnit& unit, const CDrawContext& dc, QPoint px, CSelection& sel);

// Selects what the rectangle between a and b encloses (groups by their box, free
// lines by all their points, free texts by their position, pictures by their four
// corners; never walls or map objects). currentOnly keeps only objects of current.
void SelectInRect(const CPelUnit& unit, const CDrawContext& dc, PelPoint a, PelPoint b, bool currentOnly,
                  LayerPair current, CSelection& sel);

// The imported plan whose frame holds the click (the last placed first); 0 for none.
int HitPlan(const CArZel& plans, const CDrawTransform& t, int editGroup, QPoint px);

// The distance from px to the outline of a line record in pixels, when less than best;
// -1 otherwise.
double LineDistance(const CDrawContext& dc, const class CPelLine& line, QPoint px, double best);
