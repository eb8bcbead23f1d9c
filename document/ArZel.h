#pragma once
// The imported plans of a document ("ArZel"), and their plan counter.
#include "document/Zel.h"

class CArZel : public CDefFile {
public:
    static constexpr const char* kBlock = "ArZel";
    static constexpr int kIdLimit = 32000;

    CArZel() = default;
    CArZel(const CArZel&) = delete;
    CArZel& operator=(const CArZel&) = delete;

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    int Write(CDefArchive* ar) const;

    // Lets go of every plan; the counter back to 1.
    void Reset(int mode);
    // Shares every plan of src (a change goes through PelEdit).
    void CopyFrom(const CArZel& src);
    // As the record IDs: next free plan ID, 0 after a message when none is left.
    int NextId();
    int IndexOf(int id) const { return PelIndexOf(m_plans, id); }

    PelList<CZel> m_plans;
    int m_counter = 1; // "ArZELID": the last plan ID handed out
};

// What "PlotVersion" becomes when a plan is taken in: versions ending in 01 are 200.
int ZelVersionRule(int version);

// The plans selected in the view (not stored in the file).
struct CZelSelection {
    int m_count = 0;
    int m_handle = 0; // 0 moves the plan; 1-4 the corner being dragged
    std::vector<int> m_ids;
    void Clear()
    {
        m_count = 0;
        m_handle = 0;
        m_ids.clear();
    }
};

// How plans are placed, from section QLA_T_PlotMenu when the document is made.
struct CZelImportOptions {
    int m_syuku = 0;        // "zelread_syuku": fixed-scale placement
    int m_syukuAtai = 500;  // "zelread_syuku_atai": its scale denominator
    int m_sirokuro = 0;     // "zelread_sirokuro": 0 keep, 1 monochrome off, 2 on
    int m_mode = 0;         // "zelread_mode": 0 registered-drawing chooser, 1 open dialog
};
