// Backups on save and the recovery file of a run that did not close normally.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "ardelib/Message.h"
#include "document/DocBackup.h"
#include "document/PelmoraDoc.h"
#include "edit/ShapeCreate.h"
#include "platform/Profile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using testsupport::FileExists;
using testsupport::ReadFile;

int DeadPid()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    int status = 0;
    waitpid(pid, &status, 0);
    return static_cast<int>(pid);
}

void AddLine(CPelmoraDoc& doc, double y)
{
    CreateStraightLine(doc.m_unit, doc.m_plotInfo, {0, y}, {10, y});
    doc.Changed();
}

TEST(Backup, SavingKeepsThePreviousFileUnlessSwitchedOff)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("flyer.q_l");
    CRecordingMessageSink sink;
    CPelmoraDoc doc;
    AddLine(doc, 0);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::string first = ReadFile(path);
    const std::string backup = docbackup::BackupPathFor(path);
    EXPECT_FALSE(FileExists(backup)); // nothing was there to keep
    AddLine(doc, 5);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(backup), first);
    // Same name in another folder: another backup.
    EXPECT_NE(docbackup::BackupPathFor(dir.file("sub/flyer.q_l")), backup);

    AppProfile().WriteInt("QLA_T_UTILITY", "app_backup", 0);
    AddLine(doc, 9);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(backup), first); // not replaced
    AppProfile().WriteInt("QLA_T_UTILITY", "app_backup", 1);
}

TEST(Recovery, ALeftoverDrawingIsOfferedRestoredAndRemoved)
{
    testsupport::TempDir dir;
    CRecordingMessageSink sink(MsgAnswer::Ok);
    {
        CMainFrame frame;
        CPelmoraDoc& doc = *frame.GetDocument();
        EXPECT_FALSE(frame.WriteRecoveryNow()); // nothing unsaved
        doc.SetPathName(dir.file("mine.q_l"));
        AddLine(doc, 3);
        ASSERT_TRUE(frame.WriteRecoveryNow());
        EXPECT_FALSE(frame.WriteRecoveryNow()); // nothing new since
        EXPECT_TRUE(docbackup::LeftoverRecoveries().empty()); // our own, still running
        // The run "crashes": its file is left as another process's.
        const int dead = DeadPid();
        const std::string from = docbackup::RecoveryDir() + "/recovery-" + std::to_string(getpid());
        const std::string to = docbackup::RecoveryDir() + "/recovery-" + std::to_string(dead);
        ASSERT_EQ(std::rename((from + ".q_l").c_str(), (to + ".q_l").c_str()), 0);
        ASSERT_EQ(std::rename((from + ".txt").c_str(), (to + ".txt").c_str()), 0);
    }
    ASSERT_EQ(docbackup::LeftoverRecoveries().size(), 1u);
    CMainFrame next;
    ASSERT_TRUE(next.OfferRecovery());
    EXPECT_EQ(sink.messages.back(), "前回、正常に終了しなかったときの図面が残っています。\n復元しますか？");
    const CPelmoraDoc& doc = *next.GetDocument();
    EXPECT_EQ(doc.m_unit.m_lines.size(), 1u);
    EXPECT_EQ(doc.GetPathName(), dir.file("mine.q_l"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(docbackup::LeftoverRecoveries().empty());
    // A normal close leaves no recovery file behind.
    next.GetDocument()->SetModifiedFlag(false);
    next.close();
    EXPECT_TRUE(QDir(QString::fromStdString(docbackup::RecoveryDir())).entryList(QDir::Files).isEmpty());
}

TEST(Recovery, DeclinedLeftoverIsDiscarded)
{
    const int dead = DeadPid();
    testsupport::WriteFile(docbackup::RecoveryDir() + "/recovery-" + std::to_string(dead) + ".q_l", "junk");
    CRecordingMessageSink sink(MsgAnswer::Cancel);
    CMainFrame frame;
    EXPECT_FALSE(frame.OfferRecovery());
    EXPECT_TRUE(docbackup::LeftoverRecoveries().empty());
}
} // namespace
