#include "platform/AppPaths.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace apppaths {

std::string InstalledDataDir()
{
    auto isDir = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    };
    // Beside the program first: an install into another prefix than the configured one.
    char exe[4096];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string dir(exe, static_cast<std::size_t>(n));
        dir.erase(dir.rfind('/'));
        const std::string beside = dir + "/../share/oltrane";
        if (isDir(beside))
            return beside;
    }
    if (isDir(OLTRANE_INSTALLED_DATA))
        return OLTRANE_INSTALLED_DATA;
    return OLTRANE_SOURCE_RESOURCES;
}

bool MakeDirs(const std::string& path, unsigned mode)
{
    if (path.empty())
        return false;
    std::string cur;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        cur = path.substr(0, next);
        if (!cur.empty()) {
            if (::mkdir(cur.c_str(), mode) != 0 && errno != EEXIST)
                return false;
        }
        pos = next + 1;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string UserDataDir()
{
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/share";
    }
    std::string dir = base + "/oltrane";
    MakeDirs(dir);
    return dir;
}

std::string LoginName()
{
    std::string name;
    if (const passwd* pw = ::getpwuid(::getuid()))
        name = pw->pw_name ? pw->pw_name : "";
    if (name.empty())
        name = std::to_string(::getuid());
    if (name.size() > 64)
        name.resize(64);
    return name;
}

std::string UserTempDir()
{
    std::string parent = UserDataDir() + "/Temp";
    if (!MakeDirs(parent))
        return {};
    std::string dir = parent + "/" + LoginName();
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    // Refuse a folder that is a link or someone else's: temporary files must stay private.
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return {};
    if ((st.st_mode & 0777) != 0700)
        ::chmod(dir.c_str(), 0700);
    return dir;
}

} // namespace apppaths
