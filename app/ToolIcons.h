#pragma once
// The icons of the tool bars and the palette: drawn as vectors at whatever size and
// pixel ratio the screen asks for, so they stay crisp on HiDPI screens.
#include <QIcon>

// The icon of a command id; a plain frame for an id without a drawing of its own.
QIcon ToolIcon(int id);
