#pragma once
// A deterministic access map for benchmarks: an imported map placed on the flyer,
// holding wandering roads, railways and rivers (every draw type, some raised).

class CPelmoraDoc;

// Appends a map of the given number of map line objects, 160 x 120 mm on the sheet
// at 1 : 10, to the document's plans.
void AddAccessMap(CPelmoraDoc& doc, int objects, unsigned seed = 20261210);
