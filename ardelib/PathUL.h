#pragma once
// Folder and path chores of the program: creating folders, joining paths,
// listing files, and where the library itself is installed. Paths are UTF-8,
// "/" separates components.
#include <string>
#include <vector>

class CPathUL {
public:
    static constexpr char kSeparator = '/';

    // 1 when the folder was created now, 0 otherwise (also when it existed).
    static int CreateDirectory(const std::string& path);
    // Creates every missing folder along path. 1 when the last folder was made now (or,
    // for a path ending in "/", when any was); 0 when nothing needed making or a
    // creation failed after an earlier one succeeded.
    static int CreateMultiDirectory(const std::string& path);
    static int SetCurrentDirectory(const std::string& path);
    // Empty text on failure.
    static std::string GetCurrentDirectory();
    // Full path of the library's own file; empty when it cannot be found.
    static std::string GetModuleFileName();
    // The path without its last component; empty when it has none.
    static std::string GetLastSeparatePath(const std::string& path);
    // first and second joined by exactly one separator; empty text when the result
    // would be invalid or longer than the platform's path limit.
    static std::string MixPathh(const std::string& first, const std::string& second);
    // Names (without folder) of the entries matching pattern ("folder/*.bmp"):
    // regular files when folders is 0, sub-folders but "." and ".." otherwise; sorted.
    // 0 when nothing matches.
    static int GetFileList(std::vector<std::string>& list, const std::string& pattern, int folders);
};
