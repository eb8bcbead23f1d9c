#include "document/FontMenu.h"

#include "ardelib/SettingsStore.h"
#include "document/RecordText.h"
#include "document/StyleIndex.h"
#include "platform/Codec.h"
#include "platform/Profile.h"

#include <string>

namespace {
const char kFontMenu[] = "QLA_T_FontMenu";
const char kDefaultFace[] = "ＭＳ ゴシック";

int32_t TextInt(const CSettingsStore& store, const char* key, const char* def)
{
    return DefAtoi(store.GetString(kFontMenu, key, def));
}

double TextReal(const CSettingsStore& store, const char* key, const char* def)
{
    return styleidx::SaneFileReal(DefAtof(store.GetString(kFontMenu, key, def)));
}

uint8_t Byte(int v) { return static_cast<uint8_t>(v); }
} // namespace

CFontMenu::CFontMenu() { ResetBuiltIn(); }

void CFontMenu::ResetBuiltIn()
{
    m_lfHeight = -19;
    m_lfWidth = 0;
    m_lfEscapement = 0;
    m_lfOrientation = 0;
    m_lfWeight = 400;
    m_lfItalic = 0;
    m_lfUnderline = 0;
    m_lfStrikeOut = 0;
    m_lfCharSet = 1;
    m_lfOutPrecision = 3;
    m_lfClipPrecision = 2;
    m_lfQuality = 1;
    m_lfPitchAndFamily = 49;
    m_faceName = cp932::Lit(kDefaultFace);
    m_color = 0;
    m_size = 4.5;
    m_kankaku = 0.0;
    m_gyoukan = 0.0;
    m_bBack = 0;
    m_backColor = 16777215;
    m_tokoAlign = 0;
    m_tateAlign = 0;
}

void CFontMenu::ResetFromSettings(double builtInSize) { ResetFromSettings(AppProfile(), builtInSize); }

void CFontMenu::ResetFromSettings(const CSettingsStore& store, double builtInSize)
{
    if (store.GetInt("QLA_T_UTILITY", "registset", 0) != 0) {
        LoadSettings(store);
        return;
    }
    ResetBuiltIn();
    m_size = builtInSize;
}

void CFontMenu::LoadSettings(const CSettingsStore& store)
{
    m_lfHeight = TextInt(store, "height", "");
    m_lfWidth = TextInt(store, "width", "");
    m_lfEscapement = TextInt(store, "escape", "");
    m_lfOrientation = TextInt(store, "orient", "");
    m_lfWeight = TextInt(store, "weight", "");
    m_lfItalic = Byte(store.GetInt(kFontMenu, "italic", 0));
    m_lfUnderline = Byte(store.GetInt(kFontMenu, "underline", 0));
    m_lfStrikeOut = Byte(store.GetInt(kFontMenu, "strikeout", 0));
    m_lfCharSet = Byte(store.GetInt(kFontMenu, "charset", 1));
    m_lfOutPrecision = Byte(store.GetInt(kFontMenu, "outprecision", 3));
    m_lfClipPrecision = Byte(store.GetInt(kFontMenu, "clipprecision", 2));
    m_lfPitchAndFamily = Byte(store.GetInt(kFontMenu, "pitchandfamily", 49));
    // The store holds UTF-8; a face the code page cannot hold keeps the default face.
    std::string face;
    if (cp932::FromUtf8(store.GetString(kFontMenu, "name", kDefaultFace), face))
        m_faceName = face;
    else
        m_faceName = cp932::Lit(kDefaultFace);
    m_color = TextInt(store, "color", "");
    m_size = TextReal(store, "size", "3.5");
    m_kankaku = TextReal(store, "kankaku", "0");
    m_gyoukan = TextReal(store, "gyoukan", "0");
    m_bBack = store.GetInt(kFontMenu, "b_back", 0);
    m_backColor = TextInt(store, "b_color", "16777215");
}

void CFontMenu::SaveSettings(CSettingsStore& store) const
{
    store.WriteString(kFontMenu, "height", std::to_string(m_lfHeight));
    store.WriteString(kFontMenu, "width", std::to_string(m_lfWidth));
    store.WriteString(kFontMenu, "escape", std::to_string(m_lfEscapement));
    store.WriteString(kFontMenu, "orient", std::to_string(m_lfOrientation));
    store.WriteString(kFontMenu, "weight", std::to_string(m_lfWeight));
    store.WriteInt(kFontMenu, "italic", m_lfItalic);
    store.WriteInt(kFontMenu, "underline", m_lfUnderline);
    store.WriteInt(kFontMenu, "strikeout", m_lfStrikeOut);
    store.WriteInt(kFontMenu, "charset", m_lfCharSet);
    store.WriteInt(kFontMenu, "outprecision", m_lfOutPrecision);
    store.WriteInt(kFontMenu, "clipprecision", m_lfClipPrecision);
    store.WriteInt(kFontMenu, "pitchandfamily", m_lfPitchAndFamily);
    store.WriteString(kFontMenu, "name", cp932::ToUtf8(m_faceName));
    store.WriteString(kFontMenu, "color", std::to_string(m_color));
    store.WriteString(kFontMenu, "size", SettingReal(m_size));
    store.WriteString(kFontMenu, "kankaku", SettingReal(m_kankaku));
    store.WriteString(kFontMenu, "gyoukan", SettingReal(m_gyoukan));
    store.WriteInt(kFontMenu, "b_back", m_bBack);
    store.WriteString(kFontMenu, "b_color", std::to_string(m_backColor));
}

int CFontMenu::OnReadData(const std::string& key, const std::string& v)
{
    auto is = [&key](const char* k) { return DefIEquals(key, k); };
    if (is("Font_lfHeight"))
        m_lfHeight = DefAtoi(v);
    else if (is("Font_lfWidth"))
        m_lfWidth = DefAtoi(v);
    else if (is("Font_lfEscapement"))
        m_lfEscapement = DefAtoi(v);
    else if (is("Font_lfOrientation"))
        m_lfOrientation = DefAtoi(v);
    else if (is("Font_lfWeight"))
        m_lfWeight = DefAtoi(v);
    else if (is("Font_lfItalic"))
        m_lfItalic = Byte(DefAtoi(v));
    else if (is("Font_lfUnderline"))
        m_lfUnderline = Byte(DefAtoi(v));
    else if (is("Font_lfStrikeOut"))
        m_lfStrikeOut = Byte(DefAtoi(v));
    else if (is("Font_lfCharSet"))
        m_lfCharSet = Byte(DefAtoi(v));
    else if (is("Font_lfOutPrecision"))
        m_lfOutPrecision = Byte(DefAtoi(v));
    else if (is("Font_lfClipPrecision"))
        m_lfClipPrecision = Byte(DefAtoi(v));
    else if (is("Font_lfQuality"))
        m_lfQuality = Byte(DefAtoi(v));
    else if (is("Font_lfPitchAndFamily"))
        m_lfPitchAndFamily = Byte(DefAtoi(v));
    else if (is("Font_lfFaceName"))
        m_faceName = v;
    else if (is("Font_m_Color"))
        m_color = DefAtoi(v);
    else if (is("Font_m_size"))
        m_size = styleidx::SaneFileReal(DefAtof(v));
    else if (is("Font_m_kankaku"))
        m_kankaku = styleidx::SaneFileReal(DefAtof(v));
    else if (is("Font_m_gyoukan"))
        m_gyoukan = styleidx::SaneFileReal(DefAtof(v));
    else if (is("Font_m_bBack"))
        m_bBack = DefAtoi(v);
    else if (is("Font_m_BackColor"))
        m_backColor = DefAtoi(v);
    else if (is("Font_m_toko_align"))
        m_tokoAlign = DefAtoi(v);
    else if (is("Font_m_tate_align"))
        m_tateAlign = DefAtoi(v);
    return 1;
}

int CFontMenu::Write(CDefArchive* ar, std::string_view blockName) const
{
    return WriteStart(ar, blockName) && WriteDataInt(ar, "Font_lfHeight", m_lfHeight)
           && WriteDataInt(ar, "Font_lfWidth", m_lfWidth) && WriteDataInt(ar, "Font_lfEscapement", m_lfEscapement)
           && WriteDataInt(ar, "Font_lfOrientation", m_lfOrientation)
           && WriteDataInt(ar, "Font_lfWeight", m_lfWeight) && WriteDataInt(ar, "Font_lfItalic", m_lfItalic)
           && WriteDataInt(ar, "Font_lfUnderline", m_lfUnderline)
           && WriteDataInt(ar, "Font_lfStrikeOut", m_lfStrikeOut) && WriteDataInt(ar, "Font_lfCharSet", m_lfCharSet)
           && WriteDataInt(ar, "Font_lfOutPrecision", m_lfOutPrecision)
           && WriteDataInt(ar, "Font_lfClipPrecision", m_lfClipPrecision)
           && WriteDataInt(ar, "Font_lfQuality", m_lfQuality)
           && WriteDataInt(ar, "Font_lfPitchAndFamily", m_lfPitchAndFamily)
           && WriteData(ar, "Font_lfFaceName", OneLine(m_faceName)) && WriteDataInt(ar, "Font_m_Color", m_color)
           && WriteDataDouble(ar, "Font_m_size", m_size) && WriteDataDouble(ar, "Font_m_kankaku", m_kankaku)
           && WriteDataDouble(ar, "Font_m_gyoukan", m_gyoukan) && WriteDataInt(ar, "Font_m_bBack", m_bBack)
           && WriteDataInt(ar, "Font_m_BackColor", m_backColor)
           && WriteDataInt(ar, "Font_m_toko_align", m_tokoAlign)
           && WriteDataInt(ar, "Font_m_tate_align", m_tateAlign) && WriteEnd(ar, blockName);
}
