#include "document/PlotInfo.h"

#include "ardelib/SettingsStore.h"
#include "document/RecordText.h"
#include "document/StyleIndex.h"
#include "platform/AppPaths.h"
#include "platform/Profile.h"

#include <cctype>
#include <string>
#include <unordered_map>
#include <vector>

namespace {
const char kPlotMenu[] = "QLA_T_PlotMenu";
const char kUtility[] = "QLA_T_UTILITY";

struct DashKey {
    const char* key;
    float def;
};
constexpr DashKey kDashKeys[CPlotInfo::kDashPitches] = {
    {"linepich_dash_0", 3.75f},       {"linepich_dash_1", 1.25f},       {"linepich_dot_0", 1.25f},
    {"linepich_dot_1", 1.25f},        {"linepich_dashdot_0", 6.25f},    {"linepich_dashdot_1", 1.25f},
    {"linepich_dashdot_2", 1.25f},    {"linepich_dashdot_3", 1.25f},    {"linepich_dashdotdot_0", 3.25f},
    {"linepich_dashdotdot_1", 1.25f}, {"linepich_dashdotdot_2", 1.25f}, {"linepich_dashdotdot_3", 1.25f},
    {"linepich_dashdotdot_4", 1.25f}, {"linepich_dashdotdot_5", 1.25f},
};
constexpr const char* kShapePitchText[CPlotInfo::kShapePitches] = {"0.6", "1.0", "1.66", "2.5", "4.0"};
constexpr double kShapePitch[CPlotInfo::kShapePitches] = {0.6, 1.0, 1.66, 2.5, 4.0};
constexpr int kWidthsScreen[CPlotInfo::kWallLineWidths] = {1, 2, 2, 2, 2, 3, 3, 3, 3, 3};
constexpr int kWidthsPrint[CPlotInfo::kWallLineWidths] = {3, 6, 9, 10, 12, 14, 16, 18, 19, 20};

// The integer keys of the block in the order they are written.
struct Field {
    std::string key;
    int CPlotInfo::*plain = nullptr;
    int CStyleSlot::*slot = nullptr;
    int slotIndex = 0;
};

std::vector<Field> MakeFields()
{
    std::vector<Field> f;
    auto plain = [&f](const char* key, int CPlotInfo::*m) { f.push_back({key, m, nullptr, 0}); };
    plain("PlotPaperSize", &CPlotInfo::m_paperSize);
    plain("PlotPaperSizeUserX", &CPlotInfo::m_paperUserX);
    plain("PlotPaperSizeUserY", &CPlotInfo::m_paperUserY);
    plain("PlotWallBlack", &CPlotInfo::m_wallBlack);
    plain("PlotWallColor", &CPlotInfo::m_wallColor);
    plain("PlotHasiraColor", &CPlotInfo::m_hasiraColor);
    plain("PlotWallWide", &CPlotInfo::m_wallWide);
    plain("PlotHasiraWide", &CPlotInfo::m_hasiraWide);
    plain("PlotScale", &CPlotInfo::m_scale);
    plain("PlotLinePita", &CPlotInfo::m_linePita);
    plain("PlotWallPita", &CPlotInfo::m_wallPita);
    plain("PlotMoveX", &CPlotInfo::m_moveX);
    plain("PlotMoveY", &CPlotInfo::m_moveY);
    plain("PlotSunpoTextHeight", &CPlotInfo::m_sunpoTextHeight);
    plain("PlotSunpokurai", &CPlotInfo::m_sunpoKurai);
    plain("PlotSirokuro", &CPlotInfo::m_sirokuro);
    plain("PlotGradation", &CPlotInfo::m_gradation);
    plain("PlotVx3D", &CPlotInfo::m_vx3D);
    plain("PlotImageWidth", &CPlotInfo::m_imageWidth);
    plain("PlotImageHeight", &CPlotInfo::m_imageHeight);
    auto slotKeys = [&f](const std::string& prefix, int CStyleSlot::*m) {
        for (int s = 0; s < CPlotInfo::kStyleSlots; ++s)
            f.push_back({prefix + std::to_string(s), nullptr, m, s});
    };
    slotKeys("PlotColor", &CStyleSlot::m_color);
    slotKeys("PlotNakaColor", &CStyleSlot::m_nakaColor);
    slotKeys("PlotNakaColor2", &CStyleSlot::m_nakaColor2);
    slotKeys("PlotGradiation", &CStyleSlot::m_gradiation);
    slotKeys("PlotNakaNuri", &CStyleSlot::m_nakaNuri);
    slotKeys("PlotbHach", &CStyleSlot::m_bHach);
    slotKeys("PlotPat", &CStyleSlot::m_pat);
    slotKeys("PlotAlpha", &CStyleSlot::m_alpha);
    slotKeys("PlotHachT", &CStyleSlot::m_hachT);
    slotKeys("PlotLineType", &CStyleSlot::m_lineType);
    slotKeys("PlotLineWide", &CStyleSlot::m_lineWide);
    // Slot 0's end-marker key carries no digit.
    f.push_back({"PlotLineTanten", nullptr, &CStyleSlot::m_tanten, 0});
    for (int s = 1; s < CPlotInfo::kStyleSlots; ++s)
        f.push_back({"PlotLineTanten" + std::to_string(s), nullptr, &CStyleSlot::m_tanten, s});
    plain("PlotLineYaWide", &CPlotInfo::m_lineYaWide);
    plain("PlotSunpoTanten", &CPlotInfo::m_sunpoTanten);
    plain("PlotVersion", &CPlotInfo::m_version);
    return f;
}

const std::vector<Field>& Fields()
{
    static const std::vector<Field> fields = MakeFields();
    return fields;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return out;
}

const Field* FindField(const std::string& key)
{
    static const std::unordered_map<std::string, const Field*> index = [] {
        std::unordered_map<std::string, const Field*> m;
        for (const Field& f : Fields())
            m.emplace(Lower(f.key), &f);
        return m;
    }();
    auto it = index.find(Lower(key));
    return it == index.end() ? nullptr : it->second;
}

int& Ref(CPlotInfo& p, const Field& f)
{
    return f.plain ? p.*f.plain : p.m_style[static_cast<std::size_t>(f.slotIndex)].*f.slot;
}

int Value(const CPlotInfo& p, const Field& f)
{
    return f.plain ? p.*f.plain : p.m_style[static_cast<std::size_t>(f.slotIndex)].*f.slot;
}

std::string Join(const std::string& folder, const char* name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

double SettingPitch(const CSettingsStore& store, const char* key, const std::string& def)
{
    return styleidx::SaneReal(DefAtof(store.GetString(kPlotMenu, key, def)), 0.0, styleidx::kMaxPrintedMm);
}
} // namespace

CPlotInfo::CPlotInfo()
{
    for (int i = 0; i < kDashPitches; ++i)
        m_linePich[i] = kDashKeys[i].def;
    ResetBuiltIn();
}

void CPlotInfo::ResetStyles() { m_style.fill(CStyleSlot{}); }

void CPlotInfo::ResetShared()
{
    m_vx3D = 0;
    ResetStyles();
}

void CPlotInfo::ResetBuiltIn()
{
    m_objInfo.ResetBuiltIn();
    m_layGray = 0;
    m_paperSize = 0;
    m_paperUserX = 297;
    m_paperUserY = 210;
    m_wallBlack = 2;
    m_wallColor = 0;
    m_hasiraColor = 0;
    m_wallWide = 50;
    m_wallType = 0;
    m_hasiraWide = 50;
    m_hasiraType = 0;
    m_scale = 1;
    m_linePita = 0;
    m_wallPita = 0;
    m_koutenPita = 0;
    m_moveX = 10;
    m_moveY = 10;
    m_sunpoTextHeight = 3;
    m_sunpoKurai = 0;
    m_sirokuro = 0;
    m_gradation = 0;
    m_imageWidth = 60;
    m_imageHeight = 60;
    m_lineHutosa = 1;
    for (int i = 0; i < kWallLineWidths; ++i) {
        m_lineHutosaG[i] = kWidthsScreen[i];
        m_lineHutosaP[i] = kWidthsPrint[i];
    }
    m_lineYaWide = 1;
    for (int i = 0; i < kShapePitches; ++i)
        m_keijPich[i] = kShapePitch[i];
    m_sunpoTanten = 0;
    m_version = kVersion;
    m_layer.ResetWithScale(1);
    ResetShared();
}

void CPlotInfo::Reset() { Reset(AppProfile()); }

void CPlotInfo::Reset(const CSettingsStore& store)
{
    if (store.GetInt(kUtility, "registset", 0) != 0) {
        m_version = kVersion;
        m_layGray = store.GetInt(kPlotMenu, "laygray", 1);
        m_paperSize = store.GetInt(kPlotMenu, "ensize", 0);
        m_paperUserX = store.GetInt(kPlotMenu, "sizeuserx", 297);
        m_paperUserY = store.GetInt(kPlotMenu, "sizeusery", 210);
        m_wallBlack = store.GetInt(kPlotMenu, "wallblack", 2);
        m_hasiraColor = store.GetInt(kPlotMenu, "hasiracolor", 0);
        m_wallWide = store.GetInt(kPlotMenu, "wallwide", 50);
        m_wallType = store.GetInt(kPlotMenu, "walltype", 0);
        m_hasiraWide = store.GetInt(kPlotMenu, "hasirawide", 50);
        m_hasiraType = store.GetInt(kPlotMenu, "hasiratype", 0);
        m_linePita = store.GetInt(kPlotMenu, "linepita", 0);
        m_wallPita = store.GetInt(kPlotMenu, "wallpita", 0);
        m_koutenPita = store.GetInt(kPlotMenu, "koutenpita", 0);
        m_moveX = store.GetInt(kPlotMenu, "movex", 10);
        m_moveY = store.GetInt(kPlotMenu, "movey", 10);
        m_sunpoTextHeight = store.GetInt(kPlotMenu, "sunpotextheight", 3);
        m_sirokuro = store.GetInt(kPlotMenu, "sirokuro", 0);
        m_gradation = store.GetInt(kPlotMenu, "gradation_view", 0);
        m_imageWidth = store.GetInt(kPlotMenu, "imagew", 60);
        m_imageHeight = store.GetInt(kPlotMenu, "imageh", 60);
        m_lineHutosa = store.GetInt(kPlotMenu, "linehutosa", 1);
        for (int i = 0; i < kWallLineWidths; ++i) {
            m_lineHutosaG[i] = store.GetInt(kPlotMenu, "linehutosag_" + std::to_string(i), kWidthsScreen[i]);
            m_lineHutosaP[i] = store.GetInt(kPlotMenu, "linehutosap_" + std::to_string(i), kWidthsPrint[i]);
        }
        m_lineYaWide = store.GetInt(kPlotMenu, "yawide", 1);
        m_scale = 1;
        // "grouppath" only records the last run's folder: the folder follows the folder settings.
        LoadDashPitches(store);
        m_objInfo.LoadSettings(store);
        // Wall colour, dimension precision and dimension end style stay as they were.
    } else {
        ResetBuiltIn(); // the dash pitches keep their values
    }
    LoadShapePitches(store);
    m_dataFolder = DataFolder(store);
    m_vx3D = 0;
    m_layer.Reset(store);
    ResetStyles();
}

void CPlotInfo::LoadDashPitches(const CSettingsStore& store)
{
    for (int i = 0; i < kDashPitches; ++i) {
        if (i == kDashDot3) // never loaded: the dash-dot pattern repeats its first gap instead
            continue;
        m_linePich[i] = static_cast<float>(SettingPitch(store, kDashKeys[i].key, SettingReal(kDashKeys[i].def)));
    }
}

void CPlotInfo::LoadShapePitches(const CSettingsStore& store)
{
    for (int i = 0; i < kShapePitches; ++i)
        m_keijPich[i] = SettingPitch(store, ("keij_pich_" + std::to_string(i + 1)).c_str(), kShapePitchText[i]);
}

std::string CPlotInfo::DataFolder(const CSettingsStore& store)
{
    std::string base = apppaths::UserDataDir();
    if (store.GetInt(kUtility, "path_data_flg", 0) != 0)
        base = store.GetString(kUtility, "path_set_forda", base);
    return Join(base, "data");
}

void CPlotInfo::SaveSettings(CSettingsStore& store) const
{
    store.WriteInt(kPlotMenu, "ensize", m_paperSize);
    store.WriteInt(kPlotMenu, "sizeuserx", m_paperUserX);
    store.WriteInt(kPlotMenu, "sizeusery", m_paperUserY);
    store.WriteInt(kPlotMenu, "wallblack", m_wallBlack);
    store.WriteInt(kPlotMenu, "hasiracolor", m_hasiraColor);
    store.WriteInt(kPlotMenu, "wallwide", m_wallWide);
    store.WriteInt(kPlotMenu, "hasirawide", m_hasiraWide);
    store.WriteInt(kPlotMenu, "walltype", m_wallType);
    store.WriteInt(kPlotMenu, "hasiratype", m_hasiraType);
    store.WriteInt(kPlotMenu, "sirokuro", m_sirokuro);
    store.WriteInt(kPlotMenu, "gradation_view", m_gradation);
    store.WriteInt(kPlotMenu, "linepita", m_linePita);
    store.WriteInt(kPlotMenu, "wallpita", m_wallPita);
    store.WriteInt(kPlotMenu, "koutenpita", m_koutenPita);
    store.WriteInt(kPlotMenu, "sunpotextheight", m_sunpoTextHeight);
    store.WriteInt(kPlotMenu, "movex", m_moveX);
    store.WriteInt(kPlotMenu, "movey", m_moveY);
    store.WriteInt(kPlotMenu, "imagew", m_imageWidth);
    store.WriteInt(kPlotMenu, "imageh", m_imageHeight);
    store.WriteString(kPlotMenu, "grouppath", m_dataFolder);
    store.WriteInt(kPlotMenu, "linehutosa", m_lineHutosa);
    for (int i = 0; i < kWallLineWidths; ++i) {
        store.WriteInt(kPlotMenu, "linehutosag_" + std::to_string(i), m_lineHutosaG[i]);
        store.WriteInt(kPlotMenu, "linehutosap_" + std::to_string(i), m_lineHutosaP[i]);
    }
    for (int i = 0; i < kShapePitches; ++i)
        store.WriteString(kPlotMenu, "keij_pich_" + std::to_string(i + 1), SettingReal(m_keijPich[i]));
    store.WriteInt(kPlotMenu, "laygray", m_layGray);
    store.WriteInt(kPlotMenu, "yawide", m_lineYaWide);
    m_objInfo.SaveSettings(store);
    for (int i = 0; i < kDashPitches; ++i)
        store.WriteString(kPlotMenu, kDashKeys[i].key, SettingReal(m_linePich[i]));
}

RD_STATUS CPlotInfo::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, "PlotLayer")) {
        m_layer.StartFill();
        return m_layer.Load(ar, name) ? RD_DONE : RD_ERROR;
    }
    if (DefIEquals(name, "LineObj"))
        return m_objInfo.Load(ar, name) ? RD_DONE : RD_ERROR;
    return RD_SKIP;
}

int CPlotInfo::OnReadData(const std::string& key, const std::string& value)
{
    const Field* f = FindField(key);
    if (!f)
        return 1;
    int v = DefAtoi(value);
    Ref(*this, *f) = v;
    if (f->plain == &CPlotInfo::m_scale)
        m_layer.SetKeyedScales(v);
    return 1;
}

int CPlotInfo::Write(CDefArchive* ar) const
{
    if (!WriteStart(ar, "PlotInfo"))
        return 0;
    for (const Field& f : Fields())
        if (!WriteDataInt(ar, f.key, Value(*this, f)))
            return 0;
    return m_objInfo.Write(ar) && m_layer.Write(ar) && WriteEnd(ar, "PlotInfo");
}

int CPlotInfo::LineWidthScreen(int widthClass) const
{
    return m_lineHutosaG[static_cast<std::size_t>(styleidx::SafeLineWide(widthClass) - 1)];
}

int CPlotInfo::LineWidthPrint(int widthClass) const
{
    return m_lineHutosaP[static_cast<std::size_t>(styleidx::SafeLineWide(widthClass) - 1)];
}

double CPlotInfo::MarkerSizeMm(int sizeClass) const
{
    return styleidx::SaneReal(m_keijPich[static_cast<std::size_t>(styleidx::SafeYaWide(sizeClass))], 0.0,
                              styleidx::kMaxPrintedMm);
}

int CPlotInfo::DashPattern(int lineType, float out[6]) const
{
    auto put = [&](std::initializer_list<int> idx) {
        int n = 0;
        for (int i : idx)
            out[n++] = static_cast<float>(styleidx::SaneReal(m_linePich[static_cast<std::size_t>(i)], 0.0,
                                                             styleidx::kMaxPrintedMm));
        return n;
    };
    switch (lineType) {
    case 1:
        return put({kDash0, kDash1});
    case 2:
        return put({kDot0, kDot1});
    case 3:
        return put({kDashDot0, kDashDot1, kDashDot2, kDashDot1});
    case 4:
        return put({kDashDotDot0, kDashDotDot1, kDashDotDot2, kDashDotDot3, kDashDotDot4, kDashDotDot5});
    default:
        return 0;
    }
}
