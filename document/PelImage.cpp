#include "document/PelImage.h"

#include "ardelib/PathUL.h"
#include "document/ReadAbort.h"
#include "document/RecordText.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kChunk = 64 * 1024;

bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }

bool WriteAll(int fd, const void* data, std::size_t n)
{
    const auto* p = static_cast<const char*>(data);
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// Copies count bytes from the archive to fd. 1 done; 0 the archive ran out; -1 the file could not take them.
int CopyFromArchive(CDefArchive* ar, int fd, std::int64_t count)
{
    std::vector<char> buf(static_cast<std::size_t>(std::min<std::int64_t>(count, kChunk)));
    while (count > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count, kChunk));
        std::size_t got = ar->Read(buf.data(), want);
        if (got > 0 && !WriteAll(fd, buf.data(), got))
            return -1;
        if (got < want)
            return 0;
        count -= static_cast<std::int64_t>(got);
    }
    return 1;
}

// A working file that did not come out whole is not kept.
void Discard(int fd, const std::string& path)
{
    ::close(fd);
    ::unlink(path.c_str());
}
} // namespace

CPelImageFile::CPelImageFile(std::string path) : m_path(std::move(path)) { Reload(); }

CPelImageFile::~CPelImageFile()
{
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

bool CPelImageFile::Reload() { return m_bitmap.LoadBmpFile(m_path) == 1; }

std::string CPelImage::TempFolder()
{
    CSettingsStore& store = AppProfile();
    if (store.GetInt("QLA_T_UTILITY", "path_itizi_flg", 0) != 0) {
        std::string folder = store.GetString("QLA_T_UTILITY", "path_set_forda", "");
        struct stat st {};
        if (!folder.empty() && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return folder;
    }
    return apppaths::UserTempDir();
}

std::string CPelImage::TempFileName(int id, int prefixFlag, int prefixValue)
{
    char name[64];
    if (prefixFlag)
        std::snprintf(name, sizeof name, "temp%d-%d.bmp", prefixValue, id);
    else
        std::snprintf(name, sizeof name, "temp%d.bmp", id);
    return name;
}

std::string CPelImage::TempFilePath() const
{
    std::string folder = TempFolder();
    if (folder.empty())
        return {};
    return CPathUL::MixPathh(folder, TempFileName(m_id, m_prefixFlag, m_prefixValue));
}

int CPelImage::CreateTempFile()
{
    std::string folder = TempFolder();
    if (folder.empty())
        return -1;
    // Every name may be taken; beyond one round of IDs there is no point going on.
    for (int attempt = 0; attempt <= kIdLimit; ++attempt) {
        std::string path = CPathUL::MixPathh(folder, TempFileName(m_id, m_prefixFlag, m_prefixValue));
        if (path.empty())
            return -1;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd >= 0) {
                m_imageName = path;
                return fd;
            }
            if (errno != EEXIST && errno != ELOOP)
                return -1;
        }
        m_id = m_id >= kIdLimit ? 1 : m_id + 1;
    }
    return -1;
}

void CPelImage::AttachFile(const std::string& path) { m_file = std::make_shared<CPelImageFile>(path); }

bool CPelImage::IsRle4() const
{
    if (!m_file)
        return false;
    int fd = ::open(m_file->Path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::uint8_t head[54];
    ssize_t n = ::pread(fd, head, sizeof head, 0);
    ::close(fd);
    BmpInfoHeader info;
    return n == 54 && head[0] == 'B' && head[1] == 'M' && ParseBmpInfoHeader(head + 14, 40, info) && info.biSize >= 40
           && info.biBitCount == 4 && info.biCompression == BMP_RLE4;
}

RD_STATUS CPelImage::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, kCountedBlock))
        return ReadCounted(ar);
    if (DefIEquals(name, kHeaderBlock))
        return ReadHeaderDescribed(ar);
    return RD_SKIP;
}

RD_STATUS CPelImage::ReadCounted(CDefArchive* ar)
{
    std::string line;
    if (ar->ReadString(line) != 1)
        return RD_ERROR;
    // The count is checked before anything is made of it; the bytes themselves are
    // streamed, so a count beyond the file only runs into its end.
    std::int64_t count = DefAtoi(line);
    if (count < 0 || count > kMaxSectionBytes)
        return RD_ERROR;
    int fd = CreateTempFile();
    if (fd < 0) {
        RaiseReadAbort();
        return RD_ERROR;
    }
    std::string path = m_imageName;
    int copied = CopyFromArchive(ar, fd, count);
    if (copied != 1) {
        Discard(fd, path);
        if (copied < 0)
            RaiseReadAbort();
        return RD_ERROR;
    }
    if (::close(fd) != 0) {
        ::unlink(path.c_str());
        RaiseReadAbort();
        return RD_ERROR;
    }
    AttachFile(path);
    return RD_SKIP;
}

RD_STATUS CPelImage::ReadHeaderDescribed(CDefArchive* ar)
{
    std::uint8_t head[54];
    if (ar->Read(head, 14) != 14)
        return RD_ERROR;
    BmpFileHeader fh;
    ParseBmpFileHeader(head, 14, fh);
    if (ar->Read(head + 14, 4) != 4)
        return RD_ERROR;
    if (head[14] != 40 || head[15] || head[16] || head[17]) {
        // Not the header this form is made of: the open fails as a whole.
        RaiseReadAbort();
        return RD_ERROR;
    }
    if (ar->Read(head + 18, 36) != 36)
        return RD_ERROR;
    BmpInfoHeader ih;
    ParseBmpInfoHeader(head + 14, 40, ih);

    const std::int64_t width = ih.biWidth;
    const std::int64_t height = ih.biHeight < 0 ? -std::int64_t(ih.biHeight) : std::int64_t(ih.biHeight);
    const int bits = ih.biBitCount;
    bool bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!bitsOk || width <= 0 || height <= 0 || width > CBitmapUL::kMaxSide || height > CBitmapUL::kMaxSide
        || fh.bfOffBits < 54 || fh.bfOffBits > 54 + 256 * 4 + 12 || ih.biClrUsed > 256)
        return RD_ERROR;
    std::vector<std::uint8_t> table(fh.bfOffBits - 54);
    if (ar->Read(table.data(), table.size()) != table.size())
        return RD_ERROR;
    std::int64_t pixelBytes = ih.biSizeImage ? std::int64_t(ih.biSizeImage) : ((bits * width - 1) / 32 + 1) * 4 * height;
    if (pixelBytes > kMaxSectionBytes)
        return RD_ERROR;
    int colours = ih.biClrUsed ? static_cast<int>(ih.biClrUsed) : bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    table.resize(static_cast<std::size_t>(colours) * 4, 0);

    int fd = CreateTempFile();
    if (fd < 0) {
        RaiseReadAbort();
        return RD_ERROR;
    }
    std::string path = m_imageName;
    BmpFileHeader out;
    out.bfType = 0x4D42;
    out.bfSize = 0;
    out.bfOffBits = static_cast<std::uint32_t>(54 + 4 * colours);
    StoreBmpFileHeader(out, head);
    if (!WriteAll(fd, head, 54) || !WriteAll(fd, table.data(), table.size())) {
        Discard(fd, path);
        RaiseReadAbort();
        return RD_ERROR;
    }
    int copied = CopyFromArchive(ar, fd, pixelBytes);
    if (copied != 1) {
        Discard(fd, path);
        if (copied < 0)
            RaiseReadAbort();
        return RD_ERROR;
    }
    if (::close(fd) != 0) {
        ::unlink(path.c_str());
        RaiseReadAbort();
        return RD_ERROR;
    }
    AttachFile(path);
    return RD_SKIP;
}

int CPelImage::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "ImageID"))
        m_id = DefAtoi(value);
    else if (Is(key, "ImageName"))
        m_imageName = value;
    else if (Is(key, "OffsetX"))
        m_offsetX = PelReadReal(value);
    else if (Is(key, "OffsetY"))
        m_offsetY = PelReadReal(value);
    else if (Is(key, "ImageWidth"))
        m_width = PelReadReal(value);
    else if (Is(key, "ImageHeight"))
        m_height = PelReadReal(value);
    else if (Is(key, "IMGLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "IMGLayer2"))
        m_layer2 = DefAtoi(value);
    else if (Is(key, "IMGImagegifflg"))
        m_gifFlg = DefAtoi(value);
    else if (Is(key, "IMGImagegifcol"))
        m_gifColor = DefAtoi(value);
    return 1;
}

int CPelImage::WriteBitmapSection(CDefArchive* ar) const
{
    std::string path = m_file ? m_file->Path() : TempFilePath();
    if (path.empty())
        return 1;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return 1; // no working file: the picture is saved without bitmap
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 1;
    }
    // The count, then exactly that many bytes; the end line follows the last byte directly.
    const std::int64_t size = st.st_size;
    if (!WriteStart(ar, kCountedBlock)) {
        ::close(fd);
        return 0;
    }
    bool ok = ar->WriteString(std::to_string(size) + "\r\n");
    std::vector<char> buf(kChunk);
    std::int64_t left = size;
    while (ok && left > 0) {
        ssize_t n = ::read(fd, buf.data(), static_cast<std::size_t>(std::min<std::int64_t>(left, kChunk)));
        if (n < 0 && errno == EINTR)
            continue;
        // A file that changed under us would break the count: better no save than a damaged one.
        if (n <= 0) {
            ::close(fd);
            return WriteFailed(ar);
        }
        ok = ar->Write(buf.data(), static_cast<std::size_t>(n));
        left -= n;
    }
    ::close(fd);
    if (!ok)
        return WriteFailed(ar);
    return WriteEnd(ar, kCountedBlock);
}

int CPelImage::Write(CDefArchive* ar) const
{
    const std::string& name = m_file ? m_file->Path() : m_imageName;
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "ImageID", m_id) && WriteData(ar, "ImageName", OneLine(name))
              && WriteDataDouble(ar, "OffsetX", m_offsetX) && WriteDataDouble(ar, "OffsetY", m_offsetY)
              && WriteDataDouble(ar, "ImageWidth", m_width) && WriteDataDouble(ar, "ImageHeight", m_height)
              && WriteDataInt(ar, "IMGLayer1", m_layer1) && WriteDataInt(ar, "IMGLayer2", m_layer2)
              && WriteDataInt(ar, "IMGImagegifflg", m_gifFlg) && WriteDataInt(ar, "IMGImagegifcol", m_gifColor)
              && WriteBitmapSection(ar) && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}
