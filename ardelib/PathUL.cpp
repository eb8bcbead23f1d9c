#include "ardelib/PathUL.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kPathMax = PATH_MAX;
constexpr std::size_t kNameMax = NAME_MAX;
} // namespace

int CPathUL::CreateDirectory(const std::string& path)
{
    if (path.empty())
        return 0;
    return ::mkdir(path.c_str(), 0755) == 0 ? 1 : 0;
}

int CPathUL::CreateMultiDirectory(const std::string& path)
{
    if (path.empty())
        return 0;
    bool anyCreated = false;
    // Every prefix that ends at a separator names a folder; the root ("/") needs no making.
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] != kSeparator || path[i - 1] == kSeparator)
            continue;
        if (CreateDirectory(path.substr(0, i))) {
            anyCreated = true;
        } else if (anyCreated) {
            return 0;
        }
    }
    if (path.back() != kSeparator)
        return CreateDirectory(path);
    return anyCreated ? 1 : 0;
}

int CPathUL::SetCurrentDirectory(const std::string& path)
{
    return !path.empty() && ::chdir(path.c_str()) == 0 ? 1 : 0;
}

std::string CPathUL::GetCurrentDirectory()
{
    char buf[kPathMax];
    if (!::getcwd(buf, sizeof buf))
        return {};
    return buf;
}

std::string CPathUL::GetModuleFileName()
{
    Dl_info info {};
    if (!::dladdr(reinterpret_cast<void*>(&CPathUL::GetModuleFileName), &info) || !info.dli_fname)
        return {};
    char resolved[kPathMax];
    if (!::realpath(info.dli_fname, resolved))
        return {};
    return resolved;
}

std::string CPathUL::GetLastSeparatePath(const std::string& path)
{
    auto pos = path.rfind(kSeparator);
    if (pos == std::string::npos)
        return {};
    // The parent of a top-level entry is the root itself, not an empty (relative) path.
    if (pos == 0)
        return path.size() > 1 ? std::string(1, kSeparator) : std::string();
    return path.substr(0, pos);
}

std::string CPathUL::MixPathh(const std::string& first, const std::string& second)
{
    std::string out;
    out.reserve(first.size() + second.size() + 1);
    std::size_t componentLength = 0;
    auto put = [&](char c) -> bool {
        // A NUL can never be part of a file name.
        if (c == '\0')
            return false;
        if (c == kSeparator) {
            // Exactly one separator between components.
            if (!out.empty() && out.back() == kSeparator)
                return false;
            componentLength = 0;
        } else if (++componentLength > kNameMax) {
            return false;
        }
        out.push_back(c);
        // PATH_MAX counts the terminating zero.
        return out.size() < kPathMax;
    };
    for (char c : first) {
        if (!put(c))
            return {};
    }
    if (!first.empty() && first.back() != kSeparator && !put(kSeparator))
        return {};
    for (char c : second) {
        if (!put(c))
            return {};
    }
    return out;
}

int CPathUL::GetFileList(std::vector<std::string>& list, const std::string& pattern, int folders)
{
    list.clear();
    auto slash = pattern.rfind(kSeparator);
    std::string dir = slash == std::string::npos ? std::string(".")
                      : slash == 0              ? std::string(1, kSeparator)
                                                : pattern.substr(0, slash);
    std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (mask.empty())
        return 0;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return 0;
    while (const dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        // Files brought over from other systems often carry upper-case extensions.
        if (::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD | FNM_PERIOD) != 0)
            continue;
        struct stat st {};
        if (::stat((dir + kSeparator + name).c_str(), &st) != 0)
            continue;
        bool isDir = S_ISDIR(st.st_mode);
        if (folders ? isDir : S_ISREG(st.st_mode))
            list.push_back(std::move(name));
    }
    ::closedir(d);
    std::sort(list.begin(), list.end());
    return list.empty() ? 0 : 1;
}
