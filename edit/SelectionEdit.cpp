#include "edit/SelectionEdit.h"

#include <cmath>
#include <functional>

namespace {
using Mapper = std::function<PelPoint(PelPoint)>;

void MapPoints(std::vector<PelPoint>& pts, const Mapper& f)
{
    for (PelPoint& p : pts)
        p = f(p);
}

void MapLine(CPelLine& l, const Mapper& f) { MapPoints(l.m_points, f); }
void MapWall(CPelWall& w, const Mapper& f)
{
    w.m_a = f(w.m_a);
    w.m_b = f(w.m_b);
    for (PelPoint& c : w.m_corners)
        c = f(c);
    MapPoints(w.m_edgeA, f);
    MapPoints(w.m_edgeB, f);
}
void MapText(CPelText& t, const Mapper& f) { t.m_point = f(t.m_point); }
void MapObject(CLineObj& o, const Mapper& f) { MapPoints(o.m_points, f); }

// Puts the record with id back to its state in from (when from is another unit) and
// returns it, made the unit's own, for a change; nullptr when it is gone.
template <class T>
T* Restore(PelList<T>& list, const PelList<T>& from, bool restore, int id)
{
    const int i = PelIndexOf(list, id);
    if (i < 0)
        return nullptr;
    if (restore) {
        const int j = PelIndexOf(from, id);
        if (j < 0)
            return nullptr;
        list[static_cast<std::size_t>(i)] = from[static_cast<std::size_t>(j)];
    }
    return &PelEdit(list, static_cast<std::size_t>(i));
}

// Applies f to every member of a group and to nothing else; the box is the caller's.
// line, when given, changes the lines instead of f alone.
void MapMembers(CPelUnit& unit, const CPelUnit& from, bool restore, const CPelGroup& g, const Mapper& f,
                const std::function<void(CPelLine&)>& line = nullptr)
{
    for (int id : g.m_lineIds)
        if (auto* l = Restore(unit.m_lines, from.m_lines, restore, id))
            line ? line(*l) : MapLine(*l, f);
    for (int id : g.m_wallIds)
        if (auto* w = Restore(unit.m_walls, from.m_walls, restore, id))
            MapWall(*w, f);
    for (int id : g.m_textIds)
        if (auto* t = Restore(unit.m_texts, from.m_texts, restore, id))
            MapText(*t, f);
}

// What one change does to each kind of selected record.
struct SelectionChange {
    Mapper point;                              // every point of lines, walls, texts, map objects
    std::function<void(CPelLine&)> line;       // lines, when more than their points change
    std::function<void(CPelImage&)> picture;
    std::function<void(CPelGroup&)> groupBox; // the box (and angle) of a group; its members take point/line
};

// Applies change to every selected record, each first put back to its state in from.
void ChangeSelection(CPelUnit& unit, const CPelUnit& from, const CSelection& sel, const SelectionChange& c)
{
    const bool restore = &unit != &from;
    for (int id : sel.lines)
        if (auto* l = Restore(unit.m_lines, from.m_lines, restore, id))
            c.line ? c.line(*l) : MapLine(*l, c.point);
    for (int id : sel.walls)
        if (auto* w = Restore(unit.m_walls, from.m_walls, restore, id))
            MapWall(*w, c.point);
    for (int id : sel.texts)
        if (auto* t = Restore(unit.m_texts, from.m_texts, restore, id))
            MapText(*t, c.point);
    for (int id : sel.objects)
        if (auto* o = Restore(unit.m_objects, from.m_objects, restore, id))
            MapObject(*o, c.point);
    for (int id : sel.pictures)
        if (auto* pic = Restore(unit.m_pictures, from.m_pictures, restore, id))
            c.picture(*pic);
    for (int id : sel.groups)
        if (auto* g = Restore(unit.m_groups, from.m_groups, restore, id)) {
            c.groupBox(*g);
            MapMembers(unit, from, restore, *g, c.point, c.line);
        }
}

template <class T>
void EraseId(PelList<T>& list, int id)
{
    const int i = PelIndexOf(list, id);
    if (i >= 0)
        list.erase(list.begin() + i);
}

template <class T>
int CopyRecord(CPelUnit& unit, PelList<T>& list, CPelUnit::Kind kind, int id, const Mapper& f,
               void (*map)(T&, const Mapper&), int groupId = -1)
{
    const int i = PelIndexOf(list, id);
    if (i < 0)
        return 0;
    const int newId = unit.NextId(kind);
    if (newId == 0)
        return -1;
    auto copy = std::make_shared<T>(*list[static_cast<std::size_t>(i)]);
    copy->m_id = newId;
    if constexpr (requires { copy->m_groupId; })
        if (groupId >= 0)
            copy->m_groupId = groupId;
    map(*copy, f);
    list.push_back(std::move(copy));
    return newId;
}
} // namespace

void MoveSelection(CPelUnit& unit, const CPelUnit& from, const CSelection& sel, double dx, double dy,
                   const DragRule& rule)
{
    SelectionChange c;
    c.point = [=](PelPoint p) { return PelPoint{p.x + dx, p.y + dy}; };
    c.picture = [&](CPelImage& pic) {
        pic.m_offsetX += dx * rule.pictureFactor;
        pic.m_offsetY += dy * rule.pictureFactor;
    };
    c.groupBox = [&](CPelGroup& g) {
        g.m_min = c.point(g.m_min);
        g.m_max = c.point(g.m_max);
    };
    ChangeSelection(unit, from, sel, c);
}

void MovePlans(CArZel& plans, const CArZel& from, const std::vector<int>& ids, double dx, double dy)
{
    const bool restore = &plans != &from;
    for (int id : ids)
        if (auto* z = Restore(plans.m_plans, from.m_plans, restore, id)) {
            z->m_orgX += dx;
            z->m_orgY += dy;
        }
}

namespace {
// The one selected group as it was at the press; nullptr when there is none or its
// box has no width or height (it can then be neither scaled nor turned).
const CPelGroup* PressGroup(const CPelUnit& press, const CSelection& sel)
{
    if (sel.groups.empty())
        return nullptr;
    const int j = press.IndexOfGroup(sel.groups.front());
    if (j < 0)
        return nullptr;
    const CPelGroup* g = press.m_groups[static_cast<std::size_t>(j)].get();
    return g->m_max.x - g->m_min.x == 0 || g->m_max.y - g->m_min.y == 0 ? nullptr : g;
}
} // namespace

void DragHandle(CPelUnit& unit, const CPelUnit& press, const CSelection& sel, double dx, double dy,
                const DragRule& rule)
{
    switch (sel.handle) {
    case 1: { // group corner: scale
        const CPelGroup* pressed = PressGroup(press, sel);
        if (!pressed)
            return;
        const CPelGroup& before = *pressed;
        const double l = before.m_min.x, t = before.m_min.y, r = before.m_max.x, b = before.m_max.y;
        const double w = r - l, h = b - t;
        const int c = sel.handleIndex;
        const bool left = c == 1 || c == 2, top = c == 1 || c == 4;
        const double nw = left ? w - dx : w + dx, nh = top ? h - dy : h + dy;
        if (nw <= 0 || nh <= 0)
            return;
        double sx = nw / w, sy = nh / h;
        if (rule.stretchEven)
            sx = sy = std::max(sx, sy);
        const double nl = left ? r - w * sx : l, nt = top ? b - h * sy : t;
        const Mapper f = [=](PelPoint p) { return PelPoint{nl + (p.x - l) * sx, nt + (p.y - t) * sy}; };
        CPelGroup* g = Restore(unit.m_groups, press.m_groups, true, before.m_id);
        if (!g)
            return;
        g->m_min = f(before.m_min);
        g->m_max = f(before.m_max);
        MapMembers(unit, press, true, *g, f);
        for (int id : g->m_lineIds)
            if (int k = unit.IndexOfLine(id); k >= 0) {
                CPelLine& ln = PelEdit(unit.m_lines, static_cast<std::size_t>(k));
                if ((ln.m_type == CPelLine::Circle || ln.m_type == CPelLine::Arc) && !ln.m_params.empty()) {
                    const double ratio = ln.m_params.size() > 1 ? ln.m_params[1] : 1.0;
                    ln.m_params[0] *= sx;
                    if (sx != sy) {
                        ln.m_params.resize(std::max<std::size_t>(ln.m_params.size(), 2));
                        ln.m_params[1] = ratio * sy / sx;
                    }
                }
            }
        return;
    }
    case 9: { // group rotation
        const CPelGroup* pressed = PressGroup(press, sel);
        if (!pressed)
            return;
        const CPelGroup& before = *pressed;
        const double w = before.m_max.x - before.m_min.x;
        const PelPoint c{(before.m_min.x + before.m_max.x) / 2, (before.m_min.y + before.m_max.y) / 2};
        const double a0 = before.m_angle * M_PI / 180.0;
        const PelPoint handle{c.x + std::cos(a0) * w / 2 + dx, c.y - std::sin(a0) * w / 2 + dy};
        int deg = static_cast<int>(std::atan2(-(handle.y - c.y), handle.x - c.x) * 180.0 / M_PI);
        deg = ((deg % 360) + 360) % 360;
        const double d = (deg - before.m_angle) * M_PI / 180.0, cs = std::cos(d), sn = std::sin(d);
        const Mapper f = [=](PelPoint p) {
            const double x = p.x - c.x, y = p.y - c.y;
            return PelPoint{c.x + x * cs + y * sn, c.y - x * sn + y * cs};
        };
        CPelGroup* g = Restore(unit.m_groups, press.m_groups, true, before.m_id);
        if (!g)
            return;
        g->m_angle = deg;
        MapMembers(unit, press, true, *g, f);
        return;
    }
    case 4: { // line vertex
        if (sel.lines.empty())
            return;
        CPelLine* l = Restore(unit.m_lines, press.m_lines, true, sel.lines.front());
        if (!l || sel.handleIndex < 0 || static_cast<std::size_t>(sel.handleIndex) >= l->m_points.size())
            return;
        l->m_points[static_cast<std::size_t>(sel.handleIndex)].x += dx;
        l->m_points[static_cast<std::size_t>(sel.handleIndex)].y += dy;
        return;
    }
    case 5: { // map-object vertex
        if (sel.objects.empty())
            return;
        const int j = press.IndexOfObject(sel.objects.front());
        if (j < 0)
            return;
        const CLineObj& before = *press.m_objects[static_cast<std::size_t>(j)];
        const std::size_t v = static_cast<std::size_t>(sel.handleIndex);
        if (v >= before.m_points.size())
            return;
        const PelPoint moved{before.m_points[v].x + dx, before.m_points[v].y + dy};
        for (std::size_t i = 0; i < before.m_points.size(); ++i)
            if (i != v && before.m_points[i] == moved)
                return;
        if (CLineObj* o = Restore(unit.m_objects, press.m_objects, true, before.m_id))
            o->m_points[v] = moved;
        return;
    }
    case 7: { // text rotation: turned by the angle the pointer swept about the text's position
        if (sel.texts.empty())
            return;
        CPelText* t = Restore(unit.m_texts, press.m_texts, true, sel.texts.front());
        if (!t)
            return;
        const PelPoint c = t->m_point, from = rule.press, to{rule.press.x + dx, rule.press.y + dy};
        if (from == c || to == c)
            return;
        const double swept = std::atan2(-(to.y - c.y), to.x - c.x) - std::atan2(-(from.y - c.y), from.x - c.x);
        const int tenths = static_cast<int>(std::lround(swept * 1800.0 / M_PI));
        const long long turned = (static_cast<long long>(t->m_font.m_lfEscapement) + tenths) % 3600;
        t->m_font.m_lfEscapement = static_cast<int32_t>((turned + 3600) % 3600);
        return;
    }
    case 2: { // picture corner: the picture stays centred
        if (sel.pictures.empty())
            return;
        CPelImage* pic = Restore(unit.m_pictures, press.m_pictures, true, sel.pictures.front());
        if (!pic)
            return;
        const double ddx = 2 * dx * rule.pictureFactor, ddy = 2 * dy * rule.pictureFactor;
        const int c = sel.handleIndex;
        pic->m_width = std::abs(pic->m_width + (c == 1 || c == 2 ? -ddx : ddx));
        pic->m_height = std::abs(pic->m_height + (c == 1 || c == 4 ? -ddy : ddy));
        return;
    }
    default:
        return;
    }
}

int DeleteSelection(CPelUnit& unit, const CSelection& sel)
{
    int n = 0;
    for (int id : sel.groups) {
        const int i = unit.IndexOfGroup(id);
        if (i < 0)
            continue;
        const auto group = unit.m_groups[static_cast<std::size_t>(i)];
        for (int m : group->m_lineIds)
            EraseId(unit.m_lines, m);
        for (int m : group->m_wallIds)
            EraseId(unit.m_walls, m);
        for (int m : group->m_textIds)
            EraseId(unit.m_texts, m);
        EraseId(unit.m_groups, id);
        ++n;
    }
    auto erase = [&](auto& list, const std::vector<int>& ids) {
        for (int id : ids)
            if (PelIndexOf(list, id) >= 0) {
                EraseId(list, id);
                ++n;
            }
    };
    erase(unit.m_lines, sel.lines);
    erase(unit.m_walls, sel.walls);
    erase(unit.m_texts, sel.texts);
    erase(unit.m_pictures, sel.pictures);
    erase(unit.m_objects, sel.objects);
    return n;
}

CSelection CopySelection(CPelUnit& unit, const CSelection& sel, double dx, double dy, double pictureFactor)
{
    CSelection copies;
    const Mapper by = [=](PelPoint p) { return PelPoint{p.x + dx, p.y + dy}; };
    auto add = [](std::vector<int>& ids, int id) {
        if (id > 0)
            ids.push_back(id);
        return id >= 0;
    };
    for (int id : sel.lines)
        if (!add(copies.lines, CopyRecord(unit, unit.m_lines, CPelUnit::KindLine, id, by, MapLine)))
            return copies;
    for (int id : sel.walls)
        if (!add(copies.walls, CopyRecord(unit, unit.m_walls, CPelUnit::KindWall, id, by, MapWall)))
            return copies;
    for (int id : sel.texts)
        if (!add(copies.texts, CopyRecord(unit, unit.m_texts, CPelUnit::KindText, id, by, MapText)))
            return copies;
    for (int id : sel.objects)
        if (!add(copies.objects, CopyRecord(unit, unit.m_objects, CPelUnit::KindObject, id, by, MapObject)))
            return copies;
    const Mapper none = [](PelPoint p) { return p; };
    auto shiftPicture = [](CPelImage&, const Mapper&) {};
    for (int id : sel.pictures) {
        const int newId = CopyRecord(unit, unit.m_pictures, CPelUnit::KindPicture, id, none, +shiftPicture);
        if (!add(copies.pictures, newId))
            return copies;
        if (newId > 0) {
            // The copy shares the picture's working file and bitmap; only its place moves.
            CPelImage& pic = *unit.m_pictures.back();
            pic.m_offsetX += dx * pictureFactor;
            pic.m_offsetY += dy * pictureFactor;
        }
    }
    for (int id : sel.groups) {
        const int gi = unit.IndexOfGroup(id);
        if (gi < 0)
            continue;
        const int newGroup = unit.NextId(CPelUnit::KindGroup);
        if (newGroup == 0)
            return copies;
        auto g = std::make_shared<CPelGroup>(*unit.m_groups[static_cast<std::size_t>(gi)]);
        g->m_id = newGroup;
        g->m_min = by(g->m_min);
        g->m_max = by(g->m_max);
        auto members = [&](std::vector<int>& ids, auto& list, CPelUnit::Kind kind, auto map) {
            std::vector<int> fresh;
            for (int m : ids) {
                int c = CopyRecord(unit, list, kind, m, by, map, newGroup);
                if (c > 0)
                    fresh.push_back(c);
            }
            ids = fresh;
        };
        members(g->m_lineIds, unit.m_lines, CPelUnit::KindLine, MapLine);
        members(g->m_wallIds, unit.m_walls, CPelUnit::KindWall, MapWall);
        members(g->m_textIds, unit.m_texts, CPelUnit::KindText, MapText);
        unit.m_groups.push_back(std::move(g));
        copies.groups.push_back(newGroup);
    }
    return copies;
}

void MirrorSelection(CPelUnit& unit, const CSelection& sel, double axis, double pictureFactor)
{
    SelectionChange c;
    c.point = [=](PelPoint p) { return PelPoint{2 * axis - p.x, p.y}; };
    c.line = [&](CPelLine& l) {
        MapLine(l, c.point);
        // An arc keeps its side: its ends change places.
        if (l.m_type == CPelLine::Arc && l.m_points.size() >= 3)
            std::swap(l.m_points[1], l.m_points[2]);
    };
    c.picture = [&](CPelImage& pic) { pic.m_offsetX = 2 * axis * pictureFactor - pic.m_offsetX; };
    c.groupBox = [&](CPelGroup& g) {
        const double l = g.m_min.x, r = g.m_max.x;
        g.m_min.x = 2 * axis - r;
        g.m_max.x = 2 * axis - l;
        g.m_angle = -g.m_angle;
        if (g.m_angle < 0)
            g.m_angle += 360;
    };
    ChangeSelection(unit, unit, sel, c);
}

void MapGroup(CPelUnit& unit, int id, const std::function<PelPoint(PelPoint)>& f,
              const std::function<void(CPelLine&)>& lineFix, const std::function<void(CPelText&)>& textFix)
{
    const int gi = unit.IndexOfGroup(id);
    if (gi < 0)
        return;
    const CPelGroup& g = *unit.m_groups[static_cast<std::size_t>(gi)];
    for (int m : g.m_lineIds)
        if (auto* l = Restore(unit.m_lines, unit.m_lines, false, m)) {
            MapLine(*l, f);
            if (lineFix)
                lineFix(*l);
        }
    for (int m : g.m_wallIds)
        if (auto* w = Restore(unit.m_walls, unit.m_walls, false, m))
            MapWall(*w, f);
    for (int m : g.m_textIds)
        if (auto* t = Restore(unit.m_texts, unit.m_texts, false, m)) {
            MapText(*t, f);
            if (textFix)
                textFix(*t);
        }
}
