// Bytes placed as a plan or map file of the sibling programs (plain or LHA-compressed).
// The first byte picks the extension, which decides the top block and member looked for.
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
    static const char* const kNames[] = {"input.zel", "input.trn", "input.v_x", "input.q_l"};
    if (size == 0)
        return 0;
    std::string path = fuzzsupport::WriteInput(kNames[data[0] % 4], data + 1, size - 1);
    if (CZel* plan = doc->PlacePlan(path, PelPoint{10, 20}, 30, data[0] & 0x10 ? 0 : 100)) {
        auto out = CDefArchive::ToMemory();
        doc->m_arZel.Write(out.get());
        (void)plan;
    }
    doc->DeleteContents();
    TakeReadAbort();
    return 0;
}
