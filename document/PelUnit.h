#pragma once
// Every drawn object of one drawing: the flyer, an imported plan, a part or an undo
// snapshot. Owns its records, hands out their IDs and reads and writes "PelUnit".
#include "document/LineObj.h"
#include "document/PelGroup.h"
#include "document/PelImage.h"
#include "document/PelLine.h"
#include "document/PelRecord.h"
#include "document/PelText.h"
#include "document/PelWall.h"

class CPlotInfo;

class CPelUnit : public CDefFile {
public:
    enum Kind { KindGroup, KindLine, KindWall, KindText, KindPicture, KindObject, KindCount };
    static constexpr int kIdLimit = 32000;
    static constexpr int kPictureIdLimit = 6200;
    static constexpr const char* kBlock = "PelUnit";
    // Shown when a kind has used up every ID and a record cannot be created.
    static constexpr const char* kNoFreeId = "図形の数が上限に達したため、これ以上作成できません。";

    CPelUnit() = default;
    ~CPelUnit() override;
    CPelUnit(const CPelUnit&) = delete;
    CPelUnit& operator=(const CPelUnit&) = delete;

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;

    // Reads the body of the block name; the prefix goes to every picture created.
    // 1 when the block's end line was reached.
    int Read(CDefArchive* ar, std::string_view name, int prefixFlag = 0, int prefixValue = 0);
    // The whole block: counters, then groups, walls, lines, texts, pictures, objects.
    int Write(CDefArchive* ar, std::string_view name = kBlock) const;

    // Mode 0: the document's unit; 2: a snapshot; 1: before a copy. A picture's working
    // file and bitmap are shared with its copies and go with the last picture that
    // holds them, whatever the mode.
    void Reset(int mode, int prefixFlag = 0, int prefixValue = 0);
    // A copy of every record, sharing each until one side changes it; the source's
    // counters. Cheap enough for an undo snapshot of any drawing.
    void CopyFrom(const CPelUnit& src);

    // The next free ID of a kind, counter advanced; 0, after a message, when every ID
    // of the kind is in use (the creation must then be refused).
    int NextId(Kind kind);
    // A new line of kind with the next line ID, the style of its slot and the edit
    // layers, appended to the lines; nullptr (after the message) when no ID is free.
    CPelLine* AddLine(int kind, const CPlotInfo& plot);
    static int IdLimit(Kind kind) { return kind == KindPicture ? kPictureIdLimit : kIdLimit; }

    int IndexOfGroup(int id) const { return PelIndexOf(m_groups, id); }
    int IndexOfLine(int id) const { return PelIndexOf(m_lines, id); }
    int IndexOfWall(int id) const { return PelIndexOf(m_walls, id); }
    int IndexOfObject(int id) const { return PelIndexOf(m_objects, id); }
    int IndexOfText(int id) const { return PelIndexOf(m_texts, id); }
    int IndexOfPicture(int id) const { return PelIndexOf(m_pictures, id); }
    // Deletes the first picture with this ID; 1 if there was one.
    int RemovePicture(int id);

    int PrefixFlag() const { return m_prefixFlag; }
    int PrefixValue() const { return m_prefixValue; }

    PelList<CPelGroup> m_groups;
    PelList<CPelLine> m_lines;
    PelList<CPelWall> m_walls;
    PelList<CLineObj> m_objects;
    PelList<CPelText> m_texts;
    PelList<CPelImage> m_pictures;
    // The last ID handed out, per kind (MUnitGrpID … MUnitObjID).
    int m_counter[KindCount] = {1, 1, 1, 1, 1, 1};

private:
    // The IDs in use of a kind.
    std::vector<int> IdsOf(Kind kind) const;
    RD_STATUS ReadPicture(CDefArchive* ar, const std::string& name);

    int m_prefixFlag = 0;
    int m_prefixValue = 0;
};
