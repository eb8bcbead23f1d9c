#include "app/MainFrame.h"
#include "app/PelmoraApp.h"
#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
const std::string kLha = std::string(OLTRANE_TEST_DATA) + "/lha/";

// Each test starts from an empty settings store.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::getenv("XDG_CONFIG_HOME");
        setenv("XDG_CONFIG_HOME", m_dir.path().c_str(), 1);
        ResetAppProfile();
    }
    void TearDown() override
    {
        ResetAppProfile();
        setenv("XDG_CONFIG_HOME", m_saved.c_str(), 1);
    }
    testsupport::TempDir m_dir;
    std::string m_saved;
};
} // namespace

TEST_F(MainFrameTest, FirstRunSwitchesAreTheDefaults)
{
    TheAppSwitches().Read();
    EXPECT_EQ(20, TheAppSwitches().app_undonum);
    EXPECT_EQ(1, TheAppSwitches().maximize);
    EXPECT_EQ(1, TheAppSwitches().app_hasiraauto);
    EXPECT_EQ(0, TheAppSwitches().app_drawzelold);
    AppProfile().WriteInt("QLA_T_UTILITY", "app_undonum", 5);
    AppProfile().WriteString("QLA_T_UTILITY", "app_backup", "yes");
    TheAppSwitches().Read();
    EXPECT_EQ(5, TheAppSwitches().app_undonum);
    EXPECT_EQ(1, TheAppSwitches().app_backup);
}

TEST_F(MainFrameTest, OpensTheNamedDocumentAndRemembersIt)
{
    CMainFrame frame;
    EXPECT_EQ(QString::fromUtf8("Oltrane[*] - OltraneQL03"), frame.windowTitle());
    ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(kLha + "doc-lh7.q_l")));
    EXPECT_EQ(QString::fromUtf8("doc-lh7.q_l[*] - OltraneQL03"), frame.windowTitle());
    EXPECT_EQ((std::vector<std::string>{"Memo", "Extra"}), frame.GetDocument()->ReadBlocks());
    ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(kLha + "plain.q_l")));
    QStringList recent = frame.RecentFiles();
    ASSERT_EQ(2, recent.size());
    EXPECT_TRUE(recent[0].endsWith("plain.q_l"));
    auto* first = frame.findChild<QAction*>("fileRecent1");
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->text().endsWith("plain.q_l"));

    // A failed open leaves a new, empty document behind.
    CRecordingMessageSink sink;
    EXPECT_FALSE(frame.OpenDocumentFile(QString::fromStdString(kLha + "doc-no-member.q_l")));
    EXPECT_EQ(QString::fromUtf8("Oltrane[*] - OltraneQL03"), frame.windowTitle());
    EXPECT_TRUE(frame.GetDocument()->ReadBlocks().empty());
}

TEST_F(MainFrameTest, RecentListKeepsFourNewestFirst)
{
    CMainFrame frame;
    testsupport::TempDir docs;
    for (int i = 1; i <= 6; ++i) {
        std::string p = docs.file("d" + std::to_string(i) + ".q_l");
        testsupport::WriteFile(p, "/START:ZELDATA\r\n/END:ZELDATA\r\n");
        ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(p)));
    }
    ASSERT_TRUE(frame.OpenDocumentFile(QString::fromStdString(docs.file("d4.q_l"))));
    QStringList names;
    for (const QString& f : frame.RecentFiles())
        names << f.section('/', -1);
    EXPECT_EQ(QStringList({"d4.q_l", "d6.q_l", "d5.q_l", "d3.q_l"}), names);
}

TEST_F(MainFrameTest, ClosingWritesPlacementAndRegistset)
{
    {
        AppProfile().WriteInt("QLA_T_LAYOUTSIZE", "maximize", 0);
        AppProfile().WriteInt("QLA_T_LAYOUTSIZE", "left", 10);
        AppProfile().WriteInt("QLA_T_LAYOUTSIZE", "right", 610);
        AppProfile().WriteInt("QLA_T_LAYOUTSIZE", "top", 20);
        AppProfile().WriteInt("QLA_T_LAYOUTSIZE", "bottom", 420);
        CMainFrame frame;
        frame.ShowAtStart();
        EXPECT_FALSE(frame.isMaximized());
        frame.setGeometry(30, 40, 500, 300);
        EXPECT_TRUE(frame.close());
    }
    CSettingsStore& p = AppProfile();
    EXPECT_EQ(1, p.GetInt("QLA_T_UTILITY", "registset", 0));
    EXPECT_EQ(0, p.GetInt("QLA_T_LAYOUTSIZE", "maximize", 1));
    EXPECT_EQ(30, p.GetInt("QLA_T_LAYOUTSIZE", "left", -1));
    EXPECT_EQ(530, p.GetInt("QLA_T_LAYOUTSIZE", "right", -1));
    EXPECT_EQ(40, p.GetInt("QLA_T_LAYOUTSIZE", "top", -1));
    EXPECT_EQ(340, p.GetInt("QLA_T_LAYOUTSIZE", "bottom", -1));
}
