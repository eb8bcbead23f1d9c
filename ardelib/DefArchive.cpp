#include "ardelib/DefArchive.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string DirOf(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

std::unique_ptr<CDefArchive> CDefArchive::OpenForLoad(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<CDefArchive> ar(new CDefArchive);
    ar->m_loading = true;
    ar->m_fd = fd;
    ar->m_path = path;
    ar->m_buffer.reset(new char[kBufferSize]);
    return ar;
}

std::unique_ptr<CDefArchive> CDefArchive::OpenForStore(const std::string& path)
{
    if (path.empty())
        return nullptr;
    struct stat target {};
    bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode))
        return nullptr;
    std::string temp = DirOf(path) + "/." + BaseOf(path) + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // mkstemp makes the file private; give it the mode the target had, or the usual one.
    mode_t mode;
    if (exists) {
        mode = target.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    std::unique_ptr<CDefArchive> ar(new CDefArchive);
    ar->m_loading = false;
    ar->m_fd = fd;
    ar->m_path = path;
    ar->m_tempPath = temp;
    ar->m_buffer.reset(new char[kBufferSize]);
    return ar;
}

std::unique_ptr<CDefArchive> CDefArchive::FromMemory(std::string bytes)
{
    std::unique_ptr<CDefArchive> ar(new CDefArchive);
    ar->m_loading = true;
    ar->m_isMemory = true;
    ar->m_memory = std::move(bytes);
    ar->m_end = ar->m_memory.size();
    ar->m_eof = true;
    return ar;
}

std::unique_ptr<CDefArchive> CDefArchive::ToMemory(std::size_t limit)
{
    std::unique_ptr<CDefArchive> ar(new CDefArchive);
    ar->m_loading = false;
    ar->m_isMemory = true;
    ar->m_memoryLimit = limit;
    return ar;
}

CDefArchive::~CDefArchive()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

void CDefArchive::Fail(int err)
{
    if (m_error == Cause::None)
        m_error = err == ENOENT ? Cause::FileNotFound : Cause::Generic;
}

bool CDefArchive::Fill()
{
    if (m_isMemory || m_eof || m_fd < 0)
        return false;
    for (;;) {
        ssize_t n = ::read(m_fd, m_buffer.get(), kBufferSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0)
                Fail(errno);
            m_eof = true;
            return false;
        }
        m_pos = 0;
        m_end = static_cast<std::size_t>(n);
        return true;
    }
}

int CDefArchive::ReadString(std::string& line)
{
    line.clear();
    if (!m_loading)
        return 0;
    const char* data = m_isMemory ? m_memory.data() : m_buffer.get();
    bool any = false;
    for (;;) {
        if (m_pos >= m_end) {
            if (!Fill())
                return any ? 1 : 0;
            data = m_buffer.get();
        }
        any = true;
        const char* start = data + m_pos;
        std::size_t avail = m_end - m_pos;
        const void* lf = std::memchr(start, '\n', avail);
        const void* cr = std::memchr(start, '\r', avail);
        const char* stop = nullptr;
        if (lf && cr)
            stop = static_cast<const char*>(lf) < static_cast<const char*>(cr) ? static_cast<const char*>(lf)
                                                                                : static_cast<const char*>(cr);
        else
            stop = static_cast<const char*>(lf ? lf : cr);
        std::size_t take = stop ? static_cast<std::size_t>(stop - start) : avail;
        if (line.size() + take > kMaxLine)
            return -1;
        line.append(start, take);
        m_pos += take;
        if (!stop)
            continue;
        char endByte = data[m_pos++];
        if (endByte == '\r') {
            // The byte after a CR belongs to this line's end: dropped when LF, kept otherwise.
            if (m_pos >= m_end) {
                if (!Fill())
                    return 1;
                data = m_buffer.get();
            }
            char next = data[m_pos++];
            if (next != '\n')
                line.push_back(next);
        }
        return 1;
    }
}

std::size_t CDefArchive::Read(void* buffer, std::size_t count)
{
    if (!m_loading)
        return 0;
    std::size_t done = 0;
    char* out = static_cast<char*>(buffer);
    while (done < count) {
        if (m_pos >= m_end && !Fill())
            break;
        const char* data = m_isMemory ? m_memory.data() : m_buffer.get();
        std::size_t n = std::min(count - done, m_end - m_pos);
        std::memcpy(out + done, data + m_pos, n);
        m_pos += n;
        done += n;
    }
    return done;
}

std::size_t CDefArchive::Skip(std::size_t count)
{
    if (!m_loading)
        return 0;
    std::size_t done = 0;
    while (done < count) {
        if (m_pos >= m_end && !Fill())
            break;
        std::size_t n = std::min(count - done, m_end - m_pos);
        m_pos += n;
        done += n;
    }
    return done;
}

bool CDefArchive::FlushBuffer()
{
    if (m_isMemory || m_end == 0)
        return m_error == Cause::None;
    std::size_t off = 0;
    while (off < m_end) {
        ssize_t n = ::write(m_fd, m_buffer.get() + off, m_end - off);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail(n < 0 ? errno : ENOSPC);
            m_end = 0;
            return false;
        }
        off += static_cast<std::size_t>(n);
    }
    m_end = 0;
    return true;
}

bool CDefArchive::Write(const void* bytes, std::size_t count)
{
    if (m_loading || m_closed || m_error != Cause::None) {
        if (m_error == Cause::None)
            m_error = Cause::Generic;
        return false;
    }
    const char* in = static_cast<const char*>(bytes);
    if (m_isMemory) {
        if (count > m_memoryLimit - m_memory.size()) {
            m_error = Cause::Generic;
            return false;
        }
        m_memory.append(in, count);
        return true;
    }
    while (count > 0) {
        if (m_end == kBufferSize && !FlushBuffer())
            return false;
        std::size_t n = std::min(count, kBufferSize - m_end);
        std::memcpy(m_buffer.get() + m_end, in, n);
        m_end += n;
        in += n;
        count -= n;
    }
    return true;
}

bool CDefArchive::WriteString(std::string_view text) { return Write(text.data(), text.size()); }

bool CDefArchive::Close()
{
    if (m_closed)
        return m_error == Cause::None;
    m_closed = true;
    if (m_loading || m_isMemory) {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        return m_error == Cause::None;
    }
    bool ok = FlushBuffer();
    if (ok && ::fsync(m_fd) != 0) {
        Fail(errno);
        ok = false;
    }
    if (::close(m_fd) != 0 && ok) {
        Fail(errno);
        ok = false;
    }
    m_fd = -1;
    if (ok && ::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        Fail(errno);
        ok = false;
    }
    if (ok)
        m_tempPath.clear();
    else
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    return ok;
}
