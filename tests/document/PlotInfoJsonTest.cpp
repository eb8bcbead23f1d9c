// "oltrane --info" shows the sheet, the version, the grid and the layers as read.
#include "PlotTestSupport.h"

#include "platform/Codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace plottest;
using testsupport::Quote;

namespace {
QJsonObject Info(const std::string& file)
{
    auto r = testsupport::Run(Quote(testsupport::Program()) + " --info " + Quote(file));
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

std::string LayerInfo(int type, const std::string& name)
{
    return Lines({"/START:BLK_LayerInfo", "DATA_LayerType=" + std::to_string(type), "DATA_LayerStrName=" + name,
                  "/END:BLK_LayerInfo"});
}
} // namespace

TEST(PlotInfoJson, PaperVersionGridAndLayers)
{
    testsupport::TempDir dir;
    std::string layers;
    layers += LayerInfo(0, cp932::Lit("道路"));   // 0/0
    layers += LayerInfo(2, "");                   // 0/1
    for (int i = 2; i < 18; ++i)
        layers += LayerInfo(0, "");               // rest of group 0
    layers += LayerInfo(0, "");                   // 1/0
    layers += LayerInfo(2, "plan");               // 1/1
    std::string text = "/START:ZELDATA\r\n"
                       + Lines({"/START:PlotInfo", "PlotPaperSize=10", "PlotVersion=22001", "/START:PlotLayer",
                                "Layer_Edit1=1", "Layer_Edit2=1", "Layer_Scale2=100"})
                       + layers + Lines({"/END:PlotLayer", "/END:PlotInfo", "/START:Grid", "GridW=4", "GridD=6",
                                         "/END:Grid", "/END:ZELDATA"});
    testsupport::WriteFile(dir.file("a.q_l"), text);
    QJsonObject o = Info(dir.file("a.q_l"));

    QJsonObject paper = o["paper"].toObject();
    EXPECT_EQ(paper["code"].toInt(), 10);
    EXPECT_EQ(paper["width_mm"].toInt(), 257);
    EXPECT_EQ(paper["height_mm"].toInt(), 364);
    EXPECT_EQ(o["version"].toInt(), 22001);
    QJsonObject grid = o["grid"].toObject();
    EXPECT_EQ(grid["visible"].toInt(), 1);
    EXPECT_EQ(grid["w"].toInt(), 4);
    EXPECT_EQ(grid["d"].toInt(), 6);

    QJsonObject lay = o["layers"].toObject();
    EXPECT_EQ(lay["edit"].toArray(), (QJsonArray{1, 1}));
    QJsonArray scales = lay["scales"].toArray();
    ASSERT_EQ(scales.size(), 16);
    EXPECT_EQ(scales[0].toInt(), 1);
    EXPECT_EQ(scales[2].toInt(), 100);
    EXPECT_EQ(lay["hidden"].toArray(), (QJsonArray{QJsonArray{0, 1}, QJsonArray{1, 1}}));
    QJsonObject names = lay["names"].toObject();
    EXPECT_EQ(names.size(), 2);
    EXPECT_EQ(names["0/0"].toString(), QString::fromUtf8("道路"));
    EXPECT_EQ(names["1/1"].toString(), QStringLiteral("plan"));
}

TEST(PlotInfoJson, UnknownPaperCodeIsShownAsTheSheetThatIsDrawn)
{
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.file("a.q_l"), Lines({"/START:ZELDATA", "/START:PlotInfo", "PlotPaperSize=40",
                                                     "/END:PlotInfo", "/END:ZELDATA"}));
    QJsonObject paper = Info(dir.file("a.q_l"))["paper"].toObject();
    EXPECT_EQ(paper["code"].toInt(), 0);
    EXPECT_EQ(paper["width_mm"].toInt(), 297);
    EXPECT_EQ(paper["height_mm"].toInt(), 210);
}
