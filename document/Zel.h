#pragma once
// An imported floor plan or map: a whole drawing of a sibling program placed on the
// sheet, with its own plot settings, grid and drawing unit.
#include "document/Grid.h"
#include "document/PelUnit.h"
#include "document/PlotInfo.h"

class CZel : public CDefFile {
public:
    static constexpr const char* kBlock = "Zel_Unit";
    // Plan types ("Zel_Type").
    enum Type { TypePlan = 0, TypePlanPro = 1, TypeMap = 2 };

    CZel() = default;
    // A copy whose drawing unit shares the source's records.
    CZel(const CZel& src) : CDefFile(src) { CopyFrom(src); }
    CZel& operator=(const CZel&) = delete;

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    // The "Zel_Unit" block: the Zel_ keys but the type, the three blocks, then the type
    // (read after the plot settings, since the type rule looks at their version).
    int Write(CDefArchive* ar) const;

    // Built-in plot settings, grid reset, drawing unit reset in mode with the plan ID as prefix.
    void Reset(int mode);
    void CopyFrom(const CZel& src);
    // Rescales the plan to 1 : a (0 counts as 1). withObjectWidths: the application's
    // "objhabascale" switch (map object widths follow the printed scale).
    void ChangeScale(int a, bool withObjectWidths);
    // Corner 1-4 of the frame (1 top left, 2 bottom left, 3 bottom right, 4 top right).
    PelPoint Corner(int handle) const;

    int m_id = 0;
    double m_orgX = 0.0;
    double m_orgY = 0.0;
    double m_haba = 0.0;   // half the side of the square frame, mm
    int m_orgScale = -1;   // PlotScale when placed; -1 not set
    CPlotInfo m_plot;
    CGrid m_grid;
    CPelUnit m_unit;
    int m_type = TypePlan;
    int m_layerG = 0;
    int m_layerN = 0;
};
