#pragma once
// Mirroring and quarter turns of a group: its members change, the box follows.
#include "document/PelUnit.h"

// Left-right (or up-down) within the group's box; false when there is no such group.
bool MirrorGroup(CPelUnit& unit, int groupId, bool leftRight);
// Turns the group by step (90: left, counter-clockwise on screen; 270: right) about
// the centre of its box; texts turn with it and ellipses exchange their axes.
bool RotateGroup90(CPelUnit& unit, int groupId, int step);
