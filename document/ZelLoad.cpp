#include "document/ZelLoad.h"

#include "ardelib/Message.h"
#include "platform/LhaArchive.h"

namespace {
const char kArchiveFailed[] = "ファイル読み取り失敗";

const char* TopBlock(int importType) { return importType == ZelImportDocument ? "ZELDATA" : "PELDATA"; }

const char* MemberOf(int importType)
{
    switch (importType) {
    case ZelImportDocument: return "pellsav.q_l";
    case ZelImportPlan: return "pellsav.zel";
    case ZelImportMap: return "pellsav.v_x";
    default: return "pellsav.trn";
    }
}

void LoadTop(CDefArchive* ar, CZel& plan, int importType)
{
    CZelLoad loader(&plan);
    if (loader.FindStart(ar, TopBlock(importType)))
        loader.Load(ar, TopBlock(importType)); // what was read before a format error stays
}
} // namespace

RD_STATUS CZelLoad::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, "PlotInfo"))
        return m_plan->m_plot.Load(ar, name) ? RD_DONE : RD_ERROR;
    if (DefIEquals(name, "Grid"))
        return m_plan->m_grid.Load(ar, name) ? RD_DONE : RD_ERROR;
    if (DefIEquals(name, CPelUnit::kBlock)) {
        if (!m_plan->m_unit.Read(ar, name, 1, m_plan->m_id))
            return RD_ERROR;
        ZelFixObjects(*m_plan);
        return RD_DONE;
    }
    return RD_SKIP;
}

int CZelLoad::OnReadData(const std::string&, const std::string&) { return 0; }

void ZelFixObjects(CZel& plan)
{
    for (auto& o : plan.m_unit.m_objects)
        if (o->m_edge == -1 && (o->m_type == CLineObj::Road || o->m_type == CLineObj::River))
            plan.m_plot.m_objInfo.FillMissingEdge(o->m_type, o->m_color, o->m_edge, o->m_edgeColor);
}

int ZelImportTypeOf(const std::string& path, int* planType)
{
    std::string ext = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    if (ext == "zel") {
        if (planType)
            *planType = CZel::TypePlan;
        return ZelImportPlan;
    }
    if (ext == "trn") {
        if (planType)
            *planType = CZel::TypePlanPro;
        return ZelImportPro;
    }
    if (ext == "v_x") {
        if (planType)
            *planType = CZel::TypeMap;
        return ZelImportMap;
    }
    if (ext == "q_l")
        return ZelImportDocument;
    return ZelImportPro;
}

int ZelImport(CDefArchive* ar, const std::string& path, CZel& plan, int importType, bool* messageShown)
{
    if (messageShown)
        *messageShown = false;
    CZelLoad loader(&plan);
    if (loader.FindStart(ar, TopBlock(importType))) {
        loader.Load(ar, TopBlock(importType)); // what was read before a format error stays
        return 1;
    }
    // Not plain text: an LHA archive holding the member of this kind, or failing that
    // one of the other kinds'. It is read in memory; nothing is extracted to disk.
    const char* members[] = {MemberOf(importType), "pellsav.trn", "pellsav.zel", "pellsav.v_x"};
    for (const char* member : members) {
        std::string bytes;
        switch (ExtractLhaMember(path, member, bytes)) {
        case LhaResult::Ok: {
            auto mem = CDefArchive::FromMemory(std::move(bytes));
            LoadTop(mem.get(), plan, importType);
            return 1;
        }
        case LhaResult::NoMember:
            continue;
        default:
            ShowMessage(kArchiveFailed);
            if (messageShown)
                *messageShown = true;
            return 0;
        }
    }
    return 0;
}
