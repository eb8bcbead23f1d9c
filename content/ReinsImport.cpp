#include "content/ReinsImport.h"

#include "content/ContentFiles.h"
#include "content/ReinsConv.h"
#include "platform/Codec.h"
#include "platform/WholeFile.h"

namespace {
using C = CReinsConv;
using Row = CCsvTable::Row;

// Fields of one source row: f(n) as it is, a(n) as is with the blank for an empty one.
class Fields {
public:
    explicit Fields(const Row& row) : m_row(row) {}
    std::string_view f(std::size_t n) const { return n < m_row.size() ? std::string_view(m_row[n]) : std::string_view(); }
    std::string a(std::size_t n) const { return f(n).empty() ? C::Blank() : std::string(f(n)); }

private:
    const Row& m_row;
};

const std::string& X() { return C::Unknown(); }
std::string Man(std::string_view grouped) { return std::string(grouped) + cp932::Lit("万円"); }

std::vector<std::string> NationalCells(const Fields& r)
{
    const long long kind = C::Code(r.f(2));
    return {
        r.a(0), cp932::Lit("売買"), C::KindName(r.f(2)), C::KindDetail(r.f(2), r.f(3)), std::string(r.f(10)),
        C::Grouped(C::ManYen(r.f(46))), C::Grouped(C::ManYen(r.f(48))), r.a(14) + r.a(15) + r.a(16), r.a(22),
        r.a(23), C::Access(r.f(24), r.f(26), r.f(27), r.f(28), r.f(29)), C::Minutes(r.f(32), r.f(33)), r.a(101),
        r.a(105), X(), X(), X(), X(),                                                        // O-R
        C::Layout(r.f(133), r.f(132)), C::BuiltPacked(r.f(178)), r.a(175), r.a(177), r.a(57), r.a(18), // S-X
        C::Structure(r.f(172)), C::Parking(r.f(165)), X(), X(),                               // Y-AB
        C::CurrentState(r.f(35), kind), C::Handover(r.f(37), r.f(38), r.f(39), r.f(40), r.f(41)), r.a(52),
        r.a(56), r.a(59), r.a(60), r.a(103),                                                  // AC-AI
        C::DealingForm(r.f(42)), C::Needed(r.f(78)), C::LandCategory(r.f(79)), C::Terrain(r.f(94)),
        C::CityPlanning(r.f(81)), C::Zoning(r.f(82)), r.a(85), r.a(86), C::Rights(r.f(88)), C::YesNo(r.f(95)),
        C::RoadContact(r.f(110)),                                                             // AJ-AT
        C::Road(r.f(111), r.f(112), r.f(113), r.f(114), r.f(115)),
        C::Road(r.f(116), r.f(117), r.f(118), r.f(119), r.f(120)), C::Setback(r.f(62), r.f(63), r.f(64)),
        r.a(179), C::Direction(r.f(182)), C::MeasuringMethod(r.f(51), kind), C::FeeForm(r.f(43)),
        C::Management(r.f(98)), X(), r.a(193), r.a(194),                                      // AU-BE
    };
}

std::vector<std::string> RegionalDailyCells(const Fields& r)
{
    return {
        r.a(0), r.a(1), C::ClassName(r.f(1), r.f(2)), C::TypeDetail(r.f(1), r.f(2), r.f(3)), r.a(62),
        C::Grouped(r.f(7)), C::Grouped(r.f(8)), r.a(17), r.a(18), std::string(), C::BusWalk(r.f(19), r.f(20)),
        X(), C::Grouped(r.f(16)), X(), Man(C::Grouped(r.f(13))), Man(C::Grouped(r.f(12))),
        Man(C::Grouped(r.f(15))), X(),                                                        // A-R
        r.a(36), C::BuiltSeparated(r.f(41)), r.a(38), r.a(39), r.a(10), r.a(30), r.a(35), r.a(40), X(), X(),
        r.a(21), X(), r.a(9), r.a(10), r.a(11), r.a(11), X(),                                 // S-AI
        r.a(22), r.a(24), r.a(25), X(), r.a(26), r.a(27), r.a(28), r.a(29), r.a(31), r.a(32), r.a(33),
        r.a(34), X(), X(), r.a(37), X(), X(), X(), X(), X(), r.a(42), r.a(43),                // AJ-BE
    };
}

std::vector<std::string> RegionalStandardCells(const Fields& r)
{
    return {
        r.a(0), r.a(1), C::ClassName(r.f(1), r.f(2)), C::TypeDetail(r.f(1), r.f(2), r.f(3)), r.a(62),
        C::Grouped(r.f(7)), C::Grouped(r.f(8)), r.a(21), r.a(24), r.a(25), C::BusWalk(r.f(26), r.f(27)),
        r.a(29), C::Grouped(r.f(20)), X(), Man(C::Grouped(r.f(17))), Man(C::Grouped(r.f(16))),
        Man(C::Grouped(r.f(19))), X(),                                                        // A-R
        r.a(54), C::BuiltSeparated(r.f(58)), r.a(52), r.a(56), r.a(14), r.a(42), r.a(51), r.a(57), X(), X(),
        r.a(30), r.a(31), r.a(13), r.a(14), r.a(15), r.a(15), X(),                            // S-AI
        r.a(34), r.a(36), r.a(37), X(), r.a(38), r.a(39), r.a(40), r.a(41), r.a(43), r.a(44), r.a(47),
        r.a(45) + r.a(48), r.a(46) + r.a(48), X(), r.a(55), r.a(59), r.a(12), r.a(35), X(), X(), r.a(60),
        r.a(61),                                                                              // AJ-BE
    };
}
} // namespace

std::size_t CReinsImport::RowLimit(std::size_t cap) const
{
    return cap == CCsvTable::kNoLimit ? cap : static_cast<std::size_t>(HeaderLines(m_kind)) + cap;
}

void CReinsImport::NoteCap()
{
    m_notes = m_table.Notes();
    if (m_table.Truncated())
        m_notes.push_back(kCapMessage);
}

bool CReinsImport::Load(const std::string& path, int kind, std::string& error, std::size_t cap)
{
    m_table = CCsvTable();
    m_notes.clear();
    m_kind = kind == Regional ? Regional : National;
    if (!m_table.Load(path, RowLimit(cap), error))
        return false;
    NoteCap();
    return true;
}

void CReinsImport::Parse(std::string_view bytes, int kind, std::size_t cap)
{
    m_kind = kind == Regional ? Regional : National;
    m_table.Parse(bytes, RowLimit(cap));
    NoteCap();
}

CReinsImport::Variant CReinsImport::GetVariant() const
{
    if (m_kind != Regional)
        return Variant::National;
    const std::string* f = m_table.Cell(1, 5);
    static const std::string daily = cp932::Lit("日報");
    return f && f->compare(0, daily.size(), daily) == 0 ? Variant::RegionalDaily : Variant::RegionalStandard;
}

std::vector<std::string> CReinsImport::Header() const
{
    std::size_t row = static_cast<std::size_t>(HeaderLines(m_kind)) - 1;
    return row < m_table.RowCount() ? m_table.Rows()[row] : std::vector<std::string>();
}

std::size_t CReinsImport::PropertyCount() const
{
    std::size_t head = static_cast<std::size_t>(HeaderLines(m_kind));
    return m_table.RowCount() > head ? m_table.RowCount() - head : 0;
}

std::vector<std::string> CReinsImport::ListLine(std::size_t property) const
{
    if (property >= PropertyCount())
        return {};
    const Row& row = m_table.Rows()[property + static_cast<std::size_t>(HeaderLines(m_kind))];
    if (m_kind == Regional)
        return row;
    std::vector<std::string> line;
    line.reserve(row.size());
    for (std::size_t i = 0; i < row.size(); ++i)
        line.push_back(C::ListField(i, row));
    return line;
}

bool CReinsImport::ImportCells(std::size_t property, std::vector<std::string>& cells, std::string& error) const
{
    cells.clear();
    if (property >= PropertyCount()) {
        error = kNotReins;
        return false;
    }
    const Row& row = m_table.Rows()[property + static_cast<std::size_t>(HeaderLines(m_kind))];
    // The fields the row really holds: missing ones read as empty further on.
    if (row.size() < 20) {
        error = kNotReins;
        return false;
    }
    Fields r(row);
    if (m_kind == National) {
        long long kind = C::Code(r.f(2));
        if (kind < 1 || kind > 5) {
            error = kNotNational;
            return false;
        }
        cells = NationalCells(r);
    } else {
        if (r.f(1).empty() || r.f(2).empty()) {
            error = kNotRegional;
            return false;
        }
        cells = GetVariant() == Variant::RegionalDaily ? RegionalDailyCells(r) : RegionalStandardCells(r);
    }
    return true;
}

std::string CReinsImport::FormatImportRow(const std::vector<std::string>& cells)
{
    std::string out = "\n";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i)
            out.push_back(',');
        std::string cell;
        for (char c : cells[i])
            if (c != '"' && c != '\r' && c != '\n')
                cell.push_back(c);
        if (cell.find(',') != std::string::npos)
            out += "\"" + cell + "\"";
        else
            out += cell;
    }
    out.push_back('\n');
    return out;
}

std::string CReinsImport::ImportRowPath() { return CContentFiles::UserFile(kImportRowFile, "path_itizi_flg"); }

bool CReinsImport::Import(std::size_t property, CCsvTable& table, std::string& error) const
{
    std::vector<std::string> cells;
    if (!ImportCells(property, cells, error))
        return false;
    const std::string bytes = FormatImportRow(cells);
    std::string why;
    if (!wholefile::Replace(ImportRowPath(), bytes, why)) {
        error = "取り込み用ファイル " + why;
        return false;
    }
    // The bytes just written, read as the CSV import reads a file.
    table.ParseCp932(bytes, CCsvTable::kImportRows);
    return true;
}
