#include "ardelib/SettingsStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(SettingsStore, TypedValuesAndDefaults)
{
    testsupport::TempDir dir;
    std::string saved = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    {
        CSettingsStore s("Halvorn", "Oltrane");
        EXPECT_EQ(dir.path() + "/Halvorn/Oltrane.ini", s.FilePath());
        EXPECT_EQ(20, s.GetInt("QLA_T_UTILITY", "app_undonum", 20));
        EXPECT_EQ("dflt", s.GetString("QLA_T_UTILITY", "path_set_forda", "dflt"));
        s.WriteInt("QLA_T_UTILITY", "app_undonum", 7);
        s.WriteInt("QLA_T_UTILITY", "neg", -3);
        s.WriteString("QLA_T_UTILITY", "digits", "123");
        s.WriteString("QLA_T_FontMenu", "face", "ＭＳ ゴシック");
        s.WriteString("QLA_T_UTILITY", "path", "/home/u/物件/a=b;c,d");
        ASSERT_TRUE(s.Sync());
    }
    CSettingsStore s("Halvorn", "Oltrane");
    EXPECT_EQ(7, s.GetInt("QLA_T_UTILITY", "app_undonum", 20));
    EXPECT_EQ(-3, s.GetInt("QLA_T_UTILITY", "neg", 0));
    EXPECT_EQ("ＭＳ ゴシック", s.GetString("QLA_T_FontMenu", "face", ""));
    EXPECT_EQ("/home/u/物件/a=b;c,d", s.GetString("QLA_T_UTILITY", "path", ""));
    // A value of the other type reads as the default.
    EXPECT_EQ(5, s.GetInt("QLA_T_UTILITY", "digits", 5));
    EXPECT_EQ("x", s.GetString("QLA_T_UTILITY", "app_undonum", "x"));
    // Sections are apart.
    EXPECT_EQ(9, s.GetInt("QLA_T_PlotMenu", "app_undonum", 9));
    // Each application has its own file below the company folder.
    CSettingsStore other("Halvorn", "Orvix");
    EXPECT_EQ(1, other.GetInt("QLA_T_UTILITY", "app_undonum", 1));
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(SettingsStore, HandWrittenNonNumbersReadAsDefaults)
{
    testsupport::TempDir dir;
    std::string saved = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    testsupport::Run("mkdir -p " + testsupport::Quote(dir.path() + "/Halvorn"));
    testsupport::WriteFile(dir.path() + "/Halvorn/Oltrane.ini",
                           "[QLA_T_UTILITY]\napp_undonum=abc\napp_backup=1.5\nmaximize=0\n");
    CSettingsStore s("Halvorn", "Oltrane");
    EXPECT_EQ(20, s.GetInt("QLA_T_UTILITY", "app_undonum", 20));
    EXPECT_EQ(1, s.GetInt("QLA_T_UTILITY", "app_backup", 1));
    EXPECT_EQ(0, s.GetInt("QLA_T_UTILITY", "maximize", 1));
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}
