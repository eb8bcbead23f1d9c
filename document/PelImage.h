#pragma once
// A picture of the drawing. Its BMP file travels inside the document as raw bytes
// and lives, while the document is open, as a temporary file named by the picture's
// ID. The file and the bitmap loaded from it are shared by the picture and its copies
// (undo snapshots) and go away with the last of them.
#include "ardelib/BitmapUL.h"
#include "document/PelRecord.h"

#include <memory>

// One working file and its bitmap.
class CPelImageFile {
public:
    // Takes over path (a file this program created): it is removed with the object.
    explicit CPelImageFile(std::string path);
    ~CPelImageFile();
    CPelImageFile(const CPelImageFile&) = delete;
    CPelImageFile& operator=(const CPelImageFile&) = delete;

    const std::string& Path() const { return m_path; }
    // Nullptr when the file is not a BMP the loader accepts.
    const CBitmapUL* Bitmap() const { return m_bitmap.IsLoaded() ? &m_bitmap : nullptr; }
    // Loads (again) from the file.
    bool Reload();

private:
    std::string m_path;
    CBitmapUL m_bitmap;
};

class CPelImage : public CDefFile {
public:
    static constexpr const char* kBlock = "BLK_UnitImage";
    static constexpr const char* kCountedBlock = "BLKImageBmp2";
    static constexpr const char* kHeaderBlock = "BLKImageBmp";
    static constexpr int kIdLimit = 6200;
    // A picture section claiming more is taken for damaged.
    static constexpr std::int64_t kMaxSectionBytes = CBitmapUL::kMaxFileLength;

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // Folder of the working files: path_set_forda when path_itizi_flg is on (and the
    // folder exists), else the private per-user temporary folder. Empty when neither.
    static std::string TempFolder();
    // "temp<id>.bmp", or "temp<prefix>-<id>.bmp" for a picture with a prefix.
    static std::string TempFileName(int id, int prefixFlag, int prefixValue);
    // The working file for the current ID and prefix in TempFolder(); empty when none.
    std::string TempFilePath() const;

    // Creates a new, empty working file for this picture without following links or
    // replacing anything, moving the ID on while the name is taken. Returns the open
    // descriptor (the caller writes and closes it) or -1; m_imageName is set.
    int CreateTempFile();
    // Makes path (a file this program created for the picture) its working file and
    // loads the bitmap from it.
    void AttachFile(const std::string& path);
    // The working file's bitmap, nullptr when there is none or it did not load.
    const CBitmapUL* Bitmap() const { return m_file ? m_file->Bitmap() : nullptr; }
    const std::shared_ptr<CPelImageFile>& File() const { return m_file; }
    // True when the working file is a 4-bit run-length BMP, which is not kept.
    bool IsRle4() const;

    int m_id = 1;
    // As read or set; only ever displayed and written, never opened.
    std::string m_imageName;
    double m_offsetX = 0.0;
    double m_offsetY = 0.0;
    double m_width = 50.0;
    double m_height = 50.0;
    int m_layer1 = 0;
    int m_layer2 = 0;
    int m_gifFlg = 0;
    int m_gifColor = 0;
    // The name prefix of pictures of imported plans (the plan ID).
    int m_prefixFlag = 0;
    int m_prefixValue = 0;

private:
    RD_STATUS ReadCounted(CDefArchive* ar);
    RD_STATUS ReadHeaderDescribed(CDefArchive* ar);
    int WriteBitmapSection(CDefArchive* ar) const;

    std::shared_ptr<CPelImageFile> m_file;
};
