#include "document/PelmoraDoc.h"

#include "ardelib/Message.h"
#include "ardelib/SettingsStore.h"
#include "document/DocBackup.h"
#include "document/ReadAbort.h"
#include "document/ZelLoad.h"
#include "platform/AppPaths.h"
#include "platform/LhaArchive.h"
#include "platform/Profile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace {
const char kOpenFailed[] = "ドキュメントを開くことに失敗しました。";
const char kArchiveFailed[] = "ファイル読み取り失敗";
const char kMember[] = "pellsav.q_l";
const char kPlanUnreadable[] = "ファイルは壊れているか、正しく保存されていないため読み込めませんでした";
const char kPlanTooOld[] = "Zelplan２以前のファイルのため読み込めません\nZelplan２で保存しなおしてください";
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
    m_arZel.Reset(0);
    m_zelSel.Clear();
    m_sel.Clear();
    m_plotInfo.Reset();
    m_grid.Reset();
    m_unit.Reset(0);
    m_undo.SetDepth(AppProfile().GetInt("QLA_T_UTILITY", "app_undonum", 20));
    m_undo.Reset();
    m_toolMode = 0;
    m_fitPending = 1;
    Touch();
}

bool CPelmoraDoc::Undo()
{
    if (!m_undo.Undo(m_unit, m_arZel))
        return false;
    m_sel.Clear();
    m_zelSel.Clear();
    Changed();
    return true;
}

bool CPelmoraDoc::Redo()
{
    if (!m_undo.Redo(m_unit, m_arZel))
        return false;
    Changed();
    return true;
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
    // The file about to be replaced stays as the backup; a backup that cannot be made
    // never stops the save.
    if (AppProfile().GetInt("QLA_T_UTILITY", "app_backup", 1))
        docbackup::KeepBackup(path);
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
    if (!m_plotInfo.Write(ar) || !m_grid.Write(ar) || !m_unit.Write(ar) || !m_arZel.Write(ar))
        return 0;
    return def.WriteEnd(ar, "ZELDATA");
}

void CPelmoraDoc::FillMissingObjectEdges()
{
    for (auto& o : m_unit.m_objects)
        if (o->m_edge == -1)
            m_plotInfo.m_objInfo.FillMissingEdge(o->m_type, o->m_color, o->m_edge, o->m_edgeColor);
}

bool CPelmoraDoc::IsPlanFile(const std::string& path)
{
    int type = -1;
    int importType = ZelImportTypeOf(path, &type);
    return type != -1 && importType != ZelImportDocument;
}

CZel* CPelmoraDoc::PlacePlan(const std::string& path, PelPoint origin, double half, int newScale)
{
    auto ar = CDefArchive::OpenForLoad(path);
    if (!ar) {
        ShowMessage(kPlanUnreadable);
        return nullptr;
    }
    auto plan = std::make_unique<CZel>();
    int importType = ZelImportTypeOf(path, &plan->m_type);
    plan->m_id = m_arZel.NextId();
    if (plan->m_id == 0)
        return nullptr;
    plan->Reset(0);
    TakeReadAbort();
    bool shown = false;
    int got = ZelImport(ar.get(), path, *plan, importType, &shown);
    bool aborted = TakeReadAbort();
    if (aborted || got == 0) {
        plan->Reset(0);
        // An archive failure has said so already; an archive without any plan member has not.
        if (!shown)
            ShowMessage(kPlanUnreadable);
        return nullptr;
    }
    CPlotInfo& pi = plan->m_plot;
    if (plan->m_type == CZel::TypePlan && pi.m_version == 100) {
        plan->Reset(0);
        ShowMessage(kPlanTooOld);
        return nullptr;
    }
    pi.m_version = ZelVersionRule(pi.m_version);
    if (importType == ZelImportMap && pi.m_version < 20000)
        pi.m_version = 2000;
    plan->m_orgX = origin.x;
    plan->m_orgY = origin.y;
    plan->m_haba = half;
    if (m_zelOptions.m_sirokuro == 1)
        pi.m_sirokuro = 0;
    else if (m_zelOptions.m_sirokuro == 2)
        pi.m_sirokuro = 1;
    plan->m_orgScale = pi.m_scale;
    plan->m_layerG = m_plotInfo.m_layer.EditGroup();
    plan->m_layerN = m_plotInfo.m_layer.EditLayer();
    if (newScale > 0)
        plan->ChangeScale(newScale, false);
    m_arZel.m_plans.push_back(std::move(plan));
    CZel* placed = m_arZel.m_plans.back().get();
    m_zelSel.Clear();
    m_zelSel.m_count = 1;
    m_zelSel.m_ids.push_back(placed->m_id);
    return placed;
}

bool CPelmoraDoc::OpenPlanFile(const std::string& path)
{
    OnNewDocument();
    PaperSheet sheet = m_plotInfo.Paper();
    // Drawing coordinates have their origin at the sheet's centre.
    PelPoint centre{0.0, 0.0};
    double half = std::min(sheet.widthMm, sheet.heightMm) / 3.0;
    if (!PlacePlan(path, centre, half, 0)) {
        DeleteContents();
        return false;
    }
    return true;
}

void CPelmoraDoc::ApplyVersionFixup()
{
    if (m_plotInfo.m_version > 21001)
        return;
    m_plotInfo.m_sirokuro = 0;
    for (auto& plan : m_arZel.m_plans)
        plan->m_plot.m_sirokuro = 0;
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
        m_doc->FillMissingObjectEdges();
        return RD_DONE;
    }
    if (DefIEquals(name, CArZel::kBlock)) {
        if (!m_doc->m_arZel.Load(ar, name))
            return RD_ERROR;
        m_doc->ApplyVersionFixup();
        return RD_DONE;
    }
    return RD_SKIP;
}

int CPelmoraDocLoad::OnReadData(const std::string&, const std::string&) { return 0; }
