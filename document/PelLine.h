#pragma once
// A line-shaped object: straight line, rectangle, polygon, circle or ellipse, arc,
// dimension line or polyline (MLineType 0 to 6).
#include "document/PelRecord.h"

class CPlotInfo;

class CPelLine : public CDefFile {
public:
    enum Kind { Straight = 0, Rect = 1, Polygon = 2, Circle = 3, Arc = 4, Dimension = 5, Polyline = 6 };
    static constexpr const char* kBlock = "BLK_UnitLine";

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // The style slot of the plot settings this kind uses: k for kinds 1-4, else 0.
    int StyleSlot() const { return m_type >= 1 && m_type <= 4 ? m_type : 0; }
    // Points and parameters this kind needs to be drawn; a record with fewer is
    // kept as read, but drawing and editing must pass it by.
    int MinPoints() const;
    int MinParams() const;
    bool IsComplete() const;

    // Copies the style fields to the slot of this kind in the plot settings, and back.
    void StyleToSlot(CPlotInfo& plot) const;
    void SlotToStyle(const CPlotInfo& plot);

    int m_id = 0;
    std::vector<PelPoint> m_points;
    std::vector<double> m_params;
    int m_fill = 0;
    int m_color = 0;
    int m_fillColor = 16777215;
    int m_gradation = 1;
    int m_fillColor2 = 16777215;
    int m_hatch = 0;
    int m_hatchType = 3;
    int m_lineType = 0;
    int m_pattern = 0;
    int m_width = 1;
    int m_tanten = 0;
    int m_arrowWidth = 1;
    int m_alpha = 100;
    int m_type = 0;
    int m_groupId = 0;
    int m_layer1 = 0;
    int m_layer2 = 0;
};
