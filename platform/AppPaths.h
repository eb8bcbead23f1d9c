#pragma once
// Where the program finds its installed data and keeps the user's files.
#include <string>

namespace apppaths {
// The installed data folder (the source tree's resources/ in a build tree).
std::string InstalledDataDir();
// $XDG_DATA_HOME/oltrane, created on first use.
std::string UserDataDir();
// <user data>/Temp/<login name>, created private (0700); empty when it cannot be made safely.
std::string UserTempDir();
// At most 64 bytes, as the picture and temporary names expect.
std::string LoginName();
// Creates every missing folder along path; false when one cannot be made.
bool MakeDirs(const std::string& path, unsigned mode = 0755);
} // namespace apppaths
