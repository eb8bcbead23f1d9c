#include "content/CsvImport.h"

#include "ardelib/SettingsStore.h"
#include "content/CsvFill.h"
#include "content/CsvTable.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

std::string CCsvImport::LastPath()
{
    return AppProfile().GetString("QLA_T_UTILITY", kPathKey, apppaths::InstalledDataDir() + "/" + kSampleFile);
}

void CCsvImport::StorePath(const std::string& path) { AppProfile().WriteString("QLA_T_UTILITY", kPathKey, path); }

bool CCsvImport::Prepare(const CPelUnit& unit, const std::string& path, std::vector<CTextChange>& changes,
                         std::vector<std::string>& notes, std::string& error)
{
    changes.clear();
    CCsvTable table;
    if (!table.Load(path, CCsvTable::kImportRows, error))
        return false;
    notes = table.Notes();
    changes = CCsvFill::Plan(unit, table);
    return true;
}
