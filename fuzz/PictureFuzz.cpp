// Bytes read as the binary section of one picture record ("BLKImageBmp2" with its
// count, or the older "BLKImageBmp" described by its own headers), and the bitmap
// made of it decoded.
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
    static const std::string head = "/START:ZELDATA\r\n/START:PelUnit\r\n/START:BLK_UnitImage\r\nImageID=1\r\n";
    doc->DeleteContents();
    TakeReadAbort();
    auto ar = CDefArchive::FromMemory(head + std::string(reinterpret_cast<const char*>(data), size));
    doc->Read(ar.get(), std::string());
    TakeReadAbort();
    for (const auto& image : doc->m_unit.m_pictures) {
        if (const CBitmapUL* bmp = image->Bitmap()) {
            CBmpPixels pixels;
            bmp->GetPixels(pixels);
        }
        image->IsRle4();
    }
    doc->DeleteContents();
    return 0;
}
