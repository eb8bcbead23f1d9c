#pragma once
// Where the user's content files live (platform/WholeFile reads and replaces them).
#include <string>

class CContentFiles {
public:
    // The file name in the per-user data folder (seeded there from the installed data
    // when missing), or in the folder of path_set_forda when the setting flagKey of
    // QLA_T_UTILITY is not 0. Resolved anew on every call, as the user may move it.
    static std::string UserFile(const std::string& name, const char* flagKey);
};
