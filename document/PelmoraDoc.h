#pragma once
// The one document of the window: a flyer laid out on one sheet.
#include "ardelib/DefFile.h"
#include "document/ArZel.h"
#include "document/FontMenu.h"
#include "document/Grid.h"
#include "document/PelUnit.h"
#include "document/PlotInfo.h"
#include "document/Selection.h"
#include "document/UndoHistory.h"

#include <string>
#include <vector>

class CSettingsStore;

class CPelmoraDoc {
public:
    CPelmoraDoc();
    virtual ~CPelmoraDoc();
    CPelmoraDoc(const CPelmoraDoc&) = delete;
    CPelmoraDoc& operator=(const CPelmoraDoc&) = delete;

    // The window's document type: title, new-file name, filter, extension.
    static constexpr const char* kWindowTitle = "OltraneQL03";
    static constexpr const char* kNewFileName = "Oltrane";
    static constexpr const char* kFilterName = "Oltrane登録ﾌｧｲﾙ(*.q_l)";
    static constexpr const char* kExtension = ".q_l";
    static constexpr const char* kTypeName = "Oltrane登録ﾌｧｲﾙ";

    // Empties everything and re-seeds the undo lists.
    void DeleteContents();
    bool OnNewDocument();
    // Reset, then read. False when the open failed as a whole (the document is then
    // empty and the failure has been shown); a file that could not be read but did not
    // fail the open (no "ZELDATA", archiver failure) still gives true.
    bool OnOpenDocument(const std::string& path);
    // Saves the plain form; false, after a message, when the file could not be written
    // completely (the previous file is then as it was).
    bool OnSaveDocument(const std::string& path);

    // Reads a document from ar; path is the file it comes from, for the compressed form.
    void Read(CDefArchive* ar, const std::string& path);
    int Write(CDefArchive* ar) const;

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }
    // The file name shown in the window title; the new-file name for a new document.
    std::string GetTitle() const;

    // The top-level blocks met inside "ZELDATA" in the last read, in order.
    const std::vector<std::string>& ReadBlocks() const { return m_readBlocks; }

    // The drawing unit.
    CPelUnit m_unit;

    // Plans of format 21001 or older: monochrome off, version 22001. Runs after the
    // imported plans are read, which clear their own monochrome switches here too.
    void ApplyVersionFixup();
    // The mirror of the plot settings, grid and current text font that the next
    // program run starts from; sets "registset".
    void SaveSettingsMirror(CSettingsStore& store) const;

    // Places the plan or map file at path (".zel", ".trn", ".v_x") on the edit layer:
    // centre origin, half side half (mm); a scale denominator newScale > 0 rescales it.
    // Returns the plan, selected alone, or nullptr after a message when it is refused.
    CZel* PlacePlan(const std::string& path, PelPoint origin, double half, int newScale);
    // A new document holding the file at path as its one plan, centred on the sheet
    // (what the headless commands do with a plan or map file). False after a message.
    bool OpenPlanFile(const std::string& path);
    // True for the extensions of the sibling programs' plan and map files.
    static bool IsPlanFile(const std::string& path);

    // The imported plans.
    CArZel m_arZel;
    CZelSelection m_zelSel;
    // The selected objects of the drawing unit.
    CSelection m_sel;
    // Snapshots of the drawing unit and the plans, taken before each change.
    CUndoHistory m_undo;
    // Before a change of the drawing or the plans: one undo step.
    void Snapshot() { m_undo.Snapshot(m_unit, m_arZel); }
    // Undo or redo one step; false when there was none. Undo clears both selections.
    bool Undo();
    bool Redo();
    CZelImportOptions m_zelOptions;

    CPlotInfo m_plotInfo;  // "PlotInfo": paper, style slots, layers
    CGrid m_grid;          // "Grid"
    CFontMenu m_textFont;  // the font new plain texts copy
    int m_toolMode = 0;
    int m_fitPending = 1;

    // Counts every change of what the page shows; a view redraws when it moved on.
    unsigned Revision() const { return m_revision; }
    // Announces a change of what the page shows (settings, switches, the drawing).
    void Touch() { ++m_revision; }
    // A change of the drawing: shown and to be saved.
    void Changed()
    {
        Touch();
        m_modified = true;
    }

private:
    friend class CPelmoraDocLoad;
    void ReadDocumentBlock(CDefArchive* ar);
    void ReadCompressed(const std::string& path);
    // Map line objects read without "MObjHuchi" take the current object settings.
    void FillMissingObjectEdges();

    bool m_modified = false;
    unsigned m_revision = 1;
    std::string m_pathName;
    std::vector<std::string> m_readBlocks;
};

// Reads the level-1 blocks of "ZELDATA" into the document.
class CPelmoraDocLoad : public CDefFile {
public:
    explicit CPelmoraDocLoad(CPelmoraDoc* doc) : m_doc(doc) {}
    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;

private:
    CPelmoraDoc* m_doc;
};
