#pragma once
// Floor-plan walls and pillars: wall bodies in the wall colour modes, their visible
// edges, corner pillars at wall ends, and the pillar bodies and details.
#include "render/DrawContext.h"

class CPelWall;
class QPainter;

// A wall (kind 0): body, then edge segments, centre line and corner pillars as the
// wall colour mode says.
void DrawWall(QPainter& p, const CDrawContext& dc, const CPelWall& wall);
// A pillar's square (kind 1), with its cross when the pillar colour asks for one.
void DrawPillarBody(QPainter& p, const CDrawContext& dc, const CPelWall& wall);
// The circle of a through pillar ("通し柱"), drawn after the lines of the layer.
void DrawPillarDetail(QPainter& p, const CDrawContext& dc, const CPelWall& wall);
