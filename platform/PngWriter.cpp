#include "platform/PngWriter.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace pngwriter {
namespace {
// Below this much filtered data a piece of its own costs more than it saves.
constexpr std::int64_t kMinPieceBytes = std::int64_t(1) << 20;
// Filtered rows are handed to zlib in runs of about this size.
constexpr std::size_t kFeedBytes = std::size_t(256) << 10;
constexpr int kMaxPieces = 16;
// zlib's header for deflate with a 32 KiB window (check bits for "default" level).
constexpr unsigned char kZlibHeader[2] = {0x78, 0x9C};

void PutBe32(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

// The image's bytes per pixel in the file and a row of them from its scan line.
struct Source {
    const QImage* image = nullptr;
    bool alpha = false;
    int Channels() const { return alpha ? 4 : 3; }
    std::size_t RowBytes() const { return std::size_t(image->width()) * std::size_t(Channels()); }
    void Row(int y, unsigned char* out) const
    {
        const QRgb* in = reinterpret_cast<const QRgb*>(image->constScanLine(y));
        const int w = image->width();
        if (alpha) {
            for (int x = 0; x < w; ++x, out += 4) {
                out[0] = static_cast<unsigned char>(qRed(in[x]));
                out[1] = static_cast<unsigned char>(qGreen(in[x]));
                out[2] = static_cast<unsigned char>(qBlue(in[x]));
                out[3] = static_cast<unsigned char>(qAlpha(in[x]));
            }
        } else {
            for (int x = 0; x < w; ++x, out += 3) {
                out[0] = static_cast<unsigned char>(qRed(in[x]));
                out[1] = static_cast<unsigned char>(qGreen(in[x]));
                out[2] = static_cast<unsigned char>(qBlue(in[x]));
            }
        }
    }
};

// One run of rows compressed on its own: raw deflate ending on a byte boundary
// (sync flush) so that the pieces join into one stream, the last one finishing it.
struct Piece {
    int top = 0, bottom = 0;
    bool first = false, last = false;
    std::unique_ptr<unsigned char[]> data;
    std::size_t size = 0;
    std::uint32_t adler = 1;
    std::uint64_t filteredBytes = 0;
    bool ok = false;
};

void Compress(const Source& src, int level, Piece& piece)
{
    const std::size_t rowBytes = src.RowBytes(), lineBytes = rowBytes + 1;
    const int rows = piece.bottom - piece.top;
    piece.filteredBytes = std::uint64_t(lineBytes) * std::uint64_t(rows);
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return;
    const std::size_t head = piece.first ? sizeof kZlibHeader : 0;
    const std::size_t capacity = head + deflateBound(&z, static_cast<uLong>(piece.filteredBytes)) + 16;
    piece.data.reset(new (std::nothrow) unsigned char[capacity]);
    if (!piece.data) {
        deflateEnd(&z);
        return;
    }
    std::memcpy(piece.data.get(), kZlibHeader, head);
    z.next_out = piece.data.get() + head;
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(capacity - head, 0xffffffffu));

    const int batch = int(std::max<std::size_t>(1, kFeedBytes / lineBytes));
    std::vector<unsigned char> previous(rowBytes, 0), current(rowBytes);
    std::vector<unsigned char> filtered(lineBytes * std::size_t(std::min(batch, rows)));
    // The row above the first one: what "Up" subtracts, as a single stream would.
    if (piece.top > 0)
        src.Row(piece.top - 1, previous.data());
    bool failed = false;
    for (int y = piece.top; y < piece.bottom && !failed;) {
        const int n = std::min(batch, piece.bottom - y);
        unsigned char* line = filtered.data();
        for (int i = 0; i < n; ++i, ++y, line += lineBytes) {
            src.Row(y, current.data());
            // The first row has nothing above it: no filter, the same bytes as "Up".
            line[0] = y == 0 ? 0 : 2;
            const unsigned char* c = current.data();
            const unsigned char* p = previous.data();
            unsigned char* o = line + 1;
            for (std::size_t k = 0; k < rowBytes; ++k)
                o[k] = static_cast<unsigned char>(c[k] - p[k]);
            previous.swap(current);
        }
        const std::size_t bytes = lineBytes * std::size_t(n);
        piece.adler = static_cast<std::uint32_t>(adler32_z(piece.adler, filtered.data(), bytes));
        z.next_in = filtered.data();
        z.avail_in = static_cast<uInt>(bytes);
        const bool end = y == piece.bottom;
        const int flush = !end ? Z_NO_FLUSH : piece.last ? Z_FINISH : Z_SYNC_FLUSH;
        const int r = deflate(&z, flush);
        failed = z.avail_in != 0 || (flush == Z_FINISH ? r != Z_STREAM_END : r != Z_OK);
    }
    piece.size = capacity - z.avail_out;
    deflateEnd(&z);
    piece.ok = !failed;
}

class ChunkWriter {
public:
    explicit ChunkWriter(QIODevice& out) : m_out(out) {}
    bool ok() const { return m_ok; }
    void Raw(const void* bytes, std::size_t n)
    {
        if (m_ok && n > 0)
            m_ok = m_out.write(static_cast<const char*>(bytes), qint64(n)) == qint64(n);
    }
    // A chunk of type with data; data larger than a chunk may hold goes in several.
    void Chunk(const char type[4], const unsigned char* data, std::size_t n)
    {
        constexpr std::size_t kMaxChunk = 0x7fffffff;
        do {
            const std::size_t part = std::min(n, kMaxChunk);
            unsigned char head[8];
            PutBe32(head, static_cast<std::uint32_t>(part));
            std::memcpy(head + 4, type, 4);
            uLong crc = crc32_z(0, head + 4, 4);
            if (part > 0) // no data: zlib would hand back its initial value
                crc = crc32_z(crc, data, part);
            unsigned char tail[4];
            PutBe32(tail, static_cast<std::uint32_t>(crc));
            Raw(head, 8);
            Raw(data, part);
            Raw(tail, 4);
            data += part;
            n -= part;
        } while (n > 0);
    }

private:
    QIODevice& m_out;
    bool m_ok = true;
};

int PiecesFor(const Source& src, int pieces)
{
    const int rows = src.image->height();
    if (pieces <= 0) {
        const std::int64_t bytes = std::int64_t(src.RowBytes() + 1) * rows;
        const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        pieces = int(std::clamp<std::int64_t>(bytes / kMinPieceBytes, 1, cores));
    }
    return std::clamp(pieces, 1, std::min(kMaxPieces, rows));
}
} // namespace

bool Write(QIODevice& out, const QImage& image, int level, int pieces)
{
    if (image.isNull())
        return false;
    Source src;
    src.alpha = image.hasAlphaChannel();
    const QImage::Format wanted = src.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    // The drawn pages are RGB32 already: only other images pay for a copy.
    const QImage converted = image.format() == wanted ? QImage() : image.convertToFormat(wanted);
    src.image = converted.isNull() ? &image : &converted;
    if (src.image->format() != wanted)
        return false;

    std::vector<Piece> parts(static_cast<std::size_t>(PiecesFor(src, pieces)));
    const int rows = src.image->height();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i].top = int(std::int64_t(rows) * std::int64_t(i) / std::int64_t(parts.size()));
        parts[i].bottom = int(std::int64_t(rows) * std::int64_t(i + 1) / std::int64_t(parts.size()));
        parts[i].first = i == 0;
        parts[i].last = i + 1 == parts.size();
    }
    {
        std::vector<std::thread> threads;
        std::size_t started = 1;
        try {
            for (; started < parts.size(); ++started)
                threads.emplace_back([&src, level, &part = parts[started]] { Compress(src, level, part); });
        } catch (const std::system_error&) {
            // No thread to be had: the pieces left are compressed here.
        }
        Compress(src, level, parts[0]);
        for (std::size_t i = started; i < parts.size(); ++i)
            Compress(src, level, parts[i]);
        for (std::thread& t : threads)
            t.join();
    }
    std::uint32_t adler = parts[0].adler;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!parts[i].ok)
            return false;
        if (i > 0)
            adler = static_cast<std::uint32_t>(adler32_combine(adler, parts[i].adler, z_off_t(parts[i].filteredBytes)));
    }

    ChunkWriter w(out);
    w.Raw("\x89PNG\r\n\x1a\n", 8);
    unsigned char ihdr[13];
    PutBe32(ihdr, static_cast<std::uint32_t>(src.image->width()));
    PutBe32(ihdr + 4, static_cast<std::uint32_t>(rows));
    ihdr[8] = 8;                     // bits per channel
    ihdr[9] = src.alpha ? 6 : 2;     // RGBA or RGB
    ihdr[10] = ihdr[11] = ihdr[12] = 0; // deflate, adaptive filters, not interlaced
    w.Chunk("IHDR", ihdr, sizeof ihdr);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        unsigned char phys[9];
        PutBe32(phys, static_cast<std::uint32_t>(image.dotsPerMeterX()));
        PutBe32(phys + 4, static_cast<std::uint32_t>(image.dotsPerMeterY()));
        phys[8] = 1; // metres
        w.Chunk("pHYs", phys, sizeof phys);
    }
    for (const Piece& p : parts)
        w.Chunk("IDAT", p.data.get(), p.size);
    unsigned char trailer[4];
    PutBe32(trailer, adler);
    w.Chunk("IDAT", trailer, sizeof trailer);
    w.Chunk("IEND", nullptr, 0);
    return w.ok();
}

QByteArray Encode(const QImage& image, int level, int pieces)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Write(buffer, image, level, pieces))
        return {};
    return bytes;
}
} // namespace pngwriter
