#pragma once
// One layer, or one layer group: its display type and its name.
#include "ardelib/DefFile.h"

#include <string>
#include <string_view>

class CLayerInfo : public CDefFile {
public:
    static constexpr int kHidden = 2;

    int m_type = 0;     // "DATA_LayerType": 2 hidden, anything else shown
    std::string m_name; // "DATA_LayerStrName", code page 932

    bool IsHidden() const { return m_type == kHidden; }
    void Clear()
    {
        m_type = 0;
        m_name.clear();
    }

    int OnReadData(const std::string& key, const std::string& value) override;
    // The block with both keys.
    int Write(CDefArchive* ar, std::string_view blockName) const;
};
