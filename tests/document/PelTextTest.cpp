// Texts: line breaks in files, the text block with its font, and new plain texts.
#include "document/PelUnit.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

namespace {
int ReadUnit(CPelUnit& unit, const std::string& body)
{
    auto ar = CDefArchive::FromMemory(body);
    return unit.Read(ar.get(), "PelUnit");
}

std::string WriteUnit(const CPelUnit& unit)
{
    auto ar = CDefArchive::ToMemory();
    EXPECT_EQ(unit.Write(ar.get()), 1);
    EXPECT_TRUE(ar->Close());
    return ar->MemoryData();
}
} // namespace

TEST(PelText, TabsAreLineBreaks)
{
    struct Case {
        std::string file, text, back;
    } cases[] = {
        {"a\tb\tc", "a\r\nb\r\nc", "a\tb\tc"},
        {"\t", "\r\n", "\t"},
        {"x", "x", "x"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPelText::FromFileText(c.file), c.text);
        EXPECT_EQ(CPelText::ToFileText(c.text), c.back);
    }
    // A lone break would split the value line: it is written as a break too.
    EXPECT_EQ(CPelText::ToFileText("a\nb\rc"), "a\tb\tc");
}

TEST(PelText, BlockWithFontRoundTrips)
{
    std::string face = cp932::Lit("ＭＳ 明朝");
    std::string text = cp932::Lit("物件\t価格");
    std::string body = "/START:BLK_UnitText\r\nMTextID=4\r\nMTextstr=" + text
                       + "\r\nMTextpntX=12.5\r\nMTextpntY=-3\r\nmtextlayer1=2\r\nMTextLayer2=3\r\nMTextCol=1\r\n"
                         "MTextRow=7\r\nMTextCsvFlg=2\r\nMTextHuchiFlg=1\r\nMTextHuchiAlpha=40\r\n"
                         "/START:Unknown\r\nx=1\r\n/END:Unknown\r\n"
                         "/START:blkmtextfontmenu\r\nFont_lfFaceName="
                       + face + "\r\nFont_lfEscapement=900\r\nFont_m_size=6.5\r\n/END:blkmtextfontmenu\r\n"
                                "/END:BLK_UnitText\r\n/END:PelUnit\r\n";
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, body), 1);
    ASSERT_EQ(unit.m_texts.size(), 1u);
    const CPelText& t = *unit.m_texts[0];
    EXPECT_EQ(t.m_id, 4);
    EXPECT_EQ(t.m_text, cp932::Lit("物件\r\n価格"));
    EXPECT_EQ(t.m_point, (PelPoint{12.5, -3}));
    EXPECT_EQ(t.m_layer1, 2);
    EXPECT_EQ(t.m_layer2, 3);
    EXPECT_EQ(t.m_csvCol, 1);
    EXPECT_EQ(t.m_csvRow, 7);
    EXPECT_EQ(t.m_csvFlg, 2);
    EXPECT_EQ(t.m_huchiFlg, 1);
    EXPECT_EQ(t.m_huchiAtsumi, 4);
    EXPECT_EQ(t.m_huchiKeij, 5);
    EXPECT_EQ(t.m_huchiAlpha, 40);
    EXPECT_EQ(t.m_font.m_faceName, face);
    EXPECT_EQ(t.m_font.m_lfEscapement, 900);
    EXPECT_EQ(t.m_font.m_size, 6.5);
    EXPECT_EQ(unit.IndexOfText(4), 0);

    std::string written = WriteUnit(unit);
    EXPECT_NE(written.find("MTextstr=" + text + "\r\n"), std::string::npos);
    CPelUnit again;
    auto ar = CDefArchive::FromMemory(written);
    CDefFile def;
    ASSERT_TRUE(def.FindStart(ar.get(), "PelUnit"));
    ASSERT_EQ(again.Read(ar.get(), "PelUnit"), 1);
    ASSERT_EQ(again.m_texts.size(), 1u);
    EXPECT_EQ(WriteUnit(again), written);

    // A copy keeps its text when the source's is changed; a reset empties the list.
    CPelUnit copy;
    copy.CopyFrom(unit);
    PelEdit(unit.m_texts, 0).m_text = "changed";
    EXPECT_EQ(copy.m_texts[0]->m_text, cp932::Lit("物件\r\n価格"));
    unit.Reset(0);
    EXPECT_TRUE(unit.m_texts.empty());
}

TEST(PelText, BrokenFontBlockFailsTheText)
{
    CPelUnit unit;
    std::string body = "/START:BLK_UnitText\r\nMTextID=4\r\n/START:BLKMTextFontMenu\r\nbroken line\r\n"
                       "/END:BLKMTextFontMenu\r\n/END:BLK_UnitText\r\n/END:PelUnit\r\n";
    EXPECT_EQ(ReadUnit(unit, body), 0);
    EXPECT_TRUE(unit.m_texts.empty());
}

TEST(PelText, CreatePlainText)
{
    CFontMenu font;
    font.m_faceName = cp932::Lit("ＭＳ ゴシック");
    font.m_lfEscapement = 0;
    struct Case {
        const char* what;
        bool vertical;
        int rotation;
        std::string face;
        int escapement;
    } cases[] = {
        {"plain", false, 0, cp932::Lit("ＭＳ ゴシック"), 0},
        {"rotated", false, 45, cp932::Lit("ＭＳ ゴシック"), 450},
        {"vertical", true, 0, cp932::Lit("@ＭＳ ゴシック"), 2700},
        {"vertical and rotated 90", true, 90, cp932::Lit("@ＭＳ ゴシック"), 0},
        {"negative rotation", false, -90, cp932::Lit("ＭＳ ゴシック"), 2700},
        {"more than a turn", false, 725, cp932::Lit("ＭＳ ゴシック"), 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPelUnit unit;
        CPlainTextSpec recipe;
        recipe.text = "abc";
        recipe.font = &font;
        recipe.anchor = {10, 20};
        recipe.vertical = c.vertical;
        recipe.rotation = c.rotation;
        recipe.layer1 = 1;
        recipe.layer2 = 2;
        CPelText* t = CreatePlainText(unit, recipe);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->m_id, 2); // the first ID after a reset
        EXPECT_EQ(t->m_font.m_faceName, c.face);
        EXPECT_EQ(t->m_font.m_lfEscapement, c.escapement);
        EXPECT_EQ(t->m_point, (PelPoint{10, 20}));
        EXPECT_EQ(t->m_csvCol, -1);
        EXPECT_EQ(t->m_csvRow, -1);
        EXPECT_EQ(t->m_layer1, 1);
        EXPECT_EQ(t->m_layer2, 2);
        ASSERT_EQ(unit.m_texts.size(), 1u);
    }
    // A face already vertical is not marked twice; the document's font is untouched.
    CFontMenu vfont = font;
    vfont.m_faceName = "@" + font.m_faceName;
    CPelUnit unit;
    CPlainTextSpec recipe;
    recipe.font = &vfont;
    recipe.vertical = true;
    recipe.csvCol = 3;
    recipe.csvRow = 4;
    recipe.csvMode = 1;
    recipe.kiteibun = 9;
    CPelText* t = CreatePlainText(unit, recipe);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->m_font.m_faceName, vfont.m_faceName);
    EXPECT_EQ(vfont.m_lfEscapement, 0);
    EXPECT_EQ(t->m_csvCol, 3);
    EXPECT_EQ(t->m_csvRow, 4);
    EXPECT_EQ(t->m_csvFlg, 1);
    EXPECT_EQ(t->m_kiteibun, 9);
    EXPECT_EQ(CreatePlainText(unit, recipe)->m_id, 3);
}
