#include "document/PelWall.h"

#include <algorithm>

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }
} // namespace

void CPelWall::SetCorners(std::string_view text)
{
    double v[8] = {};
    std::size_t start = 0;
    for (int i = 0; i < 8; ++i) {
        std::size_t comma = text.find(',', start);
        v[i] = PelReadReal(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    for (int i = 0; i < 4; ++i)
        m_corners[static_cast<std::size_t>(i)] = PelPoint{v[2 * i], v[2 * i + 1]};
}

std::string CPelWall::CornersText() const
{
    std::string s;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i)
            s += ',';
        s += DefFormatDouble(m_corners[i].x);
        s += ',';
        s += DefFormatDouble(m_corners[i].y);
    }
    return s;
}

int CPelWall::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "MWallarPntAX"))
        PelAppendX(m_edgeA, value);
    else if (Is(key, "MWallarPntAY"))
        return PelSetLastY(m_edgeA, value);
    else if (Is(key, "MWallarPntBX"))
        PelAppendX(m_edgeB, value);
    else if (Is(key, "MWallarPntBY"))
        return PelSetLastY(m_edgeB, value);
    else if (Is(key, "MWallID"))
        m_id = DefAtoi(value);
    else if (Is(key, "MWallPntAX"))
        m_a.x = PelReadReal(value);
    else if (Is(key, "MWallPntAY"))
        m_a.y = PelReadReal(value);
    else if (Is(key, "MWallPntBX"))
        m_b.x = PelReadReal(value);
    else if (Is(key, "MWallPntBY"))
        m_b.y = PelReadReal(value);
    else if (Is(key, "MWallPntKado"))
        SetCorners(value);
    else if (Is(key, "MWallWide1"))
        m_wide1 = DefAtoi(value);
    else if (Is(key, "MWallWide2"))
        m_wide2 = DefAtoi(value);
    else if (Is(key, "MWallType"))
        m_wallType = DefAtoi(value);
    else if (Is(key, "MWall_Type"))
        m_kind = DefAtoi(value);
    else if (Is(key, "MHasiraType"))
        m_pillarType = DefAtoi(value);
    else if (Is(key, "MWallGrpID"))
        m_groupId = DefAtoi(value);
    else if (Is(key, "MWallLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "MWallLayer2"))
        m_layer2 = DefAtoi(value);
    return 1;
}

int CPelWall::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "MWallID", m_id) &&
              WriteDataDouble(ar, "MWallPntAX", m_a.x) && WriteDataDouble(ar, "MWallPntAY", m_a.y) &&
              WriteDataDouble(ar, "MWallPntBX", m_b.x) && WriteDataDouble(ar, "MWallPntBY", m_b.y) &&
              WriteData(ar, "MWallPntKado", CornersText()) &&
              PelWritePoints(*this, ar, m_edgeA, "MWallarPntAX", "MWallarPntAY") &&
              PelWritePoints(*this, ar, m_edgeB, "MWallarPntBX", "MWallarPntBY") &&
              WriteDataInt(ar, "MWallWide1", m_wide1) && WriteDataInt(ar, "MWallWide2", m_wide2) &&
              WriteDataInt(ar, "MWallType", m_wallType) && WriteDataInt(ar, "MWall_Type", m_kind) &&
              WriteDataInt(ar, "MHasiraType", m_pillarType) && WriteDataInt(ar, "MWallGrpID", m_groupId) &&
              WriteDataInt(ar, "MWallLayer1", m_layer1) && WriteDataInt(ar, "MWallLayer2", m_layer2) &&
              WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}
