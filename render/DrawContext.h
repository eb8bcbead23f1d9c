#pragma once
// What every object drawing routine of one page drawing receives: the transform, the
// device's printing flag and the display switches and style tables of the plot
// settings in force for this drawing.
#include "render/LineStyle.h"
#include "render/ViewCoords.h"

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

    int hojonuriprt = 1;       // auxiliary closed shapes print their fill
    int sirokuroRoomHachDel = 0; // monochrome hides room hatching lines

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
