#pragma once
// Helpers for the tests of the plot settings and their companions.
#include "TestSupport.h"
#include "ardelib/DefFile.h"
#include "platform/Profile.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace plottest {
// Lines joined with CR LF, as the files have them.
inline std::string Lines(std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

// Loads the block `name` found in text into rec; the result of Load.
inline int LoadBlock(CDefFile& rec, const std::string& text, const std::string& name)
{
    auto ar = CDefArchive::FromMemory(text);
    CDefFile finder;
    if (!finder.FindStart(ar.get(), name))
        return -1;
    return rec.Load(ar.get(), name);
}

// What write puts into a memory archive.
inline std::string Written(const std::function<int(CDefArchive*)>& write)
{
    auto ar = CDefArchive::ToMemory();
    if (!write(ar.get()))
        return "<write failed>";
    return ar->MemoryData();
}

// A settings store of its own for one test: an empty configuration folder, dropped
// again at the end, so that what one test writes is not seen by the next.
class FreshSettings {
public:
    FreshSettings()
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_old = old ? old : "";
        setenv("XDG_CONFIG_HOME", (m_dir.path() + "/config").c_str(), 1);
        ResetAppProfile();
    }
    ~FreshSettings()
    {
        ResetAppProfile();
        setenv("XDG_CONFIG_HOME", m_old.c_str(), 1);
    }
    FreshSettings(const FreshSettings&) = delete;
    FreshSettings& operator=(const FreshSettings&) = delete;
    const std::string& dir() const { return m_dir.path(); }
    // Drops the open store, as the end of a program run does.
    void NewRun() { ResetAppProfile(); }

private:
    testsupport::TempDir m_dir;
    std::string m_old;
};
} // namespace plottest
