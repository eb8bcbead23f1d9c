#include "app/InfoJsonUnit.h"

#include "app/InfoJsonTexts.h"

#include "document/PelmoraDoc.h"

#include <QJsonArray>

namespace {
QJsonArray Pt(const PelPoint& p) { return QJsonArray{p.x, p.y}; }

QJsonArray Points(const std::vector<PelPoint>& points)
{
    QJsonArray a;
    for (const PelPoint& p : points)
        a.append(Pt(p));
    return a;
}

QJsonArray Reals(const std::vector<double>& values)
{
    QJsonArray a;
    for (double v : values)
        a.append(v);
    return a;
}

QJsonArray Ints(const std::vector<int>& values)
{
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

QJsonObject LineJson(const CPelLine& l)
{
    QJsonObject o;
    o["id"] = l.m_id;
    o["type"] = l.m_type;
    o["layer"] = QJsonArray{l.m_layer1, l.m_layer2};
    o["points"] = Points(l.m_points);
    o["params"] = Reals(l.m_params);
    o["complete"] = l.IsComplete();
    o["color"] = l.m_color;
    o["line_type"] = l.m_lineType;
    o["width"] = l.m_width;
    QJsonObject fill;
    fill["on"] = l.m_fill;
    fill["color"] = l.m_fillColor;
    fill["color2"] = l.m_fillColor2;
    fill["gradient"] = l.m_gradation;
    fill["alpha"] = l.m_alpha;
    fill["pattern"] = l.m_pattern;
    fill["hatch"] = QJsonObject{{"on", l.m_hatch}, {"type", l.m_hatchType}};
    o["fill"] = fill;
    o["group"] = l.m_groupId;
    return o;
}

QJsonObject WallJson(const CPelWall& w)
{
    QJsonObject o;
    o["id"] = w.m_id;
    o["a"] = Pt(w.m_a);
    o["b"] = Pt(w.m_b);
    QJsonArray corners;
    for (const PelPoint& p : w.m_corners)
        corners.append(Pt(p));
    o["corners"] = corners;
    o["edges"] = static_cast<int>(w.EdgeCount());
    o["layer"] = QJsonArray{w.m_layer1, w.m_layer2};
    o["kind"] = w.m_kind;
    o["group"] = w.m_groupId;
    return o;
}

QJsonObject GroupJson(const CPelGroup& g)
{
    QJsonObject o;
    o["id"] = g.m_id;
    o["lines"] = Ints(g.m_lineIds);
    o["walls"] = Ints(g.m_wallIds);
    o["texts"] = Ints(g.m_textIds);
    o["box"] = QJsonArray{g.m_min.x, g.m_min.y, g.m_max.x, g.m_max.y};
    o["angle"] = g.m_angle;
    o["room"] = g.m_room;
    o["layer"] = QJsonArray{g.m_layer1, g.m_layer2};
    return o;
}

QJsonObject ObjectJson(const CLineObj& ob)
{
    QJsonObject o;
    o["id"] = ob.m_id;
    o["type"] = ob.m_type;
    o["draw_type"] = ob.m_drawType;
    o["points"] = Points(ob.m_points);
    o["params"] = Reals(ob.m_params);
    o["complete"] = ob.IsComplete();
    o["width"] = ob.m_wide;
    o["color"] = ob.m_color;
    o["edge"] = ob.m_edge;
    o["edge_color"] = ob.m_edgeColor;
    o["layer"] = QJsonArray{ob.m_layer1, ob.m_layer2};
    return o;
}

template <class T, class F>
QJsonArray All(const PelList<T>& list, F toJson)
{
    QJsonArray a;
    for (const auto& r : list)
        a.append(toJson(*r));
    return a;
}
} // namespace

void AddUnitInfo(QJsonObject& o, const CPelUnit& unit)
{
    static const char* const names[CPelUnit::KindCount] = {"group", "line", "wall", "text", "picture", "object"};
    QJsonObject counters;
    for (int k = 0; k < CPelUnit::KindCount; ++k)
        counters[names[k]] = unit.m_counter[k];
    o["counters"] = counters;
    o["lines"] = All(unit.m_lines, LineJson);
    o["walls"] = All(unit.m_walls, WallJson);
    o["groups"] = All(unit.m_groups, GroupJson);
    o["objects"] = All(unit.m_objects, ObjectJson);
    o["texts"] = InfoTexts(unit);
    o["pictures"] = InfoPictures(unit);
}

void AddPlanInfo(QJsonObject& o, const CPelmoraDoc& doc)
{
    QJsonArray plans;
    for (const auto& p : doc.m_arZel.m_plans) {
        QJsonObject j;
        j["id"] = p->m_id;
        j["type"] = p->m_type;
        j["origin"] = QJsonArray{p->m_orgX, p->m_orgY};
        j["half"] = p->m_haba;
        j["scale_at_placement"] = p->m_orgScale;
        j["scale"] = p->m_plot.m_scale;
        j["version"] = p->m_plot.m_version;
        j["monochrome"] = p->m_plot.m_sirokuro;
        j["layer"] = QJsonArray{p->m_layerG, p->m_layerN};
        QJsonObject counts;
        counts["group"] = static_cast<int>(p->m_unit.m_groups.size());
        counts["line"] = static_cast<int>(p->m_unit.m_lines.size());
        counts["wall"] = static_cast<int>(p->m_unit.m_walls.size());
        counts["object"] = static_cast<int>(p->m_unit.m_objects.size());
        j["counts"] = counts;
        QJsonObject unit;
        AddUnitInfo(unit, p->m_unit);
        j["unit"] = unit;
        plans.append(j);
    }
    o["plans"] = plans;
    o["plan_counter"] = doc.m_arZel.m_counter;
}
