#include "app/MainFrame.h"

#include "app/PelmoraApp.h"
#include "app/PelmoraView.h"
#include "app/PrintCommands.h"
#include "app/WindowPlacement.h"
#include "ardelib/Message.h"
#include "document/DocBackup.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {
const char kLayout[] = "QLA_T_LAYOUTSIZE";
const char kRecent[] = "Recent File List";

QString FileFilter()
{
    return QString::fromUtf8(CPelmoraDoc::kFilterName) + QStringLiteral(";;") + QString::fromUtf8("すべてのファイル (*)");
}
} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_doc(std::make_unique<CPelmoraDoc>())
{
    m_view = new CPelmoraView(m_doc.get(), this);
    setCentralWidget(m_view);
    CreateMenus();
    CreateToolBars();
    CreatePalette();
    UpdateTitle();
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setInterval(kRecoveryIntervalMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, [this] { WriteRecoveryNow(); });
    m_recoveryTimer->start();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateMenus()
{
    m_fileMenu = menuBar()->addMenu(QString::fromUtf8("ファイル(&F)"));
    QAction* a = m_fileMenu->addAction(QString::fromUtf8("新規作成(&N)"), QKeySequence::New, this, [this] {
        if (SaveModified())
            NewDocument();
    });
    a->setObjectName("fileNew");
    a = m_fileMenu->addAction(QString::fromUtf8("開く(&O)..."), QKeySequence::Open, this, [this] {
        if (!SaveModified())
            return;
        QString path = QFileDialog::getOpenFileName(this, QString(), QString(), FileFilter());
        if (!path.isEmpty())
            OpenDocumentFile(path);
    });
    a->setObjectName("fileOpen");
    a = m_fileMenu->addAction(QString::fromUtf8("上書き保存(&S)"), QKeySequence::Save, this, [this] { SaveDocument(); });
    a->setObjectName("fileSave");
    a = m_fileMenu->addAction(QString::fromUtf8("名前を付けて保存(&A)..."), QKeySequence::SaveAs, this,
                              [this] { SaveDocumentAs(); });
    a->setObjectName("fileSaveAs");
    AddPrintCommands(this, m_fileMenu, GetView());
    m_fileMenu->addSeparator();
    a = m_fileMenu->addAction(QString::fromUtf8("ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを開く(&B)..."), this, [this] { OpenBackup(); });
    a->setObjectName("cmd32853");
    a->setToolTip(QString::fromUtf8("保存前の図面（バックアップ）を開きます"));
    m_recentSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < CPelmoraApp::kRecentFiles; ++i) {
        m_recentActions[i] = m_fileMenu->addAction(QString(), this, [this, i] {
            QStringList files = RecentFiles();
            if (i < files.size() && SaveModified())
                OpenDocumentFile(files[i]);
        });
        m_recentActions[i]->setObjectName(QStringLiteral("fileRecent%1").arg(i + 1));
    }
    m_fileMenu->addSeparator();
    m_exitAction = m_fileMenu->addAction(QString::fromUtf8("アプリケーションの終了(&X)"), QKeySequence::Quit, this,
                                         [this] { close(); });
    UpdateRecentMenu();
    CreateEditMenus();
    CreateViewMenu();
    CreateDrawMenu();
    CreateStatusBar();
}

void CMainFrame::CreateViewMenu()
{
    m_viewMenu = menuBar()->addMenu(QString::fromUtf8("表示(&V)"));
    QAction* a = m_viewMenu->addAction(QString::fromUtf8("縮小表示(&O)"), this, [this] { m_view->ZoomOut(); });
    a->setObjectName("viewZoomOut");
    a = m_viewMenu->addAction(QString::fromUtf8("全体表示(&A)"), this, [this] { m_view->WholePage(); });
    a->setObjectName("viewWholePage");
    m_viewMenu->addSeparator();
    auto addSwitch = [this](const char* text, const char* name, void (CPelmoraView::*toggle)()) {
        QAction* s = m_viewMenu->addAction(QString::fromUtf8(text), this, [this, toggle] {
            (m_view->*toggle)();
            UpdateSwitchActions();
        });
        s->setObjectName(name);
        s->setCheckable(true);
        return s;
    };
    m_monochromeAction = addSwitch("白黒表示(&S)", "viewMonochrome", &CPelmoraView::ToggleMonochrome);
    m_gradationAction = addSwitch("グラデーション表示(&V)", "viewGradation", &CPelmoraView::ToggleGradation);
    m_greyAction = addSwitch("レイヤー編集中以外淡色表示", "viewGreyOtherLayers", &CPelmoraView::ToggleGreyDisplay);
    m_gridAction = addSwitch("グリッド表示(&G)", "viewGrid", &CPelmoraView::ToggleGrid);
    connect(m_viewMenu, &QMenu::aboutToShow, this, [this] { UpdateSwitchActions(); });
    UpdateSwitchActions();
}

void CMainFrame::UpdateSwitchActions()
{
    m_monochromeAction->setChecked(m_doc->m_plotInfo.m_sirokuro != 0);
    m_gradationAction->setChecked(m_doc->m_plotInfo.m_gradation != 0);
    m_greyAction->setChecked(m_doc->m_plotInfo.m_layGray != 0);
    m_gridAction->setChecked(m_doc->m_grid.m_visible != 0);
}

void CMainFrame::UpdateTitle()
{
    // "[*]" shows the modified mark where the desktop puts it.
    setWindowTitle(QString::fromStdString(m_doc->GetTitle()) + QStringLiteral("[*] - ")
                   + QString::fromUtf8(CPelmoraDoc::kWindowTitle));
    setWindowModified(m_doc->IsModified());
}

void CMainFrame::NewDocument()
{
    docbackup::RemoveRecovery();
    m_doc->OnNewDocument();
    UpdateTitle();
    m_view->InitialUpdate();
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    QString abs = QFileInfo(path).absoluteFilePath();
    docbackup::RemoveRecovery();
    bool ok = m_doc->OnOpenDocument(abs.toStdString());
    if (ok)
        AddRecentFile(abs);
    else
        m_doc->OnNewDocument();
    UpdateTitle();
    m_view->InitialUpdate();
    return ok;
}

bool CMainFrame::SaveDocument()
{
    if (m_doc->GetPathName().empty())
        return SaveDocumentAs();
    bool ok = m_doc->OnSaveDocument(m_doc->GetPathName());
    if (ok)
        docbackup::RemoveRecovery();
    UpdateTitle();
    return ok;
}

bool CMainFrame::SaveDocumentAs()
{
    QString start = m_doc->GetPathName().empty() ? QString::fromUtf8(CPelmoraDoc::kNewFileName) + ".q_l"
                                                  : QString::fromStdString(m_doc->GetPathName());
    QString path = QFileDialog::getSaveFileName(this, QString(), start, FileFilter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QString::fromUtf8(CPelmoraDoc::kExtension);
    bool ok = m_doc->OnSaveDocument(path.toStdString());
    if (ok) {
        AddRecentFile(QFileInfo(path).absoluteFilePath());
        docbackup::RemoveRecovery();
    }
    UpdateTitle();
    return ok;
}

bool CMainFrame::SaveModified()
{
    if (!m_doc->IsModified())
        return true;
    std::string text = m_doc->GetTitle() + " への変更を保存しますか?";
    switch (ShowMessage(text, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
    case MsgAnswer::Ok:
        return SaveDocument();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

QStringList CMainFrame::RecentFiles() const
{
    QStringList files;
    CSettingsStore& p = AppProfile();
    for (int i = 1; i <= CPelmoraApp::kRecentFiles; ++i) {
        std::string f = p.GetString(kRecent, "File" + std::to_string(i), "");
        if (!f.empty())
            files << QString::fromStdString(f);
    }
    return files;
}

void CMainFrame::AddRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > CPelmoraApp::kRecentFiles)
        files.removeLast();
    CSettingsStore& p = AppProfile();
    for (int i = 0; i < CPelmoraApp::kRecentFiles; ++i) {
        std::string key = "File" + std::to_string(i + 1);
        if (i < files.size())
            p.WriteString(kRecent, key, files[i].toStdString());
        else
            p.Remove(kRecent, key);
    }
    p.Sync();
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu()
{
    QStringList files = RecentFiles();
    for (int i = 0; i < CPelmoraApp::kRecentFiles; ++i) {
        bool used = i < files.size();
        m_recentActions[i]->setVisible(used);
        if (used)
            m_recentActions[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::ShowAtStart()
{
    CSettingsStore& p = AppProfile();
    QList<QRect> screens;
    if (QScreen* s = QGuiApplication::primaryScreen())
        screens << s->availableGeometry();
    for (QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            screens << s->availableGeometry();
    const QRect primary = screens.isEmpty() ? QRect(0, 0, 1920, 1080) : screens.front();
    const int left = p.GetInt(kLayout, "left", primary.left());
    const int right = p.GetInt(kLayout, "right", primary.left() + primary.width());
    const int top = p.GetInt(kLayout, "top", primary.top());
    const int bottom = p.GetInt(kLayout, "bottom", primary.top() + primary.height());
    setGeometry(PlaceWindow(QRect(left, top, right - left, bottom - top), screens));
    if (p.GetInt(kLayout, "maximize", 1) == 1)
        showMaximized();
    else
        show();
}

void CMainFrame::WritePlacement()
{
    CSettingsStore& p = AppProfile();
    if (isMinimized())
        return;
    if (!isMaximized()) {
        QRect r = geometry();
        p.WriteInt(kLayout, "left", r.left());
        p.WriteInt(kLayout, "right", r.left() + r.width());
        p.WriteInt(kLayout, "top", r.top());
        p.WriteInt(kLayout, "bottom", r.top() + r.height());
    }
    p.WriteInt(kLayout, "maximize", isMaximized() ? 1 : 0);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    WritePlacement();
    docbackup::RemoveRecovery();
    m_doc->SaveSettingsMirror(AppProfile());
    AppProfile().Sync();
    event->accept();
}
