#pragma once
// Helpers for the tests of drawing units, plans and the documents holding them.
#include "TestSupport.h"
#include "ardelib/DefFile.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace peltest {
// Lines joined with CR LF, as the files have them.
inline std::string Crlf(std::initializer_list<std::string> lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

inline std::string Written(const std::function<int(CDefArchive*)>& write)
{
    auto ar = CDefArchive::ToMemory();
    if (!write(ar.get()))
        return "<write failed>";
    return ar->MemoryData();
}

inline bool HaveJlha() { return std::system("command -v jlha >/dev/null 2>&1") == 0; }

// An LHA archive at archive holding bytes as the one member name, made by jlha.
inline bool MakeLha(const std::string& archive, const std::string& name, const std::string& bytes)
{
    testsupport::TempDir work;
    testsupport::WriteFile(work.file(name), bytes);
    std::string cmd = "cd " + testsupport::Quote(work.path()) + " && jlha a arc.lzh " + testsupport::Quote(name) +
                      " && cp arc.lzh " + testsupport::Quote(archive);
    return testsupport::Run(cmd).status == 0;
}
} // namespace peltest
