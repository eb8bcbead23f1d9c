#include "document/PelmoraDoc.h"

#include "ardelib/Message.h"
#include "ardelib/SettingsStore.h"
#include "document/ReadAbort.h"
#include "platform/AppPaths.h"
#include "platform/LhaArchive.h"
#include "platform/Profile.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace {
const char kOpenFailed[] = "ドキュメントを開くことに失敗しました。";
const char kArchiveFailed[] = "ファイル読み取り失敗";
const char kMember[] = "pellsav.q_l";
} // namespace

CPelmoraDoc::CPelmoraDoc()
{
    DeleteContents();
    m_textFont.ResetFromSettings(3.5);
}

CPelmoraDoc::~CPelmoraDoc() = default;

void CPelmoraDoc::DeleteContents()
{
    m_readBlocks.clear();
    m_plotInfo.Reset();
    m_grid.Reset();
    m_unit.Reset(0);
    m_unitBase.Reset(2);
    auto resetSnapshot = [](CPelUnit& u) { u.Reset(2); };
    m_unitUndo.Clear(resetSnapshot, &m_unitBase);
    m_unitRedo.Clear(resetSnapshot);
    RemoveSnapshotPictures();
    m_toolMode = 0;
    m_fitPending = 1;
}

void CPelmoraDoc::RemoveSnapshotPictures()
{
    std::string dir = AppProfile().GetInt("QLA_T_UTILITY", "path_itizi_flg", 0)
                          ? AppProfile().GetString("QLA_T_UTILITY", "path_set_forda", "")
                          : apppaths::UserTempDir();
    if (!dir.empty())
        for (unsigned n : m_snapshotPictures)
            std::remove((dir + "/temp" + std::to_string(n) + ".bmp").c_str());
    m_snapshotPictures.clear();
}

bool CPelmoraDoc::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    m_modified = false;
    return true;
}

std::string CPelmoraDoc::GetTitle() const
{
    if (m_pathName.empty())
        return kNewFileName;
    auto slash = m_pathName.rfind('/');
    return slash == std::string::npos ? m_pathName : m_pathName.substr(slash + 1);
}

bool CPelmoraDoc::OnOpenDocument(const std::string& path)
{
    DeleteContents();
    m_modified = false;
    struct stat st {};
    auto ar = CDefArchive::OpenForLoad(path);
    if (!ar || ::stat(path.c_str(), &st) != 0) {
        ShowMessage(kOpenFailed);
        return false;
    }
    TakeReadAbort();
    if (st.st_size > 0)
        Read(ar.get(), path);
    ar->Close();
    if (TakeReadAbort()) {
        DeleteContents();
        ShowMessage(kOpenFailed);
        return false;
    }
    m_pathName = path;
    return true;
}

bool CPelmoraDoc::OnSaveDocument(const std::string& path)
{
    CDefFile file;
    errno = 0;
    auto ar = file.Open(path, 2);
    if (!ar) {
        ShowMessage(errno == ENOENT ? "指定されたファイルは存在しません。" : "ファイル例外が発生しました。");
        return false;
    }
    if (!Write(ar.get())) {
        ar->Close(); // the write has shown its message; the previous file stays
        return false;
    }
    if (!file.Close(std::move(ar)))
        return false;
    m_pathName = path;
    m_modified = false;
    return true;
}

void CPelmoraDoc::Read(CDefArchive* ar, const std::string& path)
{
    CDefFile def;
    if (def.FindStart(ar, "ZELDATA")) {
        ReadDocumentBlock(ar);
        return;
    }
    ReadCompressed(path);
}

void CPelmoraDoc::ReadCompressed(const std::string& path)
{
    // The archive is read in memory: the member never touches the disk.
    std::string member;
    switch (ExtractLhaMember(path, kMember, member)) {
    case LhaResult::Ok:
        break;
    case LhaResult::NoMember:
        RaiseReadAbort();
        return;
    default:
        ShowMessage(kArchiveFailed);
        return;
    }
    auto ar = CDefArchive::FromMemory(std::move(member));
    CDefFile def;
    if (def.FindStart(ar.get(), "ZELDATA"))
        ReadDocumentBlock(ar.get());
}

void CPelmoraDoc::ReadDocumentBlock(CDefArchive* ar)
{
    CPelmoraDocLoad loader(this);
    // What was read before a format error stays in the document.
    loader.Load(ar, "ZELDATA");
}

int CPelmoraDoc::Write(CDefArchive* ar) const
{
    CDefFile def;
    if (!def.WriteStart(ar, "ZELDATA"))
        return 0;
    if (!m_plotInfo.Write(ar) || !m_grid.Write(ar))
        return 0;
    if (!m_unit.Write(ar))
        return 0;
    // "ArZel" follows here.
    return def.WriteEnd(ar, "ZELDATA");
}

void CPelmoraDoc::ApplyVersionFixup()
{
    if (m_plotInfo.m_version > 21001)
        return;
    m_plotInfo.m_sirokuro = 0;
    m_plotInfo.m_version = CPlotInfo::kVersion;
}

void CPelmoraDoc::SaveSettingsMirror(CSettingsStore& store) const
{
    m_plotInfo.SaveSettings(store);
    m_grid.SaveSettings(store);
    m_textFont.SaveSettings(store);
    store.WriteInt("QLA_T_UTILITY", "registset", 1);
}

RD_STATUS CPelmoraDocLoad::OnReadStart(CDefArchive* ar, const std::string& name)
{
    m_doc->m_readBlocks.push_back(name);
    if (DefIEquals(name, "PlotInfo"))
        return m_doc->m_plotInfo.Load(ar, name) ? RD_DONE : RD_ERROR;
    if (DefIEquals(name, "Grid"))
        return m_doc->m_grid.Load(ar, name) ? RD_DONE : RD_ERROR;
    if (DefIEquals(name, CPelUnit::kBlock)) {
        if (!m_doc->m_unit.Read(ar, name))
            return RD_ERROR;
        return RD_DONE;
    }
    if (DefIEquals(name, "ArZel")) {
        // Until imported plans are read, the block is passed over; the version fix-up
        // still follows it as it follows a read of the plans.
        if (!SkipToEnd(ar, name))
            return RD_ERROR;
        m_doc->ApplyVersionFixup();
        return RD_DONE;
    }
    return RD_SKIP;
}

int CPelmoraDocLoad::OnReadData(const std::string&, const std::string&) { return 0; }
