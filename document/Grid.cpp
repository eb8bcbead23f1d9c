#include "document/Grid.h"

#include "ardelib/SettingsStore.h"
#include "platform/Profile.h"

namespace {
const char kGridMenu[] = "QLA_T_GridMenu";
}

void CGrid::Reset() { Reset(AppProfile()); }

void CGrid::Reset(const CSettingsStore& store)
{
    if (store.GetInt("QLA_T_UTILITY", "registset", 0) == 0) {
        ResetBuiltIn();
        return;
    }
    m_visible = store.GetInt(kGridMenu, "visible", 0);
    m_w = store.GetInt(kGridMenu, "wgrid", 5);
    m_d = store.GetInt(kGridMenu, "dgrid", 5);
    m_kyutyaku = store.GetInt(kGridMenu, "kyutyaku", 0);
    m_memori = store.GetInt(kGridMenu, "memori", 1);
    m_memoriType = store.GetInt(kGridMenu, "memtype", 1);
    if (m_visible == 0)
        m_kyutyaku = 0;
}

void CGrid::ResetBuiltIn()
{
    m_visible = 1;
    m_w = 5;
    m_d = 5;
    m_kyutyaku = 0;
    m_memori = 1;
    m_memoriType = 0;
}

void CGrid::SaveSettings(CSettingsStore& store) const
{
    store.WriteInt(kGridMenu, "visible", m_visible);
    store.WriteInt(kGridMenu, "wgrid", m_w);
    store.WriteInt(kGridMenu, "dgrid", m_d);
    store.WriteInt(kGridMenu, "kyutyaku", m_kyutyaku);
    store.WriteInt(kGridMenu, "memori", m_memori);
    store.WriteInt(kGridMenu, "memtype", m_memoriType);
}

int CGrid::OnReadData(const std::string& key, const std::string& value)
{
    // Visibility and snapping are the user's, not the file's: they are written only.
    if (DefIEquals(key, "GridW"))
        m_w = DefAtoi(value);
    else if (DefIEquals(key, "GridD"))
        m_d = DefAtoi(value);
    else if (DefIEquals(key, "GridMemori"))
        m_memori = DefAtoi(value);
    else if (DefIEquals(key, "GridMemoriType"))
        m_memoriType = DefAtoi(value);
    return 1;
}

int CGrid::Write(CDefArchive* ar) const
{
    return WriteStart(ar, "Grid") && WriteDataInt(ar, "GridVisible", m_visible) && WriteDataInt(ar, "GridW", m_w)
           && WriteDataInt(ar, "GridD", m_d) && WriteDataInt(ar, "GridKyutyaku", m_kyutyaku)
           && WriteDataInt(ar, "GridMemori", m_memori) && WriteDataInt(ar, "GridMemoriType", m_memoriType)
           && WriteEnd(ar, "Grid");
}
