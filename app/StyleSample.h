#pragma once
// The picture of a style slot: the shape-property panel's sample and the palette's
// プロパティ button.
#include <QImage>

class CPlotInfo;

// The slot's style drawn on the window colour into an image of size.
QImage StyleSampleImage(const CPlotInfo& plot, int slot, QSize size, qreal pixelRatio = 1.0);
