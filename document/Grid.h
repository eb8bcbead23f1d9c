#pragma once
// The grid of the sheet and its ruler marks.
#include "ardelib/DefFile.h"

class CSettingsStore;

class CGrid : public CDefFile {
public:
    int m_visible = 1;    // "GridVisible" (written, never read back)
    int m_w = 5;          // "GridW": horizontal spacing, mm
    int m_d = 5;          // "GridD": vertical spacing, mm
    int m_kyutyaku = 0;   // "GridKyutyaku" (written, never read back): snap to the grid
    int m_memori = 1;     // "GridMemori": ruler marks shown
    int m_memoriType = 0; // "GridMemoriType": 0 real lengths, 1 counts of marks

    // From section QLA_T_GridMenu when "registset" is on, else the built-in values.
    void Reset();
    void Reset(const CSettingsStore& store);
    void ResetBuiltIn();
    void SaveSettings(CSettingsStore& store) const;

    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // Spacings drawing and snapping may step by: never below 1 mm.
    int StepW() const { return m_w < 1 ? 1 : m_w; }
    int StepD() const { return m_d < 1 ? 1 : m_d; }
    // Snapping holds only while the grid is shown.
    bool Snaps() const { return m_visible != 0 && m_kyutyaku != 0; }
};
