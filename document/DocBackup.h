#pragma once
// The copies that keep a user's work when something goes wrong: the previous file of
// every save (with app_backup on), and a recovery file written every few minutes
// while a document has unsaved changes, offered on the next start after a crash.
// Both live in the per-user data folder: <data>/Backup and <data>/Recovery.
#include <string>
#include <vector>

class CPelmoraDoc;

namespace docbackup {
// Where the backup of the document at path goes: Backup/<name>_<8 hex digits of its
// folder>.q_l, so that equal names in different folders keep apart.
std::string BackupPathFor(const std::string& documentPath);
std::string BackupDir();
// Copies the file at documentPath (if there is one) to its backup, replacing the
// previous backup only once the copy is complete. False when the copy failed.
bool KeepBackup(const std::string& documentPath);

// The recovery file of this process and the note of what it recovers.
struct Recovery {
    std::string file;         // the drawing
    std::string originalPath; // the file it was opened from or last saved as; empty for a new one
    int pid = 0;
};
std::string RecoveryDir();
// Writes doc to this process's recovery file without touching its path or modified
// flag, and without a message (an autosave never interrupts). False on failure.
bool WriteRecovery(const CPelmoraDoc& doc);
// Removes this process's recovery file (a normal close, or a document saved).
void RemoveRecovery();
// Recovery files left by processes that are no longer running.
std::vector<Recovery> LeftoverRecoveries();
void Discard(const Recovery& r);
} // namespace docbackup
