#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacementTest, StoredRectanglesAreClampedToTheScreensThereAre)
{
    const QRect primary(0, 0, 1600, 1000);
    const QRect right(1600, 0, 1280, 1024);
    const QList<QRect> two = {primary, right};
    const QList<QRect> one = {primary};
    struct Case {
        QRect saved;
        QList<QRect> screens;
        QRect expected;
        const char* what;
    };
    const Case cases[] = {
        {{100, 50, 800, 600}, two, {100, 50, 800, 600}, "fits the primary screen"},
        {{1700, 100, 800, 600}, two, {1700, 100, 800, 600}, "fits the second screen"},
        {{1700, 100, 800, 600}, one, primary, "the second screen is gone"},
        {{-5000, -3000, 800, 600}, two, primary, "off every screen"},
        {{0, 0, 4000, 3000}, two, primary, "larger than every screen"},
        {{0, 0, 1700, 900}, one, primary, "wider than the only screen"},
        {{1000, 100, 800, 600}, one, {0, 100, 1600, 600}, "runs past the right edge"},
        {{100, 700, 800, 600}, one, {100, 0, 800, 1000}, "runs past the bottom edge"},
        {{100, 100, 0, 600}, two, primary, "empty"},
        {{100, 100, 800, 600}, {}, {0, 0, 1920, 1080}, "no screen reported"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, PlaceWindow(c.saved, c.screens)) << c.what;
}
