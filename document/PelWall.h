#pragma once
// A wall or a pillar: its centre line, outline corners and visible edge segments.
#include "document/PelRecord.h"

#include <array>

class CPelWall : public CDefFile {
public:
    static constexpr const char* kBlock = "BLK_UnitWall";

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // "x1,y1,…,x4,y4": up to eight fields, missing or empty ones 0, text after the eighth comma ignored.
    void SetCorners(std::string_view text);
    std::string CornersText() const;
    // Edge segment i runs from m_edgeA[i] to m_edgeB[i]; only the common part can be drawn.
    std::size_t EdgeCount() const { return std::min(m_edgeA.size(), m_edgeB.size()); }

    int m_id = 0;
    PelPoint m_a;
    PelPoint m_b;
    std::array<PelPoint, 4> m_corners{};
    std::vector<PelPoint> m_edgeA;
    std::vector<PelPoint> m_edgeB;
    int m_wide1 = 50;
    int m_wide2 = 50;
    int m_wallType = 0;  // 0 大壁, 1 真壁
    int m_kind = 0;      // 0 wall, 1 pillar
    int m_pillarType = 0;
    int m_groupId = 0;
    int m_layer1 = 0;
    int m_layer2 = 0;
};
