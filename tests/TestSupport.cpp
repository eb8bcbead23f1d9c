#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

std::string MakeTempDir(const std::string& prefix)
{
    std::string tmpl = std::filesystem::temp_directory_path().string() + "/" + prefix + "-XXXXXX";
    char* made = ::mkdtemp(tmpl.data());
    return made ? std::string(made) : std::string();
}

void RemoveTree(const std::string& path)
{
    std::error_code ec;
    if (!path.empty())
        std::filesystem::remove_all(path, ec);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

RunResult Run(const std::string& commandLine)
{
    TempDir dir;
    std::string full = "(" + commandLine + ") >" + Quote(dir.file("out")) + " 2>" + Quote(dir.file("err"))
                       + " </dev/null";
    RunResult r;
    int st = std::system(full.c_str());
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.out = ReadFile(dir.file("out"));
    r.err = ReadFile(dir.file("err"));
    return r;
}

std::string Program() { return OLTRANE_BINARY; }

std::size_t CountOf(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TempDir::TempDir() : m_path(MakeTempDir("oltrane-t")) {}
TempDir::~TempDir() { RemoveTree(m_path); }

} // namespace testsupport
