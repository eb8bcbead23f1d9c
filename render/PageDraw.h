#pragma once
// The page drawing shared by the screen's page bitmap, the printer and the exports:
// paper, grid and rulers, then layer by layer the objects in a fixed order of kinds,
// then the selection markers.
#include "document/Selection.h"
#include "render/DrawContext.h"
#include "render/PictureDraw.h"
#include "render/TextDraw.h"

#include <vector>

class CGrid;
class CLayer;
class CPelUnit;
class CPlotInfo;
class CPelmoraDoc;
class QPaintDevice;
class QPainter;


// What a page drawing reads of the settings store, read once before the drawing (and
// before its bands start: no drawing thread reads the store).
struct PageSettings {
    TextDrawSettings text;
    PictureDrawSettings picture;
    int gazousita = 0;           // app_gazousita as the layer walk of map pages reads it
    int sirokuroRoomHachDel = 0; // app_sirokuro_roomhachdel
    WidthTables planWidths;
    int gazouHoseinasi = 1; // exports draw imported plans with their screen widths
    static PageSettings Read();
};

struct PageRequest {
    PageDevice dev;
    bool screen = false;   // the view's page bitmap: grid, rulers, surroundings, markers
    int printMode = 0;     // 0 screen, 1 printer or export, 2 export with uncorrected plans
    double zoom = 1;
    QRect viewArea;        // screen: the whole scroll area in view pixels, for the surroundings
    const CSelection* selection = nullptr;
    bool leaveOutSelection = false; // while the selection is dragged
    bool onlySelection = false;     // the dragged selection alone, over the page kept without it
    int planPrintMode = -1;         // what the imported plans are drawn with; -1: printMode
    // Null: DrawPage reads them itself (a drawing on one thread only).
    const PageSettings* settings = nullptr;
};

// A page drawing at true size on a printing device (printer, export), printing mode 1,
// the device's whole area drawable and its centre the origin.
PageRequest TrueSizeRequest(const CPelmoraDoc& doc, const QPaintDevice& device);

// The drawing context of a page drawing of doc on dev: transform (group scale y from
// the vertical resolution on printers only), switches and style tables.
CDrawContext MakeDrawContext(const CPelmoraDoc& doc, const PageDevice& dev, int printMode, double zoom,
                             bool useDpiYForY, const PageSettings& settings = PageSettings::Read());

// The plot settings' switches, style tables and wall and map-object settings.
void ApplyPlotSettings(CDrawContext& dc, const CPlotInfo& pi);

// Every layer of every layer group of unit that layers shows, map line objects
// included (imported plans).
void DrawWholeUnit(QPainter& p, const CDrawContext& dc, const CPelUnit& unit, const CLayer& layers);

// Draws the page. Nothing is drawn when the drawable rectangle is empty.
void DrawPage(QPainter& p, const CPelmoraDoc& doc, const PageRequest& req);
// Makes once, on the calling thread, what every band of the page would otherwise make
// for itself: the outlines of the sheet's decorated texts.
void PreparePage(const CPelmoraDoc& doc, const PageRequest& req);

// Grid lines and axes, then the rulers when asked for; the grid follows the scale of
// layer group editGroup. A pitch under one device pixel draws no lines.
void DrawGrid(QPainter& p, const CGrid& grid, const CDrawTransform& t, int editGroup, const PxRect& paper,
              const PxRect& drawable);

// The label of ruler mark k: k x pitch (type 0), k (type 1), empty otherwise.
std::string RulerLabel(int k, int pitch, int memoriType);
