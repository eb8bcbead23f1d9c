// Document speed on generated flyers: reading (MB/s) and saving the 50 MB flyer with
// photos and the 5 MB one without, the undo snapshot copy of a 10,000-record drawing
// unit, and the screen's page bitmap and a 300-dpi PNG export of the flyer with every
// kind of record.
#include "FlyerGen.h"

#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "render/PageExport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
// Settings and working files of a benchmark run stay out of the user's folders.
struct PrivateFolders {
    std::string root;
    PrivateFolders()
    {
        char templ[] = "/tmp/oltrane-bench-XXXXXX";
        if (!mkdtemp(templ))
            std::abort();
        root = templ;
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    }
    ~PrivateFolders()
    {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
} g_folders;

enum Which { Large = 0, Plain = 1 };

// The flyer's document file, written once per run.
const std::string& FlyerFile(Which which)
{
    static std::map<Which, std::string> files;
    auto it = files.find(which);
    if (it != files.end())
        return it->second;
    std::string path = g_folders.root + (which == Large ? "/large.q_l" : "/plain.q_l");
    if (!WriteFlyer(path, which == Large ? LargeFlyerSpec() : PlainFlyerSpec()))
        std::abort();
    return files[which] = path;
}

CPelmoraDoc& OpenFlyer(Which which)
{
    static std::map<Which, std::unique_ptr<CPelmoraDoc>> docs;
    auto& doc = docs[which];
    if (!doc) {
        doc = std::make_unique<CPelmoraDoc>();
        if (!doc->OnOpenDocument(FlyerFile(which)))
            std::abort();
    }
    return *doc;
}

void BM_ReadDocument(benchmark::State& state)
{
    Which which = static_cast<Which>(state.range(0));
    const std::string& path = FlyerFile(which);
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    CPelmoraDoc doc;
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc.m_unit.m_lines.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel(which == Large ? "50 MB with photos" : "5 MB without pictures");
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReadDocument)->Arg(Large)->Arg(Plain)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveDocument(benchmark::State& state)
{
    Which which = static_cast<Which>(state.range(0));
    CPelmoraDoc& doc = OpenFlyer(which);
    std::string out = g_folders.root + "/saved.q_l";
    for (auto _ : state) {
        if (!doc.OnSaveDocument(out))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(out)));
    state.SetLabel(which == Large ? "50 MB with photos" : "5 MB without pictures");
    std::remove(out.c_str());
}
BENCHMARK(BM_SaveDocument)->Arg(Large)->Arg(Plain)->Unit(benchmark::kMillisecond)->UseRealTime();

// What every edit's undo snapshot costs: a deep copy of the drawing unit.
void BM_UnitSnapshotCopy(benchmark::State& state)
{
    static const std::unique_ptr<CPelmoraDoc> doc = [] {
        auto d = std::make_unique<CPelmoraDoc>();
        FlyerSpec recipe;
        recipe.shapes = 7000;
        recipe.walls = 2000;
        recipe.texts = 600;
        recipe.mapObjects = 400;
        BuildFlyer(*d, recipe);
        return d;
    }();
    const CPelUnit& unit = doc->m_unit;
    const std::size_t records = unit.m_lines.size() + unit.m_walls.size() + unit.m_texts.size() +
                                unit.m_objects.size() + unit.m_groups.size() + unit.m_pictures.size();
    for (auto _ : state) {
        auto snapshot = std::make_unique<CPelUnit>();
        snapshot->CopyFrom(unit);
        benchmark::DoNotOptimize(snapshot.get());
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_UnitSnapshotCopy)->Unit(benchmark::kMillisecond);

long ResidentKb()
{
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The process before any flyer is read: what the document adds is measured from here.
const long g_startKb = ResidentKb();

// One undo step of the 49 MB flyer with photos (goal 1 ms), and what 100 steps that
// each change one record add to the resident size (goal: under 10 % of the document).
void BM_SnapshotFullFlyer(benchmark::State& state)
{
    CPelmoraDoc& doc = OpenFlyer(Large);
    doc.m_undo.SetDepth(CUndoHistory::kMaxDepth);
    for (auto _ : state) {
        doc.Snapshot();
        state.PauseTiming();
        doc.m_undo.Reset();
        state.ResumeTiming();
    }
    const long before = ResidentKb();
    for (int i = 0; i < 100; ++i) {
        doc.Snapshot();
        PelEdit(doc.m_unit.m_lines, static_cast<std::size_t>(i) % doc.m_unit.m_lines.size()).m_color = i;
    }
    state.counters["steps100_kb"] = static_cast<double>(ResidentKb() - before);
    state.counters["document_kb"] = static_cast<double>(before - g_startKb);
    doc.m_undo.Reset();
}
BENCHMARK(BM_SnapshotFullFlyer)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_ScreenPageRebuildFullFlyer(benchmark::State& state)
{
    CPelmoraDoc& doc = OpenFlyer(Large);
    CZoomModel zoom;
    zoom.Resized(QSize(1920, 1080));
    for (auto _ : state) {
        QImage img = CPelmoraView::RenderScreenPage(doc, QSize(1920, 1080), 96, zoom);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_ScreenPageRebuildFullFlyer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportPng300FullFlyer(benchmark::State& state)
{
    CPelmoraDoc& doc = OpenFlyer(Large);
    std::string out = g_folders.root + "/flyer.png";
    for (auto _ : state) {
        std::string error;
        if (!pageexport::Export(doc, out, 300, error))
            state.SkipWithError(error.c_str());
    }
    std::remove(out.c_str());
}
BENCHMARK(BM_ExportPng300FullFlyer)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
