#pragma once
// The 図形 menu: copy, grouping, mirroring and quarter turns of groups, stacking order,
// colours and fills.
class CMainFrame;
class QMenu;

void CreateShapeMenu(CMainFrame& frame, QMenu* menu);
