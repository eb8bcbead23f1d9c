// Editing speed: a click's hit test on a 10,000-record drawing (goal 1 ms), a
// rectangle selection over 5,000 objects (goal 5 ms), and one pointer move of a drag
// of 1,000 selected objects on the 5,000-shape flyer at 1920 x 1080 (goal 16 ms): the
// objects moved from the press state, their layer (drawn once per drag) shifted over
// the page kept without them.
#include "FlyerGen.h"

#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "edit/HitTest.h"
#include "edit/SelectionEdit.h"
#include "render/DragLayer.h"
#include "render/PageDraw.h"

#include <benchmark/benchmark.h>

#include <QPainter>

#include <memory>

namespace {
const QSize kScreen(1920, 1080);

CPelmoraDoc& Drawing(int shapes)
{
    static std::map<int, std::unique_ptr<CPelmoraDoc>> docs;
    auto& d = docs[shapes];
    if (!d) {
        d = std::make_unique<CPelmoraDoc>();
        BuildFlyer(*d, shapes);
    }
    return *d;
}

PageDevice Screen(const CPelmoraDoc& doc)
{
    PageDevice dev;
    dev.sheetW = doc.m_plotInfo.Paper().widthMm;
    dev.sheetH = doc.m_plotInfo.Paper().heightMm;
    dev.paper = ComputePaperRect(kScreen.width(), kScreen.height(), kScreen.width(), kScreen.height(), dev.sheetW,
                                 dev.sheetH);
    return dev;
}

void BM_HitTestClick(benchmark::State& state)
{
    CPelmoraDoc& doc = Drawing(10000);
    const CDrawContext dc = MakeDrawContext(doc, Screen(doc), 0, 1, false);
    LayerPair current{doc.m_plotInfo.m_layer.EditGroup(), doc.m_plotInfo.m_layer.EditLayer()};
    int k = 0;
    for (auto _ : state) {
        // Points spread over the sheet; most land near something.
        const QPoint px(dc.t.origin.x() + (k * 37) % 600 - 300, dc.t.origin.y() + (k * 53) % 400 - 200);
        CSelection sel;
        benchmark::DoNotOptimize(PickObject(doc.m_unit, dc, current, px, false, false, sel));
        ++k;
    }
    state.counters["records"] = static_cast<double>(doc.m_unit.m_lines.size() + doc.m_unit.m_texts.size() +
                                                     doc.m_unit.m_groups.size() + doc.m_unit.m_pictures.size());
}
BENCHMARK(BM_HitTestClick)->Unit(benchmark::kMicrosecond);

void BM_RectangleSelection(benchmark::State& state)
{
    CPelmoraDoc& doc = Drawing(5000);
    const CDrawContext dc = MakeDrawContext(doc, Screen(doc), 0, 1, false);
    CSelection sel;
    for (auto _ : state) {
        SelectInRect(doc.m_unit, dc, {-200, -200}, {200, 200}, true, {0, 0}, sel);
        benchmark::DoNotOptimize(sel.lines.data());
    }
    state.counters["selected"] = sel.Count();
}
BENCHMARK(BM_RectangleSelection)->Unit(benchmark::kMillisecond);

void BM_DragMoveFrame(benchmark::State& state)
{
    CPelmoraDoc& doc = Drawing(5000);
    CSelection sel;
    for (std::size_t i = 0; i < doc.m_unit.m_lines.size() && sel.lines.size() < 1000; i += 5)
        sel.lines.push_back(doc.m_unit.m_lines[i]->m_id);
    doc.m_sel = sel;
    PressState press;
    press.Take(doc.m_unit, doc.m_arZel);
    CZoomModel zoom;
    zoom.Resized(kScreen);
    // The page without the selection, drawn once at the start of the drag.
    PageRequest kept;
    kept.dev = Screen(doc);
    kept.screen = true;
    kept.viewArea = QRect(QPoint(), kScreen);
    kept.selection = &doc.m_sel;
    kept.leaveOutSelection = true;
    QImage page(kScreen, QImage::Format_RGB32);
    {
        QPainter p(&page);
        DrawPage(p, doc, kept);
    }
    // The moving objects, drawn once as the view does at the first move.
    CDragLayer layer;
    layer.Draw(doc, kept, kScreen, QPoint(), QPoint());
    const CDrawContext dc = MakeDrawContext(doc, kept.dev, 0, 1, false);
    QImage frame(kScreen, QImage::Format_RGB32);
    double d = 0;
    for (auto _ : state) {
        d += 0.5;
        MoveSelection(doc.m_unit, press.unit, doc.m_sel, d, d / 2, DragRule{});
        QPainter p(&frame);
        p.drawImage(0, 0, page);
        layer.Compose(p, dc.t.ToDevice(0, d, d / 2) - dc.t.ToDevice(0, 0, 0));
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
    MoveSelection(doc.m_unit, press.unit, doc.m_sel, 0, 0, DragRule{});
    doc.m_sel.Clear();
    state.counters["moving"] = static_cast<double>(sel.lines.size());
}
BENCHMARK(BM_DragMoveFrame)->Unit(benchmark::kMillisecond);
} // namespace
