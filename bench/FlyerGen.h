#pragma once
// A deterministic A4 flyer of mixed shapes for benchmarks: a third filled, a tenth
// with gradients or opacity, dashes, hatches, tiles and end markers among them.
#include <string>

class CPelmoraDoc;

void BuildFlyer(CPelmoraDoc& doc, int shapes, unsigned seed = 20261210);
// Builds the flyer and saves it as a document file; false when it could not be written.
bool WriteFlyer(const std::string& path, int shapes, unsigned seed = 20261210);

// Adds texts (every tenth decorated, some vertical, rotated or with a background) and
// photos of 1600 x 1200 pixels with working files; false when a file could not be made.
bool AddTextsAndPhotos(CPelmoraDoc& doc, int texts, int photos, unsigned seed = 20261210);
// The flyer of shapes with texts and photos, saved as a document file.
bool WriteFlyerWithContent(const std::string& path, int shapes, int texts, int photos, unsigned seed = 20261210);
