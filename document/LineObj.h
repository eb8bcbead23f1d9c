#pragma once
// A map line object drawn along its points with a width: road, railway or river.
#include "document/PelRecord.h"

class CLineObj : public CDefFile {
public:
    enum Kind { Road = 0, Railway = 1, River = 2 };
    enum DrawType { Straight = 0, Curve = 1, Lines = 2, SmoothCurve = 3, Area = 4 };
    static constexpr const char* kBlock = "BLK_UnitObj";

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // Points and parameters the drawing form needs; fewer are kept as read but not drawn.
    int MinPoints() const;
    int MinParams() const;
    bool IsComplete() const;

    int m_id = 1;
    std::vector<PelPoint> m_points;
    std::vector<double> m_params;
    int m_type = 0;
    int m_drawType = 0;
    int m_wide = 0;       // 0 to 4 (as read; drawing clamps it into the five widths)
    int m_flag1 = 0;      // road: centre line style; railway: 0 JR, 1 private, 2 subway
    int m_flag2 = 0;      // end caps
    int m_raised = 0;
    int m_color = 0;
    int m_edge = -1;      // -1: not in the file, filled in by the loader
    int m_edgeColor = 0;
    int m_layer1 = 0;
    int m_layer2 = 0;
};
