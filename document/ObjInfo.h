#pragma once
// Current settings of the map line objects: roads, railways and rivers.
#include "ardelib/DefFile.h"

#include <array>

class CSettingsStore;

class CObjInfo : public CDefFile {
public:
    static constexpr int kRoad = 0;
    static constexpr int kRailway = 1;
    static constexpr int kRiver = 2;
    static constexpr int kWideCount = 5;

    CObjInfo() { ResetBuiltIn(); }

    // Roads.
    int m_dTanten = 0;     // end caps
    int m_dHuchi = 1;      // edge shown
    int m_dColor = 0;      // colour
    int m_dHuchiColor = 0; // edge colour
    int m_dHabaType = 2;   // width class
    int m_dCenterLine = 0; // centre-line style
    // Railways.
    int m_tTanten = 0;
    int m_tHabaType = 2;
    int m_tTrainType = 0; // 0 JR, 1 private line, 2 subway
    int m_tColor = 0;
    double m_tJrPitch = 4.0; // JR black-and-white dash length, printed mm
    // Rivers.
    int m_kTanten = 0;
    int m_kHuchi = 1;
    int m_kColor = 0;
    int m_kHuchiColor = 0;
    int m_kHabaType = 2;
    // Widths of the classes "細" … "太" in mm ("ObjInfoWide0" … "ObjInfoWide4").
    std::array<double, kWideCount> m_wide{};
    double m_tohoSpeed = 4.0; // km/h
    double m_carSpeed = 42.0; // km/h
    int m_wideScaled = 0;

    void ResetBuiltIn();
    // From section QLA_T_PlotMenu; the widths from the map-making program's settings
    // instead when "czread_habapich" is on.
    void LoadSettings(const CSettingsStore& store);
    void SaveSettings(CSettingsStore& store) const;

    int OnReadData(const std::string& key, const std::string& value) override;
    // The "LineObj" block.
    int Write(CDefArchive* ar) const;

    // Width in mm of a width class as stored in objects ("MObjWide"): the class is
    // clamped to 0-4 and the width held to 0 … 10000 mm.
    double Wide(int widthClass) const;
    // Defaults for a map line object read without "MObjHuchi": a road or a river takes
    // colour, edge and edge colour, a railway only its colour. False (nothing changed)
    // for other kinds.
    bool FillMissingEdge(int kind, int& color, int& huchi, int& huchiColor) const;
};
