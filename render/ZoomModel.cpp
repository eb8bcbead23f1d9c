#include "render/ZoomModel.h"

#include "render/ViewCoords.h"

#include <algorithm>

void CZoomModel::SetZoom(double z)
{
    if (!(z >= 1))
        z = 1;
    z = std::min(z, kMaxZoom);
    if (base.width() > 0 && base.width() * z > kMaxScrollPx)
        z = std::max(1, kMaxScrollPx / base.width());
    zoom = z;
    if (z <= 1) {
        zoom = 1;
        scroll = QSize(0, 0);
        return;
    }
    scroll = QSize(TruncPx(base.width() * z), TruncPx(base.height() * z));
}

QPoint CZoomModel::ZoomOut(QPoint pos, QSize client)
{
    bool wasZoomed = Zoomed();
    QSize old = scroll;
    SetZoom(std::max(1.0, zoom * 2 / 3));
    if (!Zoomed())
        return QPoint(0, 0);
    int hw = client.width() / 2, hh = client.height() / 2;
    if (wasZoomed && old.width() > 0 && old.height() > 0) {
        return QPoint(TruncPx(double(scroll.width()) / old.width() * (pos.x() + hw)) - hw,
                      TruncPx(double(scroll.height()) / old.height() * (pos.y() + hh)) - hh);
    }
    return QPoint((scroll.width() - base.width()) / 2, (scroll.height() - base.height()) / 2);
}

void CZoomModel::WholePage()
{
    zoom = 1;
    dragZoom = 1;
    scroll = QSize(0, 0);
}

void CZoomModel::Resized(QSize client)
{
    if (!Zoomed())
        base = client;
}
