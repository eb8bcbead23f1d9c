// Closing the main window leaves the document's settings for the next run.
#include "TestSupport.h"
#include "app/MainFrame.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(MainFrameSettings, CloseWritesTheMirrorAndTheNextDocumentStartsFromIt)
{
    testsupport::TempDir dir;
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    std::string old = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", (dir.path() + "/config").c_str(), 1);
    ResetAppProfile();
    {
        CMainFrame frame;
        CPelmoraDoc* doc = frame.GetDocument();
        EXPECT_EQ(doc->m_grid.m_memoriType, 0); // first run
        doc->m_plotInfo.m_paperSize = 13;
        doc->m_grid.m_w = 11;
        doc->m_textFont.m_lfWeight = 700;
        frame.show();
        EXPECT_TRUE(frame.close());
    }
    ResetAppProfile();
    EXPECT_EQ(AppProfile().GetInt("QLA_T_UTILITY", "registset", 0), 1);
    EXPECT_EQ(AppProfile().GetInt("QLA_T_PlotMenu", "ensize", 0), 13);
    EXPECT_EQ(AppProfile().GetInt("QLA_T_GridMenu", "wgrid", 0), 11);
    EXPECT_EQ(AppProfile().GetString("QLA_T_FontMenu", "weight", ""), "700");
    {
        CMainFrame next;
        EXPECT_EQ(next.GetDocument()->m_plotInfo.m_paperSize, 13);
        EXPECT_EQ(next.GetDocument()->m_grid.m_w, 11);
        EXPECT_EQ(next.GetDocument()->m_textFont.m_lfWeight, 700);
    }
    ResetAppProfile();
    setenv("XDG_CONFIG_HOME", old.c_str(), 1);
}
