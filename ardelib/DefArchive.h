#pragma once
// A buffered byte stream in one direction over a file or a memory block: the
// archive that definition files are read from and written to.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class CDefArchive {
public:
    enum class Cause { None, FileNotFound, Generic };
    static constexpr std::size_t kBufferSize = 4096;
    // No real file has lines this long; a longer one is a format error, not a reason to grow without end.
    static constexpr std::size_t kMaxLine = 1u << 20;

    // A loading archive over an existing file, or nullptr.
    static std::unique_ptr<CDefArchive> OpenForLoad(const std::string& path);
    // A storing archive for path. The bytes go to a fresh file beside it that replaces
    // path only when Close() succeeds, so a failed write never damages what was there.
    static std::unique_ptr<CDefArchive> OpenForStore(const std::string& path);
    static std::unique_ptr<CDefArchive> FromMemory(std::string bytes);
    // A storing archive into memory; writes past limit fail as a full disk would.
    static std::unique_ptr<CDefArchive> ToMemory(std::size_t limit = static_cast<std::size_t>(-1));

    ~CDefArchive();
    CDefArchive(const CDefArchive&) = delete;
    CDefArchive& operator=(const CDefArchive&) = delete;

    bool IsLoading() const { return m_loading; }
    const std::string& Path() const { return m_path; }

    // 1: a line was read (without its end); 0: end of stream; -1: line longer than kMaxLine.
    int ReadString(std::string& line);
    // Raw bytes, for the binary sections inside a document; returns the count read.
    std::size_t Read(void* buffer, std::size_t count);
    // Skips count raw bytes; returns the count skipped.
    std::size_t Skip(std::size_t count);

    bool WriteString(std::string_view text);
    bool Write(const void* bytes, std::size_t count);
    // Flushes and, for a file, makes it durable and puts it in place. False on any error
    // now or before; the target is then left as it was.
    bool Close();
    Cause LastError() const { return m_error; }
    // The bytes of a memory storing archive.
    const std::string& MemoryData() const { return m_memory; }

private:
    CDefArchive() = default;
    bool Fill();
    bool FlushBuffer();
    void Fail(int err);

    bool m_loading = true;
    bool m_closed = false;
    bool m_isMemory = false;
    int m_fd = -1;
    std::string m_path;      // the target
    std::string m_tempPath;  // storing file: where the bytes go until Close
    std::string m_memory;    // memory source or destination
    std::size_t m_memoryLimit = 0;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_pos = 0;   // loading: next byte in the buffer
    std::size_t m_end = 0;   // loading: bytes in the buffer; storing: bytes pending
    bool m_eof = false;
    Cause m_error = Cause::None;
};
