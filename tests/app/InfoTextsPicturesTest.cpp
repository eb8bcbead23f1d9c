// --info and --save-as on a document with texts and pictures.
#include "platform/Codec.h"

#include "BmpBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testsupport::Quote;
using testsupport::TempDir;

namespace {
testsupport::RunResult Oltrane(const std::string& args)
{
    return testsupport::Run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quote(testsupport::Program()) + " "
                            + args);
}

std::string PictureRecord(int id, const std::string& bytes)
{
    return "/START:BLK_UnitImage\r\nImageID=" + std::to_string(id)
           + "\r\nImageName=C:\\pic.bmp\r\nOffsetX=15\r\nOffsetY=25.5\r\nImageWidth=40\r\nImageHeight=30\r\n"
             "IMGLayer1=0\r\nIMGLayer2=3\r\n/START:BLKImageBmp2\r\n"
           + std::to_string(bytes.size()) + "\r\n" + bytes + "/END:BLKImageBmp2\r\n/END:BLK_UnitImage\r\n";
}
} // namespace

TEST(InfoTextsPictures, InfoListsTextsAndPicturesAndSaveAsKeepsPictureBytes)
{
    TempDir dir;
    bmpbuild::Recipe s;
    s.width = 6;
    s.height = 4;
    s.fill = 0x33;
    std::string bmp = bmpbuild::Make(s);
    std::string doc = "/START:ZELDATA\r\n/START:PelUnit\r\n/START:BLK_UnitText\r\nMTextID=2\r\nMTextstr="
                      + cp932::Lit("売地\t３０坪") + "\r\nMTextpntX=10\r\nMTextpntY=20\r\nMTextLayer1=1\r\n"
                      + "MTextLayer2=4\r\nMTextCol=2\r\nMTextRow=5\r\nMTextCsvFlg=1\r\n/START:BLKMTextFontMenu\r\n"
                      + "Font_lfFaceName=" + cp932::Lit("ＭＳ ゴシック") + "\r\nFont_m_size=5.5\r\nFont_m_Color=255\r\n"
                      + "/END:BLKMTextFontMenu\r\n/END:BLK_UnitText\r\n" + PictureRecord(3, bmp)
                      + PictureRecord(4, "GIF89a not a bitmap") + "/END:PelUnit\r\n/END:ZELDATA\r\n";
    testsupport::WriteFile(dir.file("d.q_l"), doc);

    auto r = Oltrane("--info " + Quote(dir.file("d.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    QJsonArray texts = o["texts"].toArray();
    ASSERT_EQ(texts.size(), 1);
    QJsonObject t = texts[0].toObject();
    EXPECT_EQ(t["id"].toInt(), 2);
    EXPECT_EQ(t["text"].toString(), QString::fromUtf8("売地\n３０坪"));
    EXPECT_EQ(t["anchor"].toArray(), (QJsonArray{10, 20}));
    EXPECT_EQ(t["layer"].toArray(), (QJsonArray{1, 4}));
    EXPECT_EQ(t["csv"].toArray(), (QJsonArray{2, 5, 1}));
    QJsonObject font = t["font"].toObject();
    EXPECT_EQ(font["face"].toString(), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(font["size"].toDouble(), 5.5);
    EXPECT_EQ(font["color"].toInt(), 255);

    QJsonArray pictures = o["pictures"].toArray();
    ASSERT_EQ(pictures.size(), 2);
    QJsonObject p = pictures[0].toObject();
    EXPECT_EQ(p["id"].toInt(), 3);
    EXPECT_EQ(p["offset"].toArray(), (QJsonArray{15, 25.5}));
    EXPECT_EQ(p["size"].toArray(), (QJsonArray{40, 30}));
    EXPECT_EQ(p["layer"].toArray(), (QJsonArray{0, 3}));
    EXPECT_EQ(p["bitmap"].toArray(), (QJsonArray{6, 4}));
    EXPECT_TRUE(pictures[1].toObject()["bitmap"].isNull());

    // Saved again: the picture's bytes and the text come back unchanged.
    auto saved = Oltrane("--save-as " + Quote(dir.file("out.q_l")) + " " + Quote(dir.file("d.q_l")));
    ASSERT_EQ(saved.status, 0) << saved.err;
    std::string out = testsupport::ReadFile(dir.file("out.q_l"));
    EXPECT_NE(out.find("/START:BLKImageBmp2\r\n" + std::to_string(bmp.size()) + "\r\n" + bmp + "/END:BLKImageBmp2\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("MTextstr=" + cp932::Lit("売地\t３０坪") + "\r\n"), std::string::npos);
    auto again = Oltrane("--info " + Quote(dir.file("out.q_l")));
    ASSERT_EQ(again.status, 0) << again.err;
    QJsonObject o2 = QJsonDocument::fromJson(QByteArray::fromStdString(again.out)).object();
    EXPECT_EQ(o2["texts"], o["texts"]);
    EXPECT_EQ(o2["pictures"], o["pictures"]);
    // The runs leave no working files behind.
    EXPECT_EQ(testsupport::Run(std::string("find ") + Quote(getenv("XDG_DATA_HOME")) + " -type f").out, "");
}
