#include "app/ToolPalette.h"

#include "app/LinePropSetDg.h"
#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "app/StyleSample.h"
#include "app/ToolIcons.h"
#include "document/PelmoraDoc.h"
#include "edit/LineProp.h"
#include "edit/ToolMode.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

// Keeps the open panel where it belongs when the frame or the palette moves.
class CPanelPlacer : public QObject {
public:
    explicit CPanelPlacer(CMainFrame* frame) : QObject(frame), m_frame(frame) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Move)
            m_frame->PlacePanels();
        return QObject::eventFilter(watched, e);
    }

private:
    CMainFrame* m_frame;
};
} // namespace

CToolPalette::CToolPalette(CMainFrame* frame) : QWidget(frame), m_frame(frame)
{
    setObjectName("toolPalette");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(4, 4, 4, 4);
    top->setSpacing(4);
    auto* tools = new QGridLayout;
    tools->setSpacing(2);
    struct Spec {
        int id;
        const char* text;
    };
    const Spec kTools[] = {{1006, "選択"},   {1393, "間取り"}, {1041, "部品"},   {1014, "文字"},
                           {1015, "修飾文字"}, {1088, "イラスト"}, {1087, "写真"}, {1544, "削除"}};
    int n = 0;
    for (const Spec& s : kTools) {
        QToolButton* b = AddButton(s.id, s.text);
        tools->addWidget(b, n / 2, n % 2);
        ++n;
    }
    top->addLayout(tools);

    QToolButton* prop = AddButton(1016, "プロパティ");
    prop->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    prop->setIconSize(QSize(80, 30));
    prop->setToolTip(U("選択した図形・作図する図形の設定を変えます"));
    connect(prop, &QToolButton::clicked, m_frame, [this] { m_frame->SelectionProperties(); });
    top->addWidget(prop);

    auto* mouse = new QHBoxLayout;
    mouse->setSpacing(2);
    for (int id : {1100, 1144}) {
        QToolButton* b = AddButton(id, id == 1100 ? "フリー" : "縦横");
        mouse->addWidget(b);
    }
    top->addLayout(mouse);

    auto* grid = new QGroupBox(U("グリッド"), this);
    auto* g = new QGridLayout(grid);
    g->setContentsMargins(4, 4, 4, 4);
    g->setSpacing(2);
    m_gridShown = new QCheckBox(U("表示"), grid);
    m_gridShown->setObjectName("c2013");
    m_gridSnap = new QCheckBox(U("吸着"), grid);
    m_gridSnap->setObjectName("c1995");
    g->addWidget(m_gridShown, 0, 0, 1, 3);
    g->addWidget(m_gridSnap, 1, 0, 1, 3);
    auto pitch = [&](int row, const char* label, const char* name) {
        auto* e = new QLineEdit(grid);
        e->setObjectName(QString::fromUtf8(name));
        e->setMaxLength(4);
        e->setMaximumWidth(44);
        e->setToolTip(U("グリッドの間隔（1～499mm）"));
        g->addWidget(new QLabel(U(label), grid), row, 0);
        g->addWidget(e, row, 1);
        g->addWidget(new QLabel(U("mm"), grid), row, 2);
        return e;
    };
    m_pitchW = pitch(2, "横", "c2033");
    m_pitchD = pitch(3, "縦", "c2034");
    top->addWidget(grid);

    QToolButton* layer = AddButton(1674, "第0層");
    layer->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layer->setToolTip(U("レイヤーの一覧を開きます（準備中）"));
    top->addWidget(layer);
    top->addStretch(1);

    connect(m_gridShown, &QCheckBox::clicked, this, [this](bool on) {
        m_frame->GetDocument()->m_grid.m_visible = on ? 1 : 0;
        RefreshGrid();
        m_frame->GetView()->Redraw();
        m_frame->UpdateSwitchActions();
    });
    connect(m_gridSnap, &QCheckBox::clicked, this, [this](bool on) {
        m_frame->GetDocument()->m_grid.m_kyutyaku = on ? 1 : 0;
        m_frame->GetView()->Redraw();
    });
    connect(m_pitchW, &QLineEdit::editingFinished, this, [this] { SetPitch(true, m_pitchW->text()); });
    connect(m_pitchD, &QLineEdit::editingFinished, this, [this] { SetPitch(false, m_pitchD->text()); });
    Refresh();
}

QToolButton* CToolPalette::AddButton(int id, const char* text)
{
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("c%1").arg(id));
    b->setText(U(text));
    if (QAction* a = m_frame->PaletteCommand(id)) {
        // The command's state and tip, with the palette's own short caption.
        if (a->icon().isNull())
            a->setIcon(ToolIcon(id));
        b->setIcon(a->icon());
        b->setCheckable(a->isCheckable());
        connect(b, &QToolButton::clicked, a, [a] { a->trigger(); });
        auto sync = [b, a] {
            b->setEnabled(a->isEnabled());
            b->setChecked(a->isChecked());
            b->setToolTip(a->toolTip());
            b->setStatusTip(a->statusTip());
        };
        connect(a, &QAction::changed, b, sync);
        sync();
    } else {
        b->setIcon(ToolIcon(id));
    }
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(22, 22));
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QToolButton* CToolPalette::Button(int id) const { return findChild<QToolButton*>(QStringLiteral("c%1").arg(id)); }

bool CToolPalette::SetPitch(bool horizontal, const QString& text)
{
    CGrid& grid = m_frame->GetDocument()->m_grid;
    int& field = horizontal ? grid.m_w : grid.m_d;
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    const bool stored = ok && v >= 1 && v <= 499;
    if (stored && v != field) {
        field = v;
        m_frame->GetView()->Redraw();
    }
    RefreshGrid(true);
    return stored;
}

void CToolPalette::RefreshGrid(bool force)
{
    const CGrid& grid = m_frame->GetDocument()->m_grid;
    m_gridShown->setChecked(grid.m_visible != 0);
    m_gridSnap->setChecked(grid.m_kyutyaku != 0);
    for (QWidget* w : std::initializer_list<QWidget*>{m_gridSnap, m_pitchW, m_pitchD})
        w->setEnabled(grid.m_visible != 0);
    if (force || !m_pitchW->hasFocus())
        m_pitchW->setText(QString::asprintf("%d", grid.m_w));
    if (force || !m_pitchD->hasFocus())
        m_pitchD->setText(QString::asprintf("%d", grid.m_d));
}

void CToolPalette::RefreshLayerButton()
{
    const int layer = m_frame->GetDocument()->m_plotInfo.m_layer.EditLayer();
    Button(1674)->setText(QString::fromUtf8("第%1層").arg(layer));
}

void CToolPalette::RefreshPropertyBar()
{
    const CPelmoraDoc& doc = *m_frame->GetDocument();
    CPlotInfo copy = doc.m_plotInfo;
    int slot = -1;
    const int layout = lineprop::PanelLayoutOfMode(doc.m_toolMode);
    if (layout >= 0) {
        slot = lineprop::SlotOfLayout(layout);
    } else if (doc.m_toolMode == 0 && doc.m_sel.Count() == 1 && doc.m_sel.lines.size() == 1) {
        const int i = doc.m_unit.IndexOfLine(doc.m_sel.lines[0]);
        if (i >= 0) {
            const CPelLine& line = *doc.m_unit.m_lines[static_cast<std::size_t>(i)];
            line.StyleToSlot(copy);
            slot = line.StyleSlot();
        }
    }
    QToolButton* b = Button(1016);
    if (slot < 0) {
        QImage blank(b->iconSize(), QImage::Format_ARGB32_Premultiplied);
        blank.fill(palette().color(QPalette::Base));
        b->setIcon(QIcon(QPixmap::fromImage(blank)));
    } else {
        const qreal ratio = devicePixelRatioF();
        b->setIcon(QIcon(QPixmap::fromImage(StyleSampleImage(copy, slot, b->iconSize(), ratio))));
    }
    b->setEnabled(slot >= 0);
}

void CToolPalette::Refresh()
{
    RefreshPropertyBar();
    RefreshLayerButton();
    RefreshGrid();
}

// The frame's side: the palette dock, the panels a tool opens, their place.

QAction* CMainFrame::PaletteCommand(int id)
{
    struct Spec {
        int id;
        const char* text;
        const char* tip;
    };
    static const Spec kUnbuilt[] = {{1393, "間取り読込", "間取り図を読み込んで配置します"},
                                    {1041, "部品", "部品集から部品を配置します"},
                                    {1088, "イラスト", "イラストを配置します"},
                                    {1087, "写真", "写真（画像ファイル）を配置します"},
                                    {1674, "層一覧", "レイヤーの一覧を開きます"}};
    for (const Spec& s : kUnbuilt)
        if (s.id == id)
            return ToolCommand(id, s.text, s.tip);
    if (id == 1016)
        return nullptr;
    return ToolCommand(id);
}

void CMainFrame::CreatePalette()
{
    m_paletteDock = new QDockWidget(QString::fromUtf8("ツールパレット"), this);
    m_paletteDock->setObjectName("paletteDock");
    m_paletteDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_palette = new CToolPalette(this);
    // A low window scrolls the palette rather than growing past the screen.
    auto* scroll = new QScrollArea(m_paletteDock);
    scroll->setWidget(m_palette);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(m_palette->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4);
    m_paletteDock->setWidget(scroll);
    addDockWidget(Qt::LeftDockWidgetArea, m_paletteDock);
    connect(m_view, &CPelmoraView::StatusChanged, this, [this] {
        // A gesture that ended its tool (right-click, Escape) ends the tool's panel too.
        if (m_shapePanel && m_doc->m_toolMode != m_panelMode)
            ClosePanels();
        m_palette->Refresh();
    });
    // 表示 → グリッド表示 and the palette's 表示 show the same switch.
    connect(m_gridAction, &QAction::triggered, m_palette, [this] { m_palette->RefreshGrid(); });
    // Every tool command: its panel replaces the previous one.
    for (const ToolModeInfo& m : AllToolModes())
        if (QAction* a = Command(m.command)) {
            const int mode = static_cast<int>(m.mode);
            connect(a, &QAction::triggered, this, [this, mode] { OpenToolPanels(mode); });
        }
    auto* placer = new CPanelPlacer(this);
    installEventFilter(placer);
    m_paletteDock->installEventFilter(placer);
}

void CMainFrame::ClosePanels()
{
    if (m_panelHolder) {
        m_panelHolder->hide();
        m_panelHolder->deleteLater();
    }
    m_panelHolder = nullptr;
    m_shapePanel = nullptr;
    m_panelMode = -1;
}

void CMainFrame::OpenToolPanels(int mode)
{
    ClosePanels();
    const int layout = lineprop::PanelLayoutOfMode(mode);
    if (layout >= 0 && m_doc->m_toolMode == mode) {
        auto* holder = new QFrame(this);
        holder->setObjectName("shapePanel");
        holder->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
        holder->setAutoFillBackground(true);
        auto* v = new QVBoxLayout(holder);
        v->setContentsMargins(2, 2, 2, 2);
        v->setSpacing(0);
        auto* title = new QLabel(QString::fromUtf8("作図図形の設定"), holder);
        title->setObjectName("panelTitle");
        title->setAlignment(Qt::AlignCenter);
        title->setStyleSheet("QLabel { background: palette(highlight); color: palette(highlighted-text); padding: 2px; }");
        v->addWidget(title);
        m_shapePanel = new CLinePropSetDg(&m_doc->m_plotInfo, CLinePropSetDg::Panel, holder);
        m_shapePanel->setWindowFlags(Qt::Widget);
        m_shapePanel->SetLayout(layout);
        connect(m_shapePanel, &CLinePropSetDg::StyleChanged, this, [this] { m_palette->RefreshPropertyBar(); });
        v->addWidget(m_shapePanel);
        holder->adjustSize();
        m_panelHolder = holder;
        m_panelMode = mode;
        PlacePanels();
        holder->show();
        holder->raise();
    }
    m_palette->Refresh();
}

void CMainFrame::PlacePanels()
{
    if (!m_panelHolder || !m_paletteDock)
        return;
    // The panel's top at the palette's top, its right edge 50 pixels inside the frame's.
    const QPoint paletteTop = mapFromGlobal(m_paletteDock->mapToGlobal(QPoint(0, 0)));
    const QSize size = m_panelHolder->sizeHint().expandedTo(m_panelHolder->minimumSizeHint());
    const int x = std::max(0, width() - 50 - size.width());
    const int y = std::clamp(paletteTop.y(), 0, std::max(0, height() - size.height()));
    m_panelHolder->setGeometry(x, y, size.width(), size.height());
}

void CMainFrame::SelectionProperties()
{
    if (QAction* a = Command(32812); a && a->isEnabled()) {
        a->trigger();
        return;
    }
    CPelmoraDoc& doc = *m_doc;
    if (IsMode(doc.m_toolMode, ToolMode::Text) || doc.m_sel.Count() != 1 || doc.m_sel.lines.size() != 1)
        return;
    const int i = doc.m_unit.IndexOfLine(doc.m_sel.lines[0]);
    if (i < 0)
        return;
    const CPelLine& line = *doc.m_unit.m_lines[static_cast<std::size_t>(i)];
    CPlotInfo copy = doc.m_plotInfo;
    line.StyleToSlot(copy);
    CLinePropSetDg dlg(&copy, CLinePropSetDg::Modal, this);
    dlg.SetLayout(line.m_type);
    if (dlg.exec() != QDialog::Accepted)
        return;
    doc.Snapshot();
    PelEdit(doc.m_unit.m_lines, static_cast<std::size_t>(i)).SlotToStyle(copy);
    doc.SetModifiedFlag();
    doc.Touch();
    m_view->Redraw();
    UpdateCommandStates();
    m_palette->Refresh();
}
