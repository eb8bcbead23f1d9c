#include "document/DocBackup.h"

#include "ardelib/DefArchive.h"
#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "platform/AppPaths.h"
#include "platform/WholeFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string Folder(const char* name)
{
    const std::string d = apppaths::UserDataDir() + "/" + name;
    apppaths::MakeDirs(d, 0700);
    return d;
}

unsigned Fnv(const std::string& s)
{
    unsigned h = 2166136261u;
    for (unsigned char c : s)
        h = (h ^ c) * 16777619u;
    return h;
}

// The error text is not shown: a backup or an autosave never interrupts the user.
bool Replace(const std::string& path, const std::string& bytes)
{
    std::string error;
    return wholefile::Replace(path, bytes, error);
}

std::string RecoveryFile(int pid) { return docbackup::RecoveryDir() + "/recovery-" + std::to_string(pid) + ".q_l"; }
std::string NoteFile(int pid) { return docbackup::RecoveryDir() + "/recovery-" + std::to_string(pid) + ".txt"; }
} // namespace

namespace docbackup {
std::string BackupDir() { return Folder("Backup"); }
std::string RecoveryDir() { return Folder("Recovery"); }

std::string BackupPathFor(const std::string& documentPath)
{
    const auto slash = documentPath.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : documentPath.substr(0, slash);
    std::string name = slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", Fnv(dir));
    return BackupDir() + "/" + name + "_" + hex + ".q_l";
}

bool KeepBackup(const std::string& documentPath)
{
    struct stat st {};
    if (::stat(documentPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return true; // nothing to keep
    std::string bytes;
    return wholefile::Read(documentPath, bytes) && Replace(BackupPathFor(documentPath), bytes);
}

bool WriteRecovery(const CPelmoraDoc& doc)
{
    auto ar = CDefArchive::ToMemory();
    {
        CRecordingMessageSink quiet;
        if (!doc.Write(ar.get()))
            return false;
    }
    const int pid = static_cast<int>(::getpid());
    return Replace(RecoveryFile(pid), ar->MemoryData()) && Replace(NoteFile(pid), doc.GetPathName());
}

void RemoveRecovery()
{
    const int pid = static_cast<int>(::getpid());
    ::unlink(RecoveryFile(pid).c_str());
    ::unlink(NoteFile(pid).c_str());
}

std::vector<Recovery> LeftoverRecoveries()
{
    std::vector<Recovery> found;
    DIR* d = ::opendir(RecoveryDir().c_str());
    if (!d)
        return found;
    while (dirent* e = ::readdir(d)) {
        int pid = 0;
        char tail[8] = {};
        if (std::sscanf(e->d_name, "recovery-%d.%3s", &pid, tail) != 2 || std::string(tail) != "q_l" || pid <= 0)
            continue;
        // A running process (this one or another window) still owns its file.
        if (pid == static_cast<int>(::getpid()) || ::kill(pid, 0) == 0 || errno == EPERM)
            continue;
        Recovery r;
        r.pid = pid;
        r.file = RecoveryFile(pid);
        wholefile::Read(NoteFile(pid), r.originalPath);
        found.push_back(r);
    }
    ::closedir(d);
    return found;
}

void Discard(const Recovery& r)
{
    ::unlink(r.file.c_str());
    ::unlink(NoteFile(r.pid).c_str());
}
} // namespace docbackup
