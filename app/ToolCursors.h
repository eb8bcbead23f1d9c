#pragma once
// The view's cursors: the system's arrows and hands where they say it, and for each
// drawing tool a cross-hair with a small sign of the tool, drawn here.
#include "edit/ToolMachine.h"

#include <QCursor>

QCursor ToolCursor(CToolMachine::Cursor kind);
