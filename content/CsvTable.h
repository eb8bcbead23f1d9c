#pragma once
// A CSV file as a table of code page 932 cells. Files from Japanese spreadsheets are
// code page 932; a UTF-8 file is recognised by its byte-order mark, or by being valid
// UTF-8 that holds non-ASCII text, and converted. Cells follow RFC 4180 inside double
// quotes (commas, line breaks and doubled quotes belong to the cell); a quote elsewhere
// toggles quoting as spreadsheet exports expect. The byte 0x5C is never an escape: it
// is the second byte of many double-byte characters.
#include "content/TextEncoding.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

class CCsvTable {
public:
    using Encoding = CTextEncoding::Encoding;
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();
    // The rows a CSV import of the window reads.
    static constexpr std::size_t kImportRows = 50;
    // Shown when a file cannot be opened or is not text.
    static constexpr const char* kNotCsv = "csvファイルではありません";

    using Row = std::vector<std::string>;

    // Reads the file at path (UTF-8 path), at most maxRows rows. False, with the
    // message (UTF-8) in error, when it cannot be opened or holds binary data.
    bool Load(const std::string& path, std::size_t maxRows, std::string& error);
    // The table of a file's bytes.
    void Parse(std::string_view bytes, std::size_t maxRows = kNoLimit);
    // The same for bytes known to be code page 932 (the program's own files).
    void ParseCp932(std::string_view bytes, std::size_t maxRows = kNoLimit);

    const std::vector<Row>& Rows() const { return m_rows; }
    std::size_t RowCount() const { return m_rows.size(); }
    // The cell, or nullptr when the row or the column is not in the table.
    const std::string* Cell(long long row, long long col) const;

    Encoding GetEncoding() const { return m_encoding; }
    // True when rows beyond maxRows were left unread.
    bool Truncated() const { return m_truncated; }
    // What the user should know about the reading (UTF-8): the encoding when it was
    // recognised without a byte-order mark, an unterminated quote, characters that
    // code page 932 cannot hold.
    const std::vector<std::string>& Notes() const { return m_notes; }

    // Column names as a spreadsheet shows them: 0 "A", 25 "Z", 26 "AA", 249 "IP".
    static std::string ColumnName(int col);
    // The inverse, any case; -1 for a text that names no column.
    static int ColumnIndex(std::string_view name);

private:
    void Reset();
    void ParseBytes(std::string_view bytes, std::size_t maxRows);

    std::vector<Row> m_rows;
    Encoding m_encoding = Encoding::Cp932;
    bool m_truncated = false;
    std::vector<std::string> m_notes;
};
