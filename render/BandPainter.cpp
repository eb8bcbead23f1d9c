#include "render/BandPainter.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {
// Lines cut at an image's edge can lose their last pixel there: each band draws this
// many rows more on either side and keeps only its own.
constexpr int kMargin = 8;
// Band images up to this size (a screen's) are kept for the next page.
constexpr qsizetype kKeptBandBytes = qsizetype(16) << 20;
// The most memory one band's own image takes: a huge sheet takes more bands rather
// than twice its memory.
constexpr std::int64_t kBandBytes = std::int64_t(64) << 20;

// Threads that each run their share of one job at a time and wait for the next.
class BandWorkers {
public:
    explicit BandWorkers(int threads)
    {
        for (int t = 1; t < threads; ++t)
            m_threads.emplace_back([this, t] { Loop(t); });
    }
    int Threads() const { return static_cast<int>(m_threads.size()) + 1; }

    // Runs job(t) on every thread t, the caller's being 0, and returns when all are done.
    void RunOnAll(const std::function<void(int)>& job)
    {
        std::unique_lock<std::mutex> serial(m_serial); // one page at a time
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_job = &job;
            m_pending = static_cast<int>(m_threads.size());
            ++m_generation;
        }
        m_wake.notify_all();
        job(0);
        std::unique_lock<std::mutex> lock(m_lock);
        m_done.wait(lock, [this] { return m_pending == 0; });
        m_job = nullptr;
    }

private:
    void Loop(int t)
    {
        std::uint64_t seen = 0;
        for (;;) {
            const std::function<void(int)>* job = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_lock);
                m_wake.wait(lock, [&] { return m_generation != seen; });
                seen = m_generation;
                job = m_job;
            }
            (*job)(t);
            std::lock_guard<std::mutex> lock(m_lock);
            if (--m_pending == 0)
                m_done.notify_one();
        }
    }

    std::vector<std::thread> m_threads;
    std::mutex m_serial, m_lock;
    std::condition_variable m_wake, m_done;
    const std::function<void(int)>* m_job = nullptr;
    int m_pending = 0;
    std::uint64_t m_generation = 0;
};

// Set while a thread draws a band: a page drawn from inside a band is drawn in one
// piece, since the band threads are busy with the outer page.
thread_local bool t_inBand = false;

BandWorkers& Workers()
{
    // Never destroyed: the threads wait for work until the process ends, and their
    // caches of fonts and pictures must not outlive the application object.
    static BandWorkers* workers = new BandWorkers(BandThreads());
    return *workers;
}
} // namespace

bool DrawingABand() { return t_inBand; }

bool OffRasterDevice(QPainter& p, const QRectF& box)
{
    const QPaintDevice* d = p.device();
    if (!d || !p.paintEngine() || p.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    return !p.combinedTransform().mapRect(box).intersects(QRectF(0, 0, d->width(), d->height()));
}

int BandThreads() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)); }

int BandsFor(QSize size, long long minPixels)
{
    return std::int64_t(size.width()) * size.height() < minPixels ? 1 : BandThreads();
}

void DrawInBands(QImage& image, int bands, const std::function<void(QPainter&, int band)>& draw, QColor paper)
{
    const int height = image.height();
    bands = t_inBand ? 1 : std::clamp(bands, 1, std::max(1, height));
    if (bands == 1) {
        image.fill(paper);
        QPainter p(&image);
        draw(p, 0);
        return;
    }
    const std::int64_t rowBytes = image.bytesPerLine();
    BandWorkers& workers = Workers();
    const int threads = workers.Threads();
    const std::int64_t budgetRows = std::max<std::int64_t>(1, kBandBytes / std::max<std::int64_t>(1, rowBytes));
    const int needed = int(std::min<std::int64_t>(height, (height + budgetRows - 1) / budgetRows));
    if (needed > bands)
        bands = (needed + threads - 1) / threads * threads; // whole rounds of the threads
    uchar* const rows = image.bits(); // taken here: bits() may detach, which no thread may race
    const QImage& page = image;
    workers.RunOnAll([&](int t) {
        // Each thread keeps its band image from page to page.
        static thread_local QImage band;
        t_inBand = true;
        for (int b = t; b < bands; b += threads) {
            const int top = int(std::int64_t(height) * b / bands), bottom = int(std::int64_t(height) * (b + 1) / bands);
            const int from = std::max(0, top - kMargin), to = std::min(height, bottom + kMargin);
            if (band.width() != page.width() || band.height() != to - from || band.format() != page.format())
                band = QImage(page.width(), to - from, page.format());
            if (band.isNull()) {
                // No memory for a band of its own: draw straight into the page's rows
                // (a thin line cut at the seam may lose a pixel, nothing more).
                QImage rowsOnly(rows + rowBytes * top, page.width(), bottom - top, qsizetype(rowBytes), page.format());
                rowsOnly.fill(paper);
                rowsOnly.setDotsPerMeterX(page.dotsPerMeterX());
                rowsOnly.setDotsPerMeterY(page.dotsPerMeterY());
                QPainter p(&rowsOnly);
                p.translate(0, -top);
                draw(p, b);
                continue;
            }
            band.setDotsPerMeterX(page.dotsPerMeterX());
            band.setDotsPerMeterY(page.dotsPerMeterY());
            band.fill(paper);
            {
                QPainter p(&band);
                p.translate(0, -from);
                draw(p, b);
            }
            const std::size_t bytes = std::size_t(std::min<std::int64_t>(rowBytes, band.bytesPerLine()));
            for (int y = top; y < bottom; ++y)
                std::memcpy(rows + rowBytes * y, band.constScanLine(y - from), bytes);
        }
        if (band.sizeInBytes() > kKeptBandBytes)
            band = QImage(); // a print-size band is not kept for the next page
        t_inBand = false;
    });
}

QImage DrawNewPage(QSize size, QImage::Format format, int dpmX, int dpmY, int bands,
                   const std::function<void(QPainter&, int band)>& draw, QColor paper)
{
    const int width = size.width(), height = size.height();
    const auto withResolution = [dpmX, dpmY](QImage&& img) {
        img.setDotsPerMeterX(dpmX);
        img.setDotsPerMeterY(dpmY);
        return std::move(img);
    };
    bands = t_inBand ? 1 : std::clamp(bands, 1, std::max(1, height));
    if (bands == 1 || width < 1) {
        QImage page = withResolution(QImage(size, format));
        if (!page.isNull())
            DrawInBands(page, 1, draw, paper);
        return page;
    }
    const int bits = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype rowBytes = qsizetype((std::int64_t(width) * bits + 31) / 32 * 4);
    struct Band {
        int top, bottom, from, to;
        std::int64_t at; // the row of the buffer its first row (from) lies in
    };
    std::vector<Band> layout(static_cast<std::size_t>(bands));
    std::int64_t rows = 0;
    for (int b = 0; b < bands; ++b) {
        Band& band = layout[static_cast<std::size_t>(b)];
        band.top = int(std::int64_t(height) * b / bands);
        band.bottom = int(std::int64_t(height) * (b + 1) / bands);
        band.from = std::max(0, band.top - kMargin);
        band.to = std::min(height, band.bottom + kMargin);
        band.at = rows;
        rows += band.to - band.from;
    }
    // Not zeroed: each band paints all of its rows with the paper first, on its own thread.
    uchar* const buffer = rowBytes > 0 ? static_cast<uchar*>(std::malloc(std::size_t(rowBytes) * std::size_t(rows)))
                                       : nullptr;
    if (!buffer)
        return QImage();
    BandWorkers& workers = Workers();
    const int threads = workers.Threads();
    workers.RunOnAll([&](int t) {
        t_inBand = true;
        for (int b = t; b < bands; b += threads) {
            const Band& band = layout[static_cast<std::size_t>(b)];
            QImage rowsOf(buffer + rowBytes * band.at, width, band.to - band.from, rowBytes, format);
            rowsOf = withResolution(std::move(rowsOf));
            rowsOf.fill(paper);
            QPainter p(&rowsOf);
            p.translate(0, -band.from);
            draw(p, b);
        }
        t_inBand = false;
    });
    // Close up: every band's own rows move to their place, in order, so that none is
    // overwritten before it has moved.
    for (const Band& band : layout)
        std::memmove(buffer + rowBytes * band.top, buffer + rowBytes * (band.at + band.top - band.from),
                     std::size_t(rowBytes) * std::size_t(band.bottom - band.top));
    QImage page(buffer, width, height, rowBytes, format, [](void* b) { std::free(b); }, buffer);
    return withResolution(std::move(page));
}
