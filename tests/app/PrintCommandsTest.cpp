// The File menu's printing and image commands and their dialogs, driven offscreen.
#include "app/MainFrame.h"
#include "app/PageSetDg.h"
#include "app/PelmoraView.h"
#include "app/PprUseDg.h"
#include "app/PrintCommands.h"
#include "app/PrintmoveDg.h"
#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace testsupport;

namespace {
// Runs what once the next modal dialog of type T is up, then closes it with OK.
template <class T>
void WhenShown(std::function<void(T&)> what)
{
    QTimer::singleShot(0, [what] {
        auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dlg) {
            ADD_FAILURE() << "no dialog";
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
            return;
        }
        what(*dlg);
        dlg->accept();
    });
}

class PrintCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::getenv("XDG_CONFIG_HOME");
        setenv("XDG_CONFIG_HOME", m_dir.path().c_str(), 1);
        ResetAppProfile();
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(800, 600);
        m_frame->show();
        QApplication::processEvents();
        m_cmds = m_frame->findChild<CPrintCommands*>();
        ASSERT_NE(m_cmds, nullptr);
    }
    void TearDown() override
    {
        m_frame.reset();
        ResetAppProfile();
        setenv("XDG_CONFIG_HOME", m_saved.c_str(), 1);
    }
    QAction* Action(const char* name) { return m_frame->findChild<QAction*>(QString::fromLatin1(name)); }
    CPelmoraDoc& Doc() { return *m_frame->GetDocument(); }

    TempDir m_dir;
    std::string m_saved;
    std::unique_ptr<CMainFrame> m_frame;
    CPrintCommands* m_cmds = nullptr;
};
} // namespace

TEST_F(PrintCommandsTest, TheFileMenuHoldsTheCommands)
{
    const std::pair<const char*, const char*> actions[] = {
        {"filePrint", "印刷(&P)..."},
        {"filePrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰ(&O)"},
        {"filePageSetup", "用紙設定(&Y)..."},
        {"filePrintMove", "印刷位置調整(&N)..."},
        {"fileSheetImage", "イメージ通りに出力(&G)..."},
        {"fileCopyImage", "クリップボードに画像としてｺﾋﾟｰ（&G）"},
    };
    for (auto [name, text] : actions) {
        QAction* a = Action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(Action("filePrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    CRecordingMessageSink sink;
    Action("filePrintSetup")->trigger();
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ﾌﾟﾘﾝﾀの設定は印刷時に行ないます。"});
}

TEST_F(PrintCommandsTest, PageSetupShowsTheSheetAndStoresTheChoice)
{
    struct Shown {
        int code;
        const char* entry;
        bool portrait;
    };
    const Shown shown[] = {{20, "A1", true}, {4, "A1", false}, {10, "B4", true}, {22, "ハガキ", false},
                           {11, "ユーザー設定...", true}, {25, "A4", false}};
    for (const Shown& s : shown) {
        CPageSetDg dlg(s.code, {100, 150});
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("印刷用紙のサイズと向きの設定"));
        EXPECT_EQ(dlg.List()->currentItem()->text(), QString::fromUtf8(s.entry)) << s.code;
        EXPECT_EQ(dlg.Portrait()->isChecked(), s.portrait) << s.code;
        EXPECT_EQ(dlg.Landscape()->isChecked(), !s.portrait) << s.code;
    }

    // Through the menu: B4 portrait.
    WhenShown<CPageSetDg>([](CPageSetDg& d) {
        d.List()->setCurrentRow(8);
        d.Portrait()->click();
    });
    Action("filePageSetup")->trigger();
    EXPECT_EQ(Doc().m_plotInfo.m_paperSize, 10);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().m_plotInfo.Paper().widthMm, 257);
}

TEST_F(PrintCommandsTest, TheUserSizeTakesOnlyAUsablePair)
{
    struct Case {
        const char *w, *h;
        int wantW, wantH;
    };
    const Case cases[] = {
        {"0", "250", 120, 250},      // 0 keeps that side
        {"300", "", 300, 180},       // empty counts as 0
        {"40000", "100", 120, 180},  // 30000 and above: nothing taken
        {"29999", "29999", 29999, 29999},
    };
    for (const Case& c : cases) {
        CPageSetDg dlg(6, {120, 180});
        WhenShown<CPprUseDg>([&c](CPprUseDg& u) {
            EXPECT_EQ(u.windowTitle(), QString::fromUtf8("用紙サイズのユーザー設定"));
            EXPECT_EQ(u.WidthField()->text(), QStringLiteral("120"));
            u.WidthField()->setText(QString::fromUtf8(c.w));
            u.HeightField()->setText(QString::fromUtf8(c.h));
        });
        dlg.List()->setCurrentRow(pagesetup::kUserEntry);
        EXPECT_EQ(dlg.User().widthMm, c.wantW) << c.w;
        EXPECT_EQ(dlg.User().heightMm, c.wantH) << c.h;
        EXPECT_EQ(dlg.Code(), 11);
    }
}

TEST_F(PrintCommandsTest, PrintPositionShowsMagnitudesAndDirections)
{
    CPrintmoveDg dlg({-5, 12});
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("印刷位置調整"));
    EXPECT_EQ(dlg.AmountX()->text(), QStringLiteral("5"));
    EXPECT_TRUE(dlg.Left()->isChecked());
    EXPECT_EQ(dlg.AmountY()->text(), QStringLiteral("12"));
    EXPECT_TRUE(dlg.Down()->isChecked());

    struct Case {
        const char *x, *y;
        bool left, up;
        int wantX, wantY;
    };
    const Case cases[] = {
        {"7", "3", false, true, 7, -3},
        {"40000", "3", true, false, 0, 0}, // an amount above 32000 resets both
        {"32000", "32000", true, true, -32000, -32000},
    };
    for (const Case& c : cases) {
        WhenShown<CPrintmoveDg>([&c](CPrintmoveDg& d) {
            d.AmountX()->setText(QString::fromUtf8(c.x));
            d.AmountY()->setText(QString::fromUtf8(c.y));
            (c.left ? d.Left() : d.Right())->click();
            (c.up ? d.Up() : d.Down())->click();
        });
        Action("filePrintMove")->trigger();
        EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "print_move_x", 99), c.wantX) << c.x;
        EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "print_move_y", 99), c.wantY) << c.y;
    }
}

// The whole-sheet image: the format by the name (any case, "jpeg" too, the chosen
// type's extension for a bare name), fitted into the box, the format remembered, and
// nothing else written beside the file.
TEST_F(PrintCommandsTest, SheetImageWritesTheChosenFormat)
{
    TempDir out;
    struct Case {
        std::string name;
        int filter; // the chosen entry of the save dialog
        const char* format;
        int storedType;
        std::string file;
    };
    const Case cases[] = {
        {"bare", 2, "png", 3, "bare.png"},        // JPEG, GIF, PNG, BMP, EMF: the third is PNG
        {"photo.JPEG", 0, "jpeg", 0, "photo.JPEG"},
        {"flyer.Gif", 0, "gif", 4, "flyer.Gif"},
        {"sheet.bmp", 0, "bmp", 1, "sheet.bmp"},
        {"odd.tiff", 0, "bmp", 1, "odd.tiff"},   // anything else is BMP
    };
    QStringList firstFilters;
    Doc().m_toolMode = 3;
    for (const Case& c : cases) {
        m_cmds->askSavePath = [&](const QString& title, const QStringList& filters, int* chosen) {
            EXPECT_EQ(title, QString::fromUtf8("画像の保存"));
            if (firstFilters.isEmpty())
                firstFilters = filters;
            *chosen = c.filter;
            return QString::fromStdString(out.file(c.name));
        };
        Action("fileSheetImage")->trigger();
        ASSERT_TRUE(FileExists(out.file(c.file))) << c.name;
        QImageReader reader(QString::fromStdString(out.file(c.file)));
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        // A4 landscape into the default 1200 x 1200 box.
        EXPECT_EQ(reader.size().width(), 1200) << c.name;
        EXPECT_NEAR(reader.size().height(), 848, 1) << c.name;
        EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "gazououtput_type", -1), c.storedType) << c.name;
    }
    EXPECT_EQ(Doc().m_toolMode, 0); // the command leaves any tool
    EXPECT_EQ(firstFilters.front(), QString::fromUtf8("JPEGファイル (*.jpg)"));
    EXPECT_EQ(firstFilters.back(), QString::fromUtf8("拡張メタファイル(*.emf)"));
    EXPECT_EQ(QDir(QString::fromStdString(out.path())).entryList(QDir::Files).size(), 5);

    // The next dialog offers the last format first; an EMF is one too.
    m_cmds->askSavePath = [&](const QString&, const QStringList& filters, int* chosen) {
        EXPECT_EQ(filters.front(), QString::fromUtf8("BMPファイル (*.bmp)"));
        *chosen = 4;
        return QString::fromStdString(out.file("vector"));
    };
    Action("fileSheetImage")->trigger();
    const std::string emf = ReadFile(out.file("vector.emf"));
    ASSERT_GT(emf.size(), 108u);
    EXPECT_EQ(emf.substr(40, 4), " EMF");
    EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "gazououtput_type", -1), 2);

    // A folder that cannot be written: a clear message, nothing stored.
    CRecordingMessageSink sink;
    m_cmds->askSavePath = [&](const QString&, const QStringList&, int* chosen) {
        *chosen = 0;
        return QString::fromStdString(out.file("no/such/folder/x.png"));
    };
    Action("fileSheetImage")->trigger();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("ファイルに書き込めません"), std::string::npos);
    EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "gazououtput_type", -1), 2);
}

TEST_F(PrintCommandsTest, TheSheetGoesOnTheClipboardAsTheViewShowsIt)
{
    QApplication::clipboard()->clear();
    Action("fileCopyImage")->trigger();
    const QImage img = QApplication::clipboard()->image();
    ASSERT_FALSE(img.isNull());
    // Drawn at the whole resolution nearest to the view's scale.
    const int paper = m_frame->GetView()->PaperRect().Width();
    EXPECT_NEAR(img.width(), paper, paper / 100.0 + 1);
    EXPECT_EQ(img.depth(), 24);
    EXPECT_EQ(img.pixelColor(img.width() / 2, img.height() / 2), QColor(Qt::white));
}

// With app_printsyokisave on, a document never saved is offered for saving before its
// first print or preview, once per window.
TEST_F(PrintCommandsTest, ANewDocumentIsOfferedForSavingBeforeTheFirstPrint)
{
    AppProfile().WriteInt("QLA_T_UTILITY", "app_printsyokisave", 1);
    TempDir out;
    int offers = 0;
    m_cmds->askSavePath = [&](const QString& title, const QStringList& filters, int* chosen) {
        ++offers;
        EXPECT_EQ(title, QString::fromUtf8("Oltraneの保存"));
        EXPECT_EQ(filters, QStringList{QString::fromUtf8("Oltraneファイル(*.q_l)")});
        *chosen = 0;
        return QString::fromStdString(out.file("first"));
    };
    m_cmds->askPrinter = [](QPrinter&) { return false; };
    CRecordingMessageSink sink; // no printer here is fine: the offer comes first
    Action("filePrint")->trigger();
    EXPECT_EQ(offers, 1);
    EXPECT_TRUE(FileExists(out.file("first.q_l")));
    EXPECT_EQ(Doc().GetPathName(), out.file("first.q_l"));
    Doc().SetPathName("");
    Action("filePrintPreview")->trigger();
    EXPECT_EQ(offers, 1);
}
