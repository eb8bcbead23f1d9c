#include "FlyerGen.h"
#include "Rng.h"

#include "ardelib/BitmapUL.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

int Colour(Rng& r) { return r.Int(0, 255) + 256 * r.Int(0, 255) + 65536 * r.Int(0, 255); }

void AddShapes(CPelUnit& unit, Rng& r, int shapes);
void AddWalls(CPelUnit& unit, Rng& r, int walls, double extent);
void AddTexts(CPelmoraDoc& doc, Rng& r, int texts);
void AddPhotos(CPelUnit& unit, Rng& r, const FlyerSpec& recipe);
void AddMapObjects(CPelUnit& unit, Rng& r, int count);
void AddPlans(CPelmoraDoc& doc, Rng& r, const FlyerSpec& recipe);
} // namespace

FlyerSpec LargeFlyerSpec()
{
    FlyerSpec s;
    s.shapes = 5000;
    s.walls = 800;
    s.texts = 300;
    s.photos = 14;
    s.mapObjects = 100;
    s.plans = 4;
    return s;
}

FlyerSpec PlainFlyerSpec()
{
    FlyerSpec s;
    s.shapes = 6200;
    s.walls = 1200;
    s.texts = 800;
    s.mapObjects = 300;
    s.plans = 4;
    return s;
}

void BuildFlyer(CPelmoraDoc& doc, int shapes, unsigned seed)
{
    FlyerSpec recipe;
    recipe.shapes = shapes;
    recipe.seed = seed;
    BuildFlyer(doc, recipe);
}

void BuildFlyer(CPelmoraDoc& doc, const FlyerSpec& recipe)
{
    doc.OnNewDocument();
    doc.m_plotInfo.m_paperSize = 0; // A4 landscape: 297 x 210, origin at its centre
    doc.m_plotInfo.m_gradation = 1;
    Rng r(recipe.seed, 1);
    AddShapes(doc.m_unit, r, recipe.shapes);
    AddWalls(doc.m_unit, r, recipe.walls, 140);
    AddTexts(doc, r, recipe.texts);
    AddPhotos(doc.m_unit, r, recipe);
    AddMapObjects(doc.m_unit, r, recipe.mapObjects);
    AddPlans(doc, r, recipe);
}

namespace {
void AddShapes(CPelUnit& unit, Rng& r, int shapes)
{
    const int kinds[] = {CPelLine::Straight, CPelLine::Rect,     CPelLine::Polygon,   CPelLine::Circle,
                         CPelLine::Arc,      CPelLine::Polyline, CPelLine::Dimension, CPelLine::Rect};
    for (int i = 0; i < shapes; ++i) {
        auto l = std::make_unique<CPelLine>();
        l->m_id = unit.NextId(CPelUnit::KindLine);
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
        unit.m_lines.push_back(std::move(l));
    }
}

// Walls and pillars of a room plan: runs of eight, each run one group.
void AddWalls(CPelUnit& unit, Rng& r, int walls, double extent)
{
    for (int i = 0; i < walls; i += 8) {
        auto g = std::make_unique<CPelGroup>();
        g->m_id = unit.NextId(CPelUnit::KindGroup);
        double x = r.Real(-extent, extent), y = r.Real(-extent * 0.7, extent * 0.7);
        g->m_min = {x, y};
        g->m_max = {x, y};
        for (int k = i; k < walls && k < i + 8; ++k) {
            auto w = std::make_unique<CPelWall>();
            w->m_id = unit.NextId(CPelUnit::KindWall);
            bool across = r.Int(0, 1);
            double len = r.Real(3, 12);
            w->m_a = {x, y};
            w->m_b = across ? PelPoint{x + len, y} : PelPoint{x, y + len};
            w->m_wide1 = w->m_wide2 = r.Int(3, 8) * 10;
            double h = w->m_wide1 / 200.0;
            if (across)
                w->m_corners = {PelPoint{x, y - h}, PelPoint{x + len, y - h}, PelPoint{x + len, y + h}, PelPoint{x, y + h}};
            else
                w->m_corners = {PelPoint{x - h, y}, PelPoint{x + h, y}, PelPoint{x + h, y + len}, PelPoint{x - h, y + len}};
            w->m_wallType = r.Int(0, 1);
            w->m_kind = k % 8 == 7 ? 1 : 0;
            w->m_pillarType = w->m_kind ? r.Int(0, 2) : 0;
            w->m_groupId = g->m_id;
            g->m_wallIds.push_back(w->m_id);
            g->m_max = {std::max(g->m_max.x, w->m_b.x + h), std::max(g->m_max.y, w->m_b.y + h)};
            g->m_min = {std::min(g->m_min.x, x - h), std::min(g->m_min.y, y - h)};
            x = w->m_b.x;
            y = w->m_b.y;
            unit.m_walls.push_back(std::move(w));
        }
        unit.m_groups.push_back(std::move(g));
    }
}

// Every tenth text decorated (edges of 1 or 2 mm), every tenth vertical, rotated or on
// a background; one in seven of two lines.
void AddTexts(CPelmoraDoc& doc, Rng& r, int texts)
{
    const char* faces[] = {"ＭＳ ゴシック", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"};
    const char* words[] = {"駅徒歩５分", "新築一戸建て", "土地面積 120.50㎡", "価格 3,980万円", "南向き・日当たり良好",
                           "オープンハウス開催", "3LDK＋納戸", "お問い合わせ 0120-000-000"};
    for (int i = 0; i < texts; ++i) {
        auto t = std::make_unique<CPelText>();
        t->m_id = doc.m_unit.NextId(CPelUnit::KindText);
        t->m_text = cp932::Lit(words[r.Int(0, 7)]);
        if (i % 7 == 0)
            t->m_text += "\r\n" + cp932::Lit(words[r.Int(0, 7)]);
        t->m_point = {r.Real(-140, 120), r.Real(-98, 95)};
        CFontMenu& f = t->m_font;
        f.m_faceName = cp932::Lit(faces[r.Int(0, 3)]);
        f.m_size = r.Real(2.5, 8);
        f.m_color = r.Int(0, 2) == 0 ? Colour(r) : 0;
        f.m_tokoAlign = r.Int(0, 2);
        f.m_tateAlign = r.Int(0, 2);
        if (i % 10 == 0) {
            t->m_huchiFlg = r.Int(1, 3);
            t->m_huchiAtsumi = r.Int(1, 2);
            t->m_huchiType = r.Int(0, 6);
            t->m_huchiKeij = r.Int(1, 9);
            t->m_huchiAlpha = r.Int(0, 3) == 0 ? 60 : 100;
            f.m_size = r.Real(6, 14);
            f.m_backColor = Colour(r);
        } else if (i % 10 == 1) {
            f.m_faceName = "@" + f.m_faceName;
            f.m_lfEscapement = 2700;
        } else if (i % 10 == 2) {
            f.m_lfEscapement = r.Int(0, 3599);
        } else if (i % 10 == 3) {
            f.m_bBack = 1;
            f.m_backColor = Colour(r);
            f.m_kankaku = r.Real(0, 1);
        }
        doc.m_unit.m_texts.push_back(std::move(t));
    }
}

// A 24-bit BMP with smooth colours and some grain, as a photo compresses.
std::string PhotoBmp(Rng& r, int w, int h)
{
    const std::uint32_t row = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
    const std::uint32_t pixels = row * static_cast<std::uint32_t>(h);
    BmpFileHeader fh;
    fh.bfType = 0x4D42;
    fh.bfOffBits = 54;
    fh.bfSize = 54 + pixels;
    BmpInfoHeader ih;
    ih.biSize = 40;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = pixels;
    std::string bytes(54 + pixels, '\0');
    StoreBmpFileHeader(fh, reinterpret_cast<std::uint8_t*>(bytes.data()));
    StoreBmpInfoHeader(ih, reinterpret_cast<std::uint8_t*>(bytes.data()) + 14);
    const int c0 = Colour(r), c1 = Colour(r);
    for (int y = 0; y < h; ++y) {
        auto* p = reinterpret_cast<std::uint8_t*>(bytes.data()) + 54 + static_cast<std::size_t>(y) * row;
        for (int x = 0; x < w; ++x) {
            double t = (x + y) / double(w + h);
            std::uint32_t grain = r.Next();
            for (int c = 0; c < 3; ++c) {
                int a = (c0 >> (8 * (2 - c))) & 255, b = (c1 >> (8 * (2 - c))) & 255;
                int v = static_cast<int>(a + (b - a) * t) + static_cast<int>((grain >> (8 * c)) & 15) - 8;
                p[3 * x + c] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
        }
    }
    return bytes;
}

void AddPhotos(CPelUnit& unit, Rng& r, const FlyerSpec& recipe)
{
    for (int i = 0; i < recipe.photos; ++i) {
        auto img = std::make_unique<CPelImage>();
        img->m_id = unit.NextId(CPelUnit::KindPicture);
        int fd = img->CreateTempFile();
        if (fd < 0)
            std::abort();
        std::string bytes = PhotoBmp(r, recipe.photoWidth, recipe.photoHeight);
        bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (::close(fd) != 0 || !ok)
            std::abort();
        img->AttachFile(img->m_imageName);
        img->m_width = r.Real(40, 90);
        img->m_height = img->m_width * recipe.photoHeight / recipe.photoWidth;
        img->m_offsetX = r.Real(-148, 148 - img->m_width);
        img->m_offsetY = r.Real(-105, 105 - img->m_height);
        unit.m_pictures.push_back(std::move(img));
    }
}

void AddMapObjects(CPelUnit& unit, Rng& r, int count)
{
    for (int i = 0; i < count; ++i) {
        auto o = std::make_unique<CLineObj>();
        o->m_id = unit.NextId(CPelUnit::KindObject);
        o->m_type = i % 3;
        o->m_drawType = r.Int(0, 1) ? CLineObj::Lines : CLineObj::Straight;
        double x = r.Real(-140, 140), y = r.Real(-100, 100);
        int n = o->m_drawType == CLineObj::Straight ? 2 : r.Int(3, 6);
        for (int k = 0; k < n; ++k) {
            o->m_points.push_back({x, y});
            x += r.Real(-30, 30);
            y += r.Real(-20, 20);
        }
        o->m_wide = r.Int(0, 4);
        o->m_flag1 = r.Int(0, 2);
        o->m_raised = r.Int(0, 1);
        o->m_color = o->m_type == CLineObj::River ? 16760960 : o->m_type == CLineObj::Road ? 12632256 : 0;
        o->m_edge = 1;
        o->m_edgeColor = 0;
        unit.m_objects.push_back(std::move(o));
    }
}

// Each plan goes through a plan file, as the user imports one.
void AddPlans(CPelmoraDoc& doc, Rng& r, const FlyerSpec& recipe)
{
    for (int i = 0; i < recipe.plans; ++i) {
        CPelUnit unit;
        AddShapes(unit, r, recipe.planShapes / 2);
        AddWalls(unit, r, recipe.planShapes / 2, 4000);
        auto ar = CDefArchive::ToMemory();
        CPlotInfo plot;
        plot.ResetBuiltIn();
        plot.m_scale = 100;
        CDefFile def;
        if (!def.WriteStart(ar.get(), "PELDATA") || !plot.Write(ar.get()) || !unit.Write(ar.get())
            || !def.WriteEnd(ar.get(), "PELDATA"))
            std::abort();
        char name[] = "/tmp/oltrane-flyer-plan-XXXXXX.zel";
        int fd = ::mkstemps(name, 4);
        const std::string& bytes = ar->MemoryData();
        bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (fd < 0 || ::close(fd) != 0 || !ok)
            std::abort();
        PelPoint origin{r.Real(-100, 100), r.Real(-60, 60)};
        CZel* plan = doc.PlacePlan(name, origin, r.Real(20, 45), 0);
        std::remove(name);
        if (!plan)
            std::abort();
    }
}
} // namespace

bool WriteFlyer(const std::string& path, const FlyerSpec& recipe)
{
    CPelmoraDoc doc;
    BuildFlyer(doc, recipe);
    return doc.OnSaveDocument(path);
}

bool WriteFlyer(const std::string& path, int shapes, unsigned seed)
{
    FlyerSpec recipe;
    recipe.shapes = shapes;
    recipe.seed = seed;
    return WriteFlyer(path, recipe);
}

