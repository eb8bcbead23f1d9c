#include "document/RoomInfo.h"

#include "document/RecordText.h"

CRoomInfo::CRoomInfo(const CRoomInfo& other) : CDefFile(other) { *this = other; }

CRoomInfo& CRoomInfo::operator=(const CRoomInfo& other)
{
    m_bRoomColor = other.m_bRoomColor;
    m_roomColor = other.m_roomColor;
    m_bHachColor = other.m_bHachColor;
    m_hachColor = other.m_hachColor;
    m_hachType = other.m_hachType;
    m_name = other.m_name;
    return *this;
}

int CRoomInfo::OnReadData(const std::string& key, const std::string& v)
{
    if (DefIEquals(key, "Room_bRoomColor"))
        m_bRoomColor = DefAtoi(v);
    else if (DefIEquals(key, "Room_RoomColor"))
        m_roomColor = DefAtoi(v);
    else if (DefIEquals(key, "Room_bHachColor"))
        m_bHachColor = DefAtoi(v);
    else if (DefIEquals(key, "Room_HachColor"))
        m_hachColor = DefAtoi(v);
    else if (DefIEquals(key, "Room_HachType"))
        m_hachType = DefAtoi(v);
    else if (DefIEquals(key, "Room_Name"))
        m_name = v;
    return 1;
}

int CRoomInfo::Write(CDefArchive* ar, std::string_view blockName) const
{
    return WriteStart(ar, blockName) && WriteDataInt(ar, "Room_bRoomColor", m_bRoomColor)
           && WriteDataInt(ar, "Room_RoomColor", m_roomColor) && WriteDataInt(ar, "Room_bHachColor", m_bHachColor)
           && WriteDataInt(ar, "Room_HachColor", m_hachColor) && WriteDataInt(ar, "Room_HachType", m_hachType)
           && WriteData(ar, "Room_Name", OneLine(m_name)) && WriteEnd(ar, blockName);
}
