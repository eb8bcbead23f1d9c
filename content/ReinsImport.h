#pragma once
// A REINS export turned into the flyer's 57-column import row: the user picks the
// layout and one property; the row is written to "reinsitizi.csv" and applied to the
// bound texts like a CSV file (texts bound to row entry "2", MTextRow 1).
#include "content/CsvTable.h"

#include <string>
#include <vector>

class CReinsImport {
public:
    // The layouts the dialog offers, by their kind value.
    enum Kind { National = 0, Regional = 2 };
    enum class Variant { National, RegionalDaily, RegionalStandard };

    static constexpr int kColumns = 57;
    // Properties listed at most; the message is shown once when a file holds more.
    static constexpr std::size_t kPropertyCap = 300;
    static constexpr const char* kImportRowFile = "reinsitizi.csv";

    static constexpr const char* kCapMessage = "300行以上のデータは取り込めませんでした。";
    static constexpr const char* kNotReins = "レインズcsv形式のファイルではありません。";
    static constexpr const char* kNotNational = "全国データベース売買csv形式のファイルではありません。";
    static constexpr const char* kNotRegional = "近畿レインズcsv形式のファイルではありません。";
    // Shown after any of the three above, and when the import row cannot be written.
    static constexpr const char* kImportFailed = "csvファイル取り込みに失敗しました。";
    static constexpr const char* kNotice =
        "広告作成の際は、必ずレインズ規約に従って、元付業者の承諾を確認してください。";
    static constexpr const char* kNationalTitle = "全国データベース（売買）";
    static constexpr const char* kRegionalTitle = "近畿レインズ(旧)";

    // The header lines before the first property: 1 national, 3 regional.
    static int HeaderLines(int kind) { return kind == Regional ? 3 : 1; }

    // Reads the export at path as layout kind, at most cap properties (the list's
    // cap by default); false, with the message (UTF-8) in error, when it cannot be
    // opened or is not text.
    bool Load(const std::string& path, int kind, std::string& error, std::size_t cap = kPropertyCap);
    void Parse(std::string_view bytes, int kind, std::size_t cap = kPropertyCap);

    int GetKind() const { return m_kind; }
    Variant GetVariant() const;
    // What the user should be told about the reading (UTF-8): the row cap, the encoding.
    const std::vector<std::string>& Notes() const { return m_notes; }

    // The list: the header row's fields as column titles, one line per property
    // (national fields through the list conversions, regional ones as they are).
    std::vector<std::string> Header() const;
    std::size_t PropertyCount() const;
    std::vector<std::string> ListLine(std::size_t property) const;
    // The file line (1-based, as a spreadsheet counts) of a property.
    std::size_t LineOf(std::size_t property) const { return property + static_cast<std::size_t>(HeaderLines(m_kind)) + 1; }

    // The 57 cells of the import row for a property; false with the designed message
    // (UTF-8) in error when its row is not of the layout.
    bool ImportCells(std::size_t property, std::vector<std::string>& cells, std::string& error) const;
    // The import row file's bytes: an empty line, then the cells, each stripped of
    // quotes and line breaks and quoted when it holds a comma.
    static std::string FormatImportRow(const std::vector<std::string>& cells);
    // Where the import row file is written now (path_itizi_flg may move it).
    static std::string ImportRowPath();
    // Builds the property's import row, writes the file and gives the table to apply.
    // False with the message (UTF-8) in error; a row that could not be written is
    // never applied.
    bool Import(std::size_t property, CCsvTable& table, std::string& error) const;

private:
    std::size_t RowLimit(std::size_t cap) const;
    void NoteCap();

    CCsvTable m_table;
    int m_kind = National;
    std::vector<std::string> m_notes;
};
