#include "app/PelmoraView.h"

#include "document/PelmoraDoc.h"
#include "render/BandPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
PageDevice ScreenDevice(const CPelmoraDoc& doc, QSize client, double dpi, const CZoomModel& zoom, bool smooth = false)
{
    PaperSheet sheet = doc.m_plotInfo.Paper();
    PageDevice dev;
    dev.printing = false;
    dev.smooth = smooth;
    dev.dpiX = dev.dpiY = dpi;
    dev.sheetW = sheet.widthMm;
    dev.sheetH = sheet.heightMm;
    QSize view = zoom.ViewArea(client);
    dev.paper = ComputePaperRect(view.width(), view.height(), client.width(), client.height(), dev.sheetW, dev.sheetH);
    return dev;
}
} // namespace

CPelmoraView::CPelmoraView(CPelmoraDoc* doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc)
{
    setObjectName("view");
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_smoothTimer.setSingleShot(true);
    m_smoothTimer.setInterval(kSmoothDelayMs);
    connect(&m_smoothTimer, &QTimer::timeout, this, &CPelmoraView::SmoothPage);
}

QImage CPelmoraView::RenderScreenPage(const CPelmoraDoc& doc, QSize client, double dpi, const CZoomModel& zoom,
                                      QPoint scrollPos, bool smooth, int bands)
{
    QImage img(client.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    PageRequest req;
    req.dev = ScreenDevice(doc, client, dpi, zoom, smooth);
    req.screen = true;
    req.printMode = 0;
    req.zoom = zoom.zoom;
    QSize view = zoom.ViewArea(client);
    req.viewArea = QRect(QPoint(0, 0), view.expandedTo(client));
    // A full-screen page is drawn in bands on the processor's cores.
    if (bands <= 0)
        bands = BandsFor(img.size(), kBandedPixels);
    const PageSettings settings = PageSettings::Read();
    req.settings = &settings;
    req.selection = &doc.m_sel;
    DrawInBands(img, bands, [&](QPainter& p, int) {
        p.translate(-scrollPos.x(), -scrollPos.y());
        // Tiles and hatches stay anchored at the bitmap's origin whatever the scroll.
        p.setBrushOrigin(scrollPos);
        DrawPage(p, doc, req);
    });
    return img;
}

QPoint CPelmoraView::ScrollPos() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CPelmoraView::RebuildPage()
{
    QSize client = viewport()->size();
    m_page = RenderScreenPage(*m_doc, client, logicalDpiX(), m_zoom, ScrollPos());
    m_paper = ScreenDevice(*m_doc, client, logicalDpiX(), m_zoom).paper;
    m_drawnRevision = m_doc->Revision();
    m_smoothed = false;
    ++m_rebuilds;
    m_smoothTimer.start(); // restarted by every rebuild: a drag or a scroll never waits for it
}

bool CPelmoraView::PageStale() const { return m_drawnRevision != m_doc->Revision(); }

void CPelmoraView::SmoothPage()
{
    // Only the very page the bitmap shows; a stale page is rebuilt by the next paint.
    QSize client = viewport()->size();
    if (m_smoothed || m_page.isNull() || PageStale() || m_page.size() != client)
        return;
    m_page = RenderScreenPage(*m_doc, client, logicalDpiX(), m_zoom, ScrollPos(), true);
    m_smoothed = true;
    viewport()->update();
}

void CPelmoraView::Redraw()
{
    RebuildPage();
    viewport()->update();
}

void CPelmoraView::InitialUpdate()
{
    m_zoom.WholePage();
    UpdateScrollBars();
    Redraw();
}

void CPelmoraView::UpdateScrollBars()
{
    m_inScrollUpdate = true;
    QSize client = viewport()->size();
    QSize total = m_zoom.ViewArea(client);
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - client.height()));
    horizontalScrollBar()->setPageStep(std::max(1, client.width()));
    verticalScrollBar()->setPageStep(std::max(1, client.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, client.width() / 20));
    verticalScrollBar()->setSingleStep(std::max(1, client.height() / 20));
    m_inScrollUpdate = false;
}

void CPelmoraView::SetZoom(double z)
{
    QSize client = viewport()->size();
    QSize old = m_zoom.scroll;
    QPoint pos = ScrollPos();
    m_zoom.SetZoom(z);
    UpdateScrollBars();
    if (m_zoom.Zoomed()) {
        int hw = client.width() / 2, hh = client.height() / 2;
        QPoint next = old.isEmpty()
                          ? QPoint((m_zoom.scroll.width() - client.width()) / 2,
                                   (m_zoom.scroll.height() - client.height()) / 2)
                          : QPoint(TruncPx(double(m_zoom.scroll.width()) / old.width() * (pos.x() + hw)) - hw,
                                   TruncPx(double(m_zoom.scroll.height()) / old.height() * (pos.y() + hh)) - hh);
        m_inScrollUpdate = true;
        horizontalScrollBar()->setValue(next.x());
        verticalScrollBar()->setValue(next.y());
        m_inScrollUpdate = false;
    }
    Redraw();
}

void CPelmoraView::ZoomOut()
{
    QPoint next = m_zoom.ZoomOut(ScrollPos(), viewport()->size());
    UpdateScrollBars();
    m_inScrollUpdate = true;
    horizontalScrollBar()->setValue(next.x());
    verticalScrollBar()->setValue(next.y());
    m_inScrollUpdate = false;
    Redraw();
}

void CPelmoraView::WholePage()
{
    m_zoom.WholePage();
    UpdateScrollBars();
    Redraw();
}

void CPelmoraView::ToggleMonochrome()
{
    m_doc->m_plotInfo.m_sirokuro = m_doc->m_plotInfo.m_sirokuro ? 0 : 1;
    Redraw();
}

void CPelmoraView::ToggleGradation()
{
    m_doc->m_plotInfo.m_gradation = m_doc->m_plotInfo.m_gradation ? 0 : 1;
    Redraw();
}

void CPelmoraView::ToggleGreyDisplay()
{
    m_doc->m_plotInfo.m_layGray = m_doc->m_plotInfo.m_layGray ? 0 : 1;
    Redraw();
}

void CPelmoraView::ToggleGrid()
{
    m_doc->m_grid.m_visible = m_doc->m_grid.m_visible ? 0 : 1;
    Redraw();
}

void CPelmoraView::paintEvent(QPaintEvent*)
{
    if (m_page.isNull() || PageStale() || m_page.size() != viewport()->size())
        RebuildPage();
    QPainter p(viewport());
    p.drawImage(0, 0, m_page);
    if (m_cursor.x() >= 0 && m_doc->m_toolMode != 12 && m_doc->m_toolMode != 53) {
        p.setPen(QPen(QColor(255, 125, 0), 1));
        p.drawLine(m_cursor.x() - 10, m_cursor.y(), m_cursor.x() + 10, m_cursor.y());
        p.drawLine(m_cursor.x(), m_cursor.y() - 10, m_cursor.x(), m_cursor.y() + 10);
    }
}

void CPelmoraView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_zoom.Resized(viewport()->size());
    UpdateScrollBars();
    if (!PageStale())
        Redraw();
}

void CPelmoraView::scrollContentsBy(int, int)
{
    if (!m_inScrollUpdate)
        Redraw();
}

void CPelmoraView::mouseMoveEvent(QMouseEvent* event)
{
    // Moving the pointer only repaints the overlays over the kept page bitmap.
    m_cursor = event->position().toPoint();
    viewport()->update();
}

void CPelmoraView::leaveEvent(QEvent* event)
{
    m_cursor = QPoint(-1, -1);
    viewport()->update();
    QAbstractScrollArea::leaveEvent(event);
}
