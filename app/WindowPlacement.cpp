#include "app/WindowPlacement.h"

QRect PlaceWindow(QRect saved, const QList<QRect>& screens)
{
    const QRect primary = screens.isEmpty() ? QRect(0, 0, 1920, 1080) : screens.front();
    if (saved.width() <= 0 || saved.height() <= 0)
        return primary;
    // The screen holding most of the window.
    const QRect* home = nullptr;
    long long best = 0;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(saved);
        const long long area = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
        if (area > best) {
            best = area;
            home = &s;
        }
    }
    bool fitsSomewhere = false;
    for (const QRect& s : screens)
        fitsSomewhere |= saved.width() <= s.width() && saved.height() <= s.height();
    if (!home || !fitsSomewhere)
        return primary;
    QRect r = saved;
    if (r.left() < home->left() || r.right() > home->right()) {
        r.setLeft(home->left());
        r.setWidth(home->width());
    }
    if (r.top() < home->top() || r.bottom() > home->bottom()) {
        r.setTop(home->top());
        r.setHeight(home->height());
    }
    return r;
}
