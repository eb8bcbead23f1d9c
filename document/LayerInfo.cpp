#include "document/LayerInfo.h"

#include "document/RecordText.h"

int CLayerInfo::OnReadData(const std::string& key, const std::string& value)
{
    if (DefIEquals(key, "DATA_LayerType"))
        m_type = DefAtoi(value);
    else if (key == "DATA_LayerStrName") // the name key has always been matched exactly
        m_name = value;
    return 1;
}

int CLayerInfo::Write(CDefArchive* ar, std::string_view blockName) const
{
    return WriteStart(ar, blockName) && WriteDataInt(ar, "DATA_LayerType", m_type)
           && WriteData(ar, "DATA_LayerStrName", OneLine(m_name)) && WriteEnd(ar, blockName);
}
