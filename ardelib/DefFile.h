#pragma once
// Nested "/START:" … "/END:" blocks of key=value lines: the syntax of every
// structured file. Records derive from CDefFile and receive their own lines.
#include "ardelib/DefArchive.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum BLOCK_ID { BLOCK_EOF = 0, BLOCK_START = 1, BLOCK_END = 2, BLOCK_DATA = 3, BLOCK_OTHER = -1 };
enum RD_STATUS { RD_ERROR = 0, RD_DONE = 1, RD_SKIP = 2 };

class CDefFile {
public:
    // Deeper nesting than any real file is a format error rather than a stack overflow.
    static constexpr int kMaxDepth = 64;

    CDefFile() = default;
    CDefFile(const CDefFile&) {}
    CDefFile& operator=(const CDefFile&) { return *this; }
    virtual ~CDefFile() = default;

    virtual RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name);
    virtual int OnReadData(const std::string& key, const std::string& value);

    // Mode 1 loads; any other mode stores (the target is replaced on a successful Close).
    std::unique_ptr<CDefArchive> Open(const std::string& path, int mode) const;
    // For a storing archive: 1 when everything reached the file, else 0 after the file-error message.
    int Close(std::unique_ptr<CDefArchive> ar) const;

    int WriteStart(CDefArchive* ar, std::string_view name) const;
    int WriteEnd(CDefArchive* ar, std::string_view name) const;
    int WriteData(CDefArchive* ar, std::string_view key, std::string_view value) const;
    int WriteDataInt(CDefArchive* ar, std::string_view key, int value) const;
    // Reals in the C locale, with the shortest text that reads back as the same double.
    int WriteDataDouble(CDefArchive* ar, std::string_view key, double value) const;
    int WriteDataB64(CDefArchive* ar, std::string_view key, const void* bytes, std::size_t count,
                     std::size_t bytesPerLine) const;
    // Decodes one value into out (capacity bytes at most); returns the bytes stored.
    std::size_t GetDataB64(std::string_view value, void* out, std::size_t capacity) const;

    BLOCK_ID ReadBlock(CDefArchive* ar, std::string& name, std::string& value) const;
    int FindStart(CDefArchive* ar, std::string_view name) const;
    int SkipToEnd(CDefArchive* ar, std::string_view name) const;
    int Load(CDefArchive* ar, std::string_view name);

protected:
    // The file-error message for a failed write, then 0.
    int WriteFailed(CDefArchive* ar) const;

private:
    int SkipToEnd(CDefArchive* ar, std::string_view name, int depth) const;
};

// Number parsing as the C library's atoi/atol/atof would do it in the "C" locale:
// leading blanks, a sign, digits, trailing text ignored; no number gives 0.
// Integers beyond the 32-bit range are clamped; reals that are not finite give 0.
int DefAtoi(std::string_view text);
double DefAtof(std::string_view text);
std::string DefFormatDouble(double value);
// ASCII case-insensitive comparison, as the records compare keys and block names.
bool DefIEquals(std::string_view a, std::string_view b);
