// Bytes read as a plain document: the definition-file reader and every record of it,
// then the writer over whatever was read.
#include "fuzz/FuzzSupport.h"

#include "document/PelmoraDoc.h"
#include "document/ReadAbort.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::Init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CPelmoraDoc* doc = new CPelmoraDoc;
    doc->DeleteContents();
    TakeReadAbort();
    auto ar = CDefArchive::FromMemory(std::string(reinterpret_cast<const char*>(data), size));
    // No path: input without "ZELDATA" stops at the archive step instead of reading a file.
    doc->Read(ar.get(), std::string());
    if (!TakeReadAbort()) {
        auto out = CDefArchive::ToMemory();
        doc->Write(out.get());
    }
    doc->DeleteContents();
    return 0;
}
