#pragma once
// Floor-plan walls and pillars: wall bodies in the wall colour modes, their visible
// edges, corner pillars at wall ends, and the pillar bodies and details.
#include "render/DrawContext.h"

#include <unordered_map>
#include <vector>

class CPelWall;
class QPainter;

// Corner pillar ends a wall leaves out: bit 0 its start (m_a), bit 1 its end (m_b).
using CornerPillarSkips = std::unordered_map<const CPelWall*, unsigned>;
// Walls meeting at a corner each draw a corner pillar there. A pillar paints every
// pixel of its square opaquely, whatever lay below, so a pillar that a later one paints
// over entirely (the same square, or a larger one round it, at that corner or another)
// need not be drawn at all:
// the page comes out the same. The ends that may leave theirs out, for walls drawn in
// this order.
CornerPillarSkips PlanCornerPillars(const CDrawContext& dc, const std::vector<const CPelWall*>& walls);

// A wall (kind 0): body, then edge segments, centre line and corner pillars as the
// wall colour mode says, leaving out the corner pillars of skip.
void DrawWall(QPainter& p, const CDrawContext& dc, const CPelWall& wall, unsigned skip = 0);
// A pillar's square (kind 1), with its cross when the pillar colour asks for one.
void DrawPillarBody(QPainter& p, const CDrawContext& dc, const CPelWall& wall);
// The circle of a through pillar ("通し柱"), drawn after the lines of the layer.
void DrawPillarDetail(QPainter& p, const CDrawContext& dc, const CPelWall& wall);
