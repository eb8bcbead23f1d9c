// Pictures: the binary sections, working files and their names, damaged input,
// shared working files, and documents with pictures saved again and again.
#include "ardelib/Message.h"
#include "document/PelUnit.h"
#include "document/PelmoraDoc.h"
#include "document/ReadAbort.h"
#include "platform/Profile.h"

#include "BmpBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {
std::string Bmp24(int w, int h, std::uint8_t fill = 0x5A)
{
    bmpbuild::Recipe s;
    s.width = w;
    s.height = h;
    s.fill = fill;
    return bmpbuild::Make(s);
}

std::string Counted(const std::string& bytes, std::string count = "")
{
    if (count.empty())
        count = std::to_string(bytes.size());
    return "/START:BLKImageBmp2\r\n" + count + "\r\n" + bytes + "/END:BLKImageBmp2\r\n";
}

std::string Picture(int id, const std::string& section, const std::string& name = "/etc/hostname")
{
    return "/START:BLK_UnitImage\r\nImageID=" + std::to_string(id) + "\r\nImageName=" + name
           + "\r\nOffsetX=10.5\r\nOffsetY=20\r\nImageWidth=80\r\nImageHeight=60\r\nIMGLayer1=1\r\nIMGLayer2=2\r\n"
             "IMGImagegifflg=1\r\nIMGImagegifcol=65280\r\n"
           + section + "/END:BLK_UnitImage\r\n";
}

int ReadUnit(CPelUnit& unit, const std::string& records, int prefixFlag = 0, int prefixValue = 0)
{
    auto ar = CDefArchive::FromMemory(records + "/END:PelUnit\r\n");
    return unit.Read(ar.get(), "PelUnit", prefixFlag, prefixValue);
}

std::string WriteUnit(const CPelUnit& unit)
{
    auto ar = CDefArchive::ToMemory();
    EXPECT_EQ(unit.Write(ar.get()), 1);
    EXPECT_TRUE(ar->Close());
    return ar->MemoryData();
}

std::string Temp(const std::string& name) { return CPelImage::TempFolder() + "/" + name; }

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Every working file left in the private folder.
std::string Leftovers() { return Run("ls -A " + Quote(CPelImage::TempFolder())).out; }

std::string Doc(const std::string& records)
{
    return "/START:ZELDATA\r\n/START:PelUnit\r\nMUnitImageID=9\r\n" + records + "/END:PelUnit\r\n/END:ZELDATA\r\n";
}

// The bytes of the first counted section of a saved document.
std::string EmbeddedBytes(const std::string& file, std::size_t nth = 0)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i <= nth; ++i) {
        at = file.find("/START:BLKImageBmp2\r\n", at);
        if (at == std::string::npos)
            return "<none>";
        at += 21;
    }
    std::size_t eol = file.find("\r\n", at);
    std::size_t n = std::stoul(file.substr(at, eol - at));
    std::string bytes = file.substr(eol + 2, n);
    EXPECT_EQ(file.compare(eol + 2 + n, 19, "/END:BLKImageBmp2\r\n"), 0);
    return bytes;
}
} // namespace

TEST(PelImage, CountedSectionBecomesTheWorkingFile)
{
    std::string bmp = Bmp24(3, 2);
    {
        CPelUnit unit;
        ASSERT_EQ(ReadUnit(unit, Picture(5, Counted(bmp))), 1);
        ASSERT_EQ(unit.m_pictures.size(), 1u);
        const CPelImage& p = *unit.m_pictures[0];
        EXPECT_EQ(p.m_id, 5);
        EXPECT_EQ(p.m_imageName, Temp("temp5.bmp"));
        EXPECT_EQ(p.m_offsetX, 10.5);
        EXPECT_EQ(p.m_width, 80);
        EXPECT_EQ(p.m_gifFlg, 1);
        EXPECT_EQ(p.m_gifColor, 65280);
        EXPECT_EQ(ReadFile(Temp("temp5.bmp")), bmp);
        struct stat st {};
        ASSERT_EQ(::stat(Temp("temp5.bmp").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        ASSERT_NE(p.Bitmap(), nullptr);
        EXPECT_EQ(p.Bitmap()->Width(), 3);

        // Written back: the working file's bytes, whatever "ImageName" said.
        std::string written = WriteUnit(unit);
        EXPECT_EQ(EmbeddedBytes(written), bmp);
        EXPECT_NE(written.find("ImageName=" + Temp("temp5.bmp") + "\r\n"), std::string::npos);
    }
    // The working file goes with the last picture holding it.
    EXPECT_EQ(Leftovers(), "");
}

TEST(PelImage, TakenNamesMoveTheIdOn)
{
    TempDir outside;
    WriteFile(Temp("temp5.bmp"), "left over");
    WriteFile(outside.file("target"), "keep");
    ASSERT_EQ(::symlink(outside.file("target").c_str(), Temp("temp6.bmp").c_str()), 0);
    std::string bmp = Bmp24(2, 2);
    {
        CPelUnit unit;
        ASSERT_EQ(ReadUnit(unit, Picture(5, Counted(bmp)) + Picture(7, Counted(bmp))), 1);
        ASSERT_EQ(unit.m_pictures.size(), 2u);
        // 5 is taken by a left-over file, 6 by a link; the second picture then moves from 7 to 8.
        EXPECT_EQ(unit.m_pictures[0]->m_id, 7);
        EXPECT_EQ(unit.m_pictures[0]->m_imageName, Temp("temp7.bmp"));
        EXPECT_EQ(unit.m_pictures[1]->m_id, 8);
        EXPECT_EQ(ReadFile(Temp("temp8.bmp")), bmp);
    }
    EXPECT_EQ(ReadFile(outside.file("target")), "keep");
    EXPECT_EQ(ReadFile(Temp("temp5.bmp")), "left over");
    ::unlink(Temp("temp5.bmp").c_str());
    ::unlink(Temp("temp6.bmp").c_str());
    EXPECT_EQ(Leftovers(), "");
}

TEST(PelImage, PlanPicturesCarryThePrefix)
{
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, Picture(7, Counted(Bmp24(1, 1))), 1, 3), 1);
    ASSERT_EQ(unit.m_pictures.size(), 1u);
    EXPECT_EQ(unit.m_pictures[0]->m_imageName, Temp("temp3-7.bmp"));
    EXPECT_EQ(CPelImage::TempFileName(7, 1, 3), "temp3-7.bmp");
    EXPECT_EQ(CPelImage::TempFileName(7, 0, 3), "temp7.bmp");
}

TEST(PelImage, UserFolderSetting)
{
    TempDir folder;
    CSettingsStore& store = AppProfile();
    store.WriteInt("QLA_T_UTILITY", "path_itizi_flg", 1);
    store.WriteString("QLA_T_UTILITY", "path_set_forda", folder.path());
    {
        CPelUnit unit;
        ASSERT_EQ(ReadUnit(unit, Picture(2, Counted(Bmp24(1, 1)))), 1);
        EXPECT_EQ(unit.m_pictures[0]->m_imageName, folder.file("temp2.bmp"));
        EXPECT_TRUE(Exists(folder.file("temp2.bmp")));
    }
    EXPECT_FALSE(Exists(folder.file("temp2.bmp")));
    // A folder that is not there falls back to the private one.
    store.WriteString("QLA_T_UTILITY", "path_set_forda", folder.file("missing"));
    EXPECT_EQ(CPelImage::TempFolder().find(folder.path()), std::string::npos);
    store.WriteInt("QLA_T_UTILITY", "path_itizi_flg", 0);
    store.Remove("QLA_T_UTILITY", "path_set_forda");
}

TEST(PelImage, HeaderDescribedSection)
{
    // 8-bit, 2 x 2, biSizeImage 0: rows of 4 bytes. bfOffBits covers a table of 3 entries.
    std::string body;
    bmpbuild::Recipe s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.clrUsed = 3;
    s.fill = 2;
    std::string file = bmpbuild::Make(s);
    std::string section = "/START:BLKImageBmp\r\n" + file + "/END:BLKImageBmp\r\n";
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, Picture(4, section)), 1);
    ASSERT_EQ(unit.m_pictures.size(), 1u);
    const CPelImage& p = *unit.m_pictures[0];
    ASSERT_NE(p.Bitmap(), nullptr);
    EXPECT_EQ(p.Bitmap()->ColorCount(), 3);
    CBmpPixels px;
    ASSERT_TRUE(p.Bitmap()->GetPixels(px));
    EXPECT_EQ(px.argb[0], 0xFF060402u);
    std::string written = ReadFile(p.m_imageName);
    EXPECT_EQ(written.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(written[10]), 54 + 12); // bfOffBits
    EXPECT_EQ(written.size(), 54u + 12 + 8);
    // Saved again in the counted form.
    EXPECT_EQ(EmbeddedBytes(WriteUnit(unit)), written);

    // An info header that is not the 40-byte one fails the open as a whole.
    TakeReadAbort();
    std::string bad = file;
    bad[14] = 12;
    CPelUnit other;
    EXPECT_EQ(ReadUnit(other, Picture(4, "/START:BLKImageBmp\r\n" + bad + "/END:BLKImageBmp\r\n")), 0);
    EXPECT_TRUE(TakeReadAbort());
}

TEST(PelImage, DamagedSectionsNeverCrashOrAllocateWildly)
{
    std::string good = Bmp24(4, 4);
    auto recipe = [] {
        bmpbuild::Recipe s;
        s.width = 4;
        s.height = 4;
        return s;
    };
    bmpbuild::Recipe huge = recipe();
    huge.width = huge.height = 100000;
    huge.pixelBytes = 32;
    bmpbuild::Recipe negative = recipe();
    negative.height = INT32_MIN;
    negative.pixelBytes = 32;
    bmpbuild::Recipe colours = recipe();
    colours.bits = 8;
    colours.clrUsed = 1000;
    colours.tableEntries = 4;
    std::string truncated = good.substr(0, good.size() - 5);
    static const char kGif[] = "GIF89a\x01\x00\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02L\x01\x00;";
    std::string gif(kGif, sizeof kGif - 1);
    std::string png = "\x89PNG\r\n\x1A\n" + std::string(30, '\0');

    struct Case {
        const char* what;
        std::string records;
        int unitRead;     // what the unit reader answers
        int pictures;     // pictures kept
        bool bitmap;      // the first one has a bitmap
    } cases[] = {
        {"count beyond the end of the file", Picture(1, Counted(good, "999999999")), 0, 0, false},
        {"count beyond the limit", Picture(1, Counted(good, "2000000000")), 0, 0, false},
        {"negative count", Picture(1, Counted(good, "-5")), 0, 0, false},
        {"count one short", Picture(1, Counted(good, std::to_string(good.size() - 1))), 0, 0, false},
        {"no count line", "/START:BLK_UnitImage\r\n/START:BLKImageBmp2\r\n", 0, 0, false},
        {"zero bytes", Picture(1, Counted("")), 1, 1, false},
        {"100000 x 100000 claimed", Picture(1, Counted(bmpbuild::Make(huge))), 1, 1, false},
        {"most negative height", Picture(1, Counted(bmpbuild::Make(negative))), 1, 1, false},
        {"1000 colours", Picture(1, Counted(bmpbuild::Make(colours))), 1, 1, false},
        {"truncated pixel array", Picture(1, Counted(truncated)), 1, 1, false},
        {"a GIF inside", Picture(1, Counted(gif)), 1, 1, false},
        {"a PNG inside", Picture(1, Counted(png)), 1, 1, false},
        {"old form claiming 100000 x 100000",
         Picture(1, "/START:BLKImageBmp\r\n" + bmpbuild::Make(huge) + "/END:BLKImageBmp\r\n"), 0, 0, false},
        {"old form cut short", Picture(1, "/START:BLKImageBmp\r\n" + good.substr(0, 40)), 0, 0, false},
        {"old form with a short pixel array", Picture(1, "/START:BLKImageBmp\r\n" + truncated + "/END:BLKImageBmp\r\n"),
         0, 0, false},
        {"a good picture", Picture(1, Counted(good)), 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TakeReadAbort();
        {
            CPelUnit unit;
            EXPECT_EQ(ReadUnit(unit, c.records), c.unitRead);
            ASSERT_EQ(unit.m_pictures.size(), static_cast<std::size_t>(c.pictures));
            if (c.pictures) {
                EXPECT_EQ(unit.m_pictures[0]->Bitmap() != nullptr, c.bitmap);
                // A picture without bitmap still keeps its bytes for the next save.
                std::string section = c.records.substr(c.records.find("/START:BLKImageBmp2\r\n"));
                section = section.substr(section.find("\r\n", 21) + 2);
                EXPECT_EQ(EmbeddedBytes(WriteUnit(unit)), section.substr(0, section.find("/END:BLKImageBmp2")));
            }
        }
        EXPECT_FALSE(TakeReadAbort());
        EXPECT_EQ(Leftovers(), "");
    }
}

TEST(PelImage, RunLengthFourBitPicturesAreDropped)
{
    bmpbuild::Recipe r4;
    r4.width = 2;
    r4.height = 1;
    r4.bits = 4;
    r4.compression = 2;
    r4.pixelBytes = 0;
    bmpbuild::Recipe r8 = r4;
    r8.bits = 8;
    r8.compression = 1;
    std::string rle4 = bmpbuild::Make(r4) + std::string("\x02\x12\x00\x01", 4);
    std::string rle8 = bmpbuild::Make(r8) + std::string("\x02\x05\x00\x01", 4);
    CRecordingMessageSink sink;
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, Picture(1, Counted(rle4)) + Picture(2, Counted(rle8))), 1);
    ASSERT_EQ(unit.m_pictures.size(), 1u);
    EXPECT_EQ(unit.m_pictures[0]->m_id, 2);
    EXPECT_NE(unit.m_pictures[0]->Bitmap(), nullptr);
    EXPECT_FALSE(Exists(Temp("temp1.bmp")));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(PelImage, CopiesShareTheWorkingFileUntilTheLastGoes)
{
    std::string bmp = Bmp24(2, 2);
    auto doc = std::make_unique<CPelUnit>();
    ASSERT_EQ(ReadUnit(*doc, Picture(3, Counted(bmp))), 1);
    const CBitmapUL* bitmap = doc->m_pictures[0]->Bitmap();
    auto snap1 = std::make_unique<CPelUnit>();
    auto snap2 = std::make_unique<CPelUnit>();
    snap1->CopyFrom(*doc);
    snap2->CopyFrom(*snap1);
    EXPECT_EQ(snap2->m_pictures[0]->Bitmap(), bitmap); // shared, not copied
    EXPECT_EQ(doc->m_pictures[0].use_count(), 3); // the record itself, until one side changes it
    // A snapshot dropped (an undo list trimmed) leaves the document's picture whole.
    snap1->Reset(2);
    EXPECT_TRUE(Exists(Temp("temp3.bmp")));
    EXPECT_EQ(EmbeddedBytes(WriteUnit(*doc)), bmp);
    // The picture deleted from the document: the remaining snapshot still has it (undo).
    ASSERT_EQ(doc->RemovePicture(3), 1);
    EXPECT_EQ(doc->RemovePicture(3), 0);
    EXPECT_TRUE(Exists(Temp("temp3.bmp")));
    EXPECT_EQ(snap2->m_pictures[0]->Bitmap()->Width(), 2);
    doc->CopyFrom(*snap2);
    snap2.reset();
    EXPECT_EQ(EmbeddedBytes(WriteUnit(*doc)), bmp);
    doc->Reset(0);
    EXPECT_FALSE(Exists(Temp("temp3.bmp")));
}

TEST(PelImage, NoFileNamedInTheDocumentIsEverRead)
{
    TempDir dir;
    WriteFile(dir.file("secret.bmp"), Bmp24(1, 1, 0x11));
    // A picture without section that names a readable file, and one whose ID's
    // working file does not exist.
    std::string records = Picture(12, "", dir.file("secret.bmp"));
    CPelUnit unit;
    ASSERT_EQ(ReadUnit(unit, records), 1);
    ASSERT_EQ(unit.m_pictures.size(), 1u);
    EXPECT_EQ(unit.m_pictures[0]->Bitmap(), nullptr);
    std::string written = WriteUnit(unit);
    EXPECT_EQ(written.find("BLKImageBmp2"), std::string::npos);
    EXPECT_EQ(written.find(std::string(3, '\x11')), std::string::npos);
}

TEST(PelImage, DocumentsWithPicturesSurviveSaveCycles)
{
    TempDir dir;
    std::string a = Bmp24(5, 3, 0x21);
    bmpbuild::Recipe s8;
    s8.width = 7;
    s8.height = 5;
    s8.bits = 8;
    s8.fill = 9;
    std::string b = bmpbuild::Make(s8);
    // Bytes that look like line ends and block lines inside the picture.
    std::string c = Bmp24(4, 4) + "\r\n/END:BLKImageBmp2\r\n\r";
    WriteFile(dir.file("in.q_l"), Doc(Picture(5, Counted(a)) + Picture(6, Counted(b)) + Picture(7, Counted(c))));

    CRecordingMessageSink sink;
    std::string previous;
    std::string in = dir.file("in.q_l");
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        CPelmoraDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(in));
        ASSERT_EQ(doc.m_unit.m_pictures.size(), 3u);
        EXPECT_NE(doc.m_unit.m_pictures[0]->Bitmap(), nullptr);
        EXPECT_NE(doc.m_unit.m_pictures[1]->Bitmap(), nullptr);
        std::string out = dir.file("out" + std::to_string(cycle) + ".q_l");
        ASSERT_TRUE(doc.OnSaveDocument(out));
        std::string saved = ReadFile(out);
        EXPECT_EQ(EmbeddedBytes(saved, 0), a);
        EXPECT_EQ(EmbeddedBytes(saved, 1), b);
        EXPECT_EQ(EmbeddedBytes(saved, 2), c);
        if (cycle > 0) {
            EXPECT_EQ(saved, previous);
        }
        previous = saved;
        in = out;
    }
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(Leftovers(), "");
}

TEST(PelImage, NoPlaceForTheWorkingFileFailsTheOpen)
{
    TempDir dir;
    WriteFile(dir.file("plain-file"), "x");
    WriteFile(dir.file("d.q_l"), Doc(Picture(1, Counted(Bmp24(1, 1)))));
    std::string saved = getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", dir.file("plain-file").c_str(), 1);
    CRecordingMessageSink sink;
    CPelmoraDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(dir.file("d.q_l")));
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
    EXPECT_TRUE(doc.m_unit.m_pictures.empty());
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ドキュメントを開くことに失敗しました。"});
}
