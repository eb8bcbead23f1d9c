// Every test program runs with its own empty settings and data folders, so that
// no test reads or writes the user's, and sees what the user would have been shown.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if OLTRANE_TEST_QTAPP == 3
#include <QApplication>
#elif OLTRANE_TEST_QTAPP == 2
#include <QGuiApplication>
#endif

int main(int argc, char** argv)
{
    std::string root = testsupport::MakeTempDir("oltrane-test");
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 0);
    testing::InitGoogleTest(&argc, argv);
#if OLTRANE_TEST_QTAPP == 3
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
#elif OLTRANE_TEST_QTAPP == 2
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
#endif
    int rc = RUN_ALL_TESTS();
    testsupport::RemoveTree(root);
    return rc;
}
