#include "FlyerGen.h"

#include "document/PelmoraDoc.h"

#include <cmath>
#include <cstdint>
#include <memory>

namespace {
// A small generator of our own so that every platform makes the same flyer.
class Rng {
public:
    explicit Rng(unsigned seed) : m_state(seed * 2654435761u + 1) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>(m_state >> 11);
    }
    double Real(double lo, double hi) { return lo + (hi - lo) * (Next() % 1000000) / 1000000.0; }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1)); }

private:
    std::uint64_t m_state;
};

int Colour(Rng& r) { return r.Int(0, 255) + 256 * r.Int(0, 255) + 65536 * r.Int(0, 255); }
} // namespace

void BuildFlyer(CPelmoraDoc& doc, int shapes, unsigned seed)
{
    doc.OnNewDocument();
    doc.m_plotInfo.m_paperSize = 0; // A4 landscape: 297 x 210, origin at its centre
    doc.m_plotInfo.m_gradation = 1;
    Rng r(seed);
    const int kinds[] = {CPelLine::Straight, CPelLine::Rect,     CPelLine::Polygon,   CPelLine::Circle,
                         CPelLine::Arc,      CPelLine::Polyline, CPelLine::Dimension, CPelLine::Rect};
    for (int i = 0; i < shapes; ++i) {
        auto l = std::make_unique<CPelLine>();
        l->m_id = doc.m_unit.NextId(CPelUnit::KindLine);
        l->m_type = kinds[r.Int(0, 7)];
        const double cx = r.Real(-140, 140), cy = r.Real(-98, 98), s = r.Real(1.5, 15);
        switch (l->m_type) {
        case CPelLine::Straight:
            l->m_points = {{cx, cy}, {cx + r.Real(-s, s), cy + r.Real(-s, s)}};
            break;
        case CPelLine::Rect:
            l->m_points = {{cx, cy}, {cx + s, cy}, {cx + s, cy + s * 0.7}, {cx, cy + s * 0.7}};
            break;
        case CPelLine::Polygon: {
            int n = r.Int(3, 8);
            for (int k = 0; k < n; ++k) {
                double a = 2 * M_PI * k / n, rr = s * r.Real(0.5, 1.0);
                l->m_points.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
            }
            break;
        }
        case CPelLine::Circle:
            l->m_points = {{cx, cy}};
            l->m_params = {s / 2};
            if (r.Int(0, 1))
                l->m_params.push_back(r.Real(0.3, 1.5));
            break;
        case CPelLine::Arc: {
            double a0 = r.Real(0, 2 * M_PI), a1 = a0 + r.Real(0.5, 5);
            l->m_points = {{cx, cy}, {cx + s * std::cos(a0), cy - s * std::sin(a0)},
                           {cx + s * std::cos(a1), cy - s * std::sin(a1)}};
            l->m_params = {s};
            l->m_tanten = r.Int(0, 2);
            break;
        }
        case CPelLine::Polyline: {
            int n = r.Int(2, 6);
            for (int k = 0; k < n; ++k)
                l->m_points.push_back({cx + r.Real(-s, s), cy + r.Real(-s, s)});
            break;
        }
        case CPelLine::Dimension:
            l->m_points = {{cx, cy}, {cx + s, cy}, {cx + s / 2, cy - 5}};
            l->m_params = {1, s, 4, 3};
            break;
        }
        l->m_color = r.Int(0, 3) == 0 ? Colour(r) : 0;
        l->m_lineType = r.Int(0, 9) < 6 ? 0 : r.Int(1, 5);
        l->m_width = r.Int(1, 10);
        if (l->m_type == CPelLine::Straight || l->m_type == CPelLine::Polyline)
            l->m_tanten = r.Int(0, 12);
        l->m_arrowWidth = r.Int(0, 4);
        l->m_gradation = 0;
        bool closed = l->m_type >= CPelLine::Rect && l->m_type <= CPelLine::Arc;
        if (closed && i % 3 == 0) {
            l->m_fill = 1;
            l->m_fillColor = Colour(r);
            if (i % 10 == 0) {
                l->m_gradation = r.Int(0, 7) * 4500 + 1;
                l->m_fillColor2 = r.Int(0, 1) ? 16777215 : Colour(r);
            } else if (i % 10 == 3) {
                l->m_alpha = r.Int(20, 80);
            }
        }
        if (closed && i % 17 == 0)
            l->m_pattern = r.Int(1, 8);
        if (closed && i % 13 == 0) {
            l->m_hatch = 1;
            l->m_hatchType = r.Int(0, 5);
        }
        doc.m_unit.m_lines.push_back(std::move(l));
    }
}

bool WriteFlyer(const std::string& path, int shapes, unsigned seed)
{
    CPelmoraDoc doc;
    BuildFlyer(doc, shapes, seed);
    return doc.OnSaveDocument(path);
}
