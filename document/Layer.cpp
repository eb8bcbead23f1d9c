#include "document/Layer.h"

#include "ardelib/SettingsStore.h"
#include "platform/Profile.h"

#include <algorithm>
#include <string>

namespace {
const char kPlotMenu[] = "QLA_T_PlotMenu";

// "Layer_Scale<n>" for n in 0-15, else -1.
int ScaleKeyIndex(const std::string& key)
{
    constexpr std::string_view prefix = "Layer_Scale";
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 2
        || !DefIEquals(std::string_view(key).substr(0, prefix.size()), prefix))
        return -1;
    int n = 0;
    for (std::size_t i = prefix.size(); i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9')
            return -1;
        n = n * 10 + (key[i] - '0');
    }
    // "Layer_Scale01" is not a key of ours.
    if (key.size() == prefix.size() + 2 && key[prefix.size()] == '0')
        return -1;
    return n < CLayer::kScaleKeys ? n : -1;
}
} // namespace

CLayer::CLayer() { ResetWithScale(1); m_scales.fill(1); }

void CLayer::Reset() { Reset(AppProfile()); }

void CLayer::Reset(const CSettingsStore& store)
{
    int s = store.GetInt(kPlotMenu, "scale", 1);
    ResetWithScale(s);
    for (int i = 0; i < kScaleKeys; ++i)
        m_scales[i] = store.GetInt(kPlotMenu, "scale" + std::to_string(i), s);
}

void CLayer::ResetWithScale(int scale)
{
    m_edit1 = 0;
    m_edit2 = 0;
    // The spare rows and columns 16 and 17 are cleared too: a new document must not
    // carry names of the previous one into its file.
    for (CLayerInfo& info : m_layers)
        info.Clear();
    for (CLayerInfo& info : m_groupInfos)
        info.Clear();
    SetKeyedScales(scale);
}

void CLayer::SetKeyedScales(int scale) { std::fill(m_scales.begin(), m_scales.begin() + kScaleKeys, scale); }

void CLayer::StartFill()
{
    m_fillGroupInfo = 0;
    m_fillGroup = 0;
    m_fillLayer = 0;
}

RD_STATUS CLayer::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, "BLK_LayerInfo")) {
        // Blocks beyond the table are skipped: no file written by us holds more.
        if (m_fillGroup >= kTableGroups)
            return RD_SKIP;
        CLayerInfo& info = m_layers[m_fillGroup * kTableLayers + m_fillLayer];
        if (!info.Load(ar, name))
            return RD_ERROR;
        if (++m_fillLayer >= kTableLayers) {
            m_fillLayer = 0;
            ++m_fillGroup;
        }
        return RD_DONE;
    }
    if (DefIEquals(name, "BLK_GrpLayerInfo")) {
        if (m_fillGroupInfo >= kTableGroups)
            return RD_SKIP;
        if (!m_groupInfos[m_fillGroupInfo].Load(ar, name))
            return RD_ERROR;
        ++m_fillGroupInfo;
        return RD_DONE;
    }
    return RD_SKIP;
}

int CLayer::OnReadData(const std::string& key, const std::string& value)
{
    if (DefIEquals(key, "Layer_Edit1"))
        m_edit1 = DefAtoi(value);
    else if (DefIEquals(key, "Layer_Edit2"))
        m_edit2 = DefAtoi(value);
    else if (int i = ScaleKeyIndex(key); i >= 0)
        m_scales[i] = DefAtoi(value);
    return 1;
}

int CLayer::Write(CDefArchive* ar) const
{
    if (!WriteStart(ar, "PlotLayer") || !WriteDataInt(ar, "Layer_Edit1", m_edit1)
        || !WriteDataInt(ar, "Layer_Edit2", m_edit2))
        return 0;
    for (int i = 0; i < kScaleKeys; ++i)
        if (!WriteDataInt(ar, "Layer_Scale" + std::to_string(i), m_scales[i]))
            return 0;
    for (const CLayerInfo& info : m_layers)
        if (!info.Write(ar, "BLK_LayerInfo"))
            return 0;
    for (const CLayerInfo& info : m_groupInfos)
        if (!info.Write(ar, "BLK_GrpLayerInfo"))
            return 0;
    return WriteEnd(ar, "PlotLayer");
}

const CLayerInfo* CLayer::Info(int group, int layer) const
{
    return InTable(group, layer) ? &m_layers[group * kTableLayers + layer] : nullptr;
}

CLayerInfo* CLayer::Info(int group, int layer)
{
    return InTable(group, layer) ? &m_layers[group * kTableLayers + layer] : nullptr;
}

const CLayerInfo* CLayer::GroupInfo(int group) const
{
    return group >= 0 && group < kTableGroups ? &m_groupInfos[group] : nullptr;
}

CLayerInfo* CLayer::GroupInfo(int group)
{
    return group >= 0 && group < kTableGroups ? &m_groupInfos[group] : nullptr;
}

bool CLayer::IsShown(int group, int layer) const
{
    // An object on a layer that does not exist cannot be reached by any layer switch: keep it off the sheet.
    const CLayerInfo* info = Info(group, layer);
    return info && !info->IsHidden();
}

int CLayer::Scale(int group) const
{
    if (group < 0 || group >= kTableGroups)
        return 1;
    int s = m_scales[group];
    return s < 1 ? 1 : s;
}

int CLayer::EditGroup() const { return std::clamp(m_edit1, 0, kGroups - 1); }
int CLayer::EditLayer() const { return std::clamp(m_edit2, 0, kLayers - 1); }
