#include "document/ObjInfo.h"

#include "ardelib/SettingsStore.h"
#include "document/StyleIndex.h"

#include <cmath>
#include <string>

namespace {
const char kPlotMenu[] = "QLA_T_PlotMenu";
const char kMapSection[] = "VX_Plotmenu";
constexpr double kBuiltInWide[CObjInfo::kWideCount] = {0.3, 0.8, 1.5, 2.5, 5.0};
constexpr int kSettingWide[CObjInfo::kWideCount] = {3, 8, 15, 25, 50};

int ColorSetting(const CSettingsStore& store, const char* key)
{
    return DefAtoi(store.GetString(kPlotMenu, key, "0"));
}

int Tenths(double value) { return static_cast<int>(std::lround(styleidx::SaneFileReal(value) * 10.0)); }
} // namespace

void CObjInfo::ResetBuiltIn()
{
    m_dTanten = 0;
    m_dHuchi = 1;
    m_dColor = 12632256;
    m_dHuchiColor = 0;
    m_dHabaType = 2;
    m_dCenterLine = 0;
    m_tTanten = 0;
    m_tHabaType = 2;
    m_tTrainType = 0;
    m_tColor = 0;
    m_tJrPitch = 4.0;
    m_kTanten = 0;
    m_kHuchi = 1;
    m_kColor = 16777077;
    m_kHuchiColor = 0;
    m_kHabaType = 2;
    for (int i = 0; i < kWideCount; ++i)
        m_wide[i] = kBuiltInWide[i];
    m_tohoSpeed = 4.0;
    m_carSpeed = 42.0;
    m_wideScaled = 0;
}

void CObjInfo::LoadSettings(const CSettingsStore& store)
{
    m_dTanten = store.GetInt(kPlotMenu, "c_d_tanten", 0);
    m_dHuchi = store.GetInt(kPlotMenu, "c_d_huchi", 0);
    m_dColor = ColorSetting(store, "c_d_color");
    m_dHabaType = store.GetInt(kPlotMenu, "c_d_habatype", 2);
    m_dCenterLine = store.GetInt(kPlotMenu, "c_d_centerline", 0);
    m_tTanten = store.GetInt(kPlotMenu, "c_t_tanten", 0);
    m_tHabaType = store.GetInt(kPlotMenu, "c_t_habatype", 2);
    m_tTrainType = store.GetInt(kPlotMenu, "c_t_traintype", 0);
    m_tColor = ColorSetting(store, "c_t_color");
    m_kTanten = store.GetInt(kPlotMenu, "c_k_tanten", 0);
    m_kHuchi = store.GetInt(kPlotMenu, "c_k_huchi", 0);
    m_kColor = ColorSetting(store, "c_k_color");
    m_kHabaType = store.GetInt(kPlotMenu, "c_k_habatype", 2);
    for (int i = 0; i < kWideCount; ++i)
        m_wide[i] = store.GetInt(kPlotMenu, "c_wide" + std::to_string(i), kSettingWide[i]) / 10.0;
    m_tohoSpeed = store.GetInt(kPlotMenu, "c_toutatu_toho", 40) / 10.0;
    m_carSpeed = store.GetInt(kPlotMenu, "c_toutatu_car", 420) / 10.0;

    if (store.GetInt(kPlotMenu, "czread_habapich", 1) == 0)
        return;
    // The map-making program's own widths, when it has ever saved any.
    CSettingsStore map("Halvorn", "Orvix");
    bool any = false;
    for (int i = 0; i < kWideCount; ++i)
        any = any || map.Contains(kMapSection, "c_wide" + std::to_string(i));
    if (!any) {
        for (int i = 0; i < kWideCount; ++i)
            m_wide[i] = kBuiltInWide[i];
        return;
    }
    constexpr int kUnset = -1;
    for (int i = 0; i < kWideCount; ++i) {
        int tenths = map.GetInt(kMapSection, "c_wide" + std::to_string(i), kUnset);
        if (tenths >= 0) // a DWORD: what reads negative was not one
            m_wide[i] = tenths / 10.0;
    }
}

void CObjInfo::SaveSettings(CSettingsStore& store) const
{
    store.WriteInt(kPlotMenu, "c_d_tanten", m_dTanten);
    store.WriteInt(kPlotMenu, "c_d_habatype", m_dHabaType);
    store.WriteInt(kPlotMenu, "c_d_huchi", m_dHuchi);
    store.WriteInt(kPlotMenu, "c_d_centerline", m_dCenterLine);
    store.WriteString(kPlotMenu, "c_d_color", std::to_string(m_dColor));
    store.WriteInt(kPlotMenu, "c_t_tanten", m_tTanten);
    store.WriteInt(kPlotMenu, "c_t_habatype", m_tHabaType);
    store.WriteInt(kPlotMenu, "c_t_traintype", m_tTrainType);
    store.WriteString(kPlotMenu, "c_t_color", std::to_string(m_tColor));
    store.WriteInt(kPlotMenu, "c_k_tanten", m_kTanten);
    store.WriteInt(kPlotMenu, "c_k_habatype", m_kHabaType);
    store.WriteInt(kPlotMenu, "c_k_huchi", m_kHuchi);
    store.WriteString(kPlotMenu, "c_k_color", std::to_string(m_kColor));
    store.WriteInt(kPlotMenu, "c_toutatu_toho", Tenths(m_tohoSpeed));
    store.WriteInt(kPlotMenu, "c_toutatu_car", Tenths(m_carSpeed));
}

int CObjInfo::OnReadData(const std::string& key, const std::string& value)
{
    constexpr std::string_view prefix = "ObjInfoWide";
    if (key.size() == prefix.size() + 1 && DefIEquals(std::string_view(key).substr(0, prefix.size()), prefix)) {
        int i = key.back() - '0';
        if (i >= 0 && i < kWideCount)
            m_wide[i] = styleidx::SaneFileReal(DefAtof(value));
    }
    return 1;
}

int CObjInfo::Write(CDefArchive* ar) const
{
    if (!WriteStart(ar, "LineObj"))
        return 0;
    for (int i = 0; i < kWideCount; ++i)
        if (!WriteDataDouble(ar, "ObjInfoWide" + std::to_string(i), m_wide[i]))
            return 0;
    return WriteEnd(ar, "LineObj");
}

double CObjInfo::Wide(int widthClass) const
{
    return styleidx::SaneReal(m_wide[styleidx::SafeObjWide(widthClass)], 0.0, styleidx::kMaxPrintedMm);
}

bool CObjInfo::FillMissingEdge(int kind, int& color, int& huchi, int& huchiColor) const
{
    switch (kind) {
    case kRoad:
        color = m_dColor;
        huchi = m_dHuchi;
        huchiColor = m_dHuchiColor;
        return true;
    case kRailway:
        color = m_tColor;
        return true;
    case kRiver:
        color = m_kColor;
        huchi = m_kHuchi;
        huchiColor = m_kHuchiColor;
        return true;
    default:
        return false;
    }
}
