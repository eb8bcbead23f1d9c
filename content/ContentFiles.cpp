#include "content/ContentFiles.h"

#include "ardelib/SettingsStore.h"
#include "platform/AppPaths.h"
#include "platform/WholeFile.h"
#include "platform/Profile.h"

#include <QFile>

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace {
bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}
} // namespace

std::string CContentFiles::UserFile(const std::string& name, const char* flagKey)
{
    const CSettingsStore& store = AppProfile();
    if (store.GetInt("QLA_T_UTILITY", flagKey, 0) != 0) {
        std::string folder = store.GetString("QLA_T_UTILITY", "path_set_forda", "");
        if (!folder.empty())
            return folder + (folder.back() == '/' ? "" : "/") + name;
    }
    std::string path = apppaths::UserDataDir() + "/" + name;
    if (!Exists(path)) {
        std::string seed, error;
        if (wholefile::Read(apppaths::InstalledDataDir() + "/" + name, seed))
            wholefile::Replace(path, seed, error);
    }
    return path;
}
