// Editing through the real window, offscreen: menu commands, mouse and keys on the
// view, the status bar, and the saved file.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "edit/ToolMode.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {
class EditViewTest : public ::testing::Test {
protected:
    EditViewTest()
    {
        frame.resize(1000, 760);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        view = frame.GetView();
        doc = frame.GetDocument();
    }
    // The viewport pixel of a sheet point.
    QPoint At(double x, double y)
    {
        return view->ScreenContext().t.ToDevice(0, x, y) - view->ScrollPos();
    }
    void Click(double x, double y, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseMove(view->viewport(), At(x, y));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, m, At(x, y));
    }
    CMainFrame frame;
    CPelmoraView* view = nullptr;
    CPelmoraDoc* doc = nullptr;
};

TEST_F(EditViewTest, DrawDeleteUndoMoveAndSaveARectangle)
{
    QAction* rect = frame.Command(32893);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->text(), QString::fromUtf8("四角形(&R)"));
    rect->trigger();
    EXPECT_TRUE(rect->isChecked());
    EXPECT_EQ(frame.PromptPane()->text(), QString::fromUtf8("２点指定で四角形作成"));
    Click(-40, -30);
    QTest::mouseMove(view->viewport(), At(20, 10));
    EXPECT_TRUE(frame.AbsolutePane()->text().startsWith(QString::fromUtf8("絶(")));
    view->viewport()->repaint(); // the rubber band over the kept page
    Click(40, 30);
    ASSERT_EQ(doc->m_unit.m_lines.size(), 1u);
    const int id = doc->m_unit.m_lines[0]->m_id;

    frame.Command(1006)->trigger(); // select mode
    Click(40, 0);
    ASSERT_EQ(doc->m_sel.lines, std::vector<int>{id});
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_TRUE(doc->m_unit.m_lines.empty());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(doc->m_unit.m_lines.size(), 1u);

    Click(40, 0);
    doc->m_plotInfo.m_moveX = 5;
    const PelPoint before = doc->m_unit.m_lines[0]->m_points[0];
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(doc->m_unit.m_lines[0]->m_points[0].x, before.x + 5);

    // A drag: the page keeps everything else and the rectangle is drawn over it.
    const QPoint from = At(45, 0), to = At(45, 40);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
    view->viewport()->repaint();
    EXPECT_TRUE(view->DragPageShown());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    EXPECT_GT(doc->m_unit.m_lines[0]->m_points[0].y, before.y + 30);
    view->viewport()->repaint();
    EXPECT_FALSE(view->DragPageShown());

    testsupport::TempDir dir;
    doc->SetPathName(dir.file("rect.q_l"));
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(doc->IsModified());
    auto info = testsupport::Run(testsupport::Program() + " --info " + testsupport::Quote(dir.file("rect.q_l")));
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(testsupport::CountOf(info.out, "\"type\": 1"), 1u) << info.out;
}

TEST_F(EditViewTest, RightClickInRangeModeReturnsToSelectAndEscapeDropsPoints)
{
    frame.Command(32855)->trigger();
    Click(-10, -10);
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, At(-10, -10));
    EXPECT_EQ(doc->m_toolMode, 0);
    EXPECT_TRUE(frame.Command(1006)->isChecked());
    // Back in select mode with nothing selected, the release opens the plain menu.
    QMenu* menu = view->findChild<QMenu*>("viewContextMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    frame.Command(32894)->trigger();
    Click(0, 0);
    Click(10, 0);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(view->Tools().Points().empty());
}

TEST_F(EditViewTest, EveryModeCommandHasItsTextAndTip)
{
    for (const ToolModeInfo& m : AllToolModes()) {
        if (m.command == 1014 || m.command == 1015 || m.command == 32806 || m.command == 32807)
            continue; // the palette's and the printing issue's own
        QAction* a = frame.Command(m.command);
        ASSERT_NE(a, nullptr) << m.menuText;
        EXPECT_EQ(a->text(), QString::fromUtf8(m.menuText));
        EXPECT_FALSE(a->toolTip().isEmpty());
        EXPECT_EQ(a->isEnabled(), m.built);
    }
}
} // namespace
