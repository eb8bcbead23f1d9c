// Backups and the recovery file of the main window.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "ardelib/Message.h"
#include "document/DocBackup.h"
#include "document/PelmoraDoc.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

namespace {
const char kOfferRecovery[] = "前回、正常に終了しなかったときの図面が残っています。\n復元しますか？";
const char kNoBackup[] = "バックアップファイルがありません。";
} // namespace

bool CMainFrame::WriteRecoveryNow()
{
    if (!m_doc->IsModified() || m_doc->Revision() == m_recoveryRevision)
        return false;
    if (!docbackup::WriteRecovery(*m_doc))
        return false;
    m_recoveryRevision = m_doc->Revision();
    return true;
}

bool CMainFrame::OfferRecovery()
{
    const auto found = docbackup::LeftoverRecoveries();
    if (found.empty())
        return false;
    const docbackup::Recovery& r = found.front();
    if (ShowMessage(kOfferRecovery, MsgButtons::OkCancel) != MsgAnswer::Ok) {
        docbackup::Discard(r);
        return false;
    }
    if (!m_doc->OnOpenDocument(r.file)) {
        m_doc->OnNewDocument();
        m_view->InitialUpdate();
        return false;
    }
    // Saved where it came from (or asked for a name), and marked as not yet saved.
    m_doc->SetPathName(r.originalPath);
    m_doc->SetModifiedFlag(true);
    docbackup::Discard(r);
    UpdateTitle();
    m_view->InitialUpdate();
    WriteRecoveryNow();
    return true;
}

void CMainFrame::OpenBackup()
{
    QString path;
    if (!m_doc->GetPathName().empty()) {
        const QString own = QString::fromStdString(docbackup::BackupPathFor(m_doc->GetPathName()));
        if (QFileInfo::exists(own))
            path = own;
    }
    if (path.isEmpty()) {
        const QString dir = QString::fromStdString(docbackup::BackupDir());
        if (QDir(dir).entryList({QStringLiteral("*.q_l")}, QDir::Files).isEmpty()) {
            ShowMessage(kNoBackup);
            return;
        }
        path = QFileDialog::getOpenFileName(this, QString::fromUtf8("バックアップファイルを開く"), dir,
                                            QString::fromUtf8(CPelmoraDoc::kFilterName));
        if (path.isEmpty())
            return;
    }
    if (!SaveModified())
        return;
    if (!m_doc->OnOpenDocument(path.toStdString())) {
        m_doc->OnNewDocument();
    } else {
        // A backup is opened as a new drawing: saving it never overwrites the backup.
        m_doc->SetPathName(std::string());
        m_doc->SetModifiedFlag(true);
    }
    UpdateTitle();
    m_view->InitialUpdate();
}
