#include "document/PelUnit.h"

#include "ardelib/Message.h"
#include "document/PlotInfo.h"

namespace {
const char* const kCounterKeys[CPelUnit::KindCount] = {"MUnitGrpID",  "MUnitLineID",  "MUnitWallID",
                                                       "MUnitTextID", "MUnitImageID", "MUnitObjID"};

// Reads one record block into a new record and appends it; a failed read discards it.
template <class T>
RD_STATUS ReadRecord(CDefArchive* ar, const std::string& name, PelList<T>& list)
{
    auto rec = std::make_unique<T>();
    if (!rec->Load(ar, name))
        return RD_ERROR;
    list.push_back(std::move(rec));
    return RD_DONE;
}
} // namespace

CPelUnit::~CPelUnit() = default;

RD_STATUS CPelUnit::ReadPicture(CDefArchive* ar, const std::string& name)
{
    auto pic = std::make_unique<CPelImage>();
    pic->m_prefixFlag = m_prefixFlag;
    pic->m_prefixValue = m_prefixValue;
    // A failed read discards the record, and with it any working file it made.
    if (!pic->Load(ar, name))
        return RD_ERROR;
    // 4-bit run-length pictures are dropped without a word.
    if (pic->IsRle4())
        return RD_DONE;
    m_pictures.push_back(std::move(pic));
    return RD_DONE;
}

int CPelUnit::RemovePicture(int id)
{
    int i = IndexOfPicture(id);
    if (i < 0)
        return 0;
    m_pictures.erase(m_pictures.begin() + i);
    return 1;
}

RD_STATUS CPelUnit::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (DefIEquals(name, CPelGroup::kBlock))
        return ReadRecord(ar, name, m_groups);
    if (DefIEquals(name, CPelLine::kBlock))
        return ReadRecord(ar, name, m_lines);
    if (DefIEquals(name, CPelWall::kBlock))
        return ReadRecord(ar, name, m_walls);
    if (DefIEquals(name, CLineObj::kBlock))
        return ReadRecord(ar, name, m_objects);
    if (DefIEquals(name, CPelText::kBlock))
        return ReadRecord(ar, name, m_texts);
    if (DefIEquals(name, CPelImage::kBlock))
        return ReadPicture(ar, name);
    return RD_SKIP;
}

int CPelUnit::OnReadData(const std::string& key, const std::string& value)
{
    for (int k = 0; k < KindCount; ++k)
        if (DefIEquals(key, kCounterKeys[k])) {
            m_counter[k] = DefAtoi(value);
            break;
        }
    return 1;
}

int CPelUnit::Read(CDefArchive* ar, std::string_view name, int prefixFlag, int prefixValue)
{
    m_prefixFlag = prefixFlag;
    m_prefixValue = prefixValue;
    return Load(ar, name);
}

int CPelUnit::Write(CDefArchive* ar, std::string_view name) const
{
    if (!WriteStart(ar, name))
        return 0;
    for (int k = 0; k < KindCount; ++k)
        if (!WriteDataInt(ar, kCounterKeys[k], m_counter[k]))
            return 0;
    // The order copying uses: groups, walls, lines, texts, pictures, objects.
    if (!PelWriteAll(m_groups, ar) || !PelWriteAll(m_walls, ar) || !PelWriteAll(m_lines, ar) ||
        !PelWriteAll(m_texts, ar) || !PelWriteAll(m_pictures, ar) || !PelWriteAll(m_objects, ar))
        return 0;
    return WriteEnd(ar, name);
}

void CPelUnit::Reset(int /*mode*/, int prefixFlag, int prefixValue)
{
    for (int& c : m_counter)
        c = 1;
    m_groups.clear();
    m_lines.clear();
    m_walls.clear();
    m_objects.clear();
    m_texts.clear();
    // A working file still held by a copy (an undo snapshot, the document) stays.
    m_pictures.clear();
    m_prefixFlag = prefixFlag;
    m_prefixValue = prefixValue;
}

void CPelUnit::CopyFrom(const CPelUnit& src)
{
    if (&src == this)
        return;
    Reset(1, m_prefixFlag, m_prefixValue);
    for (int k = 0; k < KindCount; ++k)
        m_counter[k] = src.m_counter[k];
    PelAppendShared(m_groups, src.m_groups);
    PelAppendShared(m_walls, src.m_walls);
    PelAppendShared(m_lines, src.m_lines);
    PelAppendShared(m_texts, src.m_texts);
    PelAppendShared(m_pictures, src.m_pictures);
    PelAppendShared(m_objects, src.m_objects);
}

std::vector<int> CPelUnit::IdsOf(Kind kind) const
{
    switch (kind) {
    case KindGroup: return PelIds(m_groups);
    case KindLine: return PelIds(m_lines);
    case KindWall: return PelIds(m_walls);
    case KindObject: return PelIds(m_objects);
    case KindText: return PelIds(m_texts);
    case KindPicture: return PelIds(m_pictures);
    default: return {};
    }
}

int CPelUnit::NextId(Kind kind)
{
    int id = PelNextId(m_counter[kind], IdLimit(kind), IdsOf(kind));
    if (id == 0)
        ShowMessage(kNoFreeId);
    return id;
}

CPelLine* CPelUnit::AddLine(int kind, const CPlotInfo& plot)
{
    int id = NextId(KindLine);
    if (id == 0)
        return nullptr;
    auto line = std::make_unique<CPelLine>();
    line->m_id = id;
    line->m_type = kind;
    line->SlotToStyle(plot);
    line->m_layer1 = plot.m_layer.EditGroup();
    line->m_layer2 = plot.m_layer.EditLayer();
    m_lines.push_back(std::move(line));
    return m_lines.back().get();
}
