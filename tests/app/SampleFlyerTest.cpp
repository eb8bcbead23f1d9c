// The bundled sample flyer: it holds every kind of object, and its PNG, PDF and SVG
// exports look alike when outside tools draw them.
#include "PageImages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>

using namespace testsupport;

namespace {
const std::string kSample = std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l";

QJsonObject Info(const std::string& file)
{
    RunResult r = testsupport::Run(Quote(Program()) + " --info " + Quote(file));
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

} // namespace

TEST(SampleFlyer, HoldsEveryKindOfObject)
{
    const QJsonObject info = Info(kSample);
    ASSERT_FALSE(info.isEmpty());
    EXPECT_EQ(info["paper"].toObject()["width_mm"].toInt(), 210) << "A4 portrait";

    bool decorated = false, vertical = false, plain = false;
    for (const auto& t : info["texts"].toArray()) {
        const QJsonObject text = t.toObject();
        const QJsonObject font = text["font"].toObject();
        if (text["decorated"].toObject()["on"].toInt() != 0)
            decorated = true;
        else if (font["face"].toString().startsWith('@') && font["escapement"].toInt() == 2700)
            vertical = true;
        else
            plain = true;
    }
    EXPECT_TRUE(decorated && vertical && plain);

    bool photo = false, keyed = false;
    for (const auto& p : info["pictures"].toArray()) {
        const QJsonObject pic = p.toObject();
        EXPECT_GT(pic["bitmap"].toArray()[0].toInt(), 0) << "every picture carries its bitmap";
        (pic["transparent"].toArray()[0].toInt() ? keyed : photo) = true;
    }
    EXPECT_TRUE(photo && keyed);

    // A floor plan with walls and dimension lines, and a map with roads, railways and rivers.
    const QJsonArray plans = info["plans"].toArray();
    ASSERT_EQ(plans.size(), 2);
    bool walls = false, dimensions = false, planTexts = false;
    int objectKinds[3] = {0, 0, 0};
    for (const auto& p : plans) {
        const QJsonObject plan = p.toObject()["unit"].toObject();
        walls = walls || !plan["walls"].toArray().isEmpty();
        planTexts = planTexts || !plan["texts"].toArray().isEmpty();
        for (const auto& l : plan["lines"].toArray())
            dimensions = dimensions || l.toObject()["type"].toInt() == 5;
        for (const auto& o : plan["objects"].toArray()) {
            int kind = o.toObject()["type"].toInt(-1);
            if (kind >= 0 && kind < 3)
                ++objectKinds[kind];
        }
    }
    EXPECT_TRUE(walls && dimensions && planTexts);
    EXPECT_TRUE(objectKinds[0] && objectKinds[1] && objectKinds[2]);
}

TEST(SampleFlyer, IsWhatItsGeneratorWrites)
{
    if (testsupport::Run("command -v python3").status != 0)
        GTEST_SKIP() << "no python3";
    TempDir dir;
    RunResult r = testsupport::Run("python3 " + Quote(std::string(OLTRANE_SOURCE_DIR) + "/samples/make_flyer.py") + " " +
                      Quote(dir.file("flyer.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(ReadFile(dir.file("flyer.q_l")) == ReadFile(kSample)) << "samples/flyer.q_l is stale";
}

// Line widths are counted in the device's pixels, as on a printer, and the vector
// exports draw as a print at 600 dpi: so the raster is drawn at 600 dpi too, and all
// three are compared at a sixth of that.
TEST(SampleFlyer, PngPdfAndSvgLookAlike)
{
    TempDir dir;
    for (const char* ext : {"png", "pdf", "svg"}) {
        testsupport::RunResult r = testsupport::Run(Quote(Program()) + " --export " +
                                                    Quote(dir.file(std::string("out.") + ext)) + " --dpi 600 " +
                                                    Quote(kSample));
        ASSERT_EQ(r.status, 0) << ext << ": " << r.err;
    }
    ASSERT_EQ(testsupport::Run("pdftoppm -r 600 -png -singlefile " + Quote(dir.file("out.pdf")) + " " +
                               Quote(dir.file("pdf")))
                  .status,
              0);
    ASSERT_EQ(testsupport::Run("rsvg-convert -d 600 -p 600 -b white -o " + Quote(dir.file("svg.png")) + " " +
                               Quote(dir.file("out.svg")))
                  .status,
              0);
    // The photo is embedded as JPEG, the clip-art with its transparent key colour as PNG.
    const std::string svgText = ReadFile(dir.file("out.svg"));
    EXPECT_EQ(CountOf(svgText, "data:image/jpeg;base64,"), 1u);
    EXPECT_EQ(CountOf(svgText, "data:image/png;base64,"), 1u);

    const QSize small(827, 1169); // 210 x 297 mm at 100 dpi
    auto load = [&](const char* name) {
        QImage img(QString::fromStdString(dir.file(name)));
        EXPECT_FALSE(img.isNull()) << name;
        return img.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    QImageReader::setAllocationLimit(512); // the 600 dpi sheet takes 140 MB
    const QImage full(QString::fromStdString(dir.file("out.png")));
    ASSERT_EQ(full.size(), QSize(4961, 7016));
    const QImage png = full.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage pdf = load("pdf.png"), svg = load("svg.png");

    // The sheet is far from blank: the banner is dark blue.
    const QColor banner = png.pixelColor(20, 20);
    EXPECT_GT(banner.blue(), banner.red() + 40);
    for (const auto& [name, other] : {std::pair{"pdf", pdf}, std::pair{"svg", svg}}) {
        const ImageDifference d = Difference(png, other, 96);
        EXPECT_LT(d.mean, 6.0) << name;
        EXPECT_LT(double(d.above) / (png.width() * png.height()), 0.03) << name;
    }
}
