#pragma once
// Small helpers shared by the test programs.
#include <string>
#include <vector>

namespace testsupport {
std::string MakeTempDir(const std::string& prefix);
void RemoveTree(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs a command line through /bin/sh, capturing both streams.
RunResult Run(const std::string& commandLine);
std::string Quote(const std::string& s);
// How often what occurs in text (overlapping occurrences counted).
std::size_t CountOf(const std::string& text, const std::string& what);
// The built program, for end-to-end tests of the headless commands.
std::string Program();
// A temporary folder removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};
} // namespace testsupport
