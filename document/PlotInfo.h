#pragma once
// Everything about a drawing that is not a drawn object: paper, scales, wall and
// pillar defaults, switches, the five style slots for new lines, the map-object
// settings, dash pitches, the layer table and the format version.
#include "document/Layer.h"
#include "document/ObjInfo.h"
#include "document/Paper.h"
#include "document/RoomInfo.h"

#include <array>
#include <string>

class CSettingsStore;

// The style a new line of one family takes (slot 1 rectangle, 2 polygon,
// 3 circle and ellipse, 4 arc, 0 every other kind).
struct CStyleSlot {
    int m_color = 0;               // "PlotColor"s
    int m_nakaColor = 16777215;    // "PlotNakaColor"s: fill colour
    int m_nakaColor2 = 16777215;   // "PlotNakaColor2"s: second fill colour
    int m_gradiation = 1;          // "PlotGradiation"s
    int m_nakaNuri = 0;            // "PlotNakaNuri"s: fill on
    int m_bHach = 0;               // "PlotbHach"s: hatching on
    int m_pat = 0;                 // "PlotPat"s: tile pattern
    int m_alpha = 100;             // "PlotAlpha"s: opacity, percent
    int m_hachT = 3;               // "PlotHachT"s: hatch style
    int m_lineType = 0;            // "PlotLineType"s
    int m_lineWide = 1;            // "PlotLineWide"s: width class
    int m_tanten = 0;              // "PlotLineTanten" (slot 0), "PlotLineTanten"s: end markers

    bool operator==(const CStyleSlot&) const = default;
};

class CPlotInfo : public CDefFile {
public:
    static constexpr int kStyleSlots = 5;
    static constexpr int kDashPitches = 14;
    static constexpr int kWallLineWidths = 10;
    static constexpr int kShapePitches = 5;
    static constexpr int kVersion = 22001;

    // Positions in m_linePich.
    enum DashPitch {
        kDash0 = 0, kDash1, kDot0, kDot1, kDashDot0, kDashDot1, kDashDot2, kDashDot3,
        kDashDotDot0, kDashDotDot1, kDashDotDot2, kDashDotDot3, kDashDotDot4, kDashDotDot5
    };

    CPlotInfo();

    CObjInfo m_objInfo;                              // "LineObj"
    std::array<float, kDashPitches> m_linePich{};    // dash patterns, printed mm
    CRoomInfo m_roomInfo;
    CLayer m_layer;                                  // "PlotLayer"
    int m_layGray = 0;                               // grey the layers other than the edit layer
    int m_paperSize = 0;                             // "PlotPaperSize" as stored; see Paper()
    int m_paperUserX = 297;                          // "PlotPaperSizeUserX", mm
    int m_paperUserY = 210;                          // "PlotPaperSizeUserY", mm
    int m_wallBlack = 2;                             // "PlotWallBlack": wall fill
    int m_wallColor = 0;                             // "PlotWallColor"
    int m_hasiraColor = 0;                           // "PlotHasiraColor"
    int m_wallWide = 50;                             // "PlotWallWide": half thickness of new walls
    int m_wallType = 0;                              // 0 "大壁", 1 "真壁"
    int m_hasiraWide = 50;                           // "PlotHasiraWide": half width of new pillars
    int m_hasiraType = 0;                            // 0 "管柱", 1 "間柱", 2 "通し柱"
    int m_scale = 1;                                 // "PlotScale"
    int m_linePita = 0;                              // "PlotLinePita"
    int m_wallPita = 0;                              // "PlotWallPita"
    int m_koutenPita = 0;
    int m_moveX = 10;                                // "PlotMoveX": arrow-key step, mm
    int m_moveY = 10;                                // "PlotMoveY"
    int m_sunpoTextHeight = 3;                       // "PlotSunpoTextHeight", printed mm
    int m_sunpoKurai = 0;                            // "PlotSunpokurai": decimals of dimensions
    int m_sirokuro = 0;                              // "PlotSirokuro": monochrome display
    int m_gradation = 0;                             // "PlotGradation": gradation display
    int m_vx3D = 0;                                  // "PlotVx3D": relief display
    int m_imageWidth = 60;                           // "PlotImageWidth", printed mm
    int m_imageHeight = 60;                          // "PlotImageHeight"
    std::string m_dataFolder;                        // root of the parts library (UTF-8 path)
    int m_lineHutosa = 1;                            // wall-line width mode
    std::array<int, kWallLineWidths> m_lineHutosaG{}; // screen widths of classes 1-10, pixels
    std::array<int, kWallLineWidths> m_lineHutosaP{}; // printer widths of classes 1-10, pixels
    std::array<CStyleSlot, kStyleSlots> m_style{};
    int m_lineYaWide = 1;                            // "PlotLineYaWide": marker size class
    std::array<double, kShapePitches> m_keijPich{};  // marker sizes of classes 0-4, printed mm
    int m_sunpoTanten = 0;                           // "PlotSunpoTanten"
    int m_version = kVersion;                        // "PlotVersion"

    // New document: from the settings store when "registset" is on, else built-in.
    void Reset();
    void Reset(const CSettingsStore& store);
    // Built-in values without the settings store (imported plans): the keyed group
    // scales become 1, dash and shape pitches their defaults.
    void ResetBuiltIn();
    void ResetStyles();
    // The mirror written when the program ends.
    void SaveSettings(CSettingsStore& store) const;

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    // The "PlotInfo" block: every key, then "LineObj", then "PlotLayer".
    int Write(CDefArchive* ar) const;

    // The slot of a line kind ("MLineType"): 1-4 their own, every other kind 0.
    static int SlotOfKind(int lineKind) { return lineKind >= 1 && lineKind <= 4 ? lineKind : 0; }
    CStyleSlot& Style(int lineKind) { return m_style[static_cast<std::size_t>(SlotOfKind(lineKind))]; }
    const CStyleSlot& Style(int lineKind) const { return m_style[static_cast<std::size_t>(SlotOfKind(lineKind))]; }

    // The sheet drawing uses; never an unknown code (paper::Effective).
    PaperSheet Paper() const { return paper::Effective(m_paperSize, m_paperUserX, m_paperUserY); }
    // Width-class tables by class 1-10 (clamped).
    int LineWidthScreen(int widthClass) const;
    int LineWidthPrint(int widthClass) const;
    // Marker size in printed mm of a size class 0-4 (clamped).
    double MarkerSizeMm(int sizeClass) const;
    // The dash pattern of a line type into out (on, off, …): the number of entries,
    // 0 for solid lines and the auxiliary line. Entries are held to 0 … 10000 mm.
    int DashPattern(int lineType, float out[6]) const;
    // The data folder as designed: "data" in the per-user data folder, or in
    // "path_set_forda" when "path_data_flg" is on.
    static std::string DataFolder(const CSettingsStore& store);

private:
    void LoadDashPitches(const CSettingsStore& store);
    void LoadShapePitches(const CSettingsStore& store);
    void ResetShared();
};
