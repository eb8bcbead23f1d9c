#pragma once
// What every object drawing routine of one page drawing receives: the transform, the
// device's printing flag and the display switches and style tables of the plot
// settings in force for this drawing.
#include "render/LineStyle.h"
#include "render/ViewCoords.h"

#include <string>

struct PageSettings;

struct CDrawContext {
    CDrawTransform t;
    bool printing = false; // any non-zero printing mode: auxiliary lines hidden, no grey display
    int printMode = 0;
    // Antialiased edges and curves: on for printers and exports; the screen's page
    // bitmap goes without, to stay fast on crowded sheets.
    bool smooth = false;

    int sirokuro = 0;
    int gradation = 0;
    int plotVersion = 22001;
    int laygray = 0;
    int edit1 = 0, edit2 = 0;

    float pitches[14] = {3.75f, 1.25f, 1.25f, 1.25f, 6.25f, 1.25f, 1.25f, 1.25f, 3.25f, 1.25f, 1.25f, 1.25f, 1.25f, 1.25f};
    WidthTables widths;
    double keijPich[5] = {0.6, 1.0, 1.66, 2.5, 4.0};

    int sunpoTextHeight = 3; // printed mm
    int sunpoKurai = 0;
    int sunpoTanten = 0;

    // Read from the settings store once per page, before any band starts.
    // The page drawing's settings, for the units drawn inside it (imported plans);
    // null outside a page drawing.
    const PageSettings* settings = nullptr;
    WidthTables planWidths;   // imported plans' wall-line widths
    std::string fallbackFace; // face of the fallback font record (code page 932)

    int hojonuriprt = 1;       // auxiliary closed shapes print their fill
    int sirokuroRoomHachDel = 0; // monochrome hides room hatching lines

    // Walls and pillars.
    int wallBlack = 2;   // wall colour mode
    int wallColor = 0;
    int hasiraColor = 0; // 0 white, 1 black, 2 white with a cross
    int hasiraAuto = 1;  // corner pillars at wall ends
    // Map line objects.
    int plotScale = 1;
    int vx3D = 0;
    int objhabascale = 0;
    double objWide[5] = {0.3, 0.8, 1.5, 2.5, 5.0}; // mm, by width class
    double jrPitch = 4.0;                          // printed mm
    // Map line objects take the screen's widths in printing mode 2.
    bool MapPrinting() const { return printing && printMode != 2; }

    // Colour rules for an object on (layer1, layer2).
    ColorContext Colors(int layer1, int layer2) const
    {
        ColorContext cc;
        cc.sirokuro = sirokuro;
        cc.gradation = gradation;
        cc.plotVersion = plotVersion;
        cc.greyed = !printing && laygray && (layer1 != edit1 || layer2 != edit2);
        return cc;
    }
};
