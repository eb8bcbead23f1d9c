#pragma once
// A text of the drawing: a string with line breaks, its anchor, CSV link and
// decoration settings, and its own font.
#include "document/FontMenu.h"
#include "document/PelRecord.h"

class CPelUnit;

class CPelText : public CDefFile {
public:
    static constexpr const char* kBlock = "BLK_UnitText";
    static constexpr const char* kFontBlock = "BLKMTextFontMenu";

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // In files a line break is one TAB.
    static std::string FromFileText(std::string_view value);
    static std::string ToFileText(std::string_view text);

    int m_id = 0;
    std::string m_text; // code page 932, lines separated by CR LF
    PelPoint m_point;
    int m_groupId = 0;
    int m_layer1 = 0;
    int m_layer2 = 0;
    int m_csvCol = -1;
    int m_csvRow = -1;
    int m_csvFlg = 0;
    int m_kiteibun = 0;
    int m_huchiFlg = 0;
    int m_huchiAtsumi = 4;
    int m_huchiType = 0;
    int m_huchiKeij = 5;
    int m_huchiAlpha = 100;
    CFontMenu m_font;
};

// What the text tool hands over for a new plain text.
struct CPlainTextSpec {
    std::string text; // code page 932
    const CFontMenu* font = nullptr; // the document's current text font
    PelPoint anchor;
    bool vertical = false;
    int rotation = 0; // whole degrees
    int csvCol = -1;
    int csvRow = -1;
    int csvMode = 0;
    int kiteibun = 0;
    int layer1 = 0; // the current edit layers
    int layer2 = 0;
};

// Appends a new text to unit and returns it; nullptr (after the unit's message) when no
// text ID is free. The caller makes the selection hold just this text.
CPelText* CreatePlainText(CPelUnit& unit, const CPlainTextSpec& recipe);
