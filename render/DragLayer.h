#pragma once
// The selection being dragged, drawn once when the drag begins and then only moved by
// whole pixels over the page kept without it: a move of a thousand objects costs a
// copy of two images, not their drawing.
#include "render/PageDraw.h"

#include <QImage>

class CDragLayer {
public:
    // Draws the selected objects of doc alone (req.selection) into a transparent layer
    // of size, the view scrolled by scroll; at is where the drag stood then (pixels).
    void Draw(const CPelmoraDoc& doc, PageRequest req, QSize size, QPoint scroll, QPoint at);
    // The layer moved by how far the drag has gone since it was drawn.
    void Compose(QPainter& p, QPoint now) const;
    bool IsNull() const { return m_image.isNull(); }
    void Clear() { m_image = QImage(); }

private:
    QImage m_image;
    QPoint m_at;
};
