#pragma once
// The view's mouse and keyboard state machine: which edit a click, a drag, a
// double-click, the right button or a key makes in the current tool mode. It holds
// the gesture (the points entered so far, the drag, the zoom gestures and the hand
// tool) and changes the document through its records; the view only turns window
// events into CEditEvent values and draws what this reports.
#include "edit/EditEvent.h"
#include "edit/HitTest.h"
#include "edit/SelectionEdit.h"
#include "edit/Snap.h"
#include "edit/ToolHost.h"
#include "edit/ToolMode.h"

#include <string>
#include <vector>

class CPelmoraDoc;

class CToolMachine {
public:
    enum Constraint { Free = 0, Orthogonal = 3 };
    enum ZoomGesture { NoZoom = 0, ZoomDrag = 1, BothButtons = 2, RangeZoom = 3 };
    enum class Cursor {
        Arrow, Zoom, RangeZoom, OpenHand, ClosedHand, Move, ResizeNwse, ResizeNesw, Rotate, Vertex, Draw, Line, Rect,
        Polygon, Circle, Arc, Polyline, Range
    };

    CToolMachine(CPelmoraDoc& doc, IToolHost& host);

    // A tool command: the designed order of entering a mode (snapshot where listed,
    // tool reset, selection and points cleared, prompt).
    void EnterMode(int mode);
    // The palette's select button.
    void SelectTool() { EnterMode(0); }
    // What the main frame's tool reset does to the view's state.
    void ResetTool();
    void StartZoomDrag();
    void StartRangeZoom();
    void StartHand();
    void SetConstraint(int c);
    int GetConstraint() const { return m_constraint; }

    void Handle(const CEditEvent& e);

    // The delete command: one undo step, the selection deleted, nothing selected.
    bool DeleteSelected();
    bool Undo();
    bool Redo();

    // For the previews, the status bar and the cursor.
    int Mode() const;
    const std::vector<PelPoint>& Points() const { return m_points; }
    const SnapPoint& Current() const { return m_cur; }
    const SnapPoint& Last() const { return m_last; }
    bool Dragging() const { return m_dragging; }
    // A drag that moves or reshapes the selection (the page leaves it out meanwhile).
    bool DraggingSelection() const;
    // A select-mode drag that picked nothing: the selection rectangle from press to pointer.
    bool SelectionRubberBand() const;
    QPoint PressPx() const { return m_pressPx; }
    PelPoint PressMm() const { return m_pressMm; }
    int Zoom() const { return m_zoomGesture; }
    bool HandTool() const { return m_hand; }
    const PressState& Press() const { return m_press; }
    const std::string& Prompt() const { return m_prompt; }
    // The double line's sides (tool_nisen_l/r, millimetres) and a rounded corner's steps.
    static double OffsetLeft();
    static double OffsetRight();
    static int FilletSteps();
    // The smallest base of a balloon's spike at the view's scale (millimetres).
    double BalloonMinBase() const;
    // "絶(x,y)" and "相(dx,dy)", y upwards (UTF-8).
    std::string AbsoluteReadout() const;
    std::string RelativeReadout() const;
    Cursor CursorAt(QPoint px) const;

    // Pointer conversion: pixels to drawing millimetres of the current layer group,
    // then grid snap and the orthogonal constraint.
    SnapPoint Convert(QPoint px, int modifiers) const;

private:
    void LeftPress(const CEditEvent& e);
    void LeftRelease(const CEditEvent& e);
    void MouseMove(const CEditEvent& e);
    void DoubleClick(const CEditEvent& e);
    void RightPress(const CEditEvent& e);
    void RightRelease(const CEditEvent& e);
    void Key(const CEditEvent& e);

    bool OwnGesture() const;
    void GesturePoint(const SnapPoint& p, const CEditEvent& e);
    // The curve and outline tools (ToolGestures.cpp): a click, the double-click that
    // ends a multi-point gesture, the free curve's sampling of the pointer.
    bool CurveMode() const;
    void CurvePoint(const SnapPoint& p, const CEditEvent& e);
    bool EndsOnDoubleClick() const;
    void FinishCurve();
    void FreeCurveMove(const CEditEvent& e);
    // Runs a creation; when it made something, it becomes the one undo step and the
    // single selection (a group when the tool makes one) and the gesture ends.
    template <class F>
    bool Create(F make);
    void SelectPress(const SnapPoint& p, const CEditEvent& e);
    bool Complete(const SnapPoint& p);
    void RangeClick(const SnapPoint& p);
    // What the range between a and b encloses, on every layer.
    CSelection Enclosed(PelPoint a, PelPoint b) const;
    void DragTo(const SnapPoint& p);
    void ZoomDragTo(QPoint px);
    void ZoomToRange(QPoint a, QPoint b);
    double CappedZoom(double z) const;
    void ArrowKey(double dx, double dy);
    // Runs change; when it changed the drawing, the state before becomes one undo step.
    template <class F>
    bool Commit(F change);
    void SelectOnly(int lineId);
    void SetPrompt(const char* utf8) { m_prompt = utf8; }
    void EnterPrompt();
    DragRule Rule() const;
    LayerPair CurrentLayer() const;
    int EditGroup() const;

    CPelmoraDoc& m_doc;
    IToolHost& m_host;
    std::vector<PelPoint> m_points;
    SnapPoint m_last, m_cur;
    int m_zoomGesture = NoZoom;
    bool m_hand = false;
    bool m_dragging = false;
    QPoint m_pressPx;          // page pixels of the press
    QPoint m_dragViewport;     // viewport pixels of the press (the hand tool)
    QPoint m_handLast;         // viewport pixels where the hand last scrolled
    QPoint m_dragScroll;       // scroll position at the press
    double m_zoomAtDrag = 1.0;
    PelPoint m_zoomAnchor;     // the drawing point under the press of a zoom drag
    bool m_swallowRightUp = false;
    int m_constraint = Free;
    bool m_hitAtPress = false; // the select press picked something (or a handle)
    bool m_moved = false;      // the drag changed the drawing
    PelPoint m_pressMm;
    PressState m_press;
    std::string m_prompt;
    QPoint m_freeLastPx; // the free curve's last sampled point
};
