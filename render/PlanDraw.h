#pragma once
// Imported floor plans and maps on the sheet: each drawn through its own transform
// with its own plot settings, followed on the screen by its frame.
#include "render/DrawContext.h"

#include <vector>

class CPelmoraDoc;
class CZel;
class QPainter;

// The wall-line widths every plan is drawn with (section QLA_T_PlotMenu, read again
// at every drawing): zel_linehutosa, zel_linehutosag_0..9, zel_linehutosap_0..9.
WidthTables PlanLineWidths();

// The transform of a plan: its own group scales on dev, the origin at the plan's
// centre (through the page's row of editGroup), the extra factor from the scale at
// placement.
CDrawTransform PlanTransform(const CZel& plan, const PageDevice& dev, const CDrawTransform& page, int editGroup);

// The drawing context of a plan: its transform, its own plot settings and switches,
// the plan line widths. printMode is what the page hands to the plans (1 or 2 when
// printing). greyed: the whole plan is drawn in the grey display.
CDrawContext PlanDrawContext(const CZel& plan, const PageDevice& dev, const CDrawContext& page, int editGroup,
                             int printMode, bool greyed);

// Draws one plan: every layer its own layer table shows, map line objects included.
void DrawPlan(QPainter& p, const CZel& plan, const PageDevice& dev, const CDrawContext& page, int editGroup,
              int printMode, bool greyed = false);

// The frame of a plan (screen only): a cross at its origin and its square, dotted blue,
// or solid red with corner markers when marked.
void DrawPlanFrame(QPainter& p, const CZel& plan, const CDrawTransform& page, int editGroup, bool marked);

// Which plans a page drawing takes.
struct PlanFilter {
    bool onLayerOnly = false; // only the plans lying on (layerG, layerN)
    int layerG = 0, layerN = 0;
    bool leaveOutSelected = false; // frames are then drawn unmarked
    bool onlySelected = false;     // the live drawing of the dragged plans, marked frames
};

// Draws the document's plans that the filter takes, each followed by its frame when
// frames is set (the screen). The page's grey display greys plans that do not lie on
// the edit layer.
void DrawPlans(QPainter& p, const CPelmoraDoc& doc, const PageDevice& dev, const CDrawContext& page, int printMode,
               bool frames, const PlanFilter& filter);

// The rubber square while corner handle (1-4) of a plan is dragged from press to
// current (sheet millimetres); before is the plan as it was at the press. Nothing when
// the size would be 0.
void DrawPlanResizePreview(QPainter& p, const CZel& before, int handle, int editGroup, const CDrawTransform& page,
                           double pressX, double pressY, double curX, double curY);
