// The style-table dialogs driven offscreen: what OK stores, what it refuses.
#include "app/KeijyouPichDg.h"
#include "app/LinePichDlg.h"
#include "app/LineWideSetDg.h"
#include "ardelib/Message.h"
#include "edit/StylePitch.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

TEST(StyleDialogsTest, TypedPitchRules)
{
    EXPECT_EQ(2.5, stylepitch::DashPitch("2.5"));
    EXPECT_EQ(0.001, stylepitch::DashPitch(" 0.001 "));
    for (const char* bad : {"0", "-1", "", "abc", "1.5mm", "nan", "inf"})
        EXPECT_FALSE(stylepitch::DashPitch(bad)) << bad;
    EXPECT_EQ(3.0, stylepitch::MarkerSize("3", 1.0));
    for (const char* kept : {"0", "1000", "-2", "x", ""})
        EXPECT_EQ(1.0, stylepitch::MarkerSize(kept, 1.0)) << kept;
    EXPECT_EQ(999.5, stylepitch::MarkerSize("999.5", 1.0));
}

TEST(StyleDialogsTest, DashPitchesAreStoredOnOkAndZeroIsRefusedWithAMessage)
{
    CPlotInfo plot;
    plot.ResetBuiltIn();
    CLinePichDlg dlg(plot.m_linePich);
    EXPECT_EQ(QString("3.750"), dlg.Field(CPlotInfo::kDash0)->text());
    EXPECT_EQ(nullptr, dlg.Field(CPlotInfo::kDashDot3)); // no field: passes through
    dlg.Field(CPlotInfo::kDash0)->setText("5");
    dlg.Field(CPlotInfo::kDot1)->setText("0");
    {
        CRecordingMessageSink sink;
        dlg.accept();
        ASSERT_EQ(1u, sink.messages.size());
        EXPECT_EQ(QDialog::Rejected, dlg.result());
        EXPECT_EQ(3.75f, dlg.Values()[CPlotInfo::kDash0]); // nothing stored from a refused OK
    }
    dlg.Field(CPlotInfo::kDot1)->setText("0.5");
    dlg.accept();
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    EXPECT_EQ(5.0f, dlg.Values()[CPlotInfo::kDash0]);
    EXPECT_EQ(0.5f, dlg.Values()[CPlotInfo::kDot1]);
    EXPECT_EQ(plot.m_linePich[CPlotInfo::kDashDot3], dlg.Values()[CPlotInfo::kDashDot3]);
    dlg.ResetToBuiltIn();
    EXPECT_EQ(QString("3.750"), dlg.Field(CPlotInfo::kDash0)->text());
}

TEST(StyleDialogsTest, MarkerSizesOutsideTheRangeKeepTheirValue)
{
    CKeijyouPichDg dlg({0.6, 1.0, 1.66, 2.5, 4.0});
    EXPECT_EQ(QString("1.66"), dlg.Field(2)->text());
    dlg.Field(0)->setText("0.8");
    dlg.Field(1)->setText("0");
    dlg.Field(4)->setText("1200");
    dlg.accept();
    EXPECT_EQ((CKeijyouPichDg::Sizes{0.8, 1.0, 1.66, 2.5, 4.0}), dlg.Values());
    dlg.Field(0)->setText("9");
    dlg.ResetToBuiltIn();
    EXPECT_EQ(QString("0.6"), dlg.Field(0)->text());
}

TEST(StyleDialogsTest, WidthListsSelectAndStoreTheirValues)
{
    CLineWideSetDg::Widths screen{1, 2, 2, 2, 2, 3, 3, 3, 3, 3};
    CLineWideSetDg::Widths printer{1, 2, 3, 4, 5, 6, 7, 8, 9, 40}; // 40: outside the list
    CLineWideSetDg dlg(screen, printer);
    EXPECT_EQ(1, dlg.ScreenList(1)->currentIndex());
    EXPECT_EQ(20, dlg.PrinterList(0)->count());
    EXPECT_EQ(-1, dlg.PrinterList(9)->currentIndex());
    dlg.ScreenList(0)->setCurrentIndex(9);
    dlg.PrinterList(3)->setCurrentIndex(19);
    dlg.accept();
    EXPECT_EQ(10, dlg.Screen()[0]);
    EXPECT_EQ(20, dlg.Printer()[3]);
    EXPECT_EQ(40, dlg.Printer()[9]);
}
