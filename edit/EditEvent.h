#pragma once
// One pointer or key event as the tools see it: what the view hands on, whatever the
// window system said.
#include "document/PelRecord.h"

#include <QPoint>

struct CEditEvent {
    enum Type { Press, Release, Move, DoubleClick, RightPress, RightRelease, Key };
    enum Button { Left = 1, Right = 2 };
    enum Modifier { ShiftMod = 1, CtrlMod = 2, AltMod = 4 };
    enum KeyCode { KeyNone, KeyEscape, KeyLeft, KeyRight, KeyUp, KeyDown, KeyDelete, KeyPadStar, KeyPadMinus };

    Type type = Move;
    QPoint px;       // device pixels of the page (the view's scroll included)
    int buttons = 0; // held after the event: Left | Right
    int modifiers = 0;
    int clickCount = 1;
    KeyCode key = KeyNone;

    bool Ctrl() const { return modifiers & CtrlMod; }
    bool ShiftHeld() const { return modifiers & ShiftMod; }
};
