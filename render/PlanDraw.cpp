#include "render/PlanDraw.h"

#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/PageDraw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>

namespace {
const char kPlotMenu[] = "QLA_T_PlotMenu";
constexpr int kScreenDefaults[10] = {1, 2, 2, 2, 2, 3, 3, 3, 3, 3};
constexpr int kPrintDefaults[10] = {3, 6, 9, 10, 12, 14, 16, 18, 19, 20};
// Widths from the settings are held to what a pen can sensibly be.
constexpr int kMaxWidth = 100;

int Width(const char* key, int i, int def)
{
    int v = AppProfile().GetInt(kPlotMenu, std::string(key) + std::to_string(i), def);
    return std::clamp(v, 1, kMaxWidth);
}

bool Selected(const CPelmoraDoc& doc, int id)
{
    const auto& ids = doc.m_zelSel.m_ids;
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

void Cross(QPainter& p, QPoint c, bool dotted, const QColor& color)
{
    const QPoint vertical[2] = {{c.x(), c.y() - 13}, {c.x(), c.y() + 13}};
    const QPoint horizontal[2] = {{c.x() - 13, c.y()}, {c.x() + 13, c.y()}};
    if (dotted) {
        DrawDottedPolyline(p, vertical, 2, false, color);
        DrawDottedPolyline(p, horizontal, 2, false, color);
        return;
    }
    p.drawLine(vertical[0], vertical[1]);
    p.drawLine(horizontal[0], horizontal[1]);
}
} // namespace

WidthTables PlanLineWidths()
{
    WidthTables w;
    for (int i = 0; i < 10; ++i) {
        w.screen[i] = Width("zel_linehutosag_", i, kScreenDefaults[i]);
        w.print[i] = Width("zel_linehutosap_", i, kPrintDefaults[i]);
    }
    w.linehutosa = std::clamp(AppProfile().GetInt(kPlotMenu, "zel_linehutosa", 1), 1, kMaxWidth);
    return w;
}

CDrawTransform PlanTransform(const CZel& plan, const PageDevice& dev, const CDrawTransform& page, int editGroup)
{
    std::array<int, kLayerGroups> scales{};
    for (int g = 0; g < kLayerGroups; ++g)
        scales[static_cast<std::size_t>(g)] = plan.m_plot.m_layer.Scale(g);
    CDrawTransform t = BuildTransform(dev, scales, page.zoom, false);
    t.origin = page.ToDevice(editGroup, plan.m_orgX, plan.m_orgY);
    t.paperScale = page.paperScale;
    t.extra1 = plan.m_orgScale < 0 ? 1.0 : static_cast<double>(plan.m_orgScale) / plan.m_plot.m_layer.Scale(0);
    return t;
}

CDrawContext PlanDrawContext(const CZel& plan, const PageDevice& dev, const CDrawContext& page, int editGroup,
                             int printMode, bool greyed)
{
    CDrawContext dc = page;
    ApplyPlotSettings(dc, plan.m_plot);
    dc.t = PlanTransform(plan, dev, page.t, editGroup);
    dc.widths = page.planWidths;
    dc.printMode = printMode;
    dc.printing = printMode != 0;
    // A plan is one object on its sheet layer: greyed as a whole or not at all.
    dc.laygray = greyed ? 1 : 0;
    dc.edit1 = dc.edit2 = -1;
    return dc;
}

void DrawPlan(QPainter& p, const CZel& plan, const PageDevice& dev, const CDrawContext& page, int editGroup,
              int printMode, bool greyed)
{
    const CDrawContext dc = PlanDrawContext(plan, dev, page, editGroup, printMode, greyed);
    DrawWholeUnit(p, dc, plan.m_unit, plan.m_plot.m_layer);
}

void DrawPlanFrame(QPainter& p, const CZel& plan, const CDrawTransform& page, int editGroup, bool marked)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = marked ? QColor(255, 0, 0) : QColor(0, 0, 255);
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    Cross(p, page.ToDevice(editGroup, plan.m_orgX, plan.m_orgY), !marked, colour);
    QPoint c[4];
    for (int h = 1; h <= 4; ++h) {
        PelPoint k = plan.Corner(h);
        c[h - 1] = page.ToDevice(editGroup, k.x, k.y);
    }
    if (marked)
        p.drawPolygon(c, 4);
    else
        DrawDottedPolyline(p, c, 4, true, colour);
    if (marked)
        for (const QPoint& k : c)
            p.fillRect(QRect(k.x() - 2, k.y() - 2, 5, 5), QColor(255, 0, 0));
    p.restore();
}

void DrawPlans(QPainter& p, const CPelmoraDoc& doc, const PageDevice& dev, const CDrawContext& page, int printMode,
               bool frames, const PlanFilter& filter)
{
    const CLayer& layers = doc.m_plotInfo.m_layer;
    const int editGroup = layers.EditGroup();
    for (const auto& plan : doc.m_arZel.m_plans) {
        if (filter.onLayerOnly && (plan->m_layerG != filter.layerG || plan->m_layerN != filter.layerN))
            continue;
        const bool selected = Selected(doc, plan->m_id);
        if ((filter.leaveOutSelected && selected) || (filter.onlySelected && !selected))
            continue;
        const bool greyed = !page.printing && page.laygray &&
                            (plan->m_layerG != layers.m_edit1 || plan->m_layerN != layers.m_edit2);
        DrawPlan(p, *plan, dev, page, editGroup, printMode, greyed);
        if (frames)
            DrawPlanFrame(p, *plan, page.t, editGroup, filter.onlySelected || (!filter.leaveOutSelected && selected));
    }
}

void DrawPlanResizePreview(QPainter& p, const CZel& before, int handle, int editGroup, const CDrawTransform& page,
                           double pressX, double pressY, double curX, double curY)
{
    const double h = before.m_haba, dx = curX - pressX, dy = curY - pressY;
    double u = 0, w = 0;
    switch (handle) {
    case 1: u = h - dx; w = h - dy; break;
    case 2: u = h - dx; w = h + dy; break;
    case 3: u = h + dx; w = h + dy; break;
    case 4: u = h + dx; w = h - dy; break;
    default: return;
    }
    const double v = std::abs(dy) > std::abs(dx) ? w : u;
    if (v == 0)
        return;
    const int e = editGroup;
    const QPoint c = page.ToDevice(e, before.m_orgX, before.m_orgY);
    const int half = TruncPx(page.groupScaleX[static_cast<std::size_t>(e)] * std::abs(v));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor red(255, 0, 0);
    Cross(p, c, true, red);
    const QPoint square[4] = {{c.x() - half, c.y() - half}, {c.x() - half, c.y() + half},
                              {c.x() + half, c.y() + half}, {c.x() + half, c.y() - half}};
    DrawDottedPolyline(p, square, 4, true, red);
    p.restore();
}
