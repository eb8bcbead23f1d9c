#pragma once
// A deterministic A4 flyer of mixed shapes for benchmarks: a third filled, a tenth
// with gradients or opacity, dashes, hatches, tiles and end markers among them.
#include <string>

class CPelmoraDoc;

void BuildFlyer(CPelmoraDoc& doc, int shapes, unsigned seed = 20261210);
// Builds the flyer and saves it as a document file; false when it could not be written.
bool WriteFlyer(const std::string& path, int shapes, unsigned seed = 20261210);
