#pragma once
// The drawing view: the sheet fitted into the window, painted from a page bitmap that
// is rebuilt only on redraw, with zoom and scrolling. A rebuild draws without
// antialiasing, which keeps zooming, scrolling and editing quick on crowded sheets;
// once the view has been still for a moment the bitmap is drawn again antialiased.
#include "render/PageDraw.h"
#include "render/ZoomModel.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

class CPelmoraDoc;

class CPelmoraView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CPelmoraView(CPelmoraDoc* doc, QWidget* parent = nullptr);

    CPelmoraDoc* GetDocument() const { return m_doc; }
    // Rebuilds the page bitmap now and repaints the whole client area.
    void Redraw();
    // Back to the whole sheet (a new or opened document).
    void InitialUpdate();
    void ZoomOut();
    void WholePage();
    // The zoom gestures' entry: zoom about the view centre.
    void SetZoom(double z);
    const CZoomModel& Zoom() const { return m_zoom; }

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
    QPoint ScrollPos() const;

    // Renders the page as the page bitmap would show it into an image of the given
    // client size; bands 0 chooses by the size.
    static QImage RenderScreenPage(const CPelmoraDoc& doc, QSize client, double dpi, const CZoomModel& zoom,
                                   QPoint scrollPos = QPoint(), bool smooth = false, int bands = 0);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    void RebuildPage();
    void SmoothPage();

    bool PageStale() const;

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
};
