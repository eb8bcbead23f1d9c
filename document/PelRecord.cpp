#include "document/PelRecord.h"

#include "document/ReadAbort.h"

#include <algorithm>

double PelReadReal(std::string_view value)
{
    return std::clamp(DefAtof(value), -kPelCoordLimit, kPelCoordLimit);
}

void PelAppendX(std::vector<PelPoint>& points, std::string_view value)
{
    points.push_back(PelPoint{PelReadReal(value), 0.0});
}

int PelSetLastY(std::vector<PelPoint>& points, std::string_view value)
{
    if (points.empty()) {
        RaiseReadAbort();
        return 0;
    }
    points.back().y = PelReadReal(value);
    return 1;
}

int PelWritePoints(const CDefFile& def, CDefArchive* ar, const std::vector<PelPoint>& points,
                   std::string_view keyX, std::string_view keyY)
{
    for (const PelPoint& p : points)
        if (!def.WriteDataDouble(ar, keyX, p.x) || !def.WriteDataDouble(ar, keyY, p.y))
            return 0;
    return 1;
}

int PelNextId(int& counter, int limit, const std::vector<int>& ids)
{
    std::vector<bool> used(static_cast<std::size_t>(limit) + 1, false);
    for (int id : ids)
        if (id >= 1 && id <= limit)
            used[static_cast<std::size_t>(id)] = true;
    // A counter read from a file may be anything; outside 1..limit-1 the next is 1.
    int candidate = counter >= 0 && counter < limit ? counter + 1 : 1;
    for (int tries = 0; tries < limit; ++tries) {
        if (!used[static_cast<std::size_t>(candidate)]) {
            counter = candidate;
            return candidate;
        }
        candidate = candidate >= limit ? 1 : candidate + 1;
    }
    return 0;
}
