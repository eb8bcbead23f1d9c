#pragma once
// A deterministic flyer for benchmarks, made from a seed: mixed shapes (a third filled,
// a tenth with gradients or opacity, dashes, hatches, tiles and end markers among them)
// and, as asked, walls and pillars in groups, texts, photos, map objects (roads,
// railways, rivers) and imported plans.
#include <string>

class CPelmoraDoc;

struct FlyerSpec {
    int shapes = 5000;
    int walls = 0;      // walls and pillars, in groups of eight
    int texts = 0;
    int photos = 0;     // 24-bit pictures of photoWidth x photoHeight pixels
    int photoWidth = 1200;
    int photoHeight = 900;
    int mapObjects = 0;
    int plans = 0;      // imported plans, each with planShapes lines and walls
    int planShapes = 200;
    unsigned seed = 20261210;
};

// About 50 MB: every kind of record, the bytes mostly photos.
FlyerSpec LargeFlyerSpec();
// About 5 MB of records and no pictures.
FlyerSpec PlainFlyerSpec();

// Replaces doc's contents with the flyer. Photos get working files like pictures read
// from a document, plans are placed from plan files written on the way.
void BuildFlyer(CPelmoraDoc& doc, const FlyerSpec& recipe);
void BuildFlyer(CPelmoraDoc& doc, int shapes, unsigned seed = 20261210);
// Builds the flyer and saves it as a document file; false when it could not be written.
bool WriteFlyer(const std::string& path, const FlyerSpec& recipe);
bool WriteFlyer(const std::string& path, int shapes, unsigned seed = 20261210);

