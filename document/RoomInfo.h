#pragma once
// A room kind: name, fill and hatch, and the font of its name.
#include "document/FontMenu.h"

#include <string>

class CRoomInfo : public CDefFile {
public:
    CRoomInfo() = default;
    // A copy takes the five numbers and the name; the font stays as it was.
    CRoomInfo(const CRoomInfo& other);
    CRoomInfo& operator=(const CRoomInfo& other);

    int m_bRoomColor = 0;        // "Room_bRoomColor"
    int m_roomColor = 16777215;  // "Room_RoomColor"
    int m_bHachColor = 0;        // "Room_bHachColor"
    int m_hachColor = 0;         // "Room_HachColor"
    int m_hachType = 3;          // "Room_HachType"
    std::string m_name;          // "Room_Name", code page 932
    CFontMenu m_font;

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar, std::string_view blockName) const;
};
