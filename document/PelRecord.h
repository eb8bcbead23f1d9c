#pragma once
// Pieces shared by the drawn records: points, number reading that stays safe for
// drawing, point pairing, and the owned record lists of a drawing unit.
#include "ardelib/DefFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct PelPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PelPoint&) const = default;
};

// Coordinates beyond this many millimetres (100 km) are damaged input: they are
// clamped when read so that later device conversions cannot overflow.
constexpr double kPelCoordLimit = 1.0e8;

// atof, with non-numbers as 0 and the result held inside ±kPelCoordLimit.
double PelReadReal(std::string_view value);

// "…X" appends a point (X, 0); "…Y" sets the Y of the last point. A Y with no point
// before it cannot be paired: the open is aborted and 0 returned.
void PelAppendX(std::vector<PelPoint>& points, std::string_view value);
int PelSetLastY(std::vector<PelPoint>& points, std::string_view value);
// Writes every point as its X line directly followed by its Y line.
int PelWritePoints(const CDefFile& def, CDefArchive* ar, const std::vector<PelPoint>& points,
                   std::string_view keyX, std::string_view keyY);

template <class T>
using PelList = std::vector<std::unique_ptr<T>>;

// Position of the first record with this ID, or -1.
template <class T>
int PelIndexOf(const PelList<T>& list, int id)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_id == id)
            return static_cast<int>(i);
    return -1;
}

// Appends deep copies of every record of src.
template <class T>
void PelAppendCopies(PelList<T>& dst, const PelList<T>& src)
{
    for (const auto& r : src)
        dst.push_back(std::make_unique<T>(*r));
}

// Writes every record of the list as its own block.
template <class T>
int PelWriteAll(const PelList<T>& list, CDefArchive* ar)
{
    for (const auto& r : list)
        if (!r->Write(ar))
            return 0;
    return 1;
}

// The ID after counter that no record of ids uses, wrapping to 1 above limit; counter
// is advanced to it. 0 when every ID from 1 to limit is taken (counter unchanged).
int PelNextId(int& counter, int limit, const std::vector<int>& ids);

template <class T>
std::vector<int> PelIds(const PelList<T>& list)
{
    std::vector<int> ids;
    ids.reserve(list.size());
    for (const auto& r : list)
        ids.push_back(r->m_id);
    return ids;
}
