#include "app/PelmoraView.h"

#include "app/SoutaiDlg.h"
#include "app/ToolCursors.h"
#include "document/PelmoraDoc.h"
#include "render/BandPainter.h"
#include "render/ToolPreview.h"

#include <QKeyEvent>
#include <QMenu>
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
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    m_tools = std::make_unique<CToolMachine>(*m_doc, *this);
    viewport()->setCursor(ToolCursor(CToolMachine::Cursor::Arrow));
}

CPelmoraView::~CPelmoraView() = default;

PageDevice CPelmoraView::Device() const
{
    return ScreenDevice(*m_doc, viewport()->size(), logicalDpiX(), m_zoom);
}

const CDrawContext& CPelmoraView::ScreenContext() const
{
    m_context = MakeDrawContext(*m_doc, Device(), 0, m_zoom.zoom, false);
    return m_context;
}

void CPelmoraView::EnterMode(int mode)
{
    m_tools->EnterMode(mode);
    setFocus();
    Redraw();
    emit StatusChanged();
}

void CPelmoraView::ZoomAt(double zoom, PelPoint at)
{
    SetZoom(zoom);
    if (!m_zoom.Zoomed())
        return;
    const QPoint d = ScreenContext().t.ToDevice(m_doc->m_plotInfo.m_layer.EditGroup(), at.x, at.y);
    ScrollTo(d - QPoint(viewport()->width() / 2, viewport()->height() / 2));
}

void CPelmoraView::ScrollTo(QPoint pos)
{
    m_inScrollUpdate = true;
    horizontalScrollBar()->setValue(pos.x());
    verticalScrollBar()->setValue(pos.y());
    m_inScrollUpdate = false;
    Redraw();
}

PxRect CPelmoraView::UnzoomedPaper() const
{
    CZoomModel whole = m_zoom;
    whole.WholePage();
    return ScreenDevice(*m_doc, viewport()->size(), logicalDpiX(), whole).paper;
}

int CPelmoraView::UnzoomedPaperWidth() const { return UnzoomedPaper().Width(); }
int CPelmoraView::UnzoomedPaperHeight() const { return UnzoomedPaper().Height(); }

bool CPelmoraView::AskRelative(PelPoint base, PelPoint& result)
{
    CSoutaiDlg dlg(base.x, base.y, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    result = {dlg.ResultX(), dlg.ResultY()};
    return true;
}

void CPelmoraView::ContextMenu(QPoint px, int which, bool greyed)
{
    if (!m_menuBuilder)
        return;
    // Shown without a nested event loop: the release that opened it has been handled.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName("viewContextMenu");
    m_menuBuilder(*menu, which, greyed);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(viewport()->mapToGlobal(px - ScrollPos()));
}

void CPelmoraView::ModeChanged() { emit StatusChanged(); }

CEditEvent CPelmoraView::FromMouse(CEditEvent::Type type, QMouseEvent* event) const
{
    CEditEvent e;
    e.type = type;
    e.px = event->position().toPoint() + ScrollPos();
    const Qt::MouseButtons b = event->buttons();
    e.buttons = (b & Qt::LeftButton ? CEditEvent::Left : 0) | (b & Qt::RightButton ? CEditEvent::Right : 0);
    const Qt::KeyboardModifiers m = event->modifiers();
    e.modifiers = (m & Qt::ShiftModifier ? CEditEvent::ShiftMod : 0) | (m & Qt::ControlModifier ? CEditEvent::CtrlMod : 0) |
                  (m & Qt::AltModifier ? CEditEvent::AltMod : 0);
    return e;
}

void CPelmoraView::Send(CEditEvent e)
{
    m_tools->Handle(e);
    viewport()->setCursor(ToolCursor(m_tools->CursorAt(e.px)));
    viewport()->update();
    emit StatusChanged();
}

void CPelmoraView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Send(FromMouse(CEditEvent::Press, event));
    else if (event->button() == Qt::RightButton)
        Send(FromMouse(CEditEvent::RightPress, event));
}

void CPelmoraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Send(FromMouse(CEditEvent::Release, event));
    else if (event->button() == Qt::RightButton)
        Send(FromMouse(CEditEvent::RightRelease, event));
}

void CPelmoraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Send(FromMouse(CEditEvent::DoubleClick, event));
    else if (event->button() == Qt::RightButton)
        Send(FromMouse(CEditEvent::RightPress, event));
}

void CPelmoraView::keyPressEvent(QKeyEvent* event)
{
    CEditEvent e;
    e.type = CEditEvent::Key;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Escape: e.key = CEditEvent::KeyEscape; break;
    case Qt::Key_Left: e.key = CEditEvent::KeyLeft; break;
    case Qt::Key_Right: e.key = CEditEvent::KeyRight; break;
    case Qt::Key_Up: e.key = CEditEvent::KeyUp; break;
    case Qt::Key_Down: e.key = CEditEvent::KeyDown; break;
    case Qt::Key_Delete: e.key = CEditEvent::KeyDelete; break;
    case Qt::Key_Asterisk: e.key = keypad ? CEditEvent::KeyPadStar : CEditEvent::KeyNone; break;
    case Qt::Key_Minus: e.key = keypad ? CEditEvent::KeyPadMinus : CEditEvent::KeyNone; break;
    default: break;
    }
    if (e.key == CEditEvent::KeyNone) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    e.px = m_cursor + ScrollPos();
    Send(e);
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

QPoint CPelmoraView::DragOffsetPx() const
{
    const CDrawTransform& t = ScreenContext().t;
    const int g = m_doc->m_plotInfo.m_layer.EditGroup();
    const CToolMachine& tools = *m_tools;
    const PelPoint from = tools.PressMm(), to = tools.Current().mm;
    return t.ToDevice(g, to.x, to.y) - t.ToDevice(g, from.x, from.y);
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
    if (m_zoom.zoom == 1.0)
        return;
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
    QPainter p(viewport());
    if (m_tools->DraggingSelection()) {
        // The page without the selection is drawn once per drag; each move draws only
        // the moving objects over it.
        if (!m_dragPageValid || m_dragPage.size() != viewport()->size()) {
            m_dragPage = QImage(viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
            PageRequest req;
            req.dev = Device();
            req.screen = true;
            req.zoom = m_zoom.zoom;
            req.viewArea = QRect(QPoint(0, 0), m_zoom.ViewArea(viewport()->size()).expandedTo(viewport()->size()));
            req.selection = &m_doc->m_sel;
            req.leaveOutSelection = true;
            const PageSettings settings = PageSettings::Read();
            req.settings = &settings;
            QPainter dp(&m_dragPage);
            dp.translate(-ScrollPos().x(), -ScrollPos().y());
            dp.setBrushOrigin(ScrollPos());
            DrawPage(dp, *m_doc, req);
            m_dragPageValid = true;
        }
        p.drawImage(0, 0, m_dragPage);
        PageRequest live;
        live.dev = Device();
        live.zoom = m_zoom.zoom;
        live.selection = &m_doc->m_sel;
        const QPoint moved = DragOffsetPx();
        if (m_doc->m_sel.handle == 0) {
            // A move: the objects drawn once, then only shifted.
            if (m_dragLayer.IsNull())
                m_dragLayer.Draw(*m_doc, live, viewport()->size(), ScrollPos(), moved);
            m_dragLayer.Compose(p, moved);
        } else {
            live.onlySelection = true;
            p.save();
            p.translate(-ScrollPos().x(), -ScrollPos().y());
            DrawPage(p, *m_doc, live);
            p.restore();
        }
    } else {
        m_dragPageValid = false;
        m_dragLayer.Clear();
        if (m_page.isNull() || PageStale() || m_page.size() != viewport()->size())
            RebuildPage();
        p.drawImage(0, 0, m_page);
    }
    DrawOverlays(p);
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

void CPelmoraView::DrawOverlays(QPainter& p)
{
    const CToolMachine& t = *m_tools;
    p.save();
    p.translate(-ScrollPos().x(), -ScrollPos().y());
    if (t.SelectionRubberBand() || (t.Zoom() == CToolMachine::RangeZoom && t.Dragging())) {
        DrawFocusRectangle(p, t.PressPx(), t.Current().px);
    } else if (!t.Points().empty()) {
        PreviewInput in;
        in.mode = t.Mode();
        in.points = &t.Points();
        in.group = m_doc->m_plotInfo.m_layer.EditGroup();
        in.lastPx = t.Last().px;
        in.pointerPx = t.Current().px;
        in.pointerMm = t.Current().mm;
        in.leftOffset = CToolMachine::OffsetLeft();
        in.rightOffset = CToolMachine::OffsetRight();
        in.filletSteps = CToolMachine::FilletSteps();
        in.balloonMinBase = t.BalloonMinBase();
        DrawToolPreview(p, ScreenContext(), m_doc->m_plotInfo, in);
    }
    p.restore();
}

void CPelmoraView::mouseMoveEvent(QMouseEvent* event)
{
    // Moving the pointer only repaints the overlays over the kept page bitmap.
    m_cursor = event->position().toPoint();
    Send(FromMouse(CEditEvent::Move, event));
}

void CPelmoraView::leaveEvent(QEvent* event)
{
    m_cursor = QPoint(-1, -1);
    viewport()->update();
    QAbstractScrollArea::leaveEvent(event);
}
