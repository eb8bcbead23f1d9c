// Writes a benchmark flyer as a document file:
//   oltrane_make_flyer OUT [SHAPES] [--large | --plain] [--seed N] [--shapes N] [--walls N]
//                      [--texts N] [--photos N] [--photo-size WxH] [--objects N] [--plans N]
// --large is about 50 MB with photos, --plain about 5 MB without; the same options
// and seed always give the same file.
#include "FlyerGen.h"
#include "MapGen.h"

#include "document/PelmoraDoc.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int Usage()
{
    std::fprintf(stderr, "usage: oltrane_make_flyer OUT [SHAPES] [--large | --plain] [--seed N] [--shapes N] "
                         "[--walls N] [--texts N] [--photos N] [--photo-size WxH] [--objects N] [--plans N]\n");
    return 2;
}

bool Count(const char* text, int& out)
{
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < 0 || v > 1000000)
        return false;
    out = static_cast<int>(v);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    FlyerSpec recipe;
    std::string out = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        int n = 0;
        if (a == "--large")
            recipe = LargeFlyerSpec();
        else if (a == "--plain")
            recipe = PlainFlyerSpec();
        else if (i == 2 && Count(argv[i], n) && n > 0)
            recipe.shapes = n;
        else if (!v)
            return Usage();
        else if (a == "--seed")
            recipe.seed = static_cast<unsigned>(std::strtoul(v, nullptr, 10)), ++i;
        else if (a == "--shapes" && Count(v, recipe.shapes))
            ++i;
        else if (a == "--walls" && Count(v, recipe.walls))
            ++i;
        else if (a == "--texts" && Count(v, recipe.texts))
            ++i;
        else if (a == "--photos" && Count(v, recipe.photos))
            ++i;
        else if (a == "--objects" && Count(v, recipe.mapObjects))
            ++i;
        else if (a == "--plans" && Count(v, recipe.plans))
            ++i;
        else if (a == "--photo-size" && std::sscanf(v, "%dx%d", &recipe.photoWidth, &recipe.photoHeight) == 2
                 && recipe.photoWidth > 0 && recipe.photoHeight > 0 && recipe.photoWidth <= 8000 && recipe.photoHeight <= 8000)
            ++i;
        else
            return Usage();
    }
    // The pictures' working files go where the program's own would.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    return WriteFlyer(out, recipe) ? 0 : 1;
}
