#include "document/PelGroup.h"

#include <algorithm>

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }
} // namespace

int CPelGroup::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "MGrpWallID"))
        m_wallIds.push_back(DefAtoi(value));
    else if (Is(key, "MGrpLineID"))
        m_lineIds.push_back(DefAtoi(value));
    else if (Is(key, "MGrpTextID"))
        m_textIds.push_back(DefAtoi(value));
    else if (Is(key, "MGrpID"))
        m_id = DefAtoi(value);
    else if (Is(key, "MGrpminX"))
        m_min.x = PelReadReal(value);
    else if (Is(key, "MGrpminY"))
        m_min.y = PelReadReal(value);
    else if (Is(key, "MGrpmaxX"))
        m_max.x = PelReadReal(value);
    else if (Is(key, "MGrpmaxY"))
        m_max.y = PelReadReal(value);
    else if (Is(key, "MGrpKakudo"))
        m_angle = std::clamp(DefAtof(value), -36000.0, 36000.0);
    else if (Is(key, "MGrpLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "MGrpLayer2"))
        m_layer2 = DefAtoi(value);
    else if (Is(key, "MGrpRoom"))
        m_room = DefAtoi(value);
    return 1;
}

int CPelGroup::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "MGrpID", m_id) &&
              WriteDataDouble(ar, "MGrpminX", m_min.x) && WriteDataDouble(ar, "MGrpminY", m_min.y) &&
              WriteDataDouble(ar, "MGrpmaxX", m_max.x) && WriteDataDouble(ar, "MGrpmaxY", m_max.y);
    for (int id : m_wallIds)
        ok = ok && WriteDataInt(ar, "MGrpWallID", id);
    for (int id : m_lineIds)
        ok = ok && WriteDataInt(ar, "MGrpLineID", id);
    for (int id : m_textIds)
        ok = ok && WriteDataInt(ar, "MGrpTextID", id);
    ok = ok && WriteDataDouble(ar, "MGrpKakudo", m_angle) && WriteDataInt(ar, "MGrpLayer1", m_layer1) &&
         WriteDataInt(ar, "MGrpLayer2", m_layer2) && WriteDataInt(ar, "MGrpRoom", m_room) && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}
