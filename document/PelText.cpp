#include "document/PelText.h"

#include "document/PelUnit.h"

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }
} // namespace

std::string CPelText::FromFileText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\t')
            out.append("\r\n");
        else
            out.push_back(c);
    }
    return out;
}

std::string CPelText::ToFileText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out.push_back('\t');
            ++i;
        } else if (c == '\r' || c == '\n') {
            // A lone break would end the value line and spill the rest into the file.
            out.push_back('\t');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

RD_STATUS CPelText::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, kFontBlock))
        return m_font.Load(ar, name) ? RD_DONE : RD_ERROR;
    return RD_SKIP;
}

int CPelText::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "MTextID"))
        m_id = DefAtoi(value);
    else if (Is(key, "MTextstr"))
        m_text = FromFileText(value);
    else if (Is(key, "MTextpntX"))
        m_point.x = PelReadReal(value);
    else if (Is(key, "MTextpntY"))
        m_point.y = PelReadReal(value);
    else if (Is(key, "MTextGrpID"))
        m_groupId = DefAtoi(value);
    else if (Is(key, "MTextLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "MTextLayer2"))
        m_layer2 = DefAtoi(value);
    else if (Is(key, "MTextCol"))
        m_csvCol = DefAtoi(value);
    else if (Is(key, "MTextRow"))
        m_csvRow = DefAtoi(value);
    else if (Is(key, "MTextCsvFlg"))
        m_csvFlg = DefAtoi(value);
    else if (Is(key, "MTextKiteibun"))
        m_kiteibun = DefAtoi(value);
    else if (Is(key, "MTextHuchiFlg"))
        m_huchiFlg = DefAtoi(value);
    else if (Is(key, "MTextHuchiAtsumi"))
        m_huchiAtsumi = DefAtoi(value);
    else if (Is(key, "MTextHuchiType"))
        m_huchiType = DefAtoi(value);
    else if (Is(key, "MTextHuchiKeij"))
        m_huchiKeij = DefAtoi(value);
    else if (Is(key, "MTextHuchiAlpha"))
        m_huchiAlpha = DefAtoi(value);
    return 1;
}

int CPelText::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "MTextID", m_id)
              && WriteData(ar, "MTextstr", ToFileText(m_text)) && WriteDataDouble(ar, "MTextpntX", m_point.x)
              && WriteDataDouble(ar, "MTextpntY", m_point.y) && WriteDataInt(ar, "MTextGrpID", m_groupId)
              && WriteDataInt(ar, "MTextLayer1", m_layer1) && WriteDataInt(ar, "MTextLayer2", m_layer2)
              && WriteDataInt(ar, "MTextCol", m_csvCol) && WriteDataInt(ar, "MTextRow", m_csvRow)
              && WriteDataInt(ar, "MTextCsvFlg", m_csvFlg) && WriteDataInt(ar, "MTextKiteibun", m_kiteibun)
              && WriteDataInt(ar, "MTextHuchiFlg", m_huchiFlg) && WriteDataInt(ar, "MTextHuchiAtsumi", m_huchiAtsumi)
              && WriteDataInt(ar, "MTextHuchiType", m_huchiType) && WriteDataInt(ar, "MTextHuchiKeij", m_huchiKeij)
              && WriteDataInt(ar, "MTextHuchiAlpha", m_huchiAlpha) && m_font.Write(ar, kFontBlock)
              && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}

CPelText* CreatePlainText(CPelUnit& unit, const CPlainTextSpec& recipe)
{
    int id = unit.NextId(CPelUnit::KindText);
    if (id == 0)
        return nullptr;
    auto text = std::make_unique<CPelText>();
    text->m_id = id;
    text->m_text = recipe.text;
    if (recipe.font)
        text->m_font = *recipe.font;
    CFontMenu& font = text->m_font;
    if (recipe.vertical) {
        if (font.m_faceName.empty() || font.m_faceName[0] != '@')
            font.m_faceName = "@" + font.m_faceName; // insert(0, ...) trips a false -Wrestrict in GCC 12 -O2
        font.m_lfEscapement = 2700;
    }
    // Tenths of a degree, kept within one turn whatever the rotation given.
    long long esc = static_cast<long long>(font.m_lfEscapement) + static_cast<long long>(recipe.rotation) * 10;
    font.m_lfEscapement = static_cast<int32_t>(((esc % 3600) + 3600) % 3600);
    text->m_point = recipe.anchor;
    if (recipe.csvCol != -1) {
        text->m_csvCol = recipe.csvCol;
        text->m_csvRow = recipe.csvRow;
        text->m_csvFlg = recipe.csvMode;
    }
    text->m_layer1 = recipe.layer1;
    text->m_layer2 = recipe.layer2;
    text->m_kiteibun = recipe.kiteibun;
    unit.m_texts.push_back(std::move(text));
    return unit.m_texts.back().get();
}
