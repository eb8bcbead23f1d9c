#pragma once
// Enhanced metafiles: a paint device whose painter writes EMF records. Lines, polygons,
// paths, rectangles, ellipses, arcs, pies, chords and text become vector records in
// device units (MM_TEXT) with clipping as clip paths; pictures, gradients and
// translucent paint become stretched or alpha-blended bitmaps of just the area they
// cover.
#include <QByteArray>
#include <QPaintDevice>
#include <QSizeF>

#include <memory>

class CEmfEngine;
class QPainter;
class QRect;

class CEmfDevice : public QPaintDevice {
public:
    // A page of sizeMm at dpi device units per inch.
    CEmfDevice(QSizeF sizeMm, int dpi);
    ~CEmfDevice() override;
    CEmfDevice(const CEmfDevice&) = delete;
    CEmfDevice& operator=(const CEmfDevice&) = delete;

    QPaintEngine* paintEngine() const override;
    // The whole file, once the painter has ended; empty before.
    QByteArray Bytes() const;
    // Records written so far (the header and the end record included once ended).
    int RecordCount() const;

protected:
    int metric(PaintDeviceMetric m) const override;

private:
    QSizeF m_mm;
    int m_dpi;
    int m_w, m_h;
    std::unique_ptr<CEmfEngine> m_engine;
};

namespace emf {
enum class ArcKind { Arc, Pie, Chord };
// Draws an arc, pie or chord of the ellipse in box as QPainter's drawArc, drawPie and
// drawChord do (angles in 1/16 degree, counter-clockwise from three o'clock); on an
// EMF device as the one record of its kind.
void DrawArcShape(QPainter& p, ArcKind kind, const QRect& box, int start16, int span16);
} // namespace emf
