#include "document/PelLine.h"

#include "document/PlotInfo.h"

namespace {
bool Is(const std::string& key, const char* name) { return DefIEquals(key, name); }
} // namespace

int CPelLine::OnReadData(const std::string& key, const std::string& value)
{
    if (Is(key, "MLinePntX"))
        PelAppendX(m_points, value);
    else if (Is(key, "MLinePntY"))
        return PelSetLastY(m_points, value);
    else if (Is(key, "MLineParam"))
        m_params.push_back(PelReadReal(value));
    else if (Is(key, "MLineID"))
        m_id = DefAtoi(value);
    else if (Is(key, "MLinebNakanuri"))
        m_fill = DefAtoi(value);
    else if (Is(key, "MLineColor"))
        m_color = DefAtoi(value);
    else if (Is(key, "MLineNakaColor"))
        m_fillColor = DefAtoi(value);
    else if (Is(key, "MLineGradiation"))
        m_gradation = DefAtoi(value);
    else if (Is(key, "MLineNakaColor2"))
        m_fillColor2 = DefAtoi(value);
    else if (Is(key, "MLinebHach"))
        m_hatch = DefAtoi(value);
    else if (Is(key, "MLineHachT"))
        m_hatchType = DefAtoi(value);
    else if (Is(key, "MLineLineT"))
        m_lineType = DefAtoi(value);
    else if (Is(key, "MLinePattern"))
        m_pattern = DefAtoi(value);
    else if (Is(key, "MLineWide"))
        m_width = DefAtoi(value);
    else if (Is(key, "MLineTanten"))
        m_tanten = DefAtoi(value);
    else if (Is(key, "MLineYaWide"))
        m_arrowWidth = DefAtoi(value);
    else if (Is(key, "MLineAlpha"))
        m_alpha = DefAtoi(value);
    else if (Is(key, "MLineType"))
        m_type = DefAtoi(value);
    else if (Is(key, "MLineGrpID"))
        m_groupId = DefAtoi(value);
    else if (Is(key, "MLineLayer1"))
        m_layer1 = DefAtoi(value);
    else if (Is(key, "MLineLayer2"))
        m_layer2 = DefAtoi(value);
    return 1;
}

int CPelLine::Write(CDefArchive* ar) const
{
    bool ok = WriteStart(ar, kBlock) && WriteDataInt(ar, "MLineID", m_id) &&
              PelWritePoints(*this, ar, m_points, "MLinePntX", "MLinePntY");
    for (double p : m_params)
        ok = ok && WriteDataDouble(ar, "MLineParam", p);
    ok = ok && WriteDataInt(ar, "MLinebNakanuri", m_fill) && WriteDataInt(ar, "MLineColor", m_color) &&
         WriteDataInt(ar, "MLineNakaColor", m_fillColor) && WriteDataInt(ar, "MLineGradiation", m_gradation) &&
         WriteDataInt(ar, "MLineNakaColor2", m_fillColor2) && WriteDataInt(ar, "MLinebHach", m_hatch) &&
         WriteDataInt(ar, "MLineHachT", m_hatchType) && WriteDataInt(ar, "MLineLineT", m_lineType) &&
         WriteDataInt(ar, "MLinePattern", m_pattern) && WriteDataInt(ar, "MLineWide", m_width) &&
         WriteDataInt(ar, "MLineTanten", m_tanten) && WriteDataInt(ar, "MLineYaWide", m_arrowWidth) &&
         WriteDataInt(ar, "MLineAlpha", m_alpha) && WriteDataInt(ar, "MLineType", m_type) &&
         WriteDataInt(ar, "MLineGrpID", m_groupId) && WriteDataInt(ar, "MLineLayer1", m_layer1) &&
         WriteDataInt(ar, "MLineLayer2", m_layer2) && WriteEnd(ar, kBlock);
    return ok ? 1 : 0;
}

int CPelLine::MinPoints() const
{
    switch (m_type) {
    case Straight: return 2;
    case Rect: return 4;
    case Polygon: return 3;
    case Circle: return 1;
    case Arc: return 3;
    case Dimension: return 3;
    case Polyline: return 2;
    default: return 0;
    }
}

int CPelLine::MinParams() const
{
    switch (m_type) {
    case Circle:
    case Arc: return 1; // the radius
    case Dimension: return 4; // side, length, offset, text height
    default: return 0;
    }
}

bool CPelLine::IsComplete() const
{
    if (m_type < Straight || m_type > Polyline)
        return false;
    return static_cast<int>(m_points.size()) >= MinPoints() && static_cast<int>(m_params.size()) >= MinParams();
}

void CPelLine::StyleToSlot(CPlotInfo& plot) const
{
    CStyleSlot& s = plot.Style(m_type);
    s.m_color = m_color;
    s.m_nakaColor = m_fillColor;
    s.m_nakaColor2 = m_fillColor2;
    s.m_gradiation = m_gradation;
    s.m_nakaNuri = m_fill;
    s.m_bHach = m_hatch;
    s.m_hachT = m_hatchType;
    s.m_pat = m_pattern;
    s.m_lineType = m_lineType;
    s.m_lineWide = m_width;
    s.m_tanten = m_tanten;
    s.m_alpha = m_alpha;
    plot.m_lineYaWide = m_arrowWidth; // one size for every slot
}

void CPelLine::SlotToStyle(const CPlotInfo& plot)
{
    const CStyleSlot& s = plot.Style(m_type);
    m_color = s.m_color;
    m_fillColor = s.m_nakaColor;
    m_fillColor2 = s.m_nakaColor2;
    m_gradation = s.m_gradiation;
    m_fill = s.m_nakaNuri;
    m_hatch = s.m_bHach;
    m_hatchType = s.m_hachT;
    m_pattern = s.m_pat;
    m_lineType = s.m_lineType;
    m_width = s.m_lineWide;
    m_tanten = s.m_tanten;
    m_alpha = s.m_alpha;
    m_arrowWidth = plot.m_lineYaWide;
}
