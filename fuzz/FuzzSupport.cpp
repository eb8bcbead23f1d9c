#include "fuzz/FuzzSupport.h"

#include "ardelib/Message.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fuzzsupport {
namespace {
std::string g_scratch;

class SilentSink : public IMessageSink {
public:
    MsgAnswer Show(const std::string&, MsgButtons) override { return MsgAnswer::Ok; }
};

void RemoveScratch()
{
    std::error_code ec;
    if (!g_scratch.empty())
        std::filesystem::remove_all(g_scratch, ec);
}
} // namespace

void Init(int* argc, char*** argv)
{
    // Picture readers create a working file per picture: memory is faster than disk.
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string templ = base + "/oltrane-fuzz-XXXXXX";
    if (!mkdtemp(templ.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_scratch = templ;
    std::atexit(RemoveScratch);
    setenv("XDG_CONFIG_HOME", (g_scratch + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (g_scratch + "/data").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static SilentSink sink;
    SetMessageSink(&sink);
    // Lives until the process ends: destroying it among the exit handlers would run
    // after statics it uses are gone.
    new QGuiApplication(*argc, *argv);
}

const std::string& ScratchDir() { return g_scratch; }

std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::string path = g_scratch + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size && std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);
    return path;
}
} // namespace fuzzsupport
