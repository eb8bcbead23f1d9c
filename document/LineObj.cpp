#include "document/LineObj.h"

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }
} // namespace

int CLineObj::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "MObjPntX"))
        PelAppendX(m_points, value);
    else if (Is(key, "MObjPntY"))
        return PelSetLastY(m_points, value);
    else if (Is(key, "MObjParam"))
        m_params.push_back(PelReadReal(value));
    else if (Is(key, "MObjID"))
        m_id = DefAtoi(value);
    else if (Is(key, "MObjType"))
        m_type = DefAtoi(value);
    else if (Is(key, "MObjDrawType"))
        m_drawType = DefAtoi(value);
    else if (Is(key, "MObjWide"))
        m_wide = DefAtoi(value);
    else if (Is(key, "MObjFlg1"))
        m_flag1 = DefAtoi(value);
    else if (Is(key, "MObjFlg2"))
        m_flag2 = DefAtoi(value);
    else if (Is(key, "MObjRittai"))
        m_raised = DefAtoi(value);
    else if (Is(key, "MObjColor"))
        m_color = DefAtoi(value);
    else if (Is(key, "MObjHuchi"))
        m_edge = DefAtoi(value);
    else if (Is(key, "MObjHuchiColor"))
        m_edgeColor = DefAtoi(value);
    else if (Is(key, "MObjLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "MObjLayer2"))
        m_layer2 = DefAtoi(value);
    return 1;
}

int CLineObj::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "MObjID", m_id) &&
              PelWritePoints(*this, ar, m_points, "MObjPntX", "MObjPntY");
    for (double p : m_params)
        ok = ok && WriteDataDouble(ar, "MObjParam", p);
    ok = ok && WriteDataInt(ar, "MObjType", m_type) && WriteDataInt(ar, "MObjDrawType", m_drawType) &&
         WriteDataInt(ar, "MObjWide", m_wide) && WriteDataInt(ar, "MObjFlg1", m_flag1) &&
         WriteDataInt(ar, "MObjFlg2", m_flag2) && WriteDataInt(ar, "MObjRittai", m_raised) &&
         WriteDataInt(ar, "MObjColor", m_color) && WriteDataInt(ar, "MObjHuchi", m_edge) &&
         WriteDataInt(ar, "MObjHuchiColor", m_edgeColor) && WriteDataInt(ar, "MObjLayer1", m_layer1) &&
         WriteDataInt(ar, "MObjLayer2", m_layer2) && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}

int CLineObj::MinPoints() const
{
    switch (m_drawType) {
    case Straight: return 2;
    case Curve: return 4;
    case Lines:
    case SmoothCurve: return 2;
    case Area: return 3;
    default: return 0;
    }
}

int CLineObj::MinParams() const { return m_drawType == Curve ? 1 : 0; }

bool CLineObj::IsComplete() const
{
    if (m_drawType < Straight || m_drawType > Area)
        return false;
    return static_cast<int>(m_points.size()) >= MinPoints() && static_cast<int>(m_params.size()) >= MinParams();
}
