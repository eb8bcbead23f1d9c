#include "render/DragLayer.h"

#include <QPainter>

void CDragLayer::Draw(const CPelmoraDoc& doc, PageRequest req, QSize size, QPoint scroll, QPoint at)
{
    m_image = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    m_at = at;
    req.screen = false;
    req.leaveOutSelection = false;
    req.onlySelection = true;
    QPainter p(&m_image);
    p.translate(-scroll.x(), -scroll.y());
    p.setBrushOrigin(scroll);
    DrawPage(p, doc, req);
}

void CDragLayer::Compose(QPainter& p, QPoint now) const
{
    if (!m_image.isNull())
        p.drawImage(now - m_at, m_image);
}
