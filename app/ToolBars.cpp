// The three tool bars and the commands of 表示 that show or hide them.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "app/ToolIcons.h"
#include "edit/ToolMode.h"
#include "ardelib/Message.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <QStatusBar>
#include <QToolBar>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
const char kUtility[] = "QLA_T_UTILITY";

const int kFileBar[] = {57600, 57601, 57603, 57609, 57607, 0,     32924, 32904, 32874, 0,     57643, 57644,
                        0,     32930, 32920, 32886, 0,     32885, 0,     32926, 32775, 32925, 32776, 32791,
                        0,     32919, 32906, 0,     32876, 32877, 32878, 32879, 32881, 32937, 0,     32771};
const int kGroupBar[] = {32783, 32784, 32792, 32793, 32785, 32798};
const int kDrawBar[] = {32890, 32891, 32892, 32893, 32908, 32894, 32901, 32902, 32895,
                        32851, 32867, 32868, 32896, 32863, 32864, 32900, 32921};

// Commands the menus made before the command table existed, by their object names.
struct NamedAction {
    int id;
    const char* name;
};
const NamedAction kNamed[] = {{57600, "fileNew"},         {57601, "fileOpen"},      {57603, "fileSave"},
                              {32791, "viewWholePage"},   {32776, "viewZoomOut"},   {32919, "viewGradation"},
                              {32906, "viewMonochrome"}};

// Tooltips of the tool-bar commands; the ones without an action yet get a greyed one.
struct CommandText {
    int id;
    const char* text;
    const char* tip;
};
const CommandText kTexts[] = {
    {57600, "新規作成", "新しい図面を作ります"},
    {57601, "開く", "保存した図面を開きます"},
    {57603, "上書き保存", "図面を上書き保存します"},
    {57609, "印刷ﾌﾟﾚﾋﾞｭｰ(&O)", "印刷したときの様子を表示します"},
    {57607, "印刷(&P)...", "図面を印刷します"},
    {32924, "テンプレートを開く", "テンプレートから図面を作ります"},
    {32904, "テンプレートとして保存(&Q)...", "図面をテンプレートとして保存します"},
    {32874, "サンプルを開く", "サンプルの図面を開きます"},
    {57643, "元に戻す", "直前の変更を取り消します"},
    {57644, "やり直し", "取り消した変更をやり直します"},
    {32930, "切り取り", "選択した図形を切り取ります"},
    {32920, "コピー", "選択した図形をコピーします"},
    {32886, "貼り付け", "コピーした図形を貼り付けます"},
    {32885, "選択物のプロパティ", "選択した図形の設定を変えます"},
    {32926, "手のひらツール", "ドラッグして表示位置を動かします"},
    {32775, "拡大表示", "ドラッグした長さだけ拡大します"},
    {32925, "範囲拡大表示", "囲んだ範囲を拡大して表示します"},
    {32776, "縮小表示", "表示を縮小します"},
    {32791, "全体表示", "用紙全体を表示します"},
    {32919, "グラデーション表示", "グラデーションを表示します"},
    {32906, "白黒表示", "白黒で表示します"},
    {32876, "文字の左揃え", "選択した文字の左端を揃えます"},
    {32877, "文字の右揃え", "選択した文字の右端を揃えます"},
    {32878, "文字の上揃え", "選択した文字の上端を揃えます"},
    {32879, "文字の下揃え", "選択した文字の下端を揃えます"},
    {32881, "文字の大きさ揃え", "選択した文字の大きさを揃えます"},
    {32937, "文字の均等配置", "選択した文字を等間隔に並べます"},
    {32771, "設定(&K)...", "プログラムの設定を変えます"},
    {32783, "左右反転", "選択したグループを左右反転します"},
    {32784, "上下反転", "選択したグループを上下反転します"},
    {32792, "左に90度回転", "選択したグループを左に90度回転します"},
    {32793, "右に90度回転", "選択したグループを右に90度回転します"},
    {32785, "角度を指定して回転", "選択したグループを指定した角度だけ回転します"},
    {32798, "伸縮", "選択したグループを伸縮します"},
};

const ToolModeInfo* ModeOfCommand(int id)
{
    for (const ToolModeInfo& m : AllToolModes())
        if (m.command == id)
            return &m;
    return nullptr;
}

const CommandText* TextOf(int id)
{
    for (const CommandText& t : kTexts)
        if (t.id == id)
            return &t;
    return nullptr;
}
} // namespace

QAction* CMainFrame::ToolCommand(int id, const char* text8, const char* tip8)
{
    if (QAction* a = Command(id))
        return a;
    for (const NamedAction& n : kNamed)
        if (n.id == id)
            if (QAction* a = findChild<QAction*>(QString::fromUtf8(n.name))) {
                m_commands[id] = a;
                return a;
            }
    // A command whose feature is not built yet: present, greyed, saying so.
    QString text, tip;
    if (const ToolModeInfo* mode = ModeOfCommand(id)) {
        text = U(mode->menuText);
        tip = U(mode->tip);
    } else if (const CommandText* t = TextOf(id)) {
        text = U(t->text);
        tip = U(t->tip);
    } else if (text8) {
        text = U(text8);
        tip = U(tip8 ? tip8 : text8);
    }
    auto* a = new QAction(text, this);
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    a->setToolTip(tip + U("（準備中）"));
    a->setStatusTip(tip);
    a->setEnabled(false);
    m_commands[id] = a;
    m_unbuilt.insert(id);
    return a;
}

QToolBar* CMainFrame::MakeToolBar(const char* title, const char* name, std::span<const int> ids, Qt::ToolBarArea area)
{
    auto* bar = new QToolBar(U(title), this);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setIconSize(QSize(20, 20));
    bar->setFloatable(true);
    bar->setMovable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* a = ToolCommand(id);
        if (a->icon().isNull())
            a->setIcon(ToolIcon(id));
        const CommandText* t = TextOf(id);
        if (t && a->statusTip().isEmpty()) {
            a->setStatusTip(U(t->tip));
            a->setToolTip(U(t->tip));
        }
        bar->addAction(a);
    }
    addToolBar(area, bar);
    return bar;
}

void CMainFrame::CreateToolBars()
{
    m_fileBar = MakeToolBar("標準", "fileToolBar", kFileBar, Qt::TopToolBarArea);
    m_groupBar = MakeToolBar("グループ", "groupToolBar", kGroupBar, Qt::RightToolBarArea);
    m_drawBar = MakeToolBar("作図", "drawToolBar", kDrawBar, Qt::LeftToolBarArea);
    CSettingsStore& p = AppProfile();
    m_groupBar->setVisible(p.GetInt(kUtility, "grptool", 1) != 0);
    m_drawBar->setVisible(p.GetInt(kUtility, "zutool", 1) != 0);
    m_lineTool = p.GetInt(kUtility, "linetool", 1) != 0;

    // The bars' own show/hide actions follow the bar whichever way it is closed.
    auto barCommand = [this](QToolBar* bar, int id, const char* text, const char* key, const char* tip) {
        QAction* a = bar->toggleViewAction();
        a->setText(U(text));
        a->setObjectName(QStringLiteral("cmd%1").arg(id));
        a->setStatusTip(U(tip));
        m_commands[id] = a;
        if (key)
            connect(a, &QAction::triggered, this, [key](bool on) {
                AppProfile().WriteInt(kUtility, key, on ? 1 : 0);
                AppProfile().Sync();
            });
        m_viewMenu->addAction(a);
    };
    m_viewMenu->addSeparator();
    barCommand(m_fileBar, 59392, "ﾂｰﾙﾊﾞｰ(&T)", nullptr, "標準のツールバーを表示・非表示にします");
    barCommand(m_groupBar, 32800, "ｸﾞﾙｰﾌﾟﾂｰﾙﾊﾞｰ(&G)", "grptool", "グループのツールバーを表示・非表示にします");
    barCommand(m_drawBar, 32903, "作図ﾂｰﾙﾊﾞｰ(&Z)", "zutool", "作図のツールバーを表示・非表示にします");
    QAction* line = m_viewMenu->addAction(U("線ﾂｰﾙ(&L)"));
    line->setObjectName("cmd32852");
    line->setCheckable(true);
    line->setChecked(m_lineTool);
    connect(line, &QAction::triggered, this, [this](bool on) {
        m_lineTool = on;
        AppProfile().WriteInt(kUtility, "linetool", on ? 1 : 0);
        AppProfile().Sync();
    });
    m_commands[32852] = line;
    QAction* status = m_viewMenu->addAction(U("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"));
    status->setObjectName("cmd59393");
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    m_commands[59393] = status;
    CreateHelpMenu();
}

void CMainFrame::CreateHelpMenu()
{
    QMenu* help = menuBar()->addMenu(U("ヘルプ(&H)"));
    auto openReadme = [this] {
        const QString path = QString::fromStdString(apppaths::InstalledDataDir()) + QStringLiteral("/readme.txt");
        if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            ShowMessage("ヘルプが見つからないかメモリ不足です");
    };
    QAction* a = help->addAction(U("お読みください(&R)..."), this, openReadme);
    a->setObjectName("cmd32796");
    a->setStatusTip(U("ReadMeの表示、お読みください"));
    m_commands[32796] = a;
    // The window's icon: the desktop theme's, else the one beside the program's data.
    QIcon icon = QIcon::fromTheme(QStringLiteral("oltrane"));
    if (icon.isNull()) {
        const QString data = QString::fromStdString(apppaths::InstalledDataDir());
        for (const QString& f : {data + QStringLiteral("/../icons/hicolor/scalable/apps/oltrane.svg"),
                                 data + QStringLiteral("/desktop/oltrane.svg")})
            if (QFileInfo::exists(f)) {
                icon = QIcon(f);
                break;
            }
    }
    setWindowIcon(icon);
}
