#pragma once
// The page drawing shared by the screen's page bitmap, the printer and the exports:
// paper, grid and rulers, then layer by layer the objects in a fixed order of kinds,
// then the selection markers.
#include "render/DrawContext.h"

#include <vector>

class CGrid;
class CLayer;
class CPelUnit;
class CPlotInfo;
class CPelmoraDoc;
class QPaintDevice;
class QPainter;

// The objects the page marks as selected (and leaves out while they are dragged).
struct PageSelection {
    std::vector<int> groups, lines, walls, texts, pictures, objects;
    int Count() const
    {
        return static_cast<int>(groups.size() + lines.size() + walls.size() + texts.size() + pictures.size() +
                                objects.size());
    }
};

struct PageRequest {
    PageDevice dev;
    bool screen = false;   // the view's page bitmap: grid, rulers, surroundings, markers
    int printMode = 0;     // 0 screen, 1 printer or export, 2 export with uncorrected plans
    double zoom = 1;
    QRect viewArea;        // screen: the whole scroll area in view pixels, for the surroundings
    const PageSelection* selection = nullptr;
    bool leaveOutSelection = false; // while the selection is dragged
    int planPrintMode = -1;         // what the imported plans are drawn with; -1: printMode
    // Screen: the drawing notes where each picture went (for the selection); of the
    // bands of one page only one does.
    bool notePictureRects = true;
};

// A page drawing at true size on a printing device (printer, export), printing mode 1,
// the device's whole area drawable and its centre the origin.
PageRequest TrueSizeRequest(const CPelmoraDoc& doc, const QPaintDevice& device);

// The drawing context of a page drawing of doc on dev: transform (group scale y from
// the vertical resolution on printers only), switches and style tables.
CDrawContext MakeDrawContext(const CPelmoraDoc& doc, const PageDevice& dev, int printMode, double zoom,
                             bool useDpiYForY);

// The plot settings' switches, style tables and wall and map-object settings.
void ApplyPlotSettings(CDrawContext& dc, const CPlotInfo& pi);

// Every layer of every layer group of unit that layers shows, map line objects
// included (imported plans).
void DrawWholeUnit(QPainter& p, const CDrawContext& dc, const CPelUnit& unit, const CLayer& layers);

// Draws the page. Nothing is drawn when the drawable rectangle is empty.
void DrawPage(QPainter& p, const CPelmoraDoc& doc, const PageRequest& req);

// Grid lines and axes, then the rulers when asked for; the grid follows the scale of
// layer group editGroup. A pitch under one device pixel draws no lines.
void DrawGrid(QPainter& p, const CGrid& grid, const CDrawTransform& t, int editGroup, const PxRect& paper,
              const PxRect& drawable);

// The label of ruler mark k: k x pitch (type 0), k (type 1), empty otherwise.
std::string RulerLabel(int k, int pitch, int memoriType);
