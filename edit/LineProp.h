#pragma once
// What the shape-property panel does to a style slot, without its widgets: which slot
// a layout edits, the palettes' colours and hatches, the gradation and opacity
// fields, and the custom colours kept in the settings store.
#include "document/PlotInfo.h"

#include <array>
#include <string>

class CSettingsStore;

namespace lineprop {
constexpr int kColours = 26;
constexpr int kHatches = 6;
constexpr int kDirections = 8;
constexpr int kLineTypes = 6;
constexpr int kEndPoints = 13;
constexpr int kWidthTypes = 10;
extern const std::array<int, kColours> kBaseColours; // COLORREF values
extern const std::array<int, kHatches> kHatchStyles; // the pattern palette's cells
extern const std::array<int, kDirections> kDirectionDegrees;
extern const char* const kLineTypeNames[kLineTypes];
extern const char* const kEndPointNames[kEndPoints];
extern const char* const kArcFillNames[3];
extern const char* const kEndSizeNames[5];
extern const char* const kDirectionNames[kDirections];

// The slot a layout edits: 1-4 their own, every other layout (0, 5, 6) slot 0.
int SlotOfLayout(int layout);

// Which colour a palette click sets (the three radio buttons).
enum class Target { Line, Fill, Second };
// A palette colour: the line colour, or a fill colour only while 中を塗る is checked.
bool ApplyColour(CStyleSlot& s, Target target, bool fillChecked, int colour);
// "他の色を選択...": the line colour, else the fill colour while 中を塗る is checked;
// nullptr when the chooser has nothing to set.
int* ChooserTarget(CStyleSlot& s, Target target, bool fillChecked);

bool GradationOn(const CStyleSlot& s);
void SetGradationOn(CStyleSlot& s, bool on);
// Index into kDirectionDegrees of the stored direction; 0 when it is none of them.
int GradationDirectionIndex(const CStyleSlot& s);
// Stores the direction only while the gradation is on; false when nothing changed.
bool SetGradationDirection(CStyleSlot& s, int index);
// Opacity typed as text: a whole number 0-100 is stored, anything else ignored.
bool SetOpacityText(CStyleSlot& s, const std::string& text);

// The 26 custom colours of section TRN_PlotMenu and the cell the next chosen
// colour replaces.
class CCustomColours {
public:
    static constexpr const char* kSection = "TRN_PlotMenu";
    void Load(const CSettingsStore& store);
    // The cell the next chosen colour goes to; a stored counter outside 0-25 reads as 0.
    int Next() const { return m_next; }
    int Colour(int cell) const { return m_colours[static_cast<std::size_t>(cell)]; }
    // A colour from the chooser: into cell Next(), written, the counter moved on (25 wraps to 0).
    void Add(CSettingsStore& store, int colour);
    // A click on a custom cell makes it the next one replaced.
    void SetNext(CSettingsStore& store, int cell);

private:
    std::array<int, kColours> m_colours{};
    int m_next = 0;
};
} // namespace lineprop

namespace lineprop {
// The shape-property layout a tool mode opens its panel in; -1 for modes without one.
int PanelLayoutOfMode(int mode);
} // namespace lineprop
