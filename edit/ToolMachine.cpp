#include "edit/ToolMachine.h"

#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "edit/HitTest.h"
#include "edit/ShapeCreate.h"
#include "edit/ToolCommit.h"
#include "platform/Profile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
const char kUtility[] = "QLA_T_UTILITY";
constexpr double kMaxZoom = 32;
constexpr int kMaxPaperPx = 32000;
constexpr int kRangeZoomMinPx = 13;
constexpr int kHandStepPx = 10;
constexpr double kZoomPerPx = 130;

const char kMirrorAsk[] = "囲った内容を反転してよろしいですか？";
const char kDeleteAsk[] = "範囲の内容をすべて削除しますがよろしいですか？";

int Setting(const char* key, int def) { return AppProfile().GetInt(kUtility, key, def); }

bool Is(int mode, ToolMode m) { return mode == static_cast<int>(m); }

bool IsRangeMode(int m)
{
    return Is(m, ToolMode::RangeMove) || Is(m, ToolMode::RangeCopy) || Is(m, ToolMode::RangeMirror) ||
           Is(m, ToolMode::RangeDelete);
}
} // namespace

CToolMachine::CToolMachine(CPelmoraDoc& doc, IToolHost& host) : m_doc(doc), m_host(host) { EnterPrompt(); }

int CToolMachine::Mode() const { return m_doc.m_toolMode; }
int CToolMachine::EditGroup() const { return m_doc.m_plotInfo.m_layer.EditGroup(); }
LayerPair CToolMachine::CurrentLayer() const
{
    return {m_doc.m_plotInfo.m_layer.EditGroup(), m_doc.m_plotInfo.m_layer.EditLayer()};
}

DragRule CToolMachine::Rule() const
{
    DragRule r;
    const int scale = m_doc.m_plotInfo.m_layer.Scale(EditGroup());
    r.pictureFactor = scale > 0 ? 1.0 / scale : 1.0;
    r.stretchEven = Setting("app_strecheven", 0) != 0;
    return r;
}

void CToolMachine::EnterPrompt()
{
    const ToolModeInfo* info = FindToolMode(Mode());
    m_prompt = info ? info->prompt : "";
}

void CToolMachine::ResetTool()
{
    m_constraint = Free;
    m_hand = false;
    m_zoomGesture = NoZoom;
    m_dragging = false;
    m_prompt.clear();
}

void CToolMachine::EnterMode(int mode)
{
    const ToolModeInfo* info = FindToolMode(mode);
    if (!info)
        return;
    if (info->snapshotOnEntry)
        m_doc.Snapshot();
    ResetTool();
    m_doc.m_toolMode = mode;
    m_doc.m_sel.Clear();
    m_doc.m_zelSel.Clear();
    m_points.clear();
    if (Is(mode, ToolMode::Line) && Setting("app_linetyoku", 0))
        m_constraint = Orthogonal;
    EnterPrompt();
    m_doc.Touch();
}

void CToolMachine::StartZoomDrag()
{
    m_zoomGesture = ZoomDrag;
    m_hand = false;
}

void CToolMachine::StartRangeZoom()
{
    m_zoomGesture = RangeZoom;
    m_hand = false;
}

void CToolMachine::StartHand() { m_hand = true; }

void CToolMachine::SetConstraint(int c) { m_constraint = c == Orthogonal ? Orthogonal : Free; }

SnapPoint CToolMachine::Convert(QPoint px, int modifiers) const
{
    const CDrawTransform& t = m_host.ScreenContext().t;
    const int g = EditGroup();
    SnapPoint p;
    p.px = px;
    t.ToDrawing(g, px, p.mm.x, p.mm.y);
    if (!Is(Mode(), ToolMode::Text) && !Is(Mode(), ToolMode::DecoratedText)) {
        GridSnapRule rule;
        rule.allPita = Setting("app_gridallpita", 1) != 0;
        rule.group = g;
        p = SnapToGrid(m_doc.m_grid, t, rule, p);
    }
    if ((modifiers & CEditEvent::CtrlMod) || m_constraint == Orthogonal) {
        const bool fromLast = (m_dragging && m_points.size() <= 1) || m_points.size() == 1;
        if (fromLast)
            p = ConstrainOrthogonal(t, g, p, m_last.mm);
        else if (m_points.size() >= 2)
            p = ConstrainOrthogonal(t, g, p, m_points.back());
    }
    return p;
}

void CToolMachine::SelectOnly(int lineId)
{
    m_doc.m_sel.Clear();
    m_doc.m_zelSel.Clear();
    m_doc.m_sel.lines.push_back(lineId);
}

void CToolMachine::Handle(const CEditEvent& e)
{
    switch (e.type) {
    case CEditEvent::Press: LeftPress(e); break;
    case CEditEvent::Release: LeftRelease(e); break;
    case CEditEvent::Move: MouseMove(e); break;
    case CEditEvent::DoubleClick: DoubleClick(e); break;
    case CEditEvent::RightPress: RightPress(e); break;
    case CEditEvent::RightRelease: RightRelease(e); break;
    case CEditEvent::Key: Key(e); break;
    }
}

bool CToolMachine::OwnGesture() const
{
    const int m = Mode();
    return Is(m, ToolMode::Polygon) || Is(m, ToolMode::Polyline) || IsRangeMode(m) || CurveMode();
}

void CToolMachine::LeftPress(const CEditEvent& e)
{
    const bool both = (e.buttons & CEditEvent::Right) != 0;
    if (both && Is(Mode(), ToolMode::Select)) {
        m_zoomGesture = BothButtons;
        m_swallowRightUp = true;
    }
    SnapPoint p = Convert(e.px, e.modifiers);
    if (m_zoomGesture != NoZoom || m_hand) {
        m_pressPx = e.px;
        m_dragViewport = m_handLast = e.px - m_host.ScrollPos();
        m_dragScroll = m_host.ScrollPos();
        m_zoomAtDrag = m_host.Zoom();
        m_zoomAnchor = p.mm;
        m_dragging = true;
        m_last = m_cur = p;
        return;
    }
    if (e.ShiftHeld()) {
        PelPoint typed;
        if (!m_host.AskRelative(p.mm, typed)) {
            m_last = m_cur = p;
            return;
        }
        p.mm = typed;
        p.px = m_host.ScreenContext().t.ToDevice(EditGroup(), typed.x, typed.y);
    }
    if (OwnGesture()) {
        GesturePoint(p, e);
        m_last = m_cur = p;
        return;
    }
    if (Is(Mode(), ToolMode::Select)) {
        SelectPress(p, e);
    } else if (!m_points.empty()) {
        if (Complete(p))
            m_points.clear();
        else if (!(m_points.back() == p.mm))
            m_points.push_back(p.mm);
    } else {
        m_doc.m_sel.Clear();
        m_points.push_back(p.mm);
    }
    m_last = m_cur = p;
    m_doc.Touch();
}

void CToolMachine::SelectPress(const SnapPoint& p, const CEditEvent& e)
{
    m_points.clear();
    m_pressPx = e.px;
    m_pressMm = p.mm;
    m_moved = false;
    CSelection& sel = m_doc.m_sel;
    const CDrawContext& dc = m_host.ScreenContext();
    m_hitAtPress = false;
    if (sel.Count() == 1 && HitHandle(m_doc.m_unit, dc, e.px, sel)) {
        m_hitAtPress = true;
    } else if (int plan = HitPlan(m_doc.m_arZel, dc.t, EditGroup(), e.px);
               plan != 0 && !(e.Ctrl() && !sel.Empty())) {
        m_doc.m_zelSel.Clear();
        m_doc.m_zelSel.m_ids = {plan};
        m_doc.m_zelSel.m_count = 1;
        sel.Clear();
        m_hitAtPress = true;
    } else {
        m_hitAtPress = PickObject(m_doc.m_unit, dc, CurrentLayer(), e.px, e.Ctrl(), false, sel);
        if (m_hitAtPress || !e.Ctrl())
            m_doc.m_zelSel.Clear();
    }
    if (!sel.Empty() || m_doc.m_zelSel.m_count > 0) {
        // The drag that may follow moves the selection: one undo step, and the state it
        // starts from kept apart from the history.
        m_doc.Snapshot();
        m_press.Take(m_doc.m_unit, m_doc.m_arZel);
    }
    m_dragging = true;
}

bool CToolMachine::Complete(const SnapPoint& p)
{
    const int m = Mode();
    const PelPoint a = m_points.back();
    CPelUnit& unit = m_doc.m_unit;
    const CPlotInfo& plot = m_doc.m_plotInfo;
    int id = 0;
    auto create = [&](auto fn) {
        return Commit([&] {
            id = fn();
            return id != 0;
        });
    };
    bool made = false;
    if (Is(m, ToolMode::Line))
        made = create([&] { return CreateStraightLine(unit, plot, a, p.mm); });
    else if (Is(m, ToolMode::Rect))
        made = create([&] { return CreateRectangle(unit, plot, a, p.mm); });
    else if (Is(m, ToolMode::Circle))
        made = create([&] { return CreateCircle(unit, plot, a, p.mm); });
    else if (Is(m, ToolMode::Arc)) {
        if (m_points.size() < 2)
            return false;
        const PelPoint c = m_points[m_points.size() - 2];
        made = create([&] { return CreateArc(unit, plot, c, a, p.mm); });
    } else if (Is(m, ToolMode::Dimension)) {
        if (m_points.size() < 2)
            return false;
        const PelPoint s = m_points[m_points.size() - 2];
        made = create([&] { return CreateDimension(unit, plot, s, a, p.mm); });
    }
    if (made)
        SelectOnly(id);
    return made;
}

void CToolMachine::GesturePoint(const SnapPoint& p, const CEditEvent& e)
{
    const int m = Mode();
    m_doc.Touch();
    if (IsRangeMode(m)) {
        RangeClick(p);
        return;
    }
    if (CurveMode()) {
        CurvePoint(p, e);
        return;
    }
    if (Is(m, ToolMode::Polygon)) {
        if (m_points.size() >= 3) {
            const QPoint first = m_host.ScreenContext().t.ToDevice(EditGroup(), m_points[0].x, m_points[0].y);
            if (std::abs(first.x() - e.px.x()) < kHitPx && std::abs(first.y() - e.px.y()) < kHitPx) {
                int id = 0;
                if (Commit([&] { return (id = CreatePolygon(m_doc.m_unit, m_doc.m_plotInfo, m_points)) != 0; })) {
                    SelectOnly(id);
                    m_points.clear();
                }
                return;
            }
        }
    }
    if (m_points.empty())
        m_doc.m_sel.Clear();
    if (m_points.empty() || !(m_points.back() == p.mm))
        m_points.push_back(p.mm);
}

CSelection CToolMachine::Enclosed(PelPoint a, PelPoint b) const
{
    CSelection sel;
    SelectInRect(m_doc.m_unit, m_host.ScreenContext(), a, b, false, CurrentLayer(), sel);
    return sel;
}

void CToolMachine::RangeClick(const SnapPoint& p)
{
    const int m = Mode();
    if (m_points.empty()) {
        m_points.push_back(p.mm);
        SetPrompt("範囲ニ点目をｸﾘｯｸ");
        return;
    }
    if (m_points.size() == 1) {
        // A second corner on the first one's row or column makes no range.
        if (p.mm.x == m_points[0].x || p.mm.y == m_points[0].y)
            return;
        m_points.push_back(p.mm);
        if (Is(m, ToolMode::RangeMove) || Is(m, ToolMode::RangeCopy)) {
            SetPrompt(Is(m, ToolMode::RangeMove) ? "移動基準点をｸﾘｯｸ" : "複写基準点をｸﾘｯｸ");
            return;
        }
        const bool mirror = Is(m, ToolMode::RangeMirror);
        if (ShowMessage(mirror ? kMirrorAsk : kDeleteAsk, MsgButtons::OkCancel) == MsgAnswer::Ok) {
            const PelPoint a = m_points[0], b = m_points[1];
            Commit([&] {
                const CSelection sel = Enclosed(a, b);
                if (sel.Empty())
                    return false;
                if (mirror)
                    MirrorSelection(m_doc.m_unit, sel, (a.x + b.x) / 2, Rule().pictureFactor);
                else
                    DeleteSelection(m_doc.m_unit, sel);
                return true;
            });
        }
        m_doc.m_sel.Clear();
        EnterMode(0);
        m_host.ModeChanged();
        return;
    }
    if (m_points.size() == 2) {
        m_points.push_back(p.mm);
        SetPrompt(Is(m, ToolMode::RangeMove) ? "移動目的点をｸﾘｯｸ" : "複写目的点をｸﾘｯｸ");
        return;
    }
    // A whole millimetre toward zero in each direction.
    const double dx = std::trunc(p.mm.x - m_points[2].x), dy = std::trunc(p.mm.y - m_points[2].y);
    const PelPoint a = m_points[0], b = m_points[1];
    Commit([&] {
        const CSelection sel = Enclosed(a, b);
        if (sel.Empty())
            return false;
        if (Is(m, ToolMode::RangeMove))
            MoveSelection(m_doc.m_unit, m_doc.m_unit, sel, dx, dy, Rule());
        else
            CopySelection(m_doc.m_unit, sel, dx, dy, Rule().pictureFactor);
        return true;
    });
    m_doc.m_sel.Clear();
    if (Is(m, ToolMode::RangeMove)) {
        m_points.clear();
        SetPrompt("範囲一点目をｸﾘｯｸ");
    }
}

bool CToolMachine::DraggingSelection() const
{
    return m_dragging && Is(Mode(), ToolMode::Select) && m_zoomGesture == NoZoom && !m_hand &&
           (!m_doc.m_sel.Empty() || m_doc.m_zelSel.m_count > 0) && m_hitAtPress;
}

bool CToolMachine::SelectionRubberBand() const
{
    return m_dragging && Is(Mode(), ToolMode::Select) && m_zoomGesture == NoZoom && !m_hand && !m_hitAtPress;
}

void CToolMachine::DragTo(const SnapPoint& p)
{
    const double dx = p.mm.x - m_pressMm.x, dy = p.mm.y - m_pressMm.y;
    CSelection& sel = m_doc.m_sel;
    // Always from the state at the press: nothing accumulates from move to move.
    if (sel.handle != 0) {
        DragRule rule = Rule();
        rule.press = m_pressMm;
        DragHandle(m_doc.m_unit, m_press.unit, sel, dx, dy, rule);
    } else {
        MoveSelection(m_doc.m_unit, m_press.unit, sel, dx, dy, Rule());
        MovePlans(m_doc.m_arZel, m_press.plans, m_doc.m_zelSel.m_ids, dx, dy);
    }
    m_moved = m_moved || dx != 0 || dy != 0;
    m_doc.Touch();
}

double CToolMachine::CappedZoom(double z) const
{
    z = std::min(z, kMaxZoom);
    const int paper = m_host.UnzoomedPaperWidth();
    if (paper > 0 && z * paper > kMaxPaperPx)
        z = std::floor(static_cast<double>(kMaxPaperPx) / paper);
    return z;
}

void CToolMachine::ZoomDragTo(QPoint px)
{
    const QPoint viewport = px - m_host.ScrollPos();
    const double d = std::hypot(viewport.x() - m_dragViewport.x(), viewport.y() - m_dragViewport.y());
    const double z = CappedZoom(d / kZoomPerPx + m_zoomAtDrag);
    if (z <= 1.0)
        m_host.WholePage();
    else
        m_host.ZoomAt(z, m_zoomAnchor);
}

void CToolMachine::ZoomToRange(QPoint a, QPoint b)
{
    const double zoom = m_host.Zoom();
    const int w = std::abs(b.x() - a.x()), h = std::abs(b.y() - a.y());
    if (w < kRangeZoomMinPx && h < kRangeZoomMinPx)
        return;
    const double uw = w / zoom, uh = h / zoom;
    double z = kMaxZoom;
    if (uw > 0)
        z = std::min(z, m_host.UnzoomedPaperWidth() / uw);
    if (uh > 0)
        z = std::min(z, m_host.UnzoomedPaperHeight() / uh);
    z = CappedZoom(z);
    const CDrawTransform& t = m_host.ScreenContext().t;
    PelPoint centre;
    t.ToDrawing(EditGroup(), QPoint((a.x() + b.x()) / 2, (a.y() + b.y()) / 2), centre.x, centre.y);
    if (z <= 1.0)
        m_host.WholePage();
    else
        m_host.ZoomAt(z, centre);
}

void CToolMachine::MouseMove(const CEditEvent& e)
{
    if (m_hand && m_dragging) {
        const QPoint viewport = e.px - m_host.ScrollPos();
        const QPoint d = viewport - m_handLast;
        if (std::abs(d.x()) + std::abs(d.y()) >= kHandStepPx) {
            m_host.ScrollTo(m_dragScroll + m_dragViewport - viewport);
            m_handLast = viewport;
        }
        return;
    }
    const SnapPoint p = Convert(e.px, e.modifiers);
    m_cur = p;
    if ((m_zoomGesture == ZoomDrag || m_zoomGesture == BothButtons) && m_dragging) {
        ZoomDragTo(e.px);
        return;
    }
    if (DraggingSelection())
        DragTo(p);
    if (Is(Mode(), ToolMode::FreeCurve) && !m_points.empty())
        FreeCurveMove(e);
}

void CToolMachine::LeftRelease(const CEditEvent& e)
{
    const SnapPoint p = Convert(e.px, e.modifiers);
    m_cur = p;
    const int zoom = m_zoomGesture;
    if (zoom == RangeZoom && m_dragging)
        ZoomToRange(m_pressPx, e.px);
    if (zoom != NoZoom)
        m_zoomAtDrag = 1.0;
    if (zoom == NoZoom && !m_hand && Is(Mode(), ToolMode::Select) && m_dragging) {
        if (!m_hitAtPress) {
            SelectInRect(m_doc.m_unit, m_host.ScreenContext(), m_pressMm, p.mm, true, CurrentLayer(), m_doc.m_sel);
            if (!m_doc.m_sel.Empty())
                m_doc.m_zelSel.Clear();
        } else if (m_moved) {
            m_doc.Changed();
        }
    }
    if (!Setting("app_zoomjyouzi", 0) || zoom == BothButtons) {
        m_zoomGesture = NoZoom;
        m_hand = false;
    } else if (zoom == ZoomDrag || zoom == RangeZoom) {
        m_zoomGesture = zoom;
    }
    m_doc.m_sel.handle = m_doc.m_sel.handleIndex = 0;
    m_dragging = false;
    m_hitAtPress = false;
    m_moved = false;
    m_doc.Touch();
}

void CToolMachine::DoubleClick(const CEditEvent& e)
{
    const int m = Mode();
    if (Is(m, ToolMode::Select) && e.Ctrl())
        return;
    if (EndsOnDoubleClick()) {
        FinishCurve();
        m_doc.Touch();
        return;
    }
    if (Is(m, ToolMode::Polyline)) {
        if (m_points.size() >= 2) {
            int id = 0;
            const bool separate = Setting("app_renzokusenbara", 0) != 0;
            if (Commit([&] { return (id = CreatePolyline(m_doc.m_unit, m_doc.m_plotInfo, m_points, separate)) != 0; })) {
                SelectOnly(id);
                m_points.clear();
            }
        }
        m_doc.Touch();
        return;
    }
    const SnapPoint p = Convert(e.px, e.modifiers);
    if (Is(m, ToolMode::Select)) {
        m_points.clear();
        PickObject(m_doc.m_unit, m_host.ScreenContext(), CurrentLayer(), e.px, false, true, m_doc.m_sel);
        m_doc.m_zelSel.Clear();
    } else if (!OwnGesture()) {
        // The second click of a pair arrives as a double-click: the gesture takes it.
        LeftPress(e);
        return;
    } else {
        GesturePoint(p, e);
    }
    m_last = m_cur = p;
    m_doc.Touch();
}

void CToolMachine::RightPress(const CEditEvent& e)
{
    const int m = Mode();
    if ((e.buttons & CEditEvent::Left) && Is(m, ToolMode::Select)) {
        CEditEvent both = e;
        both.type = CEditEvent::Press;
        LeftPress(both);
        return;
    }
    if (!m_points.empty()) {
        if (Is(m, ToolMode::Polygon) || Is(m, ToolMode::Polyline) || Is(m, ToolMode::DoubleLine) ||
            Is(m, ToolMode::DoubleLinePolygon) || Is(m, ToolMode::Spline) || Is(m, ToolMode::SmoothPolygon) ||
            Is(m, ToolMode::Bezier) || Is(m, ToolMode::RoundRect))
            m_points.pop_back();
        else
            m_points.clear();
    }
    if (m_zoomGesture != NoZoom)
        m_swallowRightUp = true;
    m_hand = false;
    m_zoomGesture = NoZoom;
    const bool stays = Is(m, ToolMode::Line) || Is(m, ToolMode::Rect) || Is(m, ToolMode::Polygon) ||
                       Is(m, ToolMode::Circle) || Is(m, ToolMode::Arc) || Is(m, ToolMode::Polyline) ||
                       Is(m, ToolMode::Text) || Is(m, ToolMode::Dimension) || Is(m, ToolMode::DecoratedText) ||
                       Is(m, ToolMode::DoubleLine) || Is(m, ToolMode::Spline) || Is(m, ToolMode::SmoothPolygon) ||
                       Is(m, ToolMode::Bezier) || Is(m, ToolMode::DoubleLinePolygon) || Is(m, ToolMode::RoundRect);
    if (!stays && !Is(m, ToolMode::Select)) {
        EnterMode(0);
        m_host.ModeChanged();
    }
    m_doc.Touch();
}

void CToolMachine::RightRelease(const CEditEvent& e)
{
    if (m_swallowRightUp) {
        m_swallowRightUp = false;
        return;
    }
    if (m_zoomGesture != NoZoom || !m_points.empty())
        return;
    const CSelection& sel = m_doc.m_sel;
    if (sel.Count() == 1 && sel.groups.size() == 1)
        m_host.ContextMenu(e.px, 2, false);
    else if (sel.Count() == 1 || (sel.Empty() && m_doc.m_zelSel.m_count == 1))
        m_host.ContextMenu(e.px, 1, false);
    else if (sel.Count() > 1)
        m_host.ContextMenu(e.px, 0, false);
    else if (Is(Mode(), ToolMode::Select))
        m_host.ContextMenu(e.px, 0, true);
}

void CToolMachine::ArrowKey(double dx, double dy)
{
    if (m_doc.m_sel.Empty() && m_doc.m_zelSel.m_ids.empty()) {
        m_doc.Touch();
        return;
    }
    m_doc.Snapshot();
    MoveSelection(m_doc.m_unit, m_doc.m_unit, m_doc.m_sel, dx, dy, Rule());
    MovePlans(m_doc.m_arZel, m_doc.m_arZel, m_doc.m_zelSel.m_ids, dx, dy);
    m_doc.Changed();
}

void CToolMachine::Key(const CEditEvent& e)
{
    const double sx = m_doc.m_plotInfo.m_moveX, sy = m_doc.m_plotInfo.m_moveY;
    switch (e.key) {
    case CEditEvent::KeyEscape:
        m_points.clear();
        if (IsRangeMode(Mode()))
            EnterPrompt();
        m_doc.Touch();
        break;
    case CEditEvent::KeyLeft: ArrowKey(-sx, 0); break;
    case CEditEvent::KeyRight: ArrowKey(sx, 0); break;
    case CEditEvent::KeyUp: ArrowKey(0, -sy); break;
    case CEditEvent::KeyDown: ArrowKey(0, sy); break;
    case CEditEvent::KeyDelete: DeleteSelected(); break;
    case CEditEvent::KeyPadStar:
        if (m_host.Zoom() != 1.0)
            m_host.WholePage();
        break;
    case CEditEvent::KeyPadMinus:
        if (m_host.Zoom() != 1.0)
            m_host.ZoomOut();
        break;
    default: break;
    }
}

bool CToolMachine::DeleteSelected()
{
    CSelection sel = m_doc.m_sel;
    std::vector<int> plans = m_doc.m_zelSel.m_ids;
    const bool changed = Commit([&] {
        int n = DeleteSelection(m_doc.m_unit, sel);
        for (int id : plans)
            if (int i = m_doc.m_arZel.IndexOf(id); i >= 0) {
                m_doc.m_arZel.m_plans.erase(m_doc.m_arZel.m_plans.begin() + i);
                ++n;
            }
        return n > 0;
    });
    m_doc.m_sel.Clear();
    m_doc.m_zelSel.Clear();
    m_points.clear();
    m_doc.Touch();
    return changed;
}

bool CToolMachine::Undo()
{
    m_points.clear();
    return m_doc.Undo();
}

bool CToolMachine::Redo() { return m_doc.Redo(); }

std::string CToolMachine::AbsoluteReadout() const
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "絶(%.2f,%.2f)", m_cur.mm.x, -m_cur.mm.y);
    return buf;
}

std::string CToolMachine::RelativeReadout() const
{
    double dx = 0, dy = 0;
    if (!m_points.empty() || m_dragging) {
        dx = m_cur.mm.x - m_last.mm.x;
        dy = m_cur.mm.y - m_last.mm.y;
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "相(%.2f,%.2f)", dx, dy == 0 ? 0.0 : -dy);
    return buf;
}

CToolMachine::Cursor CToolMachine::CursorAt(QPoint px) const
{
    if (m_zoomGesture == RangeZoom)
        return Cursor::RangeZoom;
    if (m_zoomGesture != NoZoom)
        return Cursor::Zoom;
    if (m_hand)
        return m_dragging ? Cursor::ClosedHand : Cursor::OpenHand;
    const int m = Mode();
    if (Is(m, ToolMode::Select)) {
        if (DraggingSelection() && m_doc.m_sel.handle == 0)
            return m_constraint == Orthogonal ? Cursor::Move : Cursor::Arrow;
        CSelection probe = m_doc.m_sel;
        int handle = probe.handle, index = probe.handleIndex;
        if (handle == 0 && probe.Count() == 1 && HitHandle(m_doc.m_unit, m_host.ScreenContext(), px, probe)) {
            handle = probe.handle;
            index = probe.handleIndex;
        }
        switch (handle) {
        case 1:
        case 2: return index == 2 || index == 4 ? Cursor::ResizeNesw : Cursor::ResizeNwse;
        case 9: return Cursor::Rotate;
        case 4:
        case 5:
        case 7: return Cursor::Vertex;
        default: return Cursor::Arrow;
        }
    }
    switch (static_cast<ToolMode>(m)) {
    case ToolMode::Line: return Cursor::Line;
    case ToolMode::Rect: return Cursor::Rect;
    case ToolMode::Polygon: return Cursor::Polygon;
    case ToolMode::Circle: return Cursor::Circle;
    case ToolMode::Arc: return Cursor::Arc;
    case ToolMode::Polyline: return Cursor::Polyline;
    case ToolMode::RangeMove:
    case ToolMode::RangeCopy:
    case ToolMode::RangeMirror:
    case ToolMode::RangeDelete: return Cursor::Range;
    default: return Cursor::Draw;
    }
}
