// The tool bars, the palette and the shape-property panel of the real window, offscreen.
#include "app/LinePropSetDg.h"
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "app/ToolPalette.h"
#include "document/PelmoraDoc.h"
#include "edit/ToolMode.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

class ToolBarsTest : public ::testing::Test {
protected:
    ToolBarsTest()
    {
        frame.resize(1100, 800);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        view = frame.GetView();
        doc = frame.GetDocument();
    }
    // Whether a bar holds the commands' actions in this order (0: a separator).
    void ExpectBar(QToolBar* bar, const std::vector<int>& ids)
    {
        const QList<QAction*> actions = bar->actions();
        ASSERT_EQ(ids.size(), static_cast<std::size_t>(actions.size()));
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] == 0)
                EXPECT_TRUE(actions[static_cast<int>(i)]->isSeparator()) << i;
            else
                EXPECT_EQ(frame.Command(ids[i]), actions[static_cast<int>(i)]) << ids[i];
        }
    }
    QPoint At(double x, double y) { return view->ScreenContext().t.ToDevice(0, x, y) - view->ScrollPos(); }
    void Click(double x, double y)
    {
        QTest::mouseMove(view->viewport(), At(x, y));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(x, y));
    }
    template <class W>
    W* Panel(const char* name)
    {
        return frame.ShapePanel() ? frame.ShapePanel()->findChild<W*>(QString::fromUtf8(name)) : nullptr;
    }
    CMainFrame frame;
    CPelmoraView* view = nullptr;
    CPelmoraDoc* doc = nullptr;
};

TEST_F(ToolBarsTest, BarsHoldTheirButtonsInOrderWithTipsAndDockWhereDesigned)
{
    const std::vector<int> file = {57600, 57601, 57603, 57609, 57607, 0,     32924, 32904, 32874, 0,     57643, 57644,
                                   0,     32930, 32920, 32886, 0,     32885, 0,     32926, 32775, 32925, 32776, 32791,
                                   0,     32919, 32906, 0,     32876, 32877, 32878, 32879, 32881, 32937, 0,     32771};
    const std::vector<int> group = {32783, 32784, 32792, 32793, 32785, 32798};
    const std::vector<int> draw = {32890, 32891, 32892, 32893, 32908, 32894, 32901, 32902, 32895,
                                   32851, 32867, 32868, 32896, 32863, 32864, 32900, 32921};
    ExpectBar(frame.FileToolBar(), file);
    ExpectBar(frame.GroupToolBar(), group);
    ExpectBar(frame.DrawToolBar(), draw);
    EXPECT_EQ(frame.findChild<QAction*>("fileNew"), frame.Command(57600));
    EXPECT_EQ(Qt::TopToolBarArea, frame.toolBarArea(frame.FileToolBar()));
    EXPECT_EQ(Qt::RightToolBarArea, frame.toolBarArea(frame.GroupToolBar()));
    EXPECT_EQ(Qt::LeftToolBarArea, frame.toolBarArea(frame.DrawToolBar()));
    for (QToolBar* bar : {frame.FileToolBar(), frame.GroupToolBar(), frame.DrawToolBar()}) {
        EXPECT_TRUE(bar->isFloatable());
        for (QAction* a : bar->actions()) {
            if (a->isSeparator())
                continue;
            EXPECT_FALSE(a->toolTip().isEmpty()) << a->objectName().toStdString();
            EXPECT_FALSE(a->statusTip().isEmpty()) << a->objectName().toStdString();
            EXPECT_FALSE(a->icon().pixmap(QSize(20, 20)).isNull()) << a->objectName().toStdString();
        }
    }
    // The bars reuse the menus' actions.
    EXPECT_EQ(frame.Command(32893), frame.DrawToolBar()->actions()[3]);
    EXPECT_EQ(U("四角形(&R)"), frame.DrawToolBar()->actions()[3]->text());
}

TEST_F(ToolBarsTest, EnableRulesFollowTheDocumentAndWhatIsBuilt)
{
    struct Case {
        int id;
        bool enabled;
    };
    // A new document: nothing to undo, nothing selected; features not built are greyed
    // (the settings sheet 32771 and others), built tools never.
    const Case fresh[] = {{57600, true},  {57601, true},  {57603, true},  {57643, false}, {57644, false},
                          {32893, true},  {32890, true},  {32891, true},  {32908, true},  {32921, true},
                          {32775, true},  {32926, true},  {32771, false}, {32904, false}, {32876, false}};
    for (const Case& c : fresh)
        EXPECT_EQ(c.enabled, frame.Command(c.id)->isEnabled()) << c.id;
    for (int id : {32771, 32904, 32876, 32924})
        EXPECT_TRUE(frame.IsUnbuilt(id)) << id;
    EXPECT_FALSE(frame.IsUnbuilt(32893));
    QToolButton* del = frame.Palette()->Button(1544);
    EXPECT_FALSE(del->isEnabled());

    frame.Command(32893)->trigger();
    Click(-30, -20);
    Click(30, 20);
    ASSERT_EQ(1u, doc->m_unit.m_lines.size());
    EXPECT_TRUE(frame.Command(57643)->isEnabled());
    frame.Palette()->Button(1006)->click();
    EXPECT_EQ(0, doc->m_toolMode);
    Click(30, 0);
    ASSERT_EQ(1u, doc->m_sel.lines.size());
    EXPECT_TRUE(del->isEnabled());
    EXPECT_TRUE(frame.Palette()->Button(1016)->isEnabled()); // the one line's properties
    del->click();
    EXPECT_TRUE(doc->m_unit.m_lines.empty());
    EXPECT_FALSE(del->isEnabled());
    // Picture and illustration placement are not built: greyed in every mode.
    EXPECT_FALSE(frame.Palette()->Button(1087)->isEnabled());
    EXPECT_FALSE(frame.Palette()->Button(1088)->isEnabled());
}

TEST_F(ToolBarsTest, BarCommandsShowAndHideAndRememberTheirBars)
{
    QAction* group = frame.Command(32800);
    QAction* draw = frame.Command(32903);
    ASSERT_NE(group, nullptr);
    ASSERT_NE(draw, nullptr);
    EXPECT_TRUE(group->isChecked());
    draw->trigger();
    EXPECT_FALSE(frame.DrawToolBar()->isVisible());
    EXPECT_EQ(0, AppProfile().GetInt("QLA_T_UTILITY", "zutool", 1));
    group->trigger();
    EXPECT_FALSE(frame.GroupToolBar()->isVisible());
    EXPECT_EQ(0, AppProfile().GetInt("QLA_T_UTILITY", "grptool", 1));
    {
        CMainFrame again;
        EXPECT_TRUE(again.DrawToolBar()->isHidden());
        EXPECT_TRUE(again.GroupToolBar()->isHidden());
        EXPECT_FALSE(again.Command(32903)->isChecked());
    }
    draw->trigger();
    group->trigger();
    EXPECT_TRUE(frame.DrawToolBar()->isVisible());
    EXPECT_EQ(1, AppProfile().GetInt("QLA_T_UTILITY", "zutool", 0));
    EXPECT_EQ(1, AppProfile().GetInt("QLA_T_UTILITY", "grptool", 0));
    frame.Command(59393)->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
    frame.Command(59393)->trigger();
}

TEST_F(ToolBarsTest, GridFieldsTakeOneTo499AndShowThePreviousValueOtherwise)
{
    CToolPalette* pal = frame.Palette();
    auto* w = pal->findChild<QLineEdit*>("c2033");
    auto* d = pal->findChild<QLineEdit*>("c2034");
    ASSERT_TRUE(w && d);
    doc->m_grid.m_visible = 1;
    pal->RefreshGrid();
    struct Case {
        const char* text;
        bool stored;
        int value;
    };
    const Case cases[] = {{"10", true, 10}, {"1", true, 1},     {"499", true, 499}, {"0", false, 499},
                          {"500", false, 499}, {"-3", false, 499}, {"", false, 499},  {"ab", false, 499}};
    for (const Case& c : cases) {
        w->setText(U(c.text));
        EXPECT_EQ(c.stored, pal->SetPitch(true, w->text())) << c.text;
        EXPECT_EQ(c.value, doc->m_grid.m_w) << c.text;
        EXPECT_EQ(QString::number(c.value), w->text()) << c.text;
    }
    // Typed and confirmed with Enter, as a user does.
    d->setFocus();
    d->selectAll();
    QTest::keyClicks(d, "500");
    QTest::keyClick(d, Qt::Key_Return);
    EXPECT_EQ(5, doc->m_grid.m_d);
    EXPECT_EQ(U("5"), d->text());
    d->selectAll();
    QTest::keyClicks(d, "20");
    QTest::mouseMove(view->viewport(), At(10, 10)); // the read-out changes meanwhile
    pal->Refresh();
    EXPECT_EQ(U("20"), d->text());
    QTest::keyClick(d, Qt::Key_Return);
    EXPECT_EQ(20, doc->m_grid.m_d);

    // 表示 enables the other three; 吸着 follows the record.
    auto* shown = pal->findChild<QCheckBox*>("c2013");
    auto* snap = pal->findChild<QCheckBox*>("c1995");
    shown->click();
    EXPECT_EQ(0, doc->m_grid.m_visible);
    EXPECT_FALSE(snap->isEnabled());
    EXPECT_FALSE(w->isEnabled());
    frame.findChild<QAction*>("viewGrid")->trigger(); // the menu's switch shows in the palette
    EXPECT_TRUE(shown->isChecked());
    EXPECT_TRUE(snap->isEnabled());
    snap->click();
    EXPECT_EQ(1, doc->m_grid.m_kyutyaku);

    doc->m_plotInfo.m_layer.m_edit2 = 5;
    pal->RefreshLayerButton();
    EXPECT_EQ(U("第5層"), pal->Button(1674)->text());
}

TEST_F(ToolBarsTest, MouseButtonsSetTheConstraint)
{
    QToolButton* free = frame.Palette()->Button(1100);
    QToolButton* ortho = frame.Palette()->Button(1144);
    ortho->click();
    EXPECT_EQ(CToolMachine::Orthogonal, view->Tools().GetConstraint());
    EXPECT_TRUE(ortho->isChecked());
    EXPECT_FALSE(free->isChecked());
    // A tool command releases the lock.
    frame.Command(32893)->trigger();
    EXPECT_EQ(CToolMachine::Free, view->Tools().GetConstraint());
    EXPECT_TRUE(free->isChecked());
    EXPECT_FALSE(ortho->isChecked());
}

TEST_F(ToolBarsTest, EachToolOpensThePanelInItsLayoutBesideThePalette)
{
    struct Case {
        int command;
        int layout;
        const char* endLabel;
        bool endEnabled, sizeEnabled, fillEnabled;
    };
    const Case cases[] = {{32890, 0, "線の端点", true, true, false},
                          {32892, 0, "線の端点", true, true, false},
                          {32893, 1, "", false, false, true},
                          {32894, 2, "", false, false, true},
                          {32902, 3, "", false, false, true},
                          {32895, 4, "塗り形状", true, false, true}};
    for (const Case& c : cases) {
        frame.Command(c.command)->trigger();
        QApplication::processEvents();
        CLinePropSetDg* panel = frame.ShapePanel();
        ASSERT_NE(panel, nullptr) << c.command;
        EXPECT_EQ(c.layout, panel->Layout());
        EXPECT_EQ(U(c.endLabel), Panel<QLabel>("c1532")->text()) << c.command;
        EXPECT_EQ(c.endEnabled, Panel<QComboBox>("c1323")->isEnabled()) << c.command;
        EXPECT_EQ(c.sizeEnabled, Panel<QComboBox>("c1531")->isEnabled()) << c.command;
        EXPECT_EQ(c.fillEnabled, Panel<QCheckBox>("c1033")->isEnabled()) << c.command;
        EXPECT_EQ(c.fillEnabled, Panel<QLineEdit>("c1946")->isEnabled()) << c.command;
        // Top at the palette's top, right edge 50 pixels inside the frame.
        const QRect r = frame.ShapePanelFrame()->geometry();
        EXPECT_EQ(frame.width() - 50, r.right() + 1);
        EXPECT_EQ(frame.mapFromGlobal(frame.PaletteDock()->mapToGlobal(QPoint())).y(), r.top());
    }
    EXPECT_EQ(U("扇形"), Panel<QComboBox>("c1323")->itemText(0));
    frame.Command(1006)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(nullptr, frame.ShapePanel());
    EXPECT_EQ(nullptr, frame.ShapePanelFrame());
}

TEST_F(ToolBarsTest, PanelWritesTheSlotTheNextShapeTakes)
{
    frame.Command(32893)->trigger();
    CLinePropSetDg* panel = frame.ShapePanel();
    ASSERT_NE(panel, nullptr);
    Panel<QComboBox>("c1031")->setCurrentIndex(1); // 破線
    Panel<QComboBox>("c1321")->setCurrentIndex(3); // width type 4
    panel->ClickBase(1);                           // line colour red
    Panel<QRadioButton>("c1029")->click();         // 中の色選択 turns the fill on
    EXPECT_TRUE(Panel<QCheckBox>("c1033")->isChecked());
    panel->ClickBase(2);
    Panel<QCheckBox>("c1034")->click();
    panel->ClickHatch(4);
    ASSERT_TRUE(Panel<QCheckBox>("c1662")->isChecked()); // a new document's gradation is on
    Panel<QCheckBox>("c1662")->click();
    Panel<QComboBox>("c1665")->setCurrentIndex(2); // ignored while the gradation is off
    EXPECT_EQ(0, doc->m_plotInfo.m_style[1].m_gradiation);
    Panel<QCheckBox>("c1662")->click();
    Panel<QComboBox>("c1665")->setCurrentIndex(1);
    Panel<QComboBox>("c1665")->setCurrentIndex(2);
    QLineEdit* alpha = Panel<QLineEdit>("c1946");
    alpha->selectAll();
    QTest::keyClicks(alpha, "60");
    const CStyleSlot& s = doc->m_plotInfo.m_style[1];
    EXPECT_EQ(1, s.m_lineType);
    EXPECT_EQ(4, s.m_lineWide);
    EXPECT_EQ(0x0000FF, s.m_color);
    EXPECT_EQ(1, s.m_nakaNuri);
    EXPECT_EQ(0x00FF00, s.m_nakaColor);
    EXPECT_EQ(1, s.m_bHach);
    EXPECT_EQ(0, s.m_hachT); // cell 4: HS_HORIZONTAL
    EXPECT_EQ(9001, s.m_gradiation);
    EXPECT_EQ(60, s.m_alpha);
    // Enter and Esc in a field neither close the panel nor open the colour chooser.
    QTest::keyClick(alpha, Qt::Key_Return);
    QTest::keyClick(alpha, Qt::Key_Escape);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel, frame.ShapePanel());
    EXPECT_EQ(CStyleSlot{}, doc->m_plotInfo.m_style[0]); // other slots untouched

    Click(-30, -20);
    Click(30, 20);
    ASSERT_EQ(1u, doc->m_unit.m_lines.size());
    const CPelLine& line = *doc->m_unit.m_lines[0];
    EXPECT_EQ(1, line.m_lineType);
    EXPECT_EQ(4, line.m_width);
    EXPECT_EQ(0x0000FF, line.m_color);
    EXPECT_EQ(1, line.m_fill);
    EXPECT_EQ(0x00FF00, line.m_fillColor);
    EXPECT_EQ(60, line.m_alpha);
    EXPECT_EQ(9001, line.m_gradation);
}

TEST_F(ToolBarsTest, LineLayoutEditsEndMarkersAndTheSharedSize)
{
    frame.Command(32890)->trigger();
    ASSERT_NE(frame.ShapePanel(), nullptr);
    Panel<QComboBox>("c1323")->setCurrentIndex(9); // 両方●-●
    Panel<QComboBox>("c1531")->setCurrentIndex(4); // 極大
    // A fill colour cannot be chosen for an open line.
    EXPECT_FALSE(Panel<QRadioButton>("c1029")->isEnabled());
    EXPECT_EQ(9, doc->m_plotInfo.m_style[0].m_tanten);
    EXPECT_EQ(4, doc->m_plotInfo.m_lineYaWide);
    EXPECT_EQ(13, Panel<QComboBox>("c1323")->count());
}

TEST_F(ToolBarsTest, ChosenColoursFillTheCustomCellsAndACancelChangesNothing)
{
    frame.Command(32893)->trigger();
    CLinePropSetDg* panel = frame.ShapePanel();
    ASSERT_NE(panel, nullptr);
    const CStyleSlot before = doc->m_plotInfo.m_style[1];
    panel->ApplyChosenColour(false, 0x112233);
    EXPECT_EQ(before, doc->m_plotInfo.m_style[1]);
    const int next = AppProfile().GetInt("TRN_PlotMenu", "ln_orgcolor_cnt", 0);
    panel->ApplyChosenColour(true, 0x112233);
    EXPECT_EQ(0x112233, doc->m_plotInfo.m_style[1].m_color);
    EXPECT_EQ(std::to_string(0x112233),
              AppProfile().GetString("TRN_PlotMenu", "ln_orgcolor_" + std::to_string(next), ""));
    EXPECT_EQ(next == 25 ? 0 : next + 1, AppProfile().GetInt("TRN_PlotMenu", "ln_orgcolor_cnt", -1));
    // With 第二色選択 and 中を塗る the chooser sets the first fill colour.
    Panel<QCheckBox>("c1033")->click();
    Panel<QRadioButton>("c1030")->click();
    panel->ApplyChosenColour(true, 0x445566);
    EXPECT_EQ(0x445566, doc->m_plotInfo.m_style[1].m_nakaColor);
    EXPECT_EQ(before.m_nakaColor2, doc->m_plotInfo.m_style[1].m_nakaColor2);
}

TEST(LinePropDialogTest, DialogFormEditsACopyWithItsOwnTitle)
{
    CPlotInfo plot;
    plot.m_style[3].m_nakaNuri = 1;
    plot.m_style[3].m_gradiation = 27001;
    CLinePropSetDg dlg(&plot, CLinePropSetDg::Modal);
    dlg.SetLayout(3);
    EXPECT_EQ(U("選択図形のプロパティ"), dlg.windowTitle());
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("c1033")->isChecked());
    EXPECT_TRUE(dlg.findChild<QRadioButton*>("c1029")->isChecked());
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("c1662")->isChecked());
    EXPECT_EQ(6, dlg.findChild<QComboBox*>("c1665")->currentIndex()); // 下から上へ
    dlg.SetLayout(5); // a dimension line: slot 0
    EXPECT_EQ(0, dlg.Slot());
}
} // namespace
