#pragma once
// Where the user's content files live, and reading and replacing them whole.
#include <string>

class CContentFiles {
public:
    // The file name in the per-user data folder (seeded there from the installed data
    // when missing), or in the folder of path_set_forda when the setting flagKey of
    // QLA_T_UTILITY is not 0. Resolved anew on every call, as the user may move it.
    static std::string UserFile(const std::string& name, const char* flagKey);
    // The whole file; false when it cannot be read.
    static bool ReadAll(const std::string& path, std::string& bytes);
    // Replaces path with bytes through a new file beside it: a failure leaves the old
    // file as it was and gives the reason (UTF-8) in error.
    static bool WriteAtomically(const std::string& path, const std::string& bytes, std::string& error);
};
