// Bytes opened as a document file: a file without "ZELDATA" is taken for an LHA
// archive whose member "pellsav.q_l" is then read.
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
    std::string path = fuzzsupport::WriteInput("input.q_l", data, size);
    doc->OnOpenDocument(path);
    doc->DeleteContents();
    return 0;
}
