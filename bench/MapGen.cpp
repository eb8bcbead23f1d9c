#include "MapGen.h"
#include "Rng.h"

#include "document/PelmoraDoc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

void AddAccessMap(CPelmoraDoc& doc, int objects, unsigned seed)
{
    constexpr int kScale = 10;
    constexpr double kHalfW = 800, kHalfH = 600; // drawing units: 0.1 mm on the sheet
    auto map = std::make_unique<CZel>();
    map->m_id = doc.m_arZel.NextId();
    map->Reset(0);
    map->m_type = CZel::TypeMap;
    map->m_plot.m_scale = kScale;
    map->m_plot.m_layer.SetKeyedScales(kScale);
    map->m_orgScale = kScale;
    map->m_orgX = 50;
    map->m_orgY = 20;
    map->m_haba = 80;
    Rng r(seed, 7);
    const int colours[3] = {16777215, 0, 16043680}; // white roads, black tracks, light blue rivers
    for (int i = 0; i < objects; ++i) {
        auto o = std::make_unique<CLineObj>();
        o->m_id = map->m_unit.NextId(CPelUnit::KindObject);
        o->m_type = i % 3;
        o->m_drawType = i % 25 == 0 ? CLineObj::Curve : i % 40 == 1 && o->m_type != 1 ? CLineObj::Area : CLineObj::Lines;
        double x = r.Real(-kHalfW, kHalfW), y = r.Real(-kHalfH, kHalfH), heading = r.Real(0, 2 * M_PI);
        if (o->m_drawType == CLineObj::Curve) {
            double rad = r.Real(60, 250);
            o->m_points = {{x, y}, {x + rad, y}, {x, y - rad}, {x - rad, y}};
            o->m_params = {rad};
        } else {
            o->m_points.push_back({x, y});
            for (int k = r.Int(1, o->m_drawType == CLineObj::Area ? 4 : 6); k > 0; --k) {
                heading += r.Real(-0.6, 0.6);
                double step = r.Real(60, 220);
                x = std::clamp(x + step * std::cos(heading), -kHalfW, kHalfW);
                y = std::clamp(y + step * std::sin(heading), -kHalfH, kHalfH);
                o->m_points.push_back({x, y});
            }
        }
        o->m_wide = r.Int(0, 3);
        o->m_flag1 = r.Int(0, o->m_type == CLineObj::Railway ? 2 : 3);
        o->m_flag2 = r.Int(0, 3);
        o->m_raised = r.Int(0, 9) == 0 ? 1 : 0;
        o->m_color = colours[o->m_type];
        o->m_edge = 1;
        o->m_edgeColor = o->m_type == CLineObj::River ? 13132800 : 9211020;
        o->m_layer2 = 1;
        map->m_unit.m_objects.push_back(std::move(o));
    }
    doc.m_arZel.m_plans.push_back(std::move(map));
}
