// The gestures of the curve and outline tools: arcs and ellipses by their clicks, the
// double line and the sampled curves by their points, the free curve by the pointer.
#include "edit/ToolCommit.h"

#include "edit/ShapeCreate.h"
#include "platform/Profile.h"

#include <cmath>
#include <cstdlib>

namespace {
const char kUtility[] = "QLA_T_UTILITY";
constexpr std::size_t kCurveMaxPoints = 55;
constexpr std::size_t kSmoothMaxPoints = 35;
constexpr std::size_t kFreeMaxPoints = 201;
constexpr int kFreeStepPx = 13;

bool Is(int mode, ToolMode m) { return mode == static_cast<int>(m); }

double Millimetres(const char* key)
{
    const double v = std::atof(AppProfile().GetString(kUtility, key, "5").c_str());
    return std::isfinite(v) ? v : 5.0;
}

bool Separate() { return AppProfile().GetInt(kUtility, "app_renzokusenbara", 0) != 0; }
} // namespace

double CToolMachine::OffsetLeft() { return Millimetres("tool_nisen_l"); }
double CToolMachine::OffsetRight() { return Millimetres("tool_nisen_r"); }
int CToolMachine::FilletSteps()
{
    const int n = AppProfile().GetInt(kUtility, "tool_nijyuusen_rbunkatu", 24);
    return n >= 1 && n <= 360 ? n : 24;
}

double CToolMachine::BalloonMinBase() const
{
    // Half of 20 pixels of the edit layer group, in its millimetres.
    const double pxPerMm = m_host.ScreenContext().t.LengthX(EditGroup(), 1.0);
    return pxPerMm > 0 ? 10 / pxPerMm : 0;
}

template <class F>
bool CToolMachine::Create(F make)
{
    int id = 0;
    const std::size_t groupsBefore = m_doc.m_unit.m_groups.size();
    if (!Commit([&] { return (id = make()) != 0; }))
        return false;
    m_doc.m_sel.Clear();
    m_doc.m_zelSel.Clear();
    if (m_doc.m_unit.m_groups.size() > groupsBefore)
        m_doc.m_sel.groups.push_back(id);
    else
        m_doc.m_sel.lines.push_back(id);
    m_points.clear();
    return true;
}

bool CToolMachine::CurveMode() const
{
    switch (static_cast<ToolMode>(Mode())) {
    case ToolMode::ThreePointArc:
    case ToolMode::DoubleLine:
    case ToolMode::DoubleLinePolygon:
    case ToolMode::Ellipse:
    case ToolMode::EllipticArc:
    case ToolMode::Spline:
    case ToolMode::SmoothPolygon:
    case ToolMode::Bezier:
    case ToolMode::FreeCurve:
    case ToolMode::RoundRect:
    case ToolMode::Balloon: return true;
    default: return false;
    }
}

bool CToolMachine::EndsOnDoubleClick() const
{
    const int m = Mode();
    return Is(m, ToolMode::DoubleLine) || Is(m, ToolMode::DoubleLinePolygon) || Is(m, ToolMode::Spline) ||
           Is(m, ToolMode::Bezier);
}

void CToolMachine::FinishCurve()
{
    CPelUnit& unit = m_doc.m_unit;
    const CPlotInfo& plot = m_doc.m_plotInfo;
    const std::vector<PelPoint> pts = m_points;
    if (pts.size() < 2)
        return;
    switch (static_cast<ToolMode>(Mode())) {
    case ToolMode::DoubleLine:
        Create([&] {
            return CreateDoubleLine(unit, plot, pts, OffsetLeft(), OffsetRight(),
                                    Separate());
        });
        break;
    case ToolMode::DoubleLinePolygon:
        Create([&] {
            return CreateDoubleLinePolygon(unit, plot, pts, OffsetLeft(), OffsetRight());
        });
        break;
    case ToolMode::Spline: Create([&] { return CreateSpline(unit, plot, pts); }); break;
    case ToolMode::Bezier: Create([&] { return CreateBezier(unit, plot, pts); }); break;
    default: break;
    }
}

void CToolMachine::CurvePoint(const SnapPoint& p, const CEditEvent& e)
{
    const int m = Mode();
    CPelUnit& unit = m_doc.m_unit;
    const CPlotInfo& plot = m_doc.m_plotInfo;
    if (m_points.empty()) {
        m_doc.m_sel.Clear();
        m_doc.m_zelSel.Clear();
        m_points.push_back(p.mm);
        if (Is(m, ToolMode::ThreePointArc))
            SetPrompt("円弧終了点をクリック");
        else if (Is(m, ToolMode::Ellipse) || Is(m, ToolMode::EllipticArc))
            SetPrompt("幅の位置をクリック");
        else if (Is(m, ToolMode::Balloon))
            SetPrompt("吹き出し四角形の対角を左クリック");
        else if (Is(m, ToolMode::FreeCurve)) {
            SetPrompt("左クリックで終了");
            m_freeLastPx = p.px;
        }
        return;
    }
    // The second click of a pair (and any repeat) adds nothing.
    if (m_points.back() == p.mm)
        return;
    const std::size_t n = m_points.size();
    switch (static_cast<ToolMode>(m)) {
    case ToolMode::ThreePointArc:
        if (n == 1) {
            m_points.push_back(p.mm);
            SetPrompt("円弧決定点をクリック");
            return;
        }
        // Collinear points make nothing: the gesture starts again.
        Create([&] { return CreateThreePointArc(unit, plot, m_points[0], m_points[1], p.mm); });
        m_points.clear();
        SetPrompt("円弧開始点をクリック");
        return;
    case ToolMode::Ellipse:
    case ToolMode::EllipticArc: {
        const bool arc = Is(m, ToolMode::EllipticArc);
        if (n == 1) {
            if (p.mm.x == m_points[0].x)
                return;
            m_points.push_back(p.mm);
            SetPrompt("高さ位置をクリック");
            return;
        }
        if (n == 2) {
            // A height on the width point's row, or on the centre's, gives no ellipse.
            if (p.mm.y == m_points[1].y || p.mm.y == m_points[0].y)
                return;
            if (!arc) {
                if (Create([&] { return CreateEllipse(unit, plot, m_points[0], m_points[1], p.mm); }))
                    SetPrompt("中心点をクリック");
                return;
            }
            m_points.push_back(p.mm);
            SetPrompt("円弧開始点をクリック");
            return;
        }
        if (p.mm == m_points[0])
            return;
        if (n == 3) {
            m_points.push_back(p.mm);
            SetPrompt("円弧終了点をクリック");
            return;
        }
        if (Create([&] {
                return CreateEllipticArc(unit, plot, m_points[0], m_points[1], m_points[2], m_points[3], p.mm);
            }))
            SetPrompt("中心点をクリック");
        return;
    }
    case ToolMode::RoundRect:
        if (n == 1) {
            if (p.mm.x != m_points[0].x && p.mm.y != m_points[0].y)
                m_points.push_back(p.mm);
            return;
        }
        Create([&] { return CreateRoundRect(unit, plot, m_points[0], m_points[1], p.mm, FilletSteps()); });
        return;
    case ToolMode::Balloon:
        if (n == 1) {
            if (p.mm.x != m_points[0].x && p.mm.y != m_points[0].y) {
                m_points.push_back(p.mm);
                SetPrompt("吹き出しの先の位置を左クリック");
            }
            return;
        }
        if (Create([&] {
                return CreateBalloon(unit, plot, m_points[0], m_points[1], p.mm, BalloonStyle(), FilletSteps(),
                                     BalloonMinBase());
            }))
            SetPrompt("吹き出しの四角形の角位置を左クリック");
        return;
    case ToolMode::FreeCurve: {
        std::vector<PelPoint> pts = m_points;
        if (pts.size() > 1)
            pts.pop_back();
        pts.push_back(p.mm);
        const bool separate = Separate();
        if (Create([&] { return CreatePolyline(unit, plot, pts, separate); }))
            EnterPrompt();
        return;
    }
    case ToolMode::Spline:
    case ToolMode::Bezier:
        if (n >= kCurveMaxPoints) {
            FinishCurve();
            return;
        }
        break;
    case ToolMode::SmoothPolygon: {
        const QPoint first = m_host.ScreenContext().t.ToDevice(EditGroup(), m_points[0].x, m_points[0].y);
        const bool closing = n >= 4 && std::abs(first.x() - e.px.x()) < kHitPx && std::abs(first.y() - e.px.y()) < kHitPx;
        if (closing || n >= kSmoothMaxPoints) {
            const std::vector<PelPoint> pts = m_points;
            if (Create([&] { return CreateSmoothPolygon(unit, plot, pts); }))
                SetPrompt("ｸﾘｯｸした点を通る滑らかな多角形を作成、始点ｸﾘｯｸで終了");
            return;
        }
        break;
    }
    default: break;
    }
    m_points.push_back(p.mm);
}

void CToolMachine::FreeCurveMove(const CEditEvent& e)
{
    // The pointer as it is, without the grid: the curve follows the hand.
    if (std::abs(e.px.x() - m_freeLastPx.x()) < kFreeStepPx && std::abs(e.px.y() - m_freeLastPx.y()) < kFreeStepPx)
        return;
    PelPoint mm;
    m_host.ScreenContext().t.ToDrawing(EditGroup(), e.px, mm.x, mm.y);
    m_points.push_back(mm);
    m_freeLastPx = e.px;
    if (m_points.size() < kFreeMaxPoints)
        return;
    std::vector<PelPoint> pts = m_points;
    const bool separate = Separate();
    if (Create([&] { return CreatePolyline(m_doc.m_unit, m_doc.m_plotInfo, pts, separate); }))
        EnterPrompt();
}
