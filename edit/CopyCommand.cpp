#include "edit/CopyCommand.h"

#include "edit/DocEdit.h"

#include <cmath>

namespace {
constexpr int kCopyNudgePx = 13;
}

bool CopyCommand(CPelmoraDoc& doc, const CDrawTransform& view)
{
    if (doc.m_sel.Empty())
        return false;
    const int g = doc.m_plotInfo.m_layer.EditGroup();
    double x0, y0, x1, y1;
    view.ToDrawing(g, QPoint(0, 0), x0, y0);
    view.ToDrawing(g, QPoint(kCopyNudgePx, kCopyNudgePx), x1, y1);
    const double dx = std::trunc(x1 - x0), dy = std::trunc(y1 - y0);
    const int scale = doc.m_plotInfo.m_layer.Scale(g);
    const double pictureFactor = scale > 0 ? 1.0 / scale : 1.0;
    CSelection copies;
    const CSelection sel = doc.m_sel;
    if (!RunEdit(doc, [&] {
            copies = CopySelection(doc.m_unit, sel, dx, dy, pictureFactor);
            return !copies.Empty();
        }))
        return false;
    doc.m_sel = copies;
    doc.m_zelSel.Clear();
    return true;
}
