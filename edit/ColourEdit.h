#pragma once
// Colour and fill changes of the selection: its lines and texts with the lines and
// texts of its groups.
#include "document/PelUnit.h"
#include "document/Selection.h"

enum class ColourTarget {
    Outline,  // the colour of lines and texts
    Fill,     // the fill colour of filled lines
    Unfilled, // unfilled lines get a fill of the colour
};

// Applies colour to the targets; white fills stay white unless whiteToo. The number of
// records changed (0: nothing to undo).
int ChangeColour(CPelUnit& unit, const CSelection& sel, ColourTarget target, int colour, bool whiteToo);
// Turns the fill of every target line off; the number changed.
int RemoveFill(CPelUnit& unit, const CSelection& sel);
// The colour the chooser starts with: that of the one selected line or text, else black.
int StartColour(const CPelUnit& unit, const CSelection& sel, ColourTarget target);
