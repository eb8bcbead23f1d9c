#pragma once
// Reading the plan and map files of the sibling programs (and this program's own
// documents) into a plan.
#include "document/Zel.h"

// Reads the top block of a plan file into the plan.
class CZelLoad : public CDefFile {
public:
    explicit CZelLoad(CZel* plan) : m_plan(plan) {}
    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;

private:
    CZel* m_plan;
};

// Import types: how a file is looked for (its top block and archive member).
enum ZelImportType { ZelImportDocument = 0, ZelImportPro = 1, ZelImportPlan = 2, ZelImportMap = 3 };

// From the last three characters of path: the import type, and the plan type when
// the extension is known (planType untouched otherwise, import type 1).
int ZelImportTypeOf(const std::string& path, int* planType);

// Reads the file at path (plain, or an LHA archive holding the member of its kind)
// into a freshly reset plan. 1 when the file was read (a file without the top block
// gives an unchanged plan); 0 when the archive could not be read (after
// "ファイル読み取り失敗", *messageShown set) or holds no plan member (no message).
int ZelImport(CDefArchive* ar, const std::string& path, CZel& plan, int importType, bool* messageShown = nullptr);

// Map line objects of a plan read without "MObjHuchi": roads and rivers take the
// plan's own object settings (railways keep -1).
void ZelFixObjects(CZel& plan);
