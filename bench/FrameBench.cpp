// The main window: from nothing to the first painted window on the sample flyer (goal
// 400 ms for the whole process; this measures the part inside it), and opening the
// shape-property panel when a tool is chosen (goal 50 ms).
#include "app/LinePropSetDg.h"
#include "app/MainFrame.h"
#include "app/PelmoraView.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {
const QString kSample = QStringLiteral(OLTRANE_SOURCE_DIR "/samples/flyer.q_l");

void BM_FrameFirstPaintOnSampleFlyer(benchmark::State& state)
{
    for (auto _ : state) {
        CMainFrame frame;
        frame.resize(1600, 1000);
        if (!frame.OpenDocumentFile(kSample)) {
            state.SkipWithError("the sample flyer did not open");
            return;
        }
        frame.show();
        QImage shot(frame.size(), QImage::Format_ARGB32_Premultiplied);
        QPainter p(&shot);
        frame.render(&p);
        benchmark::DoNotOptimize(shot.bits());
    }
}
BENCHMARK(BM_FrameFirstPaintOnSampleFlyer)->Unit(benchmark::kMillisecond);

void BM_ShapePanelOpens(benchmark::State& state)
{
    CMainFrame frame;
    frame.resize(1600, 1000);
    frame.show();
    const int tools[] = {32893, 32890, 32902, 32895};
    int i = 0;
    for (auto _ : state) {
        frame.Command(tools[i++ % 4])->trigger();
        frame.ShapePanelFrame()->repaint();
        benchmark::DoNotOptimize(frame.ShapePanel());
    }
}
BENCHMARK(BM_ShapePanelOpens)->Unit(benchmark::kMillisecond);
} // namespace
