// Page drawing speed on a flyer of 5,000 mixed shapes read from a document file:
// the screen's page bitmap at 1920 x 1080 (goal 50 ms) and a PNG export at 300 dpi
// (goal 2 s).
#include "FlyerGen.h"

#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "render/PageExport.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* name) { return "/tmp/oltrane-bench-" + std::to_string(getpid()) + "-" + name; }

CPelmoraDoc& Flyer()
{
    static std::unique_ptr<CPelmoraDoc> doc = [] {
        std::string path = TempPath("flyer.q_l");
        if (!WriteFlyer(path, 5000))
            std::abort();
        auto d = std::make_unique<CPelmoraDoc>();
        if (!d->OnOpenDocument(path) || d->m_unit.m_lines.size() != 5000)
            std::abort();
        std::remove(path.c_str());
        return d;
    }();
    return *doc;
}

void BM_ScreenPageRebuild(benchmark::State& state)
{
    CPelmoraDoc& doc = Flyer();
    CZoomModel zoom;
    zoom.Resized(QSize(1920, 1080));
    for (auto _ : state) {
        QImage img = CPelmoraView::RenderScreenPage(doc, QSize(1920, 1080), 96, zoom);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_ScreenPageRebuild)->Unit(benchmark::kMillisecond);

void BM_ExportPng300(benchmark::State& state)
{
    CPelmoraDoc& doc = Flyer();
    std::string out = TempPath("flyer.png");
    for (auto _ : state) {
        std::string error;
        if (!pageexport::Export(doc, out, 300, error))
            state.SkipWithError(error.c_str());
    }
    std::remove(out.c_str());
}
BENCHMARK(BM_ExportPng300)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
