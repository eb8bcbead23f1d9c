// Writes the benchmark flyer: make_flyer OUT [SHAPES [MAP_OBJECTS]]
#include "FlyerGen.h"
#include "MapGen.h"

#include "document/PelmoraDoc.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: oltrane_make_flyer OUT [SHAPES [MAP_OBJECTS]]\n");
        return 2;
    }
    int shapes = argc > 2 ? std::atoi(argv[2]) : 5000;
    int mapObjects = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mapObjects <= 0)
        return WriteFlyer(argv[1], shapes > 0 ? shapes : 5000) ? 0 : 1;
    CPelmoraDoc doc;
    BuildFlyer(doc, shapes > 0 ? shapes : 5000);
    AddAccessMap(doc, mapObjects);
    return doc.OnSaveDocument(argv[1]) ? 0 : 1;
}
