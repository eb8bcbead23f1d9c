#pragma once
// Where the main window opens from its stored rectangle, given the screens there are now.
#include <QList>
#include <QRect>

// saved is the stored left/top/right/bottom; screens the available areas, primary first.
// A rectangle that fits no screen, lies off every screen or is empty opens filling the
// primary screen; one that runs past its screen's right or bottom edge takes that
// screen's width or height from its left or top.
QRect PlaceWindow(QRect saved, const QList<QRect>& screens);
