#include "app/ShapeCommands.h"

#include "app/MainFrame.h"
#include "app/PelmoraView.h"
#include "document/PelmoraDoc.h"
#include "edit/ColourEdit.h"
#include "edit/CopyCommand.h"
#include "edit/DocEdit.h"
#include "edit/GroupTransform.h"
#include "edit/Grouping.h"
#include "edit/StackOrder.h"
#include "platform/Profile.h"

#include <QAction>
#include <QColorDialog>
#include <QMenu>

#include <functional>
#include <vector>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

enum class Rule { Some, OneGroup, OneLineOrGroup, Groups, NoMapObjects };

bool Enabled(const CSelection& s, Rule r)
{
    switch (r) {
    case Rule::Some: return !s.Empty();
    case Rule::OneGroup: return s.Count() == 1 && s.groups.size() == 1;
    case Rule::OneLineOrGroup: return s.Count() == 1 && (s.lines.size() == 1 || s.groups.size() == 1);
    case Rule::Groups: return !s.groups.empty();
    case Rule::NoMapObjects: return !s.Empty() && s.objects.empty();
    }
    return false;
}

struct ShapeCommand {
    int id;
    const char* text;
    const char* tip;
    Rule rule;
    std::function<bool(CPelmoraDoc&, CPelmoraView&)> run;
};

bool OnFirstGroup(CPelmoraDoc& doc, const std::function<bool(CPelUnit&, int)>& f)
{
    if (doc.m_sel.groups.empty())
        return false;
    const int id = doc.m_sel.groups.front();
    return RunEdit(doc, [&] { return f(doc.m_unit, id); });
}

// The colour chooser with the sixteen custom colours kept in the settings; false on Cancel.
bool ChooseColour(QWidget* parent, int start, int& chosen)
{
    const char section[] = "QLA_T_PlotMenu";
    auto toQ = [](int c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); };
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, toQ(AppProfile().GetInt(section, "ln_orgcolor_" + std::to_string(i), 16777215)));
    const QColor c = QColorDialog::getColor(toQ(start), parent, QString());
    for (int i = 0; i < 16; ++i) {
        const QColor k = QColorDialog::customColor(i);
        AppProfile().WriteInt(section, "ln_orgcolor_" + std::to_string(i), k.red() + 256 * k.green() + 65536 * k.blue());
    }
    if (!c.isValid())
        return false;
    chosen = c.red() + 256 * c.green() + 65536 * c.blue();
    return true;
}

bool Recolour(CPelmoraDoc& d, CPelmoraView& v, ColourTarget target)
{
    int colour = 0;
    if (d.m_sel.Empty() || !ChooseColour(&v, StartColour(d.m_unit, d.m_sel, target), colour))
        return false;
    const bool whiteToo = AppProfile().GetInt("QLA_T_UTILITY", "app_sironuri", 0) != 0;
    const CSelection sel = d.m_sel;
    return RunEdit(d, [&] { return ChangeColour(d.m_unit, sel, target, colour, whiteToo) > 0; });
}

std::vector<ShapeCommand> Commands()
{
    return {
        {57634, "コピー(&C)", "選択した図形を少しずらして複写します", Rule::Some,
         [](CPelmoraDoc& d, CPelmoraView& v) { return CopyCommand(d, v.ScreenContext().t); }},
        {0, nullptr, nullptr, Rule::Some, {}},
        {32778, "グループ化する(&G)", "選択した図形をひとつのグループにします", Rule::Some,
         [](CPelmoraDoc& d, CPelmoraView&) {
             CSelection sel = d.m_sel;
             if (!RunEdit(d, [&] { return GroupSelection(d.m_unit, d.m_plotInfo, sel) != 0; }))
                 return false;
             d.m_sel = sel;
             return true;
         }},
        {32779, "グループ化解除(&O)", "選択したグループを解除します", Rule::Groups,
         [](CPelmoraDoc& d, CPelmoraView&) {
             CSelection sel = d.m_sel;
             const bool done = RunEdit(d, [&] { return UngroupSelection(d.m_unit, sel) > 0; });
             d.m_sel.Clear();
             return done;
         }},
        {0, nullptr, nullptr, Rule::Some, {}},
        {32783, "グループの左右反転(&R)", "選択したグループを左右に反転します", Rule::OneGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             return OnFirstGroup(d, [](CPelUnit& u, int id) { return MirrorGroup(u, id, true); });
         }},
        {32784, "グループの上下反転(&J)", "選択したグループを上下に反転します", Rule::OneGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             return OnFirstGroup(d, [](CPelUnit& u, int id) { return MirrorGroup(u, id, false); });
         }},
        {32792, "左に90度回転(&L)", "選択したグループを左に90度回転します", Rule::OneGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             return OnFirstGroup(d, [](CPelUnit& u, int id) { return RotateGroup90(u, id, 90); });
         }},
        {32793, "右に90度回転(&R)", "選択したグループを右に90度回転します", Rule::OneGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             return OnFirstGroup(d, [](CPelUnit& u, int id) { return RotateGroup90(u, id, 270); });
         }},
        {0, nullptr, nullptr, Rule::Some, {}},
        {32794, "レイヤー内最上層へ移動(&O)", "選択した図形をレイヤーの一番上に表示します", Rule::OneLineOrGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             const CSelection sel = d.m_sel;
             return RunEdit(d, [&] { return RestackSelection(d.m_unit, sel, true); });
         }},
        {32795, "レイヤー内最下層へ移動(&B)", "選択した図形をレイヤーの一番下に表示します", Rule::OneLineOrGroup,
         [](CPelmoraDoc& d, CPelmoraView&) {
             const CSelection sel = d.m_sel;
             return RunEdit(d, [&] { return RestackSelection(d.m_unit, sel, false); });
         }},
        {0, nullptr, nullptr, Rule::Some, {}},
        {32865, "線、文字部分の色変更(&C)...", "選択した線と文字の色を変えます", Rule::NoMapObjects,
         [](CPelmoraDoc& d, CPelmoraView& v) { return Recolour(d, v, ColourTarget::Outline); }},
        {32866, "塗りつぶし部分の色変更(&N)...", "選択した図形の塗りつぶしの色を変えます", Rule::NoMapObjects,
         [](CPelmoraDoc& d, CPelmoraView& v) { return Recolour(d, v, ColourTarget::Fill); }},
        {32933, "塗りつぶしなしに色を付ける(&A)...", "塗りつぶしのない図形を塗りつぶします", Rule::Some,
         [](CPelmoraDoc& d, CPelmoraView& v) { return Recolour(d, v, ColourTarget::Unfilled); }},
        {32923, "塗りつぶしなしにする(&D)", "選択した図形の塗りつぶしをなくします", Rule::Some,
         [](CPelmoraDoc& d, CPelmoraView&) {
             const CSelection sel = d.m_sel;
             return RunEdit(d, [&] { return RemoveFill(d.m_unit, sel) > 0; });
         }},
    };
}
} // namespace

void CreateShapeMenu(CMainFrame& frame, QMenu* menu)
{
    auto actions = std::make_shared<std::vector<std::pair<QAction*, Rule>>>();
    for (const ShapeCommand& c : Commands()) {
        if (c.id == 0) {
            menu->addSeparator();
            continue;
        }
        auto run = c.run;
        QAction* a = menu->addAction(U(c.text), &frame, [&frame, run] {
            CPelmoraDoc& doc = *frame.GetDocument();
            CPelmoraView& view = *frame.GetView();
            if (run(doc, view))
                view.Redraw();
            frame.UpdateCommandStates();
        });
        a->setObjectName(QStringLiteral("cmd%1").arg(c.id));
        a->setToolTip(U(c.tip));
        a->setStatusTip(U(c.tip));
        if (c.id == 57634)
            a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
        actions->push_back({a, c.rule});
    }
    auto update = [&frame, actions] {
        const CSelection& sel = frame.GetDocument()->m_sel;
        for (auto& [a, rule] : *actions)
            a->setEnabled(Enabled(sel, rule));
    };
    QObject::connect(menu, &QMenu::aboutToShow, &frame, update);
    QObject::connect(frame.GetView(), &CPelmoraView::StatusChanged, &frame, update);
    update();
}
