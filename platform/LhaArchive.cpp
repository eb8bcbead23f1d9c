#include "platform/LhaArchive.h"

#include "ardelib/DefFile.h"

#include <cstdio>
#include <memory>

extern "C" {
#include <lhasa.h>
}

unsigned short LhaCrc16(const void* data, std::size_t size, unsigned short crc)
{
    static const auto table = [] {
        struct T { unsigned short v[256]; } t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
            t.v[i] = static_cast<unsigned short>(c);
        }
        return t;
    }();
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<unsigned short>((crc >> 8) ^ table.v[(crc ^ p[i]) & 0xFF]);
    return crc;
}

bool LooksLikeLha(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    unsigned char h[7] = {};
    std::size_t n = std::fread(h, 1, sizeof h, f);
    std::fclose(f);
    return n == sizeof h && h[2] == '-' && h[3] == 'l' && h[6] == '-';
}

LhaResult ExtractLhaMember(const std::string& archivePath, const std::string& name, std::string& out)
{
    out.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(archivePath.c_str(), "rb"), &std::fclose);
    if (!file)
        return LhaResult::NotArchive;
    std::unique_ptr<LHAInputStream, void (*)(LHAInputStream*)> stream(lha_input_stream_from_FILE(file.get()),
                                                                      &lha_input_stream_free);
    if (!stream)
        return LhaResult::NotArchive;
    std::unique_ptr<LHAReader, void (*)(LHAReader*)> reader(lha_reader_new(stream.get()), &lha_reader_free);
    if (!reader)
        return LhaResult::NotArchive;

    bool anyMember = false;
    for (;;) {
        LHAFileHeader* header = lha_reader_next_file(reader.get());
        if (!header)
            return anyMember ? LhaResult::NoMember : LhaResult::NotArchive;
        anyMember = true;
        if (!header->filename || !DefIEquals(header->filename, name))
            continue;
        if (header->length > kLhaMaxMember)
            return LhaResult::TooLarge;
        out.resize(header->length);
        std::size_t got = 0;
        while (got < header->length) {
            std::size_t n = lha_reader_read(reader.get(), out.data() + got, header->length - got);
            if (n == 0)
                break;
            got += n;
        }
        // liblhasa says nothing of a damaged member: it comes back short or garbled.
        char extra;
        if (got != header->length || lha_reader_read(reader.get(), &extra, 1) != 0
            || LhaCrc16(out.data(), out.size()) != header->crc) {
            out.clear();
            return LhaResult::Damaged;
        }
        return LhaResult::Ok;
    }
}
