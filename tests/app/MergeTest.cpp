// oltrane --merge: small templates and data files made here, every output read back
// with --info (documents) or compared pixel for pixel with --export of the same fill.
#include "TestSupport.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>
#include <set>

using testsupport::Quote;
using testsupport::TempDir;

namespace {
testsupport::RunResult Oltrane(const std::string& args)
{
    return testsupport::Run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quote(testsupport::Program()) + " "
                            + args);
}

std::string S(const std::string& utf8) { return cp932::Lit(utf8); }

struct Binding {
    std::string text; // UTF-8
    int col, row, mode;
};

// A template of one text per binding, saved at path.
void MakeTemplate(const std::string& path, const std::vector<Binding>& texts)
{
    CPelmoraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    int id = 1;
    for (const Binding& b : texts) {
        auto t = std::make_unique<CPelText>();
        t->m_id = id;
        t->m_text = S(b.text);
        t->m_point = {-80.0, -120.0 + 12.0 * id++};
        t->m_csvCol = b.col;
        t->m_csvRow = b.row;
        t->m_csvFlg = b.mode;
        t->m_font.m_size = 6;
        doc.m_unit.m_texts.push_back(std::move(t));
    }
    ASSERT_TRUE(doc.OnSaveDocument(path));
}

// The texts of a document by ID, in UTF-8, and their letter heights.
std::map<int, std::pair<std::string, double>> Texts(const std::string& file)
{
    auto r = Oltrane("--info " + Quote(file));
    EXPECT_EQ(r.status, 0) << file << ": " << r.err;
    std::map<int, std::pair<std::string, double>> out;
    for (const auto& v : QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["texts"].toArray()) {
        const QJsonObject t = v.toObject();
        out[t["id"].toInt()] = {t["text"].toString().toStdString(), t["font"].toObject()["size"].toDouble()};
    }
    return out;
}

std::vector<std::string> Files(const std::string& dir)
{
    std::vector<std::string> names;
    for (const QString& n : QDir(QString::fromStdString(dir)).entryList(QDir::Files))
        names.push_back(n.toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<Binding> kTemplate = {
    {"見出し", 0, 0, 0}, // row 1: a heading kept on every output
    {"物件名", 0, 1, 0},
    {"価格", 1, 1, 1},   // shrinks when the price is longer
    {"備考", 2, 1, 0},
    {"会社名", -1, -1, 0},
};
const std::string kCsv = "物件名,価格,備考\n桜台の家,\"3,980万円\",\"南向き\n角地\"\n若葉の家,2480,\n,,\n";
} // namespace

TEST(Merge, FillsOneDocumentPerRowInEitherEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool saysUtf8;
    } cases[] = {
        {"code page 932", S(kCsv), false},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + kCsv, false},
        {"UTF-8 with CR LF", QString::fromStdString(kCsv).replace("\n", "\r\n").toStdString(), true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        MakeTemplate(dir.file("template.q_l"), kTemplate);
        const std::string before = testsupport::ReadFile(dir.file("template.q_l"));
        testsupport::WriteFile(dir.file("data.csv"), c.bytes);
        QDir().mkpath(QString::fromStdString(dir.file("out")));
        auto r = Oltrane("--merge " + Quote(dir.file("data.csv")) + " --format q_l --out " + Quote(dir.file("out")) + " "
                         + Quote(dir.file("template.q_l")));
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
        EXPECT_EQ(r.err.find("UTF-8") != std::string::npos, c.saysUtf8) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find("4 行目は空"), std::string::npos) << r.err;
        EXPECT_EQ(Files(dir.file("out")), (std::vector<std::string>{"template-2.q_l", "template-3.q_l"})) << c.name;
        EXPECT_EQ(testsupport::ReadFile(dir.file("template.q_l")), before) << "the template is left as it was";

        auto first = Texts(dir.file("out/template-2.q_l"));
        EXPECT_EQ(first[1].first, "物件名") << c.name;
        EXPECT_EQ(first[2].first, "桜台の家");
        EXPECT_EQ(first[3].first, "3,980万円");
        EXPECT_DOUBLE_EQ(first[3].second, 6.0 * 4 / 9) << "4 bytes of text for 9 of cell";
        EXPECT_EQ(first[4].first, "南向き\n角地");
        EXPECT_EQ(first[5].first, "会社名");
        auto second = Texts(dir.file("out/template-3.q_l"));
        EXPECT_EQ(second[2].first, "若葉の家");
        EXPECT_EQ(second[3].first, "2480");
        EXPECT_DOUBLE_EQ(second[3].second, 6.0);
        EXPECT_EQ(second[4].first, "") << "an empty cell empties the text, never keeps the last row's";
    }
}

TEST(Merge, ImagesAreTheSheetsOfTheFilledDocuments)
{
    TempDir dir;
    MakeTemplate(dir.file("t.q_l"), kTemplate);
    testsupport::WriteFile(dir.file("data.csv"), S(kCsv));
    QDir().mkpath(QString::fromStdString(dir.file("png")));
    QDir().mkpath(QString::fromStdString(dir.file("doc")));
    const std::string common = " --rows 2-3 " + Quote(dir.file("data.csv"));
    auto r = Oltrane("--merge" + common + " --dpi 40 --name '{A}' --out " + Quote(dir.file("png")) + " " + Quote(dir.file("t.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    r = Oltrane("--merge" + common + " --format q_l --name '{A}' --out " + Quote(dir.file("doc")) + " " + Quote(dir.file("t.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> names = {"桜台の家", "若葉の家"};
    ASSERT_EQ(Files(dir.file("png")), (std::vector<std::string>{names[0] + ".png", names[1] + ".png"}));
    QImage previous;
    for (const std::string& name : names) {
        const std::string exported = dir.file(name + "-export.png");
        ASSERT_EQ(Oltrane("--export " + Quote(exported) + " --dpi 40 " + Quote(dir.file("doc/" + name + ".q_l"))).status, 0);
        QImage merged(QString::fromStdString(dir.file("png/" + name + ".png")));
        QImage reference(QString::fromStdString(exported));
        ASSERT_FALSE(merged.isNull());
        EXPECT_EQ(merged.size(), QSize(468, 331)) << "a new document's A4 landscape sheet at 40 dpi";
        EXPECT_EQ(merged.convertToFormat(QImage::Format_RGB32), reference.convertToFormat(QImage::Format_RGB32)) << name;
        EXPECT_NE(merged, previous) << "each row draws its own texts";
        previous = merged;
    }
}

TEST(Merge, OnePdfOfAllRows)
{
    TempDir dir;
    MakeTemplate(dir.file("t.q_l"), kTemplate);
    std::string csv = "物件名,価格,備考\n";
    for (int i = 0; i < 12; ++i)
        csv += "家" + std::to_string(i) + "," + std::to_string(1000 + i) + ",x\n";
    testsupport::WriteFile(dir.file("data.csv"), S(csv));
    auto r = Oltrane("--merge " + Quote(dir.file("data.csv")) + " --format pdf --single --name 一覧 --out " + Quote(dir.path())
                     + " " + Quote(dir.file("t.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    auto info = testsupport::Run("pdfinfo " + Quote(dir.file("一覧.pdf")));
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Pages:           12\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Page size:       842 x 595 pts (A4)"), std::string::npos) << info.out;
}

TEST(Merge, NamesAreSafeAndUnique)
{
    TempDir dir;
    MakeTemplate(dir.file("t.q_l"), kTemplate);
    testsupport::WriteFile(dir.file("data.csv"),
                           S("名,価格,備考\n../桜台/1:2,1,a\n../桜台/1:2,2,b\n.hidden,3,c\n,4,d\n"));
    auto r = Oltrane("--merge " + Quote(dir.file("data.csv")) + " --format q_l --name '{A}' --out " + Quote(dir.path())
                     + " " + Quote(dir.file("t.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"5.q_l", "_桜台_1_2-2.q_l", "_桜台_1_2.q_l", "data.csv",
                                                           "hidden.q_l", "t.q_l"}));
}

TEST(Merge, BadInputIsRefusedBeforeAnythingIsWritten)
{
    TempDir dir;
    MakeTemplate(dir.file("t.q_l"), kTemplate);
    MakeTemplate(dir.file("wide.q_l"), {{"x", 0, 1, 0}, {"y", 7, 1, 0}});
    MakeTemplate(dir.file("unbound.q_l"), {{"x", -1, -1, 0}});
    testsupport::WriteFile(dir.file("data.csv"), S(kCsv));
    testsupport::WriteFile(dir.file("binary.csv"), std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    testsupport::WriteFile(dir.file("heads.csv"), S("物件名,価格\n"));
    QDir().mkpath(QString::fromStdString(dir.file("out")));
    const std::string out = " --out " + Quote(dir.file("out")) + " ";
    const std::string data = Quote(dir.file("data.csv"));
    const std::string templ = Quote(dir.file("t.q_l"));
    struct Case {
        std::string args;
        int status;
        std::string says;
    } cases[] = {
        {"--merge " + data + out + Quote(dir.file("wide.q_l")), 1, "H2 の列はデータにありません"},
        {"--merge " + data + out + Quote(dir.file("unbound.q_l")), 1, "csv の列と行が指定された文字がありません"},
        {"--merge " + data + " --name '{A}-{Z}'" + out + templ, 1, "--name の列 Z はデータにありません"},
        {"--merge " + data + " --name '{price}'" + out + templ, 1, "{price} は列の名前"},
        {"--merge " + data + " --rows 1-3" + out + templ, 1, "1 行目までは見出しの行です"},
        {"--merge " + data + " --rows 9-12" + out + templ, 1, "書き出すデータ行がありません"},
        {"--merge " + Quote(dir.file("heads.csv")) + out + templ, 1, "書き出すデータ行がありません"},
        {"--merge " + Quote(dir.file("binary.csv")) + out + templ, 1, "csvファイルではありません"},
        {"--merge " + Quote(dir.file("missing.csv")) + out + templ, 1, "csvファイルではありません"},
        {"--merge " + data + " --out " + Quote(dir.file("nowhere")) + " " + templ, 1, "出力先のフォルダがありません"},
        {"--merge " + data + out + Quote(dir.file("missing.q_l")), 1, "ドキュメントを開くことに失敗しました。"},
        {"--merge " + data + " --format gif" + out + templ, 2, "--format には"},
        {"--merge " + data + " --single" + out + templ, 2, "--single は --format pdf"},
        {"--merge " + data + " --dpi 0" + out + templ, 2, "解像度は"},
        {"--merge " + data + " --reins tokyo" + out + templ, 2, "--reins には"},
        {"--merge " + data + " --rows x" + out + templ, 2, "--rows は"},
        {"--merge " + data + " " + templ, 2, "使い方"},
        {"--merge " + data + " --format q_l --name t --out " + Quote(dir.path()) + " " + templ, 1, "入力と同じファイル"},
    };
    const std::string before = testsupport::ReadFile(dir.file("t.q_l"));
    for (const Case& c : cases) {
        auto r = Oltrane(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_TRUE(Files(dir.file("out")).empty()) << c.args;
    }
    EXPECT_EQ(testsupport::ReadFile(dir.file("t.q_l")), before);
}

TEST(Merge, ReinsExports)
{
    TempDir dir;
    // Texts bound to row entry "2" of the import row: number, kind, price, built date.
    MakeTemplate(dir.file("t.q_l"), {{"番号", 0, 1, 0}, {"種別", 2, 1, 0}, {"価格", 5, 1, 0}, {"築年", 19, 1, 0}});
    auto line = [](std::map<int, std::string> fields, int count) {
        std::string l;
        for (int i = 0; i < count; ++i)
            l += (i ? "," : "") + fields[i];
        return S(l) + "\r\n";
    };
    const std::string national = line({{0, "番号"}}, 200) + line({{0, "101"}, {2, "2"}, {46, "39800000"}, {178, "201905"}}, 200)
                                 + line({{0, "102"}, {2, "9"}}, 200) + line({{0, "103"}, {2, "1"}, {46, "12345000"}}, 200);
    testsupport::WriteFile(dir.file("national.csv"), national);
    QDir().mkpath(QString::fromStdString(dir.file("n")));
    auto r = Oltrane("--merge " + Quote(dir.file("national.csv")) + " --reins national --format q_l --name '{A}' --out "
                     + Quote(dir.file("n")) + " " + Quote(dir.file("t.q_l")));
    EXPECT_EQ(r.status, 1) << "one property is of the wrong layout";
    EXPECT_NE(r.err.find("3 行目: 失敗: 全国データベース売買csv形式のファイルではありません。"), std::string::npos) << r.err;
    EXPECT_EQ(Files(dir.file("n")), (std::vector<std::string>{"101.q_l", "103.q_l"}));
    auto first = Texts(dir.file("n/101.q_l"));
    EXPECT_EQ(first[2].first, "売一戸建");
    EXPECT_EQ(first[3].first, "3,980");
    EXPECT_EQ(first[4].first, "R1.5");
    EXPECT_EQ(Texts(dir.file("n/103.q_l"))[3].first, "1,234.5");

    // The regional layout, daily variant: three header lines.
    const std::string regional = line({{0, "見出し"}}, 70) + line({{5, "日報"}}, 70) + line({{0, "番号"}}, 70)
                                 + line({{0, "K1"}, {1, "売物件"}, {2, "戸建"}, {7, "25800000"}, {41, "1998/04"}}, 70);
    testsupport::WriteFile(dir.file("regional.csv"), regional);
    QDir().mkpath(QString::fromStdString(dir.file("r")));
    r = Oltrane("--merge " + Quote(dir.file("regional.csv")) + " --reins regional --rows 4-4 --format q_l --out "
                + Quote(dir.file("r")) + " " + Quote(dir.file("t.q_l")));
    ASSERT_EQ(r.status, 0) << r.err;
    auto daily = Texts(dir.file("r/t-4.q_l"));
    EXPECT_EQ(daily[1].first, "K1");
    EXPECT_EQ(daily[2].first, "売一戸建");
    EXPECT_EQ(daily[3].first, "25,800,000");
    EXPECT_EQ(daily[4].first, "H10.4");

    // A template bound beyond the import row is refused before writing.
    MakeTemplate(dir.file("far.q_l"), {{"x", 60, 1, 0}});
    r = Oltrane("--merge " + Quote(dir.file("regional.csv")) + " --reins regional --out " + Quote(dir.file("r")) + " "
                + Quote(dir.file("far.q_l")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("レインズの取り込み行"), std::string::npos) << r.err;
}

TEST(Merge, TheBundledSampleTemplateAndCsv)
{
    // Only the particulars are bound, each to its own column of row 2, and row 2 of the
    // bundled CSV is what the sample shows.
    const std::string sample = std::string(OLTRANE_SOURCE_DIR) + "/samples/flyer.q_l";
    const std::string csv = std::string(OLTRANE_SOURCE_DIR) + "/resources/csv_sample_8.csv";
    auto r = Oltrane("--info " + Quote(sample));
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<int> columns;
    int bound = 0, unbound = 0;
    for (const auto& v : QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["texts"].toArray()) {
        const QJsonArray b = v.toObject()["csv"].toArray();
        if (b[0].toInt() < 0) {
            ++unbound;
            continue;
        }
        ++bound;
        EXPECT_EQ(b[1].toInt(), 1) << v.toObject()["text"].toString().toStdString();
        EXPECT_TRUE(columns.insert(b[0].toInt()).second) << "column " << b[0].toInt() << " bound twice";
    }
    EXPECT_EQ(bound, 15);
    EXPECT_GT(unbound, 15) << "labels, footer and map texts stay as they are";

    TempDir dir;
    r = Oltrane("--merge " + Quote(csv) + " --rows 2 --format q_l --out " + Quote(dir.path()) + " " + Quote(sample));
    ASSERT_EQ(r.status, 0) << r.err;
    auto filled = Texts(dir.file("flyer-2.q_l"));
    auto original = Texts(sample);
    EXPECT_EQ(filled, original);
}
