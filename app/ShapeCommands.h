#pragma once
// The 図形 menu: copy, grouping, mirroring and quarter turns of groups, stacking order.
class CMainFrame;
class QMenu;

void CreateShapeMenu(CMainFrame& frame, QMenu* menu);
