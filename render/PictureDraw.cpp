#include "render/PictureDraw.h"

#include "document/PelImage.h"
#include "platform/Profile.h"
#include "render/CacheClears.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>

namespace {
// Pictures scaled once and kept while they are drawn at the same size; above this
// many pixels only the visible part is scaled, on every drawing.
constexpr std::int64_t kMaxScaledPixels = std::int64_t(8) << 20;
constexpr std::int64_t kCacheBudgetBytes = std::int64_t(384) << 20;

enum class KeyMode { Opaque, Transparent, White };

// What a cached image was made from: the working file's bitmap (its identity and a
// fingerprint of its pixels, so that a reloaded bitmap is not taken for the old one),
// the key colour treatment and the size.
struct CacheKey {
    const CPelImageFile* file = nullptr;
    std::uint64_t fingerprint = 0;
    KeyMode mode = KeyMode::Opaque;
    std::uint32_t keyColor = 0;
    int width = 0, height = 0; // 0 x 0: the bitmap's own size
    bool operator==(const CacheKey&) const = default;
};

struct CacheEntry {
    CacheKey key;
    std::weak_ptr<CPelImageFile> owner;
    QImage image;
    std::int64_t bytes = 0;
};

class PictureCache {
public:
    // The picture's pixels with the key colour treated, scaled to w x h (0 x 0: not
    // scaled). A null image when the bitmap cannot be decoded.
    QImage Get(const std::shared_ptr<CPelImageFile>& file, KeyMode mode, std::uint32_t keyColor, int w, int h)
    {
        const CBitmapUL* bmp = file->Bitmap();
        if (!bmp)
            return QImage();
        CacheKey key{file.get(), Fingerprint(*bmp), mode, mode == KeyMode::Opaque ? 0u : keyColor, w, h};
        Prune();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->key == key && it->owner.lock() == file) {
                m_entries.splice(m_entries.begin(), m_entries, it);
                return it->image;
            }
        }
        QImage img;
        if (w == 0 && h == 0) {
            img = Decode(*bmp, mode, keyColor);
        } else {
            QImage src = Get(file, mode, keyColor, 0, 0);
            if (src.isNull())
                return QImage();
            img = src.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        if (img.isNull())
            return img;
        const std::int64_t bytes = img.sizeInBytes();
        if (bytes <= kCacheBudgetBytes / 2) {
            m_entries.push_front({key, file, img, bytes});
            m_bytes += bytes;
            Evict();
        }
        return img;
    }

    void Clear()
    {
        m_entries.clear();
        m_bytes = 0;
    }
    std::int64_t Bytes() const { return m_bytes; }
    int Entries() const { return static_cast<int>(m_entries.size()); }

private:
    static std::uint64_t Fingerprint(const CBitmapUL& bmp)
    {
        std::uint64_t h = 1469598103934665603ull;
        auto mix = [&h](std::uint64_t v) {
            h ^= v;
            h *= 1099511628211ull;
        };
        const std::vector<std::uint8_t>& px = bmp.PixelBytes();
        mix(static_cast<std::uint64_t>(bmp.Width()));
        mix(static_cast<std::uint64_t>(bmp.Height()));
        mix(static_cast<std::uint64_t>(bmp.BitCount()));
        mix(px.size());
        mix(reinterpret_cast<std::uintptr_t>(px.data()));
        for (std::uint8_t b : bmp.InfoBytes())
            mix(b);
        // A sample of the pixel bytes: cheap, and a reload of other pixels of the same
        // size is caught.
        const std::size_t step = std::max<std::size_t>(1, px.size() / 4096);
        for (std::size_t i = 0; i < px.size(); i += step)
            mix(px[i]);
        return h;
    }

    static QImage Decode(const CBitmapUL& bmp, KeyMode mode, std::uint32_t keyColor)
    {
        auto px = std::make_unique<CBmpPixels>();
        if (!bmp.GetPixels(*px) || px->width <= 0 || px->height <= 0 ||
            px->argb.size() < static_cast<std::size_t>(px->width) * static_cast<std::size_t>(px->height))
            return QImage();
        const bool keyed = mode != KeyMode::Opaque;
        if (keyed) {
            // Premultiplied: a key pixel becomes fully transparent (all zero) or white.
            const std::uint32_t key = 0xff000000u | (keyColor & 0xffffff);
            const std::uint32_t replacement = mode == KeyMode::White ? 0xffffffffu : 0u;
            for (std::uint32_t& v : px->argb)
                if (v == key)
                    v = replacement;
        }
        // The decoded pixels become the image's own, without another copy.
        CBmpPixels* raw = px.release();
        return QImage(reinterpret_cast<uchar*>(raw->argb.data()), raw->width, raw->height, raw->width * 4,
                      keyed ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32,
                      [](void* info) { delete static_cast<CBmpPixels*>(info); }, raw);
    }

    // Entries of pictures that are gone can never be asked for again.
    void Prune()
    {
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (it->owner.expired()) {
                m_bytes -= it->bytes;
                it = m_entries.erase(it);
            } else {
                ++it;
            }
        }
    }

    void Evict()
    {
        while (m_bytes > kCacheBudgetBytes && !m_entries.empty()) {
            m_bytes -= m_entries.back().bytes;
            m_entries.pop_back();
        }
    }

    std::list<CacheEntry> m_entries; // most recently used first
    std::int64_t m_bytes = 0;
};

CCacheClears g_clears; // one cache per drawing thread

PictureCache& TheCache()
{
    static thread_local PictureCache cache;
    static thread_local unsigned seen = 0;
    if (g_clears.ClearedSince(seen))
        cache.Clear();
    return cache;
}

// The part of the device the painter can reach, in the painter's coordinates.
QRectF VisibleArea(const QPainter& p)
{
    const QPaintDevice* dev = p.device();
    QRectF area = p.transform().inverted().mapRect(QRectF(0, 0, dev->width(), dev->height()));
    if (p.hasClipping())
        area = area.intersected(p.clipBoundingRect());
    return area;
}
} // namespace

PictureDrawSettings PictureDrawSettings::Read()
{
    PictureDrawSettings s;
    s.toukagif2 = AppProfile().GetInt("QLA_T_UTILITY", "app_toukagif2", 0);
    return s;
}

PxRect PictureRect(const CDrawTransform& t, const CPelImage& pic)
{
    const double s = t.paperScale;
    const int w = TruncPx(pic.m_width * s), h = TruncPx(pic.m_height * s);
    const int cx = t.origin.x() + TruncPx(pic.m_offsetX * s), cy = t.origin.y() + TruncPx(pic.m_offsetY * s);
    PxRect r;
    r.left = cx - w / 2;
    r.right = cx + w / 2;
    r.top = cy - h / 2;
    r.bottom = cy + h / 2;
    return r;
}

PxRect DrawPelImage(QPainter& p, const CDrawContext& dc, const PictureDrawSettings& s, const CPelImage& pic)
{
    const PxRect rect = PictureRect(dc.t, pic);
    const std::shared_ptr<CPelImageFile>& file = pic.File();
    const CBitmapUL* bmp = pic.Bitmap();
    if (!file || !bmp || rect.IsEmpty() || !p.device())
        return rect;

    // The bitmap keeps its proportions inside the rectangle and, as the bitmap drawer
    // does, takes the right and bottom edges in.
    const CRectUL fit = bmp->FitRect(CRectUL{rect.left, rect.top, rect.right, rect.bottom}, 0,
                                     p.device()->logicalDpiX(), p.device()->logicalDpiY());
    const QRect target(fit.left, fit.top, fit.right - fit.left + 1, fit.bottom - fit.top + 1);
    const QRectF visible = VisibleArea(p).intersected(QRectF(target));
    if (visible.isEmpty())
        return rect;

    KeyMode mode = KeyMode::Opaque;
    if (pic.m_gifFlg)
        mode = dc.printing && s.toukagif2 == 3 ? KeyMode::White : KeyMode::Transparent;
    const std::uint32_t key = static_cast<std::uint32_t>(pic.m_gifColor);
    // The file's key colour is red + 256 x green + 65536 x blue; pixels are 0xAARRGGBB.
    const std::uint32_t keyArgb = (key & 0xff) << 16 | (key & 0xff00) | (key >> 16 & 0xff);

    PictureCache& cache = TheCache();
    const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster;
    const bool plainPlacement = p.transform().type() <= QTransform::TxTranslate;
    const std::int64_t area = std::int64_t(target.width()) * target.height();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (raster && plainPlacement && area <= kMaxScaledPixels) {
        const QImage scaled = cache.Get(file, mode, keyArgb, target.width(), target.height());
        if (!scaled.isNull())
            p.drawImage(target.topLeft(), scaled);
    } else {
        // Large on the device, or a vector or printer device: only the visible part of
        // the source is handed over, and nothing the size of the device is made.
        const QImage src = cache.Get(file, mode, keyArgb, 0, 0);
        if (!src.isNull()) {
            // The whole source pixels under the visible part, one more on each side for
            // the smoothing, placed where they fall in the full picture.
            const double fx = double(src.width()) / target.width(), fy = double(src.height()) / target.height();
            const int sx0 = std::max(0, static_cast<int>(std::floor((visible.left() - target.x()) * fx)) - 1);
            const int sy0 = std::max(0, static_cast<int>(std::floor((visible.top() - target.y()) * fy)) - 1);
            const int sx1 = std::min(src.width(), static_cast<int>(std::ceil((visible.right() - target.x()) * fx)) + 1);
            const int sy1 = std::min(src.height(), static_cast<int>(std::ceil((visible.bottom() - target.y()) * fy)) + 1);
            if (sx1 > sx0 && sy1 > sy0) {
                const QRectF placed(target.x() + sx0 / fx, target.y() + sy0 / fy, (sx1 - sx0) / fx, (sy1 - sy0) / fy);
                p.setClipRect(visible, Qt::IntersectClip);
                p.drawImage(placed, src.copy(sx0, sy0, sx1 - sx0, sy1 - sy0));
            }
        }
    }
    p.restore();
    return rect;
}

void ClearPictureCache()
{
    g_clears.Raise();
    TheCache().Clear();
}

std::int64_t PictureCacheBytes() { return TheCache().Bytes(); }

int PictureCacheEntries() { return TheCache().Entries(); }
