#include "ardelib/ULReg.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testsupport;

TEST(ULReg, ValuesKeepTheirTypesPerApplicationAndSection)
{
    EXPECT_EQ(CULReg::GetCompanyKey(), "Halvorn");
    EXPECT_EQ(CULReg::ProfileToRegistry("Oltrane"), "Halvorn/Oltrane");
    ASSERT_EQ(CULReg::SetString("RegTestA", "QLA_T_UTILITY", "path_set_forda", "/home/u/データ"), 1);
    ASSERT_EQ(CULReg::SetInteger("RegTestA", "QLA_T_UTILITY", "path_itizi_flg", 1), 1);
    ASSERT_EQ(CULReg::SetString("RegTestA", "QLA_T_UTILITY", "digits", "123"), 1);
    EXPECT_EQ(CULReg::GetString("RegTestA", "QLA_T_UTILITY", "path_set_forda", "def"), "/home/u/データ");
    EXPECT_EQ(CULReg::GetInteger("RegTestA", "QLA_T_UTILITY", "path_itizi_flg", 7), 1);
    // A text holding digits is no integer, an integer is no text.
    EXPECT_EQ(CULReg::GetInteger("RegTestA", "QLA_T_UTILITY", "digits", 7), 7);
    EXPECT_EQ(CULReg::GetString("RegTestA", "QLA_T_UTILITY", "path_itizi_flg", "def"), "def");
    // Other sections and applications are separate.
    EXPECT_EQ(CULReg::GetInteger("RegTestA", "QLA_T_Other", "path_itizi_flg", 7), 7);
    EXPECT_EQ(CULReg::GetInteger("RegTestB", "QLA_T_UTILITY", "path_itizi_flg", 7), 7);
    // A text is cut at its first zero byte.
    ASSERT_EQ(CULReg::SetString("RegTestA", "S", "z", std::string("ab\0cd", 5)), 1);
    EXPECT_EQ(CULReg::GetString("RegTestA", "S", "z", ""), "ab");
    // One INI file per application below the company folder.
    std::string ini = std::string(std::getenv("XDG_CONFIG_HOME")) + "/Halvorn/RegTestA.ini";
    std::string text = ReadFile(ini);
    EXPECT_NE(text.find("[QLA_T_UTILITY]"), std::string::npos) << ini;
    EXPECT_NE(text.find("path_itizi_flg=1"), std::string::npos);
    // Unusable names give the default and store nothing.
    EXPECT_EQ(CULReg::SetInteger("", "S", "k", 1), 0);
    EXPECT_EQ(CULReg::SetInteger("../x", "S", "k", 1), 0);
    EXPECT_EQ(CULReg::GetInteger("", "S", "k", 5), 5);
}
