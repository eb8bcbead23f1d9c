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

// A drawing unit's records sit behind shared pointers so that an undo snapshot shares
// every record it did not change. Whoever changes a record of a list that a snapshot
// may share goes through PelEdit, which copies the record first when it is shared.
template <class T>
using PelList = std::vector<std::shared_ptr<T>>;

// The record at index i, made the list's own before it is changed.
template <class T>
T& PelEdit(PelList<T>& list, std::size_t i)
{
    auto& p = list[i];
    if (p.use_count() > 1)
        p = std::make_shared<T>(*p);
    return *p;
}

// Position of the first record with this ID, or -1.
template <class T>
int PelIndexOf(const PelList<T>& list, int id)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_id == id)
            return static_cast<int>(i);
    return -1;
}

// Appends every record of src, shared: a change to either side copies first (PelEdit).
template <class T>
void PelAppendShared(PelList<T>& dst, const PelList<T>& src)
{
    dst.insert(dst.end(), src.begin(), src.end());
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
