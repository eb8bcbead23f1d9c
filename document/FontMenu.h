#pragma once
// A font for texts: a logical-font description plus letter height, spacings,
// background and alignment. Texts carry one ("BLKMTextFontMenu"); the document
// holds the one new plain texts copy.
#include "ardelib/DefFile.h"

#include <cstdint>
#include <string>

class CSettingsStore;

class CFontMenu : public CDefFile {
public:
    CFontMenu();

    int32_t m_lfHeight = -19;
    int32_t m_lfWidth = 0;
    int32_t m_lfEscapement = 0; // tenths of a degree
    int32_t m_lfOrientation = 0;
    int32_t m_lfWeight = 400;
    uint8_t m_lfItalic = 0;
    uint8_t m_lfUnderline = 0;
    uint8_t m_lfStrikeOut = 0;
    uint8_t m_lfCharSet = 1;
    uint8_t m_lfOutPrecision = 3;
    uint8_t m_lfClipPrecision = 2;
    uint8_t m_lfQuality = 1;
    uint8_t m_lfPitchAndFamily = 49;
    std::string m_faceName; // code page 932; "ＭＳ ゴシック" at construction
    int32_t m_color = 0;
    double m_size = 4.5;    // letter height, printed mm
    double m_kankaku = 0.0; // letter spacing, mm
    double m_gyoukan = 0.0; // line spacing, mm
    int m_bBack = 0;
    int32_t m_backColor = 16777215;
    int m_tokoAlign = 0; // horizontal alignment
    int m_tateAlign = 0; // vertical alignment

    // Constructor values.
    void ResetBuiltIn();
    // The current text font of a new view (letter height 3.5 when nothing was saved)
    // and the fallback font of text drawing (4.5): from section QLA_T_FontMenu when
    // "registset" is on, else the constructor values with that letter height.
    void ResetFromSettings(double builtInSize);
    void ResetFromSettings(const CSettingsStore& store, double builtInSize);
    void LoadSettings(const CSettingsStore& store);
    void SaveSettings(CSettingsStore& store) const;

    int OnReadData(const std::string& key, const std::string& value) override;
    // The block with every key, under blockName ("BLKMTextFontMenu" in texts).
    int Write(CDefArchive* ar, std::string_view blockName) const;
};
