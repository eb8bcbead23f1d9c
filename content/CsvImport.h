#pragma once
// The window's CSV import ("csvファイル取り込み") without its dialog: the file last
// imported, and what importing a file would change. The command shows error or the
// notes, takes its one undo snapshot when there are changes, and applies them with
// CCsvFill::Apply.
#include "content/TextChange.h"

#include <string>
#include <vector>

class CPelUnit;

class CCsvImport {
public:
    static constexpr const char* kPathKey = "app_csvinppath";
    static constexpr const char* kSampleFile = "csv_sample_8.csv";

    // app_csvinppath, or the bundled sample CSV in the installed data.
    static std::string LastPath();
    static void StorePath(const std::string& path);

    // Reads the first rows of the file at path and plans their fill of unit. False,
    // with the message (UTF-8) in error, when the file cannot be read as CSV; notes
    // (UTF-8) tell what the user should know about the reading.
    static bool Prepare(const CPelUnit& unit, const std::string& path, std::vector<CTextChange>& changes,
                        std::vector<std::string>& notes, std::string& error);
};
