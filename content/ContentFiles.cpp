#include "content/ContentFiles.h"

#include "ardelib/SettingsStore.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <QFile>
#include <QSaveFile>

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
        if (ReadAll(apppaths::InstalledDataDir() + "/" + name, seed))
            WriteAtomically(path, seed, error);
    }
    return path;
}

bool CContentFiles::ReadAll(const std::string& path, std::string& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f)
        return false;
    bytes.clear();
    char buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0)
        bytes.append(buf, got);
    return !std::ferror(f.get());
}

bool CContentFiles::WriteAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    QSaveFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !out.commit()) {
        error = path + " に書き込めませんでした（" + out.errorString().toStdString() + "）。";
        out.cancelWriting();
        return false;
    }
    return true;
}
