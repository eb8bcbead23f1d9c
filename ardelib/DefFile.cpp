#include "ardelib/DefFile.h"

#include "ardelib/Message.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr char kB64[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-";

int B64Value(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '-')
        return 63;
    return 0;
}

// Part of a Shift-JIS lead byte range: the next byte is a trail byte and may be '='.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
} // namespace

RD_STATUS CDefFile::OnReadStart(CDefArchive*, const std::string&) { return RD_SKIP; }
int CDefFile::OnReadData(const std::string&, const std::string&) { return 1; }

std::unique_ptr<CDefArchive> CDefFile::Open(const std::string& path, int mode) const
{
    return mode == 1 ? CDefArchive::OpenForLoad(path) : CDefArchive::OpenForStore(path);
}

int CDefFile::Close(std::unique_ptr<CDefArchive> ar) const
{
    if (!ar)
        return 0;
    bool hadError = ar->LastError() != CDefArchive::Cause::None;
    bool ok = ar->Close();
    if (!ok && !ar->IsLoading() && !hadError)
        return WriteFailed(ar.get());
    return ok ? 1 : 0;
}

int CDefFile::WriteFailed(CDefArchive* ar) const
{
    if (ar->LastError() == CDefArchive::Cause::FileNotFound)
        ShowMessage("指定されたファイルは存在しません。");
    else
        ShowMessage("ファイル例外が発生しました。");
    return 0;
}

int CDefFile::WriteStart(CDefArchive* ar, std::string_view name) const
{
    std::string line = "/START:";
    line.append(name).append("\r\n");
    return ar->WriteString(line) ? 1 : WriteFailed(ar);
}

int CDefFile::WriteEnd(CDefArchive* ar, std::string_view name) const
{
    std::string line = "/END:";
    line.append(name).append("\r\n");
    return ar->WriteString(line) ? 1 : WriteFailed(ar);
}

int CDefFile::WriteData(CDefArchive* ar, std::string_view key, std::string_view value) const
{
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key).append("=").append(value).append("\r\n");
    return ar->WriteString(line) ? 1 : WriteFailed(ar);
}

int CDefFile::WriteDataInt(CDefArchive* ar, std::string_view key, int value) const
{
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return WriteData(ar, key, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

int CDefFile::WriteDataDouble(CDefArchive* ar, std::string_view key, double value) const
{
    return WriteData(ar, key, DefFormatDouble(value));
}

int CDefFile::WriteDataB64(CDefArchive* ar, std::string_view key, const void* bytes, std::size_t count,
                           std::size_t bytesPerLine) const
{
    if (count == 0)
        return 1;
    if (bytesPerLine == 0)
        bytesPerLine = 1;
    const auto* in = static_cast<const unsigned char*>(bytes);
    std::string line;
    for (std::size_t start = 0; start < count; start += bytesPerLine) {
        std::size_t n = std::min(bytesPerLine, count - start);
        line.assign(key).append("=");
        const unsigned char* p = in + start;
        std::size_t i = 0;
        for (; i + 3 <= n; i += 3) {
            unsigned v = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
            line.push_back(kB64[(v >> 18) & 63]);
            line.push_back(kB64[(v >> 12) & 63]);
            line.push_back(kB64[(v >> 6) & 63]);
            line.push_back(kB64[v & 63]);
        }
        if (n - i == 1) {
            unsigned v = p[i] << 16;
            line.push_back(kB64[(v >> 18) & 63]);
            line.push_back(kB64[(v >> 12) & 63]);
        } else if (n - i == 2) {
            unsigned v = (p[i] << 16) | (p[i + 1] << 8);
            line.push_back(kB64[(v >> 18) & 63]);
            line.push_back(kB64[(v >> 12) & 63]);
            line.push_back(kB64[(v >> 6) & 63]);
        }
        line.append("\r\n");
        if (!ar->WriteString(line))
            return WriteFailed(ar);
    }
    return 1;
}

std::size_t CDefFile::GetDataB64(std::string_view value, void* out, std::size_t capacity) const
{
    auto* o = static_cast<unsigned char*>(out);
    std::size_t stored = 0;
    std::size_t n = value.size();
    for (std::size_t i = 0; i + 1 < n && stored < capacity; i += 4) {
        unsigned v[4] = {0, 0, 0, 0};
        std::size_t k = std::min<std::size_t>(4, n - i);
        for (std::size_t j = 0; j < k; ++j)
            v[j] = static_cast<unsigned>(B64Value(static_cast<unsigned char>(value[i + j])));
        unsigned char bytes[3] = {static_cast<unsigned char>((v[0] << 2) | (v[1] >> 4)),
                                  static_cast<unsigned char>(((v[1] & 15) << 4) | (v[2] >> 2)),
                                  static_cast<unsigned char>(((v[2] & 3) << 6) | v[3])};
        std::size_t produce = k - 1; // 2 chars -> 1 byte, 3 -> 2, 4 -> 3
        for (std::size_t j = 0; j < produce && stored < capacity; ++j)
            o[stored++] = bytes[j];
    }
    return stored;
}

BLOCK_ID CDefFile::ReadBlock(CDefArchive* ar, std::string& name, std::string& value) const
{
    std::string line;
    int got = ar->ReadString(line);
    if (got == 0)
        return BLOCK_EOF;
    if (got < 0)
        return BLOCK_OTHER;
    if (line.compare(0, 7, "/START:") == 0 && line.size() >= 7) {
        name = line.substr(7);
        return BLOCK_START;
    }
    if (line.compare(0, 5, "/END:") == 0 && line.size() >= 5) {
        name = line.substr(5);
        return BLOCK_END;
    }
    // "=" searched as a single-byte character: a trail byte of a double-byte character never counts.
    for (std::size_t i = 0; i < line.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (IsLeadByte(c)) {
            ++i;
            continue;
        }
        if (c == '=') {
            name = line.substr(0, i);
            value = line.substr(i + 1);
            return BLOCK_DATA;
        }
    }
    return BLOCK_OTHER;
}

int CDefFile::FindStart(CDefArchive* ar, std::string_view name) const
{
    std::string n, v;
    for (;;) {
        switch (ReadBlock(ar, n, v)) {
        case BLOCK_DATA:
            continue;
        case BLOCK_START:
            if (n == name)
                return 1;
            if (!SkipToEnd(ar, n, 1))
                return 0;
            continue;
        default:
            return 0;
        }
    }
}

int CDefFile::SkipToEnd(CDefArchive* ar, std::string_view name) const { return SkipToEnd(ar, name, 0); }

int CDefFile::SkipToEnd(CDefArchive* ar, std::string_view name, int depth) const
{
    if (depth > kMaxDepth)
        return 0;
    std::string n, v;
    for (;;) {
        switch (ReadBlock(ar, n, v)) {
        case BLOCK_DATA:
            continue;
        case BLOCK_START: {
            std::string nested = n;
            if (!SkipToEnd(ar, nested, depth + 1))
                return 0;
            continue;
        }
        case BLOCK_END:
            return n == name ? 1 : 0;
        default:
            return 0;
        }
    }
}

namespace {
// Depth of Load calls on the current thread; records nest Load through OnReadStart.
thread_local int t_loadDepth = 0;
struct DepthGuard {
    DepthGuard() { ++t_loadDepth; }
    ~DepthGuard() { --t_loadDepth; }
};
} // namespace

int CDefFile::Load(CDefArchive* ar, std::string_view name)
{
    DepthGuard guard;
    if (t_loadDepth > kMaxDepth)
        return 0;
    std::string n, v;
    for (;;) {
        switch (ReadBlock(ar, n, v)) {
        case BLOCK_START: {
            std::string nested = n;
            RD_STATUS st = OnReadStart(ar, nested);
            if (st == RD_ERROR)
                return 0;
            if (st == RD_SKIP && !SkipToEnd(ar, nested, t_loadDepth))
                return 0;
            continue;
        }
        case BLOCK_DATA:
            if (!OnReadData(n, v))
                return 0;
            continue;
        case BLOCK_END:
            return n == name ? 1 : 0;
        default:
            return 0;
        }
    }
}

int DefAtoi(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        neg = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > 1LL << 32)
            v = 1LL << 32;
    }
    if (neg)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

double DefAtof(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    if (i < s.size() && s[i] == '+')
        ++i;
    double v = 0;
    auto res = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond double's range: the largest finite value of that sign keeps drawing sane.
        bool neg = i < s.size() && s[i] == '-';
        return neg ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    if (res.ec != std::errc() || !std::isfinite(v))
        return 0.0;
    return v;
}

std::string DefFormatDouble(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

bool DefIEquals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}
