#include "document/Zel.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(v), double(INT_MIN), double(INT_MAX)));
}
} // namespace

RD_STATUS CZel::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, "PlotInfo")) {
        double width = m_plot.m_objInfo.m_wide[2];
        if (!m_plot.Load(ar, name))
            return RD_ERROR;
        // Older maps stored widths already scaled to the placement; remember that.
        int v = m_plot.m_version;
        if (v % 10000 == 2000 && v < 32000 && m_plot.m_scale != 0 &&
            std::fabs(width * m_orgScale / m_plot.m_scale - m_plot.m_objInfo.m_wide[2]) < 0.001)
            m_plot.m_objInfo.m_wideScaled = 1;
        return RD_DONE;
    }
    if (DefIEquals(name, "Grid"))
        return m_grid.Load(ar, name) ? RD_DONE : RD_ERROR;
    if (DefIEquals(name, CPelUnit::kBlock))
        return m_unit.Read(ar, name, 1, m_id) ? RD_DONE : RD_ERROR;
    return RD_SKIP;
}

int CZel::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "Zel_ID"))
        m_id = DefAtoi(value);
    else if (Is(key, "Zel_OrgX"))
        m_orgX = PelReadReal(value);
    else if (Is(key, "Zel_OrgY"))
        m_orgY = PelReadReal(value);
    else if (Is(key, "Zel_Haba"))
        m_haba = PelReadReal(value);
    else if (Is(key, "Zel_OrgScale"))
        m_orgScale = DefAtoi(value);
    else if (Is(key, "Zel_Type")) {
        m_type = DefAtoi(value);
        if (m_type == TypeMap && (m_plot.m_version <= 19999 || m_plot.m_version == 20001))
            m_plot.m_version = 2000;
    } else if (Is(key, "Zel_LayerG"))
        m_layerG = DefAtoi(value);
    else if (Is(key, "Zel_LayerN"))
        m_layerN = DefAtoi(value);
    return 1;
}

int CZel::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "Zel_ID", m_id) && WriteDataDouble(ar, "Zel_OrgX", m_orgX) &&
              WriteDataDouble(ar, "Zel_OrgY", m_orgY) && WriteDataDouble(ar, "Zel_Haba", m_haba) &&
              WriteDataInt(ar, "Zel_OrgScale", m_orgScale) && WriteDataInt(ar, "Zel_LayerG", m_layerG) &&
              WriteDataInt(ar, "Zel_LayerN", m_layerN) && m_plot.Write(ar) && m_grid.Write(ar) && m_unit.Write(ar) &&
              WriteDataInt(ar, "Zel_Type", m_type) && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}

void CZel::Reset(int mode)
{
    m_plot.ResetBuiltIn();
    m_grid.Reset();
    m_unit.Reset(mode, 1, m_id);
}

void CZel::CopyFrom(const CZel& src)
{
    if (&src == this)
        return;
    m_id = src.m_id;
    m_type = src.m_type;
    m_orgX = src.m_orgX;
    m_orgY = src.m_orgY;
    m_haba = src.m_haba;
    m_orgScale = src.m_orgScale;
    m_plot = src.m_plot;
    m_grid = src.m_grid;
    m_layerG = src.m_layerG;
    m_layerN = src.m_layerN;
    m_unit.Reset(1, 1, m_id);
    m_unit.CopyFrom(src.m_unit);
}

void CZel::ChangeScale(int a, bool withObjectWidths)
{
    if (a == 0)
        a = 1;
    // The group-0 scale as drawing uses it: never below 1, so nothing divides by zero.
    double b = m_plot.m_layer.Scale(0);
    double f = b / a;
    m_plot.m_scale = a;
    for (int g = 0; g < CLayer::kScaleKeys; ++g)
        m_plot.m_layer.m_scales[static_cast<std::size_t>(g)] =
            TruncToInt(m_plot.m_layer.m_scales[static_cast<std::size_t>(g)] / f);
    m_plot.m_sunpoTextHeight = std::max(1, TruncToInt(f * m_plot.m_sunpoTextHeight));
    if (withObjectWidths && m_plot.m_version < 32000)
        for (double& w : m_plot.m_objInfo.m_wide)
            w *= f;
    m_plot.m_objInfo.m_tJrPitch *= f;
    if (m_plot.m_objInfo.m_tJrPitch == 0)
        m_plot.m_objInfo.m_tJrPitch = 1;
    // Texts (font height, letter height) and pictures (offsets and size) scale by f too.
}

PelPoint CZel::Corner(int handle) const
{
    switch (handle) {
    case 1: return {m_orgX - m_haba, m_orgY - m_haba};
    case 2: return {m_orgX - m_haba, m_orgY + m_haba};
    case 3: return {m_orgX + m_haba, m_orgY + m_haba};
    case 4: return {m_orgX + m_haba, m_orgY - m_haba};
    default: return {m_orgX, m_orgY};
    }
}
