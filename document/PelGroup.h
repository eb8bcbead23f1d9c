#pragma once
// A group of walls, lines and texts; a room when m_room is 1.
#include "document/PelRecord.h"

class CPelGroup : public CDefFile {
public:
    static constexpr const char* kBlock = "BLK_UnitGrp";

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    int m_id = 0;
    PelPoint m_min;
    PelPoint m_max;
    std::vector<int> m_wallIds;
    std::vector<int> m_lineIds;
    std::vector<int> m_textIds;
    double m_angle = 0.0; // degrees
    int m_layer1 = 0;
    int m_layer2 = 0;
    int m_room = 0;
};
