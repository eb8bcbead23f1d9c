#pragma once
// The drawing view: the sheet fitted into the window, painted from a page bitmap that
// is rebuilt only on redraw, with zoom and scrolling. A rebuild draws without
// antialiasing, which keeps zooming, scrolling and editing quick on crowded sheets;
// once the view has been still for a moment the bitmap is drawn again antialiased.
#include "edit/ToolHost.h"
#include "edit/ToolMachine.h"
#include "render/DragLayer.h"
#include "render/PageDraw.h"
#include "render/ZoomModel.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <functional>
#include <memory>

class CPelmoraDoc;

class QMenu;

class CPelmoraView : public QAbstractScrollArea, public IToolHost {
    Q_OBJECT
public:
    explicit CPelmoraView(CPelmoraDoc* doc, QWidget* parent = nullptr);
    ~CPelmoraView() override;

    // The mouse and keyboard state machine the view hands its events to.
    CToolMachine& Tools() { return *m_tools; }
    // A tool command from a menu: the mode entered, the view focused and redrawn.
    void EnterMode(int mode);

    // IToolHost.
    const CDrawContext& ScreenContext() const override;
    double Zoom() const override { return m_zoom.zoom; }
    void ZoomAt(double zoom, PelPoint at) override;
    void ZoomOut() override;
    void WholePage() override;
    QPoint ScrollPos() const override;
    void ScrollTo(QPoint pos) override;
    int UnzoomedPaperWidth() const override;
    int UnzoomedPaperHeight() const override;
    bool AskRelative(PelPoint base, PelPoint& result) override;
    void ContextMenu(QPoint px, int which, bool greyed) override;
    void ModeChanged() override;
    // The context menu's entries for the machine's menu kinds; set by the main frame.
    using MenuBuilder = std::function<void(QMenu&, int which, bool greyed)>;
    void SetMenuBuilder(MenuBuilder b) { m_menuBuilder = std::move(b); }

    CPelmoraDoc* GetDocument() const { return m_doc; }
    // Rebuilds the page bitmap now and repaints the whole client area.
    void Redraw();
    // Back to the whole sheet (a new or opened document).
    void InitialUpdate();
    // The zoom gestures' entry: zoom about the view centre.
    void SetZoom(double z);
    const CZoomModel& ZoomModel() const { return m_zoom; }

    // The display switches; each toggles and redraws.
    void ToggleMonochrome();
    void ToggleGradation();
    void ToggleGreyDisplay();
    void ToggleGrid();

    const QImage& PageBitmap() const { return m_page; }
    int PageRebuilds() const { return m_rebuilds; }
    // Whether the page bitmap is the antialiased one.
    bool PageSmoothed() const { return m_smoothed; }
    // How long the view waits after a rebuild before it smooths the page.
    static constexpr int kSmoothDelayMs = 150;
    // Pages of this many pixels and more are drawn in bands side by side.
    static constexpr long long kBandedPixels = 500000;
    // The paper rectangle of the last page drawing, in view (scrolled) pixels.
    PxRect PaperRect() const { return m_paper; }
    // Whether the page bitmap leaves the dragged selection out (drawn live over it).
    bool DragPageShown() const { return m_dragPageValid; }

signals:
    // The prompt, the read-out or the mode changed: the status bar and the check marks follow.
    void StatusChanged();
public:

    // Renders the page as the page bitmap would show it into an image of the given
    // client size; bands 0 chooses by the size.
    static QImage RenderScreenPage(const CPelmoraDoc& doc, QSize client, double dpi, const CZoomModel& zoom,
                                   QPoint scrollPos = QPoint(), bool smooth = false, int bands = 0);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    void RebuildPage();
    void SmoothPage();

    bool PageStale() const;
    PxRect UnzoomedPaper() const;
    // How far the dragged selection has moved on the screen since the press.
    QPoint DragOffsetPx() const;
    void Send(CEditEvent e);
    CEditEvent FromMouse(CEditEvent::Type type, QMouseEvent* event) const;
    PageDevice Device() const;
    void DrawOverlays(QPainter& p);

    CPelmoraDoc* m_doc;
    unsigned m_drawnRevision = 0; // the document revision the page bitmap shows
    CZoomModel m_zoom;
    QImage m_page;
    PxRect m_paper;
    int m_rebuilds = 0;
    bool m_smoothed = false;
    QTimer m_smoothTimer;
    QPoint m_cursor{-1, -1};
    bool m_inScrollUpdate = false;
    std::unique_ptr<CToolMachine> m_tools;
    mutable CDrawContext m_context;
    QImage m_dragPage; // the page without the dragged selection
    bool m_dragPageValid = false;
    CDragLayer m_dragLayer; // the moving selection, drawn once per drag
    MenuBuilder m_menuBuilder;
};
