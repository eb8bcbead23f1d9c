#pragma once
// The tool modes: the document's integer, with the numbers every part of the program
// uses, and what each mode's command shows.
#include <span>

enum class ToolMode : int {
    Select = 0,
    Line = 7,
    Rect = 8,
    Polygon = 9,
    Circle = 10,
    Arc = 11,
    Text = 12,
    Dimension = 13,
    RangeImage = 16,
    RangeClipboard = 17,
    ThreePointArc = 27,
    Polyline = 28,
    DoubleLine = 29,
    Ellipse = 30,
    EllipticArc = 31,
    Spline = 32,
    SmoothPolygon = 33,
    Bezier = 34,
    DrawingCentre = 39,
    RangeMove = 40,
    RangeCopy = 41,
    RangeMirror = 42,
    RangeDelete = 43,
    FreeCurve = 48,
    DoubleLinePolygon = 49,
    RoundRect = 51,
    Balloon = 52,
    DecoratedText = 53,
};

struct ToolModeInfo {
    ToolMode mode;
    int command;          // the command id; 0 for the palette's text tools
    const char* menuText; // UTF-8, with its access key
    const char* prompt;   // the prompt on entry (UTF-8)
    bool snapshotOnEntry; // the command takes an undo step when it is chosen
    bool built;           // the tool's gestures exist (the others stay disabled)
    const char* tip;      // the tooltip and status tip
};

// Every mode a command enters, in menu order; select mode first.
std::span<const ToolModeInfo> AllToolModes();
// Nullptr for a number without a meaning.
const ToolModeInfo* FindToolMode(int mode);

inline bool IsMode(int value, ToolMode m) { return value == static_cast<int>(m); }
