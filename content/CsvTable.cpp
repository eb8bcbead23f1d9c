#include "content/CsvTable.h"

#include "content/TextEncoding.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {
// Where maxRows complete rows end (quote-aware), or npos when the bytes hold fewer.
// Only ASCII bytes decide, so it holds for code page 932 and UTF-8 alike.
std::size_t EndOfRows(std::string_view s, std::size_t maxRows)
{
    bool quoted = false;
    std::size_t rows = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r')) {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            if (++rows == maxRows)
                return i + 1;
        }
    }
    return std::string_view::npos;
}

} // namespace

bool CCsvTable::Load(const std::string& path, std::size_t maxRows, std::string& error)
{
    Reset();
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) {
        error = kNotCsv;
        return false;
    }
    // A window import needs its first rows only: stop reading once they are complete.
    std::string bytes;
    constexpr std::size_t kChunk = 1 << 20;
    bool more = true;
    while (more) {
        std::size_t old = bytes.size();
        bytes.resize(old + kChunk);
        std::size_t got = std::fread(bytes.data() + old, 1, kChunk, f.get());
        bytes.resize(old + got);
        more = got == kChunk;
        if (std::memchr(bytes.data() + old, '\0', got)) {
            error = kNotCsv;
            return false;
        }
        if (maxRows != kNoLimit && more) {
            if (EndOfRows(bytes, maxRows + 1) != std::string_view::npos)
                break;
        }
    }
    if (std::ferror(f.get())) {
        error = kNotCsv;
        return false;
    }
    Parse(bytes, maxRows);
    return true;
}

void CCsvTable::Reset()
{
    m_rows.clear();
    m_notes.clear();
    m_truncated = false;
    m_encoding = Encoding::Cp932;
}

void CCsvTable::ParseCp932(std::string_view bytes, std::size_t maxRows)
{
    Reset();
    ParseBytes(bytes, maxRows);
}

void CCsvTable::Parse(std::string_view bytes, std::size_t maxRows)
{
    Reset();
    std::string converted;
    m_encoding = CTextEncoding::Detect(bytes);
    if (m_encoding == Encoding::Utf8)
        m_notes.push_back(CTextEncoding::kUtf8Note);
    if (m_encoding != Encoding::Cp932) {
        // Only what the table will hold needs converting.
        std::size_t end = maxRows == kNoLimit ? std::string_view::npos : EndOfRows(bytes, maxRows + 1);
        std::size_t replaced = 0;
        converted = CTextEncoding::Utf8ToCp932(bytes.substr(0, end), replaced);
        if (replaced)
            m_notes.push_back(CTextEncoding::ReplacedNote(replaced));
        bytes = converted;
    }
    ParseBytes(bytes, maxRows);
}

void CCsvTable::ParseBytes(std::string_view s, std::size_t maxRows)
{
    Row row;
    std::string cell;
    bool quoted = false;
    std::size_t quoteRow = 0;
    const std::size_t n = s.size();
    std::size_t i = 0;
    auto endRow = [&]() {
        row.push_back(std::move(cell));
        cell.clear();
        m_rows.push_back(std::move(row));
        row.clear();
    };
    while (i < n) {
        if (m_rows.size() == maxRows) {
            // Blank lines after the last row are no rows left unread.
            m_truncated = s.find_first_not_of("\r\n", i) != std::string_view::npos;
            break;
        }
        // Ordinary bytes in one go: none of the special ones is ever a trail byte.
        std::size_t j = i;
        if (quoted) {
            while (j < n && s[j] != '"' && s[j] != '\r' && s[j] != '\n')
                ++j;
        } else {
            while (j < n && s[j] != '"' && s[j] != ',' && s[j] != '\r' && s[j] != '\n')
                ++j;
        }
        cell.append(s.data() + i, j - i);
        i = j;
        if (i >= n)
            break;
        char c = s[i++];
        if (c == '"') {
            if (quoted && i < n && s[i] == '"') {
                cell.push_back('"');
                ++i;
            } else {
                quoted = !quoted;
                if (quoted)
                    quoteRow = m_rows.size();
            }
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
        } else {
            // CR LF, LF or a lone CR: a line break; inside quotes it belongs to the cell
            // as the record's CR LF.
            if (c == '\r' && i < n && s[i] == '\n')
                ++i;
            if (quoted)
                cell.append("\r\n");
            else
                endRow();
        }
    }
    if (!m_truncated && (!cell.empty() || !row.empty() || quoted))
        endRow();
    if (quoted && !m_truncated)
        m_notes.push_back(std::to_string(quoteRow + 1) + " 行目で始まる引用符 \" が閉じられていません。ファイルの終わりまでを一つのセルとして読み込みました。");
}

const std::string* CCsvTable::Cell(long long row, long long col) const
{
    if (row < 0 || col < 0 || static_cast<unsigned long long>(row) >= m_rows.size())
        return nullptr;
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<unsigned long long>(col) >= r.size())
        return nullptr;
    return &r[static_cast<std::size_t>(col)];
}

std::string CCsvTable::ColumnName(int col)
{
    std::string name;
    for (long long n = static_cast<long long>(col) + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

int CCsvTable::ColumnIndex(std::string_view name)
{
    if (name.empty() || name.size() > 3)
        return -1;
    int value = 0;
    for (char c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return -1;
        value = value * 26 + (c - 'A' + 1);
    }
    return value - 1;
}
