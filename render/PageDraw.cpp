#include "render/PageDraw.h"

#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"
#include "platform/Profile.h"
#include "render/LineDraw.h"
#include "render/MapObjectDraw.h"
#include "render/PictureDraw.h"
#include "render/PlanDraw.h"
#include "render/TextDraw.h"
#include "render/WallDraw.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {
const QColor kAppWorkspace(171, 171, 171);
const QColor kGridColour(128, 255, 255);


struct LayerPass {
    QPainter& p;
    const CPelUnit& unit;
    const CDrawContext& dc;
    const CSelection* selection = nullptr; // the document's selection, on the page only
    bool leaveOutSelection = false;           // while the selection is dragged
    bool onlySelection = false;               // the selection alone (the drag overlay)
    bool markers = false;                     // selection markers (the screen)
    std::unordered_set<int> roomGroups;
    std::unordered_set<int> leftOutGroups; // selected groups while dragged
    const PageSettings& settings;

    LayerPass(QPainter& painter, const CPelUnit& u, const CDrawContext& context, const PageSettings& s)
        : p(painter), unit(u), dc(context), settings(s)
    {
        for (const auto& g : unit.m_groups)
            if (g->m_room == 1)
                roomGroups.insert(g->m_id);
    }

    // The selected IDs of each kind as sets: a drag of a thousand objects asks for every
    // record of the page.
    static constexpr const std::vector<int> CSelection::*kLists[5] = {&CSelection::lines, &CSelection::walls,
                                                                      &CSelection::texts, &CSelection::pictures,
                                                                      &CSelection::objects};
    std::unordered_set<int> selected[5];
    void PrepareSelection()
    {
        if ((!leaveOutSelection && !onlySelection) || !selection)
            return;
        for (int k = 0; k < 5; ++k)
            selected[k].insert((selection->*kLists[k]).begin(), (selection->*kLists[k]).end());
        leftOutGroups.insert(selection->groups.begin(), selection->groups.end());
    }

    bool LeftOut(int id, int groupId, const std::vector<int> CSelection::*list) const
    {
        if ((!leaveOutSelection && !onlySelection) || !selection)
            return false;
        bool chosen = groupId != 0 && leftOutGroups.count(groupId);
        for (int k = 0; k < 5 && !chosen; ++k)
            if (kLists[k] == list)
                chosen = selected[k].count(id) != 0;
        return onlySelection ? !chosen : chosen;
    }

    void Line(const CPelLine& l)
    {
        if (LeftOut(l.m_id, l.m_groupId, &CSelection::lines))
            return;
        DrawPelLine(p, dc, l, unit);
    }

    void Pictures(int g, int i)
    {
        for (const auto& pic : unit.m_pictures) {
            if (pic->m_layer1 != g || pic->m_layer2 != i || LeftOut(pic->m_id, 0, &CSelection::pictures))
                continue;
            DrawPelImage(p, dc, settings.picture, *pic);
        }
    }

    void Texts(int g, int i)
    {
        for (const auto& t : unit.m_texts) {
            if (t->m_layer1 != g || t->m_layer2 != i || LeftOut(t->m_id, t->m_groupId, &CSelection::texts))
                continue;
            DrawPelText(p, dc, settings.text, *t);
        }
    }

    void Wall(const CPelWall& w)
    {
        if (LeftOut(w.m_id, w.m_groupId, &CSelection::walls))
            return;
        if (w.m_kind == 1) {
            DrawPillarBody(p, dc, w);
            return;
        }
        auto skip = cornerSkips.find(&w);
        DrawWall(p, dc, w, skip == cornerSkips.end() ? 0u : skip->second);
    }

    bool OnLayer(const CPelWall& w, int g, int i) const { return w.m_layer1 == g && w.m_layer2 == i; }

    template <class Visit>
    void RoomWalls(const CPelGroup& room, int g, int i, Visit&& visit) const
    {
        for (int id : room.m_wallIds) {
            int k = unit.IndexOfWall(id);
            if (k >= 0 && OnLayer(*unit.m_walls[static_cast<std::size_t>(k)], g, i))
                visit(*unit.m_walls[static_cast<std::size_t>(k)]);
        }
    }
    // Walls, then pillar bodies, outside rooms.
    template <class Visit>
    void OtherWalls(int g, int i, Visit&& visit) const
    {
        for (int kind : {0, 1})
            for (const auto& w : unit.m_walls)
                if (w->m_kind == kind && OnLayer(*w, g, i) && !(w->m_groupId != 0 && roomGroups.count(w->m_groupId)))
                    visit(*w);
    }
    // The walls of a layer in the order Draw draws them: the rooms' first.
    template <class Visit>
    void EachWall(int g, int i, Visit&& visit) const
    {
        for (const auto& grp : unit.m_groups)
            if (grp->m_room == 1)
                RoomWalls(*grp, g, i, visit);
        OtherWalls(g, i, visit);
    }
    CornerPillarSkips cornerSkips; // of the layer being drawn

    void PlanCorners(int g, int i)
    {
        std::vector<const CPelWall*> walls;
        EachWall(g, i, [&](const CPelWall& w) {
            if (!LeftOut(w.m_id, w.m_groupId, &CSelection::walls))
                walls.push_back(&w);
        });
        cornerSkips = PlanCornerPillars(dc, walls);
    }

    void Draw(int g, int i, bool withMapObjects)
    {
        // The older layer walk reads the switch afresh for every layer.
        const bool picturesBelow = withMapObjects ? settings.gazousita != 0 : TheAppSwitches().app_gazousita != 0;
        if (picturesBelow)
            Pictures(g, i);
        PlanCorners(g, i);

        // Rooms: their polygons and straight lines in member order, then their walls.
        for (const auto& grp : unit.m_groups) {
            if (grp->m_room != 1)
                continue;
            for (int id : grp->m_lineIds) {
                int k = unit.IndexOfLine(id);
                if (k < 0)
                    continue;
                const CPelLine& l = *unit.m_lines[static_cast<std::size_t>(k)];
                if (l.m_layer1 != g || l.m_layer2 != i)
                    continue;
                if (l.m_type == CPelLine::Polygon || l.m_type == CPelLine::Straight)
                    Line(l);
            }
            RoomWalls(*grp, g, i, [this](const CPelWall& w) { Wall(w); });
        }
        OtherWalls(g, i, [this](const CPelWall& w) { Wall(w); });
        if (withMapObjects) {
            std::vector<const CLineObj*> objects;
            for (const auto& o : unit.m_objects)
                if (o->m_layer1 == g && o->m_layer2 == i && !LeftOut(o->m_id, 0, &CSelection::objects))
                    objects.push_back(o.get());
            DrawMapObjects(p, dc, objects);
        }

        for (const auto& l : unit.m_lines) {
            if (l->m_layer1 != g || l->m_layer2 != i)
                continue;
            if (l->m_groupId != 0 && roomGroups.count(l->m_groupId))
                continue;
            Line(*l);
        }
        for (const auto& w : unit.m_walls)
            if (w->m_kind == 1 && OnLayer(*w, g, i) && !LeftOut(w->m_id, w->m_groupId, &CSelection::walls))
                DrawPillarDetail(p, dc, *w);
        Texts(g, i);
        if (!picturesBelow)
            Pictures(g, i);

        if (markers && selection && !leaveOutSelection)
            Markers(g, i);
    }

    void Square(QPoint c, const QColor& colour) { p.fillRect(QRect(c.x() - 2, c.y() - 2, 5, 5), colour); }

    void Markers(int g, int i)
    {
        const CSelection& sel = *selection;
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int id : sel.objects) {
            int k = unit.IndexOfObject(id);
            if (k < 0)
                continue;
            const CLineObj& o = *unit.m_objects[static_cast<std::size_t>(k)];
            if (o.m_layer1 != g || o.m_layer2 != i)
                continue;
            std::size_t from = o.m_drawType == CLineObj::Curve ? 1 : 0;
            for (std::size_t n = from; n < o.m_points.size(); ++n)
                Square(dc.t.ToDevice(g, o.m_points[n].x, o.m_points[n].y), Qt::blue);
        }
        for (int id : sel.groups) {
            int k = unit.IndexOfGroup(id);
            if (k < 0)
                continue;
            const CPelGroup& gr = *unit.m_groups[static_cast<std::size_t>(k)];
            if (gr.m_layer1 != g || gr.m_layer2 != i)
                continue;
            const double xs[2] = {gr.m_min.x, gr.m_max.x}, ys[2] = {gr.m_min.y, gr.m_max.y};
            for (double x : xs)
                for (double y : ys)
                    Square(dc.t.ToDevice(g, x, y), Qt::red);
            if (sel.Count() == 1) {
                double half = (gr.m_max.x - gr.m_min.x) / 2;
                double a = gr.m_angle * M_PI / 180.0;
                Square(dc.t.ToDevice(g, gr.m_min.x + half * std::cos(a), gr.m_min.y - half * std::sin(a)), Qt::blue);
            }
        }
        for (int id : sel.lines) {
            int k = unit.IndexOfLine(id);
            if (k < 0)
                continue;
            const CPelLine& l = *unit.m_lines[static_cast<std::size_t>(k)];
            if (l.m_layer1 != g || l.m_layer2 != i || l.m_groupId != 0)
                continue;
            for (const PelPoint& pt : l.m_points)
                Square(dc.t.ToDevice(g, pt.x, pt.y), Qt::red);
        }
        for (int id : sel.texts) {
            int k = unit.IndexOfText(id);
            if (k < 0)
                continue;
            const CPelText& t = *unit.m_texts[static_cast<std::size_t>(k)];
            if (t.m_layer1 != g || t.m_layer2 != i)
                continue;
            const QPoint at = dc.t.ToDevice(g, t.m_point.x, t.m_point.y);
            if (sel.Count() == 1 && t.m_huchiFlg == 0) {
                const QPoint handle = TextRotationHandle(dc, t);
                p.setPen(QPen(Qt::blue, 1));
                p.drawLine(at, handle);
                Square(handle, Qt::blue);
            }
            Square(at, Qt::red);
        }
        for (int id : sel.pictures) {
            int k = unit.IndexOfPicture(id);
            if (k < 0)
                continue;
            const CPelImage& pic = *unit.m_pictures[static_cast<std::size_t>(k)];
            if (pic.m_layer1 != g || pic.m_layer2 != i)
                continue;
            const PxRect r = PictureRect(dc.t, pic);
            for (QPoint c : {QPoint(r.left, r.top), QPoint(r.right, r.top), QPoint(r.right, r.bottom),
                             QPoint(r.left, r.bottom)})
                Square(c, Qt::blue);
        }
        p.restore();
    }
};

void PaintSurroundings(QPainter& p, const PageRequest& req, const PxRect& drawable)
{
    QRect area = req.viewArea.isNull() ? req.dev.paper.ToQRect().adjusted(-10, -10, 10, 10) : req.viewArea;
    const PxRect& pr = req.dev.paper;
    p.setRenderHint(QPainter::Antialiasing, false);
    // Workspace around the paper: four bands.
    QRect paper = pr.ToQRect();
    p.fillRect(QRect(QPoint(area.left(), area.top()), QPoint(area.right(), paper.top() - 1)), kAppWorkspace);
    p.fillRect(QRect(QPoint(area.left(), paper.bottom() + 1), QPoint(area.right(), area.bottom())), kAppWorkspace);
    p.fillRect(QRect(QPoint(area.left(), paper.top()), QPoint(paper.left() - 1, paper.bottom())), kAppWorkspace);
    p.fillRect(QRect(QPoint(paper.right() + 1, paper.top()), QPoint(area.right(), paper.bottom())), kAppWorkspace);
    // The margin bands between the paper and the drawable rectangle stay white.
    QRegion band = QRegion(paper).subtracted(QRegion(drawable.ToQRect()));
    for (const QRect& r : band)
        p.fillRect(r, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(pr.left - 1, pr.top - 1), QPoint(pr.right, pr.bottom)));
    p.drawRect(QRect(QPoint(pr.left - 2, pr.top - 2), QPoint(pr.right + 1, pr.bottom + 1)));
}
// Every shown layer of every shown group, map line objects included.
void DrawShownLayers(LayerPass& pass, const CLayer& layers)
{
    for (int g = 0; g < CLayer::kGroups; ++g) {
        const CLayerInfo* gi = layers.GroupInfo(g);
        if (gi && gi->IsHidden())
            continue;
        for (int i = 0; i < CLayer::kLayers; ++i)
            if (layers.IsShown(g, i))
                pass.Draw(g, i, true);
    }
}
} // namespace

void ApplyPlotSettings(CDrawContext& dc, const CPlotInfo& pi)
{
    dc.sirokuro = pi.m_sirokuro;
    dc.gradation = pi.m_gradation;
    dc.plotVersion = pi.m_version;
    std::copy(pi.m_linePich.begin(), pi.m_linePich.end(), dc.pitches);
    for (int c = 1; c <= 10; ++c) {
        dc.widths.screen[c - 1] = pi.LineWidthScreen(c);
        dc.widths.print[c - 1] = pi.LineWidthPrint(c);
    }
    dc.widths.linehutosa = pi.m_lineHutosa;
    for (int s = 0; s < 5; ++s)
        dc.keijPich[s] = pi.MarkerSizeMm(s);
    dc.sunpoTextHeight = pi.m_sunpoTextHeight;
    dc.sunpoKurai = pi.m_sunpoKurai;
    dc.sunpoTanten = pi.m_sunpoTanten;
    dc.wallBlack = pi.m_wallBlack;
    dc.wallColor = pi.m_wallColor;
    dc.hasiraColor = pi.m_hasiraColor;
    dc.plotScale = pi.m_scale;
    dc.vx3D = pi.m_vx3D;
    for (int w = 0; w < CObjInfo::kWideCount; ++w)
        dc.objWide[w] = pi.m_objInfo.Wide(w);
    dc.jrPitch = pi.m_objInfo.m_tJrPitch;
}

PageSettings PageSettings::Read()
{
    PageSettings s;
    s.text = TextDrawSettings::Read();
    s.picture = PictureDrawSettings::Read();
    s.gazousita = AppProfile().GetInt("QLA_T_UTILITY", "app_gazousita", 0);
    s.sirokuroRoomHachDel = AppProfile().GetInt("QLA_T_PlotMenu", "app_sirokuro_roomhachdel", 0);
    s.planWidths = PlanLineWidths();
    s.gazouHoseinasi = AppProfile().GetInt("QLA_T_PlotMenu", "gazou_hoseinasi", 1);
    return s;
}

CDrawContext MakeDrawContext(const CPelmoraDoc& doc, const PageDevice& dev, int printMode, double zoom,
                             bool useDpiYForY, const PageSettings& settings)
{
    const CPlotInfo& pi = doc.m_plotInfo;
    CDrawContext dc;
    std::array<int, kLayerGroups> scales{};
    for (int g = 0; g < kLayerGroups; ++g)
        scales[static_cast<std::size_t>(g)] = pi.m_layer.Scale(g);
    dc.t = BuildTransform(dev, scales, zoom, useDpiYForY);
    dc.printMode = printMode;
    dc.printing = printMode != 0;
    dc.smooth = dev.printing || dev.smooth;
    dc.laygray = pi.m_layGray;
    dc.edit1 = pi.m_layer.m_edit1;
    dc.edit2 = pi.m_layer.m_edit2;
    ApplyPlotSettings(dc, pi);
    dc.hojonuriprt = TheAppSwitches().app_hojonuriprt;
    dc.sirokuroRoomHachDel = settings.sirokuroRoomHachDel;
    dc.planWidths = settings.planWidths;
    dc.fallbackFace = settings.text.fallbackFace;
    dc.hasiraAuto = TheAppSwitches().app_hasiraauto;
    dc.objhabascale = TheAppSwitches().objhabascale;
    return dc;
}

std::string RulerLabel(int k, int pitch, int memoriType)
{
    if (memoriType == 0)
        return std::to_string(static_cast<long long>(k) * pitch);
    if (memoriType == 1)
        return std::to_string(k);
    return std::string();
}

void DrawGrid(QPainter& p, const CGrid& grid, const CDrawTransform& t, int editGroup, const PxRect& paper,
              const PxRect& drawable)
{
    const int hw = (paper.right - paper.left) / 2, hh = (paper.bottom - paper.top) / 2;
    const int g = editGroup >= 0 && editGroup < kLayerGroups ? editGroup : 0;
    const double sx = t.groupScaleX[static_cast<std::size_t>(g)], sy = t.groupScaleY[static_cast<std::size_t>(g)];
    const int ox = t.origin.x(), oy = t.origin.y();
    auto stepX = [&](int k) { return TruncPx(sx * k * grid.StepW()); };
    auto stepY = [&](int k) { return TruncPx(sy * k * grid.StepD()); };
    // Lines closer than a pixel would fill the sheet and never end on a huge sheet.
    const bool linesX = stepX(1) >= 1, linesY = stepY(1) >= 1;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kGridColour, 1));
    for (int k = 1; linesX && stepX(k) <= hw; ++k) {
        int d = stepX(k);
        p.drawLine(ox + d, oy + hh, ox + d, oy - hh);
        p.drawLine(ox - d, oy + hh, ox - d, oy - hh);
    }
    for (int k = 1; linesY && stepY(k) <= hh; ++k) {
        int d = stepY(k);
        p.drawLine(ox - hw, oy + d, ox + hw, oy + d);
        p.drawLine(ox - hw, oy - d, ox + hw, oy - d);
    }
    p.setPen(QPen(kGridColour, 2));
    p.drawLine(ox, paper.top, ox, paper.bottom);
    p.drawLine(paper.left, oy, paper.right, oy);

    if (grid.m_memori) {
        QFont font(cp932::ToQString(cp932::Lit("ＭＳ ゴシック")));
        font.setPixelSize(11);
        font.setWeight(QFont::Normal);
        p.setFont(font);
        QFontMetrics fm(font, p.device());
        const int halfA = fm.boundingRect(QStringLiteral("A")).height() / 2;
        QPen tickPen(Qt::red, 2);
        // Left ruler: ticks across from the drawable rectangle's left edge.
        for (int k = 0; linesY; ++k) {
            int d = stepY(k);
            if (oy - d < paper.top && oy + d > paper.bottom)
                break;
            int len = k % 5 == 0 ? 20 : 10;
            for (int sgn : {-1, 1}) {
                int y = oy + sgn * d;
                if (y < paper.top || y > paper.bottom || (k == 0 && sgn > 0))
                    continue;
                p.setPen(tickPen);
                p.drawLine(drawable.left, y, drawable.left + len, y);
                if (k % 5 == 0) {
                    p.setPen(Qt::blue);
                    p.drawText(QPoint(drawable.left + len, y + halfA),
                               QString::fromStdString(RulerLabel(k, grid.m_d, grid.m_memoriType)));
                }
            }
        }
        // Top ruler: ticks down from the top edge, labels below their ends.
        for (int k = 0; linesX; ++k) {
            int d = stepX(k);
            if (ox - d < paper.left && ox + d > paper.right)
                break;
            int len = k % 5 == 0 ? 20 : 10;
            for (int sgn : {-1, 1}) {
                int x = ox + sgn * d;
                if (x < paper.left || x > paper.right || (k == 0 && sgn > 0))
                    continue;
                p.setPen(tickPen);
                p.drawLine(x, drawable.top, x, drawable.top + len);
                if (k % 5 == 0) {
                    p.setPen(Qt::blue);
                    p.drawText(QPoint(x, drawable.top + len + fm.ascent()),
                               QString::fromStdString(RulerLabel(k, grid.m_w, grid.m_memoriType)));
                }
            }
        }
    }
    p.restore();
}

void PreparePage(const CPelmoraDoc& doc, const PageRequest& req)
{
    if (DrawableRect(req.dev).IsEmpty())
        return;
    const PageSettings settings = req.settings ? *req.settings : PageSettings::Read();
    const double scale = MakeDrawContext(doc, req.dev, req.printMode, req.zoom, req.dev.printing, settings).t.paperScale;
    const std::string& fallback = settings.text.fallbackFace;
    const CLayer& layers = doc.m_plotInfo.m_layer;
    for (const auto& t : doc.m_unit.m_texts)
        if (t->m_huchiFlg >= 1 && t->m_huchiFlg <= 3 && !t->m_text.empty() && layers.IsShown(t->m_layer1, t->m_layer2))
            DecoratedPath(*t, scale, fallback);
}

PageRequest TrueSizeRequest(const CPelmoraDoc& doc, const QPaintDevice& device)
{
    const PaperSheet sheet = doc.m_plotInfo.Paper();
    PageRequest req;
    req.dev.printing = true;
    req.dev.dpiX = device.logicalDpiX();
    req.dev.dpiY = device.logicalDpiY();
    req.dev.width = device.width();
    req.dev.height = device.height();
    req.dev.sheetW = sheet.widthMm;
    req.dev.sheetH = sheet.heightMm;
    req.screen = false;
    req.printMode = 1;
    return req;
}

void DrawPage(QPainter& p, const CPelmoraDoc& doc, const PageRequest& req)
{
    const PxRect drawable = DrawableRect(req.dev);
    if (req.screen)
        PaintSurroundings(p, req, drawable);
    if (drawable.IsEmpty())
        return;
    PageSettings own;
    if (!req.settings)
        own = PageSettings::Read();
    const PageSettings& settings = req.settings ? *req.settings : own;
    CDrawContext dc = MakeDrawContext(doc, req.dev, req.printMode, req.zoom, req.dev.printing, settings);
    dc.settings = &settings;
    const CLayer& layers = doc.m_plotInfo.m_layer;

    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    if (req.dev.printing)
        p.setClipRect(drawable.ToQRect(), Qt::IntersectClip);
    if (req.screen && doc.m_grid.m_visible)
        DrawGrid(p, doc.m_grid, dc.t, layers.EditGroup(), req.dev.paper, drawable);

    LayerPass pass(p, doc.m_unit, dc, settings);
    pass.selection = req.selection;
    pass.leaveOutSelection = req.leaveOutSelection;
    pass.onlySelection = req.onlySelection;
    pass.markers = req.screen;
    pass.PrepareSelection();

    const int planMode = req.planPrintMode < 0 ? req.printMode : req.planPrintMode;
    const bool frames = !req.dev.printing;
    PlanFilter plans;
    plans.leaveOutSelected = req.leaveOutSelection;
    plans.onlySelected = req.onlySelection;
    if (!TheAppSwitches().app_drawzelold) {
        for (int i = 0; i < CLayer::kLayers; ++i) {
            if (!layers.IsShown(0, i))
                continue;
            pass.Draw(0, i, false);
            plans.onLayerOnly = true;
            plans.layerG = 0;
            plans.layerN = i;
            DrawPlans(p, doc, req.dev, dc, planMode, frames, plans);
        }
    } else {
        // The objects take the plans' printing mode on this path.
        CDrawContext old = dc;
        old.printMode = planMode;
        old.printing = planMode != 0;
        LayerPass oldPass(p, doc.m_unit, old, settings);
        oldPass.selection = pass.selection;
        oldPass.leaveOutSelection = pass.leaveOutSelection;
        oldPass.onlySelection = pass.onlySelection;
        oldPass.markers = pass.markers;
        oldPass.PrepareSelection();
        DrawShownLayers(oldPass, layers);
        DrawPlans(p, doc, req.dev, dc, planMode, frames, plans);
    }
    p.restore();
}

void DrawWholeUnit(QPainter& p, const CDrawContext& dc, const CPelUnit& unit, const CLayer& layers)
{
    PageSettings own;
    if (!dc.settings)
        own = PageSettings::Read();
    LayerPass pass(p, unit, dc, dc.settings ? *dc.settings : own);
    DrawShownLayers(pass, layers);
}
