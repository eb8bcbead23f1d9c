// The editing commands of the main window: 編集 and 作図, the zoom gestures of 表示,
// the status bar's prompt and read-out, the view's context menu.
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "app/ShapeCommands.h"
#include "document/PelmoraDoc.h"
#include "edit/ToolMode.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include <utility>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

enum Command {
    kUndo = 57643,
    kRedo = 57644,
    kDelete = 1544,
    kZoomIn = 32775,
    kRangeZoom = 32925,
    kHand = 32926,
    kWholePage = 32791,
    kZoomOut = 32776,
    kOrthogonal = 1144,
    kFree = 1100,
};

// The drawing tools in the order of the 作図 menu, with separators between families.
const int kDrawOrder[] = {32890, 32892, 32891, 0, 32893, 32908, 32894, 32901, 32900, 0, 32902, 32863, 0,
                          32895, 32851, 32864, 0, 32867, 32868, 32896, 0, 32921, 32898, 0, 32824};
const int kRangeOrder[] = {32860, 32854, 32856, 32855};
} // namespace

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& tip, std::function<void()> run)
{
    QAction* a = menu->addAction(text, this, [this, run] {
        run();
        UpdateCommandStates();
    });
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    a->setToolTip(tip);
    a->setStatusTip(tip);
    m_commands[id] = a;
    return a;
}

QAction* CMainFrame::Command(int id) const
{
    auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second;
}

void CMainFrame::CreateEditMenus()
{
    m_editMenu = menuBar()->addMenu(U("編集(&E)"));
    QAction* a = AddCommand(m_editMenu, kUndo, U("元に戻す(&U)"), U("直前の変更を取り消します"),
                            [this] {
                                m_view->Tools().Undo();
                                m_view->Redraw();
                            });
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a = AddCommand(m_editMenu, kRedo, U("やり直し(&R)"), U("取り消した変更をやり直します"), [this] {
        m_view->Tools().Redo();
        m_view->Redraw();
    });
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_editMenu->addSeparator();
    // The Delete key itself goes to the view, which takes the same step.
    AddCommand(m_editMenu, kDelete, U("削除(&D)\tDelete"), U("選択した図形を削除します"), [this] {
        m_view->Tools().DeleteSelected();
        m_view->Redraw();
    });
    connect(m_editMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
}

void CMainFrame::CreateDrawMenu()
{
    m_viewMenu->addSeparator();
    AddCommand(m_viewMenu, kZoomIn, U("拡大表示(&I)"), U("ドラッグした長さだけ拡大します"),
               [this] { m_view->Tools().StartZoomDrag(); });
    AddCommand(m_viewMenu, kRangeZoom, U("範囲拡大表示(&H)"), U("囲んだ範囲を拡大して表示します"),
               [this] { m_view->Tools().StartRangeZoom(); });
    AddCommand(m_viewMenu, kHand, U("手のひらツール(&H)"), U("ドラッグして表示位置を動かします"),
               [this] { m_view->Tools().StartHand(); });

    m_drawMenu = menuBar()->addMenu(U("作図(&D)"));
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    auto addMode = [this](QMenu* menu, const ToolModeInfo& info) {
        const int mode = static_cast<int>(info.mode);
        QAction* a = AddCommand(menu, info.command, U(info.menuText), U(info.tip), [this, mode] { m_view->EnterMode(mode); });
        a->setCheckable(true);
        a->setEnabled(info.built);
        if (!info.built)
            a->setToolTip(U(info.tip) + U("（準備中）"));
        m_modeGroup->addAction(a);
        m_modeOfCommand[info.command] = mode;
    };
    const ToolModeInfo* select = FindToolMode(0);
    addMode(m_drawMenu, *select);
    m_drawMenu->addSeparator();
    for (int id : kDrawOrder) {
        if (id == 0) {
            m_drawMenu->addSeparator();
            continue;
        }
        for (const ToolModeInfo& m : AllToolModes())
            if (m.command == id)
                addMode(m_drawMenu, m);
    }
    m_drawMenu->addSeparator();
    QMenu* range = m_drawMenu->addMenu(U("範囲指定(&A)"));
    for (int id : kRangeOrder)
        for (const ToolModeInfo& m : AllToolModes())
            if (m.command == id)
                addMode(range, m);
    m_drawMenu->addSeparator();
    QAction* free = AddCommand(m_drawMenu, kFree, U("マウスフリー"), U("マウスを自由に動かして作図します"),
                               [this] { m_view->Tools().SetConstraint(CToolMachine::Free); });
    free->setCheckable(true);
    QAction* ortho = AddCommand(m_drawMenu, kOrthogonal, U("マウス縦横固定"), U("水平・垂直にだけ作図します"),
                                [this] { m_view->Tools().SetConstraint(CToolMachine::Orthogonal); });
    ortho->setCheckable(true);
    connect(m_drawMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    CreateShapeMenu(*this, menuBar()->addMenu(U("図形(&Z)")));
    connect(m_view, &CPelmoraView::StatusChanged, this, [this] { UpdateCommandStates(); });
    m_view->SetMenuBuilder([this](QMenu& menu, int which, bool greyed) { BuildContextMenu(menu, which, greyed); });
}

void CMainFrame::CreateStatusBar()
{
    m_promptPane = new QLabel;
    m_promptPane->setObjectName("statusPrompt");
    m_promptPane->setToolTip(U("操作の案内"));
    m_absPane = new QLabel(U("座標"));
    m_absPane->setObjectName("statusAbsolute");
    m_absPane->setToolTip(U("ポインタの位置（mm）"));
    m_absPane->setMinimumWidth(200);
    m_relPane = new QLabel(U("相対"));
    m_relPane->setObjectName("statusRelative");
    m_relPane->setToolTip(U("直前の点からの距離（mm）"));
    m_relPane->setMinimumWidth(200);
    statusBar()->addWidget(m_promptPane, 1);
    statusBar()->addPermanentWidget(m_absPane);
    statusBar()->addPermanentWidget(m_relPane);
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates()
{
    if (!m_view || m_commands.empty())
        return;
    CToolMachine& tools = m_view->Tools();
    const CPelmoraDoc& doc = *m_doc;
    for (const auto& [id, mode] : m_modeOfCommand)
        if (QAction* a = Command(id))
            a->setChecked(doc.m_toolMode == mode);
    if (QAction* a = Command(kUndo))
        a->setEnabled(doc.m_undo.CanUndo());
    if (QAction* a = Command(kRedo))
        a->setEnabled(doc.m_undo.CanRedo());
    if (QAction* a = Command(kDelete))
        a->setEnabled(!doc.m_sel.Empty() || doc.m_zelSel.m_count > 0);
    if (QAction* a = Command(kFree))
        a->setChecked(tools.GetConstraint() == CToolMachine::Free);
    if (QAction* a = Command(kOrthogonal))
        a->setChecked(tools.GetConstraint() == CToolMachine::Orthogonal);
    if (m_promptPane) {
        m_promptPane->setText(QString::fromUtf8(tools.Prompt().c_str()));
        m_absPane->setText(QString::fromUtf8(tools.AbsoluteReadout().c_str()));
        m_relPane->setText(QString::fromUtf8(tools.RelativeReadout().c_str()));
    }
    if (doc.IsModified() != isWindowModified())
        UpdateTitle();
}

void CMainFrame::BuildContextMenu(QMenu& menu, int which, bool greyed)
{
    auto later = [&](const char* text) {
        QAction* a = menu.addAction(U(text));
        a->setEnabled(false);
        a->setToolTip(U("準備中"));
    };
    // The 図形 menu's commands under their short names.
    auto shape = [&](const char* text, int id) {
        QAction* command = id ? findChild<QAction*>(QStringLiteral("cmd%1").arg(id)) : nullptr;
        if (!command) {
            later(text);
            return;
        }
        QAction* a = menu.addAction(U(text), command, &QAction::trigger);
        a->setEnabled(command->isEnabled());
    };
    auto del = [&] {
        QAction* a = menu.addAction(U("削除"), this, [this] {
            m_view->Tools().DeleteSelected();
            m_view->Redraw();
            UpdateCommandStates();
        });
        a->setEnabled(!greyed);
    };
    switch (which) {
    case 2: // グループ
        for (auto [t, id] : {std::pair{"左右反転", 32783}, {"上下反転", 32784}, {"左に90度回転", 32792},
                             {"右に90度回転", 32793}, {"伸縮...", 0}, {"グループ化解除", 32779}, {"移動", 0},
                             {"コピー", 57634}})
            shape(t, id);
        del();
        break;
    case 1: // オブジェクト
        later("選択物のプロパティ");
        shape("コピー", 57634);
        del();
        break;
    default: { // 通常
        QAction* undo = menu.addAction(U("元に戻す"), this, [this] {
            m_view->Tools().Undo();
            m_view->Redraw();
            UpdateCommandStates();
        });
        undo->setEnabled(m_doc->m_undo.CanUndo());
        del();
        shape("グループ化する", 32778);
        if (greyed)
            menu.actions().back()->setEnabled(false);
        break;
    }
    }
}
